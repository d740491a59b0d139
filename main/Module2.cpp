#include "main/Module2.h"

#include "host/automation.h"

namespace Module2 {

host::HostObject ActApp;
host::HostObject ActViews;
host::HostObject ContactView;
bool RestartAct = false;
vb::String CountriesFile;

void ConnectToAct() {
    ActApp = host::CreateObject(host::kAppProgId);
    ActApp.Call(u"OpenFile", u"");
    ActViews = host::HostObject(ActApp.Get(u"Views").AsObject());
    ContactView = host::HostObject(ActViews.Call(u"Create", int16_t(1), u"CV").AsObject());
}

}  // namespace Module2
