#include <gtest/gtest.h>

#include "tests/unit/stand_in_host_fixture.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/automation.h"
#include "host/event_control.h"
#include "host/sim/host.h"
#include "tests/unit/error_of.h"
#include "main/Module2.h"
#include "main/frmMain.h"
#include "platform/locale.h"
#include "platform/program_info.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/session.h"
#include "settings/Settings.h"

namespace {

using host::sim::State;
using host::sim::StateFile;
using ui::headless::ProgramEnded;

class MainWindow : public WithStandInHost {
protected:
    // Starts the program as its start-up does; false when it ended.
    bool Start(frmMain& form) {
        try {
            ui::Dispatch([&] { form.Show(); });
        } catch (const ProgramEnded&) {
            return false;
        }
        return true;
    }
    const ui::headless::WindowState& Window(const frmMain& form) { return ui::headless::StateOf(form); }

    // A request of the main window: owned by it, shown in its current size
    // and place, working in the program's folder.
    void ExpectMainWindowRequest(const platform::ShellRequest& r, const frmMain& form, vb::StringView file,
                                 const std::optional<vb::String>& parameters) {
        EXPECT_EQ(r.owner, &form);
        EXPECT_EQ(r.verb, u"open");
        EXPECT_EQ(r.file, file);
        EXPECT_EQ(r.parameters, parameters);
        EXPECT_EQ(r.directory, platform::ExeFolder());
        EXPECT_EQ(r.show, 5);
    }
};

// Keeps the order of the writes.
class WriteRecorder : public platform::MemorySettingsStore {
public:
    explicit WriteRecorder(std::vector<vb::String>& keys) : keys_(keys) {}
    void Write(vb::StringView app, vb::StringView section, vb::StringView key, vb::StringView value) override {
        keys_.emplace_back(key);
        MemorySettingsStore::Write(app, section, key, value);
    }

private:
    std::vector<vb::String>& keys_;
};

TEST_F(MainWindow, FirstStartShowsTheWindowTopmostAtTheDefaultPlaceAndConnects) {
    frmMain form;
    ASSERT_TRUE(Start(form));
    EXPECT_TRUE(screen.boxes.empty());
    const auto& w = Window(form);
    EXPECT_TRUE(w.shown);
    EXPECT_TRUE(w.topmost);
    EXPECT_EQ(w.outer.x, 7);  // 100 twips / 15 = 6.67
    EXPECT_EQ(w.outer.y, 7);
    EXPECT_EQ(w.outer.width, 233);
    EXPECT_EQ(w.outer.height, 140);
    EXPECT_EQ(form.chkClose.value(), 0);
    auto calls = Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0], u"event control.#1(I4:0)");
    EXPECT_EQ(calls[1], u"automation.CreateObject(Text:ACTOLE.APPOBJECT)");
    EXPECT_EQ(calls[2], u"application.OpenFile(Text:)");
    EXPECT_EQ(calls[3], u"application.Views()");
    EXPECT_EQ(calls[4], u"views.Create(I2:1, Text:CV)");
    EXPECT_FALSE(Module2::ContactView.IsNothing());
}

TEST_F(MainWindow, StoredPositionIsDividedByTwipsPerPixelAndRoundedHalfToEven) {
    Store(settings::key::kLeft, u"1440");
    Store(settings::key::kTop, u"37.5");  // 2.5 pixels: the even neighbour, 2
    frmMain form;
    ASSERT_TRUE(Start(form));
    EXPECT_EQ(Window(form).outer.x, 96);
    EXPECT_EQ(Window(form).outer.y, 2);
}

TEST_F(MainWindow, SizeFollowsTheScreensResolution) {
    screen.twipsPerPixelX = screen.twipsPerPixelY = 12;  // 120 dpi
    frmMain form;
    ASSERT_TRUE(Start(form));
    EXPECT_EQ(Window(form).outer.x, 8);
    EXPECT_EQ(Window(form).outer.width, 291);  // 3495 / 12 = 291.25
    EXPECT_EQ(Window(form).outer.height, 175);
}

