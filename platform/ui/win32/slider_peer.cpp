#include "platform/ui/win32/slider_peer.h"

#include <commctrl.h>

namespace ui::win32 {

SliderPeer::SliderPeer(FormWindow& form, Slider& slider, int id) : ControlWindow(form, slider, id), slider_(slider) {
    CreateWindowFrom({TRACKBAR_CLASSW, TabStop() | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS});
    ApplyRange();
    MakeFocusable();
}

void SliderPeer::Update(Prop what) {
    if (what == Prop::Value) {
        if (hwnd()) SendMessageW(hwnd(), TBM_SETPOS, TRUE, slider_.value());
    } else if (what == Prop::Range) {
        ApplyRange();
    } else {
        ControlWindow::Update(what);
    }
}

// The arrow keys move by the small change (TBM_SETLINESIZE), the page keys
// and clicks on the track by the large one (TBM_SETPAGESIZE).
void SliderPeer::ApplyRange() {
    if (!hwnd()) return;
    SendMessageW(hwnd(), TBM_SETRANGEMIN, FALSE, slider_.min());
    SendMessageW(hwnd(), TBM_SETRANGEMAX, FALSE, slider_.max());
    SendMessageW(hwnd(), TBM_SETLINESIZE, 0, slider_.smallChange());
    SendMessageW(hwnd(), TBM_SETPAGESIZE, 0, slider_.largeChange());
    SendMessageW(hwnd(), TBM_SETTICFREQ, slider_.tickFrequency() > 0 ? slider_.tickFrequency() : 1, 0);
    SendMessageW(hwnd(), TBM_SETPOS, TRUE, slider_.value());
}

Handler SliderPeer::ActionForScroll() {
    if (!hwnd()) return {};
    int position = static_cast<int>(SendMessageW(hwnd(), TBM_GETPOS, 0, 0));
    return [s = &slider_, position] { s->UserMoved(position); };
}

}  // namespace ui::win32
