// The per-user settings store: string values addressed by application name,
// section and key. GetSetting and SaveSetting work on one process-wide backing
// store: the registry on Windows, a settings file elsewhere, or whatever a test
// or the demo puts in its place.
#pragma once

#include <concepts>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "platform/vb/string.h"

namespace platform {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored value, or nullopt when the key, its section or its
    // application is missing (or cannot be read).
    virtual std::optional<vb::String> Read(vb::StringView app, vb::StringView section,
                                           vb::StringView key) = 0;

    // Creates the application, section and key as needed and replaces an
    // earlier value. Raises vb::Error when the value could not be stored.
    virtual void Write(vb::StringView app, vb::StringView section, vb::StringView key,
                       vb::StringView value) = 0;
};

// Keeps everything in memory, names compared as the registry compares them
// (ASCII case-insensitively). For tests and the demo.
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<vb::String> Read(vb::StringView app, vb::StringView section,
                                   vb::StringView key) override;
    void Write(vb::StringView app, vb::StringView section, vb::StringView key,
               vb::StringView value) override;

private:
    std::map<std::tuple<vb::String, vb::String, vb::String>, vb::String> values_;
};

// The system's own store: the registry on Windows, the settings file in the
// user's configuration folder elsewhere.
std::unique_ptr<SettingsStore> MakeDefaultSettingsStore();

#ifdef _WIN32
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>,
// one string value per key.
std::unique_ptr<SettingsStore> MakeRegistrySettingsStore();
#endif

// The store GetSetting and SaveSetting use; the default one is made on first use.
SettingsStore& CurrentSettingsStore();

// Puts another store in place and returns the one it replaces (empty when the
// default had not been made yet). An empty store means the default again.
std::unique_ptr<SettingsStore> SetSettingsStore(std::unique_ptr<SettingsStore> store);

// Puts a store in place for its own lifetime, then brings the earlier one back.
class ScopedSettingsStore {
public:
    explicit ScopedSettingsStore(std::unique_ptr<SettingsStore> store);
    ~ScopedSettingsStore();
    ScopedSettingsStore(const ScopedSettingsStore&) = delete;
    ScopedSettingsStore& operator=(const ScopedSettingsStore&) = delete;

    SettingsStore& store() { return *store_; }

private:
    SettingsStore* store_;
    std::unique_ptr<SettingsStore> previous_;
};

}  // namespace platform

namespace vb {

// A number passed as a default comes back as its decimal text; characters and
// truth values have no single decimal text and are not accepted.
template <class T>
concept DecimalNumber = std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> &&
                        !std::same_as<T, wchar_t> && !std::same_as<T, char8_t> &&
                        !std::same_as<T, char16_t> && !std::same_as<T, char32_t>;

// The stored value when the key exists, even when it is empty; otherwise the
// default, or the empty string without one. Application and section names
// must be non-empty, and no name may contain a NUL: such a key never exists.
String GetSetting(StringView app, StringView section, StringView key);
String GetSetting(StringView app, StringView section, StringView key, StringView default_value);

template <DecimalNumber Number>
String GetSetting(StringView app, StringView section, StringView key, Number default_value) {
    return GetSetting(app, section, key, StringView(FromAscii(std::to_string(default_value))));
}

// Stores the value as it is. Raises error 5 for a name GetSetting could never
// find (see above) and error 75 when the store could not keep the value.
void SaveSetting(StringView app, StringView section, StringView key, StringView value);

}  // namespace vb
