#include "host/sim/host.h"
#include "host/sim/perform.h"
#include "platform/vb/error.h"

namespace host::sim {

SimEventControl::SimEventControl(std::shared_ptr<StateFile> state)
    : state_(state), source_(state, [this](const HostEvent& event) { Raise(event.dispatchId, event.args); }) {}

Variant SimEventControl::CallId(int32_t dispatchId, const std::vector<Variant>& args) {
    return CallEventControl(state_, dispatchId, args);
}

Variant CallEventControl(const std::shared_ptr<StateFile>& state, int32_t dispatchId,
                         const std::vector<Variant>& args) {
    vb::String member = DispatchMember(dispatchId);
    Value result = Perform(*state, ObjectName(ObjectKind::EventControl), member, args,
                           [&](State& s) { return Answer(ObjectKind::EventControl, s, member, args); });
    return ToVariant(result, state);
}

void RequireEventControl(StateFile& state) {
    if (!state.ReadWithoutLog().installed) throw vb::Error(vb::kCantCreateObject);
}

std::unique_ptr<SimEventControl> CreateSimEventControl(std::shared_ptr<StateFile> state) {
    RequireEventControl(*state);
    return std::make_unique<SimEventControl>(std::move(state));
}

}  // namespace host::sim
