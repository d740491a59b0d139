// An editable drop-down box (CBS_DROPDOWN): an edit field with the model's
// entries in a list below it; or a drop-down list (CBS_DROPDOWNLIST), which
// shows the chosen entry in place of the field.
#pragma once

#include "platform/ui/win32/control_window.h"

namespace ui::win32 {

class ComboBoxPeer final : public ControlWindow {
public:
    ComboBoxPeer(FormWindow& form, ComboBox& box, int id);

    void Update(Prop what) override;
    void Detach() override;
    // The focus and the typing are the edit field's.
    bool Owns(HWND window) const override { return ControlWindow::Owns(window) || (window && window == edit_); }
    Handler ActionForCommand(WORD code) override;

private:
    PixelRect Placement() const override;
    void ApplyText();

    ComboBox& box_;
    // The box's edit field and list (GetComboBoxInfo).
    HWND edit_ = nullptr;
    HWND list_ = nullptr;
};

}  // namespace ui::win32
