#include "platform/ui/win32/win32_backend.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/ui/msgbox.h"
#include "platform/ui/win32/form_window.h"
#include "platform/win32/wide.h"

namespace ui::win32 {

Backend::Backend(HINSTANCE instance)
    : instance_(instance ? instance : GetModuleHandleW(nullptr)),
      scale_(ScreenScale()),
      installed_(InstallBackend(*this)) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    // A class that cannot be registered shows as the first window that
    // cannot be made.
    FormWindow::Register();
}

Backend::~Backend() = default;

std::unique_ptr<FormPeer> Backend::CreateForm(Form& form) {
    HWND owner = windows_.empty() ? nullptr : windows_.front()->hwnd();
    auto window = std::make_unique<FormWindow>(*this, form, owner);
    windows_.push_back(window.get());
    return window;
}

std::vector<PixelRect> Backend::WorkAreas() const { return MonitorWorkAreas(); }

// ---- message loops ----

FormWindow* Backend::WindowOf(HWND hwnd) const {
    if (!hwnd) return nullptr;
    for (FormWindow* w : windows_)
        if (w->hwnd() == hwnd) return w;
    return nullptr;
}

HWND Backend::DialogFor(HWND hwnd) const {
    if (!hwnd) return nullptr;
    HWND root = GetAncestor(hwnd, GA_ROOT);
    return WindowOf(root) ? root : nullptr;
}

bool Backend::PumpOne() {
    MSG msg;
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        quitCode_ = static_cast<int>(msg.wParam);
        return false;
    }
    if (got == -1) return false;
    if (HWND dialog = DialogFor(msg.hwnd); dialog && IsDialogMessageW(dialog, &msg)) {
        // The window may be gone now: look it up again.
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSCHAR || msg.message == WM_CHAR)
            if (FormWindow* window = WindowOf(dialog)) window->ShowDefaultForFocus();
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void Backend::Run() {
    if (Form::LoadedForms().empty()) {
        // Everything was unloaded before the loop began: take back its quit.
        MSG msg;
        PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        return;
    }
    while (PumpOne()) {
    }
}

void Backend::QuitRun() { PostQuitMessage(0); }

void Backend::End(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

// ---- modal forms ----

void Backend::RunModal(Form& form) {
    auto* window = dynamic_cast<FormWindow*>(form.peer.get());
    if (!window || !window->hwnd()) return;
    HWND hwnd = window->hwnd();
    // A modal form opened from another modal form belongs to that one, so
    // activation returns there when it closes.
    if (HWND over = ActiveFormWindow(); over && over != hwnd && !modal_.empty())
        SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(over));

    Modal modal{window, {}};
    for (FormWindow* other : windows_) {
        HWND h = other->hwnd();
        if (other == window || !h || !IsWindowEnabled(h)) continue;
        EnableWindow(h, FALSE);
        modal.disabled.push_back(h);
    }
    // The list holds the local only while this call runs: Leave takes it
    // out again on every way out.
    // cppcheck-suppress danglingLifetime
    modal_.push_back(&modal);
    struct Leave {
        Backend& backend;
        Modal& modal;
        ~Leave() {
            Release(modal);
            auto& m = backend.modal_;
            m.erase(std::remove(m.begin(), m.end(), &modal), m.end());
        }
    } leave{*this, modal};

    window->Show();
    // `window` may be destroyed by any message from here on.
    while (form.loaded() && form.visible()) {
        if (!PumpOne()) {
            PostQuitMessage(quitCode_);  // for the loop outside
            break;
        }
    }
}

void Backend::Release(Modal& modal) {
    if (modal.released) return;
    modal.released = true;
    for (HWND h : modal.disabled)
        if (IsWindow(h)) EnableWindow(h, TRUE);
}

void Backend::ReleaseModal(const FormWindow* window) {
    for (Modal* m : modal_)
        if (m->window == window) Release(*m);
}

void Backend::Forget(FormWindow* window) {
    ReleaseModal(window);
    for (Modal* m : modal_)
        if (m->window == window) m->window = nullptr;
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
    // The system destroys owned windows with their owner: the forms still
    // loaded pass to the next main window instead.
    HWND gone = window->hwnd();
    if (!gone) return;
    HWND heir = windows_.empty() ? nullptr : windows_.front()->hwnd();
    for (FormWindow* w : windows_) {
        HWND h = w->hwnd();
        if (h && GetWindow(h, GW_OWNER) == gone)
            SetWindowLongPtrW(h, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(h == heir ? nullptr : heir));
    }
}

HWND Backend::ActiveFormWindow() const {
    for (auto it = modal_.rbegin(); it != modal_.rend(); ++it)
        if (!(*it)->released && (*it)->window && (*it)->window->hwnd()) return (*it)->window->hwnd();
    return windows_.empty() ? nullptr : windows_.front()->hwnd();
}

// ---- message boxes ----

int Backend::MsgBox(vb::StringView text, int style, vb::StringView title) {
    vb::String body(text), caption(title);
    int answer = MessageBoxW(ActiveFormWindow(), win::WidePtr(body), win::WidePtr(caption), static_cast<UINT>(style));
    if (answer != 0) return answer;
    // The box could not be shown: the answer that changes nothing.
    switch (style & 0xF) {
    case kOkOnly:
        return IDOK;
    case kYesNo:
        return IDNO;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    default:
        return IDCANCEL;
    }
}

}  // namespace ui::win32
