#include "platform/ui/win32/form_window.h"

#include <algorithm>
#include <climits>

#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"
#include "platform/startup_trace.h"
#include "platform/ui/menu.h"
#include "platform/ui/session.h"
#include "platform/ui/win32/form_style.h"
#include "platform/ui/win32/menu_bar.h"
#include "platform/ui/win32/system_error.h"
#include "platform/ui/win32/text.h"
#include "platform/ui/win32/win32_backend.h"
#include "platform/win32/wide.h"

namespace ui::win32 {

namespace {
// The window class belongs to the module that holds the window procedure;
// the icons come from the instance the backend was given.
HINSTANCE CodeModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&CodeModule), &module);
    return module ? module : GetModuleHandleW(nullptr);
}
}  // namespace

bool FormWindow::Register() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = CodeModule();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

FormWindow::FormWindow(Backend& backend, Form& form, HWND owner) : backend_(backend), form_(form) {
    try {
        Create(owner);
    } catch (...) {
        for (Control* c : form.controls()) c->peer = nullptr;
        Destroy();
        throw;
    }
}

FormWindow::~FormWindow() {
    // Gives the owner its input back first, so activation returns to it.
    backend_.Forget(this);
    Destroy();
}

void FormWindow::Destroy() {
    destroying_ = true;
    if (HWND hwnd = window_.get()) DestroyWindow(hwnd);
    window_.release();
}

Scale FormWindow::scale() const { return backend_.scale(); }
Fonts& FormWindow::fonts() const { return backend_.fonts(); }
HINSTANCE FormWindow::instance() const { return backend_.instance(); }

// ---- creation ----

void FormWindow::Create(HWND owner) {
    const FormProps& p = form_.props();
    WindowStyle ws = FormStyle(p, owner != nullptr);
    win::ScopedMenu menu = BuildMenuBar(form_, kFirstMenuId);
    platform::StartupMark("menu bar");
    Scale s = scale();
    int clientWidth = TwipsToPixels(p.clientWidth, s.x);
    int clientHeight = TwipsToPixels(p.clientHeight, s.y);
    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, ws.style, menu ? TRUE : FALSE, ws.exStyle);
    int width = outer.right - outer.left, height = outer.bottom - outer.top;
    PixelRect at = p.startPosition == StartPosition::CenterScreen
                       ? CentredIn(WorkAreaNear(owner), width, height)
                       : PixelRect{TwipsToPixels(p.left, s.x), TwipsToPixels(p.top, s.y), width, height};
    // WM_NCCREATE stores the window in window_.
    HWND hwnd = CreateWindowExW(ws.exStyle, kClassName, win::WidePtr(p.caption), ws.style, at.x, at.y, width, height,
                                owner, menu.get(), CodeModule(), this);
    if (!hwnd) RaiseSystemError(u"CreateWindowExW", form_.name());
    menu.release();  // the window frees its menu bar
    platform::StartupMark("window");
    FitClientArea(clientWidth, clientHeight);
    SetIcons(p.icon);
    platform::StartupMark("icons");
    CreateControls();
    platform::StartupMark("controls");
    // Focus rectangles and access keys always show, not only after the
    // keyboard was used.
    SendMessageW(hwnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

// A menu bar that wraps onto a second line takes room the outer size did
// not allow for; the client area keeps its designed size.
void FormWindow::FitClientArea(int width, int height) {
    RECT client{}, outer{};
    if (!GetClientRect(hwnd(), &client) || !GetWindowRect(hwnd(), &outer)) return;
    int dw = width - client.right, dh = height - client.bottom;
    if (dw == 0 && dh == 0) return;
    SetWindowPos(hwnd(), nullptr, 0, 0, outer.right - outer.left + dw, outer.bottom - outer.top + dh,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// An icon missing from the program leaves the window without one.
void FormWindow::SetIcons(int icon) {
    if (icon <= 0) return;
    auto load = [this, icon](int cx, int cy) {
        return static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(icon), IMAGE_ICON, GetSystemMetrics(cx),
                                             GetSystemMetrics(cy), LR_DEFAULTCOLOR));
    };
    smallIcon_.reset(load(SM_CXSMICON, SM_CYSMICON));
    bigIcon_.reset(load(SM_CXICON, SM_CYICON));
    if (smallIcon_) SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    if (bigIcon_) SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
}

// In tab order, so the order of the windows is the order Tab follows.
void FormWindow::CreateControls() {
    std::vector<Control*> order = form_.controls();
    auto key = [](const Control* c) { return c->tabIndex() < 0 ? INT_MAX : c->tabIndex(); };
    std::stable_sort(order.begin(), order.end(), [&](Control* a, Control* b) { return key(a) < key(b); });
    int id = kFirstControlId;
    for (Control* c : order) {
        controls_.push_back(MakeControlWindow(*this, *c, id++));
        c->peer = controls_.back().get();
    }
    // Frames lie under everything, so the controls they hold show above them.
    for (auto& c : controls_)
        if (c->LiesUnderOthers() && c->hwnd())
            SetWindowPos(c->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// ---- the model's requests ----

void FormWindow::Show() {
    if (hwnd()) ShowWindow(hwnd(), SW_SHOW);
}

void FormWindow::Hide() {
    backend_.ReleaseModal(this);
    if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
}

void FormWindow::Place(bool topmost, PixelRect outer) {
    if (!hwnd()) return;
    SetWindowPos(hwnd(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, outer.x, outer.y, outer.width, outer.height,
                 SWP_SHOWWINDOW);
}

PixelRect FormWindow::OuterRect() const {
    RECT r{};
    if (!hwnd() || !GetWindowRect(hwnd(), &r)) return {};
    return FromRect(r);
}

void FormWindow::CaptionChanged() {
    if (hwnd()) SetWindowTextW(hwnd(), win::WidePtr(form_.caption()));
}

void FormWindow::ArmTimer(int id, int interval) {
    if (!hwnd()) return;
    if (interval > 0) SetTimer(hwnd(), static_cast<UINT_PTR>(id), static_cast<UINT>(interval), nullptr);
    else KillTimer(hwnd(), static_cast<UINT_PTR>(id));
}

void FormWindow::Redraw() {
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

// The focus moves now when the window is the active one; otherwise the
// control gets it when the window is next activated (SetFocus would
// activate the window too).
void FormWindow::FocusControl(HWND child) {
    if (hwnd() && IsWindowVisible(hwnd()) && GetActiveWindow() == hwnd()) SetFocus(child);
    else savedFocus_ = child;
}

// ---- the window procedure ----

LRESULT CALLBACK FormWindow::Proc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    return Dispatch([&]() -> LRESULT {
        auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message == WM_NCCREATE) {
            self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->window_.reset(hwnd);
        }
        if (!self) return DefWindowProcW(hwnd, message, w, l);
        return self->Handle(hwnd, message, w, l);
    });
}

// The cases that dispatch to the model return at once: the handler may
// have destroyed this object. The window is not of the dialog class, so
// DefWindowProc knows nothing of default buttons or of where the focus
// was: DM_GETDEFID and WM_ACTIVATE are answered here, for the dialog
// manager (IsDialogMessage) that the message loops hand the keyboard to.
LRESULT FormWindow::Handle(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (!destroying_) OnDestroyedBySystem();
        window_.release();
        return DefWindowProcW(hwnd, message, w, l);
    }
    if (destroying_) return DefWindowProcW(hwnd, message, w, l);
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
        return 0;
    case WM_HSCROLL:
        if (!l) break;  // the window's own scroll bar, not a trackbar
        OnScroll(reinterpret_cast<HWND>(l));
        return 0;
    case WM_TIMER:
        OnTimer(w);
        return 0;
    case WM_VKEYTOITEM:
        return OnListKey(LOWORD(w), reinterpret_cast<HWND>(l));
    case kRefreshTextMessage:
        if (ControlWindow* c = w <= INT_MAX ? FindById(static_cast<int>(w)) : nullptr) c->Update(Prop::Text);
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_CTLCOLORSTATIC:
        if (LRESULT brush = OnCtlColorStatic(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l))) return brush;
        break;
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(w), LOWORD(l))) return TRUE;
        break;
    case WM_ACTIVATE:
        if (HIWORD(w)) break;  // minimized
        OnActivate(LOWORD(w));
        return 0;  // DefWindowProc would give the focus to the form itself
    case DM_GETDEFID:
        return OnGetDefId();
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;  // the program never holds the session up
    case WM_ENDSESSION:
        if (w) SessionEnding();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, w, l);
}

