#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string_view>
#include <thread>

#include "host/sim/host.h"
#include "platform/vb/error.h"
#include "tests/unit/error_of.h"

namespace fs = std::filesystem;
using host::HostObject;
using host::Variant;
using host::sim::LogEntry;
using host::sim::State;
using host::sim::StateFile;
using host::sim::Value;

namespace {

State Demo() {
    State s;
    s.fields[27] = u"12 Main Street";
    s.fields[30] = u"Springfield";
    return s;
}

// The stand-in on a state in memory, as the program sees it.
struct Host {
    explicit Host(State initial = Demo())
        : file(StateFile::InMemory(std::move(initial))), automation(file), control(file) {}

    HostObject App() { return HostObject(automation.CreateObject(host::kAppProgId)); }
    HostObject Aux() { return HostObject(automation.CreateObject(host::kAuxCommandsProgId)); }
    HostObject ContactView() {
        HostObject app = App();
        app.Call(u"OpenFile", u"");
        HostObject views(app.Get(u"Views").AsObject());
        return HostObject(views.Call(u"Create", int16_t(1), u"CV").AsObject());
    }
    std::vector<LogEntry> Log() { return file->Read().log; }
    void Change(auto&& f) { file->Update(f); }

    std::shared_ptr<StateFile> file;
    host::sim::SimAutomation automation;
    host::sim::SimEventControl control;
};

// A fresh folder for state files.
class TempFolder {
public:
    TempFolder() : path_(fs::temp_directory_path() / ("brivane-hostsim-" + std::to_string(std::random_device{}()))) {
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    fs::path operator/(const char* name) const { return path_ / name; }

private:
    fs::path path_;
};

// ---- start-up ---------------------------------------------------------------------

struct Readiness {
    int32_t ready;
    bool unreachable;
};

Readiness Ask(Host& h) {
    return {h.control.CallId(host::kDispReady, {Variant(int32_t(0))}).AsInt32(),
            h.control.CallId(host::kDispUnreachable, {}).AsBool()};
}

TEST(HostSimStartUp, TheEventControlTellsTheThreeSituationsApart) {
    Host ready;
    EXPECT_EQ(Ask(ready).ready, 1);

    Host noDatabase;
    noDatabase.Change([](State& s) { s.databaseOpen = false; });
    EXPECT_EQ(Ask(noDatabase).ready, 0);
    EXPECT_FALSE(Ask(noDatabase).unreachable);

    Host unreachable;
    unreachable.Change([](State& s) { s.reachable = false; });
    EXPECT_EQ(Ask(unreachable).ready, 0);
    EXPECT_TRUE(Ask(unreachable).unreachable);

    // A host that does not run cannot be reached either.
    Host stopped;
    stopped.Change([](State& s) { s.running = s.databaseOpen = false; });
    EXPECT_EQ(Ask(stopped).ready, 0);
    EXPECT_TRUE(Ask(stopped).unreachable);
}

TEST(HostSimStartUp, EventControlAnswersWithTheDesignedTypesAndLogsTheArgumentType) {
    Host h;
    EXPECT_EQ(h.control.CallId(1, {Variant(int32_t(0))}).type(), Variant::Type::I4);
    EXPECT_EQ(h.control.CallId(3, {}).type(), Variant::Type::Bool);
    EXPECT_TRUE(h.control.CallId(2, {}).IsEmpty());
    auto log = h.Log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].object, u"event control");
    EXPECT_EQ(log[0].member, u"#1");
    EXPECT_EQ(log[0].args, std::vector<Value>{Value::I4(0)});
    EXPECT_EQ(log[2].member, u"#2");

    EXPECT_EQ(ErrorOf([&] { h.control.CallId(1, {}); }).number(), 449);
    EXPECT_EQ(ErrorOf([&] { h.control.CallId(3, {Variant(int32_t(0))}); }).number(), 450);
    EXPECT_EQ(ErrorOf([&] { h.control.CallId(9, {}); }).number(), vb::kObjectDoesntSupport);
}

TEST(HostSimStartUp, NothingCanBeCreatedWhileTheHostIsNotInstalled) {
    Host h;
    h.Change([](State& s) { s.installed = false; });
    EXPECT_EQ(ErrorOf([&] { h.App(); }).number(), vb::kCantCreateObject);
    EXPECT_EQ(ErrorOf([&] { h.Aux(); }).number(), vb::kCantCreateObject);
    EXPECT_EQ(ErrorOf([&] { host::sim::CreateSimEventControl(h.file); }).number(), vb::kCantCreateObject);
    auto log = h.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].member, u"CreateObject");
    EXPECT_TRUE(log[0].outcome.failed);

    Host installed;
    EXPECT_EQ(ErrorOf([&] { installed.automation.CreateObject(u"ACTOLE.Elsewhere"); }).number(), vb::kCantCreateObject);
    EXPECT_NO_THROW(installed.automation.CreateObject(u"actole.appobject"));
    EXPECT_NE(host::sim::CreateSimEventControl(installed.file), nullptr);
}

// ---- the connection and the contact -------------------------------------------------

