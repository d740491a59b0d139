#include "tools/uidriver/output_win.h"

#include <windows.h>

#include "tools/uidriver/text_win.h"

namespace uidriver {

namespace {

// WriteFile, not the C runtime: no text-mode CRLF, no code page conversion.
void WriteAll(DWORD which, std::wstring_view line) {
    std::string bytes = ToUtf8(line);
    bytes += '\n';
    HANDLE handle = GetStdHandle(which);
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        DWORD written = 0;
        if (!WriteFile(handle, data, static_cast<DWORD>(left), &written, nullptr) || written == 0) return;
        data += written;
        left -= written;
    }
}

}  // namespace

void Fail(std::wstring message) { throw Failure{std::move(message), kExitFailure}; }

void UsageError(std::wstring message) { throw Failure{std::move(message), kExitUsage}; }

void PrintLine(std::wstring_view line) { WriteAll(STD_OUTPUT_HANDLE, line); }

void PrintError(std::wstring_view line) { WriteAll(STD_ERROR_HANDLE, line); }

}  // namespace uidriver
