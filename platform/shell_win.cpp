#include <windows.h>
#include <shellapi.h>

#include "platform/shell.h"
#include "platform/ui/form.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

// The text goes to the shell as UTF-16, so no letter is lost to a code page.
class WindowsShell : public Shell {
public:
    long Open(const ShellRequest& r) override {
        HWND owner = nullptr;
        if (r.owner && r.owner->peer) owner = static_cast<HWND>(r.owner->peer->NativeHandle());
        HINSTANCE result = ShellExecuteW(owner, win::WidePtr(r.verb), win::WidePtr(r.file),
                                         r.parameters ? win::WidePtr(*r.parameters) : nullptr,
                                         r.directory.empty() ? nullptr : win::WidePtr(r.directory), r.show);
        return static_cast<long>(reinterpret_cast<INT_PTR>(result));
    }
};

}  // namespace

Shell& SystemShell() {
    static WindowsShell shell;
    return shell;
}

}  // namespace platform
