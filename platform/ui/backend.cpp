#include "platform/ui/backend.h"

#include <cstdlib>

namespace ui {

namespace {
platform::Seam<Backend*> current;
}

Backend& backend() {
    // A program that shows windows installs its backend first; anything else
    // is a fault of the program itself.
    Backend* installed = current.installed();
    if (!installed) std::abort();
    return *installed;
}

Backend* InstalledBackend() { return current.installed(); }

BackendGuard InstallBackend(Backend& b) { return current.Install(&b); }

}  // namespace ui
