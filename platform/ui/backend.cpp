#include "platform/ui/backend.h"

#include <cstdlib>

namespace ui {

namespace {
Backend* current = nullptr;
}

Backend& backend() {
    // A program that shows windows installs its backend first; anything else
    // is a fault of the program itself.
    if (!current) std::abort();
    return *current;
}

void SetBackend(Backend* b) { current = b; }

}  // namespace ui
