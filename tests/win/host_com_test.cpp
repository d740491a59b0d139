// The COM backend against the stand-in host registered in the test prefix as
// an in-process server (tools/hostsim/register, run by ctest first): objects
// created, called and listened to exactly as the program does, with the
// stand-in's log showing what reached it. Each test has a state file of its
// own, named to the server through the environment.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "host/automation.h"
#include "host/com/apartment.h"
#include "host/com/com_error.h"
#include "host/com/com_variant.h"
#include "host/com/dispatch_base.h"
#include "host/com/dispatch_object.h"
#include "host/com/event_sink.h"
#include "platform/win32/scoped.h"
#include "host/event_control.h"
#include "host/sim/host.h"
#include "platform/vb/error.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/win32/win32_backend.h"
#include "tests/unit/error_of.h"
#include "tests/win/real_windows.h"

namespace fs = std::filesystem;
using host::HostObject;
using host::Variant;
using host::sim::State;
using host::sim::StateFile;
using host::sim::Value;

namespace {

constexpr wchar_t kStateVariable[] = L"BRIVANE_HOSTSIM_STATE";

// Runs the thread's message loop until `done` or the time is up.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(2)) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

void Pump(std::chrono::milliseconds time) {
    PumpUntil([] { return false; }, time);
}

class HostCom : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = fs::temp_directory_path() / ("brivane-host-com-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(folder_);
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    HostCom() : path_(folder_ / ("state-" + std::to_string(++counter_) + ".txt")), file_(StateFile::At(path_)) {
        SetEnvironmentVariableW(kStateVariable, path_.c_str());
        State s;
        s.fields[27] = u"12 Main Street";
        s.fields[30] = u"Springfield";
        file_->Write(s);
    }
    ~HostCom() override { SetEnvironmentVariableW(kStateVariable, nullptr); }

    void SetUp() override {
        // Without the registration every test would fail the same way: say so once, clearly.
        CLSID clsid{};
        std::wstring progId(host::kAppProgId, host::kAppProgId + std::char_traits<char16_t>::length(host::kAppProgId));
        if (FAILED(CLSIDFromProgID(progId.c_str(), &clsid)))
            FAIL() << "the stand-in host is not registered in this prefix: run tools/hostsim/register first";
    }

    void Change(const std::function<void(State&)>& change) { file_->Update(change); }
    // A new state, its log empty.
    void Replace(const State& state) { file_->Write(state); }

    // The calls the stand-in received, one line each, fields apart by spaces.
    std::vector<std::string> Calls() {
        std::vector<std::string> lines;
        for (const auto& entry : file_->Read().log) {
            std::string line = host::sim::FormatLogEntry(entry);
            if (!line.empty() && line.back() == '\n') line.pop_back();
            for (char& c : line)
                if (c == '\t') c = ' ';
            lines.push_back(line);
        }
        return lines;
    }

    static HostObject App() { return host::CreateObject(host::kAppProgId); }

    static inline fs::path folder_;
    static inline std::atomic<int> counter_{0};
    host::com::Apartment apartment_;
    fs::path path_;
    std::shared_ptr<StateFile> file_;
};

// ---- the program's calls ---------------------------------------------------------------

TEST_F(HostCom, ConnectingReachesTheContactViewWithTheArgumentTypesTheProgramPasses) {
    HostObject app = App();
    app.Call(u"OpenFile", u"");
    HostObject views(app.Get(u"Views").AsObject());
    HostObject contact(views.Call(u"Create", int16_t(1), u"CV").AsObject());
    Variant street = contact.Call(u"GetField", int16_t(27));

    EXPECT_EQ(street.type(), Variant::Type::String);
    EXPECT_EQ(street.AsString(), u"12 Main Street");
    EXPECT_EQ(Calls(), (std::vector<std::string>{
                           "call automation CreateObject Text:ACTOLE.APPOBJECT => Object:application",
                           "call application OpenFile Text: => Empty:",
                           "call application Views => Object:views",
                           "call views Create I2:1 Text:CV => Object:contact view",
                           "call contact view GetField I2:27 => Text:12 Main Street",
                       }));
}

TEST_F(HostCom, TheEventControlTellsTheThreeStartUpSituationsApart) {
    struct Case {
        const char* name;
        std::function<void(State&)> setUp;
        int32_t ready;
        bool unreachable;
    };
    const Case cases[] = {
        {"ready", [](State&) {}, 1, false},
        {"no database", [](State& s) { s.databaseOpen = false; }, 0, false},
        {"not running", [](State& s) { s.running = s.databaseOpen = false; }, 0, true},
        {"unreachable", [](State& s) { s.reachable = false; }, 0, true},
    };
    auto control = host::CreateEventControl();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        State s;
        c.setUp(s);
        Replace(s);
        Variant ready = control->CallId(host::kDispReady, {Variant(int32_t(0))});
        Variant unreachable = control->CallId(host::kDispUnreachable, {});
        EXPECT_EQ(ready.type(), Variant::Type::I4);
        EXPECT_EQ(ready.AsInt32(), c.ready);
        EXPECT_EQ(unreachable.type(), Variant::Type::Bool);
        EXPECT_EQ(unreachable.AsBool(), c.unreachable);
        std::vector<std::string> calls = Calls();
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[0], "call event control #1 I4:0 => I4:" + std::to_string(c.ready));
    }
}

