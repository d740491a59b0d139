// Creation of host objects by ProgID on the local machine: through COM on
// Windows, or from the stand-in host where the real one cannot run.
#pragma once

#include <memory>

#include "host/host_object.h"

namespace host {

inline constexpr const char16_t* kAppProgId = u"ACTOLE.APPOBJECT";
inline constexpr const char16_t* kAuxCommandsProgId = u"ACTOLE.AUXCMDS";

class Automation {
public:
    virtual ~Automation() = default;
    // Raises error 429 when no such object can be created.
    virtual std::shared_ptr<Object> CreateObject(vb::StringView progId) = 0;
};

Automation& automation();
void SetAutomation(Automation* replacement);  // nullptr: the system's again

// CreateObject(progId) as a reference the program holds.
HostObject CreateObject(vb::StringView progId);

}  // namespace host
