#include "platform/ui/win32/label_peer.h"

#include <commctrl.h>

#include <string>

#include "platform/ui/win32/accessible_object.h"
#include "platform/ui/win32/colours.h"
#include "platform/ui/win32/fonts.h"
#include "platform/ui/win32/form_window.h"
#include "platform/win32/scoped.h"

namespace ui::win32 {

namespace {

constexpr UINT_PTR kLinkKeys = 3;

// What a click does (SS_NOTIFY): STN_CLICKED to the form. The form's
// handler may unload the form and destroy this window: nothing after it
// may touch the window.
void Open(HWND link) {
    SendMessageW(GetParent(link), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(link), STN_CLICKED),
                 reinterpret_cast<LPARAM>(link));
}

// The dotted focus rectangle around the link's text, as the system draws
// it on a link, unless the window hides focus rectangles for now (the
// keyboard has not been used in it).
void DrawFocus(HWND link) {
    if (SendMessageW(link, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) return;
    RECT client{};
    GetClientRect(link, &client);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(link)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(link, text.data(), static_cast<int>(text.size()))));
    HDC dc = GetDC(link);
    if (!dc) return;
    RECT around = client;
    if (!text.empty()) {
        win::ScopedSelect font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(link, WM_GETFONT, 0, 0)));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &around,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        // A pixel clear of the text where the label has room, so the
        // rectangle does not run over the underline.
        InflateRect(&around, 1, 1);
        IntersectRect(&around, &around, &client);
    }
    DrawFocusRect(dc, &around);
    ReleaseDC(link, dc);
}

}  // namespace

// SS_NOTIFY: the label tells of clicks (STN_CLICKED). Without SS_NOPREFIX,
// "&" marks an access key, which moves the focus to the next control; a
// link shows its address as it is, and is a tab stop whatever its designed
// tab order. SS_ENDELLIPSIS keeps a single-line label's text on its one
// line.
LabelPeer::LabelPeer(FormWindow& form, Label& label, int id)
    : ControlWindow(form, label, id), label_(label), link_(label.isLink()), colour_(label.foreColour()) {
    DWORD style =
        SS_LEFT | SS_NOTIFY | (link_ ? SS_NOPREFIX | WS_TABSTOP : 0) | (label.singleLine() ? SS_ENDELLIPSIS : 0);
    CreateWindowFrom({L"Static", style, 0, &label.caption()});
    const Font& font = label.font();
    if (link_ || !font.face.empty() || font.points > 0 || font.bold || font.underline)
        SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(form.fonts().For(font, link_)), FALSE);
    if (link_) {
        SetWindowSubclass(hwnd(), LinkKeys, kLinkKeys, 0);
        MakeFocusable();
    }
}

void LabelPeer::Update(Prop what) {
    if (what == Prop::Caption) ShowText(label_.caption());
    else ControlWindow::Update(what);
}

Handler LabelPeer::ActionForCommand(WORD code) {
    if (code != STN_CLICKED) return {};
    return [l = &label_] { l->Click(); };
}

// Looked up at each paint, so a change of the scheme shows at once.
bool LabelPeer::TextColour(COLORREF& colour) const {
    if (colour_ != kSystemColour) colour = ScreenColour(colour_, COLOR_BTNTEXT);
    else if (link_) colour = LinkColour();
    else return false;
    return true;
}

// A static control takes the focus when it is a tab stop, but does not show
// it and knows no keys: the link's own part of it. The dialog manager
// (IsDialogMessage) would press the default button with Enter unless the
// focused control asks for the key (DLGC_WANTMESSAGE); Space reaches it as
// any key does. WM_UPDATEUISTATE comes when the keyboard has been used and
// focus rectangles are to show.
LRESULT CALLBACK LabelPeer::LinkKeys(HWND hwnd, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
    switch (message) {
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, LinkKeys, kLinkKeys);
        break;
    case WM_GETDLGCODE: {
        LRESULT code = DefSubclassProc(hwnd, message, w, l);
        const auto* msg = reinterpret_cast<const MSG*>(l);
        if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_KEYDOWN:
        // Once a press: a held key repeats (bit 30: it was down already).
        if ((w == VK_RETURN || w == VK_SPACE) && !(l & (1 << 30))) {
            Open(hwnd);
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE: {
        LRESULT result = DefSubclassProc(hwnd, message, w, l);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case WM_PAINT:
        // The whole text is drawn anew under the rectangle, which is drawn
        // by inverting.
        if (w || GetFocus() != hwnd) break;
        InvalidateRect(hwnd, nullptr, TRUE);
        {
            LRESULT result = DefSubclassProc(hwnd, message, w, l);
            DrawFocus(hwnd);
            return result;
        }
    default:
        if (message == DefaultActionMessage()) {
            Open(hwnd);
            return 0;
        }
        break;
    }
    return DefSubclassProc(hwnd, message, w, l);
}

}  // namespace ui::win32