TEST_F(HostCom, ValuesKeepTheirTypesBothWays) {
    HostObject app = App();
    HostObject views(app.Get(u"Views").AsObject());
    const Value answers[] = {Value::Empty(), Value::I2(-3), Value::I4(100000), Value::Bool(true),
                             Value::Text(u"Gr\u00FC\u00DFe \U0001F30D")};
    for (const Value& answer : answers) {
        Change([&](State& s) { s.SetScript({u"Echo", host::sim::Outcome::Result(answer)}); });
        EXPECT_EQ(app.Call(u"Echo"), host::sim::ToVariant(answer, nullptr)) << vb::ToUtf8(FormatValue(answer));
    }

    app.Call(u"echo", Variant::Bool(true), int32_t(5), Variant(), u"\u00E9", views.object());
    EXPECT_EQ(Calls().back(),
              "call application Echo Bool:True I4:5 Empty: Text:\u00E9 Object: => scripted Text:"
              "Gr\u00FC\u00DFe \U0001F30D");
}

// ---- failures -----------------------------------------------------------------------------

TEST_F(HostCom, NamesAreFoundInAnyCaseAndUnknownOnesRaise438) {
    HostObject app = App();
    EXPECT_EQ(app.Call(u"getopendbname").AsString(), u"C:\\Contacts\\Demo.dbf");

    vb::Error e = ErrorOf([&] { app.Call(u"NoSuchMember"); });
    EXPECT_EQ(e.number(), 438);
    EXPECT_EQ(e.description(), u"Object doesn't support this property or method");
}

TEST_F(HostCom, TheServersErrorsArriveWithTheirNumberAndText) {
    HostObject app = App();
    struct Case {
        int32_t number;
        const char16_t* text;
    };
    for (const Case& c : {Case{1001, u"The host is busy"}, Case{440, u"Automation failed"},
                          Case{70000, u"Beyond a word"}, Case{-5, u"Negative"}}) {
        Change([&](State& s) { s.SetScript({u"GetOpenDBName", host::sim::Outcome::Error(c.number, c.text)}); });
        vb::Error e = ErrorOf([&] { app.Call(u"GetOpenDBName"); });
        EXPECT_EQ(e.number(), c.number);
        EXPECT_EQ(e.description(), c.text);
    }

    // The stand-in's own checks, as a real server's would fail.
    HostObject views(app.Get(u"Views").AsObject());
    vb::Error wrongView = ErrorOf([&] { views.Call(u"Create", int16_t(2), u"CV"); });
    EXPECT_EQ(wrongView.number(), 5);
    EXPECT_NE(wrongView.description().find(u"no view 2"), vb::String::npos) << vb::ToUtf8(wrongView.description());
    EXPECT_EQ(ErrorOf([&] { views.Call(u"Create", int16_t(1)); }).number(), 449);
    EXPECT_EQ(ErrorOf([&] { views.Call(u"Create", int16_t(1), u"CV", u"x"); }).number(), 450);
    EXPECT_EQ(ErrorOf([&] { views.Call(u"Create", u"one", u"CV"); }).number(), 13);
}

