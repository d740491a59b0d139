#include "tools/uidriver/menu_walk_win.h"

namespace uidriver {

namespace {

constexpr wchar_t kRecord = L'\x1E';
constexpr wchar_t kField = L'\x1F';
constexpr int kMaxDepth = 8;  // a menu that contains itself must not loop

void Walk(HMENU menu, int depth, std::wstring& out) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t caption[512] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = caption;
        info.cch = 511;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        wchar_t kind = info.hSubMenu ? L'p' : (info.fType & MFT_SEPARATOR) ? L's' : L'c';
        out += std::to_wstring(depth) + kField + kind + kField + std::to_wstring(info.wID) + kField +
               std::to_wstring(info.fState) + kField + (kind == L's' ? L"-" : caption) + kRecord;
        if (info.hSubMenu && depth < kMaxDepth) Walk(info.hSubMenu, depth + 1, out);
    }
}

std::vector<std::wstring_view> Split(std::wstring_view text, wchar_t separator) {
    std::vector<std::wstring_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == separator) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

UINT Number(std::wstring_view text) {
    UINT value = 0;
    for (wchar_t c : text)
        if (c >= L'0' && c <= L'9') value = value * 10 + static_cast<UINT>(c - L'0');
    return value;
}

}  // namespace

std::wstring WalkMenu(HMENU menu) {
    std::wstring out;
    Walk(menu, 0, out);
    return out;
}

std::vector<MenuEntry> ParseMenuWalk(std::wstring_view text) {
    std::vector<MenuEntry> entries;
    std::vector<std::wstring> parents;
    for (std::wstring_view record : Split(text, kRecord)) {
        auto fields = Split(record, kField);
        if (fields.size() != 5 || fields[1].size() != 1) continue;
        MenuEntry entry;
        entry.depth = static_cast<int>(Number(fields[0]));
        entry.kind = fields[1][0];
        entry.id = Number(fields[2]);
        entry.state = Number(fields[3]);
        entry.caption = fields[4];
        if (entry.depth > static_cast<int>(parents.size())) continue;  // not a tree: drop
        parents.resize(static_cast<size_t>(entry.depth));
        for (const auto& parent : parents) entry.path += parent + L"/";
        entry.path += entry.caption;
        parents.push_back(entry.caption);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::wstring MenuChannelName(DWORD pid) { return L"Local\\uidriver-menus-" + std::to_wstring(pid); }

std::wstring MenuChannelLockName(DWORD pid) { return L"Local\\uidriver-menus-lock-" + std::to_wstring(pid); }

}  // namespace uidriver
