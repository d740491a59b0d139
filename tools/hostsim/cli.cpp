#include "tools/hostsim/cli.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/sim/host.h"
#include "platform/program_info.h"
#include "platform/vb/error.h"

namespace hostsim {

namespace {

using host::sim::State;
using host::sim::StateFile;
using host::sim::Value;

constexpr const char* kUsage =
    "usage: hostsim [--state FILE] COMMAND\n"
    "  init [--not-installed] [--not-running] [--no-database] [--unreachable]\n"
    "       [--field ID=TEXT ...] [--db PATH]     a fresh host\n"
    "  set-field ID TEXT [ID TEXT ...]             fields of the current contact, in one change\n"
    "  script MEMBER (--error NUMBER TEXT | --result TYPE:VALUE) [--times N]\n"
    "                                              answer MEMBER so (TYPE: Text, I2, I4, Bool, Empty);\n"
    "                                              #1, #2, #3 are the event control's dispatch ids\n"
    "  raise A|B [ARG]                             an event for the program (A is event 2,\n"
    "                                              B event 14)\n"
    "  open DBPATH                                 the host starts with this database\n"
    "  vanish                                      the host's process is gone: not running, and\n"
    "                                              the objects made so far are cut off for good\n"
    "  show                                        the whole state\n"
    "  log                                         the calls the host received, and each\n"
    "                                              event raised as \"event N begin\" and\n"
    "                                              \"event N end\" around the calls inside it\n"
    "The state file is FILE, else $BRIVANE_HOSTSIM_STATE, else hostsim-state.txt\n"
    "beside this program.\n";

struct Usage {
    std::string message;
};

template <class Int>
Int Number(const vb::String& text, const char* what) {
    std::string ascii = vb::ToUtf8(text);
    Int value{};
    auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ascii.empty() || error != std::errc() || end != ascii.data() + ascii.size())
        throw Usage{std::string(what) + " must be a number in range: " + ascii};
    return value;
}

// The arguments of one command, taken from the front.
class Args {
public:
    Args(const std::vector<vb::String>& args, size_t from) : args_(args), next_(from) {}
    bool Done() const { return next_ >= args_.size(); }
    const vb::String& Peek() const { return args_[next_]; }
    const vb::String& Take(const char* what) {
        if (Done()) throw Usage{std::string("missing ") + what};
        return args_[next_++];
    }
    void End() const {
        if (!Done()) throw Usage{"unexpected argument: " + vb::ToUtf8(Peek())};
    }

private:
    const std::vector<vb::String>& args_;
    size_t next_;
};

void Init(Args& a, StateFile& file) {
    State s;
    while (!a.Done()) {
        vb::String option = a.Take("option");
        if (option == u"--not-installed") s.installed = false;
        else if (option == u"--not-running") s.running = s.databaseOpen = false;
        else if (option == u"--no-database") s.databaseOpen = false;
        else if (option == u"--unreachable") s.reachable = false;
        else if (option == u"--db") s.databasePath = a.Take("database path");
        else if (option == u"--field") {
            vb::String assignment = a.Take("ID=TEXT");
            size_t equals = assignment.find(u'=');
            if (equals == vb::String::npos) throw Usage{"--field needs ID=TEXT"};
            s.fields[Number<int16_t>(assignment.substr(0, equals), "field id")] = assignment.substr(equals + 1);
        } else {
            throw Usage{"unknown option for init: " + vb::ToUtf8(option)};
        }
    }
    file.Write(s);
}

// One change, so that the program never reads a contact half changed.
void SetField(Args& a, StateFile& file) {
    std::vector<std::pair<int16_t, vb::String>> fields;
    do {
        int16_t id = Number<int16_t>(a.Take("field id"), "field id");
        fields.emplace_back(id, a.Take("field text"));
    } while (!a.Done());
    file.Update([&](State& s) {
        for (auto& [id, text] : fields) s.fields[id] = text;
    });
}

void Script(Args& a, StateFile& file) {
    host::sim::Script script{a.Take("member")};
    bool answered = false;
    while (!a.Done()) {
        vb::String option = a.Take("option");
        if (option == u"--error" && !answered) {
            int32_t number = Number<int32_t>(a.Take("error number"), "error number");
            script.answer = host::sim::Outcome::Error(number, a.Take("error text"));
            answered = true;
        } else if (option == u"--result" && !answered) {
            vb::String typed = a.Take("TYPE:VALUE");
            auto value = host::sim::ParseValue(typed);
            if (!value || value->type == host::Variant::Type::Object)
                throw Usage{"--result needs TYPE:VALUE with TYPE Text, I2, I4, Bool or Empty: " + vb::ToUtf8(typed)};
            script.answer = host::sim::Outcome::Result(*value);
            answered = true;
        } else if (option == u"--times") {
            script.times = Number<int32_t>(a.Take("count"), "count");
            if (script.times <= 0) throw Usage{"--times needs a count above 0"};
        } else {
            throw Usage{"unexpected argument for script: " + vb::ToUtf8(option)};
        }
    }
    if (!answered) throw Usage{"script needs --error NUMBER TEXT or --result TYPE:VALUE"};
    file.Update([&](State& s) { s.SetScript(script); });
}

void Raise(Args& a, StateFile& file) {
    vb::String kind = a.Take("event A or B");
    if (kind == u"a" || kind == u"b") kind[0] = static_cast<char16_t>(kind[0] - u'a' + u'A');
    if (kind != u"A" && kind != u"B") throw Usage{"the event is A or B"};
    host::sim::PendingEvent event{kind[0]};
    if (!a.Done()) event.argument = Value::Text(a.Take("argument"));
    a.End();
    file.Update([&](State& s) { s.events.push_back(event); });
}

void Show(std::ostream& out, StateFile& file) {
    std::string text = host::sim::FormatState(file.Read());
    out << text.substr(text.find('\n') + 1);  // without the format's header
}

void Log(std::ostream& out, StateFile& file) {
    for (const auto& entry : file.Read().log) out << host::sim::FormatLogEntry(entry);
}

int Dispatch(const vb::String& command, Args& a, StateFile& file, std::ostream& out) {
    if (command == u"init") Init(a, file);
    else if (command == u"set-field") SetField(a, file);
    else if (command == u"script") Script(a, file);
    else if (command == u"raise") Raise(a, file);
    else if (command == u"open") {
        vb::String path = a.Take("database path");
        a.End();
        host::sim::Open(file, path);
    } else if (command == u"vanish") {
        a.End();
        host::sim::Vanish(file);
    } else if (command == u"show") {
        a.End();
        Show(out, file);
    } else if (command == u"log") {
        a.End();
        Log(out, file);
    } else {
        throw Usage{"unknown command: " + vb::ToUtf8(command)};
    }
    return kExitOk;
}

}  // namespace

int Run(const std::vector<vb::String>& args, std::ostream& out, std::ostream& err) {
    try {
        Args a(args, 0);
        std::optional<std::filesystem::path> statePath;
        if (!a.Done() && a.Peek() == u"--state") {
            a.Take("--state");
            statePath = std::filesystem::path(a.Take("state file"));
        }
        if (!a.Done() && (a.Peek() == u"--help" || a.Peek() == u"-h")) {
            out << kUsage;
            return kExitOk;
        }
        vb::String command = a.Take("command");
        if (!statePath) statePath = host::sim::DefaultStatePath(std::filesystem::path(platform::ExeFolder()).native());
        auto file = StateFile::At(*statePath);
        return Dispatch(command, a, *file, out);
    } catch (const Usage& usage) {
        err << "hostsim: " << usage.message << "\n" << kUsage;
        return kExitUsage;
    } catch (const vb::Error& error) {
        err << "hostsim: " << vb::ToUtf8(error.description()) << "\n";
        return kExitFailed;
    }
}

}  // namespace hostsim
