// The clipboard of the driver's Wine session: what a program put there.
#include <windows.h>

#include <string>

#include "tools/uidriver/commands_win.h"
#include "tools/uidriver/output_win.h"
#include "tools/uidriver/text_win.h"

namespace uidriver {

namespace {

// The program that copied may still hold the clipboard for a moment.
constexpr int kOpenAttempts = 50;
constexpr DWORD kOpenPauseMs = 20;

struct ClipboardOpen {
    ClipboardOpen() {
        for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
            if (OpenClipboard(nullptr)) return;
            Sleep(kOpenPauseMs);
        }
        Fail(L"the clipboard cannot be opened (error " + std::to_wstring(GetLastError()) + L")");
    }
    ~ClipboardOpen() { CloseClipboard(); }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
};

}  // namespace

void RunClipboard(const Options& options) {
    if (options.words.size() > 1 || (options.words.size() == 1 && options.words[0] != L"empty"))
        UsageError(L"usage: clipboard [empty]");
    ClipboardOpen open;
    if (!options.words.empty()) {
        if (!EmptyClipboard())
            Fail(L"the clipboard cannot be emptied (error " + std::to_wstring(GetLastError()) + L")");
        return;
    }
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) {
        PrintLine(L"empty");
        return;
    }
    const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    if (!text) Fail(L"the clipboard's text cannot be read (error " + std::to_wstring(GetLastError()) + L")");
    // Up to its NUL, and never beyond its memory block.
    size_t most = GlobalSize(data) / sizeof(wchar_t), length = 0;
    while (length < most && text[length] != L'\0') ++length;
    std::wstring copied(text, length);
    GlobalUnlock(data);
    PrintLine(L"text\t" + Escaped(copied));
}

}  // namespace uidriver
