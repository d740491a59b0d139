// The map pages the Preferences window offers in its list, by the names it
// shows: today's map services as templates (directions from where the user
// is, or from the start address, {from}), and the built-in page.
#pragma once

#include <array>

#include "main/MapURL.h"

namespace map_presets {

struct Preset {
    const char16_t* name;
    const char16_t* url;
};

inline constexpr std::array<Preset, 9> kPresets{{
    {u"OpenStreetMap", u"https://www.openstreetmap.org/search?query={address}"},
    {u"Google Maps", u"https://www.google.com/maps/search/?api=1&query={address}"},
    {u"Google Maps: directions from where you are", u"https://www.google.com/maps/dir/?api=1&destination={address}"},
    {u"Google Maps: directions from your start address",
     u"https://www.google.com/maps/dir/?api=1&origin={from}&destination={address}"},
    {u"Bing Maps: directions from your start address", u"https://www.bing.com/maps?rtp=adr.{from}~adr.{address}"},
    {u"Apple Maps: directions from your start address", u"https://maps.apple.com/?saddr={from}&daddr={address}"},
    {u"Bing Maps", u"https://www.bing.com/maps?where1={address}"},
    {u"Apple Maps", u"https://maps.apple.com/?q={address}"},
    {u"MapQuest (built-in default)", map_url::kDefaultMapURL},
}};

}  // namespace map_presets