TEST_F(HostCom, ObjectsThatCannotBeMadeRaise429) {
    EXPECT_EQ(ErrorOf([] { host::CreateObject(u"BRIVANE.NOSUCHOBJECT"); }).number(), 429);

    Change([](State& s) { s.installed = false; });
    vb::Error app = ErrorOf([] { App(); });
    EXPECT_EQ(app.number(), 429);
    EXPECT_EQ(app.description(), u"ActiveX component can't create object");
    EXPECT_EQ(ErrorOf([] { host::CreateObject(host::kAuxCommandsProgId); }).number(), 429);
    EXPECT_EQ(ErrorOf([] { host::CreateEventControl(); }).number(), 429);
}

TEST_F(HostCom, AfterTheQuitCommandTheHostAnswersNoMore) {
    HostObject app = App();
    vb::String database = app.Call(u"GetOpenDBName").AsString();
    app.Call(u"Command", int16_t(150));
    vb::Error e = ErrorOf([&] { app.Call(u"GetOpenDBName"); });
    EXPECT_EQ(database, u"C:\\Contacts\\Demo.dbf");
    EXPECT_EQ(e.number(), 440);
    EXPECT_EQ(e.description(), u"The host is not running");
    EXPECT_EQ(Calls()[2], "call application Command I2:150 => Empty:");
}

// An object of a host whose process vanished is disconnected at the name
// lookup and at a call whose name was looked up before; the call never
// reaches the host and leaves no exception record to free. A live object
// scripted to raise 462 is still an ordinary failure of the server.
TEST_F(HostCom, AVanishedHostsObjectsAreDisconnectedAtEveryStep) {
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(L"ACTOLE.APPOBJECT", &clsid), S_OK);
    win::ComPtr<IDispatch> app;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, app.ReceiveVoid()), S_OK);
    OLECHAR name[] = L"GetOpenDBName";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    ASSERT_EQ(app->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    DISPPARAMS none{};
    win::ScopedVariant result;

    Change([](State& s) { s.SetScript({u"GetOpenDBName", host::sim::Outcome::Error(462, u"Scripted"), 1}); });
    {
        win::ScopedExcepInfo exception;
        EXPECT_EQ(app->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, result.ptr(), exception.ptr(), nullptr),
                  DISP_E_EXCEPTION);
        EXPECT_EQ(exception.get().scode, host::com::ScodeForError(462));
    }

    host::sim::Vanish(*file_);
    size_t logged = Calls().size();
    win::ScopedExcepInfo exception;
    EXPECT_EQ(app->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, result.ptr(), exception.ptr(), nullptr),
              RPC_E_DISCONNECTED);
    EXPECT_EQ(result.get().vt, VT_EMPTY);
    EXPECT_EQ(exception.get().bstrDescription, nullptr);
    EXPECT_EQ(app->GetIDsOfNames(IID_NULL, names, 1, 0, &id), RPC_E_DISCONNECTED);
    EXPECT_EQ(Calls().size(), logged);
}

// Program-wide objects are destroyed after the program's apartment ended:
// then their references are abandoned, not released into a server that may
// be unloaded. Only the outermost apartment of a thread ends them.
TEST_F(HostCom, ReferencesAreAbandonedOnlyOnceTheirThreadsApartmentEnded) {
    std::vector<bool> open;
    std::thread([&] {
        auto outer = std::make_unique<host::com::Apartment>();
        host::com::ApartmentStamp stamp;
        { host::com::Apartment inner; }
        open.push_back(stamp.StillOpen());
        outer.reset();
        open.push_back(stamp.StillOpen());
        host::com::Apartment again;
        open.push_back(host::com::ApartmentStamp().StillOpen());
        open.push_back(stamp.StillOpen());
    }).join();
    EXPECT_EQ(open, (std::vector<bool>{true, false, true, false}));
}

// ---- events ---------------------------------------------------------------------------------

