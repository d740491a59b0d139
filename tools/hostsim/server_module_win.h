// hostsim.dll as a whole: its module handle, the count of its live objects
// (it may be unloaded when none is left), and where its objects keep the
// stand-in's state.
#pragma once

#include <windows.h>

#include <memory>

#include "host/sim/state_file.h"

namespace hostsim::server {

HMODULE Module();

// Held by every live object and by each lock of the server.
class ModuleReference {
public:
    ModuleReference();
    ~ModuleReference();
    ModuleReference(const ModuleReference&) = delete;
    ModuleReference& operator=(const ModuleReference&) = delete;
};

// The state file for a newly made object: BRIVANE_HOSTSIM_STATE as it is
// now, else hostsim-state.txt beside the DLL (where the command line finds
// it too).
std::shared_ptr<host::sim::StateFile> NewStateFile();

}  // namespace hostsim::server
