// A window's text, read as the program's UTF-16 text.
#pragma once

#include <windows.h>

#include "platform/vb/string.h"

namespace ui::win32 {

// The whole text of a window, however long.
vb::String WindowText(HWND window);

}  // namespace ui::win32
