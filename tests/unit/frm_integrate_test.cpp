#include <gtest/gtest.h>

#include "tests/unit/stand_in_host_fixture.h"

#include <algorithm>
#include <memory>

#include "host/automation.h"
#include "host/event_control.h"
#include "host/sim/host.h"
#include "integrate/frmIntegrate.h"
#include "main/Module2.h"
#include "main/frmMain.h"
#include "platform/program_info.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/msgbox.h"
#include "settings/Settings.h"

namespace {

using host::sim::Outcome;
using host::sim::State;
using host::sim::Value;

// The Integrate window opened from the main window's menu, against the
// in-process stand-in host.
class Integrate : public WithStandInHost {
protected:
    void SetUp() override {
        WithStandInHost::SetUp();
        ui::Dispatch([&] { mainWindow.Show(); });
    }
    // Opens the window from the menu; `user` acts while it is open.
    void Open(std::function<void(frmIntegrate&)> user) {
        screen.onModal[u"frmIntegrate"] = [user](ui::Form& f) { user(static_cast<frmIntegrate&>(f)); };
        mainWindow.mnuIntegrate.Click();
    }
    std::vector<vb::String> CallsSince(size_t from) { return Calls(from, false); }
    size_t LogSize() { return hostState->Read().log.size(); }
    void Script(const char16_t* member, Outcome answer, int times = host::sim::Script::kEvery) {
        hostState->Update([&](State& s) { s.SetScript({member, answer, times}); });
    }

    frmMain mainWindow;
};

TEST_F(Integrate, ACommandAlreadyOnTheContactsToolbarIsAddedAgainAtLoadButCountsAsNoChange) {
    hostState->Update([](State& s) {
        s.command = host::sim::AuxCommand{.title = u"brivane"};
        s.toolbar = {1};
    });
    size_t before = LogSize();
    Open([](frmIntegrate& f) {
        EXPECT_EQ(f.chkScreen[0].value(), 1);
        for (int i = 1; i < 12; ++i) EXPECT_EQ(f.chkScreen[i].value(), 0) << i;
        EXPECT_FALSE(f.ViewsChanged);
        EXPECT_EQ(f.focused(), &f.chkScreen[0]);
        f.cmdOK.Click();
    });
    auto calls = CallsSince(before);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), u"AddAuxCommandToToolbar(I2:1, Text:brivane)"), 1);
    EXPECT_TRUE(screen.boxes.empty());  // no prompt
}

TEST_F(Integrate, TheFirstTickDefinesTheCommandThenPlacesIt) {
    size_t before = LogSize();
    Open([](frmIntegrate& f) {
        f.chkScreen[2].UserClick();
        f.chkScreen[3].UserClick();
        f.cmdCancel.Click();
    });
    auto calls = CallsSince(before);
    vb::String folder = platform::ExeFolder(), path = folder + platform::PathSeparator() + platform::ExeBaseName();
    auto define = std::find_if(calls.begin(), calls.end(), [](auto& c) { return c.starts_with(u"AddAuxCommand("); });
    ASSERT_NE(define, calls.end());
    EXPECT_EQ(*define, u"AddAuxCommand(Text:brivane, Text:" + path + u".EXE, Text:" + folder +
                           u", Text:Brivane!, Text:click to launch Brivane!, Text:" + path + u".ico, Text:" + path +
                           u"32.ico, I2:1)");
    EXPECT_EQ(*(define + 1), u"AddAuxCommandToToolbar(I2:3, Text:brivane)");
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](auto& c) { return c.starts_with(u"AddAuxCommand("); }), 1);
    EXPECT_EQ(hostState->Read().toolbar, (std::set<int16_t>{3, 4}));
    EXPECT_TRUE(screen.boxes.empty());  // Cancel asks nothing
}

TEST_F(Integrate, TickAndUntickAgainStillCountsAsAChangeAndCloseOffersTheRestart) {
    screen.answers.push_back(ui::kNo);
    size_t before = LogSize();
    Open([](frmIntegrate& f) {
        f.chkScreen[7].UserClick();
        f.chkScreen[7].UserClick();
        f.PressEnter();  // focus on a box: the default button, Close
    });
    auto calls = CallsSince(before);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), u"AddAuxCommandToToolsMenu(I2:2, Text:brivane)"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), u"RemoveAuxCommandFromToolsMenu(I2:2, Text:brivane)"), 1);
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].text,
              u"You need to re-start ACT! for the changes to take effect!\r\nDo you want to re-start it now?");
    EXPECT_EQ(screen.boxes[0].style, 4);
    EXPECT_EQ(screen.boxes[0].title, u"Brivane!");
    EXPECT_FALSE(Module2::RestartAct);
    EXPECT_TRUE(mainWindow.visible());
    // The prompt reloaded the window whatever the answer.
    EXPECT_EQ(std::count(calls.begin(), calls.end(), u"CreateObject(Text:ACTOLE.AUXCMDS)"), 2);
}

