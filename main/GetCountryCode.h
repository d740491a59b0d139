// The current map site's code for a country written in a contact.
#pragma once

#include "platform/vb/string.h"

// The code from the countries file named by Module2::CountriesFile; the
// "Country" setting stands in for an empty name; "US" when nothing is found.
// The code is returned as the file gives it.
vb::String GetCountryCode(vb::StringView name);
