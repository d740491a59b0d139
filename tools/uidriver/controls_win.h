// Naming a control inside a top-level window.
//
//   #N            the N-th control (0-based) in the order `dump` lists them
//   id:N          the control whose id is N
//   KIND:N        the N-th control of a kind (pushbutton, checkbox, radio,
//                 groupbox, label, image, shape, edit, combobox, listbox,
//                 trackbar)
//   CLASS:N       the N-th control of a window class (Button:3, Static:0)
//   CAPTION       exact caption, with or without its '&' marks ("&OK", "OK")
//   CAPTION@K     the K-th control (0-based) with that caption
//
// A caption that matches exactly wins over the other forms; among several
// controls with one caption the first visible one is taken.
#pragma once
#include <windows.h>

#include <string_view>
#include <vector>

namespace uidriver {

// Every descendant, depth first in z-order: for windows built in tab order
// that is the tab order.
std::vector<HWND> Descendants(HWND top);

// Fails with a message naming the window when nothing matches.
HWND FindControl(HWND top, std::wstring_view wanted);

}  // namespace uidriver
