// Commands on a whole top-level window: wait, dump, pos, close, menu, key.
#include <string>
#include <vector>

#include "tools/uidriver/commands_win.h"
#include "tools/uidriver/dump_win.h"
#include "tools/uidriver/input_win.h"
#include "tools/uidriver/keys_win.h"
#include "tools/uidriver/menus_win.h"
#include "tools/uidriver/output_win.h"
#include "tools/uidriver/target_win.h"
#include "tools/uidriver/text_win.h"
#include "tools/uidriver/windows_win.h"

namespace uidriver {

namespace {

constexpr DWORD kWaitTimeoutMs = 10000;

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(window, message, wParam, lParam))
        Fail(L"cannot post to the target (error " + std::to_wstring(GetLastError()) + L")");
}

}  // namespace

void RunWait(const Options& options) {
    ExpectWords(options, 0, L"wait [--window TITLE] [--pid PID] [--gone] [--timeout MS]");
    DWORD timeout = TimeoutOr(options, kWaitTimeoutMs);
    if (options.gone) WaitUntilGone(options.window, timeout);
    else PrintLine(WindowRecord(WaitForWindow(options.window, timeout)));
}

void RunDump(const Options& options) {
    ExpectWords(options, 0, L"dump [--window TITLE] [--pid PID] [--all]");
    if (options.window.title || options.window.className) {
        DumpWindow(TargetWindow(options));
        return;
    }
    for (HWND window : TopLevelWindows(options.window)) DumpWindow(window);
}

void RunPos(const Options& options) {
    ExpectWords(options, 0, L"pos --window TITLE");
    HWND top = TargetWindow(options);
    RECT rect{}, client{};
    GetWindowRect(top, &rect);
    GetClientRect(top, &client);
    MapWindowPoints(top, nullptr, reinterpret_cast<POINT*>(&client), 2);
    PrintLine(L"rect=" + RectText(rect) + L"\tsize=" + std::to_wstring(rect.right - rect.left) + L"x" +
              std::to_wstring(rect.bottom - rect.top) + L"\tclient=" + RectText(client) + L"\tclientsize=" +
              std::to_wstring(client.right - client.left) + L"x" + std::to_wstring(client.bottom - client.top));
}

void RunClose(const Options& options) {
    ExpectWords(options, 0, L"close --window TITLE");
    HWND top = TargetWindow(options);
    RequireUsable(options, top);
    Post(top, WM_CLOSE, 0, 0);
}

void RunMenu(const Options& options) {
    ExpectWords(options, 1, L"menu --window TITLE \"Menu/Item\"");
    const std::wstring& path = options.words[0];
    HWND top = TargetWindow(options);
    RequireUsable(options, top);
    auto entries = ReadMenuBar(top);
    if (entries.empty()) Fail(L"window \"" + Escaped(WindowTitle(top)) + L"\" has no menu bar");
    int index = FindMenuEntry(entries, path);
    if (index < 0) Fail(L"no menu item \"" + Escaped(path) + L"\" in window \"" + Escaped(WindowTitle(top)) + L"\"");
    const MenuEntry& entry = entries[static_cast<size_t>(index)];
    if (entry.kind != L'c') Fail(L"menu entry \"" + Escaped(path) + L"\" opens a menu; name an item inside it");
    if (!options.force && !MenuEntryUsable(entries, index)) Fail(L"menu item \"" + Escaped(path) + L"\" is greyed");
    // What choosing the item sends; posted, so a window it opens modally
    // does not hold the driver.
    Post(top, WM_COMMAND, MAKEWPARAM(entry.id, 0), 0);
}

void RunKey(const Options& options) {
    if (options.words.empty()) UsageError(L"usage: uidriver key --window TITLE KEY [KEY...]");
    std::vector<KeyStroke> keys;
    for (const auto& word : options.words) keys.push_back(ParseKey(word));
    HWND top = TargetWindow(options);
    RequireUsable(options, top);
    if (options.post) {
        HWND focus = FocusedWindow(top);
        HWND target = focus && (focus == top || IsChild(top, focus)) ? focus : top;
        for (const auto& key : keys) PostKey(target, key);
        return;
    }
    BringToFront(top);
    for (const auto& key : keys) SendKey(key);
}

}  // namespace uidriver
