// The shell request as ShellExecuteExW takes it, apart from the call, so the
// launch's flags can be checked without launching anything.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "platform/shell.h"

namespace platform {

// SEE_MASK_NOASYNC: the launch is complete when the call returns, even one
// a handler would finish on another thread, as the program may end straight
// after it. SEE_MASK_FLAG_NO_UI: a failure shows nothing; the program does
// not act on the shell's answer.
inline constexpr ULONG kShellLaunchFlags = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;

// The request's verb, file, parameters (null for none), folder (null when
// empty), owner window and show command. The texts point into `request`,
// which must outlive the result.
SHELLEXECUTEINFOW ShellExecuteInfoFor(const ShellRequest& request);

}  // namespace platform
