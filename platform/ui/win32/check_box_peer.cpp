#include "platform/ui/win32/check_box_peer.h"

namespace ui::win32 {

// BS_3STATE, not BS_AUTO3STATE: the model decides the state (a click ticks
// a greyed box and never greys one, where the automatic box would go round
// all three), the window shows it.
CheckBoxPeer::CheckBoxPeer(FormWindow& form, CheckBox& box, int id) : ControlWindow(form, box, id), box_(box) {
    CreateWindowFrom({L"Button", TabStop() | BS_3STATE, 0, &box.caption()});
    ApplyValue();
    MakeFocusable();
}

void CheckBoxPeer::Update(Prop what) {
    if (what == Prop::Caption) ShowText(box_.caption());
    else if (what == Prop::Value) ApplyValue();
    else ControlWindow::Update(what);
}

void CheckBoxPeer::ApplyValue() {
    if (!hwnd()) return;
    int16_t v = box_.value();
    WPARAM state = v == 1 ? BST_CHECKED : v == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
    SendMessageW(hwnd(), BM_SETCHECK, state, 0);
}

Handler CheckBoxPeer::ActionForCommand(WORD code) {
    if (code != BN_CLICKED) return {};
    return [b = &box_] { b->UserClick(); };
}

}  // namespace ui::win32
