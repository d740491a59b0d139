// The program's main window: one button that opens the current contact on a
// web map, a box that keeps the window open, a link to the maker's page, and
// the Options, Map and Help menus. It stays above all other windows.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "host/event_control.h"
#include "platform/single_instance.h"

#include "platform/maker.h"
#include "platform/resources.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"

class frmAbout;
class frmIntegrate;
class frmPreferences;
class frmRoute;

class frmMain : public ui::Form {
public:
    frmMain();
    ~frmMain() override;

    // Also run directly when a host restart was asked for.
    void Form_Unload(int16_t& cancel) override;

    ui::CommandButton cmdLocate{
        *this, {.name = u"cmdLocate", .rect = {862, 120, 1680, 360}, .tab = 0}, {.caption = u"Brivane!"}};
    ui::Label lblLink{*this,
                      {.name = u"lblLink", .rect = {1485, 1050, 1755, 255}, .tab = 1},
                      {.caption = maker::WebAddress, .link = true, .foreColour = ui::Rgb(0, 0, 255)}};
    ui::Label Label11{
        *this, {.name = u"Label11", .rect = {165, 1050, 1290, 255}, .tab = 2}, {.caption = u"Free add-ons at "}};
    ui::CheckBox chkClose{*this,
                          {.name = u"chkClose", .rect = {562, 570, 2280, 225}, .tab = 3},
                          {.caption = u"Do not close this window"}};
    // An etched rule under the menu bar.
    ui::Line lin1{*this, u"lin1", {.x1 = 0, .y1 = 0, .x2 = 6000, .y2 = 0, .colour = 0x808080}};
    ui::Line lin2{*this, u"lin2", {.x1 = 0, .y1 = 10, .x2 = 6000, .y2 = 10, .colour = 0xFFFFFF}};
    ui::Timer tmr1{*this, u"tmr1", {.enabled = true, .interval = 0}};
    // The host's event control; created with the window's controls and
    // released with them (a notification's handler may close the window).
    std::unique_ptr<host::EventControl> ActEvent1;

    ui::Menu mnuOptions{*this, u"mnuOptions", u"Options"};
    ui::Menu mnuIntegrate{mnuOptions, u"mnuIntegrate", u"Integrate with ACT!"};
    ui::Menu mnuSep{mnuOptions, u"mnuSep", u"-"};
    ui::Menu mnuPreferences{mnuOptions, u"mnuPreferences", u"Preferences"};
    // The day's route: the current contact as its next stop, and the Route
    // window.
    ui::Menu mnuMap{*this, u"mnuMap", u"Map"};
    ui::Menu mnuRouteAdd{mnuMap, u"mnuRouteAdd", u"Add this contact to the route"};
    ui::Menu mnuRoute{mnuMap, u"mnuRoute", u"Show route..."};
    ui::Menu mnuHelp{*this, u"mnuHelp", u"Help"};
    ui::Menu mnuInstructions{mnuHelp, u"mnuInstructions", u"Instructions"};
    ui::Menu mnuAbout{mnuHelp, u"mnuAbout", u"About"};

protected:
    void Form_Load() override;
    void ControlsDestroyed() override { ActEvent1.reset(); }

private:
    void cmdLocate_Click();
    void mnuIntegrate_Click();
    void mnuPreferences_Click();
    void mnuAbout_Click();
    void mnuInstructions_Click();
    void mnuRouteAdd_Click();
    void mnuRoute_Click();
    void lblLink_Click();
    void tmr1_Timer();
    void ActEvent1_HostEventA();
    void ActEvent1_HostEventB(const host::Variant& ignored);

    // Start-up: the checks that may refuse the run, then the saved state.
    bool RefuseSecondCopy();
    bool RefuseUnreadyHost();
    void RestoreState();

    // Fields of the window.
    vb::String RequestURL;
    vb::String MapSite;
    int16_t TickCount = 0;

    // Made at their first opening and kept for the later ones.
    std::unique_ptr<frmPreferences> preferences_;
    std::unique_ptr<frmIntegrate> integrate_;
    std::unique_ptr<frmAbout> about_;
    std::unique_ptr<frmRoute> route_;

    // Held for the whole run, so that a second copy sees this one.
    std::optional<platform::SingleInstance> instance_;
    // Nothing is saved over the user's settings when start-up refused the
    // run, and nothing more once the restart has begun.
    bool refused_ = false;
    bool restarting_ = false;
};
