// A text box: a one-line edit field.
#pragma once

#include "platform/ui/win32/control_window.h"

namespace ui::win32 {

class TextBoxPeer final : public ControlWindow {
public:
    TextBoxPeer(FormWindow& form, TextBox& box, int id);

    void Update(Prop what) override;
    Handler ActionForCommand(WORD code) override;

private:
    TextBox& box_;
};

}  // namespace ui::win32
