#include "platform/ui/win32/control_window.h"

#include <commctrl.h>

#include "platform/ui/dispatch.h"
#include "platform/ui/win32/fonts.h"
#include "platform/ui/win32/form_window.h"
#include "platform/ui/win32/system_error.h"
#include "platform/ui/win32/text.h"
#include "platform/win32/wide.h"

namespace ui::win32 {

namespace {
constexpr UINT_PTR kFocusWatch = 1;
}  // namespace

bool EffectiveVisible(const Control& control) {
    for (const Control* c = &control; c; c = c->container())
        if (!c->visible()) return false;
    return true;
}

bool EffectiveEnabled(const Control& control) {
    for (const Control* c = &control; c; c = c->container())
        if (!c->enabled()) return false;
    return true;
}

ControlWindow::ControlWindow(FormWindow& form, Control& control, int id) : form_(form), control_(control), id_(id) {}

ControlWindow::~ControlWindow() = default;

void ControlWindow::CreateWindowFrom(const WindowPlan& plan) {
    PixelRect at = Placement();
    DWORD style = WS_CHILD | plan.style;
    if (EffectiveVisible(control_)) style |= WS_VISIBLE;
    if (!EffectiveEnabled(control_)) style |= WS_DISABLED;
    // The id comes back with WM_COMMAND; DM_GETDEFID names a button by it.
    hwnd_ = CreateWindowExW(plan.exStyle, plan.className, plan.text ? win::WidePtr(*plan.text) : L"", style, at.x, at.y,
                            at.width, at.height, form_.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                            form_.instance(), nullptr);
    if (!hwnd_) RaiseSystemError(u"CreateWindowExW", control_.name());
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form_.fonts().Default()), FALSE);
}

DWORD ControlWindow::TabStop() const { return control_.tabIndex() >= 0 ? WS_TABSTOP : 0; }

PixelRect ControlWindow::Placement() const { return ToPixels(control_.FormRect(), form_.scale()); }

void ControlWindow::ShowText(const vb::String& text) {
    if (!hwnd_) return;
    showingText_ = true;
    SetWindowTextW(hwnd_, win::WidePtr(text));
    showingText_ = false;
}

void ControlWindow::MakeFocusable() {
    focusable_ = true;
    WatchFocusOf(hwnd_);
}

// The dialog manager (IsDialogMessage) moves the focus with Tab and access
// keys without telling the form: the window's own WM_SETFOCUS does, through
// a subclass (SetWindowSubclass) that stays until the window's
// WM_NCDESTROY.
void ControlWindow::WatchFocusOf(HWND part) {
    SetWindowSubclass(part, WatchFocus, kFocusWatch, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK ControlWindow::WatchFocus(HWND hwnd, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self) {
    return Dispatch([&] {
        if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(hwnd, WatchFocus, kFocusWatch);
            return DefSubclassProc(hwnd, message, w, l);
        }
        LRESULT result = DefSubclassProc(hwnd, message, w, l);
        if (message == WM_SETFOCUS) {
            auto* control = reinterpret_cast<ControlWindow*>(self);
            control->form_.OnChildFocus(*control);
        }
        return result;
    });
}

bool ControlWindow::TakesFocus() const {
    return focusable_ && hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) && IsWindowEnabled(hwnd_);
}

void ControlWindow::Update(Prop what) {
    switch (what) {
    case Prop::Enabled:
    case Prop::Visible:
        ApplyState();
        break;
    case Prop::Geometry:
        if (hwnd_) {
            PixelRect at = Placement();
            MoveWindow(hwnd_, at.x, at.y, at.width, at.height, TRUE);
        }
        break;
    case Prop::Focus:
        if (hwnd_) form_.FocusControl(hwnd_);
        break;
    default:
        break;
    }
}

// SW_SHOWNA: showing a control does not activate the form.
void ControlWindow::ApplyState() {
    if (!hwnd_) return;
    EnableWindow(hwnd_, EffectiveEnabled(control_));
    ShowWindow(hwnd_, EffectiveVisible(control_) ? SW_SHOWNA : SW_HIDE);
}

}  // namespace ui::win32
