// The stand-in host's command line: prepares the host for a test or the
// demo, steers it while the program runs, and shows what the program did.
#pragma once

#include <ostream>
#include <vector>

#include "platform/vb/string.h"

namespace hostsim {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the state file could not be written
inline constexpr int kExitUsage = 2;

// The arguments without the program's name. Listings go to `out` (UTF-8,
// "\n" line ends), messages to `err`.
int Run(const std::vector<vb::String>& args, std::ostream& out, std::ostream& err);

}  // namespace hostsim
