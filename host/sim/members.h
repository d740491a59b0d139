// What each member of the stand-in's objects does to its state and answers.
// A member checks its arguments before it changes anything, and raises
// vb::Error for a fault, as a real server's Invoke would fail:
//   too few arguments             449 Argument not optional
//   too many                      450 Wrong number of arguments or invalid property assignment
//   an argument of the wrong type 13 Type mismatch (6 Overflow for a number out of range)
//   no such member                438 Object doesn't support this property or method
//   any call but the event control's while the host is not running:
//                                 440 The host is not running
//   GetField while no database is open      440 No database is open
//   Create with anything but 1, "CV"        5 (the text names the view asked for)
// Placing the launch command on a view outside 1..6, or before it is
// defined, answers 1 (refused) instead of 0.
// Arguments are coerced the way a server coerces them (an I4 1 serves
// where an I2 is expected); the log keeps the types the caller sent.
#pragma once

#include <vector>

#include "host/sim/state.h"

namespace host::sim {

enum class ObjectKind { Application, Views, ContactView, AuxCommands, EventControl };

// The object's name in the log and in Object values.
vb::String ObjectName(ObjectKind kind);
// The kind named so; false for a name of no object.
bool ObjectKindNamed(vb::StringView name, ObjectKind* kind);

// The member's canonical name when the object has it (any letter case);
// empty when not. The event control's members are "#1", "#2" and "#3".
vb::String CanonicalMember(ObjectKind kind, vb::StringView member);

// Runs the member; raises 438 for one the object does not have.
Value Answer(ObjectKind kind, State& state, vb::StringView member, const std::vector<Variant>& args);

// The event control's member name for a dispatch id: "#1".
vb::String DispatchMember(int32_t dispatchId);

}  // namespace host::sim
