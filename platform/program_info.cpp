#include "platform/program_info.h"

#include "platform/product.h"

namespace platform {

vb::String ProgramTitle() { return vb::FromAscii(BRIVANE_TITLE); }

Version ProgramVersion() { return {BRIVANE_VERSION_MAJOR, BRIVANE_VERSION_MINOR, BRIVANE_VERSION_REVISION}; }

vb::String WindowsFolderOf(vb::StringView path) {
    size_t slash = path.find_last_of(u"\\/");
    if (slash == vb::StringView::npos) return {};
    if (slash == 2 && path[1] == u':') return vb::String(path.substr(0, 3));
    return vb::String(path.substr(0, slash));
}

}  // namespace platform