// WM_COMMAND: IDOK and IDCANCEL from the dialog manager (Enter with no
// button for DM_GETDEFID to name, and Esc), a control's notification (with
// its window), or a menu item (without one).
void FormWindow::OnCommand(WORD id, WORD code, HWND from) {
    if (id == IDOK) {
        // Enter without a default button the dialog manager knows of.
        CommandButton* b = form_.DefaultButton();
        if (b && EffectiveEnabled(*b) && EffectiveVisible(*b)) Dispatch([b] { b->Click(); });
        return;
    }
    if (id == IDCANCEL) {
        Form* form = &form_;
        Dispatch([form] { form->PressEscape(); });
        return;
    }
    if (from) {
        ControlWindow* c = FindById(id);
        if (!c || c->hwnd() != from) return;
        Handler action = c->ActionForCommand(code);
        if (action) Dispatch(action);
        return;
    }
    if (Menu* item = FindMenuItem(form_, id)) Dispatch([item] { item->Click(); });
}

void FormWindow::OnScroll(HWND from) {
    ControlWindow* c = Find(from);
    if (!c) return;
    Handler action = c->ActionForScroll();
    if (action) Dispatch(action);
}

// Posted, not sent: it arrives after the control has finished with the
// notification it is handling.
void FormWindow::PostRefresh(int id) {
    if (hwnd()) PostMessageW(hwnd(), kRefreshTextMessage, static_cast<WPARAM>(id), 0);
}

void FormWindow::OnTimer(UINT_PTR id) {
    ControlWindow* c = id <= INT_MAX ? FindById(static_cast<int>(id)) : nullptr;
    Handler action = c ? c->ActionForTimer() : Handler{};
    if (action) Dispatch(action);
}

