// One field of a line of the stand-in's state file: UTF-8, with "%XX" for
// control characters, DEL and "%", and "%uXXXX" for a lone surrogate, so
// that a field never holds a tab or a line break and any text round-trips.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vb/string.h"

namespace host::sim {

std::string EscapeField(vb::StringView text);
// nullopt for a broken escape. Bytes that are not UTF-8 read as U+FFFD.
std::optional<vb::String> UnescapeField(std::string_view field);

// The line's fields, split at tabs, not yet unescaped.
std::vector<std::string_view> SplitFields(std::string_view line);

}  // namespace host::sim
