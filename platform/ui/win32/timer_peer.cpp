#include "platform/ui/win32/timer_peer.h"

#include "platform/ui/win32/form_window.h"

namespace ui::win32 {

TimerPeer::TimerPeer(FormWindow& form, Timer& timer, int id) : ControlWindow(form, timer, id), timer_(timer) { Arm(); }

void TimerPeer::Update(Prop what) {
    if (what == Prop::Interval) Arm();
    else ControlWindow::Update(what);
}

void TimerPeer::Arm() { form().ArmTimer(id(), timer_.Running() ? timer_.interval() : 0); }

Handler TimerPeer::ActionForTimer() {
    return [t = &timer_] { t->Tick(); };
}

}  // namespace ui::win32
