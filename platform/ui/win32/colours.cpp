#include "platform/ui/win32/colours.h"

#include <algorithm>
#include <cmath>

namespace ui::win32 {

namespace {

constexpr double kReadableContrast = 4.5;

// The relative luminance of an sRGB colour.
double Luminance(COLORREF c) {
    auto linear = [](BYTE channel) {
        double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(c)) + 0.7152 * linear(GetGValue(c)) + 0.0722 * linear(GetBValue(c));
}

}  // namespace

COLORREF ScreenColour(Colour colour, int otherwise) {
    if (colour == kSystemColour) return GetSysColor(otherwise);
    if (IsSchemeColour(colour)) return GetSysColor(static_cast<int>(SchemeIndex(colour)));
    return colour;
}

double ContrastRatio(COLORREF a, COLORREF b) {
    double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

COLORREF ReadableLinkColour(COLORREF hotTrack, COLORREF face, COLORREF text) {
    return ContrastRatio(hotTrack, face) >= kReadableContrast ? hotTrack : text;
}

COLORREF LinkColour() {
    return ReadableLinkColour(GetSysColor(COLOR_HOTLIGHT), GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT));
}

}  // namespace ui::win32
