#include "host/sim/host.h"
#include "host/sim/perform.h"
#include "platform/vb/error.h"

namespace host::sim {

SimEventControl::SimEventControl(std::shared_ptr<StateFile> state) : state_(std::move(state)) {}

Variant SimEventControl::CallId(int32_t dispatchId, const std::vector<Variant>& args) {
    vb::String member = DispatchMember(dispatchId);
    Value result = Perform(*state_, ObjectName(ObjectKind::EventControl), member, args,
                           [&](State& state) { return Answer(ObjectKind::EventControl, state, member, args); });
    return ToVariant(result, state_);
}

SimEventControl::~SimEventControl() { *alive_ = false; }

int SimEventControl::RaisePending() {
    // A handler may destroy this control: what the raise needs after it is
    // held here, not by the control.
    std::shared_ptr<StateFile> state = state_;
    std::shared_ptr<bool> alive = alive_;
    std::vector<HostEvent> events = TakePendingEvents(*state);
    for (const HostEvent& event : events)
        RaiseLogged(*state, event, [&] {
            if (*alive) Raise(event.dispatchId, event.args);
        });
    return static_cast<int>(events.size());
}

std::unique_ptr<SimEventControl> CreateSimEventControl(std::shared_ptr<StateFile> state) {
    if (!state->ReadWithoutLog().installed) throw vb::Error(vb::kCantCreateObject);
    return std::make_unique<SimEventControl>(std::move(state));
}

std::vector<HostEvent> TakePendingEvents(StateFile& state) {
    std::vector<PendingEvent> pending;
    state.Update([&](State& s) {
        pending = std::move(s.events);
        s.events.clear();
    });
    std::vector<HostEvent> events;
    for (const PendingEvent& event : pending) {
        if (event.kind == u'A') {
            events.push_back({kEventA, {}});
        } else {
            Variant argument;
            if (event.argument && event.argument->type != Variant::Type::Object)
                argument = ToVariant(*event.argument, nullptr);
            events.push_back({kEventB, {argument}});
        }
    }
    return events;
}

void RaiseLogged(StateFile& state, const HostEvent& event, const std::function<void()>& deliver) {
    auto mark = [&](LogEntry::Mark at) {
        state.Update([&](State& s) { s.Record(LogEntry::Event(at, event.dispatchId)); });
    };
    mark(LogEntry::Mark::EventBegin);
    deliver();
    mark(LogEntry::Mark::EventEnd);
}

}  // namespace host::sim
