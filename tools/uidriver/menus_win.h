// The menu bar of another program's window.
#pragma once
#include <windows.h>

#include <string_view>
#include <vector>

#include "tools/uidriver/menu_walk_win.h"

namespace uidriver {

// Every entry of the window's menu bar, depth first; empty without a menu
// bar. Reads the menu directly where the system allows it, otherwise loads
// the menu helper (uidriver_menus.dll, beside the driver) into the target.
std::vector<MenuEntry> ReadMenuBar(HWND window);

// The entry at a path of captions ("Options/Preferences"), compared without
// '&' marks and accelerator text; "\/" stands for a '/' inside a caption.
// Returns the index in entries, or -1.
int FindMenuEntry(const std::vector<MenuEntry>& entries, std::wstring_view path);

// Not greyed, and no popup above it greyed.
bool MenuEntryUsable(const std::vector<MenuEntry>& entries, int index);

}  // namespace uidriver
