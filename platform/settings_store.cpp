#include "platform/settings_store.h"

#include <utility>

#include "platform/settings_file_store.h"

namespace platform {

namespace {

Seam<SettingsStore*> installed;

}  // namespace

std::optional<vb::String> MemorySettingsStore::Read(vb::StringView app, vb::StringView section, vb::StringView key) {
    auto found = values_.find({vb::AsciiLower(app), vb::AsciiLower(section), vb::AsciiLower(key)});
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

void MemorySettingsStore::Write(vb::StringView app, vb::StringView section, vb::StringView key, vb::StringView value) {
    values_[{vb::AsciiLower(app), vb::AsciiLower(section), vb::AsciiLower(key)}] = vb::String(value);
}

std::unique_ptr<SettingsStore> MakeDefaultSettingsStore() {
#ifdef _WIN32
    return MakeRegistrySettingsStore();
#else
    return std::make_unique<FileSettingsStore>(DefaultSettingsRoot());
#endif
}

SettingsStore& CurrentSettingsStore() {
    if (SettingsStore* store = installed.installed()) return *store;
    static const std::unique_ptr<SettingsStore> system = MakeDefaultSettingsStore();
    return *system;
}

SettingsStoreGuard InstallSettingsStore(SettingsStore& store) { return installed.Install(&store); }

}  // namespace platform
