// Choosing the top-level window a command works on.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace uidriver {

struct WindowQuery {
    std::optional<std::wstring> title;      // exact caption
    std::optional<std::wstring> className;  // exact class, any case
    DWORD pid = 0;                          // 0: any process
    bool includeHidden = false;
};

// Matching top-level windows, topmost first; never the driver's own.
std::vector<HWND> TopLevelWindows(const WindowQuery& query);

// Polls until a matching window exists; fails after the timeout.
HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs);

// Polls until no matching window is left; fails after the timeout.
void WaitUntilGone(const WindowQuery& query, DWORD timeoutMs);

// For messages: `window "Title"` or `window of process 12`.
std::wstring Describe(const WindowQuery& query);

}  // namespace uidriver
