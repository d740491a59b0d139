// Finding what a command acts on, and refusing what a user could not do.
#pragma once
#include <windows.h>

#include <string_view>

#include "tools/uidriver/window_facts_win.h"
#include "tools/uidriver/options_win.h"

namespace uidriver {

// How long commands other than `wait` and `msgbox` look for their window
// and control before giving up, unless --timeout says otherwise.
inline constexpr DWORD kFindTimeoutMs = 2000;

HWND TargetWindow(const Options& options);
HWND TargetControl(const Options& options, HWND top, std::wstring_view wanted);

// The window is enabled (no modal window or message box over it) and the
// control visible and enabled; skipped with --force.
void RequireUsable(const Options& options, HWND top, HWND control = nullptr);

void RequireKind(HWND control, Kind kind, std::wstring_view wanted);

}  // namespace uidriver
