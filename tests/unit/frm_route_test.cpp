// The day's route: stops added from the main window's Map menu, and the
// Route window that orders them and opens their directions, everything
// stored as it changes.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "main/PressURL.h"
#include "main/StoredRoute.h"
#include "main/frmMain.h"
#include "main/frmRoute.h"
#include "platform/program_info.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/msgbox.h"
#include "tests/unit/stand_in_host_fixture.h"

namespace {

using host::sim::State;
using ui::headless::ProgramEnded;
namespace route_key = settings::route_key;

constexpr const char16_t* kGoogle = u"https://www.google.com/maps/dir/?api=1";

// Notes the keys written, in order, in any section.
class WriteRecorder : public platform::MemorySettingsStore {
public:
    void Write(vb::StringView app, vb::StringView section, vb::StringView key, vb::StringView value) override {
        writes.push_back(vb::String(section) + u"\\" + vb::String(key) + u"=" + vb::String(value));
        MemorySettingsStore::Write(app, section, key, value);
    }
    std::vector<vb::String> writes;
};

class Route : public WithStandInHost {
protected:
    void SetUp() override {
        WithStandInHost::SetUp();
        ASSERT_NO_THROW(ui::Dispatch([&] { main.Show(); }));
    }

    void Contact(vb::StringView street, vb::StringView city, vb::StringView state, vb::StringView zip,
                 vb::StringView country) {
        hostState->Update([&](State& s) {
            s.fields = {{27, vb::String(street)},
                        {30, vb::String(city)},
                        {31, vb::String(state)},
                        {32, vb::String(zip)},
                        {33, vb::String(country)}};
        });
    }
    void AddContact() {
        ui::Dispatch([&] { main.mnuRouteAdd.Click(); });
    }
    // Opens the Route window from the Map menu; `user` acts while it is open.
    void Open(std::function<void(frmRoute&)> user) {
        screen.onModal[u"frmRoute"] = [user](ui::Form& f) { user(static_cast<frmRoute&>(f)); };
        ui::Dispatch([&] { main.mnuRoute.Click(); });
    }
    std::optional<vb::String> Stored(vb::StringView key) {
        return store.store().Read(settings::kApplication, settings::kRouteSection, key);
    }
    void StoreRoute(std::initializer_list<std::pair<vb::StringView, vb::StringView>> values) {
        for (auto [key, value] : values) settings::SaveRouteSetting(key, value);
    }
    void StoreStops(std::vector<vb::String> stops) { StoredRoute::Load().SetStops(std::move(stops)); }
    std::vector<vb::String> StoredStops() { return StoredRoute::Load().stops(); }

    frmMain main;
};

TEST_F(Route, AddingAppendsTheContactsAddressAsOneLineAndTheWindowStays) {
    Contact(u" 12 All\u00E9e des H\u00E9rons\r\nB\u00E2timent B ", u"Montv\u00E9rac", u"", u"99120", u"France");
    size_t from = Calls().size();
    AddContact();
    Contact(u"5 Quay Street", u"Harbourtown", u"", u"", u"");
    settings::SaveSetting(settings::key::kCountry, u"Belgique");
    AddContact();
    EXPECT_TRUE(screen.boxes.empty());
    EXPECT_TRUE(main.loaded());  // no press: the window stays with the box unticked
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_EQ(Stored(route_key::kCount), u"2");
    EXPECT_EQ(Stored(u"Stop1"), u"12 All\u00E9e des H\u00E9rons, B\u00E2timent B, Montv\u00E9rac, 99120, France");
    EXPECT_EQ(Stored(u"Stop2"), u"5 Quay Street, Harbourtown, Belgique");
    // The same calls as a press's, once a stop.
    std::vector<vb::String> twice = kAddressReads;
    twice.insert(twice.end(), kAddressReads.begin(), kAddressReads.end());
    EXPECT_EQ(Calls(from, false), twice);
}

TEST_F(Route, AContactWithoutAnAddressIsNotAdded) {
    StoreStops({u"A"});
    Contact(u"", u" \t", u"\r\n", u"", u"");
    AddContact();
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].text, press_url::kNoAddressMessage);
    EXPECT_EQ(screen.boxes[0].style, ui::kExclamation);
    EXPECT_EQ(screen.boxes[0].title, u"brivane");
    EXPECT_EQ(StoredStops(), (std::vector<vb::String>{u"A"}));
    EXPECT_TRUE(main.loaded());
}

