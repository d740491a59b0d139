// Everything the stand-in host knows, and its text form.
//
// The file is UTF-8, one record a line, fields separated by tabs; "#" starts
// a comment line and blank lines are ignored. The first line names the
// format:
//
//   brivane-hostsim-state	1
//   installed	yes                  (no: creating its objects raises 429)
//   running	yes                    (no: every call but the event control's fails)
//   database	open                  (or closed)
//   reachable	yes                  (no: the event control cannot reach the host)
//   harsh	no                        (yes: the event control holds no reference to
//                                  itself while it raises an event; see event_source.h)
//   life	1                        1, and one more each time the host's process
//                                  vanished; objects of an earlier life are cut off
//   path	C:\Contacts\Demo.dbf        the open database
//   field	27	12 Main Street          a field of the current contact by id
//   command	TITLE	LINE	FOLDER	MENU	TOOLTIP	ICON	ICON32	FLAGS
//   placement	toolbar	1             the command on view 1's toolbar
//   placement	menu	3                 ... in view 3's Tools menu
//   script	GetField	every	=> Text:Main Street
//   script	Command	2	=> Error 440: The host is busy
//   event	A                       an event to raise (B may carry a value)
//   event	B	Text:closing
//   raise-in	GetField	A             an event to raise from inside the next call
//   raise-in	Advise	B	Text:x         of that member (Advise: the connection point's)
//   call	views	Create	I2:1	Text:CV	=> Object:contact view
//   call	aux commands	AddAuxCommandToToolbar	I2:7	Text:x	=> scripted I4:1
//   event	2	begin                   the event control raises event 2 ...
//   call	event control	#2	=> Empty:   ... the program acknowledges inside it
//   event	2	end                     ... and the raise has returned
//   fault	event control	destroyed inside its own raise of event 2
//
// The call lines, the fault lines and the event lines that name a dispatch
// id form the log, in order; a pending event's line names its letter
// instead. A fault is what a real control's misuse would crash on; no run
// of the program may leave one. On disk the
// log has a file of its own, of these lines only (see state_file.h); the
// whole form is what the command line shows.
//
// Values are written TYPE:TEXT with the types Empty, I2, I4, Bool (True or
// False), Text and Object (the object's name). An outcome is "=> " and a
// value, or "=> Error NUMBER: TEXT"; "scripted " before either marks an
// answer that came from a script. A script's count is "every" or how many
// more calls it answers.
//
// Inside a field, "%XX" stands for a byte that would break the line or hide
// (control characters, DEL, and "%" itself) and "%uXXXX" for a lone UTF-16
// surrogate, so any text round-trips; everything else is plain UTF-8.
//
// Reading never fails: a missing file, or one whose first line is not the
// header above, is the default state; a line that cannot be read is skipped
// and the others are kept. Unknown records are skipped too.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "host/variant.h"

namespace host::sim {

// A value as the stand-in keeps it: its automation type and its text
// (integers in decimal, booleans "True" or "False", objects their name).
struct Value {
    Variant::Type type = Variant::Type::Empty;
    vb::String text;

    static Value Empty() { return {}; }
    static Value Text(vb::String text) { return {Variant::Type::String, std::move(text)}; }
    static Value I2(int16_t number);
    static Value I4(int32_t number);
    static Value Bool(bool value);
    static Value Object(vb::String name) { return {Variant::Type::Object, std::move(name)}; }
    // An object argument keeps no name: the stand-in cannot tell whose it is.
    static Value Of(const Variant& value);

    bool operator==(const Value&) const = default;
};

// "I2:1", "Text:CV", "Empty:"; and back, with the type in any letter case
// ("text:" too). nullopt for an unknown type or a number out of range.
vb::String FormatValue(const Value& value);
std::optional<Value> ParseValue(vb::StringView typed);

// What a call gave: a value, or an automation error.
struct Outcome {
    bool failed = false;
    Value result;
    int32_t errorNumber = 0;
    vb::String errorText;

    static Outcome Result(Value value) { return {false, std::move(value), 0, {}}; }
    static Outcome Error(int32_t number, vb::String text) { return {true, {}, number, std::move(text)}; }
    bool operator==(const Outcome&) const = default;
};

// The launch command, as AddAuxCommand defined it.
struct AuxCommand {
    vb::String title, commandLine, workingFolder, menuText, tooltip, icon, icon32;
    int16_t flags = 0;
    bool operator==(const AuxCommand&) const = default;
};

// A scripted answer: any member of that name (any letter case) answers it
// instead of doing what it does.
struct Script {
    vb::String member;
    Outcome answer;
    int32_t times = kEvery;  // calls it still answers
    static constexpr int32_t kEvery = -1;
    bool operator==(const Script&) const = default;
};

struct PendingEvent {
    char16_t kind = u'A';  // u'A' or u'B'
    std::optional<Value> argument;
    // Empty: raised at the event control's next look at the state. A
    // member's name: raised from inside the next call of that member.
    vb::String during;
    bool operator==(const PendingEvent&) const = default;
};

struct LogEntry {
    vb::String object;  // "application", "views", "contact view", "aux commands", "event control", ...
    vb::String member;
    std::vector<Value> args;
    Outcome outcome;
    bool scripted = false;
    // Not a call but the begin or the end of an event the control raised:
    // the calls logged between them came while the program handled it. Or
    // a fault of the object's user, told in `member`.
    enum class Mark { Call, EventBegin, EventEnd, Fault };
    Mark mark = Mark::Call;
    int32_t eventId = 0;  // the event's dispatch id, for the two marks

    static LogEntry Event(Mark mark, int32_t eventId);
    static LogEntry Fault(vb::String object, vb::String what);
    bool operator==(const LogEntry&) const = default;
};

struct State {
    bool installed = true;
    bool running = true;
    bool databaseOpen = true;
    bool reachable = true;
    bool harsh = false;
    // Begins anew each time the host's process vanishes; an object keeps the
    // life it was made in and is cut off from the host once that life ended.
    int32_t life = 1;
    vb::String databasePath = u"C:\\Contacts\\Demo.dbf";
    std::map<int16_t, vb::String> fields;
    std::optional<AuxCommand> command;
    std::set<int16_t> toolbar, menu;  // view numbers
    std::vector<Script> scripts;
    std::vector<PendingEvent> events;
    std::vector<LogEntry> log;

    // The log keeps the latest calls only, so the file stays small.
    static constexpr size_t kLogLimit = 10000;
    void Record(LogEntry entry);

    // The field's text; any id never set reads as empty text.
    vb::String Field(int16_t id) const;
    // The script that answers this member now, or nullptr.
    Script* ScriptFor(vb::StringView member);
    // Adds a script, replacing one for the same member.
    void SetScript(Script script);

    bool operator==(const State&) const = default;
};

// The whole file, and back (see above).
std::string FormatState(const State& state);
State ParseState(std::string_view text);

// Single records, in the file's form: for the command line's listings and
// the log file, which holds these lines only. ParseLog reads such lines
// back, the latest kLogLimit of them, skipping any other line.
std::string FormatLogEntry(const LogEntry& entry);
std::vector<LogEntry> ParseLog(std::string_view lines);

// ASCII letters in any case; what member names and ProgIDs compare by.
bool SameName(vb::StringView a, vb::StringView b);

}  // namespace host::sim
