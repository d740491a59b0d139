#include "settings/frmPreferences.h"

#include <algorithm>

#include "info/Instructions.h"
#include "main/MapURL.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"
#include "settings/MapPresets.h"
#include "settings/Settings.h"

namespace {
constexpr const char16_t* kDefaultCountry = u"US";
constexpr int32_t kDefaultZoom = 8;
}  // namespace

frmPreferences::frmPreferences()
    : Form(u"frmPreferences", {.caption = u"Preferences",
                               .clientWidth = 6720,
                               .clientHeight = 3465,
                               .border = ui::BorderStyle::Sizable,
                               .minButton = false,
                               .maxButton = false,
                               .icon = IDI_PICTURE,
                               .startPosition = ui::StartPosition::CenterScreen}) {
    txtSite.onClick = [this] { txtSite_Click(); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    cmdInstructions.onClick = [this] { cmdInstructions_Click(); };
}

void frmPreferences::Form_Load() {
    namespace key = settings::key;
    txtSite.setText(settings::GetSetting(key::kMapURL, map_url::kDefaultMapURL));
    if (txtSite.text().empty()) txtSite.setText(map_url::kDefaultMapURL);
    txtCountry.setText(settings::GetSetting(key::kCountry, kDefaultCountry));
    if (txtCountry.text().empty()) txtCountry.setText(kDefaultCountry);

    // Only an edit outside the program stores another zoom than 1 to 10: a
    // number outside is brought into range, anything else gives the default.
    int32_t zoom = kDefaultZoom;
    try {
        zoom = vb::CLng(settings::GetSetting(key::kZoom, kDefaultZoom));
    } catch (const vb::Error&) {
    }
    sld1.setValue(std::clamp(zoom, sld1.min(), sld1.max()));
}

std::vector<vb::String> frmPreferences::PresetNames() {
    std::vector<vb::String> names;
    for (const map_presets::Preset& p : map_presets::kPresets) names.emplace_back(p.name);
    return names;
}

// A map page chosen from the list: the field holds its URL, for OK to store.
void frmPreferences::txtSite_Click() {
    int chosen = txtSite.listIndex();
    if (chosen >= 0 && chosen < static_cast<int>(map_presets::kPresets.size()))
        txtSite.setText(map_presets::kPresets[chosen].url);
}

void frmPreferences::cmdOK_Click() {
    namespace key = settings::key;
    settings::SaveSetting(key::kMapURL, txtSite.text());
    settings::SaveSetting(key::kCountry, txtCountry.text());
    settings::SaveSetting(key::kZoom, vb::CStr(int32_t(sld1.value())));
    Unload();
}

void frmPreferences::cmdCancel_Click() { Unload(); }

void frmPreferences::cmdInstructions_Click() { OpenInstructions(*this); }