TEST_F(Integrate, ClickingALabelTogglesItsBoxAndCallsTheHost) {
    size_t before = LogSize();
    Open([](frmIntegrate& f) {
        f.lblScreen[8].Click();  // "Groups" in the Tools-menu group
        EXPECT_EQ(f.chkScreen[8].value(), 1);
        f.lblScreen[8].Click();
        EXPECT_EQ(f.chkScreen[8].value(), 0);
        f.cmdCancel.Click();
    });
    auto calls = CallsSince(before);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), u"AddAuxCommandToToolsMenu(I2:3, Text:brivane)"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), u"RemoveAuxCommandFromToolsMenu(I2:3, Text:brivane)"), 1);
}

TEST_F(Integrate, TheLastResultDecidesBetweenTheFailureNoticeAndThePrompt) {
    Script(u"AddAuxCommandToToolbar", Outcome::Result(Value::I4(1)));
    Open([](frmIntegrate& f) {
        f.chkScreen[0].UserClick();
        f.cmdOK.Click();
    });
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].text, u"Can't add icon or menu item automatically. You will need to proceed manually.");
    EXPECT_EQ(screen.boxes[0].title, u"brivane");
    EXPECT_EQ(screen.boxes[0].style, 0);

    screen.answers.push_back(ui::kNo);
    Open([](frmIntegrate& f) {
        f.chkScreen[9].UserClick();  // succeeds after the earlier failure
        f.cmdOK.Click();
    });
    ASSERT_EQ(screen.boxes.size(), 2u);
    EXPECT_EQ(screen.boxes[1].title, u"Brivane!");
}

TEST_F(Integrate, EscPressesCancel) {
    Open([&](frmIntegrate& f) {
        f.chkScreen[1].UserClick();
        f.PressEscape();
        EXPECT_FALSE(f.loaded());
    });
    EXPECT_TRUE(screen.boxes.empty()) << "Esc pressed Close, which offers the restart";
}

TEST_F(Integrate, ARefusedDefinitionShowsTheNoticeAtOnceAndTheBoxsOwnCallDecidesTheResult) {
    Script(u"AddAuxCommand", Outcome::Result(Value::I4(7)));
    Script(u"AddAuxCommandToToolbar", Outcome::Result(Value::I4(0)));
    size_t before = LogSize();
    Open([&](frmIntegrate& f) {
        f.chkScreen[0].UserClick();
        ASSERT_EQ(screen.boxes.size(), 1u);
        EXPECT_EQ(screen.boxes[0].text,
                  u"Can't add icon or menu item automatically. You will need to proceed manually.");
        EXPECT_EQ(f.LastAuxResult, 0);
        f.cmdCancel.Click();
    });
    auto calls = CallsSince(before);
    auto define = std::find_if(calls.begin(), calls.end(), [](auto& c) { return c.starts_with(u"AddAuxCommand("); });
    ASSERT_NE(define, calls.end());
    ASSERT_NE(define + 1, calls.end());
    EXPECT_EQ(*(define + 1), u"AddAuxCommandToToolbar(I2:1, Text:brivane)");
}

TEST_F(Integrate, ADefinitionThatRaisesLeavesTheResultAsItWasAndTheBoxsCallIsStillMade) {
    Script(u"AddAuxCommand", Outcome::Error(440, u"Busy"));
    Script(u"AddAuxCommandToToolsMenu", Outcome::Error(440, u"Busy"));
    size_t before = LogSize();
    Open([&](frmIntegrate& f) {
        f.LastAuxResult = 5;  // an earlier call's refusal
        f.chkScreen[6].UserClick();
        EXPECT_EQ(f.LastAuxResult, 5);
        f.cmdCancel.Click();
    });
    auto calls = CallsSince(before);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), u"AddAuxCommandToToolsMenu(I2:1, Text:brivane)"), 1);
    // The definition's report, no notice, then the box's own call's report.
    ASSERT_EQ(screen.boxes.size(), 2u);
    EXPECT_NE(screen.boxes[0].text.find(u"in frmIntegrate: Sub CheckCommand - Line # 0"), vb::String::npos);
    EXPECT_NE(screen.boxes[1].text.find(u"in frmIntegrate: Sub chkScreen_Click - Line # 0"), vb::String::npos);
}