TEST_F(MainWindow, ClosingSavesPositionAndBoxAndTheNextStartRestoresThem) {
    {
        frmMain form;
        ASSERT_TRUE(Start(form));
        form.chkClose.UserClick();
        form.UserClose();
    }
    EXPECT_EQ(Stored(settings::key::kLeft), u"105");
    EXPECT_EQ(Stored(settings::key::kTop), u"105");
    EXPECT_EQ(Stored(settings::key::kClose), u"1");
    EXPECT_TRUE(screen.quitRequested);
    frmMain again;
    ASSERT_TRUE(Start(again));
    EXPECT_EQ(again.chkClose.value(), 1);
    EXPECT_EQ(Window(again).outer.x, 7);
}

TEST_F(MainWindow, ClosingWritesLeftThenTopThenClose) {
    std::vector<vb::String> writes;
    platform::ScopedSettingsStore recorded(std::make_unique<WriteRecorder>(writes));
    frmMain form;
    ASSERT_TRUE(Start(form));
    form.UserClose();
    EXPECT_EQ(writes, (std::vector<vb::String>{u"Left", u"Top", u"Close"}));
}

TEST_F(MainWindow, DamagedStoredValuesFallBackToTheirDefaults) {
    Store(settings::key::kClose, u"3");
    Store(settings::key::kLeft, u"left");
    Store(settings::key::kTop, u"1e300");
    frmMain form;
    ASSERT_TRUE(Start(form));
    EXPECT_TRUE(screen.boxes.empty());
    EXPECT_EQ(form.chkClose.value(), 0);
    EXPECT_EQ(Window(form).outer.x, 7);
    EXPECT_EQ(Window(form).outer.y, 7);
}

TEST_F(MainWindow, APositionOffEveryMonitorFallsBackToTheDefault) {
    Store(settings::key::kLeft, u"60000");  // 4000 px: a monitor that is gone
    Store(settings::key::kTop, u"1500");
    screen.workAreas = {{0, 0, 1280, 1024}, {-1280, 0, 1280, 1024}};
    frmMain form;
    ASSERT_TRUE(Start(form));
    EXPECT_EQ(Window(form).outer.x, 7);
    EXPECT_EQ(Window(form).outer.y, 7);
}

TEST_F(MainWindow, APositionOnASecondMonitorIsKept) {
    Store(settings::key::kLeft, u"-15000");  // 1000 px left of the primary monitor
    screen.workAreas = {{0, 0, 1280, 1024}, {-1280, 0, 1280, 1024}};
    frmMain form;
    ASSERT_TRUE(Start(form));
    EXPECT_EQ(Window(form).outer.x, -1000);
}

struct Refusal {
    const char* name;
    void (*setUp)(State&);
    const char16_t* message;
};

class MainWindowRefusal : public MainWindow, public ::testing::WithParamInterface<Refusal> {};

TEST_P(MainWindowRefusal, ShowsItsMessageEndsAndSavesNothing) {
    hostState->Update(GetParam().setUp);
    Store(settings::key::kLeft, u"3000");
    frmMain form;
    Start(form);
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].text, GetParam().message);
    EXPECT_EQ(screen.boxes[0].title, u"brivane");
    EXPECT_EQ(screen.boxes[0].style, 0);
    EXPECT_FALSE(form.loaded());
    EXPECT_TRUE(screen.quitRequested);
    EXPECT_EQ(Stored(settings::key::kLeft), u"3000");
    EXPECT_FALSE(Stored(settings::key::kClose).has_value());
    for (const auto& call : Calls()) EXPECT_EQ(call.substr(0, 14), u"event control.");
}

INSTANTIATE_TEST_SUITE_P(
    Host, MainWindowRefusal,
    ::testing::Values(
        Refusal{"NoDatabase", [](State& s) { s.databaseOpen = false; },
                u"Please open an ACT database prior to running Brivane!"},
        Refusal{"Unreachable", [](State& s) { s.reachable = false; },
                u"Unable to communicate with ACT!\rPlease run actreg.exe located in the ACT folder and try again"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindow, ASecondCopyIsRefusedWhileTheFirstKeepsRunning) {
    platform::SingleInstance first(u"brivane");
    frmMain second;
    Start(second);
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].text, u"An instance of this program is already open!");
    EXPECT_FALSE(second.loaded());
    EXPECT_TRUE(Calls().empty());
    EXPECT_FALSE(Stored(settings::key::kLeft).has_value());
}

