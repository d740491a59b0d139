// captionfit: opens the program's five windows (with stand-ins for the
// host, the settings and the shell) and prints, tab-separated, one row per
// control that shows text: window, control, caption, the caption's width
// and height, the control's client width and height in pixels, and yes or
// no for whether the caption fits. The first line names the columns.
// Exits 0 when every caption fits, 1 when one does not, 2 without a display.
#include <windows.h>

#include <string>

#include "tools/captionfit/windows_win.h"
#include "tools/uidriver/output_win.h"
#include "tools/uidriver/text_win.h"

int wmain() {
    HWND probe = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    if (!probe) {
        uidriver::PrintError(L"captionfit: no display: the windows cannot be made here (set DISPLAY)");
        return 2;
    }
    DestroyWindow(probe);
    bool allFit = true;
    using uidriver::PrintLine;
    PrintLine(L"window\tcontrol\tcaption\tcaption_width\tcaption_height\tclient_width\tclient_height\tfits");
    for (const captionfit::Row& row : captionfit::MeasureProgramWindows()) {
        const captionfit::Measure& m = row.measure;
        allFit = allFit && m.fits;
        PrintLine(row.window + L"\t" + row.control + L"\t" + uidriver::Escaped(m.caption) + L"\t" +
                  std::to_wstring(m.text.cx) + L"\t" + std::to_wstring(m.text.cy) + L"\t" +
                  std::to_wstring(m.client.cx) + L"\t" + std::to_wstring(m.client.cy) + L"\t" +
                  (m.fits ? L"yes" : L"no"));
    }
    return allFit ? 0 : 1;
}
