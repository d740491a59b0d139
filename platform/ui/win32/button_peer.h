// A command button: a push button, the default one drawn with the thick
// border the dialog manager gives the button Enter presses.
#pragma once

#include "platform/ui/win32/control_window.h"

namespace ui::win32 {

class ButtonPeer final : public ControlWindow {
public:
    ButtonPeer(FormWindow& form, CommandButton& button, int id);

    void Update(Prop what) override;
    Handler ActionForCommand(WORD code) override;
    bool IsPushButton() const override { return true; }
    bool IsDesignedDefault() const override { return designedDefault_; }
    void ShowAsDefault(bool on) override;

private:
    CommandButton& button_;
    const bool designedDefault_;
};

}  // namespace ui::win32