TEST_F(MainWindow, HostEventAAcknowledgesAndClosesInsideTheRaise) {
    frmMain form;
    ASSERT_TRUE(Start(form));
    size_t before = Calls().size();
    hostState->Update([](State& s) { s.events.push_back({u'A', std::nullopt}); });
    static_cast<host::sim::SimEventControl&>(*form.ActEvent1).RaisePending();
    EXPECT_FALSE(form.loaded());
    EXPECT_FALSE(form.ActEvent1) << "the control goes with the window's controls";
    EXPECT_EQ(Stored(settings::key::kClose), u"0");
    EXPECT_EQ(Calls(before), (std::vector<vb::String>{u"event 2 begin", u"event control.#2()", u"event 2 end"}));
}

TEST_F(MainWindow, HostEventBClosesUnlessARestartIsPending) {
    frmMain form;
    ASSERT_TRUE(Start(form));
    auto raiseB = [&] {
        hostState->Update([](State& s) { s.events.push_back({u'B', host::sim::Value::I4(3)}); });
        static_cast<host::sim::SimEventControl&>(*form.ActEvent1).RaisePending();
    };
    Module2::RestartAct = true;
    raiseB();
    EXPECT_TRUE(form.loaded());
    Module2::RestartAct = false;
    raiseB();
    EXPECT_FALSE(form.loaded());
}

TEST_F(MainWindow, RestartQuitsTheHostReopensItsDatabaseAndEndsOnTheSecondTick) {
    frmMain form;
    ASSERT_TRUE(Start(form));
    Module2::RestartAct = true;
    int16_t cancel = 0;
    form.Form_Unload(cancel);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(Stored(settings::key::kLeft), u"105");
    auto calls = Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], u"application.GetOpenDBName()");
    EXPECT_EQ(calls.back(), u"application.Command(I2:150)");
    EXPECT_TRUE(Module2::ActApp.IsNothing());
    ASSERT_EQ(shell.requests.size(), 1u);
    ExpectMainWindowRequest(shell.requests[0], form, u"C:\\Contacts\\Demo.dbf", std::nullopt);
    EXPECT_FALSE(form.visible());
    EXPECT_TRUE(form.loaded());
    EXPECT_EQ(form.tmr1.interval(), 1000);

    // A close while waiting (the host's notification) saves and calls nothing more.
    Store(settings::key::kLeft, u"999");
    size_t before = Calls().size();
    hostState->Update([](State& s) { s.events.push_back({u'A', std::nullopt}); });
    static_cast<host::sim::SimEventControl&>(*form.ActEvent1).RaisePending();
    EXPECT_EQ(Stored(settings::key::kLeft), u"999");
    EXPECT_EQ(Calls(before), (std::vector<vb::String>{u"event 2 begin", u"event control.#2()", u"event 2 end"}));
}

TEST_F(MainWindow, ARestartAfterTheWindowClosedKeepsWhatItsCloseSaved) {
    frmMain form;
    ASSERT_TRUE(Start(form));
    form.chkClose.UserClick();
    form.UserClose();
    Module2::RestartAct = true;
    int16_t cancel = 0;
    form.Form_Unload(cancel);
    EXPECT_EQ(Stored(settings::key::kLeft), u"105");
    EXPECT_EQ(Stored(settings::key::kTop), u"105");
    EXPECT_EQ(Stored(settings::key::kClose), u"1");
    EXPECT_EQ(Calls().back(), u"application.Command(I2:150)");
}

TEST_F(MainWindow, ARestartTheHostRefusesLeavesTheWindowAsItWas) {
    frmMain form;
    ASSERT_TRUE(Start(form));
    hostState->Update([](State& s) { s.SetScript({u"GetOpenDBName", host::sim::Outcome::Error(440, u"Busy")}); });
    Module2::RestartAct = true;
    int16_t cancel = 0;
    EXPECT_EQ(ErrorNumberOf([&] { form.Form_Unload(cancel); }), 440);
    EXPECT_FALSE(Module2::RestartAct);
    EXPECT_TRUE(form.visible());
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_EQ(form.tmr1.interval(), 0);

    // Its close saves as ever; a notification would have closed it too.
    Store(settings::key::kLeft, u"999");
    form.UserClose();
    EXPECT_EQ(Stored(settings::key::kLeft), u"105");
    EXPECT_FALSE(form.loaded());
}

