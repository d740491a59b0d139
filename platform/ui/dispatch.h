// Every event from the window system enters the program here. An error that
// no procedure trapped ends the program after the standard message. While
// the handler runs, what it releases waits (platform/ui/teardown.h).
#pragma once

#include <exception>
#include <utility>

#include "platform/ui/teardown.h"
#include "platform/vb/error.h"

namespace ui {

[[noreturn]] void EndWithUnhandledError(std::exception_ptr failure);

template <class F>
void Dispatch(F&& handler) {
    CallbackFrame frame;
    try {
        std::forward<F>(handler)();
    } catch (const vb::Error&) {
        EndWithUnhandledError(std::current_exception());
    } catch (const std::exception&) {
        EndWithUnhandledError(std::current_exception());
    }
}

}  // namespace ui
