// A timer: no window of its own; it ticks with the form's WM_TIMER under
// its control id while it runs.
#pragma once

#include "platform/ui/win32/control_window.h"

namespace ui::win32 {

class TimerPeer final : public ControlWindow {
public:
    TimerPeer(FormWindow& form, Timer& timer, int id);

    void Update(Prop what) override;
    Handler ActionForTimer() override;

private:
    void Arm();

    Timer& timer_;
};

}  // namespace ui::win32
