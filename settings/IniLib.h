// IniLib: one entry of a profile file as text, with a default and an
// optional check that the value is a number. The countries lookup of the map
// request reads the current site's countries file through it.
#pragma once

#include "platform/vb/string.h"

namespace IniLib {

// The value of `key` in `section` of the profile file `fileName` (the
// current countries file, Module2::CountriesFile, when empty), at most 126
// characters; `defaultValue` when the file yields no value or an empty one.
// With `valueType` exactly "Numeric" or "Boolean", a result that is no number
// is replaced by `typeDefault` unless that is empty.
// Never raises: a run-time error inside shows the common error report and
// gives the result as far as it was known (the empty text before the read).
vb::String GetKeyValue(vb::StringView section, vb::StringView key, vb::StringView defaultValue,
                       vb::StringView valueType, vb::StringView typeDefault, vb::StringView fileName);

}  // namespace IniLib
