// The menu helper: loaded into the target by the driver (a remote
// LoadLibrary), it reads the menu bar of the window named in the shared
// channel, writes the walk back, and refuses to stay loaded.
#include <windows.h>

#include <cwchar>

#include "tools/uidriver/menu_walk_win.h"

namespace {

void Answer() {
    using namespace uidriver;
    HANDLE mapping =
        OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, MenuChannelName(GetCurrentProcessId()).c_str());
    if (!mapping) return;
    if (auto* channel = static_cast<MenuChannel*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kMenuChannelBytes))) {
        if (channel->magic == kMenuChannelMagic) {
            HMENU menu = GetMenu(reinterpret_cast<HWND>(static_cast<uintptr_t>(channel->window)));
            if (!menu) {
                channel->status = kMenuNone;
            } else {
                std::wstring text = WalkMenu(menu);
                size_t room = (kMenuChannelBytes - sizeof(MenuChannel)) / sizeof(wchar_t);
                if (text.size() > room) {
                    channel->status = kMenuTooLong;
                } else {
                    std::wmemcpy(reinterpret_cast<wchar_t*>(channel + 1), text.data(), text.size());
                    channel->length = static_cast<uint32_t>(text.size());
                    channel->status = kMenuDone;
                }
            }
        }
        UnmapViewOfFile(channel);
    }
    CloseHandle(mapping);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    Answer();
    // Failing the load unloads the helper at once: nothing of it stays in
    // the target.
    return FALSE;
}
