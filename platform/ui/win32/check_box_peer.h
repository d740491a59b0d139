// A check box of three states (unticked, ticked, greyed).
#pragma once

#include "platform/ui/win32/control_window.h"

namespace ui::win32 {

class CheckBoxPeer final : public ControlWindow {
public:
    CheckBoxPeer(FormWindow& form, CheckBox& box, int id);

    void Update(Prop what) override;
    Handler ActionForCommand(WORD code) override;

private:
    void ApplyValue();

    CheckBox& box_;
};

}  // namespace ui::win32
