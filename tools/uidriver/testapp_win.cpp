// A small target for the driver's self-test: the kinds of windows and
// controls the driver must handle, each logging what it received to the
// file named on the command line (one event per line, UTF-8).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "tools/uidriver/text_win.h"

namespace {

enum : int {
    kAsk = 100,
    kInfo,
    kRemember,
    kManualBox,
    kManualLabel,
    kLink,
    kPlain,
    kEdit,
    kSlider,
    kDisabled,
    kGroup,
    kCombo,
    kList,
    kMenuDialog = 200,
    kMenuExit,
    kMenuPreferences,
    kMenuGrey,
    kMenuTicked,
    kDialogEdit = 300,
};

constexpr wchar_t kMainClass[] = L"UiDriverTestMain";
constexpr wchar_t kDialogClass[] = L"UiDriverTestDialog";

FILE* logFile = nullptr;
HINSTANCE instance = nullptr;
HWND mainWindow = nullptr;
HWND dialogWindow = nullptr;
HFONT font = nullptr;

void Log(const std::wstring& line) {
    if (!logFile) return;
    std::fprintf(logFile, "%s\n", uidriver::ToUtf8(line).c_str());
    std::fflush(logFile);
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}

HWND Add(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id) {
    HWND control = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void CreateMainControls(HWND w) {
    Add(w, L"Button", L"Group :", BS_GROUPBOX, 8, 4, 380, 150, kGroup);
    Add(w, L"Button", L"&Ask", WS_TABSTOP | BS_DEFPUSHBUTTON, 20, 24, 90, 26, kAsk);
    Add(w, L"Button", L"&Info", WS_TABSTOP, 120, 24, 90, 26, kInfo);
    Add(w, L"Button", L"&Remember", WS_TABSTOP | BS_AUTOCHECKBOX, 20, 60, 120, 20, kRemember);
    Add(w, L"Button", L"", WS_TABSTOP | BS_CHECKBOX, 150, 60, 17, 17, kManualBox);
    Add(w, L"Static", L"Manual box", SS_NOTIFY, 170, 61, 100, 18, kManualLabel);
    Add(w, L"Static", L"Open link", SS_NOTIFY, 20, 90, 100, 18, kLink);
    Add(w, L"Static", L"Plain", 0, 130, 90, 100, 18, kPlain);
    Add(w, L"Edit", L"start", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 20, 115, 200, 22, kEdit);
    HWND slider = Add(w, TRACKBAR_CLASSW, L"", WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS, 20, 160, 200, 30, kSlider);
    SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(1, 10));
    SendMessageW(slider, TBM_SETPAGESIZE, 0, 5);
    SendMessageW(slider, TBM_SETPOS, TRUE, 5);
    HWND disabled = Add(w, L"Button", L"Disabled", WS_TABSTOP, 240, 24, 90, 26, kDisabled);
    EnableWindow(disabled, FALSE);
    HWND combo = Add(w, WC_COMBOBOXW, L"", WS_TABSTOP | CBS_DROPDOWN | WS_VSCROLL, 240, 115, 140, 120, kCombo);
    for (const wchar_t* entry : {L"Red", L"Green", L"Blue"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    HWND list = Add(w, L"ListBox", L"", WS_TABSTOP | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, 240,
                    145, 140, 60, kList);
    for (const wchar_t* entry : {L"Alpha", L"Beta | two", L"Gamma"})
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
}

HMENU CreateMainMenu() {
    HMENU bar = CreateMenu(), file = CreatePopupMenu(), options = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kMenuDialog, L"&Dialog...");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kMenuExit, L"E&xit\tAlt+F4");
    AppendMenuW(options, MF_STRING, kMenuPreferences, L"&Preferences");
    AppendMenuW(options, MF_STRING | MF_GRAYED, kMenuGrey, L"&Greyed");
    AppendMenuW(options, MF_STRING | MF_CHECKED, kMenuTicked, L"&Ticked");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(options), L"&Options");
    return bar;
}

