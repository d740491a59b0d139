// What screen readers are told of the controls and how the keyboard reaches
// links: the rules on a small window, then every window of the program as
// the user opens it from the main window's menus, so a window added later
// is held to them without a line here.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "main/frmMain.h"
#include "platform/ui/accessible.h"
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/form.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/menu.h"
#include "platform/vb/string.h"
#include "tests/unit/stand_in_host_fixture.h"

namespace {

using ui::NameSource;

// Controls named every way a window names them.
class Named : public ui::Form {
public:
    Named() : Form(u"frmNamed", {.caption = u"Named", .clientWidth = 6000, .clientHeight = 3000}) {
        lnkWeb.onClick = [this] { opened.push_back(u"web"); };
        lnkMail.onClick = [this] { opened.push_back(u"mail"); };
        cmdOK.onClick = [this] { opened.push_back(u"OK"); };
    }

    ui::Label lblName{*this, {.name = u"lblName", .rect = {100, 100, 900, 255}, .tab = 0}, {.caption = u"&Name:"}};
    ui::TextBox txtName{*this, {.name = u"txtName", .rect = {1000, 100, 2000, 315}, .tab = 1}};
    ui::CommandButton cmdOK{
        *this, {.name = u"cmdOK", .rect = {4500, 100, 1000, 325}, .tab = 2}, {.caption = u"&OK", .isDefault = true}};
    ui::Frame fraZoom{*this, {.name = u"fraZoom", .rect = {100, 500, 3000, 800}, .tab = 3}, {.caption = u"Zoom :"}};
    ui::Slider sld{*this,
                   {.name = u"sld", .rect = {100, 250, 2500, 400}, .tab = 4, .in = &fraZoom, .accessibleName = u"Zoom"},
                   {.min = 1, .max = 10, .value = 1}};
    ui::Frame fraViews{
        *this, {.name = u"fraViews", .rect = {100, 1400, 3000, 800}, .tab = 5}, {.caption = u"&Views :"}};
    ui::CheckBox chkContacts{*this,
                             {.name = u"chkContacts",
                              .rect = {100, 250, 255, 255},
                              .tab = 6,
                              .in = &fraViews,
                              .accessibleName = u"Contacts"},
                             {}};
    ui::CheckBox chkTick{*this,
                         {.name = u"chkTick", .rect = {1500, 250, 1200, 255}, .tab = 7, .in = &fraViews},
                         {.caption = u"Tick && go"}};
    ui::Label lnkWeb{*this,
                     {.name = u"lnkWeb", .rect = {3500, 2400, 2000, 255}, .tab = 8},
                     {.caption = u"www.a&b.example", .link = true}};
    ui::TextBox txtAfterLink{*this, {.name = u"txtAfterLink", .rect = {3500, 1000, 2000, 315}, .tab = 9}};
    ui::Label lblFish{
        *this, {.name = u"lblFish", .rect = {3500, 1500, 2000, 255}, .tab = 10}, {.caption = u"Fish && Chips"}};
    ui::ComboBox cbo{*this, {.name = u"cbo", .rect = {3500, 1800, 2000, 315}, .tab = 11}};
    // Above the other link, and without a tab order of its own.
    ui::Label lnkMail{
        *this, {.name = u"lnkMail", .rect = {3500, 2100, 2000, 255}}, {.caption = u"mail@example.com", .link = true}};

