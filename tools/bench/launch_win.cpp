// Starts programs over and over and times each start: from CreateProcess to
// the moment a visible top-level window of the new process carries the
// expected caption. Then it notes the process's memory, asks the window to
// close as its close box does, and waits for the process to end (ending it
// when it does not). The programs take turns, in an order that swaps every
// round, so that a machine getting slower or faster affects all alike.
//
//   bench-launch [--warmup N] [--runs N] [--timeout MS] [--settle MS] [--poll MS]
//                NAME EXE FOLDER CAPTION [NAME EXE FOLDER CAPTION ...]
// Defaults: 3 warm-up and 15 measured starts of each program, 10 s to show
// the window and to end, memory noted 200 ms after the program first waits
// for input, the window looked for every 1 ms.
//
// One line per start, tab-separated:
//   run NAME ROUND warmup|measured START_MS WS_KB PEAK_WS_KB PRIVATE_KB END
// END is "closed" (ended after the close request), "killed" (ended by force),
// "no-window" (no such window in time) or "failed" (could not start); the
// figures of a start without its window are "-".
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Program {
    std::wstring name, exe, folder, caption;
};

struct Options {
    int warmup = 3;
    int runs = 15;
    DWORD timeoutMs = 10000;
    DWORD settleMs = 200;
    DWORD pollMs = 1;
    std::vector<Program> programs;
};

struct Search {
    DWORD pid;
    const std::wstring* caption;
    HWND found;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    if (*search->caption != text) return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND FindShownWindow(DWORD pid, const std::wstring& caption) {
    Search search{pid, &caption, nullptr};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double Milliseconds(LONGLONG ticks) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency);
}

LONGLONG Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

// Wine prints the narrow debug strings only (WINEDEBUG=+debugstr); the
// names are ASCII.
void Mark(const char* what, const Program& program) {
    std::string line = std::string("bench-launch ") + what + " ";
    for (wchar_t c : program.name) line += static_cast<char>(c);
    OutputDebugStringA(line.c_str());
}

void RunOnce(const Options& options, const Program& program, int round) {
    const wchar_t* kind = round < options.warmup ? L"warmup" : L"measured";
    int number = round < options.warmup ? round + 1 : round - options.warmup + 1;
    std::wprintf(L"run\t%ls\t%d\t%ls\t", program.name.c_str(), number, kind);

    std::wstring command = L"\"" + program.exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // For tools/bench/trace, which reads these on Wine's clock; outside the
    // time measured.
    Mark("start", program);
    LONGLONG start = Now();
    if (!CreateProcessW(program.exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        program.folder.c_str(), &startup, &process)) {
        std::wprintf(L"-\t-\t-\t-\tfailed\n");
        std::fflush(stdout);
        return;
    }
    CloseHandle(process.hThread);

    // Looked for every pollMs; a process that ended stops the search.
    HWND window = nullptr;
    LONGLONG shown = 0;
    LONGLONG deadline = start + static_cast<LONGLONG>(options.timeoutMs / Milliseconds(1) + 0.5);
    while (Now() < deadline) {
        if ((window = FindShownWindow(process.dwProcessId, program.caption))) {
            shown = Now();
            Mark("shown", program);
            break;
        }
        if (WaitForSingleObject(process.hProcess, options.pollMs) == WAIT_OBJECT_0) break;
    }

    const wchar_t* end = L"no-window";
    if (window) {
        // The memory once the start-up is over: the program is waiting for
        // input and has painted.
        WaitForInputIdle(process.hProcess, options.timeoutMs);
        Sleep(options.settleMs);
        PROCESS_MEMORY_COUNTERS_EX memory{};
        memory.cb = sizeof memory;
        std::wprintf(L"%.2f\t", Milliseconds(shown - start));
        if (GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                 sizeof memory)) {
            std::wprintf(L"%llu\t%llu\t%llu\t", static_cast<unsigned long long>(memory.WorkingSetSize / 1024),
                         static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024),
                         static_cast<unsigned long long>(memory.PrivateUsage / 1024));
        } else {
            std::wprintf(L"-\t-\t-\t");
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
        end = L"closed";
    } else {
        std::wprintf(L"-\t-\t-\t-\t");
    }
    if (WaitForSingleObject(process.hProcess, options.timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, options.timeoutMs);
        if (window) end = L"killed";
    }
    CloseHandle(process.hProcess);
    std::wprintf(L"%ls\n", end);
    std::fflush(stdout);
}

bool Count(const wchar_t* text, int low, int& out) {
    wchar_t* end = nullptr;
    long value = std::wcstol(text, &end, 10);
    if (!*text || *end || value < low || value > 1000000) return false;
    out = static_cast<int>(value);
    return true;
}

int Usage(const wchar_t* problem) {
    std::fwprintf(stderr,
                  L"bench-launch: %ls\n"
                  L"usage: bench-launch [--warmup N] [--runs N] [--timeout MS] [--settle MS] [--poll MS]\n"
                  L"                    NAME EXE FOLDER CAPTION [NAME EXE FOLDER CAPTION ...]\n",
                  problem);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    int i = 1;
    for (; i < argc && std::wcsncmp(argv[i], L"--", 2) == 0; i += 2) {
        if (i + 1 >= argc) return Usage(L"an option without its value");
        std::wstring name = argv[i];
        int value = 0;
        int low = name == L"--runs" ? 1 : 0;
        if (!Count(argv[i + 1], low, value)) return Usage((L"not a fit number for " + name).c_str());
        if (name == L"--warmup") options.warmup = value;
        else if (name == L"--runs") options.runs = value;
        else if (name == L"--timeout") options.timeoutMs = static_cast<DWORD>(value);
        else if (name == L"--settle") options.settleMs = static_cast<DWORD>(value);
        else if (name == L"--poll") options.pollMs = static_cast<DWORD>(value);
        else return Usage((L"unknown option " + name).c_str());
    }
    if (i == argc || (argc - i) % 4 != 0) return Usage(L"programs come as NAME EXE FOLDER CAPTION");
    for (; i < argc; i += 4) options.programs.push_back({argv[i], argv[i + 1], argv[i + 2], argv[i + 3]});

    const int rounds = options.warmup + options.runs;
    const size_t n = options.programs.size();
    for (int round = 0; round < rounds; ++round) {
        for (size_t k = 0; k < n; ++k) {
            size_t which = round % 2 == 0 ? k : n - 1 - k;
            RunOnce(options, options.programs[which], round);
        }
    }
    return 0;
}
