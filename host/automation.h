// Creation of host objects by ProgID on the local machine: through COM on
// Windows, or from the stand-in host where the real one cannot run.
#pragma once

#include <memory>

#include "host/host_object.h"
#include "platform/seam.h"

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
using AutomationGuard = platform::Seam<Automation*>::Guard;
// `replacement` creates every object until the guard goes.
AutomationGuard InstallAutomation(Automation& replacement);

// CreateObject(progId) as a reference the program holds.
HostObject CreateObject(vb::StringView progId);

}  // namespace host