TEST(HostSimContact, ConnectingReadsFieldsAndLogsEveryCallWithItsTypes) {
    Host h;
    HostObject app = h.App();
    app.Call(u"OpenFile", u"");
    HostObject views(app.Get(u"Views").AsObject());
    HostObject contact(views.Call(u"Create", int16_t(1), u"CV").AsObject());
    EXPECT_EQ(contact.Call(u"GetField", int16_t(27)).AsString(), u"12 Main Street");
    EXPECT_EQ(contact.Call(u"getfield", int16_t(30)).AsString(), u"Springfield");
    Variant unset = contact.Call(u"GetField", int16_t(33));
    EXPECT_EQ(unset.type(), Variant::Type::String);
    EXPECT_EQ(unset.text(), u"");

    auto log = h.Log();
    ASSERT_EQ(log.size(), 7u);
    auto call = [&](size_t i) { return log[i].object + u"." + log[i].member; };
    EXPECT_EQ(call(0), u"automation.CreateObject");
    EXPECT_EQ(log[0].args, std::vector<Value>{Value::Text(u"ACTOLE.APPOBJECT")});
    EXPECT_EQ(log[0].outcome.result, Value::Object(u"application"));
    EXPECT_EQ(call(1), u"application.OpenFile");
    EXPECT_EQ(log[1].args, std::vector<Value>{Value::Text(u"")});
    EXPECT_EQ(call(2), u"application.Views");
    EXPECT_EQ(call(3), u"views.Create");
    EXPECT_EQ(log[3].args, (std::vector<Value>{Value::I2(1), Value::Text(u"CV")}));
    EXPECT_EQ(call(4), u"contact view.GetField");
    EXPECT_EQ(log[4].args, std::vector<Value>{Value::I2(27)});
    EXPECT_EQ(log[4].outcome.result, Value::Text(u"12 Main Street"));
    EXPECT_EQ(call(5), u"contact view.GetField");  // the canonical name, whatever the caller's case
}

TEST(HostSimContact, WrongArgumentsFailAsARealServerWould) {
    Host h;
    HostObject contact = h.ContactView();
    EXPECT_EQ(ErrorOf([&] { contact.Call(u"GetField"); }).number(), 449);
    EXPECT_EQ(ErrorOf([&] { contact.Call(u"GetField", int16_t(1), int16_t(2)); }).number(), 450);
    EXPECT_EQ(ErrorOf([&] { contact.Call(u"GetField", u"street"); }).number(), vb::kTypeMismatch);
    EXPECT_EQ(ErrorOf([&] { contact.Call(u"GetField", int32_t(70000)); }).number(), vb::kOverflow);
    // A server coerces what it can: an I4 serves as an I2, and the log keeps the I4.
    EXPECT_EQ(contact.Call(u"GetField", int32_t(27)).AsString(), u"12 Main Street");
    EXPECT_EQ(h.Log().back().args, std::vector<Value>{Value::I4(27)});

    vb::Error other = ErrorOf([&] { HostObject(h.App().Get(u"Views").AsObject()).Call(u"Create", int16_t(2), u"CV"); });
    EXPECT_EQ(other.number(), vb::kInvalidProcedureCall);
    EXPECT_NE(other.description().find(u"no view 2"), vb::String::npos);
}

TEST(HostSimContact, UnknownMembersRaise438AndAreLogged) {
    Host h;
    HostObject app = h.App();
    vb::Error e = ErrorOf([&] { app.Call(u"Quit"); });
    EXPECT_EQ(e.number(), vb::kObjectDoesntSupport);
    EXPECT_EQ(e.description(), u"Object doesn't support this property or method");
    EXPECT_EQ(ErrorOf([&] { app.CallId(7); }).number(), vb::kObjectDoesntSupport);
    EXPECT_EQ(h.Log().back().member, u"Quit");
    EXPECT_EQ(h.Log().back().outcome.errorNumber, vb::kObjectDoesntSupport);
}

// ---- quitting and the restart ---------------------------------------------------------

TEST(HostSimRestart, Command150QuitsAndOpeningTheDatabaseStartsTheHostAgain) {
    Host h;
    HostObject app = h.App();
    HostObject contact = h.ContactView();
    EXPECT_EQ(app.Call(u"GetOpenDBName").AsString(), u"C:\\Contacts\\Demo.dbf");

    app.Call(u"Command", int16_t(42));  // any other command leaves it running
    EXPECT_TRUE(h.file->Read().running);
    app.Call(u"Command", int16_t(150));
    EXPECT_FALSE(h.file->Read().running);
    vb::Error e = ErrorOf([&] { contact.Call(u"GetField", int16_t(27)); });
    EXPECT_EQ(e.number(), vb::kAutomationError);
    EXPECT_EQ(e.description(), u"The host is not running");
    EXPECT_EQ(ErrorOf([&] { app.Call(u"GetOpenDBName"); }).number(), vb::kAutomationError);
    EXPECT_EQ(Ask(h).ready, 0);
    EXPECT_TRUE(Ask(h).unreachable);

    host::sim::Open(*h.file, u"D:\\Other \u00e9\\Sales.dbf");
    EXPECT_EQ(Ask(h).ready, 1);
    EXPECT_EQ(h.App().Call(u"GetOpenDBName").AsString(), u"D:\\Other \u00e9\\Sales.dbf");
    EXPECT_EQ(contact.Call(u"GetField", int16_t(27)).AsString(), u"12 Main Street");
    bool opened = false;
    for (const LogEntry& entry : h.Log())
        opened |= entry.object == u"host" && entry.member == u"Open" &&
                  entry.args == std::vector<Value>{Value::Text(u"D:\\Other \u00e9\\Sales.dbf")};
    EXPECT_TRUE(opened);
}