    std::vector<std::u16string> opened;
};

class Accessibility : public ::testing::Test {
protected:
    ui::headless::Backend screen;
};

TEST_F(Accessibility, AccessKeysAreHiddenFromTheTextAndNamedInUpperCase) {
    EXPECT_EQ(ui::WithoutAccessKey(u"&OK"), u"OK");
    EXPECT_EQ(ui::AccessKeyOf(u"&OK"), u'O');
    EXPECT_EQ(ui::WithoutAccessKey(u"Fish && Chips"), u"Fish & Chips");
    EXPECT_EQ(ui::AccessKeyOf(u"Fish && Chips"), 0);
    EXPECT_EQ(ui::WithoutAccessKey(u"a&&b&c"), u"a&bc");
    EXPECT_EQ(ui::AccessKeyOf(u"a&&b&c"), u'C');
    EXPECT_EQ(ui::WithoutAccessKey(u"trailing&"), u"trailing");
    EXPECT_EQ(ui::AccessKeyOf(u"trailing&"), 0);
    EXPECT_EQ(ui::AccessKeyOf(u"&\u00fcber"), u'\u00fc');  // only ASCII letters change case
}

TEST_F(Accessibility, EachControlIsNamedByItsCaptionTheLabelBeforeItOrItsDesign) {
    Named f;
    struct Expected {
        const ui::Control* control;
        NameSource source;
        std::u16string name, shortcut, description;
    };
    const Expected expected[] = {
        {&f.txtName, NameSource::LabelBefore, u"Name:", u"Alt+N", u""},
        {&f.cmdOK, NameSource::Caption, u"OK", u"Alt+O", u""},
        // The frame says what the design's name says: no description.
        {&f.sld, NameSource::Explicit, u"Zoom", u"", u""},
        {&f.chkContacts, NameSource::Explicit, u"Contacts", u"", u"Views :"},
        {&f.chkTick, NameSource::Caption, u"Tick & go", u"", u"Views :"},
        // A link shows "&" as it is, has no access key and names nothing after it.
        {&f.lnkWeb, NameSource::Caption, u"www.a&b.example", u"", u""},
        {&f.txtAfterLink, NameSource::None, u"", u"", u""},
        {&f.cbo, NameSource::LabelBefore, u"Fish & Chips", u"", u""},
    };
    for (const Expected& e : expected) {
        const std::string which = vb::ToUtf8(e.control->name());
        EXPECT_EQ(ui::NameSourceOf(*e.control), e.source) << which;
        EXPECT_EQ(ui::AccessibleName(*e.control), e.name) << which;
        EXPECT_EQ(ui::KeyboardShortcut(*e.control), e.shortcut) << which;
        EXPECT_EQ(ui::AccessibleDescription(*e.control), e.description) << which;
    }
}

TEST_F(Accessibility, LinksComeAfterTheDesignedTabStopsInTheOrderTheyAreRead) {
    Named f;
    f.Show();
    EXPECT_EQ(f.TabOrder(), (std::vector<ui::Control*>{&f.txtName, &f.cmdOK, &f.sld, &f.chkContacts, &f.chkTick,
                                                       &f.txtAfterLink, &f.cbo, &f.lnkMail, &f.lnkWeb}));
    EXPECT_EQ(f.focused(), &f.txtName);  // the first control has the focus as the window opens
    // Every control has its place in the order the windows are made.
    EXPECT_EQ(f.ControlsInTabOrder().size(), f.controls().size());
    f.lnkMail.setVisible(false);
    f.lnkWeb.setEnabled(false);
    EXPECT_EQ(f.TabOrder().back(), &f.cbo);
}

TEST_F(Accessibility, EnterOnAFocusedLinkOpensItInsteadOfPressingTheDefaultButton) {
    Named f;
    f.Show();
    f.lnkWeb.SetFocus();
    f.PressEnter();
    f.txtName.SetFocus();
    f.PressEnter();
    f.lnkWeb.SetFocus();
    f.lnkWeb.setEnabled(false);
    f.PressEnter();
    EXPECT_EQ(f.opened, (std::vector<std::u16string>{u"web", u"OK", u"OK"}));
}

// ---- every window of the program ----

class ProgramWindows : public WithStandInHost {
protected:
    // The main window, then each window its menus open (as the user opens
    // them, loaded and showing), given to `visit`.
    void VisitEveryWindow(const std::function<void(ui::Form&)>& visit) {
        // A current contact with an address, so that no window refuses to
        // open for the want of one.
        hostState->Update([](host::sim::State& s) {
            s.fields = {{27, u"12 Main Street"}, {30, u"Springfield"}, {31, u"IL"}, {32, u"62701"}, {33, u"USA"}};
        });
        frmMain main;
        ui::Dispatch([&] { main.Show(); });
        ASSERT_TRUE(main.visible());
        visit(main);
        screen.onOtherModal = [&](ui::Form& form) {
            visited.push_back(form.name());
            visit(form);
        };
        std::function<void(ui::Menu&)> open = [&](ui::Menu& menu) {
            if (menu.IsSeparator() || !menu.enabled()) return;
            if (menu.items().empty() && main.loaded()) ui::Dispatch([&] { menu.Click(); });
            for (ui::Menu* item : menu.items()) open(*item);
        };
        for (ui::Menu* menu : main.menus()) open(*menu);
        screen.onOtherModal = nullptr;
        main.Unload();
    }
    static std::string NameOf(const ui::Form& form, const ui::Control& c) {
        std::string name = vb::ToUtf8(form.name()) + "." + vb::ToUtf8(c.name());
        return c.index() >= 0 ? name + "(" + std::to_string(c.index()) + ")" : name;
    }

