// What a screen reader is told of a control, from the window as it is
// designed: a button, check box, label or frame is named by its caption; a
// field, list, slider or picture by the label just before it in tab order
// (the label whose access key reaches it); a control that has neither, by
// the name its design gives it (Place::accessibleName). Every backend
// answers with these, so a new window is named by being designed so.
#pragma once

#include "platform/ui/control.h"
#include "platform/vb/string.h"

namespace ui {

enum class NameSource { None, Explicit, Caption, LabelBefore };

NameSource NameSourceOf(const Control& control);
// Empty when it has no name source.
vb::String AccessibleName(const Control& control);
// "Alt+O" for "&OK", and for a field after the label "&Map page:" "Alt+M";
// empty without an access key.
vb::String KeyboardShortcut(const Control& control);
// The caption of the frame that holds it, unless its name says as much: a
// box named "Contacts" in the frame of the toolbars is told apart from the
// one in the frame of the menus.
vb::String AccessibleDescription(const Control& control);

// A caption as the screen shows it: "&" marks the next character as the
// access key and is not shown; "&&" shows one "&".
vb::String WithoutAccessKey(vb::StringView caption);
// The access key a caption marks, in upper case; 0 when none.
char16_t AccessKeyOf(vb::StringView caption);

}  // namespace ui
