#include "platform/ui/win32/text_box_peer.h"

#include "platform/ui/win32/text.h"

namespace ui::win32 {

TextBoxPeer::TextBoxPeer(FormWindow& form, TextBox& box, int id) : ControlWindow(form, box, id), box_(box) {
    CreateWindowFrom({L"Edit", TabStop() | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, &box.text()});
    SendMessageW(hwnd(), EM_SETLIMITTEXT, 0, 0);  // as long as the system allows
    MakeFocusable();
}

void TextBoxPeer::Update(Prop what) {
    if (what == Prop::Text) ShowText(box_.text());
    else ControlWindow::Update(what);
}

Handler TextBoxPeer::ActionForCommand(WORD code) {
    if (code != EN_CHANGE || ShowingText()) return {};
    return [b = &box_, text = WindowText(hwnd())] { b->UserTyped(text); };
}

}  // namespace ui::win32
