#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/form.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/menu.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/session.h"
#include "platform/vb/report.h"
#include "platform/vb/trap.h"

namespace {

using ui::headless::ProgramEnded;

// A small window with one of each control that reacts to events, counting
// what its handlers saw.
class TestForm : public ui::Form {
public:
    TestForm() : Form(u"frmTest", {.caption = u"Test", .clientWidth = 3000, .clientHeight = 1500}) {
        chk.onClick = [this] { clicks.push_back(chk.value()); };
        cmdOK.onClick = [this] { pressed.push_back(u"OK"); };
        cmdCancel.onClick = [this] { pressed.push_back(u"Cancel"); };
        cmdOther.onClick = [this] { pressed.push_back(u"Other"); };
    }

    ui::Frame fra{*this, {.name = u"fra", .rect = {100, 100, 2000, 1000}, .tab = 4}, {.caption = u"Group"}};
    ui::CheckBox chk{*this, {.name = u"chk", .rect = {50, 60, 255, 255}, .tab = 0, .in = &fra}, {}};
    ui::TextBox txt{*this, {.name = u"txt", .rect = {50, 400, 1000, 315}, .tab = 1, .in = &fra}};
    ui::CommandButton cmdOK{
        *this, {.name = u"cmdOK", .rect = {2200, 100, 700, 325}, .tab = 2}, {.caption = u"&OK", .isDefault = true}};
    ui::CommandButton cmdCancel{*this,
                                {.name = u"cmdCancel", .rect = {2200, 500, 700, 325}, .tab = 3},
                                {.caption = u"&Cancel", .isCancel = true}};
    ui::CommandButton cmdOther{
        *this, {.name = u"cmdOther", .rect = {2200, 900, 700, 325}, .tab = 5}, {.caption = u"Other"}};
    ui::Slider sld{
        *this, {.name = u"sld", .rect = {50, 800, 1500, 400}, .tab = 6, .in = &fra}, {.min = 1, .max = 10, .value = 1}};
    ui::ComboBox cbo{
        *this, {.name = u"cbo", .rect = {50, 1200, 1500, 315}, .tab = 7}, {.text = u"typed", .list = {u"One", u"Two"}}};

    std::vector<int> clicks;
    std::vector<std::u16string> pressed;
    int loads = 0;
    int unloads = 0;
    bool cancelUnload = false;

protected:
    void Form_Load() override { ++loads; }
    void Form_Unload(int16_t& cancel) override {
        ++unloads;
        if (cancelUnload) cancel = 1;
    }
};

class FormsModel : public ::testing::Test {
protected:
    ui::headless::Backend screen;
};

TEST_F(FormsModel, AssigningACheckBoxFiresClickOnlyOnAChange) {
    TestForm f;
    f.Load();
    f.chk.setValue(1);
    f.chk.setValue(1);  // same state: nothing runs
    f.chk.setValue(2);
    f.chk.setValue(0);
    EXPECT_EQ(f.clicks, (std::vector<int>{1, 2, 0}));
}

TEST_F(FormsModel, CheckBoxRejectsStatesOutsideZeroToTwoWithError380) {
    TestForm f;
    f.Load();
    for (int bad : {-1, 3, 32767}) {
        try {
            f.chk.setValue(bad);
            FAIL() << "no error for " << bad;
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), 380);
            EXPECT_EQ(e.description(), u"Invalid property value");
        }
    }
    EXPECT_TRUE(f.clicks.empty());
    EXPECT_EQ(f.chk.value(), 0);
}

TEST_F(FormsModel, UserClickTicksUntickedAndGreyedBoxesAndUnticksTickedOnes) {
    TestForm f;
    f.Load();
    f.chk.UserClick();
    EXPECT_EQ(f.chk.value(), 1);
    f.chk.UserClick();
    EXPECT_EQ(f.chk.value(), 0);
    f.chk.setValue(2);
    f.chk.UserClick();
    EXPECT_EQ(f.chk.value(), 1);
}

