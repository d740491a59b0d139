// The settings store in the registry, where earlier installations keep their
// settings: HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>,
// one REG_SZ value per key.
#include <windows.h>

#include <string>
#include <utility>

#include "platform/settings_store.h"
#include "platform/vb/error.h"
#include "platform/win32/scoped.h"
#include "platform/win32/system_message.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

constexpr wchar_t kRootPath[] = L"Software\\VB and VBA Program Settings";

std::wstring KeyPath(vb::StringView app, vb::StringView section) {
    return kRootPath + (L'\\' + win::ToWide(app)) + L'\\' + win::ToWide(section);
}

// The system's reason for a failed registry call, with its number.
vb::String Reason(LONG code) {
    vb::String message = win::SystemMessage(static_cast<uint32_t>(code));
    vb::String number = vb::FromAscii(std::to_string(code));
    return message.empty() ? u"system error " + number : message + u" (system error " + number + u")";
}

[[noreturn]] void RaiseWriteFailure(vb::StringView app, vb::StringView section, vb::StringView key,
                                    const vb::String& reason) {
    std::wstring path = L"HKEY_CURRENT_USER\\" + KeyPath(app, section);
    throw vb::Error(vb::kPathFileAccessError, vb::StandardDescription(vb::kPathFileAccessError) +
                                                  u": cannot save the setting \"" + vb::String(key) + u"\" in " +
                                                  win::FromWide(path) + u": " + reason);
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

class RegistrySettingsStore : public SettingsStore {
public:
    std::optional<vb::String> Read(vb::StringView app, vb::StringView section, vb::StringView key) override {
        win::ScopedRegistryKey hkey;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, KEY_QUERY_VALUE, hkey.receive()) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        std::wstring name = win::ToWide(key);
        // The value may change size between the two calls; ask again then.
        for (int attempt = 0; attempt < 8; ++attempt) {
            DWORD type = 0;
            DWORD size = 0;
            if (RegQueryValueExW(hkey.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
                !IsText(type)) {
                return std::nullopt;  // missing, or not text: the reader's default applies
            }
            std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
            DWORD got = static_cast<DWORD>(data.size() * sizeof(wchar_t));
            LONG rc =
                RegQueryValueExW(hkey.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
            if (rc == ERROR_MORE_DATA) continue;
            if (rc != ERROR_SUCCESS || !IsText(type)) return std::nullopt;
            data.resize(got / sizeof(wchar_t));
            if (!data.empty() && data.back() == L'\0') data.pop_back();  // the terminator, not the text
            return vb::String(data.begin(), data.end());
        }
        return std::nullopt;
    }

    void Write(vb::StringView app, vb::StringView section, vb::StringView key, vb::StringView value) override {
        win::ScopedRegistryKey hkey;
        LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_SET_VALUE, nullptr, hkey.receive(), nullptr);
        if (rc != ERROR_SUCCESS) RaiseWriteFailure(app, section, key, Reason(rc));
        std::wstring data = win::ToWide(value);
        if (data.size() >= MAXDWORD / sizeof(wchar_t)) {
            RaiseWriteFailure(app, section, key, u"the value is too long for the registry");
        }
        rc =
            RegSetValueExW(hkey.get(), win::ToWide(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                           static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        if (rc != ERROR_SUCCESS) RaiseWriteFailure(app, section, key, Reason(rc));
    }
};

}  // namespace

std::unique_ptr<SettingsStore> MakeRegistrySettingsStore() { return std::make_unique<RegistrySettingsStore>(); }

}  // namespace platform
