// How the stand-in's event control raises its events, in-process and as the
// automation server alike: the events waiting in the state when the control
// looks (RaisePending), and those scripted to come from inside a call of a
// member (PendingEvent::during), raised there before the call returns. Each
// is logged as RaiseLogged does.
//
// A kind control keeps itself alive while it raises. A harsh one
// (State::harsh), as a real control may, holds no reference to itself
// then: if its client's last release comes inside the raise, the control is
// destroyed there, and its code that is still on the stack runs on in a
// destroyed object. The stand-in survives that and tells: a control
// destroyed while a raise of its own is on the stack, or called after
// that, leaves a fault in the log ("fault", "event control", what
// happened), which every test that reads the log fails on. The raise goes
// on without touching the destroyed control: its other events are raised
// to nobody.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "host/sim/state_file.h"
#include "host/variant.h"

namespace host::sim {

// An event the host raises, by its dispatch id on the event interface.
struct HostEvent {
    int32_t dispatchId;
    std::vector<Variant> args;
};

class EventSource {
public:
    // Hands one event to the control's listeners, inside the raise; called
    // only while the control lives.
    using Deliver = std::function<void(const HostEvent&)>;
    // A reference to the control, held through each raise of a kind
    // control; none for a control that is not counted (in-process).
    using Keep = std::function<std::shared_ptr<void>()>;

    EventSource(std::shared_ptr<StateFile> state, Deliver deliver, Keep keep = nullptr);
    // The control's end: a fault when a raise of its own is on the stack
    // and the control is harsh.
    ~EventSource();
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;

    // Raises the events waiting in the state, oldest first, and clears
    // them; how many there were.
    int RaisePending();
    // Raises these events now, one after the other.
    void Raise(const std::vector<HostEvent>& events);
    // Raises now the events scripted for a call of `member`, if any.
    void RaiseDuring(vb::StringView member);

    // Whether one of its raises is on the stack now.
    bool raising() const { return life_->raising > 0; }
    bool harsh();
    StateFile& state() const { return *state_; }

private:
    struct Life {
        bool destroyed = false;
        int raising = 0;
        int32_t event = 0;  // the innermost raise's
    };

    std::shared_ptr<StateFile> state_;
    Deliver deliver_;
    Keep keep_;
    std::shared_ptr<Life> life_ = std::make_shared<Life>();
};

// Raises `events` from every event control of the stand-in alive now, in
// the order they were made (a call of the host raises them: see Perform).
void RaiseFromEveryControl(const std::vector<HostEvent>& events);

// Takes the events waiting for the next look out of the state: event A as
// kEventA without arguments, B as kEventB with its one argument (empty when
// none was given). Those scripted for a member's call stay.
std::vector<HostEvent> TakePendingEvents(StateFile& state);
// Takes the events scripted for a call of `member` out of `state`.
std::vector<HostEvent> TakeEventsDuring(State& state, vb::StringView member);

// Raises one event as the host does: logged as "event N begin", handed to
// the program by `deliver` (whose handler runs inside it and may call the
// host back: no lock is held meanwhile), then logged as "event N end". A
// delivery that throws (the program ended inside it) logs no end.
void RaiseLogged(StateFile& state, const HostEvent& event, const std::function<void()>& deliver);

// Logs a fault of the event control's user (see above).
void LogFault(StateFile& state, vb::String what);

}  // namespace host::sim