TEST_F(FormsModel, UnloadRestoresDesignedControlsButKeepsTheFormObject) {
    TestForm f;
    f.Load();
    f.chk.setValue(1);
    f.txt.UserTyped(u"typed");
    f.sld.setValue(7);
    f.cmdOK.setEnabled(false);
    EXPECT_TRUE(f.Unload());
    EXPECT_FALSE(f.loaded());
    EXPECT_EQ(f.chk.value(), 0);
    EXPECT_EQ(f.txt.text(), u"");
    EXPECT_EQ(f.sld.value(), 1);
    EXPECT_TRUE(f.cmdOK.enabled());
    // Fields of the form object itself outlive the unload.
    EXPECT_EQ(f.clicks.size(), 1u);
    f.Load();
    EXPECT_EQ(f.loads, 2);
}

TEST_F(FormsModel, FormUnloadCanCancelTheClose) {
    TestForm f;
    f.Show();
    f.cancelUnload = true;
    EXPECT_FALSE(f.Unload());
    EXPECT_TRUE(f.loaded());
    EXPECT_TRUE(f.visible());
    f.cancelUnload = false;
    f.UserClose();
    EXPECT_FALSE(f.loaded());
    EXPECT_EQ(f.unloads, 2);
}

TEST_F(FormsModel, TheLastUnloadedFormEndsTheMessageLoop) {
    TestForm a, b;
    a.Show();
    b.Show();
    a.Unload();
    EXPECT_FALSE(screen.quitRequested);
    b.Hide();  // hidden but loaded still keeps the program alive
    EXPECT_FALSE(screen.quitRequested);
    b.Unload();
    EXPECT_TRUE(screen.quitRequested);
}

TEST_F(FormsModel, EnterPressesTheFocusedButtonElseTheDefaultAndEscTheCancelButton) {
    TestForm f;
    f.Show();
    EXPECT_EQ(f.focused(), &f.chk);  // first in tab order
    f.PressEnter();
    f.cmdOther.SetFocus();
    f.PressEnter();
    f.PressEscape();
    EXPECT_EQ(f.pressed, (std::vector<std::u16string>{u"OK", u"Other", u"Cancel"}));
}

TEST_F(FormsModel, DisabledDefaultButtonIsNotPressed) {
    TestForm f;
    f.Show();
    f.cmdOK.setEnabled(false);
    f.PressEnter();
    EXPECT_TRUE(f.pressed.empty());
}

TEST_F(FormsModel, TabOrderFollowsTabIndexAndSkipsDisabledAndHiddenContainers) {
    TestForm f;
    f.Load();
    auto order = f.TabOrder();
    ASSERT_EQ(order.size(), 7u);  // the frame itself takes no focus
    EXPECT_EQ(order[0], &f.chk);
    EXPECT_EQ(order[5], &f.sld);
    f.fra.setVisible(false);
    order = f.TabOrder();
    EXPECT_EQ(order.size(), 4u);  // the three buttons and the drop-down box
}

TEST_F(FormsModel, ControlsInsideAFrameArePlacedRelativeToIt) {
    TestForm f;
    ui::TwipsRect r = f.chk.FormRect();
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 160);
}

TEST_F(FormsModel, SliderRejectsPositionsOutsideItsRangeButClampsUserMoves) {
    TestForm f;
    f.Load();
    EXPECT_THROW(f.sld.setValue(11), vb::Error);
    EXPECT_THROW(f.sld.setValue(0), vb::Error);
    f.sld.UserMoved(99);
    EXPECT_EQ(f.sld.value(), 10);
}

TEST_F(FormsModel, ADropDownBoxTakesAChosenEntryThenRunsClickAndForgetsItOnTyping) {
    TestForm f;
    std::vector<std::pair<vb::String, int>> clicked;
    int changes = 0;
    f.cbo.onClick = [&] { clicked.emplace_back(f.cbo.text(), f.cbo.listIndex()); };
    f.cbo.onChange = [&] { ++changes; };
    f.Load();
    EXPECT_EQ(f.TabOrder().back(), &f.cbo);
    f.cbo.UserChose(1);
    f.cbo.UserChose(2);  // not in the list
    f.cbo.UserChose(-1);
    EXPECT_EQ(clicked, (std::vector<std::pair<vb::String, int>>{{u"Two", 1}}));
    EXPECT_EQ(f.cbo.IndexOf(u"One"), 0);
    EXPECT_EQ(f.cbo.IndexOf(u"one"), -1);
    f.cbo.UserTyped(u"Two");  // the same text, typed: no entry is chosen now
    EXPECT_EQ(f.cbo.listIndex(), -1);
    EXPECT_EQ(changes, 1);
    f.Unload();
    f.Load();
    EXPECT_EQ(f.cbo.text(), u"typed");
    EXPECT_EQ(f.cbo.listIndex(), -1);
}

