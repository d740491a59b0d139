#include "host/event_control.h"

#include "platform/ui/dispatch.h"
#include "platform/ui/teardown.h"

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
    if (released_) return;
    // An event is an entry from the window system like any other: an error
    // no handler traps ends the program with the standard message.
    if (dispatchId == kEventA && onHostEventA) {
        ui::Dispatch([this] { onHostEventA(); });
    } else if (dispatchId == kEventB && onHostEventB) {
        Variant argument = args.empty() ? Variant() : args[0];
        ui::Dispatch([&] { onHostEventB(argument); });
    }
}

void ReleaseEventControl(std::unique_ptr<EventControl> control) {
    if (!control) return;
    control->released_ = true;
    ui::ReleaseLater(std::move(control));
}

}  // namespace host