    std::vector<vb::String> visited;
};

TEST_F(ProgramWindows, EveryControlThatTakesTheFocusHasAName) {
    int named = 0;
    VisitEveryWindow([&](ui::Form& form) {
        ASSERT_FALSE(form.TabOrder().empty()) << vb::ToUtf8(form.name());
        EXPECT_EQ(form.focused(), form.TabOrder().front()) << vb::ToUtf8(form.name()) << ": the first control";
        for (const ui::Control* c : form.TabOrder()) {
            EXPECT_NE(ui::NameSourceOf(*c), NameSource::None) << NameOf(form, *c) << " has no label before it";
            EXPECT_FALSE(ui::AccessibleName(*c).empty()) << NameOf(form, *c);
            ++named;
        }
    });
    // The windows of the menus, each once.
    for (const char16_t* window : {u"frmIntegrate", u"frmPreferences", u"frmAbout"})
        EXPECT_EQ(std::count(visited.begin(), visited.end(), window), 1) << vb::ToUtf8(window);
    EXPECT_GE(named, 3 + 14 + 6 + 3);  // the four designed windows
}

// No fixed colour anywhere: each one follows the user's scheme, so a high
// contrast theme reaches every window.
TEST_F(ProgramWindows, EveryColourFollowsTheUsersScheme) {
    auto follows = [](ui::Colour c) { return c == ui::kSystemColour || ui::IsSchemeColour(c); };
    VisitEveryWindow([&](ui::Form& form) {
        for (const ui::Control* c : form.controls()) {
            if (c->kind() == ui::Kind::Label) {
                EXPECT_TRUE(follows(static_cast<const ui::Label*>(c)->foreColour())) << NameOf(form, *c);
            } else if (c->kind() == ui::Kind::Line) {
                EXPECT_TRUE(follows(static_cast<const ui::Line*>(c)->props().colour)) << NameOf(form, *c);
            }
        }
    });
}

// What the rules give the designed windows, in tab order, as a screen
// reader hears them: name, [shortcut], (description).
TEST_F(ProgramWindows, TheDesignedWindowsAreNamedAsTheyRead) {
    std::vector<std::string> heard;
    VisitEveryWindow([&](ui::Form& form) {
        const vb::String designed[] = {u"frmMain", u"frmIntegrate", u"frmPreferences", u"frmAbout"};
        if (std::find(std::begin(designed), std::end(designed), form.name()) == std::end(designed)) return;
        for (const ui::Control* c : form.TabOrder()) {
            std::string line = NameOf(form, *c) + ": " + vb::ToUtf8(ui::AccessibleName(*c));
            if (vb::String k = ui::KeyboardShortcut(*c); !k.empty()) line += " [" + vb::ToUtf8(k) + "]";
            if (vb::String d = ui::AccessibleDescription(*c); !d.empty()) line += " (" + vb::ToUtf8(d) + ")";
            heard.push_back(line);
        }
    });
    const std::string toolbars = " (Toolbar Button added to the following Views :)";
    const std::string menus = " (Menu Item added to the following Views :)";
    EXPECT_EQ(heard, (std::vector<std::string>{
                         "frmMain.cmdLocate: Brivane!",
                         "frmMain.chkClose: Do not close this window",
                         "frmMain.lblLink: www.example.com",
                         "frmIntegrate.chkScreen(0): Contacts" + toolbars,
                         "frmIntegrate.chkScreen(1): Contact List" + toolbars,
                         "frmIntegrate.chkScreen(2): Groups" + toolbars,
                         "frmIntegrate.chkScreen(3): Task List" + toolbars,
                         "frmIntegrate.chkScreen(4): Calendars" + toolbars,
                         "frmIntegrate.chkScreen(5): E-mail" + toolbars,
                         "frmIntegrate.chkScreen(11): E-mail" + menus,
                         "frmIntegrate.chkScreen(10): Calendars" + menus,
                         "frmIntegrate.chkScreen(9): Task List" + menus,
                         "frmIntegrate.chkScreen(8): Groups" + menus,
                         "frmIntegrate.chkScreen(7): Contact List" + menus,
                         "frmIntegrate.chkScreen(6): Contacts" + menus,
                         "frmIntegrate.cmdOK: Close [Alt+C]",
                         "frmIntegrate.cmdCancel: Cancel [Alt+C]",
                         "frmPreferences.txtSite: Enter the URL : (Your Preferred Map Site :)",
                         "frmPreferences.cmdOK: OK [Alt+O]",
                         "frmPreferences.cmdCancel: Cancel [Alt+C]",
                         "frmPreferences.txtCountry: If the country field is blank, use :",
                         "frmPreferences.cmdInstructions: Instructions",
                         "frmPreferences.sld1: Zoom",
                         "frmAbout.cmdOK: OK",
                         "frmAbout.lblMail: support@example.com",
                         "frmAbout.lblLink: www.example.com",
                     }));
}

}  // namespace
