#include "main/PressURL.h"

#include <map>
#include <memory>
#include <utility>

#include "main/GetCountryCode.h"
#include "main/MapTemplate.h"
#include "main/MapURL.h"
#include "main/Module2.h"
#include "main/StoredRoute.h"
#include "platform/program_info.h"
#include "settings/Settings.h"

namespace press_url {

namespace {

vb::String CountrySetting() { return settings::GetSetting(settings::key::kCountry); }

}  // namespace

FieldReader ReadOnce(FieldReader field) {
    auto read = std::make_shared<std::map<int16_t, vb::String>>();
    return [field = std::move(field), read](int16_t id) {
        auto found = read->find(id);
        if (found == read->end()) found = read->emplace(id, field(id)).first;
        return found->second;
    };
}

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
        in.field = ReadOnce(field);
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
