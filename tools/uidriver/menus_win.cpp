#include "tools/uidriver/menus_win.h"

#include <string>

#include "platform/win32/scoped.h"
#include "tools/uidriver/window_facts_win.h"
#include "tools/uidriver/output_win.h"
#include "tools/uidriver/text_win.h"

namespace uidriver {

namespace {

constexpr DWORD kHelperTimeoutMs = 5000;
constexpr wchar_t kHelperName[] = L"uidriver_menus.dll";

struct View {
    void* value = nullptr;
    ~View() {
        if (value) UnmapViewOfFile(value);
    }
};

std::wstring HelperPath() {
    wchar_t self[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + kHelperName;
}

bool Is32BitOn64(HANDLE process) {
    BOOL wow = FALSE;
    return IsWow64Process(process, &wow) && wow;
}

// Loads the helper into the target with a remote LoadLibraryW and waits for
// that thread; the helper has answered through the channel by then.
void RunHelper(DWORD pid, const std::wstring& helper) {
    win::ScopedHandle process{OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                              PROCESS_VM_WRITE | PROCESS_VM_READ | SYNCHRONIZE,
                                          FALSE, pid)};
    if (!process.get()) Fail(L"cannot open process " + std::to_wstring(pid) + L" to read its menus");
    if (Is32BitOn64(process.get()) != Is32BitOn64(GetCurrentProcess()))
        Fail(L"process " + std::to_wstring(pid) + L" is not of this driver's bitness; use the driver built for it");

    size_t bytes = (helper.size() + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process.get(), nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote || !WriteProcessMemory(process.get(), remote, helper.c_str(), bytes, nullptr))
        Fail(L"cannot pass the menu helper's path to process " + std::to_wstring(pid));
    // kernel32 sits at the same address in every process of a session.
    auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    win::ScopedHandle thread{CreateRemoteThread(process.get(), nullptr, 0, load, remote, 0, nullptr)};
    if (!thread.get())
        Fail(L"cannot start the menu helper in process " + std::to_wstring(pid) + L" (error " +
             std::to_wstring(GetLastError()) + L")");
    if (WaitForSingleObject(thread.get(), kHelperTimeoutMs) != WAIT_OBJECT_0)
        Fail(L"the menu helper did not finish in process " + std::to_wstring(pid));
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
}

std::wstring ReadThroughHelper(HWND window) {
    std::wstring helper = HelperPath();
    if (GetFileAttributesW(helper.c_str()) == INVALID_FILE_ATTRIBUTES)
        Fail(L"menus of another process can only be read here with " + std::wstring(kHelperName) +
             L" beside the driver");
    DWORD pid = ProcessOf(window);

    // One driver at a time per target: the channel's name is the target's.
    win::ScopedHandle lock{CreateMutexW(nullptr, FALSE, MenuChannelLockName(pid).c_str())};
    if (!lock.get() || WaitForSingleObject(lock.get(), kHelperTimeoutMs) == WAIT_TIMEOUT)
        Fail(L"another driver keeps the menus of process " + std::to_wstring(pid) + L" busy");
    struct Release {
        HANDLE mutex;
        ~Release() { ReleaseMutex(mutex); }
    } release{lock.get()};

    win::ScopedHandle mapping{CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                 static_cast<DWORD>(kMenuChannelBytes), MenuChannelName(pid).c_str())};
    View view{mapping.get() ? MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, kMenuChannelBytes) : nullptr};
    if (!view.value) Fail(L"cannot create the channel to the menu helper");
    auto* channel = static_cast<MenuChannel*>(view.value);
    *channel = MenuChannel{kMenuChannelMagic, kMenuPending, reinterpret_cast<uintptr_t>(window), 0};

    RunHelper(pid, helper);
    switch (channel->status) {
    case kMenuDone:
        return std::wstring(reinterpret_cast<const wchar_t*>(channel + 1), channel->length);
    case kMenuNone:
        return {};
    case kMenuTooLong:
        Fail(L"the menu bar is too large to read");
    default:
        Fail(L"the menu helper did not answer from process " + std::to_wstring(pid));
    }
}

std::vector<std::wstring> PathSegments(std::wstring_view path) {
    std::vector<std::wstring> segments(1);
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == L'\\' && i + 1 < path.size() && path[i + 1] == L'/') {
            segments.back() += L'/';
            ++i;
        } else if (path[i] == L'/') {
            segments.emplace_back();
        } else {
            segments.back() += path[i];
        }
    }
    return segments;
}

bool SegmentMatches(const std::wstring& caption, const std::wstring& wanted) {
    return caption == wanted || MenuCaptionText(caption) == wanted;
}

}  // namespace

std::vector<MenuEntry> ReadMenuBar(HWND window) {
    HMENU menu = GetMenu(window);
    if (!menu || (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) return {};
    if (GetMenuItemCount(menu) >= 0) return ParseMenuWalk(WalkMenu(menu));
    return ParseMenuWalk(ReadThroughHelper(window));
}

int FindMenuEntry(const std::vector<MenuEntry>& entries, std::wstring_view path) {
    auto segments = PathSegments(path);
    size_t level = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& entry = entries[i];
        if (entry.depth < static_cast<int>(level)) return -1;  // left the popup being searched
        if (entry.depth != static_cast<int>(level) || entry.kind == L's') continue;
        if (!SegmentMatches(entry.caption, segments[level])) continue;
        if (level + 1 == segments.size()) return static_cast<int>(i);
        if (entry.kind != L'p') return -1;
        ++level;
    }
    return -1;
}

bool MenuEntryUsable(const std::vector<MenuEntry>& entries, int index) {
    int depth = entries[static_cast<size_t>(index)].depth + 1;
    for (int i = index; i >= 0; --i) {
        const MenuEntry& entry = entries[static_cast<size_t>(i)];
        if (entry.depth >= depth) continue;
        if (entry.state & MFS_DISABLED) return false;
        depth = entry.depth;
    }
    return true;
}

}  // namespace uidriver