// A host whose process is gone answers through none of the objects it made
// (as a disconnected server), not even once it runs again; calls on them
// never reach it. The event control, part of the program, tells it is gone.
TEST(HostSimRestart, AVanishedHostCutsOffItsObjectsForGood) {
    Host h;
    HostObject app = h.App();
    HostObject contact = h.ContactView();
    host::sim::Vanish(*h.file);
    size_t logged = h.Log().size();
    vb::Error e = ErrorOf([&] { contact.Call(u"GetField", int16_t(27)); });
    EXPECT_EQ(e.number(), 462);
    EXPECT_EQ(e.description(), u"The remote server machine does not exist or is unavailable");
    EXPECT_EQ(ErrorOf([&] { app.Call(u"GetOpenDBName"); }).number(), 462);
    EXPECT_EQ(h.Log().size(), logged);
    EXPECT_EQ(Ask(h).ready, 0);
    EXPECT_TRUE(Ask(h).unreachable);
    // An object made now reaches the host, which is not running.
    EXPECT_EQ(ErrorOf([&] { h.App().Call(u"GetOpenDBName"); }).description(), u"The host is not running");

    host::sim::Open(*h.file, u"C:\\Contacts\\Demo.dbf");
    EXPECT_EQ(ErrorOf([&] { contact.Call(u"GetField", int16_t(27)); }).number(), 462);
    EXPECT_EQ(h.ContactView().Call(u"GetField", int16_t(27)).AsString(), u"12 Main Street");
    EXPECT_EQ(h.file->Read().life, 2);
}

TEST(HostSimRestart, OpeningAnotherFileOrNoneAndReadingWithoutADatabase) {
    Host h;
    h.Change([](State& s) { s.databaseOpen = false; });
    HostObject app = h.App();
    EXPECT_EQ(app.Call(u"GetOpenDBName").AsString(), u"");
    HostObject contact = h.ContactView();  // OpenFile("") opens nothing
    EXPECT_EQ(ErrorOf([&] { contact.Call(u"GetField", int16_t(27)); }).description(), u"No database is open");
    app.Call(u"OpenFile", u"E:\\x.dbf");
    EXPECT_EQ(app.Call(u"GetOpenDBName").AsString(), u"E:\\x.dbf");
}

// ---- the launch command ------------------------------------------------------------------

std::vector<Variant> Definition(vb::StringView title) {
    return {Variant(vb::String(title)),
            u"C:\\Tools\\brivane.EXE",
            u"C:\\Tools",
            u"Brivane!",
            u"click to launch Brivane!",
            u"C:\\Tools\\brivane.ico",
            u"C:\\Tools\\brivane32.ico",
            Variant(int16_t(1))};
}

