// One call to the stand-in, from start to end: `admit` may refuse it (by
// raising; then nothing is logged or saved), a script for the member
// answers it if there is one (counting down its calls), otherwise `body`
// does; either way the call is logged with its arguments and outcome and
// the state saved, all in one locked update. Then the events scripted for
// a call of this member are raised (RaiseFromEveryControl), inside the
// call, and then the outcome's error is raised, or its value returned.
#pragma once

#include <functional>
#include <vector>

#include "host/sim/state_file.h"

namespace host::sim {

Value Perform(StateFile& file, vb::StringView object, vb::StringView member, const std::vector<Variant>& args,
              const std::function<Value(State&)>& body, const std::function<void(const State&)>& admit = nullptr);

}  // namespace host::sim