TEST_F(Route, TheRouteHoldsAHundredStopsAndSaysSo) {
    StoreStops(std::vector<vb::String>(StoredRoute::kMaxStops, u"Somewhere"));
    Contact(u"1 Main Street", u"", u"", u"", u"");
    AddContact();
    ASSERT_EQ(screen.boxes.size(), 1u);
    EXPECT_EQ(screen.boxes[0].text,
              u"The route holds 100 stops, the most it can hold.\r\n\r\n"
              u"Remove stops in Map > Show route... before you add more.");
    EXPECT_EQ(StoredStops().size(), StoredRoute::kMaxStops);
}

TEST_F(Route, TheMapMenuStandsBetweenOptionsAndHelp) {
    std::vector<vb::String> menus, items;
    for (ui::Menu* m : main.menus()) menus.push_back(m->caption());
    for (ui::Menu* m : main.mnuMap.items()) items.push_back(m->caption());
    EXPECT_EQ(menus, (std::vector<vb::String>{u"Options", u"Map", u"Help"}));
    EXPECT_EQ(items, (std::vector<vb::String>{u"Add this contact to the route", u"Show route..."}));
}

TEST_F(Route, TheWindowShowsTheStoredRouteAndOpeningItStoresNothing) {
    auto recorder = std::make_unique<WriteRecorder>();
    WriteRecorder& writes = *recorder;
    platform::ScopedSettingsStore recorded(std::move(recorder));
    StoreStops({u"A", u"B", u"C"});
    StoreRoute({{route_key::kBackToStart, u"1"}, {route_key::kTravelMode, u"walking"}});
    settings::SaveSetting(settings::key::kStartAddress, u"  Home  ");
    writes.writes.clear();

    Open([](frmRoute& f) {
        EXPECT_EQ(f.caption(), u"Route");
        EXPECT_EQ(f.lstStops.list(), (std::vector<vb::String>{u"A", u"B", u"C"}));
        EXPECT_EQ(f.lstStops.listIndex(), -1);
        EXPECT_EQ(f.txtStart.text(), u"  Home  ");
        EXPECT_EQ(f.chkBack.value(), 1);
        EXPECT_EQ(f.cboMode.text(), u"Walking");
        EXPECT_EQ(f.focused(), &f.txtStart);
        // Nothing selected: only Clear acts on the stops.
        EXPECT_FALSE(f.cmdUp.enabled());
        EXPECT_FALSE(f.cmdDown.enabled());
        EXPECT_FALSE(f.cmdRemove.enabled());
        EXPECT_TRUE(f.cmdClear.enabled());
        EXPECT_TRUE(f.cmdOpen.enabled());
    });
    EXPECT_EQ(screen.modalShown, (std::vector<vb::String>{u"frmRoute"}));
    EXPECT_TRUE(writes.writes.empty());
}

TEST_F(Route, TabOrderRunsTopToBottomAndEveryFieldHasItsLabelBeforeIt) {
    StoreStops({u"A", u"B", u"C"});
    frmRoute f;
    f.Load();
    ui::headless::Select(f.lstStops, 1);
    std::vector<vb::String> order;
    for (ui::Control* c : f.TabOrder()) order.push_back(c->name());
    EXPECT_EQ(order, (std::vector<vb::String>{u"txtStart", u"lstStops", u"cmdUp", u"cmdDown", u"cmdRemove", u"cmdClear",
                                              u"chkBack", u"cboMode", u"cmdOpen", u"cmdClose"}));
    // Each control after the one above it, or beside it to the right.
    for (size_t i = 1; i < f.TabOrder().size(); ++i) {
        ui::TwipsRect a = f.TabOrder()[i - 1]->rect(), b = f.TabOrder()[i]->rect();
        EXPECT_TRUE(b.top > a.top || (b.top == a.top && b.left > a.left)) << vb::ToUtf8(order[i]);
    }
    // The label of each field comes just before it, its access key moving
    // the focus there.
    for (auto [label, field] : {std::pair<ui::Control*, ui::Control*>{&f.lblStart, &f.txtStart},
                                {&f.lblStops, &f.lstStops},
                                {&f.lblMode, &f.cboMode}}) {
        EXPECT_EQ(label->tabIndex() + 1, field->tabIndex()) << vb::ToUtf8(field->name());
        EXPECT_LT(label->rect().top, field->rect().top + field->rect().height);
    }
    EXPECT_EQ(f.DefaultButton(), &f.cmdOpen);
    EXPECT_EQ(f.CancelButton(), &f.cmdClose);
    f.Unload();
}

