// Where the real host cannot run, the system's host is the stand-in, on the
// state file beside the executable (or the one the environment names), so
// the command line steers the program it serves.
#include <memory>

#include "host/sim/host.h"
#include "platform/program_info.h"

namespace host {

namespace {

std::shared_ptr<sim::StateFile> SharedState() {
    static const auto state =
        sim::StateFile::At(sim::DefaultStatePath(std::filesystem::path(vb::ToUtf8(platform::ExeFolder()))));
    return state;
}

}  // namespace

Automation& SystemAutomation() {
    static sim::SimAutomation automation(SharedState());
    return automation;
}

std::unique_ptr<EventControl> SystemEventControl() { return sim::CreateSimEventControl(SharedState()); }

}  // namespace host
