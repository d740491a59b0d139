#include "host/event_control.h"

#include "platform/ui/dispatch.h"

namespace host {

namespace {
EventControlFactory& Factory() {
    static EventControlFactory factory;
    return factory;
}
}  // namespace

std::unique_ptr<EventControl> CreateEventControl() {
    return Factory() ? Factory()() : SystemEventControl();
}

void SetEventControlFactory(EventControlFactory factory) { Factory() = std::move(factory); }

void EventControl::Raise(int32_t dispatchId, const std::vector<Variant>& args) {
    // An event is an entry from the window system like any other: an error
    // no handler traps ends the program with the standard message.
    ui::Dispatch([&] {
        if (dispatchId == kEventA && onHostEventA) onHostEventA();
        if (dispatchId == kEventB && onHostEventB) onHostEventB(args.empty() ? Variant() : args[0]);
    });
}

}  // namespace host