TEST_F(Route, UpDownRemoveAndDeleteReorderTheStoredRoute) {
    StoreStops({u"A", u"B", u"C", u"D"});
    Open([&](frmRoute& f) {
        ui::headless::Select(f.lstStops, 2);  // C
        EXPECT_TRUE(f.cmdUp.enabled() && f.cmdDown.enabled() && f.cmdRemove.enabled());
        f.cmdUp.Click();
        EXPECT_EQ(f.lstStops.list(), (std::vector<vb::String>{u"A", u"C", u"B", u"D"}));
        EXPECT_EQ(f.lstStops.listIndex(), 1);
        EXPECT_EQ(StoredStops(), f.lstStops.list());
        f.cmdUp.Click();
        EXPECT_EQ(f.lstStops.listIndex(), 0);
        EXPECT_FALSE(f.cmdUp.enabled());  // the first stop
        f.cmdDown.Click();
        f.cmdDown.Click();
        f.cmdDown.Click();
        EXPECT_EQ(f.lstStops.list(), (std::vector<vb::String>{u"A", u"B", u"D", u"C"}));
        EXPECT_FALSE(f.cmdDown.enabled());  // the last stop
        // Remove takes the selected stop; the one now in its place (here
        // the one before it, the last) is selected next.
        f.cmdRemove.Click();
        EXPECT_EQ(f.lstStops.list(), (std::vector<vb::String>{u"A", u"B", u"D"}));
        EXPECT_EQ(f.lstStops.listIndex(), 2);
        ui::headless::Select(f.lstStops, 0);
        int key = ui::kKeyDelete;
        f.lstStops.UserKeyDown(key, 0);
        EXPECT_EQ(key, 0);
        EXPECT_EQ(f.lstStops.list(), (std::vector<vb::String>{u"B", u"D"}));
        EXPECT_EQ(f.lstStops.listIndex(), 0);
        // Shift+Delete and other keys stay the list's own.
        key = ui::kKeyDelete;
        f.lstStops.UserKeyDown(key, 1);
        EXPECT_EQ(key, ui::kKeyDelete);
        EXPECT_EQ(f.lstStops.listCount(), 2);
    });
    EXPECT_EQ(StoredStops(), (std::vector<vb::String>{u"B", u"D"}));
    EXPECT_EQ(Stored(route_key::kCount), u"2");
    // The places after the last stop are emptied.
    EXPECT_EQ(Stored(u"Stop3"), u"");
    EXPECT_EQ(Stored(u"Stop4"), u"");
    Open([](frmRoute& f) { EXPECT_EQ(f.lstStops.list(), (std::vector<vb::String>{u"B", u"D"})); });
}

TEST_F(Route, AButtonThatCanActNoMoreGivesTheFocusToTheList) {
    StoreStops({u"A", u"B"});
    Open([](frmRoute& f) {
        ui::headless::Select(f.lstStops, 0);
        f.cmdDown.SetFocus();
        f.cmdDown.Click();
        EXPECT_FALSE(f.cmdDown.enabled());
        EXPECT_EQ(f.focused(), &f.lstStops);
        f.cmdRemove.SetFocus();
        f.cmdRemove.Click();
        f.cmdRemove.Click();
        // No stop left: the focus goes to the start field.
        EXPECT_EQ(f.lstStops.listCount(), 0);
        EXPECT_FALSE(f.cmdClear.enabled());
        EXPECT_EQ(f.focused(), &f.txtStart);
    });
}

TEST_F(Route, ClearAsksFirst) {
    StoreStops({u"A", u"B", u"C"});
    screen.answers = {ui::kNo, ui::kYes};
    Open([](frmRoute& f) {
        f.cmdClear.Click();
        EXPECT_EQ(f.lstStops.listCount(), 3);
        f.cmdClear.Click();
        EXPECT_EQ(f.lstStops.listCount(), 0);
    });
    ASSERT_EQ(screen.boxes.size(), 2u);
    EXPECT_EQ(screen.boxes[0].text, u"Remove all 3 stops from the route?");
    EXPECT_EQ(screen.boxes[0].style, ui::kYesNo | ui::kQuestion);
    EXPECT_EQ(Stored(route_key::kCount), u"0");
    EXPECT_TRUE(StoredStops().empty());
    StoreStops({u"A"});
    Open([](frmRoute& f) { f.cmdClear.Click(); });
    EXPECT_EQ(screen.boxes.back().text, u"Remove the route's only stop?");
}

