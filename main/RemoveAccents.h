// Folds the accented vowels that the map sites do not take into plain ones.
#pragma once

#include "platform/vb/string.h"

// Replaces é è ê ë à â ä ì ï î ò ö ô ù ü û, in either letter case, by the
// lower-case plain vowel; a plain vowel followed by the matching combining
// accent is folded the same way. Every other character stays as it is.
vb::String RemoveAccents(vb::StringView text);
