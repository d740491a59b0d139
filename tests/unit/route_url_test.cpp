// The directions URL of the day's route, and what the user is told when a
// route cannot open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/RouteURL.h"

namespace {

using route_url::Refusal;
using route_url::Route;
using route_url::TravelMode;

constexpr const char16_t* kBase = u"https://www.google.com/maps/dir/?api=1";

vb::String Url(const Route& route) { return route_url::Build(route).url; }

std::vector<vb::String> Stops(size_t n) {
    std::vector<vb::String> stops;
    for (size_t i = 1; i <= n; ++i) stops.push_back(u"Stop " + vb::FromAscii(std::to_string(i)));
    return stops;
}

TEST(RouteUrl, FromTheStartThroughTheStopsToTheLast) {
    Route route{u"1 Office Park, Springfield",
                {u"12 All\u00E9e des H\u00E9rons, Montv\u00E9rac", u"5 Quay Street", u"7 Duck Row"}};
    EXPECT_EQ(Url(route), vb::String(kBase) +
                              u"&origin=1%20Office%20Park%2C%20Springfield"
                              u"&destination=7%20Duck%20Row"
                              u"&waypoints=12%20All%C3%A9e%20des%20H%C3%A9rons%2C%20Montv%C3%A9rac%7C5%20Quay%20Street"
                              u"&travelmode=driving");
}

TEST(RouteUrl, WithoutAStartTheMapStartsWhereTheUserIs) {
    for (vb::String start : {u"", u"  \t", u"\r\n \r\n"}) {
        EXPECT_EQ(Url({start, {u"A", u"B"}}), vb::String(kBase) + u"&destination=B&waypoints=A&travelmode=driving");
    }
    // One stop: a destination and nothing on the way.
    EXPECT_EQ(Url({u"", {u"A"}, false, TravelMode::Walking}), vb::String(kBase) + u"&destination=A&travelmode=walking");
}

TEST(RouteUrl, ARoundTripGoesThroughEveryStopBackToTheStart) {
    Route route{u"Home", {u"A", u"B", u"C"}, true, TravelMode::Bicycling};
    EXPECT_EQ(Url(route),
              vb::String(kBase) + u"&origin=Home&destination=Home&waypoints=A%7CB%7CC&travelmode=bicycling");
    route.stops = {u"A"};
    EXPECT_EQ(Url(route), vb::String(kBase) + u"&origin=Home&destination=Home&waypoints=A&travelmode=bicycling");
}

TEST(RouteUrl, TheStartIsTrimmedAndItsLinesJoinedAsTheTemplatesDo) {
    EXPECT_EQ(
        Url({u"  1 Office Park\r\n\r\nSpringfield \n IL ", {u"A"}}),
        vb::String(kBase) + u"&origin=1%20Office%20Park%2C%20Springfield%2C%20IL&destination=A&travelmode=driving");
}

TEST(RouteUrl, NoAddressCanAddOrEndAParameterOrAWaypoint) {
    Route route{u"a&destination=x", {u"1 & 3=4?#5%6", u"\"q\" ~ +"}};
    EXPECT_EQ(Url(route), vb::String(kBase) +
                              u"&origin=a%26destination%3Dx"
                              u"&destination=%22q%22%20~%20%2B"
                              u"&waypoints=1%20%26%203%3D4%3F%235%256"
                              u"&travelmode=driving");
    // The waypoints' separator inside an address parts its lines, as a
    // line break does, and never its stop.
    route = {u"Unit 4 | Block B", {u"a|b", u" | c || d |"}, true};
    EXPECT_EQ(Url(route), vb::String(kBase) +
                              u"&origin=Unit%204%2C%20Block%20B&destination=Unit%204%2C%20Block%20B"
                              u"&waypoints=a%2C%20b%7Cc%2C%20d&travelmode=driving");
    EXPECT_EQ(route_url::Build({u"|", {u"A"}, true}).refusal, Refusal::RoundTripWithoutStart);
}

TEST(RouteUrl, LongAddressesAndOddTextGoThroughWhole) {
    // 10,000 letters each, one outside the BMP (four bytes in UTF-8).
    vb::String start(10000, u'\u00E9');
    vb::String far;
    for (int i = 0; i < 10000; ++i) far += u"\U00020BB7";
    route_url::Outcome out = route_url::Build({start, {far, vb::String(u"a\0b", 3)}, true});
    ASSERT_EQ(out.refusal, Refusal::None);
    vb::String e, f;
    for (int i = 0; i < 10000; ++i) e += u"%C3%A9";
    for (int i = 0; i < 10000; ++i) f += u"%F0%A0%AE%B7";
    EXPECT_EQ(out.url, vb::String(kBase) + u"&origin=" + e + u"&destination=" + e + u"&waypoints=" + f +
                           u"%7Ca%00b&travelmode=driving");
}

TEST(RouteUrl, EachModeHasItsWord) {
    for (auto [mode, word] : {std::pair{TravelMode::Driving, u"driving"},
                              {TravelMode::Walking, u"walking"},
                              {TravelMode::Bicycling, u"bicycling"}}) {
        EXPECT_EQ(route_url::ModeWord(mode), word);
        EXPECT_EQ(route_url::ModeOfWord(word), mode);
        EXPECT_TRUE(Url({u"", {u"A"}, false, mode}).ends_with(u"&travelmode=" + vb::String(word)));
    }
    EXPECT_EQ(route_url::ModeOfWord(u"WALKING"), TravelMode::Walking);
    for (vb::StringView other : {u"", u"transit", u"drive", u" driving"})
        EXPECT_FALSE(route_url::ModeOfWord(other).has_value()) << vb::ToUtf8(other);
}

TEST(RouteUrl, NineStopsOnTheWayAreTheMostAndNoStopIsEverLeftOut) {
    // Ten stops: nine on the way and the last as the destination.
    route_url::Outcome ten = route_url::Build({u"", Stops(10)});
    EXPECT_EQ(ten.refusal, Refusal::None);
    EXPECT_EQ(ten.waypoints, 9u);
    EXPECT_NE(ten.url.find(u"Stop%201%7CStop%202"), vb::String::npos);
    EXPECT_NE(ten.url.find(u"&destination=Stop%2010&"), vb::String::npos);

    route_url::Outcome eleven = route_url::Build({u"", Stops(11)});
    EXPECT_EQ(eleven.refusal, Refusal::TooManyStops);
    EXPECT_EQ(eleven.waypoints, 10u);
    EXPECT_TRUE(eleven.url.empty());

    // A round trip has every stop on the way.
    EXPECT_EQ(route_url::Build({u"Home", Stops(9), true}).refusal, Refusal::None);
    EXPECT_EQ(route_url::Build({u"Home", Stops(10), true}).refusal, Refusal::TooManyStops);
}

TEST(RouteUrl, AnEmptyRouteAndARoundTripWithoutAStartOpenNothing) {
    EXPECT_EQ(route_url::Build({u"Home", {}}).refusal, Refusal::NoStops);
    EXPECT_EQ(route_url::Build({u"Home", {}, true}).refusal, Refusal::NoStops);
    EXPECT_EQ(route_url::Build({u" ", {u"A"}, true}).refusal, Refusal::RoundTripWithoutStart);
    EXPECT_TRUE(route_url::Build({u"", {u"A"}, true}).url.empty());
}

// A stop of blanks and separators only would reach the service as an empty
// value, which it skips (or, as the destination, takes for where the user
// is): the route opens nothing and says which stop it is.
TEST(RouteUrl, AStopWithoutAnAddressOpensNothing) {
    for (const vb::String& blank : {vb::String(u""), vb::String(u" | "), vb::String(u"||\r\n\t")}) {
        route_url::Outcome out = route_url::Build({u"Home", {u"A", blank, u"C"}});
        EXPECT_EQ(out.refusal, Refusal::StopWithoutAddress);
        EXPECT_EQ(out.stop, 2u);
        EXPECT_TRUE(out.url.empty());
        out = route_url::Build({u"Home", {u"A", u"B", blank}, true});
        EXPECT_EQ(out.refusal, Refusal::StopWithoutAddress);
        EXPECT_EQ(out.stop, 3u);
        EXPECT_EQ(route_url::Build({u"", {blank}}).refusal, Refusal::StopWithoutAddress);
    }
    // The first such stop is the one named; too many stops is said first.
    EXPECT_EQ(route_url::Build({u"", {u"A", u"|", u"|"}}).stop, 2u);
    std::vector<vb::String> many = Stops(11);
    many[4] = u"|";
    EXPECT_EQ(route_url::Build({u"", many}).refusal, Refusal::TooManyStops);
}

TEST(RouteUrl, TheMessagesSayWhyInTheUsersTerms) {
    auto message = [](const Route& route) { return route_url::RefusalMessage(route_url::Build(route), route); };
    EXPECT_EQ(message({u"", {}}),
              u"The route has no stops yet.\r\n\r\n"
              u"To add one, select the contact in ACT! and choose Map > Add this contact to the route.");
    EXPECT_EQ(message({u"", {u"A"}, true}),
              u"\"Back to the start\" needs a start address, and none is set.\r\n\r\n"
              u"Type where you start in \"Start at\", or untick \"Back to the start\".");
    EXPECT_EQ(message({u"", Stops(12)}),
              u"Google Maps takes at most 9 stops on the way to the last one: a route of at most 10 stops. "
              u"This route has 12.\r\n\r\nRemove 2 stops, then open the route again.");
    EXPECT_EQ(message({u"Home", Stops(10), true}),
              u"Google Maps takes at most 9 stops on the way back to the start: a round trip of at most 9 stops. "
              u"This route has 10.\r\n\r\nRemove 1 stop, then open the route again.");
    EXPECT_EQ(message({u"", {u"A", u" | ", u"C"}}),
              u"Stop 2 of the route has no address that Google Maps can go to.\r\n\r\n"
              u"Remove it, then open the route again.");
    EXPECT_EQ(message({u"", {u"A"}}), u"");
}

TEST(RouteUrl, AnotherServiceIsARowOfRules) {
    route_url::Provider other{u"Maps Example", u"https://maps.example/route?", u"&from=", u"&to=", u"&via=", u';', 2,
                              u"&by="};
    Route route{u"S", {u"A", u"B", u"C"}, false, TravelMode::Walking};
    EXPECT_EQ(route_url::Build(route, other).url, u"https://maps.example/route?&from=S&to=C&via=A%3BB&by=walking");
    route.stops.push_back(u"D");
    route_url::Outcome refused = route_url::Build(route, other);
    EXPECT_EQ(refused.refusal, Refusal::TooManyStops);
    EXPECT_TRUE(route_url::RefusalMessage(refused, route, other).starts_with(u"Maps Example takes at most 2 stops"));
}

}  // namespace
