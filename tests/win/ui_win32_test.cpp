// The forms model on real windows, under a display: what the windows look
// like to the system, and that what the user does with them reaches the
// model (and only once). Without a display no window can be made, and the
// tests skip.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/win32/control_window.h"
#include "platform/ui/win32/fonts.h"
#include "platform/ui/win32/screen.h"
#include "platform/ui/win32/win32_backend.h"
#include "platform/vb/error.h"
#include "tests/win/real_windows.h"

namespace {

using namespace real_windows;
using Events = std::vector<std::u16string>;

LONG Style(HWND h) { return GetWindowLongW(h, GWL_STYLE); }

// A key pressed and let go where the focus is, through the message loop.
void PressKey(UINT vk) {
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, vk, 1);
    PostMessageW(focus, WM_KEYUP, vk, 0xC0000001);
}
LONG ExStyle(HWND h) { return GetWindowLongW(h, GWL_EXSTYLE); }

LOGFONTW FontOf(HWND h) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

// Where a child stands in its form's client area, in pixels.
ui::PixelRect PlaceOf(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return ui::win32::FromRect(r);
}

void ExpectRect(const ui::PixelRect& got, int x, int y, int w, int h) {
    EXPECT_EQ(got.x, x);
    EXPECT_EQ(got.y, y);
    EXPECT_EQ(got.width, w);
    EXPECT_EQ(got.height, h);
}

// A window with one control of each kind; handlers record what ran.
class Sink : public ui::Form {
public:
    Sink()
        : Form(u"frmSink", {.caption = u"Sink",
                            .clientWidth = 6000,
                            .clientHeight = 4000,
                            .border = ui::BorderStyle::Sizable,
                            .minButton = false,
                            .maxButton = false,
                            .left = 1500,
                            .top = 1500}) {
        cmdGo.onClick = [this] { events.push_back(u"go"); };
        cmdStop.onClick = [this] { events.push_back(u"stop"); };
        chk.onClick = [this] { events.push_back(u"chk " + std::u16string(1, char16_t(u'0' + chk.value()))); };
        txt.onChange = [this] { events.push_back(u"txt " + txt.text()); };
        lbl.onClick = [this] { events.push_back(u"lbl"); };
        sld.onChange = [this] { events.push_back(u"sld"); };
        mnuOpen.onClick = [this] { events.push_back(u"open"); };
    }

    // Declared out of tab order on purpose: the windows follow the tab order.
    ui::Frame fra{*this, {.name = u"fra", .rect = {300, 600, 3000, 1500}, .tab = 2}, {.caption = u"Group"}};
    ui::CheckBox chk{
        *this, {.name = u"chk", .rect = {150, 300, 2000, 255}, .tab = 3, .in = &fra}, {.caption = u"Tick"}};
    ui::TextBox txt{*this, {.name = u"txt", .rect = {150, 700, 2000, 315}, .tab = 4, .in = &fra}};
    ui::CommandButton cmdGo{
        *this, {.name = u"cmdGo", .rect = {862, 120, 1680, 360}, .tab = 0}, {.caption = u"&Go", .isDefault = true}};
    ui::CommandButton cmdStop{
        *this, {.name = u"cmdStop", .rect = {3000, 120, 1200, 360}, .tab = 1}, {.caption = u"&Stop", .isCancel = true}};
    ui::Label lbl{*this, {.name = u"lbl", .rect = {3500, 700, 1500, 255}, .tab = 5}, {.caption = u"&Label"}};
    ui::Label lnk{
        *this, {.name = u"lnk", .rect = {3500, 1100, 1500, 255}, .tab = 6}, {.caption = u"example.com", .link = true}};
    ui::Label big{*this,
                  {.name = u"big", .rect = {3500, 1500, 2400, 400}, .tab = 7},
                  {.caption = u"Big", .font = {.face = u"No Such Face Anywhere", .points = 13.5, .bold = true}}};
    ui::Slider sld{*this,
                   {.name = u"sld", .rect = {300, 2300, 3000, 500}, .tab = 8},
                   {.min = 1, .max = 10, .smallChange = 1, .largeChange = 3, .value = 4}};
    ui::PictureBox pic{*this, {.name = u"pic", .rect = {4000, 2300, 525, 765}}, {.icon = 4242}};
    ui::Line lin{*this, u"lin", {.x1 = 0, .y1 = 0, .x2 = 6000, .y2 = 0, .colour = 0x808080}};
    ui::Timer tmr{*this, u"tmr", {.enabled = true, .interval = 0}};
    ui::Menu mnuFile{*this, u"mnuFile", u"&File"};
    ui::Menu mnuOpen{mnuFile, u"mnuOpen", u"&Open"};
    ui::Menu mnuSep{mnuFile, u"mnuSep", u"-"};
    ui::Menu mnuQuit{mnuFile, u"mnuQuit", u"&Quit"};

    Events events;
};

// A small dialog: a text box, OK (Enter) and Cancel (Esc), and a timer that
// runs a script of steps inside the form's modal loop.
class Dialog : public ui::Form {
public:
    Dialog()
        : Form(u"frmDialog", {.caption = u"Dialog",
                              .clientWidth = 4500,
                              .clientHeight = 1500,
                              .border = ui::BorderStyle::FixedDialog,
                              .minButton = false,
                              .maxButton = false,
                              .showInTaskbar = false,
                              .startPosition = ui::StartPosition::CenterScreen}) {
        cmdOK.onClick = [this] {
            events.push_back(u"ok");
            if (closeOnPress) Unload();
        };
        cmdCancel.onClick = [this] {
            events.push_back(u"cancel");
            if (closeOnPress) Unload();
        };
        tmr.onTimer = [this] {
            if (steps.empty()) return;
            auto step = std::move(steps.front());
            steps.erase(steps.begin());
            step();
        };
    }

