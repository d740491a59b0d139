// The URL a press of the main button opens for the current contact, or why
// it opens none. Whatever else opens or shows the press's URL takes it from
// here, with the same refusals.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/vb/string.h"

namespace press_url {

// What the user is told instead of an empty map.
inline constexpr const char16_t* kNoAddressMessage =
    u"This contact has no address: its street, city, state, postal code and country are all empty.";
inline constexpr const char16_t* kNoStartAddressMessage =
    u"This map page shows directions from your start address, and no start address is set.\r\n\r\n"
    u"Set it in Map > Show route..., under \"Start at\".";

struct Outcome {
    vb::String url;      // empty when refused
    vb::String site;     // the legacy site the map page names, or empty
    vb::String refusal;  // the message to show instead; empty when the URL opens
};

using FieldReader = std::function<vb::String(int16_t id)>;

// Reads the settings as a press does, sets the countries file of the site
// (Module2::CountriesFile) and reads the contact's fields through `field`.
// A template refuses a contact without an address (and, when it names
// {from}, a missing start address); the legacy pages open as designed.
Outcome Build(const FieldReader& field);

// The contact's address as one line, as {address} gives it (the country
// setting standing in for an empty country); empty for a contact without
// an address. Reads the five fields in order, once each.
vb::String ContactAddress(const FieldReader& field);

}  // namespace press_url