// A window with a list of entries and a drop-down list, noting what their
// handlers saw.
class ListForm : public ui::Form {
public:
    ListForm() : Form(u"frmList", {.caption = u"List", .clientWidth = 3000, .clientHeight = 3000}) {
        lst.onClick = [this] { selections.push_back(lst.listIndex()); };
        lst.onKeyDown = [this](int& key, int shift) {
            keys.emplace_back(key, shift);
            if (key == ui::kKeyDelete) key = 0;
        };
        cbo.onClick = [this] { chosen.emplace_back(cbo.text(), cbo.listIndex()); };
    }
    ui::ListBox lst{*this, {.name = u"lst", .rect = {100, 100, 2000, 1500}, .tab = 0}, {.list = {u"A", u"B"}}};
    ui::ComboBox cbo{*this,
                     {.name = u"cbo", .rect = {100, 1800, 2000, 315}, .tab = 1},
                     {.list = {u"Driving", u"Walking"}, .listOnly = true}};
    std::vector<int> selections;
    std::vector<std::pair<int, int>> keys;
    std::vector<std::pair<vb::String, int>> chosen;
};

int ErrorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const vb::Error& e) {
        return e.number();
    }
    return 0;
}

TEST_F(FormsModel, AListKeepsItsSelectionOnItsEntryAsEntriesComeAndGo) {
    ListForm f;
    f.Load();
    EXPECT_EQ(f.TabOrder().front(), &f.lst);
    EXPECT_EQ(f.lst.listIndex(), -1);
    f.lst.setListIndex(1);
    f.lst.AddItem(u"First", 0);
    EXPECT_EQ(f.lst.list(), (std::vector<vb::String>{u"First", u"A", u"B"}));
    EXPECT_EQ(f.lst.listIndex(), 2);  // still on "B"
    f.lst.AddItem(u"Last");
    f.lst.RemoveItem(0);
    EXPECT_EQ(f.lst.listIndex(), 1);
    f.lst.setItem(1, u"Bee");
    EXPECT_EQ(f.lst.list(), (std::vector<vb::String>{u"A", u"Bee", u"Last"}));
    f.lst.RemoveItem(1);  // the selected entry goes: none is selected
    EXPECT_EQ(f.lst.listIndex(), -1);
    f.lst.setListIndex(0);
    f.lst.Clear();
    EXPECT_EQ(f.lst.listCount(), 0);
    EXPECT_EQ(f.lst.listIndex(), -1);
    // Click ran for the program's selections, each once.
    EXPECT_EQ(f.selections, (std::vector<int>{1, 0}));
}

