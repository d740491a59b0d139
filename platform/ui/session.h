// The end of the user's session: logging off, shutting down, or an
// installer closing the programs that run. The system ends the process
// soon after it has told the program, without any close handling, so what
// must not be lost is done when it tells.
#pragma once

#include <functional>

namespace ui {

// What the program does when the session ends; replaces what was named
// before. It runs once, at the first notice of the end.
void OnSessionEnd(std::function<void()> handler);

// The backend's notice that the session ends now (on Windows the first
// WM_ENDSESSION that says so): runs the handler, as any entry from the
// system does, unless it ran already.
void SessionEnding();

}  // namespace ui
