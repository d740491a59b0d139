// Key names and the two ways of pressing them: real input to the
// foreground window, or messages posted to the focused control.
#pragma once
#include <windows.h>

#include <string_view>

namespace uidriver {

struct KeyStroke {
    WORD vk = 0;
    bool ctrl = false, alt = false, shift = false;
};

// "enter", "escape", "tab", "shift+tab", "alt+o", "ctrl+a", "f1", "x"...
// Fails with a usage error for a name it does not know.
KeyStroke ParseKey(std::wstring_view name);

// SendInput: modifiers down, the key down and up, modifiers up. The system
// routes it to the focused control of the foreground window.
void SendKey(const KeyStroke& key);

// Posts the key messages a real keystroke would queue to `target`; the
// target's own TranslateMessage makes the characters. Modifier state is not
// seen by GetKeyState in the target (shift+tab, ctrl+x), only Alt through
// the WM_SYSKEYDOWN form.
void PostKey(HWND target, const KeyStroke& key);

}  // namespace uidriver
