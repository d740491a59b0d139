// The program's own settings: always its title as the application name and the
// section "Settings", so call sites name only the key.
#pragma once

#include "platform/product.h"
#include "platform/vb/settings.h"
#include "platform/vb/string.h"

namespace settings {

inline constexpr vb::StringView kApplication = u"" BRIVANE_TITLE;
inline constexpr vb::StringView kSection = u"Settings";

// Every key the program reads or writes.
namespace key {
inline constexpr vb::StringView kLeft = u"Left";        // main window's left edge, twips
inline constexpr vb::StringView kTop = u"Top";          // main window's top edge, twips
inline constexpr vb::StringView kClose = u"Close";      // "Do not close this window": "0" or "1"
inline constexpr vb::StringView kMapURL = u"MapURL";    // map page URL as typed, may be empty
inline constexpr vb::StringView kCountry = u"Country";  // fallback country as typed, may be empty
inline constexpr vb::StringView kZoom = u"Zoom";        // zoom level "1" to "10"
}  // namespace key

// The stored text, even when empty; the default (as decimal text for a
// number), or "" without one, when the key was never written.
vb::String GetSetting(vb::StringView key);
vb::String GetSetting(vb::StringView key, vb::StringView default_value);

template <vb::DecimalNumber Number>
vb::String GetSetting(vb::StringView key, Number default_value) {
    return vb::GetSetting(kApplication, kSection, key, default_value);
}

// Raises vb::Error when the value could not be stored.
void SaveSetting(vb::StringView key, vb::StringView value);

}  // namespace settings