Variant Define(HostObject& aux, vb::StringView title) {
    auto a = Definition(title);
    return aux.Call(u"AddAuxCommand", a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
}

TEST(HostSimAuxCommands, DefiningAndPlacingTheCommand) {
    Host h;
    HostObject aux = h.Aux();
    EXPECT_EQ(aux.Call(u"AuxCommandExists", u"brivane").AsInt32(), 0);
    // Placing a command the host does not know is refused.
    EXPECT_EQ(aux.Call(u"AddAuxCommandToToolbar", int16_t(1), u"brivane").AsInt32(), 1);

    Variant defined = Define(aux, u"brivane");
    EXPECT_EQ(defined.type(), Variant::Type::I4);
    EXPECT_EQ(defined.i4(), 0);
    Variant exists = aux.Call(u"AuxCommandExists", u"brivane");
    EXPECT_EQ(exists.type(), Variant::Type::I4);
    EXPECT_EQ(exists.i4(), 1);
    ASSERT_TRUE(h.file->Read().command);
    EXPECT_EQ(h.file->Read().command->icon32, u"C:\\Tools\\brivane32.ico");
    EXPECT_EQ(h.file->Read().command->flags, 1);

    EXPECT_EQ(aux.Call(u"AddAuxCommandToToolbar", int16_t(1), u"brivane").AsInt32(), 0);
    EXPECT_EQ(aux.Call(u"AddAuxCommandToToolbar", int16_t(1), u"brivane").AsInt32(), 0);  // again is fine
    EXPECT_EQ(aux.Call(u"AddAuxCommandToToolsMenu", int16_t(3), u"brivane").AsInt32(), 0);
    Variant inToolbar = aux.Call(u"AuxCommandExistsInToolbar", int16_t(1), u"brivane");
    EXPECT_EQ(inToolbar.type(), Variant::Type::I2);
    EXPECT_EQ(inToolbar.i2(), 1);
    EXPECT_EQ(aux.Call(u"AuxCommandExistsInToolsMenu", int16_t(1), u"brivane").AsInt32(), 0);
    EXPECT_EQ(aux.Call(u"AuxCommandExistsInToolsMenu", int16_t(3), u"brivane").AsInt32(), 1);
    EXPECT_EQ(aux.Call(u"AuxCommandExistsInToolbar", int16_t(1), u"other").AsInt32(), 0);
    EXPECT_EQ(h.file->Read().toolbar, std::set<int16_t>{1});
    EXPECT_EQ(h.file->Read().menu, std::set<int16_t>{3});

    EXPECT_EQ(aux.Call(u"RemoveAuxCommandFromToolbar", int16_t(1), u"brivane").AsInt32(), 0);
    EXPECT_EQ(aux.Call(u"RemoveAuxCommandFromToolbar", int16_t(1), u"brivane").AsInt32(), 0);
    EXPECT_EQ(aux.Call(u"RemoveAuxCommandFromToolsMenu", int16_t(3), u"brivane").AsInt32(), 0);
    EXPECT_TRUE(h.file->Read().toolbar.empty());
    EXPECT_TRUE(h.file->Read().menu.empty());
    EXPECT_EQ(aux.Call(u"AuxCommandExists", u"brivane").AsInt32(), 1);  // removal keeps the definition

    // Views the host does not have are refused.
    EXPECT_EQ(aux.Call(u"AddAuxCommandToToolbar", int16_t(7), u"brivane").AsInt32(), 1);
    EXPECT_EQ(aux.Call(u"RemoveAuxCommandFromToolsMenu", int16_t(0), u"brivane").AsInt32(), 1);

    // The log shows the view numbers as the caller typed them.
    bool sawOtherType = false;
    for (const LogEntry& entry : h.Log())
        if (entry.member.starts_with(u"AddAuxCommandTo") || entry.member.starts_with(u"AuxCommandExistsIn"))
            sawOtherType |= entry.args.at(0).type != Variant::Type::I2;
    EXPECT_FALSE(sawOtherType);
}

TEST(HostSimAuxCommands, ADefinitionWithAnotherTitleReplacesTheOldWithItsPlacements) {
    Host h;
    HostObject aux = h.Aux();
    Define(aux, u"brivane");
    aux.Call(u"AddAuxCommandToToolbar", int16_t(2), u"brivane");
    Define(aux, u"renamed");
    EXPECT_EQ(aux.Call(u"AuxCommandExists", u"brivane").AsInt32(), 0);
    EXPECT_TRUE(h.file->Read().toolbar.empty());
}

TEST(HostSimAuxCommands, DefinitionArgumentsAreChecked) {
    Host h;
    HostObject aux = h.Aux();
    auto a = Definition(u"brivane");
    EXPECT_EQ(ErrorOf([&] { aux.Call(u"AddAuxCommand", a[0], a[1], a[2], a[3], a[4], a[5], a[6]); }).number(), 449);
    EXPECT_EQ(
        ErrorOf([&] { aux.Call(u"AddAuxCommand", a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[7]); }).number(),
        450);
    EXPECT_EQ(ErrorOf([&] { aux.Call(u"AddAuxCommand", a[0], a[1], a[2], a[3], a[4], a[5], a[6], u"one"); }).number(),
              vb::kTypeMismatch);
    EXPECT_EQ(ErrorOf([&] { aux.Call(u"AuxCommandExistsInToolbar", u"x", u"brivane"); }).number(), vb::kTypeMismatch);
    EXPECT_FALSE(h.file->Read().command);  // a failed call changes nothing
}

// ---- scripts -------------------------------------------------------------------------------

TEST(HostSimScripts, AScriptedFaultOrResultOverridesAnyMember) {
    Host h;
    HostObject contact = h.ContactView();
    h.Change([](State& s) {
        s.SetScript({u"GETFIELD", host::sim::Outcome::Error(-2147417848, u"The object invoked has disconnected")});
    });
    vb::Error e = ErrorOf([&] { contact.Call(u"GetField", int16_t(27)); });
    EXPECT_EQ(e.number(), -2147417848);
    EXPECT_EQ(e.description(), u"The object invoked has disconnected");
    EXPECT_TRUE(h.Log().back().scripted);

    // Replacing the script; results of any type, even for unknown members,
    // and on a host that is not running.
    h.Change([](State& s) {
        s.SetScript({u"GetField", host::sim::Outcome::Result(Value::I4(-1))});
        s.SetScript({u"NoSuchMember", host::sim::Outcome::Result(Value::Bool(true))});
        s.SetScript({u"#1", host::sim::Outcome::Result(Value::I4(5))});
        s.running = false;
    });
    Variant field = contact.Call(u"GetField", int16_t(27));
    EXPECT_EQ(field.type(), Variant::Type::I4);
    EXPECT_EQ(field.i4(), -1);
    EXPECT_TRUE(contact.Call(u"NoSuchMember").boolean());
    EXPECT_EQ(h.control.CallId(1, {Variant(int32_t(0))}).AsInt32(), 5);
    EXPECT_EQ(h.file->Read().scripts.size(), 3u);
}

TEST(HostSimScripts, AScriptForSomeCallsAnswersThatManyThenTheMemberAgain) {
    Host h;
    HostObject aux = h.Aux();
    h.Change([](State& s) {
        host::sim::Script script{u"AuxCommandExists", host::sim::Outcome::Result(Value::I4(7))};
        script.times = 2;
        s.SetScript(script);
    });
    EXPECT_EQ(aux.Call(u"AuxCommandExists", u"brivane").AsInt32(), 7);
    EXPECT_EQ(h.file->Read().scripts.at(0).times, 1);
    EXPECT_EQ(aux.Call(u"AuxCommandExists", u"brivane").AsInt32(), 7);
    EXPECT_EQ(aux.Call(u"AuxCommandExists", u"brivane").AsInt32(), 0);
    EXPECT_TRUE(h.file->Read().scripts.empty());
    EXPECT_FALSE(h.Log().back().scripted);
}

// ---- events --------------------------------------------------------------------------------

TEST(HostSimEvents, PendingEventsReachTheHandlersOnceInOrderEachInsideItsRaise) {
    TempFolder folder;
    auto file = StateFile::At(folder / "state.txt");
    host::sim::SimEventControl control(file);
    std::vector<vb::String> seen;
    auto logged = [&] { return file->Read().log.size(); };
    control.onHostEventA = [&] {
        control.CallId(host::kDispAcknowledge, {});  // the handler calls back, as the main window does
        seen.push_back(u"A after " + vb::FromAscii(std::to_string(logged())));
    };
    control.onHostEventB = [&](const Variant& argument) { seen.push_back(u"B:" + argument.AsString()); };
    EXPECT_EQ(control.RaisePending(), 0);

    file->Update([](State& s) {
        s.events.push_back({u'B', Value::Text(u"closing")});
        s.events.push_back({u'A'});
        s.events.push_back({u'B'});
    });
    EXPECT_EQ(control.RaisePending(), 3);
    // A's handler ran after its begin and its acknowledgement, before its end.
    EXPECT_EQ(seen, (std::vector<vb::String>{u"B:closing", u"A after 4", u"B:"}));
    EXPECT_EQ(control.RaisePending(), 0);
    EXPECT_TRUE(file->Read().events.empty());

    using Mark = LogEntry::Mark;
    std::vector<std::pair<Mark, int32_t>> marks;
    for (const LogEntry& entry : file->Read().log) marks.push_back({entry.mark, entry.eventId});
    EXPECT_EQ(marks, (std::vector<std::pair<Mark, int32_t>>{{Mark::EventBegin, 14},
                                                            {Mark::EventEnd, 14},
                                                            {Mark::EventBegin, 2},
                                                            {Mark::Call, 0},
                                                            {Mark::EventEnd, 2},
                                                            {Mark::EventBegin, 14},
                                                            {Mark::EventEnd, 14}}));
    EXPECT_EQ(file->Read().log[3].member, u"#2");
}

// The log's lines from the `from`-th on, as the command line prints them.
std::vector<std::string> LogLines(StateFile& file, size_t from = 0) {
    std::vector<std::string> lines;
    auto log = file.Read().log;
    for (size_t i = from; i < log.size(); ++i) {
        std::string line = host::sim::FormatLogEntry(log[i]);
        line.pop_back();
        std::replace(line.begin(), line.end(), '\t', ' ');
        lines.push_back(line);
    }
    return lines;
}

// A handler that destroys the control that raised its event, as a program
// does that releases the control of the window the handler closed.
class DestroyedInsideTheRaise : public testing::TestWithParam<bool> {};

TEST_P(DestroyedInsideTheRaise, TheRestIsRaisedToNobodyAndAHarshControlLogsTheFault) {
    bool harsh = GetParam();
    State initial;
    initial.harsh = harsh;
    auto file = StateFile::InMemory(initial);
    auto control = std::make_unique<host::sim::SimEventControl>(file);
    host::sim::SimEventControl* raising = control.get();
    int handled = 0;
    // The handler is the control's own: nothing of it is used once the
    // control is gone.
    control->onHostEventA = [&] {
        ++handled;
        control->CallId(host::kDispAcknowledge, {});
        control.reset();
    };
    file->Update([](State& s) { s.events = {{u'A'}, {u'A'}}; });
    EXPECT_EQ(raising->RaisePending(), 2);
    EXPECT_EQ(handled, 1);
    std::vector<std::string> expected{"event 2 begin", "call event control #2 => Empty:"};
    if (harsh) expected.push_back("fault event control destroyed inside its own raise of event 2");
    expected.insert(expected.end(), {"event 2 end", "event 2 begin", "event 2 end"});
    EXPECT_EQ(LogLines(*file), expected);
}

INSTANTIATE_TEST_SUITE_P(HostSimEvents, DestroyedInsideTheRaise, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Harsh" : "Kind"; });

TEST(HostSimEvents, AControlDestroyedOutsideItsRaisesIsNoFault) {
    State initial;
    initial.harsh = true;
    auto file = StateFile::InMemory(initial);
    auto control = std::make_unique<host::sim::SimEventControl>(file);
    control->onHostEventA = [&] { control->CallId(host::kDispAcknowledge, {}); };
    file->Update([](State& s) { s.events = {{u'A'}}; });
    control->RaisePending();
    control.reset();
    EXPECT_EQ(LogLines(*file),
              (std::vector<std::string>{"event 2 begin", "call event control #2 => Empty:", "event 2 end"}));
}

// Events scripted for a member come from inside its next call, before it
// returns, from every event control alive; the others wait for the next look.
TEST(HostSimEvents, EventsScriptedForAMemberAreRaisedInsideItsNextCall) {
    Host h;
    HostObject contact = h.ContactView();
    std::vector<std::string> seen;
    h.control.onHostEventA = [&] { seen.push_back("A"); };
    h.control.onHostEventB = [&](const Variant& v) { seen.push_back("B " + vb::ToUtf8(v.AsString())); };
    h.Change([](State& s) {
        s.events = {{u'A', std::nullopt, u"getfield"},
                    {u'B', Value::Text(u"x"), u"GetField"},
                    {u'A'},
                    {u'B', std::nullopt, u"Advise"}};
    });
    size_t before = h.Log().size();
    EXPECT_EQ(contact.Call(u"GetField", int16_t(27)).AsString(), u"12 Main Street");
    EXPECT_EQ(seen, (std::vector<std::string>{"A", "B x"}));
    EXPECT_EQ(LogLines(*h.file, before),
              (std::vector<std::string>{"call contact view GetField I2:27 => Text:12 Main Street", "event 2 begin",
                                        "event 2 end", "event 14 begin", "event 14 end"}));
    contact.Call(u"GetField", int16_t(30));
    EXPECT_EQ(seen.size(), 2u) << "once only";
    // The one for the next look, and the one for the server's Advise, wait.
    EXPECT_EQ(h.file->Read().events.size(), 2u);
    EXPECT_EQ(h.control.RaisePending(), 1);
    EXPECT_EQ(seen.back(), "A");
    EXPECT_EQ(h.file->Read().events.size(), 1u);
}

TEST(HostSimEvents, EventsGoOutByTheirDispatchIds) {
    auto file = StateFile::InMemory();
    file->Update([](State& s) { s.events = {{u'A'}, {u'B', Value::I2(3)}}; });
    auto events = host::sim::TakePendingEvents(*file);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].dispatchId, 2);
    EXPECT_TRUE(events[0].args.empty());
    EXPECT_EQ(events[1].dispatchId, 14);
    EXPECT_EQ(events[1].args, std::vector<Variant>{Variant(int16_t(3))});
    EXPECT_TRUE(file->Read().log.empty()) << "an event is logged when it is raised, not when it is taken";
}

