#include <gtest/gtest.h>

#include "main/MapURL.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/ui/headless/headless.h"
#include "settings/MapPresets.h"
#include "settings/Settings.h"
#include "settings/frmPreferences.h"

namespace {

namespace key = settings::key;

class Preferences : public ::testing::Test {
protected:
    std::optional<vb::String> Stored(vb::StringView k) {
        return store.store().Read(settings::kApplication, settings::kSection, k);
    }
    // Opens the window modally; `user` acts while it is open.
    void Open(std::function<void(frmPreferences&)> user) {
        screen.onModal[u"frmPreferences"] = [user](ui::Form& f) { user(static_cast<frmPreferences&>(f)); };
        form.ShowModal();
    }

    ui::headless::Backend screen;
    platform::RecordingShell shell;
    platform::ScopedSettingsStore store{std::make_unique<platform::MemorySettingsStore>()};
    frmPreferences form;
};

TEST_F(Preferences, FirstOpeningShowsTheDefaultsWithFocusInTheURL) {
    Open([](frmPreferences& f) {
        EXPECT_EQ(f.txtSite.text(), map_url::kDefaultMapURL);
        EXPECT_EQ(f.txtCountry.text(), u"US");
        EXPECT_EQ(f.sld1.value(), 8);
        EXPECT_EQ(f.focused(), &f.txtSite);
    });
    EXPECT_FALSE(Stored(key::kMapURL).has_value());  // closed without OK
}

TEST_F(Preferences, OkStoresTheTextsAsTypedAndTheZoomAsBareDigits) {
    Open([](frmPreferences& f) {
        f.txtSite.UserTyped(u"  maps.example.org/?q=  ");
        f.txtCountry.UserTyped(u" France ");
        f.sld1.UserMoved(10);
        f.PressEnter();  // focus is in a text box: the default button
    });
    EXPECT_FALSE(form.loaded());
    EXPECT_EQ(Stored(key::kMapURL), u"  maps.example.org/?q=  ");
    EXPECT_EQ(Stored(key::kCountry), u" France ");
    EXPECT_EQ(Stored(key::kZoom), u"10");
    Open([](frmPreferences& f) {
        EXPECT_EQ(f.txtCountry.text(), u" France ");
        f.sld1.UserMoved(1);
        f.cmdOK.Click();
    });
    EXPECT_EQ(Stored(key::kZoom), u"1");
}

TEST_F(Preferences, StoredEmptyTextsShowTheDefaultsWhichOkThenStores) {
    settings::SaveSetting(key::kMapURL, u"");
    settings::SaveSetting(key::kCountry, u"");
    Open([](frmPreferences& f) { f.cmdOK.Click(); });
    EXPECT_EQ(Stored(key::kMapURL), map_url::kDefaultMapURL);
    EXPECT_EQ(Stored(key::kCountry), u"US");
    EXPECT_EQ(Stored(key::kZoom), u"8");
}

TEST_F(Preferences, CancelEscAndTheCloseBoxStoreNothing) {
    settings::SaveSetting(key::kCountry, u"Belgique");
    using Close = void (*)(frmPreferences&);
    const Close closes[] = {[](frmPreferences& f) { f.cmdCancel.Click(); }, [](frmPreferences& f) { f.PressEscape(); },
                            [](frmPreferences& f) { f.UserClose(); }};
    for (Close close : closes) {
        Open([close](frmPreferences& f) {
            EXPECT_EQ(f.txtCountry.text(), u"Belgique");
            f.txtSite.UserTyped(u"x");
            f.txtCountry.UserTyped(u"y");
            f.sld1.UserMoved(3);
            close(f);
        });
        EXPECT_FALSE(form.loaded());
    }
    EXPECT_EQ(Stored(key::kCountry), u"Belgique");
    EXPECT_FALSE(Stored(key::kMapURL).has_value());
    EXPECT_FALSE(Stored(key::kZoom).has_value());
}

TEST_F(Preferences, AZoomEditedOutsideTheProgramIsBroughtIntoRange) {
    for (auto [stored, shown] : {std::pair{u"15", 10}, {u"-3", 1}, {u"zoom", 8}, {u"", 8}, {u"99999999999", 8}}) {
        settings::SaveSetting(key::kZoom, stored);
        Open([shown](frmPreferences& f) { EXPECT_EQ(f.sld1.value(), shown); });
    }
    EXPECT_TRUE(screen.boxes.empty());
}

TEST_F(Preferences, InstructionsOpensTheDocumentAndLeavesTheWindowOpen) {
    Open([](frmPreferences& f) {
        f.cmdInstructions.Click();
        f.cmdInstructions.Click();
        EXPECT_TRUE(f.visible());
        f.cmdCancel.Click();
    });
    ASSERT_EQ(shell.requests.size(), 2u);
    EXPECT_EQ(shell.requests[0].file, u"instructions.txt");
    EXPECT_EQ(shell.requests[0].parameters, vb::String());
    EXPECT_EQ(shell.requests[0].owner, &form);
}

TEST_F(Preferences, EachMapPageChosenFromTheListIsStoredAsItsURL) {
    const std::vector<std::pair<vb::String, vb::String>> expected = {
        {u"OpenStreetMap", u"https://www.openstreetmap.org/search?query={address}"},
        {u"Google Maps", u"https://www.google.com/maps/search/?api=1&query={address}"},
        {u"Google Maps: directions from where you are",
         u"https://www.google.com/maps/dir/?api=1&destination={address}"},
        {u"Google Maps: directions from your start address",
         u"https://www.google.com/maps/dir/?api=1&origin={from}&destination={address}"},
        {u"Bing Maps: directions from your start address", u"https://www.bing.com/maps?rtp=adr.{from}~adr.{address}"},
        {u"Apple Maps: directions from your start address", u"https://maps.apple.com/?saddr={from}&daddr={address}"},
        {u"Bing Maps", u"https://www.bing.com/maps?where1={address}"},
        {u"Apple Maps", u"https://maps.apple.com/?q={address}"},
        {u"MapQuest (built-in default)", map_url::kDefaultMapURL},
    };
    Open([&](frmPreferences& f) {
        std::vector<vb::String> names;
        for (auto& [name, url] : expected) names.push_back(name);
        EXPECT_EQ(f.txtSite.list(), names);
        f.cmdCancel.Click();
    });
    settings::SaveSetting(key::kMapURL, u"http://maps.example.org/?");
    for (auto& [name, url] : expected) {
        Open([&](frmPreferences& f) {
            ui::headless::Choose(f.txtSite, name);
            EXPECT_EQ(f.txtSite.text(), url);
            f.cmdOK.Click();
        });
        EXPECT_EQ(Stored(key::kMapURL), url) << vb::ToUtf8(name);
    }
    EXPECT_THROW(Open([](frmPreferences& f) { ui::headless::Choose(f.txtSite, u"Nowhere Maps"); }),
                 std::invalid_argument);
}

TEST_F(Preferences, TypingAfterChoosingStoresWhatWasTypedAndCancelStoresNothing) {
    settings::SaveSetting(key::kMapURL, u"http://maps.example.org/?");
    Open([](frmPreferences& f) {
        ui::headless::Choose(f.txtSite, u"Bing Maps");
        EXPECT_EQ(f.txtSite.listIndex(), 6);
        f.txtSite.UserTyped(u" https://maps.example.net/?q={City} ");
        EXPECT_EQ(f.txtSite.listIndex(), -1);
        f.PressEnter();
    });
    EXPECT_EQ(Stored(key::kMapURL), u" https://maps.example.net/?q={City} ");
    Open([](frmPreferences& f) {
        EXPECT_EQ(f.txtSite.text(), u" https://maps.example.net/?q={City} ");
        EXPECT_EQ(f.txtSite.listIndex(), -1);
        ui::headless::Choose(f.txtSite, u"OpenStreetMap");
        f.PressEscape();
    });
    EXPECT_EQ(Stored(key::kMapURL), u" https://maps.example.net/?q={City} ");
}

TEST_F(Preferences, EnterOnAFocusedButtonPressesThatButton) {
    settings::SaveSetting(key::kCountry, u"Belgique");
    Open([](frmPreferences& f) {
        f.txtCountry.UserTyped(u"Other");
        f.cmdCancel.SetFocus();
        f.PressEnter();
    });
    EXPECT_EQ(Stored(key::kCountry), u"Belgique");
}

}  // namespace
