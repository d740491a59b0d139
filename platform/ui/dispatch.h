// Every entry from the system into the program comes through here: window
// procedures and the handlers they run, timers, enumeration callbacks, the
// host's events. An error that no procedure trapped, of whatever type, ends
// the program after the standard message; nothing unwinds into the system's
// frames, which cannot carry an exception (with the 32-bit toolchain the
// program would abort there without a word).
#pragma once

#include <exception>
#include <utility>

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

// Runs the handler and returns what it returns.
template <class F>
decltype(auto) Dispatch(F&& handler) {
    try {
        return std::forward<F>(handler)();
    } catch (const ProgramEnded&) {
        throw;
    } catch (...) {
        EndWithUnhandledError(std::current_exception());
    }
}

}  // namespace ui