// ---- the state file --------------------------------------------------------------------------

State Hostile() {
    const vb::String texts[] = {
        u"",
        u"  blanks around  ",
        u"line\r\nbreak\rand\nmore\ttab",
        u"a=b==c; #not a comment [x]",
        u"100% %41 %u0041 %",
        u"\"quoted\" 'single' \\back\\slash\\",
        u"caf\u00e9 \U0001F600 \U00010348",
        vb::String(u"lone \xD800 high") + u" and low \xDC00 and nul " + vb::String(1, u'\0') + u"!",
        u"=> Error 5: not an outcome",
    };
    State s;
    s.installed = false;
    s.running = false;
    s.databaseOpen = false;
    s.reachable = false;
    s.harsh = true;
    s.life = 7;
    s.databasePath = texts[2];
    int16_t id = -3;
    for (const auto& t : texts) s.fields[id++] = t;
    s.fields[32767] = texts[6];
    s.command = host::sim::AuxCommand{texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6], -1};
    s.toolbar = {1, 6};
    s.menu = {2};
    s.scripts.push_back({texts[3], host::sim::Outcome::Error(-2147352567, texts[2]), 3});
    s.scripts.push_back({u"GetField", host::sim::Outcome::Result(Value::Text(texts[8]))});
    s.scripts.push_back({u"x", host::sim::Outcome::Result(Value::Empty())});
    s.events.push_back({u'A'});
    s.events.push_back({u'B', Value::Text(texts[7])});
    s.events.push_back({u'A', std::nullopt, u"Advise"});
    s.events.push_back({u'B', Value::Text(texts[2]), texts[5]});
    s.log.push_back({u"views",
                     u"Create",
                     {Value::I2(-32768), Value::Text(texts[4])},
                     host::sim::Outcome::Result(Value::Object(u"contact view"))});
    s.log.push_back({texts[1], texts[2], {}, host::sim::Outcome::Error(440, texts[8]), true});
    s.log.push_back({u"event control",
                     u"#3",
                     {Value::Bool(false), Value::I4(INT32_MIN)},
                     host::sim::Outcome::Result(Value::Bool(true))});
    s.log.push_back(LogEntry::Event(LogEntry::Mark::EventBegin, 14));
    s.log.push_back(LogEntry::Event(LogEntry::Mark::EventEnd, -7));
    s.log.push_back(LogEntry::Fault(u"event control", texts[2]));
    return s;
}

