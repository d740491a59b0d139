// Map page URLs of today's map services: a map URL that names the contact's
// address parts in braces ("https://maps.example.org/?q={address}") is filled
// in, each value encoded as the address of a web page requires (UTF-8,
// percent-encoded), instead of getting one of the two legacy parameter sets.
#pragma once

#include "main/MapURL.h"

namespace map_url {

// Whether the URL names at least one placeholder ({street}, {city}, {state},
// {zip}, {country}, {address}, {zoom}, {from}; any letter case).
bool IsTemplate(vb::StringView url);

// Whether the URL names {from}, the user's start address.
bool NamesStartAddress(vb::StringView url);

// The URL with every placeholder replaced by its value. Each contact field
// is asked for at most once, and only when a placeholder needs it. Text in
// braces that names no placeholder stays as written.
vb::String ExpandTemplate(vb::StringView url, const Inputs& inputs);

// A field as a placeholder takes it: each line without blanks around it,
// empty lines dropped, the lines joined by ", ".
vb::String PlaceText(vb::StringView field);

// The contact's address as {address} gives it, not yet encoded: the street,
// city, state, postal code and country (or the country setting) that are
// not empty, in that order, joined by ", ". Empty for a contact without an
// address. Reads the five fields in that order.
vb::String AddressText(const Inputs& inputs);

// The text as UTF-8, every byte but A-Z, a-z, 0-9, '-', '.', '_' and '~'
// written %XX (upper-case hex); an unpaired surrogate counts as U+FFFD.
vb::String PercentEncode(vb::StringView text);

}  // namespace map_url
