#include "platform/ui/session.h"

#include <utility>

#include "platform/ui/dispatch.h"

namespace ui {

namespace {

// Every top-level window of the program is told, one after the other: the
// handler runs at the first and only there.
struct SessionEnd {
    std::function<void()> handler;
    bool handled = false;
};

SessionEnd& State() {
    static SessionEnd state;
    return state;
}

}  // namespace

void OnSessionEnd(std::function<void()> handler) { State() = {std::move(handler), false}; }

void SessionEnding() {
    SessionEnd& state = State();
    if (state.handled) return;
    state.handled = true;
    // Held here: the handler may name another while it runs.
    std::function<void()> handler = state.handler;
    if (handler) Dispatch(handler);
}

}  // namespace ui
