#include "host/sim/perform.h"

#include "host/sim/event_source.h"

#include "platform/vb/error.h"

namespace host::sim {

Value Perform(StateFile& file, vb::StringView object, vb::StringView member, const std::vector<Variant>& args,
              const std::function<Value(State&)>& body, const std::function<void(const State&)>& admit) {
    LogEntry entry{vb::String(object), vb::String(member)};
    for (const Variant& arg : args) entry.args.push_back(Value::Of(arg));
    std::vector<HostEvent> events;
    file.Update([&](State& state) {
        if (admit) admit(state);
        events = TakeEventsDuring(state, member);
        if (Script* script = state.ScriptFor(member)) {
            entry.outcome = script->answer;
            entry.scripted = true;
            if (script->times != Script::kEvery) --script->times;
            std::erase_if(state.scripts, [](const Script& s) { return s.times == 0; });
        } else {
            try {
                entry.outcome = Outcome::Result(body(state));
            } catch (const vb::Error& e) {
                entry.outcome = Outcome::Error(e.number(), e.description());
            }
        }
        state.Record(entry);
    });
    RaiseFromEveryControl(events);
    if (entry.outcome.failed) throw vb::Error(entry.outcome.errorNumber, entry.outcome.errorText);
    return entry.outcome.result;
}

}  // namespace host::sim
