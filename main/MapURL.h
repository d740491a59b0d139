// The request URL of a web map page for the current contact. Pure: the
// handler gathers the inputs, opens the result and applies the close rule.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/vb/string.h"

namespace map_url {

// The built-in map page, used while no map page URL is set.
inline constexpr const char16_t* kDefaultMapURL = u"http://www.mapquest.com/maps/map.adp?";

// The site keywords the parameter sets are known by.
inline constexpr const char16_t* kMapQuest = u"mapquest";
inline constexpr const char16_t* kYahoo = u"yahoo";

// Contact field ids.
inline constexpr int16_t kStreet = 27, kCity = 30, kState = 31, kPostalCode = 32, kCountry = 33;

// The stored map page URL without surrounding blanks and line breaks, or the built-in
// page when that leaves nothing; "http://" in front unless it starts with
// "http://" or "https://" (any letter case).
vb::String BaseURL(vb::StringView mapURLSetting);

// "yahoo" when the URL holds that word (any letter case), else "mapquest"
// when it holds that one, else empty.
vb::String DetectSite(vb::StringView url);

struct Inputs {
    vb::String base;  // from BaseURL
    vb::String site;  // from DetectSite
    // Reads the zoom setting ("8" when absent); only asked for a known site.
    std::function<vb::String()> zoom;
    // Reads a contact field as text; asked in the order the site's
    // parameters need them, and only for a known site.
    std::function<vb::String(int16_t)> field;
    // The site's code for a country name, from the countries file.
    std::function<vb::String(vb::StringView)> countryCode;
    // The country setting, for a template's contact without a country.
    std::function<vb::String()> fallbackCountry;
    // The user's start address as stored, for a template's {from}.
    std::function<vb::String()> startAddress;
};

// A template (see MapTemplate.h) filled in; any other base with the site's
// parameters and the zoom appended (nothing for an unknown site). Values from the contact and the zoom are put in as
// they are, except that '"', '#', '%' and control characters inside them are percent-encoded: they would end the query,
// change its meaning at the site, or break out of the browser's command line. '"' and control characters are encoded
// anywhere in the URL.
vb::String Build(const Inputs& inputs);

}  // namespace map_url
