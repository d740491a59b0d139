#include "host/event_control.h"

#include "platform/ui/dispatch.h"

namespace host {

namespace {
platform::Seam<EventControlFactory>& Factory() {
    static platform::Seam<EventControlFactory> factory;
    return factory;
}
}  // namespace

std::unique_ptr<EventControl> CreateEventControl() {
    const EventControlFactory& installed = Factory().installed();
    return installed ? installed() : SystemEventControl();
}

EventControlGuard InstallEventControlFactory(EventControlFactory factory) {
    return Factory().Install(std::move(factory));
}

void EventControl::Raise(int32_t dispatchId, const std::vector<Variant>& args) {
    // The handler is taken out first, with its argument: it may close the
    // window that holds this control, and the control with it.
    std::function<void()> handler;
    if (dispatchId == kEventA && onHostEventA) {
        handler = onHostEventA;
    } else if (dispatchId == kEventB && onHostEventB) {
        handler = [onB = onHostEventB, argument = args.empty() ? Variant() : args[0]] { onB(argument); };
    }
    if (!handler) return;
    // An event is an entry from the window system like any other: an error
    // no handler traps ends the program with the standard message.
    ui::Dispatch(handler);
}

}  // namespace host
