#ifdef BRIVANE_STARTUP_TRACE
#include <windows.h>

#include <string>

#include "platform/startup_trace.h"

namespace platform {

// Wine prints a debug string with its timestamp when the debugstr channel is
// on (WINEDEBUG=+timestamp,+debugstr), on the clock of its other traces.
void StartupMark(const char* step) { OutputDebugStringA((std::string("brivane-mark ") + step).c_str()); }

}  // namespace platform
#endif