// A modal window of our own class, as the program's forms are: the owner is
// disabled while it is open and a nested loop runs with IsDialogMessage.
void RunDialog() {
    dialogWindow =
        CreateWindowExW(WS_EX_DLGMODALFRAME, kDialogClass, L"Second Window", WS_POPUP | WS_CAPTION | WS_SYSMENU, 200,
                        200, 300, 140, mainWindow, nullptr, instance, nullptr);
    Add(dialogWindow, L"Edit", L"", WS_TABSTOP | WS_BORDER, 10, 10, 200, 22, kDialogEdit);
    Add(dialogWindow, L"Button", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 10, 50, 80, 26, IDOK);
    Add(dialogWindow, L"Button", L"&Cancel", WS_TABSTOP, 100, 50, 80, 26, IDCANCEL);
    EnableWindow(mainWindow, FALSE);
    ShowWindow(dialogWindow, SW_SHOW);
    SetFocus(GetDlgItem(dialogWindow, kDialogEdit));
    MSG msg;
    while (dialogWindow && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(dialogWindow, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void EndDialogWindow(const wchar_t* how) {
    Log(std::wstring(L"dialog ") + how + L" text=" + TextOf(GetDlgItem(dialogWindow, kDialogEdit)));
    EnableWindow(mainWindow, TRUE);
    DestroyWindow(dialogWindow);
    dialogWindow = nullptr;
}

LRESULT CALLBACK DialogProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) EndDialogWindow(L"ok");
        else if (LOWORD(wParam) == IDCANCEL) EndDialogWindow(L"cancel");
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE:
        EndDialogWindow(L"closed");
        return 0;
    }
    return DefWindowProcW(w, message, wParam, lParam);
}

void OnCommand(HWND w, int id, int code, HWND control) {
    switch (id) {
    case kAsk: {
        int answer = MessageBoxW(w, L"Proceed?\r\nSecond line", L"Test Question", MB_YESNO);
        Log(L"ask answer=" + std::to_wstring(answer));
        break;
    }
    case kInfo:
        Log(L"info answer=" + std::to_wstring(MessageBoxW(w, L"Done.", L"Test Info", MB_OK | MB_ICONINFORMATION)));
        break;
    case kRemember:
        Log(L"remember=" + std::to_wstring(SendMessageW(control, BM_GETCHECK, 0, 0)));
        break;
    case kManualBox:
    case kManualLabel: {
        if (id == kManualLabel && code != STN_CLICKED) break;
        HWND box = GetDlgItem(w, kManualBox);
        LRESULT state = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        SendMessageW(box, BM_SETCHECK, state, 0);
        Log(std::wstring(id == kManualBox ? L"box" : L"label") + L" manual=" + std::to_wstring(state));
        break;
    }
    case kLink:
        if (code == STN_CLICKED) Log(L"link clicked");
        break;
    case kEdit:
        if (code == EN_CHANGE) Log(L"edit=" + TextOf(control));
        break;
    case kCombo:
        if (code == CBN_SELCHANGE) Log(L"combo select=" + std::to_wstring(SendMessageW(control, CB_GETCURSEL, 0, 0)));
        if (code == CBN_EDITCHANGE) Log(L"combo edit=" + TextOf(control));
        break;
    case kList:
        if (code == LBN_SELCHANGE)
            Log(L"list select=" + std::to_wstring(SendMessageW(control, LB_GETCURSEL, 0, 0)) + L" focus=" +
                std::to_wstring(GetFocus() == control));
        break;
    case kMenuDialog:
        Log(L"menu dialog");
        RunDialog();
        break;
    case kMenuExit:
        Log(L"menu exit");
        DestroyWindow(w);
        break;
    case kMenuPreferences:
        Log(L"menu preferences");
        break;
    case kMenuGrey:
        Log(L"menu greyed (should not happen)");
        break;
    case IDCANCEL:
        Log(L"escape");
        break;
    }
}

LRESULT CALLBACK MainProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateMainControls(w);
        return 0;
    case WM_COMMAND:
        OnCommand(w, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_HSCROLL:
        Log(L"hscroll code=" + std::to_wstring(LOWORD(wParam)) + L" pos=" +
            std::to_wstring(SendMessageW(reinterpret_cast<HWND>(lParam), TBM_GETPOS, 0, 0)) + L" from-slider=" +
            std::to_wstring(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == kSlider));
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(kAsk, DC_HASDEFID);
    case WM_CLOSE:
        Log(L"close");
        DestroyWindow(w);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(w, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    instance = hInstance;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc > 1) logFile = _wfopen(argv[1], L"wb");
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font = CreateFontIndirectW(&metrics.lfMessageFont);

    WNDCLASSW wc{};
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpfnWndProc = MainProc;
    wc.lpszClassName = kMainClass;
    RegisterClassW(&wc);
    wc.lpfnWndProc = DialogProc;
    wc.lpszClassName = kDialogClass;
    RegisterClassW(&wc);

    mainWindow = CreateWindowExW(WS_EX_TOPMOST, kMainClass, L"UiDriver Test", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                 40, 40, 420, 280, nullptr, CreateMainMenu(), instance, nullptr);
    ShowWindow(mainWindow, SW_SHOW);
    SetFocus(GetDlgItem(mainWindow, kEdit));
    Log(L"ready");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(mainWindow, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    Log(L"end");
    if (logFile) std::fclose(logFile);
    return 0;
}