TEST_F(MainWindow, EndTimerEndsTheProgramOnItsSecondTick) {
    frmMain form;
    ASSERT_TRUE(Start(form));
    Module2::RestartAct = true;
    int16_t cancel = 0;
    form.Form_Unload(cancel);
    form.tmr1.Tick();
    EXPECT_FALSE(screen.ended);
    EXPECT_THROW(form.tmr1.Tick(), ProgramEnded);
    EXPECT_EQ(screen.exitCode, 0);
}

// The session ends (log off, shut down) as the program's start-up wires
// it: the main window's close box.
class SessionEnd : public MainWindow {
protected:
    void TearDown() override {
        ui::OnSessionEnd(nullptr);  // the forms go with the test
        MainWindow::TearDown();
    }
    void Wire(frmMain& form) {
        ui::OnSessionEnd([&form] { form.UserClose(); });
    }
};

TEST_F(SessionEnd, SavesWhatTheCloseBoxSavesOnceAndShowsNothing) {
    frmMain form;
    ASSERT_TRUE(Start(form));
    Wire(form);
    form.chkClose.UserClick();
    ui::SessionEnding();
    EXPECT_EQ(Stored(settings::key::kLeft), u"105");
    EXPECT_EQ(Stored(settings::key::kTop), u"105");
    EXPECT_EQ(Stored(settings::key::kClose), u"1");
    EXPECT_FALSE(form.loaded());
    EXPECT_TRUE(screen.quitRequested);
    EXPECT_TRUE(screen.boxes.empty());

    // Every other window of the program is told too: nothing more happens.
    Store(settings::key::kLeft, u"999");
    ui::SessionEnding();
    EXPECT_EQ(Stored(settings::key::kLeft), u"999");
}

TEST_F(SessionEnd, SavesTheMainWindowWhileAModalWindowIsOpen) {
    struct Modal {
        const char16_t* name;
        ui::Menu frmMain::*item;
    };
    for (Modal modal : {Modal{u"frmPreferences", &frmMain::mnuPreferences}, Modal{u"frmAbout", &frmMain::mnuAbout},
                        Modal{u"frmIntegrate", &frmMain::mnuIntegrate}}) {
        SCOPED_TRACE(vb::ToUtf8(modal.name));
        frmMain form;
        ASSERT_TRUE(Start(form));
        Wire(form);
        Store(settings::key::kLeft, u"999");
        Store(settings::key::kClose, u"1");
        bool mainLoadedAfter = true, modalLoadedAfter = false;
        screen.onModal[modal.name] = [&](ui::Form& open) {
            ui::SessionEnding();
            mainLoadedAfter = form.loaded();
            modalLoadedAfter = open.loaded();
        };
        (form.*modal.item).Click();
        screen.onModal.erase(modal.name);
        EXPECT_FALSE(mainLoadedAfter);
        EXPECT_TRUE(modalLoadedAfter) << "the window the user has open stays until the system ends the program";
        EXPECT_EQ(Stored(settings::key::kLeft), u"105");
        EXPECT_EQ(Stored(settings::key::kTop), u"105");
        EXPECT_EQ(Stored(settings::key::kClose), u"0");
        EXPECT_TRUE(screen.boxes.empty());
    }
}

// The session ends while a message box shows.
class EndsDuringAMessage : public ui::headless::Backend {
public:
    int MsgBox(vb::StringView text, int style, vb::StringView title) override {
        ui::SessionEnding();
        return Backend::MsgBox(text, style, title);
    }
};

// As with the close box: a restart under way saves nothing more and calls
// nothing, and a refused start saves nothing.
TEST_F(SessionEnd, ARestartUnderWayOrARefusedStartSavesNothing) {
    {
        frmMain form;
        ASSERT_TRUE(Start(form));
        Wire(form);
        Module2::RestartAct = true;
        int16_t cancel = 0;
        form.Form_Unload(cancel);
        Store(settings::key::kLeft, u"999");
        const size_t calls = Calls().size();
        ui::SessionEnding();
        EXPECT_EQ(Stored(settings::key::kLeft), u"999");
        EXPECT_EQ(Calls().size(), calls);
        Module2::RestartAct = false;
    }
    hostState->Update([](State& s) { s.databaseOpen = false; });
    Store(settings::key::kLeft, u"3000");
    Store(settings::key::kClose, u"2");
    EndsDuringAMessage refusing;
    frmMain refused;
    Wire(refused);
    Start(refused);
    ASSERT_EQ(refusing.boxes.size(), 1u);
    EXPECT_FALSE(refused.loaded());
    EXPECT_EQ(Stored(settings::key::kLeft), u"3000");
    EXPECT_EQ(Stored(settings::key::kClose), u"2");
}

