#include "platform/ui/win32/button_peer.h"

namespace ui::win32 {

ButtonPeer::ButtonPeer(FormWindow& form, CommandButton& button, int id)
    : ControlWindow(form, button, id), button_(button), designedDefault_(button.isDefault()) {
    CreateWindowFrom(
        {L"Button", TabStop() | DWORD(designedDefault_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, &button.caption()});
    MakeFocusable();
}

void ButtonPeer::Update(Prop what) {
    if (what == Prop::Caption) ShowText(button_.caption());
    else ControlWindow::Update(what);
}

Handler ButtonPeer::ActionForCommand(WORD code) {
    if (code != BN_CLICKED) return {};
    return [b = &button_] { b->Click(); };
}

void ButtonPeer::ShowAsDefault(bool on) {
    if (!hwnd()) return;
    // The dialog manager changes the style too: compare with the window's own.
    bool now = (GetWindowLongW(hwnd(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (on == now) return;
    SendMessageW(hwnd(), BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

}  // namespace ui::win32
