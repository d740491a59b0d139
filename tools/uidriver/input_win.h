// Real input through the system's queue, as a user's hand makes it.
#pragma once
#include <windows.h>

namespace uidriver {

// Makes the window the foreground window; fails when the system refuses.
void BringToFront(HWND top);

// Moves the pointer to the control's centre and presses the left button
// there. Fails when another window covers that point.
void MouseClick(HWND top, HWND control);
// The same at a point of the control's client area.
void MouseClickAt(HWND top, HWND control, POINT client);

}  // namespace uidriver
