#include "host/automation.h"

namespace host {

Automation& SystemAutomation();

namespace {
Automation* installed = nullptr;
}

Automation& automation() { return installed ? *installed : SystemAutomation(); }

void SetAutomation(Automation* replacement) { installed = replacement; }

HostObject CreateObject(vb::StringView progId) { return HostObject(automation().CreateObject(progId)); }

}  // namespace host
