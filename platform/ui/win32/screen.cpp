#include "platform/ui/win32/screen.h"

#include <algorithm>

#include "platform/ui/dispatch.h"
#include "platform/win32/scoped.h"

namespace ui::win32 {

Scale ScreenScale() {
    win::ScreenDC screen;
    int dpiX = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    int dpiY = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    if (dpiX <= 0) dpiX = 96;
    if (dpiY <= 0) dpiY = 96;
    return {1440.0 / dpiX, 1440.0 / dpiY};
}

PixelRect ToPixels(const TwipsRect& t, Scale s) {
    return {TwipsToPixels(t.left, s.x), TwipsToPixels(t.top, s.y), TwipsToPixels(t.width, s.x),
            TwipsToPixels(t.height, s.y)};
}

namespace {
BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    return Dispatch([&] {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(monitor, &info))
            reinterpret_cast<std::vector<PixelRect>*>(areas)->push_back(FromRect(info.rcWork));
        return TRUE;
    });
}
}  // namespace

std::vector<PixelRect> MonitorWorkAreas() {
    std::vector<PixelRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

PixelRect WorkAreaNear(HWND window) {
    HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                              : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor && GetMonitorInfoW(monitor, &info)) return FromRect(info.rcWork);
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

PixelRect CentredIn(const PixelRect& area, int width, int height) {
    int x = area.x + std::max(0, (area.width - width) / 2);
    int y = area.y + std::max(0, (area.height - height) / 2);
    return {x, y, width, height};
}

}  // namespace ui::win32
