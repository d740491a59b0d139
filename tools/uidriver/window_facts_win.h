// Reading another program's windows: class, kind, text and state, asked
// with time limits so a busy target cannot hang the driver.
#pragma once
#include <windows.h>

#include <string>
#include <vector>
#include <string_view>

namespace uidriver {

// How long a sent message may wait for the target to answer.
inline constexpr UINT kAnswerTimeoutMs = 3000;

// SendMessageTimeout; fails with a clear message when the target does not
// answer in time.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

enum class Kind {
    PushButton,
    CheckBox,
    Radio,
    GroupBox,
    Label,
    Image,
    Shape,
    Edit,
    ComboBox,
    ListBox,
    Trackbar,
    Other
};

// Derived from the class and its style bits: what a user sees.
Kind KindOf(HWND control);
const wchar_t* KindName(Kind kind);

std::wstring ClassName(HWND window);
// Caption of a top-level window (kept by the system, no message sent).
std::wstring WindowTitle(HWND window);
// Text of a control, asked with WM_GETTEXT (an edit keeps its text itself).
std::wstring ControlText(HWND control);

// BM_GETCHECK: 0 unticked, 1 ticked, 2 greyed.
int CheckState(HWND control);

struct TrackbarState {
    long pos = 0, min = 0, max = 0, line = 0, page = 0;
    bool vertical = false;
};
TrackbarState ReadTrackbar(HWND trackbar);

// A combo box's list entries, in order.
std::vector<std::wstring> ComboEntries(HWND combo);
// Its edit field, or null for a box without one.
HWND ComboEdit(HWND combo);
// A list box's entries, in order.
std::vector<std::wstring> ListEntries(HWND list);

// The control that has the keyboard focus in the window's thread, or null.
HWND FocusedWindow(HWND anyWindowOfThread);

DWORD ProcessOf(HWND window);

// "L,T,R,B" for a rectangle.
std::wstring RectText(const RECT& rect);

}  // namespace uidriver
