#include "platform/ui/win32/control_window.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "platform/ui/win32/fonts.h"
#include "platform/ui/win32/form_window.h"
#include "platform/ui/win32/system_error.h"
#include "platform/ui/win32/text.h"
#include "platform/win32/wide.h"

namespace ui::win32 {

namespace {

constexpr UINT_PTR kFocusWatch = 1;
constexpr COLORREF kLinkColour = RGB(0, 102, 204);

struct WindowPlan {
    const wchar_t* className = nullptr;  // nullptr: the control has no window
    DWORD style = 0;
    DWORD exStyle = 0;
    const vb::String* text = nullptr;
};

WindowPlan PlanOf(Control& c) {
    const DWORD tabStop = c.tabIndex() >= 0 ? WS_TABSTOP : 0;
    switch (c.kind()) {
    case Kind::CommandButton: {
        auto& b = static_cast<CommandButton&>(c);
        return {L"Button", tabStop | DWORD(b.isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, &b.caption()};
    }
    case Kind::CheckBox:
        // Not an automatic box: the model decides the state, the window shows it.
        return {L"Button", tabStop | BS_3STATE, 0, &static_cast<CheckBox&>(c).caption()};
    case Kind::Label:
        return {L"Static", SS_LEFT | SS_NOTIFY, 0, &static_cast<Label&>(c).caption()};
    case Kind::TextBox:
        return {L"Edit", tabStop | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, &static_cast<TextBox&>(c).text()};
    case Kind::ComboBox:
        // An edit field with a list below it (CBS_DROPDOWN), not a list alone.
        return {WC_COMBOBOXW, tabStop | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0,
                &static_cast<ComboBox&>(c).text()};
    case Kind::Frame:
        // Clipped by its contents, which lie above it, so it never paints over them.
        return {L"Button", BS_GROUPBOX | WS_CLIPSIBLINGS, 0, &static_cast<Frame&>(c).caption()};
    case Kind::Slider:
        return {TRACKBAR_CLASSW, tabStop | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS, 0, nullptr};
    case Kind::PictureBox:
        return {L"Static", SS_ICON, 0, nullptr};
    case Kind::Line:
    case Kind::Timer:
        break;
    }
    return {};
}

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

ControlWindow::ControlWindow(FormWindow& form, Control& control, int id)
    : form_(form), control_(control), kind_(control.kind()), id_(id) {
    WindowPlan plan = PlanOf(control);
    if (plan.className) {
        PixelRect at = Placement();
        DWORD style = WS_CHILD | plan.style;
        if (EffectiveVisible(control)) style |= WS_VISIBLE;
        if (!EffectiveEnabled(control)) style |= WS_DISABLED;
        hwnd_ = CreateWindowExW(plan.exStyle, plan.className, plan.text ? win::WidePtr(*plan.text) : L"", style, at.x,
                                at.y, at.width, at.height, form.hwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), form.instance(), nullptr);
        if (!hwnd_) RaiseSystemError(u"CreateWindowExW", control.name());
    }
    Configure();
}

ControlWindow::~ControlWindow() = default;

// A drop-down box's window reaches down over its open list; the designed
// height is that of its field, which the box sizes to its font itself.
PixelRect ControlWindow::Placement() const {
    PixelRect at = ToPixels(control_.FormRect(), form_.scale());
    if (kind_ == Kind::ComboBox) {
        int entries = static_cast<int>(static_cast<ComboBox&>(control_).list().size());
        int itemHeight = hwnd_ ? static_cast<int>(SendMessageW(hwnd_, CB_GETITEMHEIGHT, 0, 0)) : 0;
        if (itemHeight <= 0) itemHeight = at.height;
        at.height += std::max(entries, 1) * itemHeight + 2;
    }
    return at;
}

void ControlWindow::Configure() {
    if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form_.fonts().Default()), FALSE);
    switch (kind_) {
    case Kind::CommandButton:
        designedDefault_ = static_cast<CommandButton&>(control_).isDefault();
        break;
    case Kind::CheckBox:
        ApplyValue();
        break;
    case Kind::Label: {
        auto& label = static_cast<Label&>(control_);
        link_ = label.isLink();
        const Font& font = label.font();
        if (link_ || !font.face.empty() || font.points > 0 || font.bold || font.underline)
            SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form_.fonts().For(font, link_)), FALSE);
        if (label.foreColour() != kSystemColour) {
            hasColour_ = true;
            colour_ = label.foreColour();
        } else if (link_) {
            // The classic link blue: the system's hot-track colour is not
            // meant for text on every theme.
            hasColour_ = true;
            colour_ = kLinkColour;
        }
        break;
    }
    case Kind::TextBox:
        SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);  // as long as the system allows
        break;
    case Kind::ComboBox: {
        SendMessageW(hwnd_, CB_LIMITTEXT, 0, 0);
        for (const vb::String& entry : static_cast<ComboBox&>(control_).list())
            SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::WidePtr(entry)));
        // Now that the font and the entries are known, the list gets room
        // for all of them: version 6 of the box counts entries, older ones
        // take the window's height.
        SendMessageW(hwnd_, CB_SETMINVISIBLE, std::max<WPARAM>(static_cast<ComboBox&>(control_).list().size(), 1), 0);
        PixelRect at = Placement();
        SetWindowPos(hwnd_, nullptr, 0, 0, at.width, at.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // The focus lands in the box's edit field, which reports it too.
        COMBOBOXINFO info{.cbSize = sizeof info};
        if (GetComboBoxInfo(hwnd_, &info) && info.hwndItem) {
            edit_ = info.hwndItem;
            SetWindowSubclass(edit_, WatchFocus, kFocusWatch, reinterpret_cast<DWORD_PTR>(this));
        }
        list_ = info.hwndList;
        // The box leaves out the text it was created with.
        ApplyText();
        break;
    }
    case Kind::Slider:
        ApplyRange();
        break;
    case Kind::PictureBox: {
        int icon = static_cast<PictureBox&>(control_).icon();
        // A picture missing from the program leaves the box empty.
        if (icon > 0)
            picture_.reset(static_cast<HICON>(
                LoadImageW(form_.instance(), MAKEINTRESOURCEW(icon), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
        if (picture_)
            SendMessageW(hwnd_, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture_.get()));
        break;
    }
    case Kind::Timer:
        ApplyTimer();
        break;
    case Kind::Frame:
    case Kind::Line:
        break;
    }
    if (Focusable()) SetWindowSubclass(hwnd_, WatchFocus, kFocusWatch, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK ControlWindow::WatchFocus(HWND hwnd, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                           DWORD_PTR self) {
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
}

bool ControlWindow::Focusable() const {
    switch (kind_) {
    case Kind::CommandButton:
    case Kind::CheckBox:
    case Kind::TextBox:
    case Kind::ComboBox:
    case Kind::Slider:
        return hwnd_ != nullptr;
    default:
        return false;
    }
}

bool ControlWindow::TakesFocus() const {
    return Focusable() && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) && IsWindowEnabled(hwnd_);
}

void ControlWindow::Update(Prop what) {
    switch (what) {
    case Prop::Caption: {
        const vb::String* text = PlanOf(control_).text;
        if (hwnd_ && text && kind_ != Kind::TextBox && kind_ != Kind::ComboBox) SetWindowTextW(hwnd_, win::WidePtr(*text));
        break;
    }
    case Prop::Value:
        ApplyValue();
        break;
    case Prop::Text:
        ApplyText();
        break;
    case Prop::Enabled:
    case Prop::Visible:
        ApplyState();
        ApplyToContents(what);
        break;
    case Prop::Range:
        ApplyRange();
        break;
    case Prop::Interval:
        ApplyTimer();
        break;
    case Prop::Geometry:
        if (hwnd_) {
            PixelRect at = Placement();
            MoveWindow(hwnd_, at.x, at.y, at.width, at.height, TRUE);
        }
        if (kind_ == Kind::Line) form_.Redraw();
        ApplyToContents(what);
        break;
    case Prop::Focus:
        if (hwnd_) form_.FocusControl(hwnd_);
        break;
    }
}

void ControlWindow::ApplyState() {
    if (kind_ == Kind::Line) form_.Redraw();
    if (!hwnd_) return;
    EnableWindow(hwnd_, EffectiveEnabled(control_));
    ShowWindow(hwnd_, EffectiveVisible(control_) ? SW_SHOWNA : SW_HIDE);
}

void ControlWindow::ApplyToContents(Prop what) {
    if (kind_ != Kind::Frame) return;
    for (auto& other : form_.controlWindows()) {
        for (const Control* c = other->control().container(); c; c = c->container()) {
            if (c != &control_) continue;
            if (what == Prop::Geometry)
                other->Update(Prop::Geometry);
            else
                other->ApplyState();
            break;
        }
    }
}

void ControlWindow::ApplyValue() {
    if (!hwnd_) return;
    if (kind_ == Kind::CheckBox) {
        int16_t v = static_cast<CheckBox&>(control_).value();
        WPARAM state = v == 1 ? BST_CHECKED : v == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
        SendMessageW(hwnd_, BM_SETCHECK, state, 0);
    } else if (kind_ == Kind::Slider) {
        SendMessageW(hwnd_, TBM_SETPOS, TRUE, static_cast<Slider&>(control_).value());
    }
}

void ControlWindow::ApplyText() {
    if (!hwnd_) return;
    const vb::String* text = kind_ == Kind::TextBox    ? &static_cast<TextBox&>(control_).text()
                             : kind_ == Kind::ComboBox ? &static_cast<ComboBox&>(control_).text()
                                                       : nullptr;
    if (!text) return;
    settingText_ = true;
    SetWindowTextW(hwnd_, win::WidePtr(*text));
    settingText_ = false;
    // The box looked the new text up among its entries and lost its place
    // in the list; arrow keys go on from the entry chosen last.
    if (kind_ == Kind::ComboBox && list_) {
        int chosen = static_cast<ComboBox&>(control_).listIndex();
        if (chosen >= 0) {
            SendMessageW(list_, LB_SETCURSEL, chosen, 0);
            SendMessageW(list_, LB_SETCARETINDEX, chosen, FALSE);
        }
    }
}

void ControlWindow::ApplyRange() {
    if (!hwnd_ || kind_ != Kind::Slider) return;
    auto& s = static_cast<Slider&>(control_);
    SendMessageW(hwnd_, TBM_SETRANGEMIN, FALSE, s.min());
    SendMessageW(hwnd_, TBM_SETRANGEMAX, FALSE, s.max());
    SendMessageW(hwnd_, TBM_SETLINESIZE, 0, s.smallChange());
    SendMessageW(hwnd_, TBM_SETPAGESIZE, 0, s.largeChange());
    SendMessageW(hwnd_, TBM_SETTICFREQ, s.tickFrequency() > 0 ? s.tickFrequency() : 1, 0);
    SendMessageW(hwnd_, TBM_SETPOS, TRUE, s.value());
}

void ControlWindow::ApplyTimer() {
    if (kind_ != Kind::Timer) return;
    auto& t = static_cast<Timer&>(control_);
    form_.ArmTimer(id_, t.Running() ? t.interval() : 0);
}

Handler ControlWindow::OnCommand(WORD code) {
    switch (kind_) {
    case Kind::CommandButton:
        if (code == BN_CLICKED) return [b = &static_cast<CommandButton&>(control_)] { b->Click(); };
        break;
    case Kind::CheckBox:
        if (code == BN_CLICKED) return [c = &static_cast<CheckBox&>(control_)] { c->UserClick(); };
        break;
    case Kind::Label:
        if (code == STN_CLICKED) return [l = &static_cast<Label&>(control_)] { l->Click(); };
        break;
    case Kind::TextBox:
        if (code == EN_CHANGE && !settingText_)
            return [t = &static_cast<TextBox&>(control_), text = WindowText(hwnd_)] { t->UserTyped(text); };
        break;
    case Kind::ComboBox:
        if (code == CBN_EDITCHANGE && !settingText_)
            return [b = &static_cast<ComboBox&>(control_), text = WindowText(hwnd_)] { b->UserTyped(text); };
        if (code == CBN_SELCHANGE) {
            int index = static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
            if (index < 0) break;
            // The box writes the entry into its field after telling of the
            // choice, over whatever the handler put there: the field shows
            // the model's text again once the box is done.
            form_.PostRefresh(id_);
            return [b = &static_cast<ComboBox&>(control_), index] { b->UserChose(index); };
        }
        break;
    default:
        break;
    }
    return {};
}

Handler ControlWindow::OnScroll() {
    if (kind_ != Kind::Slider || !hwnd_) return {};
    int position = static_cast<int>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0));
    return [s = &static_cast<Slider&>(control_), position] { s->UserMoved(position); };
}

