// Text between the program (UTF-16 vb::String) and the wide-character calls
// of the system, which use the same UTF-16 units.
#pragma once

#include <windows.h>

#include "platform/vb/string.h"

namespace ui::win32 {

inline const wchar_t* Wide(const vb::String& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// The whole text of a window, however long.
vb::String WindowText(HWND window);

}  // namespace ui::win32
