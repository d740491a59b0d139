// The clipboard: what "Copy address" and "Copy link" put there.
#pragma once

#include "platform/vb/string.h"

namespace ui {

// Puts the text on the clipboard as Unicode text; false when another
// program holds the clipboard and nothing was copied. Unicode text ends at
// its first NUL, so a NUL inside the text is copied as U+FFFD, and what
// follows it is kept.
bool CopyToClipboard(vb::StringView text);

}  // namespace ui