TEST_F(FormsModel, AListRefusesPlacesOutsideItsEntries) {
    ListForm f;
    f.Load();
    EXPECT_EQ(ErrorNumberOf([&] { f.lst.setListIndex(2); }), 380);
    EXPECT_EQ(ErrorNumberOf([&] { f.lst.setListIndex(-2); }), 380);
    EXPECT_EQ(ErrorNumberOf([&] { f.lst.AddItem(u"x", 3); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { f.lst.RemoveItem(2); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { f.lst.setItem(-1, u"x"); }), 5);
    EXPECT_EQ(f.lst.list(), (std::vector<vb::String>{u"A", u"B"}));
    f.lst.setListIndex(-1);  // none selected already: nothing runs
    EXPECT_TRUE(f.selections.empty());
}

TEST_F(FormsModel, TheUsersSelectionAndKeysReachTheHandlers) {
    ListForm f;
    f.Load();
    f.lst.UserSelected(1);
    f.lst.UserSelected(1);  // no change
    f.lst.UserSelected(5);  // not an entry
    EXPECT_EQ(f.selections, (std::vector<int>{1}));
    int del = ui::kKeyDelete, down = 40;
    f.lst.UserKeyDown(del, 0);
    f.lst.UserKeyDown(down, 1);
    EXPECT_EQ(del, 0);  // taken by the handler
    EXPECT_EQ(down, 40);
    EXPECT_EQ(f.keys, (std::vector<std::pair<int, int>>{{ui::kKeyDelete, 0}, {40, 1}}));
    f.Unload();
    f.Load();
    EXPECT_EQ(f.lst.list(), (std::vector<vb::String>{u"A", u"B"}));
    EXPECT_EQ(f.lst.listIndex(), -1);
}

TEST_F(FormsModel, ADropDownListShowsTheEntryTheProgramOrTheUserChose) {
    ListForm f;
    f.Load();
    EXPECT_TRUE(f.cbo.listOnly());
    f.cbo.setListIndex(1);
    f.cbo.setListIndex(1);
    f.cbo.UserChose(0);
    EXPECT_EQ(f.cbo.text(), u"Driving");
    f.cbo.setListIndex(-1);
    EXPECT_EQ(f.cbo.text(), u"");
    EXPECT_EQ(f.chosen, (std::vector<std::pair<vb::String, int>>{{u"Walking", 1}, {u"Driving", 0}, {u"", -1}}));
    EXPECT_EQ(ErrorNumberOf([&] { f.cbo.setListIndex(2); }), 380);
}

TEST_F(FormsModel, ModalFormRunsItsScriptAndIsClosedIfTheScriptLeavesItOpen) {
    TestForm f;
    screen.onModal[u"frmTest"] = [](ui::Form& form) { static_cast<TestForm&>(form).chk.UserClick(); };
    f.ShowModal();
    EXPECT_FALSE(f.loaded());
    EXPECT_EQ(f.clicks, (std::vector<int>{1}));
    EXPECT_EQ(screen.modalShown, (std::vector<std::u16string>{u"frmTest"}));
}

TEST_F(FormsModel, PositionIsReportedInTwipsOfTheScreen) {
    screen.twipsPerPixelX = 12;
    screen.twipsPerPixelY = 12;
    TestForm f;
    f.Place(true, {10, 20, 233, 140});
    EXPECT_FLOAT_EQ(f.Left(), 120);
    EXPECT_FLOAT_EQ(f.Top(), 240);
    EXPECT_TRUE(ui::headless::StateOf(f).topmost);
}

TEST_F(FormsModel, MessageBoxesAreTitledWithTheProgramByDefault) {
    screen.answers.push_back(ui::kNo);
    EXPECT_EQ(ui::MsgBox(u"Sure?", ui::kYesNo), ui::kNo);
    EXPECT_EQ(ui::MsgBox(u"Done", ui::kOkOnly, u"Brivane!"), ui::kOk);
    ASSERT_EQ(screen.boxes.size(), 2u);
    EXPECT_EQ(screen.boxes[0].title, u"brivane");
    EXPECT_EQ(screen.boxes[1].title, u"Brivane!");
}

TEST_F(FormsModel, AnUntrappedErrorShowsTheStandardMessageAndEndsTheProgram) {
    EXPECT_THROW(ui::Dispatch([] { throw vb::Error(13); }), ProgramEnded);
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].text, u"Run-time error '13':\r\n\r\nType mismatch");
    EXPECT_EQ(screen.boxes[0].title, u"brivane");
    EXPECT_TRUE(screen.ended);
    EXPECT_EQ(screen.exitCode, ui::kExitUnhandledError);
    EXPECT_NE(ui::kExitUnhandledError, 0) << "a script that started the program must be able to tell";
}

// Whatever a handler throws, nothing passes an entry from the system: an
// exception that is no run-time error gets the same message, with a
// generic text.
TEST_F(FormsModel, AnExceptionOfAnyTypeEndsTheProgramWithTheStandardMessage) {
    struct NotAnError {};
    EXPECT_THROW(ui::Dispatch([] { throw 42; }), ProgramEnded);
    EXPECT_THROW(ui::Dispatch([] { throw NotAnError{}; }), ProgramEnded);
    EXPECT_THROW(ui::Dispatch([] { throw "text"; }), ProgramEnded);
    ASSERT_EQ(screen.boxes.size(), 3u);
    for (const ui::headless::ShownBox& box : screen.boxes) {
        EXPECT_EQ(box.text, u"Run-time error '51':\r\n\r\nInternal error");
        EXPECT_EQ(box.style, vb::kUnhandledErrorStyle);
    }
    EXPECT_EQ(screen.exitCode, ui::kExitUnhandledError);
}

