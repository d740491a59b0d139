#include "main/frmRoute.h"

#include <string>
#include <utility>
#include <vector>

#include "main/RouteURL.h"
#include "platform/shell.h"
#include "platform/ui/msgbox.h"

frmRoute::frmRoute()
    : Form(u"frmRoute", {.caption = u"Route",
                         .clientWidth = 6600,
                         .clientHeight = 4605,
                         .border = ui::BorderStyle::FixedDialog,
                         .minButton = false,
                         .maxButton = false,
                         .showInTaskbar = false,
                         .icon = IDI_PROGRAM,
                         .startPosition = ui::StartPosition::CenterScreen}) {
    txtStart.onChange = [this] { txtStart_Change(); };
    lstStops.onClick = [this] { lstStops_Click(); };
    lstStops.onKeyDown = [this](int& keyCode, int shift) { lstStops_KeyDown(keyCode, shift); };
    cmdUp.onClick = [this] { cmdUp_Click(); };
    cmdDown.onClick = [this] { cmdDown_Click(); };
    cmdRemove.onClick = [this] { cmdRemove_Click(); };
    cmdClear.onClick = [this] { cmdClear_Click(); };
    chkBack.onClick = [this] { chkBack_Click(); };
    cboMode.onClick = [this] { cboMode_Click(); };
    cmdOpen.onClick = [this] { cmdOpen_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
}

// The route as stored now: stops added from the main window since the last
// opening show too. Showing the stored values stores nothing.
void frmRoute::Form_Load() {
    route_ = StoredRoute::Load();
    storedStart_ = StoredRoute::StartAddress();
    for (const vb::String& stop : route_.stops()) lstStops.AddItem(stop);
    txtStart.setText(storedStart_);
    chkBack.setValue(route_.backToStart() ? 1 : 0);
    cboMode.setListIndex(static_cast<int>(route_.mode()));
    UpdateButtons();
}

void frmRoute::txtStart_Change() {
    if (txtStart.text() == storedStart_) return;
    StoredRoute::SaveStartAddress(txtStart.text());
    storedStart_ = txtStart.text();
}

void frmRoute::lstStops_Click() { UpdateButtons(); }

// Delete removes the selected stop, as Remove does.
void frmRoute::lstStops_KeyDown(int& keyCode, int shift) {
    if (keyCode != ui::kKeyDelete || shift != 0) return;
    keyCode = 0;
    RemoveSelected();
}

void frmRoute::cmdUp_Click() {
    int i = lstStops.listIndex();
    if (i > 0) Swap(i, i - 1);
}

void frmRoute::cmdDown_Click() {
    int i = lstStops.listIndex();
    if (i >= 0 && i + 1 < lstStops.listCount()) Swap(i, i + 1);
}

void frmRoute::cmdRemove_Click() { RemoveSelected(); }

void frmRoute::cmdClear_Click() {
    size_t count = route_.stops().size();
    if (count == 0) return;
    vb::String question = count == 1
                              ? vb::String(u"Remove the route's only stop?")
                              : u"Remove all " + vb::FromAscii(std::to_string(count)) + u" stops from the route?";
    if (ui::MsgBox(question, ui::kYesNo | ui::kQuestion) != ui::kYes) return;
    route_.SetStops({});
    lstStops.Clear();
    UpdateButtons();
}

void frmRoute::chkBack_Click() { route_.SetBackToStart(chkBack.value() == 1); }

void frmRoute::cboMode_Click() {
    int chosen = cboMode.listIndex();
    if (chosen >= 0) route_.SetMode(static_cast<route_url::TravelMode>(chosen));
}

// The directions open as a press's map does; the window stays, for the
// next change or another look.
void frmRoute::cmdOpen_Click() {
    route_url::Route route = route_.WithStart(txtStart.text());
    route_url::Outcome outcome = route_url::Build(route);
    if (outcome.refusal != route_url::Refusal::None) {
        ui::MsgBox(route_url::RefusalMessage(outcome, route), ui::kExclamation);
        return;
    }
    platform::OpenFromProgramFolder(this, outcome.url);
}

void frmRoute::cmdClose_Click() { Unload(); }

void frmRoute::Swap(int from, int to) {
    std::vector<vb::String> stops = route_.stops();
    std::swap(stops[from], stops[to]);
    route_.SetStops(stops);
    lstStops.setItem(from, stops[from]);
    lstStops.setItem(to, stops[to]);
    lstStops.setListIndex(to);
    UpdateButtons();
}

// The next stop is selected then (the one before, after the last), so that
// the key or the button removes one after the other.
void frmRoute::RemoveSelected() {
    int i = lstStops.listIndex();
    if (i < 0) return;
    std::vector<vb::String> stops = route_.stops();
    stops.erase(stops.begin() + i);
    route_.SetStops(std::move(stops));
    lstStops.RemoveItem(i);
    int count = lstStops.listCount();
    if (count > 0) lstStops.setListIndex(i < count ? i : count - 1);
    UpdateButtons();
}

void frmRoute::UpdateButtons() {
    int i = lstStops.listIndex(), count = lstStops.listCount();
    cmdUp.setEnabled(i > 0);
    cmdDown.setEnabled(i >= 0 && i + 1 < count);
    cmdRemove.setEnabled(i >= 0);
    cmdClear.setEnabled(count > 0);
    if (ui::Control* focus = focused(); focus && !focus->CanFocus()) {
        if (count > 0) lstStops.SetFocus();
        else txtStart.SetFocus();
    }
}
