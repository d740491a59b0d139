#include "tools/uidriver/target_win.h"

#include <string>

#include "tools/uidriver/controls_win.h"
#include "tools/uidriver/output_win.h"
#include "tools/uidriver/text_win.h"
#include "tools/uidriver/windows_win.h"

namespace uidriver {

HWND TargetWindow(const Options& options) { return WaitForWindow(options.window, TimeoutOr(options, kFindTimeoutMs)); }

HWND TargetControl(const Options& options, HWND top, std::wstring_view wanted) {
    DWORD timeout = TimeoutOr(options, kFindTimeoutMs);
    DWORD start = GetTickCount();
    for (;;) {
        try {
            return FindControl(top, wanted);
        } catch (const Failure& failure) {
            if (failure.exitCode != kExitFailure || GetTickCount() - start >= timeout || !IsWindow(top)) throw;
        }
        Sleep(50);
    }
}

void RequireUsable(const Options& options, HWND top, HWND control) {
    if (options.force) return;
    std::wstring title = L"\"" + Escaped(WindowTitle(top)) + L"\"";
    if (!IsWindowEnabled(top))
        Fail(L"window " + title + L" is disabled: a modal window or message box is probably open over it");
    if (!control) return;
    std::wstring name = L"control \"" + Escaped(ControlText(control)) + L"\" (" + KindName(KindOf(control)) + L")";
    if (!IsWindowVisible(control)) Fail(name + L" in window " + title + L" is hidden");
    if (!IsWindowEnabled(control)) Fail(name + L" in window " + title + L" is disabled");
}

void RequireKind(HWND control, Kind kind, std::wstring_view wanted) {
    Kind actual = KindOf(control);
    if (actual != kind)
        Fail(L"control \"" + std::wstring(wanted) + L"\" is a " + KindName(actual) + L" (class " + ClassName(control) +
             L"), not a " + KindName(kind));
}

}  // namespace uidriver