TEST_F(HostCom, EachEventIsHandledInsideItsRaiseAndMayCallTheControlBack) {
    auto control = host::CreateEventControl();
    int eventsA = 0;
    std::vector<Variant> eventsB;
    control->onHostEventA = [&] {
        control->CallId(host::kDispAcknowledge, {});
        ++eventsA;
    };
    control->onHostEventB = [&](const Variant& argument) { eventsB.push_back(argument); };

    Change([](State& s) { s.events.push_back({u'A'}); });
    ASSERT_TRUE(PumpUntil([&] { return eventsA == 1; })) << "event A did not arrive";
    Change([](State& s) {
        s.events.push_back({u'B', Value::Text(u"closing")});
        s.events.push_back({u'B'});
    });
    ASSERT_TRUE(PumpUntil([&] { return eventsB.size() == 2; })) << "event B did not arrive";

    EXPECT_EQ(eventsA, 1);
    EXPECT_EQ(eventsB[0], Variant(u"closing"));
    EXPECT_TRUE(eventsB[1].IsEmpty());
    // The acknowledgement reached the host before its raise returned.
    ASSERT_TRUE(PumpUntil([&] { return Calls().size() == 7; }));
    EXPECT_EQ(Calls(), (std::vector<std::string>{
                           "event 2 begin",
                           "call event control #2 => Empty:",
                           "event 2 end",
                           "event 14 begin",
                           "event 14 end",
                           "event 14 begin",
                           "event 14 end",
                       }));
}

// As when the handler closes the window that holds the control: the
// control and its sink go while the host's call to the sink still runs.
TEST_F(HostCom, AHandlerMayReleaseTheControlInsideTheRaise) {
    std::unique_ptr<host::EventControl> control = host::CreateEventControl();
    int events = 0;
    control->onHostEventA = [&] {
        control->CallId(host::kDispAcknowledge, {});
        control.reset();
        ++events;
    };
    Change([](State& s) { s.events = {{u'A'}, {u'A'}, {u'B'}}; });
    ASSERT_TRUE(PumpUntil([&] { return Calls().size() == 7; })) << "the raises did not end";
    Pump(std::chrono::milliseconds(300));
    EXPECT_EQ(events, 1);
    EXPECT_FALSE(control);
    // The later events found nobody listening.
    EXPECT_EQ(Calls(), (std::vector<std::string>{"event 2 begin", "call event control #2 => Empty:", "event 2 end",
                                                 "event 2 begin", "event 2 end", "event 14 begin", "event 14 end"}));
}

// A sink that counts what reaches it.
class Listener final : public host::com::EventReceiver {
public:
    std::function<void()> onEvent;
    void Receive(int32_t, std::vector<Variant>) override { onEvent(); }
};

TEST_F(HostCom, ASinkLetGoInsideTheRaiseLeavesTheOtherSinksTheirEvents) {
    CLSID clsid{};
    IID events{};
    ASSERT_EQ(CLSIDFromString(reinterpret_cast<LPCOLESTR>(host::kEventControlClsid), &clsid), S_OK);
    ASSERT_EQ(IIDFromString(reinterpret_cast<LPCOLESTR>(host::kEventInterfaceIid), &events), S_OK);
    win::ComPtr<IDispatch> control;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, control.ReceiveVoid()), S_OK);

    Listener first, second;
    int firstEvents = 0, secondEvents = 0;
    auto firstSink = host::com::EventSink::Create(events, &first);
    auto secondSink = host::com::EventSink::Create(events, &second);
    auto firstConnection = std::make_unique<host::com::Connection>();
    host::com::Connection secondConnection;
    ASSERT_EQ(firstConnection->Connect(control.get(), events, firstSink.get()), S_OK);
    ASSERT_EQ(secondConnection.Connect(control.get(), events, secondSink.get()), S_OK);
    first.onEvent = [&] {
        ++firstEvents;
        firstConnection.reset();
        firstSink->Disconnect();
        firstSink.Reset();
    };
    second.onEvent = [&] { ++secondEvents; };

    Change([](State& s) { s.events = {{u'A'}, {u'A'}}; });
    EXPECT_TRUE(PumpUntil([&] { return secondEvents == 2; })) << "the other sink missed an event";
    EXPECT_EQ(firstEvents, 1);
    secondConnection.Disconnect();
    secondSink->Disconnect();
}

