#include "host/automation.h"

namespace host {

Automation& SystemAutomation();

namespace {
platform::Seam<Automation*> installed;
}

Automation& automation() {
    if (Automation* replacement = installed.installed()) return *replacement;
    return SystemAutomation();
}

AutomationGuard InstallAutomation(Automation& replacement) { return installed.Install(&replacement); }

HostObject CreateObject(vb::StringView progId) { return HostObject(automation().CreateObject(progId)); }

}  // namespace host
