#include "platform/vb/settings.h"

#include "platform/settings_store.h"
#include "platform/vb/error.h"

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
        throw Error(kInvalidProcedureCall, StandardDescription(kInvalidProcedureCall) +
                                               u": a setting needs an application and a section name, and no name may "
                                               u"contain a NUL character");
    }
    platform::CurrentSettingsStore().Write(app, section, key, value);
}

}  // namespace vb
