// A window the program needs could not be made: reported as the run-time
// error the program was designed on for that case (7, "Out of memory"),
// naming the system call and the system's error code.
#pragma once

#include "platform/vb/string.h"

namespace ui::win32 {

// Raises the error for the call that failed just now (reads GetLastError).
[[noreturn]] void RaiseSystemError(vb::StringView call, vb::StringView what);

}  // namespace ui::win32