    ui::TextBox txt{*this, {.name = u"txt", .rect = {200, 200, 2500, 315}, .tab = 0}};
    ui::CommandButton cmdOK{
        *this, {.name = u"cmdOK", .rect = {3200, 200, 1000, 325}, .tab = 1}, {.caption = u"&OK", .isDefault = true}};
    ui::CommandButton cmdCancel{*this,
                                {.name = u"cmdCancel", .rect = {3200, 600, 1000, 325}, .tab = 2},
                                {.caption = u"&Cancel", .isCancel = true}};
    ui::Timer tmr{*this, u"tmr", {.enabled = true, .interval = 30}};

    std::vector<std::function<void()>> steps;
    bool closeOnPress = true;
    Events events;
};

class Win32Forms : public testing::Test {
protected:
    void SetUp() override {
        if (!DisplayAvailable()) GTEST_SKIP() << "no display: windows cannot be created here (set DISPLAY)";
        Drain();
        screen = std::make_unique<ui::win32::Backend>();
    }
    void TearDown() override {
        screen.reset();
        Drain();
    }

    // Messages left by a test (and the quit of its last unloaded form) do
    // not reach the next one.
    static void Drain() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message != WM_QUIT) DispatchMessageW(&msg);
    }

    // Dispatches the messages that arrive in the next `ms` milliseconds.
    static void PumpFor(DWORD ms) {
        DWORD start = GetTickCount();
        while (GetTickCount() - start < ms) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            Sleep(5);
        }
    }

    std::unique_ptr<ui::win32::Backend> screen;
};

// Answers the first visible message box of this thread with boxAnswer,
// noting its owner and text.
struct SeenBox {
    HWND owner;
    std::wstring text;
};
std::vector<SeenBox> seenBoxes;
int boxAnswer = IDOK;

void CALLBACK AnswerTheBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND h = FirstBoxOfThisThread();
    if (!h) return;
    seenBoxes.push_back({GetWindow(h, GW_OWNER), TextOf(GetDlgItem(h, 0xFFFF))});
    SendMessageW(GetDlgItem(h, boxAnswer), BM_CLICK, 0, 0);
}

// ---- what the windows are ----