// The program's own end (the end timer) is no error: it passes every entry
// untouched, and an entry that answers the system gives back the answer.
TEST_F(FormsModel, TheProgramsOwnEndPassesAndAnswersComeBack) {
    try {
        ui::Dispatch([] { ui::Dispatch([] { ui::backend().End(0); }); });
        ADD_FAILURE() << "the end did not reach the caller";
    } catch (const ProgramEnded& end) {
        EXPECT_EQ(end.exitCode, 0);
    }
    EXPECT_TRUE(screen.boxes.empty());
    EXPECT_EQ(ui::Dispatch([] { return 7; }), 7);
}

TEST_F(FormsModel, TheSessionsEndRunsItsHandlerOnceUntilAnotherIsNamed) {
    int ran = 0;
    ui::OnSessionEnd([&] { ++ran; });
    ui::SessionEnding();
    ui::SessionEnding();
    EXPECT_EQ(ran, 1);
    ui::OnSessionEnd([&] { ran += 10; });
    ui::SessionEnding();
    EXPECT_EQ(ran, 11);

    // An error there is reported as anywhere else.
    ui::OnSessionEnd([] { throw vb::Error(75); });
    EXPECT_THROW(ui::SessionEnding(), ProgramEnded);
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].text, u"Run-time error '75':\r\n\r\nPath/File access error");
    ui::OnSessionEnd(nullptr);
    ui::SessionEnding();
}

TEST_F(FormsModel, ATrappedErrorShowsTheCommonReportAndCarriesOn) {
    bool after = false;
    vb::Trap({u"frmAbout", vb::ProcedureKind::Sub, u"Form_Load"}, [] { throw vb::Error(91); });
    after = true;
    EXPECT_TRUE(after);
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].title, u"brivane error");
    EXPECT_EQ(screen.boxes[0].style, 0);
    EXPECT_EQ(screen.boxes[0].text,
              u"Error 91: 'Object variable or With block variable not set'\r"
              u"in frmAbout: Sub Form_Load - Line # 0\r\r"
              u"Please contact support@example.com with this error message.");
    vb::Trap({u"IniLib", vb::ProcedureKind::Function, u"GetKeyValue"}, [] { throw std::bad_alloc(); });
    EXPECT_EQ(screen.boxes[1].text.substr(0, 25), u"Error 7: 'Out of memory'\r");
    EXPECT_NE(screen.boxes[1].text.find(u"in IniLib: Function GetKeyValue - Line # 0"), std::u16string::npos);
}

TEST_F(FormsModel, MenusKeepTheirItemsInOrderAndSeparatorsDoNothing) {
    TestForm f;
    ui::Menu options{f, u"mnuOptions", u"Options"};
    ui::Menu integrate{options, u"mnuIntegrate", u"Integrate with ACT!"};
    ui::Menu sep{options, u"mnuSep", u"-"};
    int n = 0;
    sep.onClick = [&] { ++n; };
    integrate.onClick = [&] { n += 10; };
    sep.Click();
    integrate.Click();
    EXPECT_EQ(n, 10);
    EXPECT_EQ(options.items().size(), 2u);
    EXPECT_TRUE(sep.IsSeparator());
}

// A form that lives as long as the process (the main window) may still be
// loaded when the statics are destroyed at the end, after the list of
// loaded forms was made: taking itself off must not touch a destroyed list
// (the sanitizer build sees freed memory read).
void EndWithAStaticFormStillLoaded() {
    static ui::headless::Backend* screen = new ui::headless::Backend;
    static TestForm form;
    form.Load();
    (void)screen;
    std::exit(0);
}

TEST(FormsModelDeathTest, AFormStillLoadedWhenTheProcessEndsLeavesCleanly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(EndWithAStaticFormStillLoaded(), testing::ExitedWithCode(0), "");
}

}  // namespace
