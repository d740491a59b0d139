// A line: no window of its own; the form draws it in its WM_PAINT and
// paints again when it moves, shows or hides.
#pragma once

#include "platform/ui/win32/control_window.h"

namespace ui::win32 {

class LinePeer final : public ControlWindow {
public:
    LinePeer(FormWindow& form, Line& line, int id) : ControlWindow(form, line, id), line_(line) {}

    void Update(Prop what) override;
    void Draw(HDC dc) const override;

private:
    const Line& line_;
};

}  // namespace ui::win32