TEST_F(Win32Forms, EachControlKindIsTheSystemWindowItStandsFor) {
    Sink f;
    f.Load();
    HWND form = Hwnd(f);
    EXPECT_EQ(TextOf(form), L"Sink");
    EXPECT_FALSE(IsWindowVisible(form));  // Load does not show
    EXPECT_TRUE(Style(form) & WS_THICKFRAME);
    EXPECT_FALSE(Style(form) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    HWND go = Hwnd(f.cmdGo), stop = Hwnd(f.cmdStop);
    EXPECT_EQ(ClassOf(go), L"Button");
    EXPECT_EQ(Style(go) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(Style(stop) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_TRUE(Style(go) & WS_TABSTOP);
    EXPECT_EQ(TextOf(go), L"&Go");
    EXPECT_GE(GetDlgCtrlID(go), 100);  // never IDOK or IDCANCEL

    // The model decides the box's state: not an automatic box, three states.
    EXPECT_EQ(Style(Hwnd(f.chk)) & BS_TYPEMASK, BS_3STATE);

    HWND txt = Hwnd(f.txt);
    EXPECT_EQ(ClassOf(txt), L"Edit");
    EXPECT_TRUE(ExStyle(txt) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(Style(txt) & ES_AUTOHSCROLL);
    EXPECT_GE(static_cast<unsigned>(SendMessageW(txt, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);

    HWND fra = Hwnd(f.fra);
    EXPECT_EQ(Style(fra) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_FALSE(Style(fra) & WS_TABSTOP);

    HWND lbl = Hwnd(f.lbl);
    EXPECT_EQ(ClassOf(lbl), L"Static");
    EXPECT_TRUE(Style(lbl) & SS_NOTIFY);
    EXPECT_FALSE(Style(lbl) & SS_NOPREFIX);  // "&" marks an access key

    HWND sld = Hwnd(f.sld);
    EXPECT_EQ(ClassOf(sld), TRACKBAR_CLASSW);
    EXPECT_TRUE(Style(sld) & TBS_AUTOTICKS);
    EXPECT_EQ(SendMessageW(sld, TBM_GETRANGEMIN, 0, 0), 1);
    EXPECT_EQ(SendMessageW(sld, TBM_GETRANGEMAX, 0, 0), 10);
    EXPECT_EQ(SendMessageW(sld, TBM_GETLINESIZE, 0, 0), 1);
    EXPECT_EQ(SendMessageW(sld, TBM_GETPAGESIZE, 0, 0), 3);
    EXPECT_EQ(SendMessageW(sld, TBM_GETPOS, 0, 0), 4);

    // A picture the program does not hold leaves the box empty.
    HWND pic = Hwnd(f.pic);
    EXPECT_EQ(Style(pic) & SS_TYPEMASK, SS_ICON);
    EXPECT_EQ(SendMessageW(pic, STM_GETIMAGE, IMAGE_ICON, 0), 0);
}

TEST_F(Win32Forms, TheMenuBarHoldsTheMenusAndItsCommandsRunTheirItems) {
    Sink f;
    f.Load();
    HMENU bar = GetMenu(Hwnd(f));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoW(file, 1, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);
    ASSERT_TRUE(GetMenuItemInfoW(file, 0, TRUE, &info));
    EXPECT_EQ(static_cast<int>(info.wID), f.mnuOpen.commandId);

    SendMessageW(Hwnd(f), WM_COMMAND, MAKEWPARAM(f.mnuOpen.commandId, 0), 0);
    EXPECT_EQ(f.events, Events{u"open"});
}

TEST_F(Win32Forms, TwipsBecomePixelsOfTheScreenRoundingHalvesToEven) {
    // The .5 cases cannot arise at 96 dpi (15 twips a pixel); at 120 dpi
    // (12 twips a pixel) they do: 30 -> 2.5 -> 2, 18 -> 1.5 -> 2, 6 -> 0.
    ui::PixelRect r = ui::win32::ToPixels({30, 18, 6, 42}, {12, 12});
    ExpectRect(r, 2, 2, 0, 4);

    if (screen->TwipsPerPixelX() != 15 || screen->TwipsPerPixelY() != 15) GTEST_SKIP() << "the screen is not at 96 dpi";
    Sink f;
    f.Load();
    ExpectRect(PlaceOf(Hwnd(f.cmdGo)), 57, 8, 112, 24);
    // Inside the frame: placed from the frame's corner, 300+150, 600+300.
    ExpectRect(PlaceOf(Hwnd(f.chk)), 30, 60, 133, 17);
    RECT client{};
    GetClientRect(Hwnd(f), &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 267);  // 266.67
}

TEST_F(Win32Forms, TabFollowsTheModelsTabOrderAndFramesLieUnderTheirContents) {
    Sink f;
    f.Load();
    HWND form = Hwnd(f);
    std::vector<HWND> expected{Hwnd(f.cmdGo), Hwnd(f.cmdStop), Hwnd(f.chk), Hwnd(f.txt), Hwnd(f.sld)};
    std::vector<HWND> got;
    HWND h = GetNextDlgTabItem(form, nullptr, FALSE);
    for (size_t i = 0; h && i < expected.size(); ++i, h = GetNextDlgTabItem(form, h, FALSE)) got.push_back(h);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(h, expected.front());  // and round again
    EXPECT_EQ(GetWindow(GetWindow(form, GW_CHILD), GW_HWNDLAST), Hwnd(f.fra));
}

TEST_F(Win32Forms, AFrameDisablesAndHidesWhatItHolds) {
    Sink f;
    f.Show();
    f.fra.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(Hwnd(f.chk)));
    EXPECT_TRUE(IsWindowEnabled(Hwnd(f.cmdGo)));
    f.fra.setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(Hwnd(f.chk)));
    f.fra.setVisible(false);
    EXPECT_FALSE(IsWindowVisible(Hwnd(f.txt)));
    f.txt.setVisible(false);
    f.fra.setVisible(true);
    EXPECT_FALSE(IsWindowVisible(Hwnd(f.txt)));  // its own setting still holds
    EXPECT_TRUE(IsWindowVisible(Hwnd(f.chk)));
}

TEST_F(Win32Forms, LinksAreUnderlinedWithAPointingHandAndMissingFacesFallBack) {
    Sink f;
    f.Show();
    LOGFONTW font = FontOf(Hwnd(f.lnk));
    EXPECT_TRUE(font.lfUnderline);
    SendMessageW(Hwnd(f), WM_SETCURSOR, reinterpret_cast<WPARAM>(Hwnd(f.lnk)), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

    // A face that is not installed: the window's own face, at the size
    // and weight asked for.
    LOGFONTW own = FontOf(Hwnd(f.lbl));
    font = FontOf(Hwnd(f.big));
    EXPECT_STREQ(font.lfFaceName, own.lfFaceName);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfHeight, -MulDiv(135, static_cast<int>(1440 / screen->TwipsPerPixelY()), 720));
}

// The designed sizes were made for 8.25 pt MS Sans Serif: every control has
// it (or its TrueType twin where the system has that) unless it names
// another font, whatever the system's message font is.
TEST_F(Win32Forms, EveryControlHasTheDesignedFontUnlessItNamesAnother) {
    Sink f;
    f.Load();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    std::u16string face = ui::win32::InstalledFace(ui::Font::kDesignedFace,
                                                   reinterpret_cast<const char16_t*>(metrics.lfMessageFont.lfFaceName));
    if (ui::win32::FaceInstalled(L"Microsoft Sans Serif")) {
        EXPECT_EQ(face, u"Microsoft Sans Serif");
    } else if (ui::win32::FaceInstalled(L"MS Sans Serif")) {
        EXPECT_EQ(face, u"MS Sans Serif");
    }
    const int dpi = static_cast<int>(std::lround(1440 / screen->TwipsPerPixelY()));
    for (HWND h : {Hwnd(f.cmdGo), Hwnd(f.chk), Hwnd(f.txt), Hwnd(f.fra), Hwnd(f.lbl), Hwnd(f.lnk)}) {
        LOGFONTW font = FontOf(h);
        EXPECT_EQ(reinterpret_cast<const char16_t*>(font.lfFaceName), face) << ClassOf(h);
        EXPECT_EQ(font.lfHeight, -std::lround(8.25 * dpi / 72)) << ClassOf(h);
        EXPECT_EQ(font.lfWeight, FW_NORMAL) << ClassOf(h);
    }
    EXPECT_TRUE(FontOf(Hwnd(f.lnk)).lfUnderline);
}

// ---- what the user does reaches the model ----

TEST_F(Win32Forms, CheckBoxesShowTheModelsStateAndClickOnce) {
    Sink f;
    f.Show();
    HWND box = Hwnd(f.chk);
    f.chk.setValue(1);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    f.chk.setValue(2);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(f.events, (Events{u"chk 1", u"chk 2"}));

    f.events.clear();
    SendMessageW(box, BM_CLICK, 0, 0);  // greyed -> ticked
    EXPECT_EQ(f.chk.value(), 1);
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_EQ(f.chk.value(), 0);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(f.events, (Events{u"chk 1", u"chk 0"}));
}

TEST_F(Win32Forms, TypedTextReachesTheModelAndTheProgramsTextDoesNotEcho) {
    Sink f;
    f.Show();
    HWND edit = Hwnd(f.txt);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed"));
    EXPECT_EQ(f.txt.text(), u"typed");
    f.txt.setText(u"set by the program");
    EXPECT_EQ(TextOf(edit), L"set by the program");
    EXPECT_EQ(f.events, (Events{u"txt typed", u"txt set by the program"}));
}

TEST_F(Win32Forms, SliderKeysMoveByTheModelsStepsAndReachTheModel) {
    Sink f;
    f.Show();
    HWND sld = Hwnd(f.sld);
    SendMessageW(sld, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(f.sld.value(), 5);
    SendMessageW(sld, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(f.sld.value(), 8);
    SendMessageW(sld, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(f.sld.value(), 10);
    f.sld.setValue(2);
    EXPECT_EQ(SendMessageW(sld, TBM_GETPOS, 0, 0), 2);
    EXPECT_EQ(f.events.size(), 4u);
}

TEST_F(Win32Forms, LabelClicksAndButtonPressesRunTheirHandlers) {
    Sink f;
    f.Show();
    SendMessageW(Hwnd(f), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Hwnd(f.lbl)), STN_CLICKED),
                 reinterpret_cast<LPARAM>(Hwnd(f.lbl)));
    SendMessageW(Hwnd(f.cmdStop), BM_CLICK, 0, 0);
    EXPECT_EQ(f.events, (Events{u"lbl", u"stop"}));
}

TEST_F(Win32Forms, CaptionsTheProgramSetsShowAtOnce) {
    Sink f;
    f.Show();
    f.cmdGo.setCaption(u"&Run");
    f.lbl.setCaption(u"Changed");
    EXPECT_EQ(TextOf(Hwnd(f.cmdGo)), L"&Run");
    EXPECT_EQ(TextOf(Hwnd(f.lbl)), L"Changed");
}

// The dialog manager moves the focus without telling the form: every kind
// that takes the focus reports it from its own window.
TEST_F(Win32Forms, EveryKindThatTakesTheFocusReportsItToTheModel) {
    Sink f;
    f.Show();
    for (ui::Control* c : std::initializer_list<ui::Control*>{&f.chk, &f.txt, &f.sld, &f.cmdStop}) {
        SetFocus(Hwnd(*c));
        EXPECT_EQ(f.focused(), c) << ClassOf(Hwnd(*c));
    }
}

// WM_TIMER comes with a control's id: only a timer's id ticks, once.
TEST_F(Win32Forms, OnlyATimersIdTicks) {
    Sink f;
    int ticks = 0;
    f.tmr.onTimer = [&] { ++ticks; };
    f.Load();
    f.tmr.setInterval(60000);  // running, and not due in this test
    auto idOf = [](const ui::Control& c) { return static_cast<ui::win32::ControlWindow*>(c.peer)->id(); };
    for (const ui::Control* c : std::initializer_list<const ui::Control*>{&f.cmdGo, &f.lin, &f.fra})
        SendMessageW(Hwnd(f), WM_TIMER, static_cast<WPARAM>(idOf(*c)), 0);
    EXPECT_EQ(ticks, 0);
    SendMessageW(Hwnd(f), WM_TIMER, static_cast<WPARAM>(idOf(f.tmr)), 0);
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(f.events.empty());
}

// WM_CTLCOLORSTATIC: a link label draws in link blue on the form's face;
// other labels and check boxes keep the system's colours.
TEST_F(Win32Forms, LinkLabelsAnswerTheirTextColourAndOthersKeepTheSystems) {
    Sink f;
    f.Show();
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    auto colourFor = [&](HWND child) {
        SetTextColor(dc, RGB(1, 2, 3));
        SendMessageW(Hwnd(f), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child));
        return GetTextColor(dc);
    };
    EXPECT_EQ(colourFor(Hwnd(f.lnk)), RGB(0, 102, 204));
    EXPECT_NE(colourFor(Hwnd(f.lbl)), RGB(0, 102, 204));
    EXPECT_NE(colourFor(Hwnd(f.chk)), RGB(0, 102, 204));
    DeleteDC(dc);
}

TEST_F(Win32Forms, OkAndCancelCommandsPressTheDefaultAndCancelButtons) {
    Sink f;
    f.Show();
    HWND form = Hwnd(f);
    EXPECT_EQ(SendMessageW(form, DM_GETDEFID, 0, 0), MAKELRESULT(GetDlgCtrlID(Hwnd(f.cmdGo)), DC_HASDEFID));
    SendMessageW(form, WM_COMMAND, IDOK, 0);
    SendMessageW(form, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(f.events, (Events{u"go", u"stop"}));

    f.cmdGo.setEnabled(false);
    EXPECT_EQ(SendMessageW(form, DM_GETDEFID, 0, 0), 0);
    SendMessageW(form, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(f.events.size(), 2u);
}

TEST_F(Win32Forms, FocusMovesAreReportedToTheModel) {
    Sink f;
    f.Show();
    SetFocus(Hwnd(f.txt));
    EXPECT_EQ(f.focused(), &f.txt);
    f.chk.SetFocus();
    EXPECT_EQ(GetFocus(), Hwnd(f.chk));
}

TEST_F(Win32Forms, TheFocusComesBackWhereItWasWhenTheWindowIsActivatedAgain) {
    Sink f;
    Dialog other;
    f.Show();
    EXPECT_EQ(GetFocus(), Hwnd(f.cmdGo));  // first in tab order
    f.txt.SetFocus();
    other.Show();
    ASSERT_EQ(GetActiveWindow(), Hwnd(other));
    EXPECT_EQ(GetFocus(), Hwnd(other.txt));
    SetActiveWindow(Hwnd(f));
    EXPECT_EQ(GetFocus(), Hwnd(f.txt));
    EXPECT_EQ(f.focused(), &f.txt);
}

TEST_F(Win32Forms, IconsAndPicturesComeFromTheProgramsResources) {
    // The system's own module holds the standard application icon.
    screen.reset();
    screen = std::make_unique<ui::win32::Backend>(GetModuleHandleW(L"user32.dll"));
    class Pictured : public ui::Form {
    public:
        Pictured()
            : Form(u"frmPictured", {.caption = u"Pictured", .clientWidth = 3000, .clientHeight = 1500, .icon = 32512}) {
        }
        ui::PictureBox pic{*this, {.name = u"pic", .rect = {100, 100, 525, 765}}, {.icon = 32512}};
    } f;
    f.Load();
    EXPECT_NE(SendMessageW(Hwnd(f), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_NE(SendMessageW(Hwnd(f), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(Hwnd(f.pic), STM_GETIMAGE, IMAGE_ICON, 0), 0);
    RECT r{};
    GetClientRect(Hwnd(f.pic), &r);
    EXPECT_EQ(r.right, 32);
    EXPECT_EQ(r.bottom, 32);
}

TEST_F(Win32Forms, TimersTickInTheMessageLoopUntilTheLastFormGoes) {
    Sink f;
    int ticks = 0;
    f.tmr.onTimer = [&] {
        if (++ticks == 3) f.Unload();
    };
    f.Show();
    f.tmr.setInterval(20);
    screen->Run();  // returns when the last form is unloaded
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(f.loaded());
}

TEST_F(Win32Forms, ADisabledTimerStopsTicking) {
    Sink f;
    int ticks = 0;
    f.tmr.onTimer = [&] { ++ticks; };
    f.Show();
    f.tmr.setInterval(10);
    PumpFor(80);
    EXPECT_GT(ticks, 0);
    f.tmr.setTimerEnabled(false);
    int before = ticks;
    PumpFor(80);
    EXPECT_EQ(ticks, before);
}

TEST_F(Win32Forms, HandlersThatUnloadTheirOwnFormAreSafe) {
    Sink f;
    f.cmdGo.onClick = [&] { f.Unload(); };
    f.chk.onClick = [&] { f.Unload(); };
    f.txt.onChange = [&] { f.Unload(); };

    f.Show();
    HWND form = Hwnd(f);
    SendMessageW(Hwnd(f.cmdGo), BM_CLICK, 0, 0);
    EXPECT_FALSE(f.loaded());
    EXPECT_FALSE(IsWindow(form));

    f.Show();
    SendMessageW(Hwnd(f.chk), BM_CLICK, 0, 0);
    EXPECT_FALSE(f.loaded());

    f.Show();
    SendMessageW(Hwnd(f.txt), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x"));
    EXPECT_FALSE(f.loaded());

    f.Show();
    SendMessageW(Hwnd(f), WM_CLOSE, 0, 0);  // the close box
    EXPECT_FALSE(f.loaded());
}

// ---- placing ----

TEST_F(Win32Forms, PlacingAFormShowsItTopmostWhereItWasPut) {
    Sink f;
    f.Place(true, {100, 100, 233, 140});
    HWND form = Hwnd(f);
    EXPECT_TRUE(IsWindowVisible(form));
    EXPECT_TRUE(ExStyle(form) & WS_EX_TOPMOST);
    ExpectRect(f.peer->OuterRect(), 100, 100, 233, 140);
    EXPECT_FLOAT_EQ(f.Left(), static_cast<float>(100 * screen->TwipsPerPixelX()));
    f.Place(false, {120, 100, 233, 140});
    EXPECT_FALSE(ExStyle(form) & WS_EX_TOPMOST);
}

TEST_F(Win32Forms, LaterFormsBelongToTheFirstAndCentreOnItsScreen) {
    Sink main;
    Dialog d;
    main.Show();
    d.Load();
    EXPECT_EQ(GetWindow(Hwnd(d), GW_OWNER), Hwnd(main));
    EXPECT_EQ(GetWindow(Hwnd(main), GW_OWNER), nullptr);
    EXPECT_TRUE(ExStyle(Hwnd(d)) & WS_EX_DLGMODALFRAME);

    ui::PixelRect area = ui::win32::WorkAreaNear(Hwnd(main));
    ui::PixelRect r = d.peer->OuterRect();
    EXPECT_NEAR(r.x + r.width / 2, area.x + area.width / 2, 1);
    EXPECT_NEAR(r.y + r.height / 2, area.y + area.height / 2, 1);

    // When the first goes, the others stay loaded and working.
    main.Unload();
    EXPECT_TRUE(IsWindow(Hwnd(d)));
    EXPECT_EQ(GetWindow(Hwnd(d), GW_OWNER), nullptr);
}

// ---- modal forms and the keyboard ----

TEST_F(Win32Forms, AModalFormDisablesTheMainWindowUntilItCloses) {
    Sink main;
    Dialog d;
    main.Show();
    bool mainEnabledWhileOpen = true;
    HWND owner = nullptr;
    d.steps.push_back([&] {
        mainEnabledWhileOpen = IsWindowEnabled(Hwnd(main));
        owner = GetWindow(Hwnd(d), GW_OWNER);
        PostMessageW(Hwnd(d.cmdOK), BM_CLICK, 0, 0);
    });
    d.ShowModal();
    EXPECT_EQ(d.events, Events{u"ok"});
    EXPECT_FALSE(d.loaded());
    EXPECT_FALSE(mainEnabledWhileOpen);
    EXPECT_EQ(owner, Hwnd(main));
    EXPECT_TRUE(IsWindowEnabled(Hwnd(main)));
    EXPECT_EQ(GetActiveWindow(), Hwnd(main));  // activation went back to it
}

TEST_F(Win32Forms, AModalFormOpenedFromAModalFormBelongsToIt) {
    Sink main;
    Dialog outer, inner;
    main.Show();
    bool innerOwnedByOuter = false;
    bool outerEnabledUnderInner = true, mainEnabledAfterInner = true, outerEnabledAfterInner = false;
    inner.steps.push_back([&] {
        innerOwnedByOuter = GetWindow(Hwnd(inner), GW_OWNER) == Hwnd(outer);
        outerEnabledUnderInner = IsWindowEnabled(Hwnd(outer));
        inner.Unload();
    });
    outer.steps.push_back([&] {
        inner.ShowModal();
        outerEnabledAfterInner = IsWindowEnabled(Hwnd(outer));
        mainEnabledAfterInner = IsWindowEnabled(Hwnd(main));
        outer.Unload();
    });
    outer.ShowModal();
    EXPECT_TRUE(innerOwnedByOuter);
    EXPECT_FALSE(outerEnabledUnderInner);
    EXPECT_TRUE(outerEnabledAfterInner);
    EXPECT_FALSE(mainEnabledAfterInner);  // still under `outer`
    EXPECT_TRUE(IsWindowEnabled(Hwnd(main)));
}

TEST_F(Win32Forms, HidingAModalFormEndsItsLoopAndKeepsItLoaded) {
    Sink main;
    Dialog d;
    main.Show();
    d.steps.push_back([&] { d.Hide(); });
    d.ShowModal();
    EXPECT_TRUE(d.loaded());
    EXPECT_FALSE(IsWindowVisible(Hwnd(d)));
    EXPECT_TRUE(IsWindowEnabled(Hwnd(main)));
}

TEST_F(Win32Forms, TabEnterAndEscWorkThroughTheDialogManager) {
    Sink main;
    Dialog d;
    d.closeOnPress = false;
    main.Show();
    auto looksDefault = [](HWND button) { return (Style(button) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; };
    HWND txt = nullptr, ok = nullptr, cancel = nullptr;
    std::vector<HWND> focus;
    std::vector<bool> okLooksDefault, cancelLooksDefault;
    auto note = [&] {
        focus.push_back(GetFocus());
        okLooksDefault.push_back(looksDefault(ok));
        cancelLooksDefault.push_back(looksDefault(cancel));
    };
    d.steps.push_back([&] {
        txt = Hwnd(d.txt), ok = Hwnd(d.cmdOK), cancel = Hwnd(d.cmdCancel);
        note();
        PressKey(VK_RETURN);  // from the text box: the default button
    });
    d.steps.push_back([&] { PressKey(VK_ESCAPE); });
    d.steps.push_back([&] {
        PressKey(VK_TAB);
        PressKey(VK_TAB);
    });
    d.steps.push_back([&] {
        note();
        PressKey(VK_RETURN);  // on Cancel: the focused button
    });
    d.steps.push_back([&] { PressKey(VK_TAB); });  // round to the text box
    d.steps.push_back([&] {
        note();
        PostMessageW(GetFocus(), WM_SYSCHAR, 'o', 1 << 29);  // Alt+O: "&OK"
    });
    d.steps.push_back([&] { d.Unload(); });
    d.ShowModal();
    EXPECT_EQ(focus, (std::vector<HWND>{txt, cancel, txt}));
    EXPECT_EQ(okLooksDefault, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(cancelLooksDefault, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(d.events, (Events{u"ok", u"cancel", u"cancel", u"ok"}));
}

// A modal window with an editable drop-down box whose entries stand for
// longer texts, as the map pages do in Preferences.
class Picker : public Dialog {
public:
    Picker() {
        cbo.onClick = [this] {
            events.push_back(u"click " + cbo.list()[cbo.listIndex()]);
            cbo.setText(u"text of " + cbo.list()[cbo.listIndex()]);
        };
        cbo.onChange = [this] { events.push_back(u"change " + cbo.text()); };
    }
    ui::ComboBox cbo{*this,
                     {.name = u"cbo", .rect = {200, 700, 2500, 315}, .tab = 3},
                     {.text = u"as designed", .list = {u"One", u"Two", u"Three"}}};
};

TEST_F(Win32Forms, ADropDownBoxIsAnEditableComboBoxWithTheModelsEntries) {
    Picker d;
    d.Load();
    HWND box = Hwnd(d.cbo);
    EXPECT_EQ(ClassOf(box), WC_COMBOBOXW);
    EXPECT_EQ(Style(box) & 3, CBS_DROPDOWN);
    EXPECT_TRUE(Style(box) & WS_TABSTOP);
    ASSERT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 3);
    wchar_t entry[16] = {};
    SendMessageW(box, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ(entry, L"Three");
    EXPECT_EQ(TextOf(box), L"as designed");
    // Its field stands where it was designed; the open list shows every entry.
    ui::PixelRect field = PlaceOf(box);
    EXPECT_EQ(field.x, 13);
    EXPECT_EQ(field.y, 47);
    COMBOBOXINFO info{.cbSize = sizeof info};
    ASSERT_TRUE(GetComboBoxInfo(box, &info));
    d.Show();
    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    RECT list{};
    GetClientRect(info.hwndList, &list);
    EXPECT_GE(list.bottom, 3 * SendMessageW(box, CB_GETITEMHEIGHT, 0, 0));
    SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
    // Typing (here a paste over the whole field) reaches the model once; the
    // program's text does not echo.
    SendMessageW(info.hwndItem, EM_SETSEL, 0, -1);
    SendMessageW(info.hwndItem, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"typed"));
    EXPECT_EQ(d.cbo.text(), u"typed");
    d.cbo.setText(u"by the program");
    EXPECT_EQ(TextOf(box), L"by the program");
    EXPECT_EQ(d.events, (Events{u"change typed", u"change by the program"}));
    // A choice is the model's at once, before the box has written its field:
    // an OK pressed right after it stores what the handler made of it.
    SendMessageW(box, CB_SETCURSEL, 1, 0);
    SendMessageW(Hwnd(d), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    EXPECT_EQ(d.cbo.text(), u"text of Two");
    PumpFor(50);
    EXPECT_EQ(TextOf(box), L"text of Two");
    EXPECT_EQ(d.cbo.text(), u"text of Two");
}

TEST_F(Win32Forms, TheKeyboardChoosesEntriesAndTheFieldThenHoldsWhatTheHandlerPutThere) {
    Sink main;
    Picker d;
    d.closeOnPress = false;
    main.Show();
    auto key = [](UINT vk, bool alt = false) {
        HWND focus = GetFocus();
        UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN, up = alt ? WM_SYSKEYUP : WM_KEYUP;
        LPARAM altBit = alt ? (1 << 29) : 0;
        PostMessageW(focus, down, vk, 1 | altBit);
        PostMessageW(focus, up, vk, 0xC0000001 | altBit);
    };
    HWND box = nullptr;
    std::vector<std::wstring> shown;
    std::vector<bool> dropped;
    std::vector<const ui::Control*> focused;
    auto note = [&] {
        shown.push_back(TextOf(box));
        dropped.push_back(SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0) != 0);
    };
    d.steps.push_back([&] {
        box = Hwnd(d.cbo);
        d.cbo.SetFocus();
    });
    d.steps.push_back([&] {
        focused.push_back(d.focused());
        PressKey(VK_DOWN);
    });
    d.steps.push_back([&] {
        note();
        PressKey(VK_DOWN);
    });
    d.steps.push_back([&] {
        note();
        key(VK_DOWN, true);  // Alt+Down opens the list
    });
    d.steps.push_back([&] {
        note();
        PressKey(VK_UP);
    });
    d.steps.push_back([&] { PressKey(VK_RETURN); });  // takes the entry and closes the list, not the window
    d.steps.push_back([&] {
        note();
        key(VK_DOWN, true);
    });
    d.steps.push_back([&] { PressKey(VK_ESCAPE); });  // closes the list only
    d.steps.push_back([&] {
        note();
        PressKey(VK_RETURN);  // with the list closed: the default button
    });
    d.steps.push_back([&] { d.Unload(); });
    d.ShowModal();
    EXPECT_EQ(focused, (std::vector<const ui::Control*>{&d.cbo}));
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"text of One", L"text of Two", L"text of Two", L"text of One",
                                                L"text of One"}));
    EXPECT_EQ(dropped, (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(d.events, (Events{u"change One", u"click One", u"change text of One", u"change Two", u"click Two",
                                u"change text of Two", u"change One", u"click One", u"change text of One", u"ok"}));
}

// A modal window with a list of stops, whose Delete key removes the
// selected one, and a drop-down list of ways to travel.
class Stops : public Dialog {
public:
    Stops() {
        lst.onClick = [this] { events.push_back(u"select " + lst.list()[lst.listIndex()]); };
        lst.onKeyDown = [this](int& key, int shift) {
            if (key != ui::kKeyDelete || shift != 0) return;
            key = 0;
            events.push_back(u"delete");
            lst.RemoveItem(lst.listIndex());
        };
        mode.onClick = [this] { events.push_back(u"mode " + mode.text()); };
    }
    ui::ListBox lst{
        *this, {.name = u"lst", .rect = {200, 600, 2500, 800}, .tab = 3}, {.list = {u"One", u"Two", u"Three"}}};
    ui::ComboBox mode{*this,
                      {.name = u"mode", .rect = {3200, 1000, 1000, 315}, .tab = 4},
                      {.list = {u"Driving", u"Walking"}, .listOnly = true}};
};

std::wstring ListEntry(HWND list, int index) {
    wchar_t entry[64] = {};
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(entry));
    return entry;
}

TEST_F(Win32Forms, AListIsAListBoxShowingTheModelsEntriesAndSelection) {
    Stops d;
    d.Load();
    HWND list = Hwnd(d.lst);
    EXPECT_EQ(ClassOf(list), L"ListBox");
    for (LONG style : {LBS_NOTIFY, WS_TABSTOP, LBS_WANTKEYBOARDINPUT, LBS_NOINTEGRALHEIGHT})
        EXPECT_TRUE(Style(list) & style) << std::hex << style;
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(ListEntry(list, 1), L"Two");
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
    // The program's changes show at once, the selection staying on its entry.
    d.lst.setListIndex(2);
    d.lst.AddItem(u"Zero", 0);
    d.lst.setItem(1, u"Uno");
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(ListEntry(list, 1), L"Uno");
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 3);
    // A long entry can be scrolled to.
    d.lst.AddItem(u"A stop far longer than the list is wide, at the end of a long road out of town");
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_GT(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), client.right);
    d.lst.Clear();
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), 0);
    // The user's selection reaches the model.
    d.lst.AddItem(u"One");
    d.lst.AddItem(u"Two");
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    SendMessageW(Hwnd(d), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(d.lst.listIndex(), 1);
    // Click ran for the program's selection and for the user's.
    EXPECT_EQ(d.events, (Events{u"select Three", u"select Two"}));
}

TEST_F(Win32Forms, ADropDownListShowsTheChosenEntryAndTakesNoTyping) {
    Stops d;
    d.Load();
    HWND box = Hwnd(d.mode);
    EXPECT_EQ(Style(box) & 3, CBS_DROPDOWNLIST);
    d.mode.setListIndex(1);
    EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(TextOf(box), L"Walking");
    SendMessageW(box, CB_SETCURSEL, 0, 0);
    SendMessageW(Hwnd(d), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    EXPECT_EQ(d.mode.listIndex(), 0);
    EXPECT_EQ(d.mode.text(), u"Driving");
    PumpFor(50);
    EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(d.events, (Events{u"mode Walking", u"mode Driving"}));
}

TEST_F(Win32Forms, DeleteInAListReachesTheModelAndArrowsMoveTheSelection) {
    Sink main;
    Stops d;
    d.closeOnPress = false;
    main.Show();
    std::vector<LRESULT> count;
    d.steps.push_back([&] {
        d.lst.SetFocus();
        d.lst.setListIndex(0);
    });
    d.steps.push_back([&] { PressKey(VK_DOWN); });
    d.steps.push_back([&] { PressKey(VK_DELETE); });
    d.steps.push_back([&] {
        count.push_back(SendMessageW(Hwnd(d.lst), LB_GETCOUNT, 0, 0));
        PressKey(VK_RETURN);  // the list takes no Enter: the default button
    });
    d.steps.push_back([&] { d.Unload(); });
    d.ShowModal();
    EXPECT_EQ(count, (std::vector<LRESULT>{2}));
    EXPECT_EQ(d.events, (Events{u"select One", u"select Two", u"delete", u"ok"}));
}

TEST_F(Win32Forms, MessageBoxesBelongToTheTopmostModalFormAndReturnTheAnswer) {
    Sink main;
    Dialog d;
    main.Show();
    seenBoxes.clear();
    boxAnswer = IDNO;
    UINT_PTR timer = SetTimer(nullptr, 0, 40, AnswerTheBox);
    int fromMain = ui::MsgBox(u"From the main window?", ui::kYesNo);
    int fromDialog = 0;
    bool ownedByDialog = false;
    d.steps.push_back([&] {
        fromDialog = ui::MsgBox(u"From the dialog?", ui::kYesNo);
        ownedByDialog = !seenBoxes.empty() && seenBoxes.back().owner == Hwnd(d);
        d.Unload();
    });
    d.ShowModal();
    KillTimer(nullptr, timer);
    EXPECT_EQ(fromMain, ui::kNo);
    EXPECT_EQ(fromDialog, ui::kNo);
    ASSERT_EQ(seenBoxes.size(), 2u);
    EXPECT_EQ(seenBoxes[0].owner, Hwnd(main));
    EXPECT_EQ(seenBoxes[0].text, L"From the main window?");
    EXPECT_TRUE(ownedByDialog);
    EXPECT_EQ(seenBoxes[1].text, L"From the dialog?");
}

// A main window that refuses to start: a message from its load, then it
// unloads itself before it was ever shown, and the program's loop ends.
TEST_F(Win32Forms, AWindowThatRefusesInItsLoadEndsTheProgramsLoopAtOnce) {
    class Refusing : public Sink {
    protected:
        void Form_Load() override {
            ui::MsgBox(u"Not now.");
            Unload();
        }
    } f;
    seenBoxes.clear();
    boxAnswer = IDOK;
    UINT_PTR timer = SetTimer(nullptr, 0, 40, AnswerTheBox);
    f.Show();
    screen->Run();
    KillTimer(nullptr, timer);
    EXPECT_FALSE(f.loaded());
    ASSERT_EQ(seenBoxes.size(), 1u);
    EXPECT_EQ(seenBoxes[0].text, L"Not now.");
    EXPECT_NE(seenBoxes[0].owner, nullptr);  // the window not shown yet
}

// ---- an error nobody trapped ----

// Whatever a handler throws must not unwind through the system's frames
// (user32 calling the window procedure, the message loop dispatching a
// timer): with the 32-bit toolchain that aborts the program without a word.
// Each ends with the standard message and a non-zero exit code.

// Shows a window whose button (or timer) runs `failure`, and sets it off.
void FailInside(std::function<void()> failure, bool inATimer = false) {
    ui::win32::Backend screen;
    Sink f;
    (inATimer ? f.tmr.onTimer : f.cmdGo.onClick) = std::move(failure);
    f.Show();
    SetTimer(nullptr, 0, 40, ReportTheBox);
    if (inATimer) {
        f.tmr.setInterval(20);
        screen.Run();
    } else {
        SendMessageW(Hwnd(f.cmdGo), BM_CLICK, 0, 0);
    }
    std::fprintf(stderr, "the program went on\n");
}

TEST(Win32FormsDeathTest, AnUntrappedErrorShowsTheStandardMessageAndEndsTheProgram) {
    if (!DisplayAvailable()) GTEST_SKIP() << "no display: windows cannot be created here (set DISPLAY)";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(FailInside([] { throw vb::Error(vb::kInvalidProcedureCall); }),
                testing::ExitedWithCode(ui::kExitUnhandledError),
                "\\[brivane\\] Run-time error '5':\r\n\r\nInvalid procedure call or argument");
}

TEST(Win32FormsDeathTest, AnExceptionOfAnyOtherTypeShowsTheStandardMessageNotAnAbort) {
    if (!DisplayAvailable()) GTEST_SKIP() << "no display: windows cannot be created here (set DISPLAY)";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(FailInside([] { throw 42; }), testing::ExitedWithCode(ui::kExitUnhandledError),
                "\\[brivane\\] Run-time error '51':\r\n\r\nInternal error");
    EXPECT_EXIT(FailInside([] { throw std::wstring(L"no run-time error"); }, true),
                testing::ExitedWithCode(ui::kExitUnhandledError),
                "\\[brivane\\] Run-time error '51':\r\n\r\nInternal error");
}

}  // namespace
