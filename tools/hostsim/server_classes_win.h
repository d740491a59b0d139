// The stand-in's classes as the system knows them. The application and the
// auxiliary-command objects have class ids of the stand-in's own (any id
// serves: clients find them by ProgID); the event control is created by its
// class id, so it keeps the host's (host/event_control.h).
// tools/hostsim/register reads the ids from this file.
#pragma once

#include "host/automation.h"
#include "host/event_control.h"

namespace hostsim::server {

inline constexpr const char16_t* kApplicationClsid = u"{37A8A99E-926B-433F-BDE2-2C2F4A78D3F1}";
inline constexpr const char16_t* kAuxCommandsClsid = u"{283840E6-16BB-49F0-8BF0-8EE593762AC6}";

enum class ClassKind { Application, AuxCommands, EventControl };

struct ServerClass {
    ClassKind kind;
    const char16_t* clsid;
    const char16_t* progId;  // nullptr: created by class id only
    const char16_t* name;    // the class key's text
};

inline constexpr ServerClass kServerClasses[] = {
    {ClassKind::Application, kApplicationClsid, host::kAppProgId, u"Stand-in host: application"},
    {ClassKind::AuxCommands, kAuxCommandsClsid, host::kAuxCommandsProgId, u"Stand-in host: auxiliary commands"},
    {ClassKind::EventControl, host::kEventControlClsid, nullptr, u"Stand-in host: event control"},
};

}  // namespace hostsim::server
