// How a section name, key or value of the settings file stands in its line.
//
// UTF-8, with the few bytes a line cannot hold raw written %XX (upper-case
// hex): '%' itself, control characters (tab, CR and LF among them), the
// characters that end or hide a line (U+0080-U+009F, U+2028, U+2029,
// U+FEFF), a blank at either end, and in names = [ ] ; #. A lone surrogate
// is written as the three bytes its code point would take, so that every
// text comes back as it was.
//
// Files written before this form (they lack the marker line) escaped with
// backslashes: \\ \n \r \t, \xHH, \uHHHH, and \= \[ \] \; \# in names. They
// are read as they were written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/vb/string.h"

namespace platform::settings_text {

// The first line of a file in this form.
inline constexpr std::string_view kMarker = "; brivane settings: UTF-8, bytes that need it as %XX";

std::string Encode(vb::StringView text, bool isName);

// The text a field stands for; nothing when it is not text someone wrote
// (invalid UTF-8, a raw control character other than tab, a broken %XX).
std::optional<vb::String> Decode(std::string_view field);
std::optional<vb::String> DecodeLegacy(std::string_view field);

// Where the name of an entry line ends: its first '=' outside an escape;
// npos when there is none.
size_t NameEnd(std::string_view line, bool legacy);

// Whether a line reads alike in both forms (it holds no '\' and no '%').
inline bool ReadsAlike(std::string_view line) { return line.find_first_of("\\%") == std::string_view::npos; }

}  // namespace platform::settings_text
