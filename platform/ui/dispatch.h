// Every entry from the system into the program comes through here: window
// procedures and the handlers they run, timers, enumeration callbacks, the
// host's events. An error that no procedure trapped, of whatever type, ends
// the program after the standard message; nothing unwinds into the system's
// frames, which cannot carry an exception (with the 32-bit toolchain the
// program would abort there without a word). While the handler runs,
// what it releases waits (platform/ui/teardown.h).
#pragma once

#include <exception>
#include <utility>

#include "platform/ui/teardown.h"
#include "platform/vb/error.h"

namespace ui {

// The program's exit code when an error nobody trapped ended it, so that a
// script or an installer that started it can tell.
inline constexpr int kExitUnhandledError = 1;

// Thrown by a backend's End where the process cannot end (the headless
// backend, in tests): it passes every entry on its way to the test.
struct ProgramEnded {
    int exitCode = 0;
};

// Shows the standard unhandled-error message (a generic text for an
// exception that is no run-time error) and ends the program with
// kExitUnhandledError.
[[noreturn]] void EndWithUnhandledError(std::exception_ptr failure);

// Runs `body` and returns what it returns; whatever escapes it ends the
// program after the standard message. The program's own start and message
// loop run in it: they are no call from the system, so what they release
// goes at once.
template <class F>
decltype(auto) EndOnUnhandledError(F&& body) {
    try {
        return std::forward<F>(body)();
    } catch (const ProgramEnded&) {
        throw;
    } catch (...) {
        EndWithUnhandledError(std::current_exception());
    }
}

// Runs the handler, a call from the system, and returns what it returns.
template <class F>
decltype(auto) Dispatch(F&& handler) {
    CallbackFrame frame;
    return EndOnUnhandledError(std::forward<F>(handler));
}

}  // namespace ui
