// A picture box: one of the program's icons, at 32 by 32 pixels, or a
// picture of black and white cells (a QR code) drawn pixel for pixel.
#pragma once

#include "platform/ui/win32/control_window.h"
#include "platform/win32/scoped.h"

namespace ui::win32 {

class PicturePeer final : public ControlWindow {
public:
    PicturePeer(FormWindow& form, PictureBox& box, int id);

    void Update(Prop what) override;

private:
    void ShowCells();

    PictureBox& box_;
    win::ScopedIcon picture_;
    // The static control shows it but does not own it.
    win::ScopedBitmap cells_;
};

// The cells as a bitmap of exactly their size in pixels, black on white
// (a 1-bit DIB section with its own colour table, which no colour scheme
// changes); nullptr when the picture is empty or cannot be made.
HBITMAP CellBitmap(const CellPicture& cells);

}  // namespace ui::win32
