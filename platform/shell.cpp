#include "platform/shell.h"

namespace platform {

Shell& SystemShell();

namespace {
Shell* installed = nullptr;
}

Shell& shell() { return installed ? *installed : SystemShell(); }

void SetShell(Shell* replacement) { installed = replacement; }

}  // namespace platform