TEST(HostSimStateFile, EveryPartOfTheStateRoundTripsWhateverItsText) {
    State s = Hostile();
    std::string text = host::sim::FormatState(s);
    EXPECT_EQ(host::sim::ParseState(text), s);
    // Every record stays on its line.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + 7 + 10 + 1 + 3 + 3 + 4 + 6);

    TempFolder folder;
    auto file = StateFile::At(folder / "state.txt");
    file->Write(s);
    EXPECT_EQ(StateFile::At(folder / "state.txt")->Read(), s);
}

TEST(HostSimStateFile, AMissingOrCorruptFileReadsAsTheDefaultState) {
    TempFolder folder;
    EXPECT_EQ(StateFile::At(folder / "missing.txt")->Read(), State());

    auto write = [&](const char* name, std::string_view bytes) {
        std::ofstream(folder / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return StateFile::At(folder / name);
    };
    EXPECT_EQ(write("junk.txt", std::string("\x00\xFF\xFE garbage\n\t\t=>\n", 17))->Read(), State());
    EXPECT_EQ(write("other.txt", "brivane-hostsim-state\t2\nrunning\tno\n")->Read(), State());

    // Behind a good header, bad lines are skipped and the rest is kept;
    // CR LF line ends and a byte-order mark are fine.
    auto mixed = write("mixed.txt",
                       "\xEF\xBB\xBF"
                       "brivane-hostsim-state\t1\r\n"
                       "running\tmaybe\r\n"
                       "life\t0\n"
                       "field\t27\tgood %0D%0A\r\n"
                       "field\tx\tbad id\n"
                       "field\t28\tbad %G1 escape\n"
                       "field\t29\ttoo\tmany\n"
                       "placement\tdesk\t1\n"
                       "script\tGetField\t0\t=> I4:1\n"
                       "script\tGetField\tevery\t=> I9:1\n"
                       "call\tapp\tX\tI2:99999\t=> Empty:\n"
                       "event\tC\n"
                       "event\t2\tmiddle\n"
                       "event\tx\tbegin\n"
                       "# a comment\n"
                       "\n"
                       "future\trecord\n"
                       "database\tclosed\n"
                       "\xC3\x28\tinvalid UTF-8\n");
    State expected;
    expected.fields[27] = u"good \r\n";
    expected.databaseOpen = false;
    EXPECT_EQ(mixed->Read(), expected);

    // A corrupt file is simply replaced by the next change.
    auto junk = StateFile::At(folder / "junk.txt");
    junk->Update([](State& s) { s.fields[1] = u"x"; });
    EXPECT_EQ(junk->Read().fields.at(1), u"x");
}

TEST(HostSimStateFile, ValuesReadBackOnlyWhenTheyFitTheirType) {
    using host::sim::ParseValue;
    EXPECT_EQ(ParseValue(u"i2:-32768"), Value::I2(-32768));
    EXPECT_EQ(ParseValue(u"text:a:b"), Value::Text(u"a:b"));
    EXPECT_EQ(ParseValue(u"BOOL:true"), Value::Bool(true));
    EXPECT_EQ(ParseValue(u"Empty"), Value::Empty());
    EXPECT_FALSE(ParseValue(u"I2:32768"));
    EXPECT_FALSE(ParseValue(u"I4:1.5"));
    EXPECT_FALSE(ParseValue(u"I4:"));
    EXPECT_FALSE(ParseValue(u"Bool:yes"));
    EXPECT_FALSE(ParseValue(u"Empty:x"));
    EXPECT_FALSE(ParseValue(u"Double:1"));
    EXPECT_EQ(host::sim::FormatValue(Value::Of(Variant::Bool(false))), u"Bool:False");
}

TEST(HostSimStateFile, TwoWritersNeverLoseEachOthersChanges) {
    TempFolder folder;
    // Two handles on one file stand for the program and the command line.
    auto program = StateFile::At(folder / "state.txt");
    auto commandLine = StateFile::At(folder / "state.txt");

    // Each handle reads what the other wrote, at once.
    host::sim::SimAutomation automation(program);
    HostObject app(automation.CreateObject(host::kAppProgId));
    host::sim::Open(*commandLine, u"C:\\New.dbf");
    EXPECT_EQ(app.Call(u"GetOpenDBName").AsString(), u"C:\\New.dbf");
    EXPECT_EQ(commandLine->Read().log.size(), 3u);

    constexpr int kEach = 60;
    auto writer = [](std::shared_ptr<StateFile> file, int16_t first) {
        for (int16_t i = 0; i < kEach; ++i) file->Update([&](State& s) { s.fields[int16_t(first + i)] = u"x"; });
    };
    std::thread a(writer, program, int16_t(1000));
    std::thread b(writer, commandLine, int16_t(2000));
    a.join();
    b.join();
    EXPECT_EQ(program->Read().fields.size(), 2u * kEach);
}

std::string FileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// What the program does at a start and a press, then Integrate's first tick,
// the host's quit, a script used up and an event raised: the same calls on a
// state in memory and on one in files give the same state and log.
void Session(std::shared_ptr<StateFile> file) {
    host::sim::SimAutomation automation(file);
    host::sim::SimEventControl control(file);
    control.onHostEventA = [&] { control.CallId(host::kDispAcknowledge, {}); };
    control.CallId(host::kDispReady, {Variant(int32_t(0))});
    HostObject app(automation.CreateObject(host::kAppProgId));
    app.Call(u"OpenFile", u"");
    HostObject views(app.Get(u"Views").AsObject());
    HostObject contact(views.Call(u"Create", int16_t(1), u"CV").AsObject());
    for (int16_t id : {27, 30, 32, 33}) contact.Call(u"GetField", id);
    HostObject aux(automation.CreateObject(host::kAuxCommandsProgId));
    aux.Call(u"AddAuxCommand", u"brivane", u"x.exe", u"C:\\", u"&Brivane!", u"tip", u"a.ico", u"b.ico", int16_t(0));
    aux.Call(u"AddAuxCommandToToolbar", int16_t(2), u"brivane");
    file->Update([](State& s) { s.SetScript({u"GetField", host::sim::Outcome::Result(Value::Text(u"x")), 1}); });
    contact.Call(u"GetField", int16_t(27));
    contact.Call(u"GetField", int16_t(27));
    file->Update([](State& s) { s.events.push_back({u'A'}); });
    control.RaisePending();
    app.Call(u"Command", int16_t(150));
}

TEST(HostSimStateFile, StateAndLogInFilesAreWhatTheyAreInMemory) {
    TempFolder folder;
    auto memory = StateFile::InMemory(Demo());
    auto files = StateFile::At(folder / "state.txt");
    files->Write(Demo());
    Session(memory);
    Session(files);
    State expected = memory->Read();
    EXPECT_EQ(expected.log.size(), 18u);
    EXPECT_FALSE(expected.running);
    // Through the handle that made the calls and through a fresh one, as the
    // command line reads it.
    EXPECT_EQ(files->Read(), expected);
    EXPECT_EQ(StateFile::At(folder / "state.txt")->Read(), expected);
    EXPECT_EQ(host::sim::FormatState(StateFile::At(folder / "state.txt")->Read()), host::sim::FormatState(expected));
    State withoutLog = expected;
    withoutLog.log.clear();
    EXPECT_EQ(files->ReadWithoutLog(), withoutLog);
    EXPECT_EQ(memory->ReadWithoutLog(), withoutLog);
}

TEST(HostSimStateFile, CallsThatChangeNothingButTheLogAppendAndLeaveTheStateFileAlone) {
    TempFolder folder;
    auto file = StateFile::At(folder / "state.txt");
    file->Write(Demo());
    host::sim::SimAutomation automation(file);
    HostObject app(automation.CreateObject(host::kAppProgId));
    // A line no save would write: it stays as long as nothing rewrites the file.
    std::ofstream(folder / "state.txt", std::ios::binary | std::ios::app) << "# untouched\n";
    std::string log = FileText(folder / "state.txt.log");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);

    app.Call(u"GetOpenDBName");
    app.Call(u"OpenFile", u"");
    EXPECT_NE(FileText(folder / "state.txt").find("# untouched"), std::string::npos);
    std::string longer = FileText(folder / "state.txt.log");
    EXPECT_EQ(longer.substr(0, log.size()), log) << "earlier lines are never rewritten";
    EXPECT_EQ(longer.substr(log.size()),
              "call\tapplication\tGetOpenDBName\t=> Text:C:\\Contacts\\Demo.dbf\n"
              "call\tapplication\tOpenFile\tText:\t=> Empty:\n");

    // A call that changes the state saves it.
    app.Call(u"Command", int16_t(150));
    EXPECT_EQ(FileText(folder / "state.txt").find("# untouched"), std::string::npos);
    EXPECT_EQ(StateFile::At(folder / "state.txt")->Read().running, false);

    // A fresh state starts its log afresh.
    file->Write(Demo());
    EXPECT_EQ(FileText(folder / "state.txt.log"), "");
    EXPECT_TRUE(StateFile::At(folder / "state.txt")->Read().log.empty());
}