void ThrowInsideAnEvent() {
    ui::win32::Backend screen;
    auto control = host::CreateEventControl();
    // Not a run-time error: what no handler of the program would throw.
    control->onHostEventA = [] { throw 42; };
    SetTimer(nullptr, 0, 40, real_windows::ReportTheBox);
    PumpUntil([] { return false; }, std::chrono::seconds(5));
    std::fprintf(stderr, "the program went on\n");
}

// Nothing a handler throws goes back into the host: it ends the program
// with the standard message.
TEST_F(HostCom, WhatAHandlerThrowsEndsTheProgramAndNeverReachesTheHost) {
    if (!real_windows::DisplayAvailable()) GTEST_SKIP() << "no display: the message box cannot show (set DISPLAY)";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Change([](State& s) { s.events.push_back({u'A'}); });
    EXPECT_EXIT(ThrowInsideAnEvent(), testing::ExitedWithCode(ui::kExitUnhandledError),
                "\\[brivane\\] Run-time error '51':\r\n\r\nInternal error");
}

TEST_F(HostCom, EventsWaitForAControlToListen) {
    Change([](State& s) { s.events.push_back({u'A'}); });
    Pump(std::chrono::milliseconds(300));  // nothing listens yet: the event stays
    EXPECT_EQ(file_->Read().events.size(), 1u);

    auto control = host::CreateEventControl();
    bool arrived = false;
    control->onHostEventA = [&] { arrived = true; };
    EXPECT_TRUE(PumpUntil([&] { return arrived; }));
}

// ---- results and failures the stand-in never gives ---------------------------------------

TEST(ComValues, WhatComesBackIsReadAsTheNearestProgramType) {
    using win::ScopedVariant;
    auto read = [](auto fill) {
        win::ScopedVariant v;
        fill(*v.ptr());
        return host::com::UnpackVariant(v.get());
    };
    EXPECT_TRUE(read([](VARIANT& v) { v.vt = VT_NULL; }).IsEmpty());
    EXPECT_EQ(read([](VARIANT& v) {
                  v.vt = VT_UI1;
                  v.bVal = 200;
              }),
              Variant(int16_t(200)));
    EXPECT_EQ(read([](VARIANT& v) {
                  v.vt = VT_UI2;
                  v.uiVal = 40000;
              }),
              Variant(int32_t(40000)));
    EXPECT_EQ(read([](VARIANT& v) {
                  v.vt = VT_UI4;
                  v.ulVal = 7;
              }),
              Variant(int32_t(7)));
    EXPECT_EQ(read([](VARIANT& v) {
                  v.vt = VT_UI4;
                  v.ulVal = 3000000000u;
              }),
              Variant(u"3000000000"));
    EXPECT_EQ(read([](VARIANT& v) {
                  v.vt = VT_I8;
                  v.llVal = -5000000000;
              }),
              Variant(u"-5000000000"));
    EXPECT_EQ(read([](VARIANT& v) {
                  v.vt = VT_R8;
                  v.dblVal = 2.0;
              }).AsInt32(),
              2);
    EXPECT_EQ(read([](VARIANT& v) {
                  v.vt = VT_BOOL;
                  v.boolVal = VARIANT_TRUE;
              }),
              Variant::Bool(true));
    EXPECT_FALSE(read([](VARIANT& v) {
                     v.vt = VT_DISPATCH;
                     v.pdispVal = nullptr;
                 }).AsObject());

    short referred = 27;
    win::ScopedVariant byReference;
    byReference.ptr()->vt = VT_BYREF | VT_I2;
    byReference.ptr()->piVal = &referred;
    EXPECT_EQ(host::com::UnpackVariant(byReference.get()), Variant(int16_t(27)));

    win::ScopedVariant array;
    array.ptr()->vt = VT_ARRAY | VT_I4;
    array.ptr()->parray = SafeArrayCreateVector(VT_I4, 0, 2);
    EXPECT_EQ(ErrorOf([&] { host::com::UnpackVariant(array.get()); }).number(), 13);
}

