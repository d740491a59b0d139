#include "main/StoredRoute.h"

#include <algorithm>
#include <string>

#include "main/MapTemplate.h"
#include "platform/vb/error.h"
#include "settings/Settings.h"

namespace {

namespace key = settings::route_key;

vb::String StopKey(size_t number) { return vb::String(key::kStopPrefix) + vb::FromAscii(std::to_string(number)); }

vb::String Decimal(size_t n) { return vb::FromAscii(std::to_string(n)); }

// A count as the route writes it: decimal digits, at most kMaxStops.
bool ReadCount(vb::StringView text, size_t& count) {
    if (text.empty() || text.size() > 3) return false;
    size_t n = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return false;
        n = n * 10 + static_cast<size_t>(c - u'0');
    }
    if (n > StoredRoute::kMaxStops) return false;
    count = n;
    return true;
}

}  // namespace

StoredRoute StoredRoute::Load() {
    StoredRoute route;
    route.count_ = settings::GetRouteSetting(key::kCount);
    // Without a count to trust, every place a stop may stand is looked at.
    size_t count = 0;
    if (!ReadCount(route.count_, count)) count = kMaxStops;
    for (size_t i = 1; i <= count; ++i) {
        vb::String entry = settings::GetRouteSetting(StopKey(i));
        // One line, as a stop is written: an entry edited to hold more
        // lines joins them, one of blanks only is no stop.
        vb::String stop = map_url::PlaceText(entry);
        if (!stop.empty()) route.stops_.push_back(std::move(stop));
        route.entries_.push_back(std::move(entry));
    }
    route.backToStart_ = settings::GetRouteSetting(key::kBackToStart) == u"1";
    route.mode_ =
        route_url::ModeOfWord(settings::GetRouteSetting(key::kTravelMode)).value_or(route_url::TravelMode::Driving);
    return route;
}

void StoredRoute::SetStops(std::vector<vb::String> stops) {
    if (stops.size() > kMaxStops) throw vb::Error(vb::kInvalidProcedureCall);
    // The entries after the last stop are emptied, so that no stop removed
    // comes back should the count be lost.
    size_t places = std::max(stops.size(), entries_.size());
    for (size_t i = 0; i < places; ++i) {
        vb::StringView wanted = i < stops.size() ? vb::StringView(stops[i]) : vb::StringView();
        vb::StringView held = i < entries_.size() ? vb::StringView(entries_[i]) : vb::StringView();
        if (wanted != held) settings::SaveRouteSetting(StopKey(i + 1), wanted);
    }
    entries_ = stops;
    vb::String count = Decimal(stops.size());
    if (count != count_) settings::SaveRouteSetting(key::kCount, count);
    count_ = std::move(count);
    stops_ = std::move(stops);
}

void StoredRoute::Add(vb::StringView stop) {
    std::vector<vb::String> stops = stops_;
    stops.emplace_back(stop);
    SetStops(std::move(stops));
}

void StoredRoute::SetBackToStart(bool on) {
    if (on == backToStart_) return;
    settings::SaveRouteSetting(key::kBackToStart, on ? u"1" : u"0");
    backToStart_ = on;
}

void StoredRoute::SetMode(route_url::TravelMode mode) {
    if (mode == mode_) return;
    settings::SaveRouteSetting(key::kTravelMode, route_url::ModeWord(mode));
    mode_ = mode;
}

vb::String StoredRoute::StartAddress() { return settings::GetSetting(settings::key::kStartAddress); }

void StoredRoute::SaveStartAddress(vb::StringView text) { settings::SaveSetting(settings::key::kStartAddress, text); }

route_url::Route StoredRoute::WithStart(vb::StringView start) const {
    return {vb::String(start), stops_, backToStart_, mode_};
}
