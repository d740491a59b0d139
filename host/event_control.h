// The host's event control on the main window: asked by dispatch id whether
// the host is ready, and raising the notifications that close the window.
// Events arrive on the window thread, and each one's handler runs inside the
// control's call that raises it: the handler may call the control back and
// close the window before the host's call returns. The window lets go of
// the control then (ReleaseEventControl): no event reaches a handler any
// more, and the control is released after the raise has returned.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "host/variant.h"
#include "platform/seam.h"

namespace host {

// The control's class and its event interface.
inline constexpr const char16_t* kEventControlClsid = u"{7A769383-0D93-11D1-B268-444553540000}";
inline constexpr const char16_t* kEventInterfaceIid = u"{7A769382-0D93-11D1-B268-444553540000}";

// Methods, by dispatch id.
inline constexpr int32_t kDispReady = 1;        // (I4 0) -> I4: above 0: a database is open
inline constexpr int32_t kDispAcknowledge = 2;  // () : called first on each handled event
inline constexpr int32_t kDispUnreachable = 3;  // () -> Bool: true: the host cannot be reached

// The two events the main window handles, by their dispatch ids on the event
// interface (the control raises ids 1 to 14). The main window's table of the
// control's events has 23 entries, the 14 of the event interface and 9
// others, and the two handled ones hold its 11th and 23rd entries. HostEventB
// comes with one argument, so the 23rd entry is an event of the interface:
// that holds only when the 9 others come first, and then the interface's
// events fill entries 10 to 23 in dispatch-id order. So the 11th entry is
// event 2 and the 23rd event 14.
inline constexpr int32_t kEventA = 2;   // HostEventA, no argument
inline constexpr int32_t kEventB = 14;  // HostEventB, one argument, ignored

class EventControl {
public:
    virtual ~EventControl() = default;
    virtual Variant CallId(int32_t dispatchId, const std::vector<Variant>& args) = 0;

    std::function<void()> onHostEventA;
    std::function<void(const Variant&)> onHostEventB;

protected:
    // For the backends: routes an event by its dispatch id to its handler,
    // at once; others are ignored, and so is every event once the control
    // was let go of.
    void Raise(int32_t dispatchId, const std::vector<Variant>& args);

private:
    friend void ReleaseEventControl(std::unique_ptr<EventControl> control);
    bool released_ = false;
};

// The window that holds `control` closed: its events reach no handler from
// now on, and the control, with its site and its sink's connection, is
// released once the callbacks running now have returned (ui::ReleaseLater).
void ReleaseEventControl(std::unique_ptr<EventControl> control);

// The control as the main window creates it: from the factory a test
// installed, else the system's, connected to its events once it is whole.
// Raises error 429 when it is not installed.
std::unique_ptr<EventControl> CreateEventControl();
std::unique_ptr<EventControl> SystemEventControl();

using EventControlFactory = std::function<std::unique_ptr<EventControl>()>;
using EventControlGuard = platform::Seam<EventControlFactory>::Guard;
// `factory` makes every event control until the guard goes.
EventControlGuard InstallEventControlFactory(EventControlFactory factory);

}  // namespace host
