#include "host/sim/state.h"

#include <charconv>
#include <cstdint>
#include <functional>

#include "host/sim/field_text.h"

namespace host::sim {

namespace {

constexpr std::string_view kHeader = "brivane-hostsim-state\t1";

template <class Int>
std::optional<Int> ParseInt(vb::StringView text) {
    std::string ascii;
    for (char16_t c : text) {
        if (c > 0x7F) return std::nullopt;
        ascii += static_cast<char>(c);
    }
    Int value{};
    auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error != std::errc() || end != ascii.data() + ascii.size() || ascii.empty()) return std::nullopt;
    return value;
}

vb::String Decimal(int64_t number) { return vb::FromAscii(std::to_string(number)); }

struct TypeName {
    Variant::Type type;
    const char16_t* name;
};
constexpr TypeName kTypeNames[] = {
    {Variant::Type::Empty, u"Empty"}, {Variant::Type::I2, u"I2"},       {Variant::Type::I4, u"I4"},
    {Variant::Type::Bool, u"Bool"},   {Variant::Type::String, u"Text"}, {Variant::Type::Object, u"Object"},
};

vb::String FormatOutcome(const Outcome& outcome, bool scripted) {
    vb::String out = u"=> ";
    if (scripted) out += u"scripted ";
    if (outcome.failed) return out + u"Error " + Decimal(outcome.errorNumber) + u": " + outcome.errorText;
    return out + FormatValue(outcome.result);
}

std::optional<Outcome> ParseOutcome(vb::StringView text, bool* scripted) {
    if (!text.starts_with(u"=> ")) return std::nullopt;
    text.remove_prefix(3);
    *scripted = text.starts_with(u"scripted ");
    if (*scripted) text.remove_prefix(9);
    if (text.starts_with(u"Error ")) {
        text.remove_prefix(6);
        size_t colon = text.find(u": ");
        if (colon == vb::StringView::npos) return std::nullopt;
        auto number = ParseInt<int32_t>(text.substr(0, colon));
        if (!number) return std::nullopt;
        return Outcome::Error(*number, vb::String(text.substr(colon + 2)));
    }
    auto value = ParseValue(text);
    if (!value) return std::nullopt;
    return Outcome::Result(*value);
}

// ---- writing ----------------------------------------------------------------

class Writer {
public:
    Writer& Field(vb::StringView text) {
        if (!line_.empty()) line_ += '\t';
        line_ += EscapeField(text);
        return *this;
    }
    Writer& Field(int64_t number) { return Field(Decimal(number)); }
    void End(std::string& out) {
        out += line_;
        out += '\n';
        line_.clear();
    }

private:
    std::string line_;
};

void WriteLogEntry(Writer& w, const LogEntry& entry) {
    if (entry.mark == LogEntry::Mark::Fault) {
        w.Field(u"fault").Field(entry.object).Field(entry.member);
        return;
    }
    if (entry.mark != LogEntry::Mark::Call) {
        w.Field(u"event").Field(entry.eventId).Field(entry.mark == LogEntry::Mark::EventBegin ? u"begin" : u"end");
        return;
    }
    w.Field(u"call").Field(entry.object).Field(entry.member);
    for (const Value& arg : entry.args) w.Field(FormatValue(arg));
    w.Field(FormatOutcome(entry.outcome, entry.scripted));
}

// ---- reading ----------------------------------------------------------------

using Fields = std::vector<vb::String>;

std::optional<bool> ParseWord(vb::StringView text, vb::StringView yes, vb::StringView no) {
    if (SameName(text, yes)) return true;
    if (SameName(text, no)) return false;
    return std::nullopt;
}

// A field that does not read as its record needs: the record is skipped.
struct Unreadable {};

// One record's fields, read by position.
class Record {
public:
    explicit Record(const Fields& fields) : f_(fields) {}