TEST_F(Route, TheStartTheRoundTripAndTheModeAreStoredAsTheyChange) {
    Open([&](frmRoute& f) {
        f.txtStart.UserTyped(u"1 Office Park");
        EXPECT_EQ(settings::GetSetting(settings::key::kStartAddress), u"1 Office Park");
        f.chkBack.UserClick();
        EXPECT_EQ(Stored(route_key::kBackToStart), u"1");
        ui::headless::Choose(f.cboMode, u"Bicycling");
        EXPECT_EQ(Stored(route_key::kTravelMode), u"bicycling");
        f.txtStart.UserTyped(u"");
        f.chkBack.UserClick();
        ui::headless::Choose(f.cboMode, u"Driving");
    });
    EXPECT_EQ(settings::GetSetting(settings::key::kStartAddress, u"none"), u"");
    EXPECT_EQ(Stored(route_key::kBackToStart), u"0");
    EXPECT_EQ(Stored(route_key::kTravelMode), u"driving");
    Open([](frmRoute& f) {
        f.txtStart.UserTyped(u"Home");
        f.chkBack.UserClick();
        ui::headless::Choose(f.cboMode, u"Walking");
    });
    Open([](frmRoute& f) {
        EXPECT_EQ(f.txtStart.text(), u"Home");
        EXPECT_EQ(f.chkBack.value(), 1);
        EXPECT_EQ(f.cboMode.listIndex(), 1);
    });
}

TEST_F(Route, OpenHandsTheDirectionsToTheShellAndTheWindowStays) {
    StoreStops({u"12 All\u00E9e des H\u00E9rons, Montv\u00E9rac", u"5 Quay Street", u"7 Duck Row"});
    settings::SaveSetting(settings::key::kStartAddress, u"1 Office Park");
    const frmRoute* window = nullptr;
    Open([&](frmRoute& f) {
        window = &f;
        f.cmdOpen.Click();
        EXPECT_TRUE(f.visible());
        ui::headless::Select(f.lstStops, 2);
        f.cmdUp.Click();
        f.chkBack.UserClick();
        ui::headless::Choose(f.cboMode, u"Walking");
        f.PressEnter();  // the focus is in the start field: Open
        f.PressEscape();
        EXPECT_FALSE(f.loaded());
    });
    ASSERT_EQ(shell.requests.size(), 2u);
    const platform::ShellRequest& r = shell.requests[0];
    EXPECT_EQ(r.owner, window);
    EXPECT_EQ(r.verb, u"open");
    EXPECT_EQ(r.parameters, std::nullopt);
    EXPECT_EQ(r.directory, platform::ExeFolder());
    EXPECT_EQ(r.show, 5);
    EXPECT_EQ(r.file, vb::String(kGoogle) +
                          u"&origin=1%20Office%20Park&destination=7%20Duck%20Row"
                          u"&waypoints=12%20All%C3%A9e%20des%20H%C3%A9rons%2C%20Montv%C3%A9rac%7C5%20Quay%20Street"
                          u"&travelmode=driving");
    EXPECT_EQ(shell.requests[1].file,
              vb::String(kGoogle) +
                  u"&origin=1%20Office%20Park&destination=1%20Office%20Park"
                  u"&waypoints=12%20All%C3%A9e%20des%20H%C3%A9rons%2C%20Montv%C3%A9rac%7C7%20Duck%20Row%7C5%20Quay"
                  u"%20Street&travelmode=walking");
    EXPECT_TRUE(main.loaded());
    EXPECT_TRUE(screen.boxes.empty());
}

TEST_F(Route, OpenSaysWhyARouteCannotOpen) {
    Open([&](frmRoute& f) {
        f.cmdOpen.Click();  // no stops
        StoreStops({u"A"});
    });
    Open([&](frmRoute& f) {
        f.chkBack.UserClick();
        f.cmdOpen.Click();  // a round trip without a start
        f.chkBack.UserClick();
        StoreStops(std::vector<vb::String>(11, u"B"));
    });
    Open([](frmRoute& f) { f.cmdOpen.Click(); });  // eleven stops
    ASSERT_EQ(screen.boxes.size(), 3u);
    EXPECT_TRUE(screen.boxes[0].text.starts_with(u"The route has no stops yet."));
    EXPECT_TRUE(screen.boxes[1].text.starts_with(u"\"Back to the start\" needs a start address"));
    EXPECT_EQ(screen.boxes[2].text,
              u"Google Maps takes at most 9 stops on the way to the last one: a route of at most 10 stops. "
              u"This route has 11.\r\n\r\nRemove 1 stop, then open the route again.");
    for (const auto& box : screen.boxes) EXPECT_EQ(box.style, ui::kExclamation);
    EXPECT_TRUE(shell.requests.empty());
}

