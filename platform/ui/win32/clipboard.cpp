// The clipboard of the win32 backend: Unicode text (CF_UNICODETEXT).
#include <cstring>

#include "platform/ui/win32/win32_backend.h"
#include "platform/win32/scoped.h"

namespace ui::win32 {

namespace {

// Another program may hold the clipboard for a moment (a clipboard
// manager reads every change): it is asked for a few times, briefly.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenPauseMs = 20;

bool OpenClipboardSoon(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(kOpenPauseMs);
    }
    return false;
}

struct CloseClipboardAtEnd {
    ~CloseClipboardAtEnd() { CloseClipboard(); }
};

}  // namespace

bool Backend::CopyText(vb::StringView text) {
    const size_t bytes = (text.size() + 1) * sizeof(char16_t);
    win::ScopedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    void* at = GlobalLock(memory.get());
    if (!at) return false;
    std::memcpy(at, text.data(), text.size() * sizeof(char16_t));
    static_cast<char16_t*>(at)[text.size()] = u'\0';
    GlobalUnlock(memory.get());

    if (!OpenClipboardSoon(ActiveFormWindow())) return false;
    CloseClipboardAtEnd close;
    if (!EmptyClipboard()) return false;
    if (!SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    memory.release();  // the clipboard owns it now
    return true;
}

}  // namespace ui::win32