    size_t size() const { return f_.size(); }
    const vb::String& Text(size_t i) const { return f_[i]; }
    template <class Int>
    Int Number(size_t i) const {
        return Must(ParseInt<Int>(f_[i]));
    }
    bool Word(size_t i, vb::StringView yes, vb::StringView no) const { return Must(ParseWord(f_[i], yes, no)); }
    Value TypedValue(size_t i) const { return Must(ParseValue(f_[i])); }
    Outcome Answer(size_t i, bool& scripted) const { return Must(ParseOutcome(f_[i], &scripted)); }
    // An event's letter at `i`, and its argument after it if there is one.
    PendingEvent Pending(size_t i, vb::String during) const {
        const vb::String& kind = f_[i];
        char16_t letter = kind.size() == 1 ? vb::AsciiLower(kind[0]) : u'\0';
        PendingEvent event{letter == u'a' ? u'A' : letter == u'b' ? u'B' : u'\0'};
        if (!event.kind) throw Unreadable{};
        if (f_.size() > i + 1) event.argument = TypedValue(i + 1);
        event.during = std::move(during);
        return event;
    }

    template <class T>
    static T Must(std::optional<T> value) {
        if (!value) throw Unreadable{};
        return std::move(*value);
    }

private:
    const Fields& f_;
};

// Each kind of record: its first field, how many fields it has in all, and
// what it sets. A reader changes the state only once every field it needs
// has read; two kinds of one name are tried in turn.
struct RecordKind {
    const char16_t* name;
    size_t fewest;
    size_t most;
    void (*read)(const Record& r, State& s);
};

constexpr size_t kAny = SIZE_MAX;

const RecordKind kRecordKinds[] = {
    {u"installed", 2, 2, [](const Record& r, State& s) { s.installed = r.Word(1, u"yes", u"no"); }},
    {u"running", 2, 2, [](const Record& r, State& s) { s.running = r.Word(1, u"yes", u"no"); }},
    {u"database", 2, 2, [](const Record& r, State& s) { s.databaseOpen = r.Word(1, u"open", u"closed"); }},
    {u"reachable", 2, 2, [](const Record& r, State& s) { s.reachable = r.Word(1, u"yes", u"no"); }},
    {u"harsh", 2, 2, [](const Record& r, State& s) { s.harsh = r.Word(1, u"yes", u"no"); }},
    {u"life", 2, 2,
     [](const Record& r, State& s) {
         auto life = r.Number<int32_t>(1);
         if (life < 1) throw Unreadable{};
         s.life = life;
     }},
    {u"path", 2, 2, [](const Record& r, State& s) { s.databasePath = r.Text(1); }},
    {u"field", 3, 3, [](const Record& r, State& s) { s.fields[r.Number<int16_t>(1)] = r.Text(2); }},
    {u"command", 9, 9,
     [](const Record& r, State& s) {
         s.command = AuxCommand{r.Text(1), r.Text(2), r.Text(3), r.Text(4),
                                r.Text(5), r.Text(6), r.Text(7), r.Number<int16_t>(8)};
     }},
    {u"placement", 3, 3,
     [](const Record& r, State& s) {
         auto view = r.Number<int16_t>(2);
         std::set<int16_t>* views = r.Text(1) == u"toolbar" ? &s.toolbar : r.Text(1) == u"menu" ? &s.menu : nullptr;
         if (!views) throw Unreadable{};
         views->insert(view);
     }},
    {u"script", 4, 4,
     [](const Record& r, State& s) {
         Script script{r.Text(1)};
         if (r.Text(2) != u"every") {
             script.times = r.Number<int32_t>(2);
             if (script.times <= 0) throw Unreadable{};
         }
         bool scripted = false;
         script.answer = r.Answer(3, scripted);
         s.scripts.push_back(std::move(script));
     }},
    // A dispatch id and "begin" or "end": a raise in the log.
    {u"event", 3, 3,
     [](const Record& r, State& s) {
         auto id = r.Number<int32_t>(1);
         bool begin = r.Word(2, u"begin", u"end");
         s.Record(LogEntry::Event(begin ? LogEntry::Mark::EventBegin : LogEntry::Mark::EventEnd, id));
     }},
    // "A" or "B" and its argument, if any: an event still to raise.
    {u"event", 2, 3, [](const Record& r, State& s) { s.events.push_back(r.Pending(1, {})); }},
    // The same, to raise from inside a call of the member named first.
    {u"raise-in", 3, 4, [](const Record& r, State& s) { s.events.push_back(r.Pending(2, r.Text(1))); }},
    {u"fault", 3, 3, [](const Record& r, State& s) { s.Record(LogEntry::Fault(r.Text(1), r.Text(2))); }},
    {u"call", 4, kAny,
     [](const Record& r, State& s) {
         LogEntry entry{r.Text(1), r.Text(2)};
         for (size_t i = 3; i + 1 < r.size(); ++i) entry.args.push_back(r.TypedValue(i));
         entry.outcome = r.Answer(r.size() - 1, entry.scripted);
         s.Record(std::move(entry));
     }},
};

void ReadLine(const Fields& f, State& s) {
    Record record(f);
    for (const RecordKind& kind : kRecordKinds) {
        if (f[0] != kind.name || f.size() < kind.fewest || f.size() > kind.most) continue;
        try {
            kind.read(record, s);
            return;
        } catch (const Unreadable&) {
            // the next kind of this name, if any
        }
    }
}

}  // namespace