// WM_VKEYTOITEM: -2 when the program took the key, -1 for the list's own
// handling. The answer is taken from the action's local result, as the
// handler may have destroyed this object.
LRESULT FormWindow::OnListKey(WORD key, HWND from) {
    ControlWindow* c = Find(from);
    int keyCode = key;
    Handler action = c ? c->ActionForKey(key, keyCode) : Handler{};
    if (!action) return -1;
    Dispatch(action);
    return keyCode == 0 ? -2 : -1;
}

void FormWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (!dc) return;
    for (auto& c : controls_) c->Draw(dc);
    EndPaint(hwnd(), &ps);
}

// WM_CTLCOLORSTATIC: a label that asks for its own text colour draws on
// the form's face colour; the others keep the system's answer.
LRESULT FormWindow::OnCtlColorStatic(HDC dc, HWND child) {
    ControlWindow* c = Find(child);
    COLORREF colour = 0;
    if (!c || !c->TextColour(colour)) return 0;
    SetTextColor(dc, colour);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool FormWindow::OnSetCursor(HWND over, WORD hit) {
    if (hit != HTCLIENT) return false;
    ControlWindow* c = Find(over);
    if (!c || !c->IsLink()) return false;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

// The focus is the window's own business: it is noted when the window is
// deactivated and put back when it is activated (the dialog class does the
// same for dialog boxes).
void FormWindow::OnActivate(WORD state) {
    if (state == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd(), focus)) savedFocus_ = focus;
        return;
    }
    HWND target = FocusTarget();
    SetFocus(target ? target : hwnd());
}

// From a control's WM_SETFOCUS, whoever moved the focus: the user's click,
// Tab through the dialog manager, or the program.
void FormWindow::OnChildFocus(ControlWindow& child) {
    if (destroying_) return;
    ShowDefaultFor(&child);
    Form* form = &form_;
    Control* control = &child.control();
    Dispatch([form, control] { form->FocusChanged(control); });
}

// DM_GETDEFID, which the dialog manager sends for Enter: the button it
// presses is the focused push button, else the model's default one, if it
// can be pressed. 0 makes it send IDOK instead.
LRESULT FormWindow::OnGetDefId() {
    if (ControlWindow* focused = Find(GetFocus()); focused && focused->IsPushButton() && focused->TakesFocus())
        return MAKELRESULT(focused->id(), DC_HASDEFID);
    CommandButton* b = form_.DefaultButton();
    ControlWindow* c = PeerOf(b);
    if (!c || !EffectiveEnabled(*b) || !EffectiveVisible(*b)) return 0;
    return MAKELRESULT(c->id(), DC_HASDEFID);
}

void FormWindow::OnClose() {
    Form* form = &form_;
    Dispatch([form] { form->UserClose(); });
}

// WM_NCDESTROY that Destroy did not ask for: an owner's destruction took
// this window with it, and the controls' windows are gone too.
void FormWindow::OnDestroyedBySystem() {
    destroying_ = true;
    backend_.ReleaseModal(this);
    for (auto& c : controls_) c->Detach();
}

// ---- helpers ----

ControlWindow* FormWindow::Find(HWND child) const {
    if (!child) return nullptr;
    for (auto& c : controls_)
        if (c->Owns(child)) return c.get();
    return nullptr;
}

// controls_ is in id order.
ControlWindow* FormWindow::FindById(int id) const {
    int index = id - kFirstControlId;
    if (index < 0 || index >= static_cast<int>(controls_.size())) return nullptr;
    return controls_[static_cast<size_t>(index)].get();
}

ControlWindow* FormWindow::PeerOf(const Control* control) const {
    if (!control) return nullptr;
    for (auto& c : controls_)
        if (&c->control() == control) return c.get();
    return nullptr;
}

// Where the focus goes when the window is activated: back to where it was,
// else where the program put it, else the first control in tab order.
HWND FormWindow::FocusTarget() const {
    if (ControlWindow* c = Find(savedFocus_); c && c->TakesFocus()) return c->hwnd();
    if (ControlWindow* c = PeerOf(form_.focused()); c && c->TakesFocus()) return c->hwnd();
    for (Control* control : form_.TabOrder())
        if (ControlWindow* c = PeerOf(control); c && c->TakesFocus()) return c->hwnd();
    return nullptr;
}

void FormWindow::ShowDefaultForFocus() {
    if (!destroying_) ShowDefaultFor(Find(GetFocus()));
}

// As the dialog manager does in a dialog box: a focused push button is the
// one Enter presses and shows the thick border (BS_DEFPUSHBUTTON);
// elsewhere the designed default has it. Run at every focus change and
// after each key IsDialogMessage took, as it restyles buttons its own way.
void FormWindow::ShowDefaultFor(const ControlWindow* focused) {
    bool onButton = focused && focused->IsPushButton();
    for (auto& c : controls_)
        if (c->IsPushButton()) c->ShowAsDefault(onButton ? c.get() == focused : c->IsDesignedDefault());
}

}  // namespace ui::win32