bool ControlWindow::TextColour(COLORREF& colour) const {
    if (hasColour_) colour = colour_;
    return hasColour_;
}

void ControlWindow::ShowAsDefault(bool on) {
    if (!hwnd_ || kind_ != Kind::CommandButton) return;
    // The dialog manager changes the style too: compare with the window's own.
    bool now = (GetWindowLongW(hwnd_, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (on == now) return;
    SendMessageW(hwnd_, BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void ControlWindow::Draw(HDC dc) const {
    if (kind_ != Kind::Line || !EffectiveVisible(control_)) return;
    const Line::Props& p = static_cast<const Line&>(control_).props();
    Scale s = form_.scale();
    COLORREF colour = p.colour == kSystemColour ? GetSysColor(COLOR_WINDOWTEXT) : p.colour;
    win::ScopedPen pen(CreatePen(PS_INSIDEFRAME, p.widthPixels > 0 ? p.widthPixels : 1, colour));
    if (!pen) return;
    win::ScopedSelect use(dc, pen.get());
    MoveToEx(dc, TwipsToPixels(p.x1, s.x), TwipsToPixels(p.y1, s.y), nullptr);
    LineTo(dc, TwipsToPixels(p.x2, s.x), TwipsToPixels(p.y2, s.y));
}

}  // namespace ui::win32