// ---- values -------------------------------------------------------------------

Value Value::I2(int16_t number) { return {Variant::Type::I2, Decimal(number)}; }
Value Value::I4(int32_t number) { return {Variant::Type::I4, Decimal(number)}; }
Value Value::Bool(bool value) { return {Variant::Type::Bool, value ? u"True" : u"False"}; }

Value Value::Of(const Variant& value) {
    switch (value.type()) {
    case Variant::Type::Empty:
        return Empty();
    case Variant::Type::I2:
        return I2(value.i2());
    case Variant::Type::I4:
        return I4(value.i4());
    case Variant::Type::Bool:
        return Bool(value.boolean());
    case Variant::Type::String:
        return Text(value.text());
    case Variant::Type::Object:
        break;
    }
    return Object({});
}

vb::String FormatValue(const Value& value) {
    for (const TypeName& t : kTypeNames)
        if (t.type == value.type) return vb::String(t.name) + u":" + value.text;
    return u"Empty:";
}

std::optional<Value> ParseValue(vb::StringView typed) {
    size_t colon = typed.find(u':');
    vb::StringView name = typed.substr(0, colon);
    vb::StringView text = colon == vb::StringView::npos ? vb::StringView() : typed.substr(colon + 1);
    for (const TypeName& t : kTypeNames) {
        if (!SameName(name, t.name)) continue;
        switch (t.type) {
        case Variant::Type::Empty:
            if (!text.empty()) return std::nullopt;
            return Value::Empty();
        case Variant::Type::I2:
            if (auto n = ParseInt<int16_t>(text)) return Value::I2(*n);
            return std::nullopt;
        case Variant::Type::I4:
            if (auto n = ParseInt<int32_t>(text)) return Value::I4(*n);
            return std::nullopt;
        case Variant::Type::Bool:
            if (auto b = ParseWord(text, u"true", u"false")) return Value::Bool(*b);
            return std::nullopt;
        case Variant::Type::String:
            return Value::Text(vb::String(text));
        case Variant::Type::Object:
            return Value::Object(vb::String(text));
        }
    }
    return std::nullopt;
}

// ---- the state ----------------------------------------------------------------

LogEntry LogEntry::Event(Mark mark, int32_t eventId) {
    LogEntry entry;
    entry.mark = mark;
    entry.eventId = eventId;
    return entry;
}

LogEntry LogEntry::Fault(vb::String object, vb::String what) {
    LogEntry entry{std::move(object), std::move(what)};
    entry.mark = Mark::Fault;
    return entry;
}

