#ifdef BRIVANE_STARTUP_TRACE
#include <cstdio>

#include "platform/startup_trace.h"

namespace platform {

void StartupMark(const char* step) { std::fprintf(stderr, "brivane-mark %s\n", step); }

}  // namespace platform
#endif
