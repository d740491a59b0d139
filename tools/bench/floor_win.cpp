// The floor the program's start-up is measured against: the least a Windows
// program with one visible captioned window does. One class, one small
// window, a message loop; it ends when the window is closed.
#include <windows.h>

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
    WNDCLASSW wc{};
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    if (!RegisterClassW(&wc)) return 1;
    HWND hwnd = CreateWindowExW(0, kClass, kCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 100, 100, 240, 120,
                                nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