TEST_F(MainWindow, AHostThatCannotBeCreatedEndsWithTheStandardMessage) {
    hostState->Update([](State& s) { s.installed = false; });
    frmMain form;
    EXPECT_FALSE(Start(form));
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].text.substr(0, 22), u"Run-time error '429':\r");
}

TEST_F(MainWindow, MenuAndLinkAskTheShell) {
    frmMain form;
    ASSERT_TRUE(Start(form));
    form.mnuInstructions.Click();
    form.lblLink.Click();
    ASSERT_EQ(shell.requests.size(), 2u);
    ExpectMainWindowRequest(shell.requests[0], form, u"instructions.txt", vb::String());
    ExpectMainWindowRequest(shell.requests[1], form, u"http://www.example.com", std::nullopt);
}

// A countries file where the press looks for it, beside the program (here
// the test binary); gone again with this.
class CountriesFileBesideTheProgram {
public:
    CountriesFileBesideTheProgram(const char* site, std::string_view bytes)
        : path_(std::filesystem::path(platform::ExeFolder()) / ("Countries_" + std::string(site) + ".txt")) {
        EXPECT_FALSE(std::filesystem::exists(path_)) << "a countries file lies beside the tests already";
        std::ofstream(path_, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ~CountriesFileBesideTheProgram() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    vb::String path() const { return path_.u16string(); }

private:
    std::filesystem::path path_;
};

class MapRequest : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        hostState->Update([](State& s) {
            s.fields = {{27, u"12 All\u00E9e des H\u00E9rons"},
                        {30, u"Montv\u00E9rac"},
                        {31, u""},
                        {32, u"99120"},
                        {33, u"France"}};
        });
    }
    void Press(frmMain& form) {
        ui::Dispatch([&] { form.cmdLocate.Click(); });
    }
};

TEST_F(MapRequest, APressOpensTheMapOfTheCurrentContactAndCloses) {
    // The code comes from the site's countries file beside the program,
    // the one the press names for the lookup.
    CountriesFileBesideTheProgram countries("mapquest", "[Countries]\r\nFrance=FR\r\n");
    frmMain form;
    ASSERT_TRUE(Start(form));
    Press(form);
    ASSERT_EQ(shell.requests.size(), 1u);
    ExpectMainWindowRequest(shell.requests[0], form,
                            u"http://www.mapquest.com/maps/map.adp?size=big&address=12 Allee des Herons"
                            u"&city=Montverac&state=&zip=99120&country=FR&zoom=8",
                            std::nullopt);
    EXPECT_EQ(Module2::CountriesFile, countries.path());
    EXPECT_FALSE(form.loaded());  // "Do not close this window" unticked
    EXPECT_EQ(Stored(settings::key::kClose), u"0");
}

TEST_F(MapRequest, WithTheBoxTickedEachPressOpensAFreshURLAndTheWindowStays) {
    Store(settings::key::kClose, u"1");
    Store(settings::key::kMapURL, u"http://maps.yahoo.example/?");
    Store(settings::key::kZoom, u"4");
    frmMain form;
    ASSERT_TRUE(Start(form));
    Press(form);
    Press(form);
    ASSERT_EQ(shell.requests.size(), 2u);
    EXPECT_EQ(shell.requests[0].file, shell.requests[1].file);
    EXPECT_EQ(shell.requests[1].file,
              u"http://maps.yahoo.example/?addr=12 All\u00E9e des H\u00E9rons&country=US&csz=99120&newmag=4");
    EXPECT_TRUE(form.loaded());
}

TEST_F(MapRequest, ALaterURLWithoutKeywordGetsNoParametersOfAnEarlierSite) {
    Store(settings::key::kClose, u"1");
    frmMain form;
    ASSERT_TRUE(Start(form));
    Press(form);
    Store(settings::key::kMapURL, u"https://maps.example.org/search");
    size_t calls = Calls().size();
    Press(form);
    EXPECT_EQ(shell.requests.back().file, u"https://maps.example.org/search");
    EXPECT_EQ(Calls().size(), calls);  // the contact is not even read
}

