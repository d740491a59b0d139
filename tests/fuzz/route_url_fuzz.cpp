// The day's route from any start address, stops, round trip and travel
// mode word. A route the service can take gives a URL that stays one
// argument of the browser's command line (no raw quote or control
// character, no '#' anywhere) with every address whole in its place:
// the start as origin, the destination, each stop on the way in order,
// none left out, none added, none blank. A route it cannot take gets no
// URL, a message, and the refusal its stops call for.
//
// Input: start address \ back to the start (a number, 0 or 1) \ travel
// mode word \ then each field a stop, to the end; the texts read by
// fuzz::Text.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "main/RouteURL.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/unit/map_url_checks.h"

namespace {

using namespace map_url_checks;
using route_url::Refusal;

// An address as the route gives it: placed as a field is, its waypoint
// separators parting lines.
vb::String Expected(vb::StringView address, char16_t separator) {
    vb::String lines(address);
    for (char16_t& c : lines)
        if (c == separator) c = u'\n';
    return Placed(lines);
}

void CheckMode(vb::StringView word) {
    std::optional<route_url::TravelMode> mode = route_url::ModeOfWord(word);
    if (mode) FUZZ_CHECK(vb::EqualsAsciiNoCase(word, route_url::ModeWord(*mode)));
    for (auto m : {route_url::TravelMode::Driving, route_url::TravelMode::Walking, route_url::TravelMode::Bicycling})
        FUZZ_CHECK(route_url::ModeOfWord(route_url::ModeWord(m)) == m);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzz::Show shownInput("input", bytes);
    fuzz::Input input(data, size);
    route_url::Route route;
    route.start = fuzz::Text(input.Field());
    route.backToStart = input.Number(1) == 1;
    const vb::String word = fuzz::Text(input.Field());
    CheckMode(word);
    route.mode = route_url::ModeOfWord(word).value_or(route_url::TravelMode::Driving);
    while (!input.AtEnd()) route.stops.push_back(fuzz::Text(input.Field()));
    fuzz::Show shownStart("start address", route.start), shownWord("travel mode", word);

    const route_url::Provider& provider = route_url::kProviders.front();
    const route_url::Outcome outcome = route_url::Build(route, provider);
    fuzz::Show shownURL("URL", outcome.url);

    const char16_t sep = provider.separator;
    const vb::String start = Expected(route.start, sep);
    std::vector<vb::String> stops;
    size_t blankStop = 0;  // the first, counted from 1
    for (const vb::String& stop : route.stops) {
        stops.push_back(Expected(stop, sep));
        if (stops.back().empty() && blankStop == 0) blankStop = stops.size();
    }
    const size_t waypoints = route.backToStart ? stops.size() : stops.size() - 1;
    const bool refused =
        stops.empty() || (route.backToStart && start.empty()) || waypoints > provider.maxWaypoints || blankStop > 0;
    if (stops.empty()) FUZZ_CHECK(outcome.refusal == Refusal::NoStops);
    else if (route.backToStart && start.empty()) FUZZ_CHECK(outcome.refusal == Refusal::RoundTripWithoutStart);
    else if (waypoints > provider.maxWaypoints) FUZZ_CHECK(outcome.refusal == Refusal::TooManyStops);
    else if (blankStop > 0) FUZZ_CHECK(outcome.refusal == Refusal::StopWithoutAddress && outcome.stop == blankStop);
    if (refused) {
        FUZZ_CHECK(outcome.refusal != Refusal::None);
        FUZZ_CHECK(outcome.url.empty());
        FUZZ_CHECK(!route_url::RefusalMessage(outcome, route, provider).empty());
        return 0;
    }
    FUZZ_CHECK(outcome.refusal == Refusal::None);
    FUZZ_CHECK(outcome.waypoints == waypoints);
    FUZZ_CHECK(route_url::RefusalMessage(outcome, route, provider).empty());

    const vb::StringView url = outcome.url;
    for (char16_t unit : url) FUZZ_CHECK(!RawNowhere(unit));
    FUZZ_CHECK(url.find(u'#') == vb::StringView::npos);
    FUZZ_CHECK(StartsWithWebScheme(url));
    vb::StringView rest = url;
    FUZZ_CHECK(TakeLiteral(rest, provider.base));
    if (!start.empty()) {
        FUZZ_CHECK(TakeLiteral(rest, provider.origin));
        FUZZ_CHECK(TakePercentEncoded(rest, start));
    }
    FUZZ_CHECK(TakeLiteral(rest, provider.destination));
    FUZZ_CHECK(TakePercentEncoded(rest, route.backToStart ? start : stops.back()));
    if (waypoints > 0) {
        FUZZ_CHECK(TakeLiteral(rest, provider.waypoints));
        for (size_t i = 0; i < waypoints; ++i) {
            if (i > 0) FUZZ_CHECK(TakePercentEncoded(rest, vb::StringView(&sep, 1)));
            FUZZ_CHECK(TakePercentEncoded(rest, stops[i]));
        }
    }
    FUZZ_CHECK(TakeLiteral(rest, provider.travelMode));
    FUZZ_CHECK(TakeLiteral(rest, route_url::ModeWord(route.mode)));
    FUZZ_CHECK(rest.empty());
    return 0;
}
