// The forms model's colours on the screen. Colours of the user's scheme
// are looked up as each paint asks for them, so a change of theme or of
// high contrast shows at the next paint.
#pragma once

#include <windows.h>

#include "platform/ui/geometry.h"

namespace ui::win32 {

// A scheme colour as the scheme has it now; a fixed one as it is; the
// system's choice as `otherwise`.
COLORREF ScreenColour(Colour colour, int otherwise);

// The text of links: the system's hot-track colour, the colour of links in
// high contrast, unless it cannot be read on the windows' face (a contrast
// below 4.5:1, as in themes that keep it for hot-tracked menus); then the
// scheme's button text, which always can be.
COLORREF LinkColour();
COLORREF ReadableLinkColour(COLORREF hotTrack, COLORREF face, COLORREF text);

// The contrast of two colours as the accessibility guidelines for the web
// measure it: from 1 (the same) to 21 (black on white).
double ContrastRatio(COLORREF a, COLORREF b);

}  // namespace ui::win32
