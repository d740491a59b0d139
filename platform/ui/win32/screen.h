// The screen in the forms model's terms: twips per pixel, the monitors'
// work areas, and where a centred window goes.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/ui/geometry.h"

namespace ui::win32 {

struct Scale {
    double x = 15, y = 15;  // twips per pixel
};

// 1440 divided by the screen's dots per inch, each way.
Scale ScreenScale();

// Each length converted on its own, halves rounded to the even neighbour.
PixelRect ToPixels(const TwipsRect& twips, Scale scale);

std::vector<PixelRect> MonitorWorkAreas();

// The work area of the monitor that shows `window` (the primary one without).
PixelRect WorkAreaNear(HWND window);

// A window of the given outer size centred in the area, never above or left
// of it.
PixelRect CentredIn(const PixelRect& area, int width, int height);

inline PixelRect FromRect(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

}  // namespace ui::win32
