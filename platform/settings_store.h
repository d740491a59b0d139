// The per-user settings store: string values addressed by application name,
// section and key. GetSetting and SaveSetting work on one process-wide backing
// store: the registry on Windows, a settings file elsewhere, or whatever a test
// or the demo puts in its place.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "platform/seam.h"
#include "platform/vb/string.h"

namespace platform {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored value, or nullopt when the key, its section or its
    // application is missing (or cannot be read).
    virtual std::optional<vb::String> Read(vb::StringView app, vb::StringView section, vb::StringView key) = 0;

    // Creates the application, section and key as needed and replaces an
    // earlier value. Raises vb::Error when the value could not be stored.
    virtual void Write(vb::StringView app, vb::StringView section, vb::StringView key, vb::StringView value) = 0;
};

// Keeps everything in memory, names compared as the registry compares them
// (ASCII case-insensitively). For tests and the demo.
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<vb::String> Read(vb::StringView app, vb::StringView section, vb::StringView key) override;
    void Write(vb::StringView app, vb::StringView section, vb::StringView key, vb::StringView value) override;

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

// The store GetSetting and SaveSetting use: the one installed, else the
// default one, made on first use.
SettingsStore& CurrentSettingsStore();

using SettingsStoreGuard = Seam<SettingsStore*>::Guard;
// `store` (not owned) keeps the settings until the guard goes.
SettingsStoreGuard InstallSettingsStore(SettingsStore& store);

// A store of its own, installed for its lifetime.
class ScopedSettingsStore {
public:
    explicit ScopedSettingsStore(std::unique_ptr<SettingsStore> store)
        : store_(std::move(store)), installed_(InstallSettingsStore(*store_)) {}

    SettingsStore& store() { return *store_; }

private:
    std::unique_ptr<SettingsStore> store_;
    SettingsStoreGuard installed_;
};

}  // namespace platform
