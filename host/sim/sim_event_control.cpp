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

int SimEventControl::RaisePending() {
    std::vector<HostEvent> events = TakePendingEvents(*state_);
    for (const HostEvent& event : events) Raise(event.dispatchId, event.args);
    return static_cast<int>(events.size());
}

std::unique_ptr<SimEventControl> CreateSimEventControl(std::shared_ptr<StateFile> state) {
    if (!state->Read().installed) throw vb::Error(vb::kCantCreateObject);
    return std::make_unique<SimEventControl>(std::move(state));
}

std::vector<HostEvent> TakePendingEvents(StateFile& state) {
    std::vector<PendingEvent> pending;
    state.Update([&](State& s) {
        pending = std::move(s.events);
        s.events.clear();
        for (const PendingEvent& event : pending) {
            LogEntry entry{u"events", event.kind == u'A' ? u"HostEventA" : u"HostEventB"};
            if (event.argument) entry.args.push_back(*event.argument);
            entry.outcome = Outcome::Result(Value::Empty());
            s.Record(std::move(entry));
        }
    });
    std::vector<HostEvent> events;
    for (const PendingEvent& event : pending) {
        if (event.kind == u'A') {
            events.push_back({kEventA, {}});
        } else {
            Variant argument;
            if (event.argument && event.argument->type != Variant::Type::Object) argument = ToVariant(*event.argument, nullptr);
            events.push_back({kEventB, {argument}});
        }
    }
    return events;
}

}  // namespace host::sim
