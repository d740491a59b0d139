#include "settings/Settings.h"

namespace settings {

vb::String GetSetting(vb::StringView key) { return vb::GetSetting(kApplication, kSection, key); }

vb::String GetSetting(vb::StringView key, vb::StringView default_value) {
    return vb::GetSetting(kApplication, kSection, key, default_value);
}

void SaveSetting(vb::StringView key, vb::StringView value) { vb::SaveSetting(kApplication, kSection, key, value); }

vb::String GetRouteSetting(vb::StringView key) { return vb::GetSetting(kApplication, kRouteSection, key); }

void SaveRouteSetting(vb::StringView key, vb::StringView value) {
    vb::SaveSetting(kApplication, kRouteSection, key, value);
}

}  // namespace settings
