// The reader the program calls: the system's, unless a test put its own in
// place.
#include "platform/profile_reader.h"

namespace platform {

namespace {
Seam<ProfileReader> installed;
}  // namespace

ProfileString ReadProfileString(std::string_view section, std::string_view key, uint32_t size, vb::StringView file) {
    ProfileReader reader = installed.installed();
    return reader ? reader(section, key, size, file) : SystemReadProfileString(section, key, size, file);
}

bool IsEmptyProfileName(std::string_view name) {
    for (char b : name) {
        if (b == '\0') break;
        if (!IsProfileBlank(static_cast<unsigned char>(b))) return false;
    }
    return true;
}

ProfileReaderGuard InstallProfileReader(ProfileReader reader) { return installed.Install(reader); }

}  // namespace platform
