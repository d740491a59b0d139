#include "host/sim/members.h"

#include <span>

#include "platform/vb/error.h"

namespace host::sim {

namespace {

using Args = std::vector<Variant>;

constexpr int32_t kArgumentNotOptional = 449;
constexpr int32_t kWrongArgumentCount = 450;
constexpr int16_t kQuitCommand = 150;
constexpr int16_t kFirstView = 1, kLastView = 6;
constexpr int32_t kRefused = 1;

// ---- arguments ----------------------------------------------------------------

void ExpectCount(const Args& args, size_t count) {
    if (args.size() < count) throw vb::Error(kArgumentNotOptional, u"Argument not optional");
    if (args.size() > count)
        throw vb::Error(kWrongArgumentCount, u"Wrong number of arguments or invalid property assignment");
}

void RefuseObject(const Variant& arg) {
    if (arg.type() == Variant::Type::Object) throw vb::Error(vb::kTypeMismatch);
}

int16_t I2Arg(const Variant& arg) {
    RefuseObject(arg);
    return arg.AsInt16();
}

int32_t I4Arg(const Variant& arg) {
    RefuseObject(arg);
    return arg.AsInt32();
}

vb::String TextArg(const Variant& arg) {
    RefuseObject(arg);
    return arg.AsString();
}

void RequireRunning(const State& s) {
    if (!s.running) throw vb::Error(vb::kAutomationError, u"The host is not running");
}

// ---- application ---------------------------------------------------------------

Value OpenFile(State& s, const Args& args) {
    ExpectCount(args, 1);
    vb::String path = TextArg(args[0]);
    // "" keeps the database the host has open; a path opens that one.
    if (!path.empty()) {
        s.databasePath = path;
        s.databaseOpen = true;
    }
    return Value::Empty();
}

Value Views(State&, const Args& args) {
    ExpectCount(args, 0);
    return Value::Object(ObjectName(ObjectKind::Views));
}

Value GetOpenDBName(State& s, const Args& args) {
    ExpectCount(args, 0);
    return Value::Text(s.databaseOpen ? s.databasePath : vb::String());
}

Value Command(State& s, const Args& args) {
    ExpectCount(args, 1);
    // Only the quit command means anything here; the others are accepted.
    if (I2Arg(args[0]) == kQuitCommand) {
        s.running = false;
        s.databaseOpen = false;
    }
    return Value::Empty();
}

// ---- views and the contact view --------------------------------------------------

Value Create(State&, const Args& args) {
    ExpectCount(args, 2);
    int16_t view = I2Arg(args[0]);
    vb::String name = TextArg(args[1]);
    if (view == 1 && name == u"CV") return Value::Object(ObjectName(ObjectKind::ContactView));
    throw vb::Error(vb::kInvalidProcedureCall, u"The host has no view " + vb::FromAscii(std::to_string(view)) +
                                                   u" named \"" + name + u"\"; only 1, \"CV\" is the contact view");
}

Value GetField(State& s, const Args& args) {
    ExpectCount(args, 1);
    int16_t id = I2Arg(args[0]);
    if (!s.databaseOpen) throw vb::Error(vb::kAutomationError, u"No database is open");
    return Value::Text(s.Field(id));
}

// ---- auxiliary commands ------------------------------------------------------------

bool IsDefined(const State& s, vb::StringView title) { return s.command && SameName(s.command->title, title); }

bool IsView(int16_t view) { return view >= kFirstView && view <= kLastView; }

Value AuxCommandExists(State& s, const Args& args) {
    ExpectCount(args, 1);
    return Value::I4(IsDefined(s, TextArg(args[0])) ? 1 : 0);
}

Value ExistsIn(const std::set<int16_t>& views, State& s, const Args& args) {
    ExpectCount(args, 2);
    int16_t view = I2Arg(args[0]);
    bool placed = IsDefined(s, TextArg(args[1])) && views.contains(view);
    return Value::I2(placed ? 1 : 0);
}

Value AuxCommandExistsInToolbar(State& s, const Args& args) { return ExistsIn(s.toolbar, s, args); }
Value AuxCommandExistsInToolsMenu(State& s, const Args& args) { return ExistsIn(s.menu, s, args); }

Value AddAuxCommand(State& s, const Args& args) {
    ExpectCount(args, 8);
    AuxCommand c;
    vb::String* texts[] = {&c.title, &c.commandLine, &c.workingFolder, &c.menuText, &c.tooltip, &c.icon, &c.icon32};
    for (size_t i = 0; i < std::size(texts); ++i) *texts[i] = TextArg(args[i]);
    c.flags = I2Arg(args[7]);
    // Defining another command takes the place of the old one and its placements.
    if (s.command && !SameName(s.command->title, c.title)) {
        s.toolbar.clear();
        s.menu.clear();
    }
    s.command = std::move(c);
    return Value::I4(0);
}

// Placing a command that is not defined, or on a view the host does not
// have, is refused with a non-zero result; placing it again is fine.
Value Place(std::set<int16_t>& views, bool add, State& s, const Args& args) {
    ExpectCount(args, 2);
    int16_t view = I2Arg(args[0]);
    vb::String title = TextArg(args[1]);
    if (!IsView(view)) return Value::I4(kRefused);
    if (add) {
        if (!IsDefined(s, title)) return Value::I4(kRefused);
        views.insert(view);
    } else if (IsDefined(s, title)) {
        views.erase(view);
    }
    return Value::I4(0);
}

Value AddAuxCommandToToolbar(State& s, const Args& a) { return Place(s.toolbar, true, s, a); }
Value RemoveAuxCommandFromToolbar(State& s, const Args& a) { return Place(s.toolbar, false, s, a); }
Value AddAuxCommandToToolsMenu(State& s, const Args& a) { return Place(s.menu, true, s, a); }
Value RemoveAuxCommandFromToolsMenu(State& s, const Args& a) { return Place(s.menu, false, s, a); }

// ---- the event control -------------------------------------------------------------
// Ready (1 gives 1): running, a database open, reachable. Otherwise 1 gives
// 0 and 3 tells why: true when the host cannot be reached (marked so, or
// not running at all), false when it runs without a database.

Value IsReady(State& s, const Args& args) {
    ExpectCount(args, 1);
    I4Arg(args[0]);
    return Value::I4(s.running && s.databaseOpen && s.reachable ? 1 : 0);
}

Value Acknowledge(State&, const Args& args) {
    ExpectCount(args, 0);
    return Value::Empty();
}

Value IsUnreachable(State& s, const Args& args) {
    ExpectCount(args, 0);
    return Value::Bool(!s.reachable || !s.running);
}

// ---- tables ------------------------------------------------------------------------

struct Member {
    const char16_t* name;
    Value (*run)(State&, const Args&);
};

constexpr Member kApplication[] = {
    {u"OpenFile", OpenFile},
    {u"Views", Views},
    {u"GetOpenDBName", GetOpenDBName},
    {u"Command", Command},
};
constexpr Member kViews[] = {{u"Create", Create}};
constexpr Member kContactView[] = {{u"GetField", GetField}};
constexpr Member kAuxCommands[] = {
    {u"AuxCommandExists", AuxCommandExists},
    {u"AuxCommandExistsInToolbar", AuxCommandExistsInToolbar},
    {u"AuxCommandExistsInToolsMenu", AuxCommandExistsInToolsMenu},
    {u"AddAuxCommand", AddAuxCommand},
    {u"AddAuxCommandToToolbar", AddAuxCommandToToolbar},
    {u"RemoveAuxCommandFromToolbar", RemoveAuxCommandFromToolbar},
    {u"AddAuxCommandToToolsMenu", AddAuxCommandToToolsMenu},
    {u"RemoveAuxCommandFromToolsMenu", RemoveAuxCommandFromToolsMenu},
};
constexpr Member kEventControl[] = {{u"#1", IsReady}, {u"#2", Acknowledge}, {u"#3", IsUnreachable}};

struct Kind {
    ObjectKind kind;
    const char16_t* name;
    std::span<const Member> members;
};
constexpr Kind kKinds[] = {
    {ObjectKind::Application, u"application", kApplication},
    {ObjectKind::Views, u"views", kViews},
    {ObjectKind::ContactView, u"contact view", kContactView},
    {ObjectKind::AuxCommands, u"aux commands", kAuxCommands},
    {ObjectKind::EventControl, u"event control", kEventControl},
};

const Kind& KindOf(ObjectKind kind) {
    for (const Kind& k : kKinds)
        if (k.kind == kind) return k;
    return kKinds[0];
}

const Member* Find(ObjectKind kind, vb::StringView member) {
    for (const Member& m : KindOf(kind).members)
        if (SameName(m.name, member)) return &m;
    return nullptr;
}

}  // namespace

vb::String ObjectName(ObjectKind kind) { return KindOf(kind).name; }

bool ObjectKindNamed(vb::StringView name, ObjectKind* kind) {
    for (const Kind& k : kKinds) {
        if (name == k.name) {
            *kind = k.kind;
            return true;
        }
    }
    return false;
}

vb::String CanonicalMember(ObjectKind kind, vb::StringView member) {
    const Member* m = Find(kind, member);
    return m ? m->name : vb::String();
}

Value Answer(ObjectKind kind, State& state, vb::StringView member, const Args& args) {
    const Member* m = Find(kind, member);
    if (!m) throw vb::Error(vb::kObjectDoesntSupport);
    if (kind != ObjectKind::EventControl) RequireRunning(state);
    return m->run(state, args);
}

vb::String DispatchMember(int32_t dispatchId) { return u"#" + vb::FromAscii(std::to_string(dispatchId)); }

}  // namespace host::sim
