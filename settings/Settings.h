// The program's own settings: always its title as the application name and the
// section "Settings" (the route's own section for the route), so call sites
// name only the key.
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
// The user's start address (office or home) as typed; blank: none.
inline constexpr vb::StringView kStartAddress = u"StartAddress";
}  // namespace key

// The day's route, in a section of its own: "Count" stops, the text of each
// in "Stop1" to "StopN" (one line), "BackToStart" "0" or "1", "TravelMode"
// "driving", "walking" or "bicycling".
inline constexpr vb::StringView kRouteSection = u"Route";
namespace route_key {
inline constexpr vb::StringView kCount = u"Count";
inline constexpr vb::StringView kStopPrefix = u"Stop";
inline constexpr vb::StringView kBackToStart = u"BackToStart";
inline constexpr vb::StringView kTravelMode = u"TravelMode";
}  // namespace route_key

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

// The same in the route's section; "" for a key never written.
vb::String GetRouteSetting(vb::StringView key);
void SaveRouteSetting(vb::StringView key, vb::StringView value);

}  // namespace settings
