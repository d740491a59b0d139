// The floor the program's start-up is measured against: the least a Windows
// program with one visible captioned window does. One class, one small
// window, a message loop; it ends when the window is closed.
//
// Built with FLOOR_DRESSED it also sets up its process as the program does
// (the program's manifest, so version 6 of the common controls with themes,
// the common controls, an OLE apartment, the shell linked in): the floor of
// any program made that way, before it does any work of its own.
//
// Built with BRIVANE_STARTUP_TRACE (tools/bench/trace) it marks its steps as
// the traced program does, under the same names.
#include <windows.h>

#ifdef BRIVANE_STARTUP_TRACE
#define FLOOR_MARK(step) OutputDebugStringA("brivane-mark " step)
#else
#define FLOOR_MARK(step)
#endif

#ifdef FLOOR_DRESSED
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>
#endif

namespace {

constexpr wchar_t kClass[] = L"brivane.Floor";
constexpr wchar_t kCaption[] = L"Floor";

LRESULT CALLBACK FloorProc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, w, l);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    FLOOR_MARK("entered");
#ifdef FLOOR_DRESSED
    // Referenced, not called: the shell is loaded with the process.
    auto* volatile shellOpen = &ShellExecuteW;
    (void)shellOpen;
    if (FAILED(OleInitialize(nullptr))) return 1;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
#endif
    WNDCLASSW wc{};
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    if (!RegisterClassW(&wc)) return 1;
    FLOOR_MARK("backend");
    HWND hwnd = CreateWindowExW(0, kClass, kCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 100, 100, 240, 120,
                                nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    FLOOR_MARK("window");
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    FLOOR_MARK("shown");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
