#include "tools/uidriver/window_facts_win.h"

#include <commctrl.h>

#include <vector>

#include "tools/uidriver/output_win.h"
#include "tools/uidriver/text_win.h"

namespace uidriver {

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result)) {
        DWORD error = GetLastError();
        if (!IsWindow(window)) Fail(L"the window went away while it was asked (message " + Hex(message) + L")");
        Fail(L"the target did not answer message " + Hex(message) + L" within " + std::to_wstring(kAnswerTimeoutMs) +
             L" ms (error " + std::to_wstring(error) + L")");
    }
    return static_cast<LRESULT>(result);
}

std::wstring ClassName(HWND window) {
    wchar_t buffer[256] = {};
    int n = GetClassNameW(window, buffer, 256);
    return std::wstring(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring WindowTitle(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 2);
    int n = GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::wstring(buffer.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring ControlText(HWND control) {
    auto length = static_cast<size_t>(Ask(control, WM_GETTEXTLENGTH));
    std::vector<wchar_t> buffer(length + 2);
    auto n = static_cast<size_t>(Ask(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data())));
    return std::wstring(buffer.data(), n < buffer.size() ? n : buffer.size() - 1);
}

Kind KindOf(HWND control) {
    std::wstring cls = ClassName(control);
    auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    if (EqualsNoCase(cls, L"Button")) {
        switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return Kind::CheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return Kind::Radio;
        case BS_GROUPBOX:
            return Kind::GroupBox;
        default:
            return Kind::PushButton;
        }
    }
    if (EqualsNoCase(cls, L"Static")) {
        switch (style & SS_TYPEMASK) {
        case SS_ICON:
        case SS_BITMAP:
        case SS_ENHMETAFILE:
        case SS_OWNERDRAW:
            return Kind::Image;
        case SS_BLACKRECT:
        case SS_GRAYRECT:
        case SS_WHITERECT:
        case SS_BLACKFRAME:
        case SS_GRAYFRAME:
        case SS_WHITEFRAME:
        case SS_ETCHEDHORZ:
        case SS_ETCHEDVERT:
        case SS_ETCHEDFRAME:
            return Kind::Shape;
        default:
            return Kind::Label;
        }
    }
    if (EqualsNoCase(cls, L"Edit")) return Kind::Edit;
    if (EqualsNoCase(cls, WC_COMBOBOXW)) return Kind::ComboBox;
    if (EqualsNoCase(cls, WC_LISTBOXW)) return Kind::ListBox;
    if (EqualsNoCase(cls, TRACKBAR_CLASSW)) return Kind::Trackbar;
    return Kind::Other;
}

const wchar_t* KindName(Kind kind) {
    switch (kind) {
    case Kind::PushButton:
        return L"pushbutton";
    case Kind::CheckBox:
        return L"checkbox";
    case Kind::Radio:
        return L"radio";
    case Kind::GroupBox:
        return L"groupbox";
    case Kind::Label:
        return L"label";
    case Kind::Image:
        return L"image";
    case Kind::Shape:
        return L"shape";
    case Kind::Edit:
        return L"edit";
    case Kind::ComboBox:
        return L"combobox";
    case Kind::ListBox:
        return L"listbox";
    case Kind::Trackbar:
        return L"trackbar";
    case Kind::Other:
        return L"other";
    }
    return L"other";
}

namespace {

// The entries of a list or a combo box's list, by the messages of its kind.
std::vector<std::wstring> Entries(HWND control, UINT count, UINT length, UINT text) {
    std::vector<std::wstring> entries;
    auto n = static_cast<long long>(Ask(control, count));
    for (long long i = 0; i < n; ++i) {
        auto size = static_cast<long long>(Ask(control, length, static_cast<WPARAM>(i)));
        std::vector<wchar_t> buffer(size > 0 ? static_cast<size_t>(size) + 1 : 1);
        auto got =
            static_cast<long long>(Ask(control, text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data())));
        entries.emplace_back(buffer.data(),
                             got > 0 && static_cast<size_t>(got) < buffer.size() ? static_cast<size_t>(got) : 0);
    }
    return entries;
}

}  // namespace

std::vector<std::wstring> ComboEntries(HWND combo) {
    return Entries(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::vector<std::wstring> ListEntries(HWND list) { return Entries(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }

HWND ComboEdit(HWND combo) { return FindWindowExW(combo, nullptr, L"Edit", nullptr); }

int CheckState(HWND control) { return static_cast<int>(Ask(control, BM_GETCHECK)); }

TrackbarState ReadTrackbar(HWND trackbar) {
    TrackbarState state;
    state.pos = static_cast<long>(Ask(trackbar, TBM_GETPOS));
    state.min = static_cast<long>(Ask(trackbar, TBM_GETRANGEMIN));
    state.max = static_cast<long>(Ask(trackbar, TBM_GETRANGEMAX));
    state.line = static_cast<long>(Ask(trackbar, TBM_GETLINESIZE));
    state.page = static_cast<long>(Ask(trackbar, TBM_GETPAGESIZE));
    state.vertical = (GetWindowLongPtrW(trackbar, GWL_STYLE) & TBS_VERT) != 0;
    return state;
}

HWND FocusedWindow(HWND anyWindowOfThread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(anyWindowOfThread, nullptr);
    if (!GetGUIThreadInfo(thread, &info)) return nullptr;
    return info.hwndFocus;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::wstring RectText(const RECT& rect) {
    return std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," + std::to_wstring(rect.right) + L"," +
           std::to_wstring(rect.bottom);
}

}  // namespace uidriver
