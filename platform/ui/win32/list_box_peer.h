// A list box (LBS_NOTIFY): the model's entries, one selected at most, with
// a horizontal scroll bar as wide as its widest entry.
#pragma once

#include "platform/ui/win32/control_window.h"

namespace ui::win32 {

class ListBoxPeer final : public ControlWindow {
public:
    ListBoxPeer(FormWindow& form, ListBox& box, int id);

    void Update(Prop what) override;
    Handler ActionForCommand(WORD code) override;
    Handler ActionForKey(WORD key, int& keyCode) override;

private:
    void Fill();
    void ApplySelection();

    ListBox& box_;
};

}  // namespace ui::win32
