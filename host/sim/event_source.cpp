#include "host/sim/event_source.h"

#include <algorithm>
#include <string>

#include "host/event_control.h"
#include "host/sim/host.h"

namespace host::sim {

namespace {

// The event controls alive now, in the order they were made. All live on
// the host's one thread (the program's, where the server is loaded).
std::vector<EventSource*>& Live() {
    static std::vector<EventSource*> sources;
    return sources;
}

HostEvent ToHostEvent(const PendingEvent& event) {
    if (event.kind == u'A') return {kEventA, {}};
    Variant argument;
    if (event.argument && event.argument->type != Variant::Type::Object) argument = ToVariant(*event.argument, nullptr);
    return {kEventB, {argument}};
}

vb::String Decimal(int32_t number) { return vb::FromAscii(std::to_string(number)); }

}  // namespace

EventSource::EventSource(std::shared_ptr<StateFile> state, Deliver deliver, Keep keep)
    : state_(std::move(state)), deliver_(std::move(deliver)), keep_(std::move(keep)) {
    Live().push_back(this);
}

EventSource::~EventSource() {
    std::erase(Live(), this);
    life_->destroyed = true;
    if (life_->raising == 0) return;
    try {
        if (harsh()) LogFault(*state_, u"destroyed inside its own raise of event " + Decimal(life_->event));
    } catch (...) {
        // The state cannot be kept now: the fault cannot be told either.
    }
}

bool EventSource::harsh() { return state_->ReadWithoutLog().harsh; }

int EventSource::RaisePending() {
    std::vector<HostEvent> events = TakePendingEvents(*state_);
    Raise(events);
    return static_cast<int>(events.size());
}

void EventSource::RaiseDuring(vb::StringView member) {
    std::vector<HostEvent> events;
    state_->Update([&](State& s) { events = TakeEventsDuring(s, member); });
    Raise(events);
}

void EventSource::Raise(const std::vector<HostEvent>& events) {
    // A handler may destroy the control, and this source with it: what the
    // raise needs after a delivery is held here.
    std::shared_ptr<Life> life = life_;
    std::shared_ptr<StateFile> state = state_;
    Deliver deliver = deliver_;
    // Let go once the raise is over: a kind control may go with it then.
    std::shared_ptr<void> kept = keep_ && !events.empty() && !harsh() ? keep_() : nullptr;
    for (const HostEvent& event : events) {
        RaiseLogged(*state, event, [&] {
            if (life->destroyed) return;  // raised to nobody
            struct Raising {
                Life& life;
                int32_t outer;
                Raising(Life& l, int32_t event) : life(l), outer(l.event) {
                    ++life.raising;
                    life.event = event;
                }
                ~Raising() {
                    --life.raising;
                    life.event = outer;
                }
            } raising(*life, event.dispatchId);
            deliver(event);
        });
    }
}

void RaiseFromEveryControl(const std::vector<HostEvent>& events) {
    if (events.empty()) return;
    // A raise may make or destroy controls: each is looked for again.
    std::vector<EventSource*> sources = Live();
    for (EventSource* source : sources)
        if (std::find(Live().begin(), Live().end(), source) != Live().end()) source->Raise(events);
}

std::vector<HostEvent> TakePendingEvents(StateFile& state) {
    std::vector<HostEvent> events;
    state.Update([&](State& s) { events = TakeEventsDuring(s, {}); });
    return events;
}

std::vector<HostEvent> TakeEventsDuring(State& state, vb::StringView member) {
    std::vector<HostEvent> events;
    std::erase_if(state.events, [&](const PendingEvent& event) {
        bool now = member.empty() ? event.during.empty() : !event.during.empty() && SameName(event.during, member);
        if (now) events.push_back(ToHostEvent(event));
        return now;
    });
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

void LogFault(StateFile& state, vb::String what) {
    state.Update([&](State& s) { s.Record(LogEntry::Fault(ObjectName(ObjectKind::EventControl), std::move(what))); });
}

}  // namespace host::sim
