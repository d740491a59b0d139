#include "tools/uidriver/dump_win.h"

#include <vector>

#include "tools/uidriver/controls_win.h"
#include "tools/uidriver/window_facts_win.h"
#include "tools/uidriver/menus_win.h"
#include "tools/uidriver/output_win.h"
#include "tools/uidriver/text_win.h"

namespace uidriver {

namespace {

std::wstring Field(const wchar_t* key, const std::wstring& value) { return std::wstring(L"\t") + key + L"=" + value; }

std::wstring Flag(const wchar_t* key, bool value) { return Field(key, value ? L"1" : L"0"); }

std::wstring Number(const wchar_t* key, long long value) { return Field(key, std::to_wstring(value)); }

RECT ClientOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring ParentName(HWND control, HWND top, const std::vector<HWND>& controls) {
    HWND parent = GetParent(control);
    if (parent == top) return L"window";
    for (size_t i = 0; i < controls.size(); ++i)
        if (controls[i] == parent) return L"#" + std::to_wstring(i);
    return L"?";
}

// Group boxes are usually siblings of the controls drawn inside them: the
// group is the smallest one whose rectangle holds the control's.
std::wstring GroupName(HWND control, const std::vector<HWND>& controls) {
    RECT inner{};
    GetWindowRect(control, &inner);
    long bestArea = 0;
    std::wstring best;
    for (size_t i = 0; i < controls.size(); ++i) {
        HWND group = controls[i];
        if (group == control || GetParent(group) != GetParent(control) || KindOf(group) != Kind::GroupBox) continue;
        RECT outer{};
        GetWindowRect(group, &outer);
        if (inner.left < outer.left || inner.top < outer.top || inner.right > outer.right ||
            inner.bottom > outer.bottom)
            continue;
        long area = (outer.right - outer.left) * (outer.bottom - outer.top);
        if (best.empty() || area < bestArea) {
            bestArea = area;
            best = L"#" + std::to_wstring(i);
        }
    }
    return best;
}

std::wstring KindFields(HWND control, Kind kind, DWORD style) {
    switch (kind) {
    case Kind::PushButton:
        return Flag(L"default", (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    case Kind::CheckBox:
    case Kind::Radio:
        return Number(L"check", CheckState(control));
    case Kind::Edit:
        return Flag(L"readonly", style & ES_READONLY);
    case Kind::Label:
        return Flag(L"notify", style & SS_NOTIFY);
    case Kind::ComboBox:
    case Kind::ListBox: {
        bool combo = kind == Kind::ComboBox;
        std::wstring entries;
        for (const std::wstring& entry : combo ? ComboEntries(control) : ListEntries(control))
            entries += (entries.empty() ? L"" : L"|") + Escaped(entry);
        auto selected = static_cast<long long>(Ask(control, combo ? CB_GETCURSEL : LB_GETCURSEL));
        return Number(L"selected", selected) + Field(L"entries", entries);
    }
    case Kind::Trackbar: {
        TrackbarState s = ReadTrackbar(control);
        return Number(L"pos", s.pos) + Number(L"min", s.min) + Number(L"max", s.max) + Number(L"line", s.line) +
               Number(L"page", s.page) + Flag(L"vertical", s.vertical);
    }
    default:
        return {};
    }
}

std::wstring ControlRecord(size_t index, HWND control, HWND top, const std::vector<HWND>& controls, HWND focus) {
    Kind kind = KindOf(control);
    auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    RECT screen{};
    GetWindowRect(control, &screen);
    RECT rel = screen;
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rel), 2);
    return L"control\t#" + std::to_wstring(index) + Field(L"class", ClassName(control)) +
           Field(L"kind", KindName(kind)) + Number(L"id", GetDlgCtrlID(control)) +
           Field(L"text", Escaped(ControlText(control))) + Field(L"rect", RectText(screen)) +
           Field(L"rel", RectText(rel)) + Flag(L"visible", IsWindowVisible(control)) +
           Flag(L"enabled", IsWindowEnabled(control)) + Flag(L"focus", control == focus) +
           Field(L"parent", ParentName(control, top, controls)) + Field(L"group", GroupName(control, controls)) +
           Field(L"style", Hex(style)) + KindFields(control, kind, style);
}

std::wstring MenuRecord(const std::vector<MenuEntry>& entries, size_t index) {
    const MenuEntry& entry = entries[index];
    const wchar_t* kind = entry.kind == L'p' ? L"popup" : entry.kind == L's' ? L"separator" : L"command";
    return L"menu" + Field(L"path", Escaped(entry.path)) + Field(L"kind", kind) +
           Number(L"id", entry.kind == L'c' ? entry.id : 0) +
           Flag(L"enabled", MenuEntryUsable(entries, static_cast<int>(index))) +
           Flag(L"checked", entry.state & MFS_CHECKED);
}

}  // namespace

std::wstring WindowRecord(HWND window) {
    auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    RECT rect{};
    GetWindowRect(window, &rect);
    HWND owner = GetWindow(window, GW_OWNER);
    return L"window" + Field(L"title", Escaped(WindowTitle(window))) + Field(L"class", ClassName(window)) +
           Number(L"pid", ProcessOf(window)) + Field(L"rect", RectText(rect)) +
           Field(L"client", RectText(ClientOnScreen(window))) + Flag(L"visible", IsWindowVisible(window)) +
           Flag(L"enabled", IsWindowEnabled(window)) + Flag(L"topmost", exStyle & WS_EX_TOPMOST) +
           Flag(L"foreground", GetForegroundWindow() == window) + Flag(L"minbox", style & WS_MINIMIZEBOX) +
           Flag(L"maxbox", style & WS_MAXIMIZEBOX) + Flag(L"sizable", style & WS_THICKFRAME) +
           Field(L"owner", owner ? Escaped(WindowTitle(owner)) : L"") + Field(L"style", Hex(style)) +
           Field(L"exstyle", Hex(exStyle));
}

void DumpWindow(HWND window) {
    PrintLine(WindowRecord(window));
    auto controls = Descendants(window);
    HWND focus = FocusedWindow(window);
    for (size_t i = 0; i < controls.size(); ++i) PrintLine(ControlRecord(i, controls[i], window, controls, focus));
    try {
        auto entries = ReadMenuBar(window);
        for (size_t i = 0; i < entries.size(); ++i) PrintLine(MenuRecord(entries, i));
    } catch (const Failure& failure) {
        PrintLine(L"menu" + Field(L"error", Escaped(failure.message)));
    }
}

}  // namespace uidriver
