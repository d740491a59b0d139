// The runtime's settings statements: GetSetting and SaveSetting on the
// settings store in use (see platform/settings_store.h).
#pragma once

#include <concepts>
#include <string>

#include "platform/vb/string.h"

namespace vb {

// A number passed as a default comes back as its decimal text; characters and
// truth values have no single decimal text and are not accepted.
template <class T>
concept DecimalNumber =
    std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> && !std::same_as<T, wchar_t> &&
    !std::same_as<T, char8_t> && !std::same_as<T, char16_t> && !std::same_as<T, char32_t>;

// The stored value when the key exists, even when it is empty; otherwise the
// default, or the empty string without one. Application and section names
// must be non-empty, and no name may contain a NUL: such a key never exists.
String GetSetting(StringView app, StringView section, StringView key);
String GetSetting(StringView app, StringView section, StringView key, StringView default_value);

template <DecimalNumber Number>
String GetSetting(StringView app, StringView section, StringView key, Number default_value) {
    return GetSetting(app, section, key, StringView(FromAscii(std::to_string(default_value))));
}

// Stores the value as it is. Raises error 5 for a name GetSetting could never
// find (see above) and error 75 when the store could not keep the value.
void SaveSetting(StringView app, StringView section, StringView key, StringView value);

}  // namespace vb