TEST_F(Route, ADamagedRouteLosesOnlyItsDamagedEntries) {
    StoreRoute({{route_key::kCount, u"5"},
                {u"Stop1", u"A"},
                {u"Stop3", u"  \t "},
                {u"Stop4", u" B\r\nC "},
                {u"Stop5", u"D"},
                {u"Stop6", u"beyond the count"},
                {route_key::kBackToStart, u"yes"},
                {route_key::kTravelMode, u"flying"}});
    StoredRoute route = StoredRoute::Load();
    EXPECT_EQ(route.stops(), (std::vector<vb::String>{u"A", u"B, C", u"D"}));
    EXPECT_FALSE(route.backToStart());
    EXPECT_EQ(route.mode(), route_url::TravelMode::Driving);
    // A count that is no number, or more than a route holds: every place
    // is looked at.
    for (vb::StringView count : {u"three", u"", u"-1", u"101", u"99999999999999999999", u" 5"}) {
        settings::SaveRouteSetting(route_key::kCount, count);
        EXPECT_EQ(StoredRoute::Load().stops(), (std::vector<vb::String>{u"A", u"B, C", u"D", u"beyond the count"}))
            << vb::ToUtf8(count);
    }
    // The first change writes the route whole again.
    settings::SaveRouteSetting(route_key::kCount, u"5");
    Open([](frmRoute& f) {
        EXPECT_EQ(f.lstStops.list(), (std::vector<vb::String>{u"A", u"B, C", u"D"}));
        ui::headless::Select(f.lstStops, 2);
        f.cmdRemove.Click();
    });
    EXPECT_EQ(Stored(route_key::kCount), u"2");
    EXPECT_EQ(Stored(u"Stop1"), u"A");
    EXPECT_EQ(Stored(u"Stop2"), u"B, C");
    for (const char16_t* gone : {u"Stop3", u"Stop4", u"Stop5"}) EXPECT_EQ(Stored(gone), u"") << vb::ToUtf8(gone);
    EXPECT_TRUE(screen.boxes.empty());
}

TEST_F(Route, AnyStopTextIsKeptWhole) {
    vb::String longStop(10000, u'x');
    static constexpr char16_t kOdd[] = u"\"Q\" #1 & 100% | ~ \0 \U0001F600";
    vb::String odd(kOdd, std::size(kOdd) - 1);
    StoreStops({longStop, odd});
    EXPECT_EQ(StoredStops(), (std::vector<vb::String>{longStop, odd}));
    Open([&](frmRoute& f) { EXPECT_EQ(f.lstStops.list(), (std::vector<vb::String>{longStop, odd})); });
}

TEST_F(Route, AStopRemovedNeverComesBackWhenTheCountIsLost) {
    StoreStops({u"A", u"B", u"C"});
    StoredRoute route = StoredRoute::Load();
    route.SetStops({u"A"});
    settings::SaveRouteSetting(route_key::kCount, u"lost");
    EXPECT_EQ(StoredRoute::Load().stops(), (std::vector<vb::String>{u"A"}));
}

TEST_F(Route, AChangeWritesOnlyWhatChanged) {
    auto recorder = std::make_unique<WriteRecorder>();
    WriteRecorder& writes = *recorder;
    platform::ScopedSettingsStore recorded(std::move(recorder));
    StoreStops({u"A", u"B", u"C"});
    writes.writes.clear();
    StoredRoute route = StoredRoute::Load();
    route.Add(u"D");
    route.SetStops({u"A", u"C", u"B", u"D"});
    route.SetBackToStart(false);
    route.SetMode(route_url::TravelMode::Driving);
    route.SetMode(route_url::TravelMode::Walking);
    EXPECT_EQ(writes.writes, (std::vector<vb::String>{u"Route\\Stop4=D", u"Route\\Count=4", u"Route\\Stop2=C",
                                                      u"Route\\Stop3=B", u"Route\\TravelMode=walking"}));
}

}  // namespace
