// The day's route as the settings store keeps it between runs (section
// "Route", see settings/Settings.h), and the start address (in "Settings").
// Each change is written at once, and only the entries it changed.
#pragma once

#include <cstddef>
#include <vector>

#include "main/RouteURL.h"
#include "platform/vb/string.h"

class StoredRoute {
public:
    // The most stops a route holds; far more than any map service takes.
    static constexpr size_t kMaxStops = 100;

    // Reads the route. A damaged entry (a stop missing or blank, a count
    // that is no number) is left out and the rest kept; an unknown mode is
    // driving, a round trip is on only for "1". Never raises for what it
    // finds stored.
    static StoredRoute Load();

    const std::vector<vb::String>& stops() const { return stops_; }
    bool backToStart() const { return backToStart_; }
    route_url::TravelMode mode() const { return mode_; }

    // Each stores what changed; raises vb::Error when the store refuses.
    void SetStops(std::vector<vb::String> stops);
    void Add(vb::StringView stop);
    void SetBackToStart(bool on);
    void SetMode(route_url::TravelMode mode);

    // The stored start address, as typed.
    static vb::String StartAddress();
    static void SaveStartAddress(vb::StringView text);

    // The route with this start address, for route_url::Build.
    route_url::Route WithStart(vb::StringView start) const;

private:
    std::vector<vb::String> stops_;
    bool backToStart_ = false;
    route_url::TravelMode mode_ = route_url::TravelMode::Driving;
    // What the store holds now: "Stop1".. as read or written ("" for a
    // missing one), and "Count".
    std::vector<vb::String> entries_;
    vb::String count_;
};
