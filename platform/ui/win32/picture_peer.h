// A picture box: one of the program's icons, at 32 by 32 pixels.
#pragma once

#include "platform/ui/win32/control_window.h"
#include "platform/win32/scoped.h"

namespace ui::win32 {

class PicturePeer final : public ControlWindow {
public:
    PicturePeer(FormWindow& form, PictureBox& box, int id);

private:
    win::ScopedIcon picture_;
};

}  // namespace ui::win32
