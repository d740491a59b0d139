#include "platform/settings_store.h"

#include <utility>

#include "platform/settings_file_store.h"
#include "platform/vb/error.h"

namespace platform {

namespace {

std::unique_ptr<SettingsStore>& Current() {
    static std::unique_ptr<SettingsStore> current;
    return current;
}

vb::String FoldAscii(vb::StringView text) {
    vb::String out(text);
    for (char16_t& c : out) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return out;
}

}  // namespace

std::optional<vb::String> MemorySettingsStore::Read(vb::StringView app, vb::StringView section,
                                                    vb::StringView key) {
    auto found = values_.find({FoldAscii(app), FoldAscii(section), FoldAscii(key)});
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

void MemorySettingsStore::Write(vb::StringView app, vb::StringView section, vb::StringView key,
                                vb::StringView value) {
    values_[{FoldAscii(app), FoldAscii(section), FoldAscii(key)}] = vb::String(value);
}

std::unique_ptr<SettingsStore> MakeDefaultSettingsStore() {
#ifdef _WIN32
    return MakeRegistrySettingsStore();
#else
    return std::make_unique<FileSettingsStore>(DefaultSettingsRoot());
#endif
}

SettingsStore& CurrentSettingsStore() {
    if (!Current()) Current() = MakeDefaultSettingsStore();
    return *Current();
}

std::unique_ptr<SettingsStore> SetSettingsStore(std::unique_ptr<SettingsStore> store) {
    return std::exchange(Current(), std::move(store));
}

ScopedSettingsStore::ScopedSettingsStore(std::unique_ptr<SettingsStore> store)
    : store_(store.get()), previous_(SetSettingsStore(std::move(store))) {}

ScopedSettingsStore::~ScopedSettingsStore() { SetSettingsStore(std::move(previous_)); }

}  // namespace platform

namespace vb {

namespace {

// The registry has no nameless application or section, and no name there can
// hold a NUL; the file store follows the same rules so both behave alike.
bool IsValidAddress(StringView app, StringView section, StringView key) {
    auto has_nul = [](StringView s) { return s.find(u'\0') != StringView::npos; };
    return !app.empty() && !section.empty() && !has_nul(app) && !has_nul(section) && !has_nul(key);
}

}  // namespace

String GetSetting(StringView app, StringView section, StringView key) {
    return GetSetting(app, section, key, StringView());
}

String GetSetting(StringView app, StringView section, StringView key, StringView default_value) {
    if (!IsValidAddress(app, section, key)) return String(default_value);
    auto stored = platform::CurrentSettingsStore().Read(app, section, key);
    return stored ? std::move(*stored) : String(default_value);
}

void SaveSetting(StringView app, StringView section, StringView key, StringView value) {
    if (!IsValidAddress(app, section, key)) {
        throw Error(kInvalidProcedureCall,
                    StandardDescription(kInvalidProcedureCall) +
                        u": a setting needs an application and a section name, and no name may "
                        u"contain a NUL character");
    }
    platform::CurrentSettingsStore().Write(app, section, key, value);
}

}  // namespace vb
