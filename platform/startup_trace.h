// Marks on the way from the process's start to the visible main window, for
// tools/bench/trace, which times the steps between them on Wine's clock.
// Each mark names the step just done. They exist only in a build configured
// with BRIVANE_STARTUP_TRACE=ON: the program users get has none, and costs
// nothing for them.
#pragma once

namespace platform {

#ifdef BRIVANE_STARTUP_TRACE
void StartupMark(const char* step);
#else
inline void StartupMark(const char*) {}
#endif

}  // namespace platform
