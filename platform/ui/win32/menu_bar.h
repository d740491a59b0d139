// A form's menu bar: its menus and their items, in order; an item captioned
// "-" is a separator.
#pragma once

#include <windows.h>

#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/win32/scoped.h"

namespace ui::win32 {

// Numbers every item with a command id from `firstId` up (setting
// Menu::commandId); empty when the form has no menus.
win::ScopedMenu BuildMenuBar(const Form& form, int firstId);

// The item with this command id, or nullptr.
Menu* FindMenuItem(const Form& form, int commandId);

}  // namespace ui::win32
