#include "tools/uidriver/options_win.h"

#include "tools/uidriver/output_win.h"
#include "tools/uidriver/text_win.h"

namespace uidriver {

namespace {

long long Number(const std::wstring& option, const std::wstring& value) {
    long long n = 0;
    if (!ParseInt(value, n) || n < 0) UsageError(option + L" needs a whole number, not \"" + value + L"\"");
    return n;
}

}  // namespace

Options ParseOptions(int argc, wchar_t** argv) {
    Options options;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        auto value = [&]() -> std::wstring {
            if (i + 1 >= argc) UsageError(arg + L" needs a value");
            return argv[++i];
        };
        if (!optionsEnded && arg.size() > 2 && arg.starts_with(L"--")) {
            if (arg == L"--window") options.window.title = value();
            else if (arg == L"--class") options.window.className = value();
            else if (arg == L"--pid") options.window.pid = static_cast<DWORD>(Number(arg, value()));
            else if (arg == L"--all") options.window.includeHidden = true;
            else if (arg == L"--timeout") options.timeoutMs = static_cast<DWORD>(Number(arg, value()));
            else if (arg == L"--answer") options.answer = value();
            else if (arg == L"--force") options.force = true;
            else if (arg == L"--mouse") options.mouse = true;
            else if (arg == L"--post") options.post = true;
            else if (arg == L"--gone") options.gone = true;
            else if (arg == L"--help") options.help = true;
            else UsageError(L"unknown option " + arg);
        } else if (!optionsEnded && arg == L"--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == L"-h" || arg == L"/?")) {
            options.help = true;
        } else if (options.command.empty()) {
            options.command = arg;
        } else {
            options.words.push_back(arg);
        }
    }
    return options;
}

DWORD TimeoutOr(const Options& options, DWORD fallback) { return options.timeoutMs.value_or(fallback); }

void ExpectWords(const Options& options, size_t count, const wchar_t* usage) {
    if (options.words.size() != count) UsageError(std::wstring(L"usage: uidriver ") + usage);
}

}  // namespace uidriver
