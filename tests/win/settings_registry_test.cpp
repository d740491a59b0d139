// The registry store against the real registry. Every test works under an
// application name of its own and deletes it afterwards, so the settings of
// the program itself are never touched.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "platform/settings_store.h"
#include "platform/vb/settings.h"
#include "platform/vb/error.h"
#include "platform/win32/wide.h"

using vb::String;

namespace {

const std::wstring kRoot = L"Software\\VB and VBA Program Settings\\";

class RegistryStoreTest : public testing::Test {
protected:
    RegistryStoreTest()
        : app_(u"brivane-test-" + vb::FromAscii(std::to_string(GetCurrentProcessId())) + u"-" +
               vb::FromAscii(std::to_string(++counter_))),
          scoped_(platform::MakeRegistrySettingsStore()),
          store_(scoped_.store()) {
        RegDeleteTreeW(HKEY_CURRENT_USER, Path().c_str());
    }
    ~RegistryStoreTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, Path().c_str()); }

    std::wstring Path(vb::StringView section = {}) const {
        return kRoot + win::ToWide(app_) + (section.empty() ? L"" : L"\\" + win::ToWide(section));
    }

    // Puts a value of any type there, as another program or the user might.
    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Path(u"Settings").c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }

    std::optional<String> Read(vb::StringView key) { return store_.Read(app_, u"Settings", key); }

    static inline std::atomic<int> counter_{0};
    String app_;
    platform::ScopedSettingsStore scoped_;
    platform::SettingsStore& store_;
};

TEST_F(RegistryStoreTest, ValuesAreStringsUnderTheSharedSettingsKey) {
    vb::SaveSetting(app_, u"Settings", u"Zoom", u"8");
    wchar_t data[16] = {};
    DWORD type = 0;
    DWORD size = sizeof data;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, Path(u"Settings").c_str(), L"Zoom", RRF_RT_ANY, &type, data, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(data), L"8");
    EXPECT_EQ(size, 2 * sizeof(wchar_t));  // with its terminator
}

TEST_F(RegistryStoreTest, GetSettingFindsStoredTextElseTheDefault) {
    EXPECT_EQ(vb::GetSetting(app_, u"Settings", u"Left", 100), u"100");  // no application key yet
    vb::SaveSetting(app_, u"Settings", u"MapURL", u"");
    EXPECT_EQ(vb::GetSetting(app_, u"Settings", u"MapURL", u"default"), u"");  // empty but there
    EXPECT_EQ(vb::GetSetting(app_, u"Settings", u"Zoom", 8), u"8");            // section there, key not
    EXPECT_EQ(vb::GetSetting(app_, u"Other", u"MapURL", u"d"), u"d");          // no such section
    EXPECT_EQ(vb::GetSetting(app_, u"Settings", u"Country"), u"");
    vb::SaveSetting(app_, u"Settings", u"mapurl", u"http://example.com/");
    EXPECT_EQ(vb::GetSetting(app_, u"SETTINGS", u"MAPURL"), u"http://example.com/");
}

TEST_F(RegistryStoreTest, AnyTextOfAnyLengthRoundTrips) {
    String controls;
    for (char16_t c = 1; c < 0x20; ++c) controls += c;
    const String texts[] = {
        u" padded ",
        u"Österreich 北京 \U0001F5FA",
        controls,
        String{u'a', char16_t(0xD800), u'b'},
        String(u"nul\0inside", 10),
        String(300000, u'x') + u"\u00E9",
    };
    for (size_t i = 0; i < std::size(texts); ++i) {
        String key = u"k" + vb::FromAscii(std::to_string(i));
        vb::SaveSetting(app_, u"Settings", key, texts[i]);
        EXPECT_EQ(Read(key), texts[i]) << "text " << i;
    }
}

TEST_F(RegistryStoreTest, ValuesThatAreNotTextReadAsMissing) {
    DWORD number = 5;
    SetRaw(L"Dword", REG_DWORD, &number, sizeof number);
    SetRaw(L"Binary", REG_BINARY, "\x01\x02\x03", 3);
    SetRaw(L"Multi", REG_MULTI_SZ, L"a\0b\0", 5 * sizeof(wchar_t));
    SetRaw(L"None", REG_NONE, nullptr, 0);
    for (auto key : {u"Dword", u"Binary", u"Multi", u"None"}) {
        EXPECT_EQ(Read(key), std::nullopt) << vb::ToUtf8(key);
        EXPECT_EQ(vb::GetSetting(app_, u"Settings", key, 8), u"8");
    }
    vb::SaveSetting(app_, u"Settings", u"Dword", u"7");  // replaced by text
    EXPECT_EQ(Read(u"Dword"), u"7");
}

TEST_F(RegistryStoreTest, TextWrittenByOthersReadsAsItsText) {
    SetRaw(L"Expand", REG_EXPAND_SZ, L"%SystemRoot%\\x", 15 * sizeof(wchar_t));
    EXPECT_EQ(Read(u"Expand"), u"%SystemRoot%\\x");  // not expanded
    SetRaw(L"Unterminated", REG_SZ, L"abc", 3 * sizeof(wchar_t));
    EXPECT_EQ(Read(u"Unterminated"), u"abc");
    SetRaw(L"OddSize", REG_SZ, L"ab", 3);
    EXPECT_EQ(Read(u"OddSize"), u"a");
    SetRaw(L"Empty", REG_SZ, nullptr, 0);
    EXPECT_EQ(Read(u"Empty"), u"");
}

void ExpectWriteFails(const String& app, const String& section) {
    try {
        vb::SaveSetting(app, section, u"Zoom", u"9");
        ADD_FAILURE() << "the write reported success";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), vb::kPathFileAccessError);
        EXPECT_NE(e.description().find(u"\"Zoom\""), String::npos) << vb::ToUtf8(e.description());
        EXPECT_NE(e.description().find(section), String::npos) << vb::ToUtf8(e.description());
    }
}

TEST_F(RegistryStoreTest, AWriteTheRegistryRefusesRaises) {
    // Below a key that lives only in memory no lasting key can be made.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Path().c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ExpectWriteFails(app_, u"Settings");
    EXPECT_EQ(Read(u"Zoom"), std::nullopt);
}

TEST_F(RegistryStoreTest, AKeyTheUserMayNotWriteRaises) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Path(u"Locked").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    SECURITY_DESCRIPTOR sd;
    ACL acl;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    InitializeAcl(&acl, sizeof acl, ACL_REVISION);  // no entries: nobody may do anything
    SetSecurityDescriptorDacl(&sd, TRUE, &acl, FALSE);
    ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS);
    RegCloseKey(key);

    HKEY probe = nullptr;
    LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, Path(u"Locked").c_str(), 0, KEY_SET_VALUE, &probe);
    if (rc == ERROR_SUCCESS) {
        RegCloseKey(probe);
        GTEST_SKIP() << "this registry does not enforce key permissions";
    }
    ExpectWriteFails(app_, u"Locked");

    // Give access back so the key can be deleted.
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Path(u"Locked").c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS);
    SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd);
    RegCloseKey(key);
}

}  // namespace
