// Routes of arbitrary start addresses and stops: whatever they hold, the
// directions URL gives every address whole in its place, no address adds or
// ends a parameter or a stop, and a route the service cannot take opens
// nothing rather than lose a stop.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "main/RouteURL.h"
#include "tests/unit/random_fields.h"
#include "tests/unit/random_input.h"

namespace {

using random_fields::DrawnField;
using random_fields::RandomField;
using random_fields::TakePercentEncoded;
using route_url::Refusal;
using route_url::TravelMode;

constexpr int kRounds = 2000;

bool Take(vb::StringView& url, vb::StringView literal) {
    if (!url.starts_with(literal)) return false;
    url.remove_prefix(literal.size());
    return true;
}

// What the URL may hold raw: the encoding's unreserved characters, its
// escapes, and the URL's own punctuation; never a quote, a blank, a '#' or
// a separator of waypoints.
bool Allowed(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           vb::StringView(u"-._~%&=?:/").find(c) != vb::StringView::npos;
}

// A stop as the route holds it: never blank.
DrawnField RandomStop(random_input::Source& random) {
    for (;;) {
        DrawnField stop = RandomField(random, u"|");
        if (!stop.expected.empty()) return stop;
    }
}

TEST(RandomRouteUrl, EveryAddressArrivesWholeInItsPlaceAndNoStopIsAddedOrLost) {
    random_input::Source random("RandomRouteUrl.Whole");
    const route_url::Provider& google = route_url::kProviders.front();
    std::map<Refusal, int> outcomes;
    random.Rounds(kRounds, [&](int) {
        DrawnField start = random.OneIn(4) ? DrawnField{random.Pick<vb::String>({u"", u" ", u"\r\n", u" | "}), u""}
                                           : RandomField(random, u"|");
        std::vector<DrawnField> stops(random.Pick<size_t>({0, 1, 2, 3, 5, 9, 10, 11, 12}));
        for (DrawnField& stop : stops) stop = RandomStop(random);
        route_url::Route route{start.raw,
                               {},
                               random.OneIn(3),
                               random.Pick({TravelMode::Driving, TravelMode::Walking, TravelMode::Bicycling})};
        std::string described = "start " + random_input::Describe(start.raw) + "\n";
        for (const DrawnField& stop : stops) {
            route.stops.push_back(stop.raw);
            described += "stop " + random_input::Describe(stop.raw) + "\n";
        }
        SCOPED_TRACE(described + (route.backToStart ? "back to the start" : "one way"));

        route_url::Outcome outcome;
        ASSERT_NO_THROW(outcome = route_url::Build(route));
        const bool hasStart = !start.expected.empty();
        const size_t waypoints = route.backToStart ? stops.size() : stops.size() - 1;
        Refusal expected = stops.empty()                     ? Refusal::NoStops
                           : route.backToStart && !hasStart  ? Refusal::RoundTripWithoutStart
                           : waypoints > google.maxWaypoints ? Refusal::TooManyStops
                                                             : Refusal::None;
        ASSERT_EQ(outcome.refusal, expected);
        ++outcomes[outcome.refusal];
        if (expected != Refusal::None) {
            EXPECT_TRUE(outcome.url.empty());
            EXPECT_FALSE(route_url::RefusalMessage(outcome, route).empty());
            return;
        }
        SCOPED_TRACE("URL " + random_input::Describe(outcome.url));
        for (char16_t c : outcome.url) ASSERT_TRUE(Allowed(c)) << "raw unit " << int(c) << " in the URL";

        vb::StringView rest = outcome.url;
        ASSERT_TRUE(Take(rest, google.base));
        if (hasStart) {
            ASSERT_TRUE(Take(rest, u"&origin="));
            ASSERT_TRUE(TakePercentEncoded(rest, start.expected)) << "the start is not whole";
        }
        ASSERT_TRUE(Take(rest, u"&destination="));
        const DrawnField& destination = route.backToStart ? start : stops.back();
        ASSERT_TRUE(TakePercentEncoded(rest, destination.expected)) << "the destination is not whole";
        if (waypoints > 0) {
            ASSERT_TRUE(Take(rest, u"&waypoints="));
            for (size_t i = 0; i < waypoints; ++i) {
                if (i > 0) {
                    ASSERT_TRUE(Take(rest, u"%7C")) << "no separator before stop " << i + 1;
                }
                ASSERT_TRUE(TakePercentEncoded(rest, stops[i].expected)) << "stop " << i + 1 << " is not whole";
            }
        }
        ASSERT_TRUE(Take(rest, u"&travelmode=" + vb::String(route_url::ModeWord(route.mode))));
        EXPECT_TRUE(rest.empty()) << "left over: " << random_input::Describe(rest);
    });
    // The draws must reach every outcome often, or the test proves little.
    for (Refusal r : {Refusal::None, Refusal::NoStops, Refusal::RoundTripWithoutStart, Refusal::TooManyStops})
        EXPECT_GT(outcomes[r], kRounds / 40) << "outcome " << int(r);
}

}  // namespace
