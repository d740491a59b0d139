#include "tools/uidriver/keys_win.h"

#include <string>
#include <vector>

#include "tools/uidriver/output_win.h"
#include "tools/uidriver/text_win.h"

namespace uidriver {

namespace {

struct NamedKey {
    const wchar_t* name;
    WORD vk;
};

constexpr NamedKey kNamedKeys[] = {
    {L"enter", VK_RETURN}, {L"return", VK_RETURN},  {L"escape", VK_ESCAPE}, {L"esc", VK_ESCAPE},    {L"tab", VK_TAB},
    {L"space", VK_SPACE},  {L"backspace", VK_BACK}, {L"delete", VK_DELETE}, {L"insert", VK_INSERT}, {L"home", VK_HOME},
    {L"end", VK_END},      {L"pageup", VK_PRIOR},   {L"pagedown", VK_NEXT}, {L"up", VK_UP},         {L"down", VK_DOWN},
    {L"left", VK_LEFT},    {L"right", VK_RIGHT},    {L"f1", VK_F1},         {L"f2", VK_F2},         {L"f3", VK_F3},
    {L"f4", VK_F4},        {L"f5", VK_F5},          {L"f6", VK_F6},         {L"f7", VK_F7},         {L"f8", VK_F8},
    {L"f9", VK_F9},        {L"f10", VK_F10},        {L"f11", VK_F11},       {L"f12", VK_F12},       {L"alt", VK_MENU},
    {L"ctrl", VK_CONTROL}, {L"shift", VK_SHIFT},
};

bool IsExtended(WORD vk) {
    switch (vk) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
        return true;
    default:
        return false;
    }
}

std::vector<WORD> Modifiers(const KeyStroke& key) {
    std::vector<WORD> mods;
    if (key.ctrl) mods.push_back(VK_CONTROL);
    if (key.shift) mods.push_back(VK_SHIFT);
    if (key.alt) mods.push_back(VK_MENU);
    return mods;
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtended(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

LPARAM KeyParam(WORD vk, bool up, bool altDown) {
    LPARAM param = 1 | (static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16);
    if (IsExtended(vk)) param |= 1 << 24;
    if (altDown) param |= 1 << 29;
    if (up) param |= (1u << 30) | (1u << 31);
    return param;
}

}  // namespace

KeyStroke ParseKey(std::wstring_view name) {
    KeyStroke key;
    std::wstring_view rest = name;
    for (;;) {
        size_t plus = rest.find(L'+');
        if (plus == std::wstring_view::npos || plus + 1 == rest.size()) break;  // "ctrl++" presses '+'
        std::wstring_view modifier = rest.substr(0, plus);
        if (EqualsNoCase(modifier, L"ctrl") || EqualsNoCase(modifier, L"control")) key.ctrl = true;
        else if (EqualsNoCase(modifier, L"alt")) key.alt = true;
        else if (EqualsNoCase(modifier, L"shift")) key.shift = true;
        else UsageError(L"unknown modifier \"" + std::wstring(modifier) + L"\" in key \"" + std::wstring(name) + L"\"");
        rest = rest.substr(plus + 1);
    }
    for (const NamedKey& named : kNamedKeys) {
        if (EqualsNoCase(rest, named.name)) {
            key.vk = named.vk;
            return key;
        }
    }
    if (rest.size() == 1) {
        SHORT scan = VkKeyScanW(rest[0]);
        if (scan != -1) {
            key.vk = LOBYTE(scan);
            if (HIBYTE(scan) & 1) key.shift = true;
            if (HIBYTE(scan) & 2) key.ctrl = true;
            if (HIBYTE(scan) & 4) key.alt = true;
            return key;
        }
    }
    UsageError(L"unknown key \"" + std::wstring(name) + L"\"");
}

void SendKey(const KeyStroke& key) {
    std::vector<INPUT> inputs;
    auto mods = Modifiers(key);
    for (WORD vk : mods) inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(key.vk, false));
    inputs.push_back(KeyInput(key.vk, true));
    for (auto it = mods.rbegin(); it != mods.rend(); ++it) inputs.push_back(KeyInput(*it, true));
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) Fail(L"the system took " + std::to_wstring(sent) + L" of the key events");
}

void PostKey(HWND target, const KeyStroke& key) {
    // While Alt is held keys arrive as WM_SYSKEYDOWN/UP with the context bit;
    // Alt's own release is a plain WM_KEYUP, so it does not open the menu bar.
    bool altHeld = false;
    auto post = [&](WORD vk, bool up) {
        if (vk == VK_MENU) altHeld = !up;
        UINT message = up ? WM_KEYUP : WM_KEYDOWN;
        if (altHeld) message = up ? WM_SYSKEYUP : WM_SYSKEYDOWN;
        if (!PostMessageW(target, message, vk, KeyParam(vk, up, altHeld)))
            Fail(L"cannot post the key to the target (error " + std::to_wstring(GetLastError()) + L")");
    };
    auto mods = Modifiers(key);
    for (WORD vk : mods) post(vk, false);
    post(key.vk, false);
    post(key.vk, true);
    for (auto it = mods.rbegin(); it != mods.rend(); ++it) post(*it, true);
}

}  // namespace uidriver
