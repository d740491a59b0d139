// The window styles of a form, from its border style and buttons.
#pragma once

#include <windows.h>

#include "platform/ui/form.h"

namespace ui::win32 {

struct WindowStyle {
    DWORD style = 0;
    DWORD exStyle = 0;
};

// `owned`: the window has an owner (forms after the first); an owned form
// that shows in the task bar needs to ask for it.
WindowStyle FormStyle(const FormProps& props, bool owned);

}  // namespace ui::win32
