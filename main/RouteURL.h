// The directions URL of the day's route: from the start address (or from
// where the user is), through the stops in order, to the last stop or back
// to the start. Pure, beside the template expander: the Route window
// gathers the route and opens the result.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "platform/vb/string.h"

namespace route_url {

enum class TravelMode { Driving, Walking, Bicycling };

// The mode as the URL and the stored setting write it: "driving",
// "walking", "bicycling".
vb::StringView ModeWord(TravelMode mode);
// The mode a word names (any letter case), or nullopt.
std::optional<TravelMode> ModeOfWord(vb::StringView word);

// A map service's rules for a directions URL with stops on the way.
struct Provider {
    const char16_t* name;         // as the messages name the service
    const char16_t* base;         // the URL up to its first parameter
    const char16_t* origin;       // the parameters, each with its "&"
    const char16_t* destination;  //
    const char16_t* waypoints;    //
    char16_t separator;           // between two waypoints, percent-encoded
    size_t maxWaypoints;          // the most stops on the way it documents
    const char16_t* travelMode;   //
};

// Google Maps URLs, directions with waypoints: "api=1", origin (left out:
// from where the user is), destination, waypoints separated by "|" (at
// most 9 in a browser), travelmode. Documented at
// https://developers.google.com/maps/documentation/urls/get-started#directions-action
//
// Another service becomes a row here only where its documentation
// describes several stops; Bing Maps' custom map URLs define a route's
// start and end (rtp=A~B) and Apple Maps links a start and a destination
// (saddr, daddr), with no stops between them.
inline constexpr std::array<Provider, 1> kProviders{{
    {u"Google Maps", u"https://www.google.com/maps/dir/?api=1", u"&origin=", u"&destination=", u"&waypoints=", u'|', 9,
     u"&travelmode="},
}};

struct Route {
    vb::String start;               // as stored; blank: start where the user is
    std::vector<vb::String> stops;  // in order, each an address as one line
    bool backToStart = false;       // a round trip: the start is the destination
    TravelMode mode = TravelMode::Driving;
};

enum class Refusal {
    None,
    NoStops,                // nothing to go to
    RoundTripWithoutStart,  // back to a start that is not set
    TooManyStops,           // more stops on the way than the service takes
    StopWithoutAddress,     // a stop with nothing the service could go to
};

struct Outcome {
    vb::String url;  // empty when refused
    Refusal refusal = Refusal::None;
    size_t waypoints = 0;  // the stops on the way the route needs
    size_t stop = 0;       // the stop without an address, counted from 1
};

// Each address is given as a template gives a field (each line trimmed,
// empty lines dropped, the lines joined by ", "), a separator of waypoints
// inside it counting as a line break, and UTF-8 percent-encoded as the
// templates' values are: no address can add or end a parameter or a
// waypoint. A stop left with no address by that (blanks and separators
// only) refuses the route, as a missing stop would. A refused route gets
// no URL: no stop is ever left out.
Outcome Build(const Route& route, const Provider& provider = kProviders.front());

// What the user is told when a route is refused, in the user's terms.
vb::String RefusalMessage(const Outcome& outcome, const Route& route, const Provider& provider = kProviders.front());

}  // namespace route_url
