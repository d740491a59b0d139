// Program-wide state: the host objects held for the whole run, the pending
// host restart, and the countries file of the current map site.
#pragma once

#include "host/host_object.h"
#include "platform/vb/string.h"

namespace Module2 {

extern host::HostObject ActApp;       // the host's application object
extern host::HostObject ActViews;     // its views collection
extern host::HostObject ContactView;  // the contact view: fields of the current contact

// Set once by the restart prompt, never cleared.
extern bool RestartAct;

// Full path of the current site's countries file; set on every press.
extern vb::String CountriesFile;

// Creates the application object, opens it and takes the contact view.
void ConnectToAct();

}  // namespace Module2
