// Reading a menu tree into plain text and back. The same walk runs inside
// the driver and, where menus of other processes cannot be read (Wine keeps
// them in the owning process), inside the target through the menu helper.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace uidriver {

struct MenuEntry {
    int depth = 0;        // 0 for the menu bar's own entries
    wchar_t kind = L'c';  // 'p' popup, 'c' command, 's' separator
    UINT id = 0;
    UINT state = 0;        // MFS_* bits
    std::wstring caption;  // as stored, with '&' marks; "-" for a separator
    std::wstring path;     // captions from the menu bar down, joined by '/'
};

// Records separated by U+001E, fields by U+001F: no caption contains them.
std::wstring WalkMenu(HMENU menu);
std::vector<MenuEntry> ParseMenuWalk(std::wstring_view text);

// Shared memory between the driver and the helper loaded into the target.
struct MenuChannel {
    uint32_t magic;
    uint32_t status;
    uint64_t window;
    uint32_t length;  // characters of text following this header
};
inline constexpr uint32_t kMenuChannelMagic = 0x554D4E55;
inline constexpr size_t kMenuChannelBytes = 1 << 20;
enum MenuChannelStatus : uint32_t { kMenuPending = 0, kMenuDone = 1, kMenuNone = 2, kMenuTooLong = 3 };

// Per target process, so drivers of different programs do not meet.
std::wstring MenuChannelName(DWORD pid);
std::wstring MenuChannelLockName(DWORD pid);

}  // namespace uidriver
