// Times presses of the main button as the program takes them on Windows:
// the real main window (a BM_CLICK sent to its button), the host objects
// and event control from the automation servers registered on the machine,
// the settings in the registry, the countries file beside this program.
// The shell only notes the moment it is called: the time to the call is the
// program's, what the shell does after it is the system's.
//
//   bench-press-com [PRESSES]     (default 200)
//
// Needs a display, the stand-in host registered (tools/hostsim/register)
// with a host that is ready, and the countries files beside this program.
// Prints one line per way of reaching the contact, tab-separated, in
// milliseconds from the click to the shell call:
//   press MODE COUNT MEDIAN MIN MAX
// MODE "com": the contact's fields are read through automation from the
// registered host, as the program reads them;
// "in-process": from a contact answering at once, so the rest of the press
// shows on its own. Two more lines time one call alone, as a press makes
// five:
//   call com-field COUNT MEDIAN MIN MAX     a field read from the registered
//                                           host (the stand-in answers from
//                                           memory and appends the call to
//                                           its log file)
//   call com-system COUNT MEDIAN MIN MAX    a property read from a system
//                                           in-process server that answers
//                                           at once: the cost of the late-
//                                           bound call path itself (left out
//                                           when the system has none)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <vector>

#include "host/automation.h"
#include "host/com/apartment.h"
#include "main/Module2.h"
#include "main/frmMain.h"
#include "platform/shell.h"
#include "platform/ui/win32/control_window.h"
#include "platform/ui/win32/win32_backend.h"
#include "platform/vb/error.h"
#include "tools/bench-press/fixed_contact.h"

namespace {

// An in-process automation server every Windows system has: a collection
// whose Count answers at once.
constexpr const char16_t* kSystemProgId = u"Scripting.Dictionary";

LONGLONG Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double Milliseconds(LONGLONG ticks) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(f.QuadPart);
}

// Notes when it was asked to open something, and opens nothing.
class StopwatchShell : public platform::Shell {
public:
    long Open(const platform::ShellRequest&) override {
        called = Now();
        ++calls;
        return 42;
    }
    LONGLONG called = 0;
    long calls = 0;

private:
    platform::ShellGuard installed_ = platform::InstallShell(*this);
};

// What is waiting for the window, as its message loop would handle it
// between two clicks.
void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Milliseconds from the click to the shell call, one per press; empty when
// a press did not reach the shell.
std::vector<double> Presses(HWND button, StopwatchShell& shell, int warmup, int count) {
    std::vector<double> times;
    for (int i = 0; i < warmup + count; ++i) {
        Pump();
        long before = shell.calls;
        LONGLONG start = Now();
        SendMessageW(button, BM_CLICK, 0, 0);
        if (shell.calls != before + 1) return {};
        if (i >= warmup) times.push_back(Milliseconds(shell.called - start));
    }
    return times;
}

// Milliseconds of one call each.
template <class F>
std::vector<double> Calls(int warmup, int count, F&& call) {
    std::vector<double> times;
    for (int i = 0; i < warmup + count; ++i) {
        LONGLONG start = Now();
        call();
        if (i >= warmup) times.push_back(Milliseconds(Now() - start));
    }
    return times;
}

bool Report(const wchar_t* what, const wchar_t* mode, std::vector<double> times) {
    if (times.empty()) {
        std::fwprintf(stderr, L"bench-press-com: a %ls (%ls) did not reach its end\n", what, mode);
        return false;
    }
    std::sort(times.begin(), times.end());
    size_t n = times.size();
    double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    std::wprintf(L"%ls\t%ls\t%zu\t%.3f\t%.3f\t%.3f\n", what, mode, n, median, times.front(), times.back());
    std::fflush(stdout);
    return true;
}

int Bench(int presses) {
    StopwatchShell shell;
    frmMain form;
    form.Show();
    if (!form.loaded() || !form.visible() || Module2::ContactView.IsNothing()) {
        std::fwprintf(stderr, L"bench-press-com: the main window did not open (is the host registered and ready?)\n");
        return 1;
    }
    // As the user ticks it: the window stays open after each press.
    if (form.chkClose.value() == 0) form.chkClose.setValue(1);
    HWND button = static_cast<ui::win32::ControlWindow*>(form.cmdLocate.peer)->hwnd();

    const int warmup = std::max(1, presses / 10);
    bool ok = Report(L"call", L"com-field",
                     Calls(warmup, presses, [] { Module2::ContactView.Call(u"GetField", int16_t(30)); }));
    ok = Report(L"press", L"com", Presses(button, shell, warmup, presses)) && ok;
    host::HostObject system;
    try {
        system = host::CreateObject(kSystemProgId);
    } catch (const vb::Error&) {
        // No such server here: that line is left out.
    }
    if (!system.IsNothing())
        ok = Report(L"call", L"com-system", Calls(warmup, presses, [&] { system.Get(u"Count"); })) && ok;
    Module2::ContactView = host::HostObject(std::make_shared<bench::FixedContact>());
    ok = Report(L"press", L"in-process", Presses(button, shell, warmup, presses)) && ok;

    form.Unload();
    Module2::ContactView.SetNothing();
    Module2::ActViews.SetNothing();
    Module2::ActApp.SetNothing();
    return ok ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int presses = 200;
    if (argc > 1) {
        wchar_t* end = nullptr;
        long n = std::wcstol(argv[1], &end, 10);
        if (*end || n < 1 || n > 100000) {
            std::fwprintf(stderr, L"usage: bench-press-com [PRESSES]  (1 to 100000)\n");
            return 2;
        }
        presses = static_cast<int>(n);
    }
    host::com::Apartment apartment;
    ui::win32::Backend screen(GetModuleHandleW(nullptr));
    try {
        return Bench(presses);
    } catch (const vb::Error& e) {
        std::fwprintf(stderr, L"bench-press-com: error %d: %ls\n", static_cast<int>(e.number()),
                      reinterpret_cast<const wchar_t*>(e.description().c_str()));
        return 1;
    }
}
