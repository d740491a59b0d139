// The stand-in host: the contact manager's automation objects and event
// control, acting on a StateFile so that tests, the demo and the command
// line see and steer the same host. Used in-process here and wrapped as an
// in-process COM server on Windows.
//
// Objects, by ProgID (any letter case; any other ProgID raises 429, and so
// do both while the host is not installed):
//   ACTOLE.APPOBJECT  the application: OpenFile, Views, GetOpenDBName,
//                     Command (150 makes the host quit)
//   ACTOLE.AUXCMDS    the auxiliary commands: AuxCommandExists,
//                     AuxCommandExistsInToolbar/-ToolsMenu, AddAuxCommand,
//                     Add-/RemoveAuxCommandToToolbar/-ToolsMenu
// What each member does and how calls fail: host/sim/members.h. The state
// is looked at at every call, so a change from outside (the command line)
// takes effect at the next call. An object made before the host's process
// vanished (Vanish) is cut off for good: its calls raise 462 "The remote
// server machine does not exist or is unavailable" and never reach the
// host, so they are not logged.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "host/automation.h"
#include "host/event_control.h"
#include "host/sim/event_source.h"
#include "host/sim/members.h"
#include "host/sim/state_file.h"
#include "platform/vb/error.h"

namespace host::sim {

// What a call on a cut-off object raises in-process; the COM wrapper fails
// it with RPC_E_DISCONNECTED instead, which callers map to the same error.
inline constexpr int32_t kServerUnavailable = 462;
inline constexpr const char16_t* kServerUnavailableText = u"The remote server machine does not exist or is unavailable";

// Raised by a call on a cut-off object: its own type, so that the COM
// wrapper tells it from a scripted answer that happens to be error 462.
class CutOffError : public vb::Error {
public:
    CutOffError() : vb::Error(kServerUnavailable, kServerUnavailableText) {}
};

class SimObject : public Object {
public:
    // Made in the host's present life.
    SimObject(std::shared_ptr<StateFile> state, ObjectKind kind);

    // By name, property or method alike; scripts answer any name.
    Variant Invoke(vb::StringView member, InvokeKind kind, const std::vector<Variant>& args) override;
    // These objects are called by name only: raises 438.
    Variant InvokeId(int32_t dispatchId, const std::vector<Variant>& args) override;

    // What a name lookup ahead of a call finds, in one read of the state:
    // the host's process vanished since this object was made, or a call of
    // this name reaches the object (its own members and any scripted name),
    // or not.
    enum class Reach { CutOff, Unknown, Known };
    Reach Lookup(vb::StringView member);
    ObjectKind kind() const { return kind_; }

private:
    std::shared_ptr<StateFile> state_;
    ObjectKind kind_;
    int32_t life_;
};

class SimAutomation : public Automation {
public:
    explicit SimAutomation(std::shared_ptr<StateFile> state);
    std::shared_ptr<Object> CreateObject(vb::StringView progId) override;

private:
    std::shared_ptr<StateFile> state_;
};

// The event control. Dispatch ids 1, 2 and 3 as members.h describes; it
// answers while the host is not running (that is what it is asked about).
// Its events reach the handlers as event_source.h tells.
class SimEventControl : public EventControl {
public:
    explicit SimEventControl(std::shared_ptr<StateFile> state);
    Variant CallId(int32_t dispatchId, const std::vector<Variant>& args) override;

    // Delivers the events waiting in the state, oldest first, to the
    // handlers and clears them; how many there were. Nothing raises them
    // by itself: the tests or a COM wrapper's timer call this.
    int RaisePending() { return source_.RaisePending(); }

private:
    std::shared_ptr<StateFile> state_;
    EventSource source_;
};

// The control as the system would create it: raises 429 while the host is
// not installed.
std::unique_ptr<SimEventControl> CreateSimEventControl(std::shared_ptr<StateFile> state);
// What creating the event control checks: raises 429 while the host is not
// installed.
void RequireEventControl(StateFile& state);
// A call of the event control by dispatch id, logged as "#N".
Variant CallEventControl(const std::shared_ptr<StateFile>& state, int32_t dispatchId, const std::vector<Variant>& args);

// A value as a caller receives it; an Object value becomes the stand-in's
// object of that name (raises 13 for a name of no object).
Variant ToVariant(const Value& value, const std::shared_ptr<StateFile>& state);

// The host starts with this database: what opening a database file through
// the shell does. Logged as "host" "Open".
void Open(StateFile& state, vb::StringView databasePath);

// The host's process vanishes without quitting, as when it crashes or is
// ended from outside: it is not running, no database is open, and every
// object made so far is cut off, even after the host starts again. Logged
// as "host" "Vanish".
void Vanish(StateFile& state);

}  // namespace host::sim
