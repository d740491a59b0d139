#include "main/PressURL.h"

#include <map>
#include <memory>

#include "main/GetCountryCode.h"
#include "main/MapTemplate.h"
#include "main/MapURL.h"
#include "main/Module2.h"
#include "main/StoredRoute.h"
#include "platform/program_info.h"
#include "settings/Settings.h"

namespace press_url {

namespace {

// Each field read from the host once, however often it is asked for.
class CachedFields {
public:
    explicit CachedFields(const FieldReader& field) : field_(field) {}
    vb::String operator()(int16_t id) {
        auto found = read_.find(id);
        if (found == read_.end()) found = read_.emplace(id, field_(id)).first;
        return found->second;
    }

private:
    const FieldReader& field_;
    std::map<int16_t, vb::String> read_;
};

vb::String CountrySetting() { return settings::GetSetting(settings::key::kCountry); }

}  // namespace

Outcome Build(const FieldReader& field) {
    namespace key = settings::key;
    Outcome out;
    vb::String base = map_url::BaseURL(settings::GetSetting(key::kMapURL));
    out.site = map_url::DetectSite(base);
    Module2::CountriesFile = platform::ExeFolder() + platform::PathSeparator() + u"Countries_" + out.site + u".txt";
    map_url::Inputs in{
        .base = base,
        .site = out.site,
        .zoom = [] { return settings::GetSetting(key::kZoom, 8); },
        .field = field,
        .countryCode = [](vb::StringView name) { return GetCountryCode(name); },
        .fallbackCountry = CountrySetting,
        .startAddress = StoredRoute::StartAddress,
    };
    if (map_url::IsTemplate(base)) {
        if (map_url::NamesStartAddress(base) && map_url::PlaceText(StoredRoute::StartAddress()).empty()) {
            out.refusal = kNoStartAddressMessage;
            return out;
        }
        // The whole address is read first, to tell an empty contact; the
        // template then takes what it names from what was read.
        auto cached = std::make_shared<CachedFields>(field);
        in.field = [cached](int16_t id) { return (*cached)(id); };
        if (map_url::AddressText(in).empty()) {
            out.refusal = kNoAddressMessage;
            return out;
        }
    }
    out.url = map_url::Build(in);
    return out;
}

vb::String ContactAddress(const FieldReader& field) {
    return map_url::AddressText({.field = field, .fallbackCountry = CountrySetting});
}

}  // namespace press_url
