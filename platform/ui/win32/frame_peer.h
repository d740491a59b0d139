// A frame: a captioned group box (BS_GROUPBOX) under the controls it
// holds, which it shows, hides, enables and moves with itself.
#pragma once

#include "platform/ui/win32/control_window.h"

namespace ui::win32 {

class FramePeer final : public ControlWindow {
public:
    FramePeer(FormWindow& form, Frame& frame, int id);

    void Update(Prop what) override;
    bool LiesUnderOthers() const override { return true; }

private:
    void ApplyToContents(Prop what);

    Frame& frame_;
};

}  // namespace ui::win32
