// The QR code of a map's URL, for a phone's camera to open: the URL's
// UTF-8 bytes in byte mode, error correction level M (L only when M cannot
// hold the URL), drawn with a quiet zone of four modules, each module a
// whole number of pixels. The encoder is the QR code library's; the
// picture's size is decided here.
#pragma once

#include <optional>
#include <vector>

#include "platform/ui/controls.h"
#include "platform/vb/string.h"

namespace phone_code {

// The light border a reader needs around the code, in modules.
inline constexpr int kQuietZone = 4;
// A module's designed size: 4 pixels at 96 dpi, in twips, so that it
// scales with the screen's dpi.
inline constexpr int kModuleTwips = 60;
// The designed size gives way only to a code too large for the screen, and
// never below this.
inline constexpr int kSmallestModulePixels = 2;
// The most bytes any QR code holds (version 40, level L, byte mode).
inline constexpr size_t kMostBytes = 2953;

enum class Level { Low, Medium };

struct Code {
    int size = 0;  // modules a side, without the quiet zone
    Level level = Level::Medium;
    std::vector<bool> dark;  // size * size, row by row

    bool Dark(int x, int y) const { return dark[static_cast<size_t>(y) * size + x]; }
};

// The URL's code; nullopt when it is too long for any QR code.
std::optional<Code> Encode(vb::StringView url);

// The bytes a code of the URL holds: its UTF-8 (an unpaired surrogate as
// U+FFFD).
std::string Bytes(vb::StringView url);

// Pixels a side of one module: the designed size on this screen (rounded
// up, and never fewer than 4), or, when a code of `modules` a side (quiet
// zone included) would be larger than `roomPixels`, the most that fit,
// never fewer than kSmallestModulePixels.
int ModulePixels(int modules, double twipsPerPixel, int roomPixels);

// The code with its quiet zone as a picture of cells, each module
// `modulePixels` a side.
ui::CellPicture Picture(const Code& code, int modulePixels);

}  // namespace phone_code
