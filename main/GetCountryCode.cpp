#include "main/GetCountryCode.h"

#include "settings/IniLib.h"
#include "settings/Settings.h"

namespace {
constexpr const char16_t* kFallbackCode = u"US";
}

vb::String GetCountryCode(vb::StringView name) {
    vb::String country(name);
    if (country.empty()) country = settings::GetSetting(settings::key::kCountry);
    vb::String code = IniLib::GetKeyValue(u"Countries", country, kFallbackCode, u"", u"", u"");
    return code.empty() ? vb::String(kFallbackCode) : code;
}
