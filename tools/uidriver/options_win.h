// The command line: one command, its words, and the options around them.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tools/uidriver/windows_win.h"

namespace uidriver {

struct Options {
    std::wstring command;
    std::vector<std::wstring> words;  // what follows the command
    WindowQuery window;               // --window, --class, --pid, --all
    std::optional<DWORD> timeoutMs;   // --timeout
    std::optional<std::wstring> answer;
    bool force = false;  // act although a user could not (disabled, hidden...)
    bool mouse = false;  // a real mouse click instead of messages
    bool post = false;   // keys as posted messages instead of input
    bool gone = false;   // wait until the window has disappeared
    bool help = false;
};

// Fails with a usage error on unknown options or missing values.
Options ParseOptions(int argc, wchar_t** argv);

DWORD TimeoutOr(const Options& options, DWORD fallback);

// Fails unless exactly `count` words follow the command.
void ExpectWords(const Options& options, size_t count, const wchar_t* usage);

}  // namespace uidriver