TEST_F(MapRequest, ATemplateTakesTheCountrySettingForAContactWithoutCountry) {
    Store(settings::key::kMapURL, u"https://www.openstreetmap.org/search?query={address}");
    Store(settings::key::kCountry, u"Belgique");
    hostState->Update([](State& s) { s.fields[33] = u""; });
    frmMain form;
    ASSERT_TRUE(Start(form));
    size_t from = Calls().size();
    Press(form);
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0].file,
              u"https://www.openstreetmap.org/search?query="
              u"12%20All%C3%A9e%20des%20H%C3%A9rons%2C%20Montv%C3%A9rac%2C%2099120%2C%20Belgique");
    EXPECT_EQ(Calls(from, false), kAddressReads);
    EXPECT_FALSE(form.loaded());
}

TEST_F(MapRequest, DirectionsFromTheStartAddressNeedOneAndSayWhereToSetIt) {
    Store(settings::key::kMapURL, u"https://www.google.com/maps/dir/?api=1&origin={from}&destination={address}");
    Store(settings::key::kStartAddress, u" \r\n ");  // blank: none
    frmMain form;
    ASSERT_TRUE(Start(form));
    size_t from = Calls().size();
    Press(form);
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].text,
              u"This map page shows directions from your start address, and no start address is set.\r\n\r\n"
              u"Set it in Map > Show route..., under \"Start at\".");
    EXPECT_EQ(screen.boxes[0].style, 48);
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_EQ(Calls(from).size(), 0u);  // the contact is not even read
    EXPECT_TRUE(form.loaded());         // the window stays, although the box is unticked

    Store(settings::key::kStartAddress, u" 1 Office Park\r\nSpringfield ");
    Press(form);
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0].file,
              u"https://www.google.com/maps/dir/?api=1&origin=1%20Office%20Park%2C%20Springfield&destination="
              u"12%20All%C3%A9e%20des%20H%C3%A9rons%2C%20Montv%C3%A9rac%2C%2099120%2C%20France");
    EXPECT_FALSE(form.loaded());
}

TEST_F(MapRequest, ATemplateOpensNothingForAContactWithoutAnAddress) {
    Store(settings::key::kClose, u"1");
    Store(settings::key::kMapURL, u"https://www.openstreetmap.org/search?query={address}");
    hostState->Update([](State& s) { s.fields = {{27, u" "}, {30, u""}, {31, u"\r\n"}, {32, u""}, {33, u"\t"}}; });
    frmMain form;
    ASSERT_TRUE(Start(form));
    size_t from = Calls().size();
    Press(form);
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].text,
              u"This contact has no address: its street, city, state, postal code and country are all empty.");
    EXPECT_TRUE(shell.requests.empty());
    // Each field read once, in order, as a template's press reads them.
    EXPECT_EQ(Calls(from, false), kAddressReads);
    // The country setting stands in for the country: an address after all.
    Store(settings::key::kCountry, u"Belgique");
    Press(form);
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0].file, u"https://www.openstreetmap.org/search?query=Belgique");
    // A template that names only the zoom refuses the empty contact too.
    Store(settings::key::kCountry, u"");
    Store(settings::key::kMapURL, u"https://maps.example.org/?z={zoom}");
    Press(form);
    EXPECT_EQ(screen.boxes.size(), 2u);
    EXPECT_EQ(shell.requests.size(), 1u);
}

TEST_F(MapRequest, TheLegacyPagesOpenForAContactWithoutAnAddressAsDesigned) {
    hostState->Update([](State& s) { s.fields = {{27, u""}, {30, u""}, {31, u""}, {32, u""}, {33, u""}}; });
    frmMain form;
    ASSERT_TRUE(Start(form));
    Press(form);
    EXPECT_TRUE(screen.boxes.empty());
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0].file,
              u"http://www.mapquest.com/maps/map.adp?size=big&address=&city=&state=&zip=&country=US&zoom=8");
}

TEST_F(MapRequest, AHostGoneSinceStartUpEndsWithTheStandardMessage) {
    frmMain form;
    ASSERT_TRUE(Start(form));
    hostState->Update([](State& s) { s.running = false; });
    EXPECT_THROW(Press(form), ProgramEnded);
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].text, u"Run-time error '440':\r\n\r\nThe host is not running");
    EXPECT_TRUE(shell.requests.empty());
}

}  // namespace
