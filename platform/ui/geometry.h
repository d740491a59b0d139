// Lengths of the forms model are in twips (1/1440 inch), as the windows were
// designed; the backends turn them into pixels of the screen in use.
#pragma once

#include <cmath>

namespace ui {

struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

inline bool Intersects(const PixelRect& a, const PixelRect& b) {
    // In 64 bits: a position read from a damaged setting may be near the limits.
    auto end = [](int from, int length) { return static_cast<long long>(from) + length; };
    return a.x < end(b.x, b.width) && b.x < end(a.x, a.width) && a.y < end(b.y, b.height) && b.y < end(a.y, a.height);
}

// Divides as floating point, then rounds halves to the even neighbour.
inline int TwipsToPixels(double twips, double twipsPerPixel) {
    return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

// Colours as 0x00BBGGRR; kSystemColour leaves the system's choice.
using Colour = unsigned;
inline constexpr Colour kSystemColour = 0xFFFFFFFFu;
inline constexpr Colour Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

// A colour of the user's scheme, by the system's index of it (COLOR_...),
// written with the high bit set as the designed runtime writes them: it
// follows the theme and high contrast.
inline constexpr Colour SchemeColour(unsigned index) { return 0x80000000u | index; }
inline constexpr bool IsSchemeColour(Colour c) { return c != kSystemColour && (c & 0x80000000u) != 0; }
inline constexpr unsigned SchemeIndex(Colour c) { return c & 0xFFu; }
inline constexpr Colour kButtonShadow = SchemeColour(16);     // COLOR_BTNSHADOW: the dark edge of 3D parts
inline constexpr Colour kButtonHighlight = SchemeColour(20);  // COLOR_BTNHIGHLIGHT: their light edge

}  // namespace ui