TEST_F(Integrate, ARefusalStillCountsAtCloseAfterTheWindowWasClosedAndOpenedAgain) {
    Script(u"AddAuxCommandToToolbar", Outcome::Result(Value::I4(1)), 1);
    Open([](frmIntegrate& f) {
        f.chkScreen[0].UserClick();
        f.cmdCancel.Click();
    });
    // The next call raises: it leaves the earlier refusal in place.
    Script(u"AddAuxCommandToToolsMenu", Outcome::Error(440, u"Busy"));
    Open([](frmIntegrate& f) {
        EXPECT_EQ(f.LastAuxResult, 1);
        f.chkScreen[6].UserClick();
        f.cmdOK.Click();
    });
    ASSERT_EQ(screen.boxes.size(), 2u);
    EXPECT_NE(screen.boxes[0].text.find(u"Sub chkScreen_Click"), vb::String::npos);
    EXPECT_EQ(screen.boxes[1].text, u"Can't add icon or menu item automatically. You will need to proceed manually.");
}

TEST_F(Integrate, AHostThatCannotBeCreatedIsReportedAndEveryClickFailsInTurn) {
    hostState->Update([](State& s) { s.installed = false; });
    Open([](frmIntegrate& f) {
        for (auto& box : f.chkScreen) EXPECT_EQ(box.value(), 0);
        f.chkScreen[0].UserClick();
        EXPECT_TRUE(f.ViewsChanged);
        f.cmdCancel.Click();
    });
    ASSERT_EQ(screen.boxes.size(), 2u);
    EXPECT_EQ(screen.boxes[0].title, u"brivane error");
    EXPECT_EQ(screen.boxes[0].text.substr(0, 49), u"Error 429: 'ActiveX component can't create object");
    EXPECT_NE(screen.boxes[0].text.find(u"\rin frmIntegrate: Sub Form_Load - Line # 0\r\r"), vb::String::npos);
    EXPECT_NE(screen.boxes[1].text.find(u"Error 91: "), vb::String::npos);
    EXPECT_NE(screen.boxes[1].text.find(u"in frmIntegrate: Sub chkScreen_Click - Line # 0"), vb::String::npos);
}

TEST_F(Integrate, AnAnswerThatIsNoBoxStateEndsTheLoadWithTheReport) {
    Script(u"AuxCommandExistsInToolbar", Outcome::Result(Value::I2(-1)));
    Open([](frmIntegrate& f) {
        for (auto& box : f.chkScreen) EXPECT_EQ(box.value(), 0);
        f.cmdCancel.Click();
    });
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_NE(screen.boxes[0].text.find(u"Error 380: 'Invalid property value'\rin frmIntegrate: Sub Form_Load"),
              vb::String::npos);
}

TEST_F(Integrate, YesRestartsTheHostThroughTheMainWindowsCloseHandling) {
    screen.answers.push_back(ui::kYes);
    Open([](frmIntegrate& f) {
        f.chkScreen[0].UserClick();
        f.cmdOK.Click();
    });
    EXPECT_TRUE(Module2::RestartAct);
    EXPECT_FALSE(mainWindow.visible());
    EXPECT_TRUE(mainWindow.loaded());
    EXPECT_TRUE(store.store().Read(settings::kApplication, settings::kSection, settings::key::kLeft).has_value());
    auto calls = CallsSince(0);
    EXPECT_EQ(calls.back(), u"Command(I2:150)");
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0].file, u"C:\\Contacts\\Demo.dbf");
    EXPECT_EQ(mainWindow.tmr1.interval(), 1000);
}

TEST_F(Integrate, FieldsOutliveTheWindowAndReopeningShowsTheHostsState) {
    Open([](frmIntegrate& f) {
        f.chkScreen[4].UserClick();
        f.cmdCancel.Click();
    });
    Open([](frmIntegrate& f) {
        EXPECT_EQ(f.chkScreen[4].value(), 1);
        EXPECT_FALSE(f.ViewsChanged);
        EXPECT_EQ(f.LastAuxResult, 0);
        EXPECT_FALSE(f.ActAuxCmds.IsNothing());
        f.cmdCancel.Click();
        EXPECT_TRUE(f.ActAuxCmds.IsNothing());
    });
}

}  // namespace