TEST(ComErrors, FailedResultsBecomeTheRuntimesNumbers) {
    struct Case {
        HRESULT result;
        int32_t number;
    };
    for (const Case& c :
         {Case{DISP_E_UNKNOWNNAME, 438}, Case{DISP_E_MEMBERNOTFOUND, 438}, Case{DISP_E_TYPEMISMATCH, 13},
          Case{DISP_E_OVERFLOW, 6}, Case{DISP_E_BADPARAMCOUNT, 450}, Case{DISP_E_PARAMNOTOPTIONAL, 449},
          Case{E_OUTOFMEMORY, 7}, Case{RPC_E_DISCONNECTED, 462}, Case{E_FAIL, 440}}) {
        vb::Error e = host::com::ErrorFromResult(c.result);
        EXPECT_EQ(e.number(), c.number) << std::hex << c.result;
        EXPECT_FALSE(e.description().empty());
    }
    vb::String other = host::com::ErrorFromResult(E_FAIL).description();
    EXPECT_EQ(other.rfind(u"Automation error (0x80004005)", 0), 0u) << vb::ToUtf8(other);
}

// A server's deferred fill-in: the system calls it with its own calling
// convention (__stdcall on 32-bit Windows), which a lambda cannot have.
HRESULT STDAPICALLTYPE FillInTypeMismatch(EXCEPINFO* info) {
    info->scode = DISP_E_TYPEMISMATCH;
    return S_OK;
}

TEST(ComErrors, AnExceptionsOwnCodeWinsAndItsTextIsCompletedWhenDeferred) {
    win::ScopedExcepInfo withCode;
    withCode.get().wCode = 1234;
    withCode.get().scode = 0;
    withCode.get().bstrDescription = SysAllocString(L"From the server");
    vb::Error coded = host::com::ErrorFromException(withCode.get());
    EXPECT_EQ(coded.number(), 1234);
    EXPECT_EQ(coded.description(), u"From the server");

    win::ScopedExcepInfo deferred;
    deferred.get().pfnDeferredFillIn = FillInTypeMismatch;
    vb::Error filled = host::com::ErrorFromException(deferred.get());
    EXPECT_EQ(filled.number(), 13);
    EXPECT_EQ(filled.description(), u"Type mismatch");

    win::ScopedExcepInfo nothing;
    EXPECT_EQ(host::com::ErrorFromException(nothing.get()).number(), 440);
}

// A server that declares a member as a property with arguments answers the
// program's calls too: they go out as a late-bound caller that uses the
// answer sends them.
TEST(ComCalls, CallsByNameGoOutAsMethodOrPropertyRead) {
    struct Recorder : host::com::DispatchBase {
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
            if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch)) return *out = nullptr, E_NOINTERFACE;
            AddRef();
            *out = static_cast<IDispatch*>(this);
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID* ids) override {
            ids[0] = 7;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                         UINT*) override {
            seen.push_back(flags);
            return S_OK;
        }
        std::vector<WORD> seen;
    };
    auto* recorder = new Recorder;
    win::ComPtr<IDispatch> held = win::ComPtr<IDispatch>::Share(recorder);
    HostObject object(std::make_shared<host::com::DispatchObject>(win::ComPtr<IDispatch>::Adopt(recorder)));
    object.Call(u"GetField", int16_t(27));
    object.Get(u"Views");
    EXPECT_EQ(recorder->seen,
              (std::vector<WORD>{DISPATCH_METHOD | DISPATCH_PROPERTYGET, DISPATCH_METHOD | DISPATCH_PROPERTYGET}));
}

// ---- the restart through the shell -----------------------------------------------------------

TEST_F(HostCom, OpeningADatabaseFileThroughTheShellStartsTheHostWithIt) {
    Change([](State& s) {
        s.running = s.databaseOpen = false;
        s.databasePath.clear();
    });
    fs::path database = folder_ / "Contacts x.dbf";
    std::ofstream(database) << "database";

    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", database.c_str(), nullptr, folder_.c_str(), SW_SHOWNORMAL));
    ASSERT_GT(result, 32) << "the shell could not open the database file";
    bool started = PumpUntil(
        [&] {
            State s = file_->Read();
            return s.running && s.databaseOpen;
        },
        std::chrono::seconds(15));
    ASSERT_TRUE(started) << "hostsim.exe did not mark the host running";
    EXPECT_EQ(file_->Read().databasePath, database.u16string());
    EXPECT_EQ(App().Call(u"GetOpenDBName").AsString(), database.u16string());
}

}  // namespace
