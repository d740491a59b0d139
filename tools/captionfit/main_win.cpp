// captionfit: opens the program's four windows (with stand-ins for the
// host, the settings and the shell) and prints, tab-separated, one row per
// control that shows text: window, control, caption, the caption's width
// and height, the control's client width and height in pixels, and yes or
// no for whether the caption fits. The first line names the columns.
// Exits 0 when every caption fits, 1 when one does not, 2 without a display.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/captionfit/windows_win.h"

namespace {

// Tabs, line breaks and backslashes escaped, so a row stays one line.
std::wstring Escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
        case L'\\': out += L"\\\\"; break;
        case L'\t': out += L"\\t"; break;
        case L'\r': out += L"\\r"; break;
        case L'\n': out += L"\\n"; break;
        default: out += c;
        }
    }
    return out;
}

void PrintLine(const std::wstring& line) {
    std::wstring text = line + L"\n";
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

}  // namespace

int wmain() {
    HWND probe = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    if (!probe) {
        std::fputs("captionfit: no display: the windows cannot be made here (set DISPLAY)\n", stderr);
        return 2;
    }
    DestroyWindow(probe);
    bool allFit = true;
    PrintLine(L"window\tcontrol\tcaption\tcaption_width\tcaption_height\tclient_width\tclient_height\tfits");
    for (const captionfit::Row& row : captionfit::MeasureProgramWindows()) {
        const captionfit::Measure& m = row.measure;
        allFit = allFit && m.fits;
        PrintLine(row.window + L"\t" + row.control + L"\t" + Escaped(m.caption) + L"\t" + std::to_wstring(m.text.cx) +
                  L"\t" + std::to_wstring(m.text.cy) + L"\t" + std::to_wstring(m.client.cx) + L"\t" +
                  std::to_wstring(m.client.cy) + L"\t" + (m.fits ? L"yes" : L"no"));
    }
    std::fflush(stdout);
    return allFit ? 0 : 1;
}
