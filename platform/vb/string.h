// Text inside the program is UTF-16, as on the platform it was designed for.
#pragma once

#include <string>
#include <string_view>

namespace vb {

using String = std::u16string;
using StringView = std::u16string_view;

// UTF-8 only at the edges (files, the console, Linux APIs). Lone surrogates
// become U+FFFD on the way out; invalid bytes become U+FFFD on the way in.
std::string ToUtf8(StringView text);
String FromUtf8(std::string_view bytes);

// ASCII-only convenience for literals and numbers.
String FromAscii(std::string_view ascii);

}  // namespace vb
