#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "main/GetCountryCode.h"
#include "main/Module2.h"
#include "platform/settings_store.h"
#include "platform/ui/headless/headless.h"
#include "settings/Settings.h"

namespace {

namespace fs = std::filesystem;

// A countries file of the site, written as 8-bit text like the shipped ones.
class CountryCode : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("brivane-cc-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        Write("Countries_mapquest.txt",
              "; test file\r\n[Countries]\r\nFrance=FR\r\nUnited Kingdom=GB\r\n\xD6sterreich=AT\r\n"
              "Lowercase=fr\r\nEmpty=\r\n=XX\r\n");
        Module2::CountriesFile = vb::FromUtf8((dir / "Countries_mapquest.txt").string());
    }
    void TearDown() override {
        Module2::CountriesFile.clear();
        fs::remove_all(dir);
    }
    void Write(const char* name, const std::string& bytes) { std::ofstream(dir / name, std::ios::binary) << bytes; }

    fs::path dir;
    ui::headless::Backend screen;
    platform::ScopedSettingsStore store{std::make_unique<platform::MemorySettingsStore>()};
};

TEST_F(CountryCode, FindsTheNameInAnyLetterCaseAndReturnsTheCodeAsWritten) {
    EXPECT_EQ(GetCountryCode(u"France"), u"FR");
    EXPECT_EQ(GetCountryCode(u"united KINGDOM"), u"GB");
    EXPECT_EQ(GetCountryCode(u"\u00D6sterreich"), u"AT");
    EXPECT_EQ(GetCountryCode(u"Lowercase"), u"fr");
    EXPECT_TRUE(screen.boxes.empty());
}

TEST_F(CountryCode, FallsBackToUSForUnknownEmptyOrUnreadable) {
    EXPECT_EQ(GetCountryCode(u"Atlantis"), u"US");
    EXPECT_EQ(GetCountryCode(u"Empty"), u"US");
    EXPECT_EQ(GetCountryCode(u""), u"US");  // no "Country" setting either, and "=XX" is no entry
    Module2::CountriesFile = vb::FromUtf8((dir / "missing.txt").string());
    EXPECT_EQ(GetCountryCode(u"France"), u"US");
    EXPECT_TRUE(screen.boxes.empty());
}

TEST_F(CountryCode, AnEmptyNameTakesTheCountrySetting) {
    settings::SaveSetting(settings::key::kCountry, u"France");
    EXPECT_EQ(GetCountryCode(u""), u"FR");
    // Only an empty name does; a blank one is looked up as it is.
    EXPECT_EQ(GetCountryCode(u" "), u"US");
}

}  // namespace
