// What a screen reader gets when it asks a control's window for its
// accessible object (WM_GETOBJECT, OBJID_CLIENT): the system's own object
// for the window (CreateStdAccessibleObject), with the name, keyboard
// shortcut and description the form gives the control, and for a link the
// role, states and default action of a link.
//
// A proxy rather than the accessibility property service (IAccPropServices,
// SetHwndPropStr): that service names the system's objects without one,
// but Wine's oleacc does not implement it (E_NOTIMPL), and a proxy is the
// same on both. The object holds only the window: it asks the window for
// the current facts on each call, so a caption changed later is read as it
// is now, and an object a client keeps after the window is gone answers as
// the system's object does then.
#pragma once

#include <windows.h>

#include <string>

namespace ui::win32 {

struct AccessibleFacts {
    std::wstring name;         // empty: the system's own
    std::wstring shortcut;     // "Alt+O"; empty: none
    std::wstring description;  // empty: the system's own
    bool link = false;
};

// Sent to a control's window (lParam: an AccessibleFacts to fill); a window
// that knows its facts fills them and answers TRUE.
UINT AccessibleFactsMessage();
// Posted to a link's window when a client asks for its default action: it
// opens as a click does, from the message loop rather than inside the
// client's call.
UINT DefaultActionMessage();

// The answer to WM_GETOBJECT for OBJID_CLIENT (w: the message's wParam);
// 0 when the proxy cannot be made, for the window's own answer.
LRESULT AnswerGetObject(HWND hwnd, WPARAM w);

}  // namespace ui::win32