void State::Record(LogEntry entry) {
    if (log.size() >= kLogLimit)
        log.erase(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(log.size() - kLogLimit + 1));
    log.push_back(std::move(entry));
}

vb::String State::Field(int16_t id) const {
    auto it = fields.find(id);
    return it == fields.end() ? vb::String() : it->second;
}

Script* State::ScriptFor(vb::StringView member) {
    for (Script& script : scripts)
        if (script.times != 0 && SameName(script.member, member)) return &script;
    return nullptr;
}

void State::SetScript(Script script) {
    std::erase_if(scripts, [&](const Script& s) { return SameName(s.member, script.member); });
    scripts.push_back(std::move(script));
}

std::string FormatState(const State& s) {
    std::string out(kHeader);
    out += '\n';
    Writer w;
    w.Field(u"installed").Field(s.installed ? u"yes" : u"no").End(out);
    w.Field(u"running").Field(s.running ? u"yes" : u"no").End(out);
    w.Field(u"database").Field(s.databaseOpen ? u"open" : u"closed").End(out);
    w.Field(u"reachable").Field(s.reachable ? u"yes" : u"no").End(out);
    w.Field(u"harsh").Field(s.harsh ? u"yes" : u"no").End(out);
    w.Field(u"life").Field(s.life).End(out);
    w.Field(u"path").Field(s.databasePath).End(out);
    for (const auto& [id, text] : s.fields) w.Field(u"field").Field(id).Field(text).End(out);
    if (const auto& c = s.command) {
        w.Field(u"command").Field(c->title).Field(c->commandLine).Field(c->workingFolder).Field(c->menuText);
        w.Field(c->tooltip).Field(c->icon).Field(c->icon32).Field(c->flags).End(out);
    }
    for (int16_t view : s.toolbar) w.Field(u"placement").Field(u"toolbar").Field(view).End(out);
    for (int16_t view : s.menu) w.Field(u"placement").Field(u"menu").Field(view).End(out);
    for (const Script& script : s.scripts) {
        w.Field(u"script").Field(script.member);
        if (script.times == Script::kEvery) w.Field(u"every");
        else w.Field(script.times);
        w.Field(FormatOutcome(script.answer, false)).End(out);
    }
    for (const PendingEvent& event : s.events) {
        if (event.during.empty()) w.Field(u"event");
        else w.Field(u"raise-in").Field(event.during);
        w.Field(vb::String(1, event.kind));
        if (event.argument) w.Field(FormatValue(*event.argument));
        w.End(out);
    }
    for (const LogEntry& entry : s.log) {
        WriteLogEntry(w, entry);
        w.End(out);
    }
    return out;
}

std::string FormatLogEntry(const LogEntry& entry) {
    std::string out;
    Writer w;
    WriteLogEntry(w, entry);
    w.End(out);
    return out;
}

namespace {

// The records after the header, one a line, into `state`.
void ParseRecords(std::string_view text, State& state) {
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty() || line.starts_with('#')) continue;
        Fields fields;
        bool readable = true;
        for (std::string_view raw : SplitFields(line)) {
            auto field = UnescapeField(raw);
            if (!field) {
                readable = false;
                break;
            }
            fields.push_back(std::move(*field));
        }
        if (readable) ReadLine(fields, state);
    }
}

}  // namespace

State ParseState(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    size_t end = text.find('\n');
    std::string_view header = text.substr(0, end);
    if (header.ends_with('\r')) header.remove_suffix(1);
    if (header != kHeader) return State();
    State state;
    ParseRecords(end == std::string_view::npos ? std::string_view() : text.substr(end + 1), state);
    return state;
}

std::vector<LogEntry> ParseLog(std::string_view text) {
    State state;
    ParseRecords(text, state);
    return std::move(state.log);
}

bool SameName(vb::StringView a, vb::StringView b) { return vb::EqualsAsciiNoCase(a, b); }

}  // namespace host::sim
