#include "main/RouteURL.h"

#include <string>
#include <vector>

#include "main/MapTemplate.h"

namespace route_url {

namespace {

struct ModeName {
    TravelMode mode;
    vb::StringView word;
};

constexpr std::array<ModeName, 3> kModes{{
    {TravelMode::Driving, u"driving"},
    {TravelMode::Walking, u"walking"},
    {TravelMode::Bicycling, u"bicycling"},
}};

vb::String Number(size_t n) { return vb::FromAscii(std::to_string(n)); }

// The address as the route gives it: the service would read its own
// separator inside an address as the end of a stop.
vb::String Encoded(vb::StringView address, char16_t separator) {
    vb::String lines(address);
    for (char16_t& c : lines)
        if (c == separator) c = u'\n';
    return map_url::PercentEncode(map_url::PlaceText(lines));
}

}  // namespace

vb::StringView ModeWord(TravelMode mode) {
    for (const ModeName& m : kModes)
        if (m.mode == mode) return m.word;
    return kModes.front().word;
}

std::optional<TravelMode> ModeOfWord(vb::StringView word) {
    for (const ModeName& m : kModes)
        if (vb::EqualsAsciiNoCase(word, m.word)) return m.mode;
    return std::nullopt;
}

Outcome Build(const Route& route, const Provider& provider) {
    Outcome out;
    bool hasStart = !Encoded(route.start, provider.separator).empty();
    if (route.stops.empty()) {
        out.refusal = Refusal::NoStops;
        return out;
    }
    if (route.backToStart && !hasStart) {
        out.refusal = Refusal::RoundTripWithoutStart;
        return out;
    }
    // A round trip goes through every stop back to the start; otherwise
    // the last stop is the destination.
    out.waypoints = route.backToStart ? route.stops.size() : route.stops.size() - 1;
    if (out.waypoints > provider.maxWaypoints) {
        out.refusal = Refusal::TooManyStops;
        return out;
    }
    const char16_t sep = provider.separator;
    // An empty value would not be a stop to the service: it would skip it,
    // or take the start for it.
    std::vector<vb::String> stops;
    stops.reserve(route.stops.size());
    for (const vb::String& stop : route.stops) {
        stops.push_back(Encoded(stop, sep));
        if (stops.back().empty()) {
            out.refusal = Refusal::StopWithoutAddress;
            out.stop = stops.size();
            return out;
        }
    }
    vb::String url = provider.base;
    if (hasStart) url += provider.origin + Encoded(route.start, sep);
    url += provider.destination + (route.backToStart ? Encoded(route.start, sep) : stops.back());
    if (out.waypoints > 0) {
        url += provider.waypoints;
        for (size_t i = 0; i < out.waypoints; ++i) {
            if (i > 0) url += map_url::PercentEncode(vb::StringView(&sep, 1));
            url += stops[i];
        }
    }
    url += provider.travelMode + vb::String(ModeWord(route.mode));
    out.url = std::move(url);
    return out;
}

vb::String RefusalMessage(const Outcome& outcome, const Route& route, const Provider& provider) {
    switch (outcome.refusal) {
    case Refusal::None:
        return {};
    case Refusal::NoStops:
        return u"The route has no stops yet.\r\n\r\n"
               u"To add one, select the contact in ACT! and choose Map > Add this contact to the route.";
    case Refusal::RoundTripWithoutStart:
        return u"\"Back to the start\" needs a start address, and none is set.\r\n\r\n"
               u"Type where you start in \"Start at\", or untick \"Back to the start\".";
    case Refusal::TooManyStops: {
        size_t stops = route.stops.size();
        size_t allowed = route.backToStart ? provider.maxWaypoints : provider.maxWaypoints + 1;
        size_t over = stops - allowed;
        vb::String text = vb::String(provider.name) + u" takes at most " + Number(provider.maxWaypoints);
        text += route.backToStart ? u" stops on the way back to the start: a round trip of at most "
                                  : u" stops on the way to the last one: a route of at most ";
        text += Number(allowed) + u" stops. This route has " + Number(stops) + u".\r\n\r\n";
        text += u"Remove " + Number(over) + (over == 1 ? u" stop" : u" stops") + u", then open the route again.";
        return text;
    }
    case Refusal::StopWithoutAddress:
        return u"Stop " + Number(outcome.stop) + u" of the route has no address that " + provider.name +
               u" can go to.\r\n\r\nRemove it, then open the route again.";
    }
    return {};
}

}  // namespace route_url
