#include "tools/uidriver/input_win.h"

#include <string>

#include "tools/uidriver/window_facts_win.h"
#include "tools/uidriver/output_win.h"
#include "tools/uidriver/text_win.h"

namespace uidriver {

namespace {

constexpr DWORD kForegroundTimeoutMs = 1000;

void SendButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (SendInput(1, &input, sizeof input) != 1) Fail(L"the system refused the mouse event");
}

}  // namespace

void BringToFront(HWND top) {
    if (GetForegroundWindow() == top) return;
    SetForegroundWindow(top);
    DWORD start = GetTickCount();
    while (GetForegroundWindow() != top) {
        if (GetTickCount() - start >= kForegroundTimeoutMs)
            Fail(L"window \"" + Escaped(WindowTitle(top)) + L"\" does not come to the foreground");
        Sleep(20);
    }
}

void MouseClick(HWND top, HWND control) {
    RECT rect{};
    GetClientRect(control, &rect);
    MouseClickAt(top, control, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

void MouseClickAt(HWND top, HWND control, POINT point) {
    ClientToScreen(control, &point);
    HWND hit = WindowFromPoint(point);
    if (!hit || GetAncestor(hit, GA_ROOT) != top)
        Fail(L"the point " + std::to_wstring(point.x) + L"," + std::to_wstring(point.y) + L" of control \"" +
             Escaped(ControlText(control)) + L"\" is covered by window \"" +
             (hit ? Escaped(WindowTitle(GetAncestor(hit, GA_ROOT))) : std::wstring()) + L"\"");
    BringToFront(top);
    if (!SetCursorPos(point.x, point.y)) Fail(L"cannot move the mouse pointer");
    SendButton(MOUSEEVENTF_LEFTDOWN);
    SendButton(MOUSEEVENTF_LEFTUP);
}

}  // namespace uidriver
