#include "host/com/message_window.h"

#include "platform/vb/error.h"

namespace host::com {

namespace {

constexpr wchar_t kClassName[] = L"brivane.HostMessages";
constexpr UINT kPosted = WM_APP + 1;

// The module that holds this code, whichever program or library that is.
HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

}  // namespace

MessageWindow::MessageWindow(std::function<void()> onPosted) : onPosted_(std::move(onPosted)) {
    // Registered on first use; the class stays for the life of the process.
    static const bool registered = [] {
        WNDCLASSEXW wc{sizeof wc};
        wc.lpfnWndProc = Procedure;
        wc.hInstance = ThisModule();
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    if (registered)
        window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ThisModule(), nullptr);
    if (!window_) throw vb::Error(vb::kOutOfMemory);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageWindow::~MessageWindow() {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

bool MessageWindow::Post() {
    if (pending_) return true;
    pending_ = PostMessageW(window_, kPosted, 0, 0) != 0;
    return pending_;
}

LRESULT CALLBACK MessageWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPosted) {
        auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self) {
            self->pending_ = false;
            // The callback may end this window's owner, and the window with
            // it: nothing of `self` is used after it.
            try {
                self->onPosted_();
            } catch (...) {
            }
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace host::com
