#include "platform/shell_win.h"

#include "platform/ui/form.h"
#include "platform/win32/wide.h"

namespace platform {

SHELLEXECUTEINFOW ShellExecuteInfoFor(const ShellRequest& r) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = kShellLaunchFlags;
    if (r.owner && r.owner->peer) info.hwnd = static_cast<HWND>(r.owner->peer->NativeHandle());
    info.lpVerb = win::WidePtr(r.verb);
    info.lpFile = win::WidePtr(r.file);
    info.lpParameters = r.parameters ? win::WidePtr(*r.parameters) : nullptr;
    info.lpDirectory = r.directory.empty() ? nullptr : win::WidePtr(r.directory);
    info.nShow = r.show;
    return info;
}

namespace {

// The text goes to the shell as UTF-16, so no letter is lost to a code page.
class WindowsShell : public Shell {
public:
    long Open(const ShellRequest& r) override {
        SHELLEXECUTEINFOW info = ShellExecuteInfoFor(r);
        const BOOL launched = ShellExecuteExW(&info);
        // hInstApp holds the answer ShellExecuteW would give: above 32 when
        // the launch succeeded, an SE_ERR_ number (or 0) when it failed.
        const auto answer = static_cast<long>(reinterpret_cast<INT_PTR>(info.hInstApp));
        if (launched) return answer > 32 ? answer : 33;
        return answer <= 32 ? answer : 0;
    }
};

}  // namespace

Shell& SystemShell() {
    static WindowsShell shell;
    return shell;
}

}  // namespace platform