TEST(HostSimStateFile, AHandleHoldingTheStateSeesEveryChangeOfAnotherHandle) {
    TempFolder folder;
    auto program = StateFile::At(folder / "state.txt");
    auto commandLine = StateFile::At(folder / "state.txt");
    commandLine->Write(Demo());
    host::sim::SimAutomation automation(program);
    HostObject app(automation.CreateObject(host::kAppProgId));
    HostObject views(app.Get(u"Views").AsObject());
    HostObject contact(views.Call(u"Create", int16_t(1), u"CV").AsObject());
    // Changes of the same size, one after the other at once: no clock or
    // length of the file tells them apart, the count of changes does.
    for (char16_t c : std::u16string_view(u"abcdef")) {
        commandLine->Update([&](State& s) { s.fields[27] = vb::String(1, c); });
        EXPECT_EQ(contact.Call(u"GetField", int16_t(27)).AsString(), vb::String(1, c));
    }
    commandLine->Update([](State& s) { s.SetScript({u"GetField", host::sim::Outcome::Error(440, u"busy"), 2}); });
    EXPECT_EQ(ErrorOf([&] { contact.Call(u"GetField", int16_t(27)); }).number(), 440);
    EXPECT_EQ(commandLine->ReadWithoutLog().scripts.at(0).times, 1);
    EXPECT_EQ(ErrorOf([&] { contact.Call(u"GetField", int16_t(27)); }).number(), 440);
    EXPECT_EQ(contact.Call(u"GetField", int16_t(27)).AsString(), u"f");
    host::sim::Vanish(*commandLine);
    EXPECT_EQ(ErrorOf([&] { app.Call(u"GetOpenDBName"); }).number(), host::sim::kServerUnavailable);
    // Both handles logged into the one log, in the order of the calls.
    auto log = commandLine->Read().log;
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().member, u"Vanish");
    EXPECT_EQ(log[log.size() - 2].outcome.result, Value::Text(u"f"));
}

TEST(HostSimStateFile, AStateThatCannotBeSavedFailsTheCallWithError75) {
    TempFolder folder;
    auto file = StateFile::At(folder / "no such folder" / "state.txt");
    host::sim::SimAutomation automation(file);
    vb::Error e = ErrorOf([&] { automation.CreateObject(host::kAppProgId); });
    EXPECT_EQ(e.number(), vb::kPathFileAccessError);
    EXPECT_NE(e.description().find(u"state.txt"), vb::String::npos);
}

TEST(HostSimStateFile, TheLogKeepsTheLatestCalls) {
    State s;
    for (size_t i = 0; i < State::kLogLimit + 5; ++i) s.Record({u"o", vb::FromAscii(std::to_string(i))});
    EXPECT_EQ(s.log.size(), State::kLogLimit);
    EXPECT_EQ(s.log.front().member, u"5");
}

}  // namespace
