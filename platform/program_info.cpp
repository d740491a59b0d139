#include "platform/program_info.h"

#include "platform/product.h"

namespace platform {

vb::String ProgramTitle() { return vb::FromAscii(BRIVANE_TITLE); }

Version ProgramVersion() {
    return {BRIVANE_VERSION_MAJOR, BRIVANE_VERSION_MINOR, BRIVANE_VERSION_REVISION};
}

}  // namespace platform
