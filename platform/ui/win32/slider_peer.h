// A slider: a horizontal trackbar of whole positions.
#pragma once

#include "platform/ui/win32/control_window.h"

namespace ui::win32 {

class SliderPeer final : public ControlWindow {
public:
    SliderPeer(FormWindow& form, Slider& slider, int id);

    void Update(Prop what) override;
    Handler ActionForScroll() override;

private:
    void ApplyRange();

    Slider& slider_;
};

}  // namespace ui::win32
