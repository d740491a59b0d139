#include "platform/ui/win32/list_box_peer.h"

#include <algorithm>

#include "platform/ui/win32/form_window.h"
#include "platform/win32/wide.h"

namespace ui::win32 {

namespace {

// Shift (1), Ctrl (2) and Alt (4) as the key went down.
int ShiftState() {
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

}  // namespace

// LBS_NOINTEGRALHEIGHT keeps the designed height; LBS_WANTKEYBOARDINPUT
// sends the form WM_VKEYTOITEM for each key, so the model sees Delete.
ListBoxPeer::ListBoxPeer(FormWindow& form, ListBox& box, int id) : ControlWindow(form, box, id), box_(box) {
    CreateWindowFrom({L"ListBox",
                      TabStop() | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT | WS_VSCROLL | WS_HSCROLL,
                      WS_EX_CLIENTEDGE});
    Fill();
    MakeFocusable();
}

void ListBoxPeer::Update(Prop what) {
    if (what == Prop::List) Fill();
    else if (what == Prop::Value) ApplySelection();
    else ControlWindow::Update(what);
}

// The entries anew, and the scroll range as wide as the widest of them in
// the list's own font.
void ListBoxPeer::Fill() {
    HWND list = hwnd();
    if (!list) return;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    int widest = 0;
    HDC dc = GetDC(list);
    HGDIOBJ old = dc ? SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0))) : nullptr;
    for (const vb::String& entry : box_.list()) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::WidePtr(entry)));
        SIZE size{};
        if (dc && GetTextExtentPoint32W(dc, win::WidePtr(entry), static_cast<int>(entry.size()), &size))
            widest = std::max(widest, static_cast<int>(size.cx));
    }
    if (dc) {
        SelectObject(dc, old);
        ReleaseDC(list, dc);
    }
    // A little room after the text, as the list draws it indented.
    SendMessageW(list, LB_SETHORIZONTALEXTENT, widest > 0 ? widest + 6 : 0, 0);
    ApplySelection();
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void ListBoxPeer::ApplySelection() {
    if (!hwnd()) return;
    int index = box_.listIndex();
    SendMessageW(hwnd(), LB_SETCURSEL, index, 0);
    if (index >= 0) SendMessageW(hwnd(), LB_SETCARETINDEX, index, FALSE);
}

Handler ListBoxPeer::ActionForCommand(WORD code) {
    if (code != LBN_SELCHANGE) return {};
    int index = static_cast<int>(SendMessageW(hwnd(), LB_GETCURSEL, 0, 0));
    if (index < 0) return {};
    return [b = &box_, index] { b->UserSelected(index); };
}

Handler ListBoxPeer::ActionForKey(WORD key, int& keyCode) {
    keyCode = key;
    if (!box_.onKeyDown) return {};
    return [b = &box_, code = &keyCode, shift = ShiftState()] { b->UserKeyDown(*code, shift); };
}

}  // namespace ui::win32
