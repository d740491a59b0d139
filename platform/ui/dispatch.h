// Every event from the window system enters the program here. An error that
// no procedure trapped ends the program after the standard message.
#pragma once

#include <exception>
#include <utility>

#include "platform/vb/error.h"

namespace ui {

[[noreturn]] void EndWithUnhandledError(std::exception_ptr failure);

template <class F>
void Dispatch(F&& handler) {
    try {
        std::forward<F>(handler)();
    } catch (const vb::Error&) {
        EndWithUnhandledError(std::current_exception());
    } catch (const std::exception&) {
        EndWithUnhandledError(std::current_exception());
    }
}

}  // namespace ui
