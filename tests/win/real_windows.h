// What the Windows tests ask of real windows: whether windows can be made
// at all (a display), the system window behind a form or control, what a
// window shows, and a reporter for the message box that ends a program.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/ui/control.h"
#include "platform/ui/form.h"
#include "platform/ui/win32/control_window.h"

namespace real_windows {

inline bool DisplayAvailable() {
    static const bool available = [] {
        HWND probe = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
        if (probe) DestroyWindow(probe);
        return probe != nullptr;
    }();
    return available;
}

inline HWND Hwnd(const ui::Control& c) { return static_cast<ui::win32::ControlWindow*>(c.peer)->hwnd(); }
inline HWND Hwnd(const ui::Form& f) { return static_cast<HWND>(f.peer->NativeHandle()); }

inline std::wstring ClassOf(HWND h) {
    wchar_t name[64] = {};
    GetClassNameW(h, name, 64);
    return name;
}

inline std::wstring TextOf(HWND h) {
    wchar_t text[256] = {};
    GetWindowTextW(h, text, 256);
    return text;
}

// The system calls an enumeration back with its own calling convention
// (__stdcall on 32-bit Windows), which a lambda cannot have.
inline BOOL CALLBACK NoteFirstBox(HWND h, LPARAM found) {
    if (ClassOf(h) != L"#32770" || !IsWindowVisible(h)) return TRUE;
    *reinterpret_cast<HWND*>(found) = h;
    return FALSE;
}

// The first visible message box of this thread, or null.
inline HWND FirstBoxOfThisThread() {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), NoteFirstBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

// A timer procedure: prints the title and text of the first message box of
// this thread to stderr ("[TITLE] TEXT") and presses its OK. For death
// tests, which read what a dying program showed.
inline void CALLBACK ReportTheBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND h = FirstBoxOfThisThread();
    if (!h) return;
    std::wstring text = TextOf(GetDlgItem(h, 0xFFFF));
    std::fprintf(stderr, "[%ls] %ls\n", TextOf(h).c_str(), text.c_str());
    std::fflush(stderr);
    SendMessageW(GetDlgItem(h, IDOK), BM_CLICK, 0, 0);
}

}  // namespace real_windows
