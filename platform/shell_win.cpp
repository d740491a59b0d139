#include <windows.h>
#include <shellapi.h>

#include "platform/shell.h"
#include "platform/ui/form.h"

namespace platform {

namespace {

const wchar_t* Wide(const vb::String& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

// The text goes to the shell as UTF-16, so no letter is lost to a code page.
class WindowsShell : public Shell {
public:
    long Open(const ShellRequest& r) override {
        HWND owner = nullptr;
        if (r.owner && r.owner->peer) owner = static_cast<HWND>(r.owner->peer->NativeHandle());
        HINSTANCE result =
            ShellExecuteW(owner, Wide(r.verb), Wide(r.file),
                          r.parameters ? Wide(*r.parameters) : nullptr,
                          r.directory.empty() ? nullptr : Wide(r.directory), r.show);
        return static_cast<long>(reinterpret_cast<INT_PTR>(result));
    }
};

}  // namespace

Shell& SystemShell() {
    static WindowsShell shell;
    return shell;
}

}  // namespace platform
