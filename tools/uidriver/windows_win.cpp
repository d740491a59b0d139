#include "tools/uidriver/windows_win.h"

#include "tools/uidriver/window_facts_win.h"
#include "tools/uidriver/output_win.h"
#include "tools/uidriver/text_win.h"

namespace uidriver {

namespace {

constexpr DWORD kPollMs = 50;

struct Search {
    const WindowQuery* query;
    std::vector<HWND> found;
};

bool Matches(HWND window, const WindowQuery& query) {
    if (!query.includeHidden && !IsWindowVisible(window)) return false;
    DWORD pid = ProcessOf(window);
    if (pid == GetCurrentProcessId()) return false;
    if (query.pid != 0 && pid != query.pid) return false;
    if (query.className && !EqualsNoCase(ClassName(window), *query.className)) return false;
    if (query.title && WindowTitle(window) != *query.title) return false;
    return true;
}

BOOL CALLBACK Collect(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (Matches(window, *search->query)) search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(const WindowQuery& query) {
    Search search{&query, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        auto found = TopLevelWindows(query);
        if (!found.empty()) return found.front();
        if (GetTickCount() - start >= timeoutMs) break;
        Sleep(kPollMs);
    }
    Fail(L"no " + Describe(query) + L" within " + std::to_wstring(timeoutMs) + L" ms");
}

void WaitUntilGone(const WindowQuery& query, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!TopLevelWindows(query).empty()) {
        if (GetTickCount() - start >= timeoutMs)
            Fail(Describe(query) + L" is still there after " + std::to_wstring(timeoutMs) + L" ms");
        Sleep(kPollMs);
    }
}

std::wstring Describe(const WindowQuery& query) {
    std::wstring text = query.includeHidden ? L"top-level window" : L"visible top-level window";
    if (query.title) text += L" titled \"" + Escaped(*query.title) + L"\"";
    if (query.className) text += L" of class \"" + *query.className + L"\"";
    if (query.pid) text += L" of process " + std::to_wstring(query.pid);
    return text;
}

}  // namespace uidriver
