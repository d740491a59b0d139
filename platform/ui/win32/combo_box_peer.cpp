#include "platform/ui/win32/combo_box_peer.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/ui/win32/form_window.h"
#include "platform/ui/win32/text.h"
#include "platform/win32/wide.h"

namespace ui::win32 {

ComboBoxPeer::ComboBoxPeer(FormWindow& form, ComboBox& box, int id) : ControlWindow(form, box, id), box_(box) {
    DWORD kind = box.listOnly() ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL;
    CreateWindowFrom({WC_COMBOBOXW, TabStop() | kind | WS_VSCROLL, 0, &box.text()});
    HWND hwnd = this->hwnd();
    SendMessageW(hwnd, CB_LIMITTEXT, 0, 0);
    for (const vb::String& entry : box.list())
        SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::WidePtr(entry)));
    // Now that the font and the entries are known, the list gets room for
    // all of them: version 6 of the box counts entries (CB_SETMINVISIBLE),
    // older ones take the window's height.
    SendMessageW(hwnd, CB_SETMINVISIBLE, std::max<WPARAM>(box.list().size(), 1), 0);
    PixelRect at = Placement();
    SetWindowPos(hwnd, nullptr, 0, 0, at.width, at.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The focus lands in the box's edit field, which reports it too (a
    // drop-down list has none: it takes the focus itself).
    COMBOBOXINFO info{.cbSize = sizeof info};
    if (GetComboBoxInfo(hwnd, &info) && info.hwndItem && info.hwndItem != hwnd) {
        edit_ = info.hwndItem;
        WatchFocusOf(edit_);
    }
    list_ = info.hwndList;
    // The box leaves out the text it was created with.
    ApplyText();
    MakeFocusable();
}

// The box's window reaches down over its open list; the designed height is
// that of its field, which the box sizes to its font itself.
PixelRect ComboBoxPeer::Placement() const {
    PixelRect at = ControlWindow::Placement();
    int entries = static_cast<int>(box_.list().size());
    int itemHeight = hwnd() ? static_cast<int>(SendMessageW(hwnd(), CB_GETITEMHEIGHT, 0, 0)) : 0;
    if (itemHeight <= 0) itemHeight = at.height;
    at.height += std::max(entries, 1) * itemHeight + 2;
    return at;
}

void ComboBoxPeer::Update(Prop what) {
    if (what == Prop::Text) ApplyText();
    else ControlWindow::Update(what);
}

void ComboBoxPeer::Detach() {
    ControlWindow::Detach();
    edit_ = list_ = nullptr;
}

void ComboBoxPeer::ApplyText() {
    if (!hwnd()) return;
    if (box_.listOnly()) {
        SendMessageW(hwnd(), CB_SETCURSEL, box_.listIndex(), 0);
        return;
    }
    ShowText(box_.text());
    // The box looked the new text up among its entries and lost its place
    // in the list; arrow keys go on from the entry chosen last.
    int chosen = box_.listIndex();
    if (list_ && chosen >= 0) {
        SendMessageW(list_, LB_SETCURSEL, chosen, 0);
        SendMessageW(list_, LB_SETCARETINDEX, chosen, FALSE);
    }
}

Handler ComboBoxPeer::ActionForCommand(WORD code) {
    if (code == CBN_EDITCHANGE && !ShowingText()) return [b = &box_, text = WindowText(hwnd())] { b->UserTyped(text); };
    if (code != CBN_SELCHANGE) return {};
    int index = static_cast<int>(SendMessageW(hwnd(), CB_GETCURSEL, 0, 0));
    if (index < 0) return {};
    // The box writes the entry into its field after CBN_SELCHANGE, over
    // whatever the handler put there: the field shows the model's text
    // again once the box is done.
    form().PostRefresh(id());
    return [b = &box_, index] { b->UserChose(index); };
}

}  // namespace ui::win32
