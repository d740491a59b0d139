#include "main/frmMain.h"

#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "info/Instructions.h"
#include "info/frmAbout.h"
#include "integrate/frmIntegrate.h"
#include "main/PressURL.h"
#include "main/StoredRoute.h"
#include "main/frmRoute.h"
#include "main/frmSendToPhone.h"
#include "main/Module2.h"
#include "platform/program_info.h"
#include "platform/shell.h"
#include "platform/startup_trace.h"
#include "platform/ui/backend.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/convert.h"
#include "platform/vb/error.h"
#include "settings/Settings.h"
#include "settings/frmPreferences.h"

using Module2::ActApp;
using Module2::RestartAct;

namespace {

// The designed outer size of the window, around its client area, caption
// and menu bar.
constexpr int kOuterWidth = 3495;
constexpr int kOuterHeight = 2100;
constexpr int kDefaultPosition = 100;  // twips from the screen's top-left corner
constexpr int kEndTimerInterval = 1000;
constexpr int kTicksToEnd = 2;
constexpr int16_t kQuitCommand = 150;

constexpr const char16_t* kSecondCopyMessage = u"An instance of this program is already open!";
constexpr const char16_t* kUnreachableMessage =
    u"Unable to communicate with ACT!\r"
    u"Please run actreg.exe located in the ACT folder and try again";
constexpr const char16_t* kNoDatabaseMessage = u"Please open an ACT database prior to running Brivane!";

// A stored value that no longer converts (edited outside the program) falls
// back to its default instead of stopping every later start.
template <class F>
auto OrDefault(F convert, decltype(convert()) fallback) {
    try {
        return convert();
    } catch (const vb::Error&) {
        return fallback;
    }
}

// A contact field of the current contact, as the host gives it.
vb::String ContactField(int16_t id) { return Module2::ContactView.Call(u"GetField", id).AsString(); }

// A message of the map requests: the user can put it right and try again.
void Notice(vb::StringView text) { ui::MsgBox(text, ui::kExclamation); }

// The URL a press would open now; after a refusal, told, nothing.
std::optional<vb::String> MapURLOrNotice(const press_url::FieldReader& field) {
    press_url::Outcome request = press_url::Build(field);
    if (!request.refusal.empty()) {
        Notice(request.refusal);
        return std::nullopt;
    }
    return std::move(request.url);
}

// The contact's address as one line; for a contact without one, told, nothing.
std::optional<vb::String> AddressOrNotice(const press_url::FieldReader& field) {
    vb::String address = press_url::ContactAddress(field);
    if (address.empty()) {
        Notice(press_url::kNoAddressMessage);
        return std::nullopt;
    }
    return address;
}

}  // namespace

frmMain::frmMain()
    : Form(u"frmMain", {.caption = u"Brivane!",
                        .clientWidth = 3405,
                        .clientHeight = 1320,
                        .border = ui::BorderStyle::FixedSingle,
                        .minButton = false,
                        .maxButton = false,
                        .icon = IDI_PROGRAM}) {
    cmdLocate.onClick = [this] { cmdLocate_Click(); };
    mnuIntegrate.onClick = [this] { mnuIntegrate_Click(); };
    mnuPreferences.onClick = [this] { mnuPreferences_Click(); };
    mnuAbout.onClick = [this] { mnuAbout_Click(); };
    mnuInstructions.onClick = [this] { mnuInstructions_Click(); };
    mnuSendToPhone.onClick = [this] { mnuSendToPhone_Click(); };
    mnuCopyAddress.onClick = [this] { mnuCopyAddress_Click(); };
    mnuCopyLink.onClick = [this] { mnuCopyLink_Click(); };
    mnuRouteAdd.onClick = [this] { mnuRouteAdd_Click(); };
    mnuRoute.onClick = [this] { mnuRoute_Click(); };
    lblLink.onClick = [this] { lblLink_Click(); };
    tmr1.onTimer = [this] { tmr1_Timer(); };
}

frmMain::~frmMain() = default;

void frmMain::Form_Load() {
    refused_ = false;
    if (RefuseSecondCopy()) return;
    ActEvent1 = host::CreateEventControl();
    ActEvent1->onHostEventA = [this] { ActEvent1_HostEventA(); };
    ActEvent1->onHostEventB = [this](const host::Variant& v) { ActEvent1_HostEventB(v); };
    platform::StartupMark("event control");
    if (RefuseUnreadyHost()) return;
    Module2::ConnectToAct();
    platform::StartupMark("host connected");
    RestoreState();
}

bool frmMain::RefuseSecondCopy() {
    if (!instance_) instance_.emplace(platform::ProgramTitle());
    if (!instance_->AnotherRunning()) return false;
    refused_ = true;
    ui::MsgBox(kSecondCopyMessage);
    Unload();
    return true;
}

bool frmMain::RefuseUnreadyHost() {
    if (ActEvent1->CallId(host::kDispReady, {host::Variant(int32_t(0))}).AsInt32() >= 1) return false;
    bool unreachable = ActEvent1->CallId(host::kDispUnreachable, {}).AsBool();
    refused_ = true;
    ui::MsgBox(unreachable ? kUnreachableMessage : kNoDatabaseMessage);
    Unload();
    return true;
}

void frmMain::RestoreState() {
    namespace key = settings::key;
    int16_t close = OrDefault([] { return vb::CInt(settings::GetSetting(key::kClose, 0)); }, int16_t(0));
    if (close < 0 || close > 2) close = 0;  // not a state of the box
    chkClose.setValue(close);

    double left = OrDefault([] { return vb::CDbl(settings::GetSetting(key::kLeft, kDefaultPosition)); },
                            double(kDefaultPosition));
    double top =
        OrDefault([] { return vb::CDbl(settings::GetSetting(key::kTop, kDefaultPosition)); }, double(kDefaultPosition));

    ui::Backend& screen = ui::backend();
    double tx = screen.TwipsPerPixelX(), ty = screen.TwipsPerPixelY();
    auto pixels = [](double twips, double perPixel) {
        return OrDefault([&] { return vb::CLng(twips / perPixel); }, int32_t(INT32_MIN));
    };
    ui::PixelRect outer{pixels(left, tx), pixels(top, ty), pixels(kOuterWidth, tx), pixels(kOuterHeight, ty)};

    // A position saved on a monitor that is gone would leave the window
    // where nobody can see or reach it.
    bool onScreen = false;
    for (const ui::PixelRect& area : screen.WorkAreas()) onScreen = onScreen || ui::Intersects(outer, area);
    if (!onScreen) {
        outer.x = pixels(kDefaultPosition, tx);
        outer.y = pixels(kDefaultPosition, ty);
    }
    Place(true, outer);
}

void frmMain::Form_Unload(int16_t& cancel) {
    (void)cancel;
    if (refused_ || restarting_) return;
    // Closed already (a notification came while Integrate asked about the
    // restart): that close saved the window's place and box, and the closed
    // window only knows its design values now.
    if (loaded()) {
        namespace key = settings::key;
        settings::SaveSetting(key::kLeft, vb::CStr(Left()));
        settings::SaveSetting(key::kTop, vb::CStr(Top()));
        settings::SaveSetting(key::kClose, vb::CStr(int32_t(chkClose.value())));
    }
    if (!RestartAct) return;

    restarting_ = true;
    vb::String database;
    try {
        database = ActApp.Call(u"GetOpenDBName").AsString();
        ActApp.Call(u"Command", kQuitCommand);
    } catch (...) {
        // The host would not restart (the error goes on to the caller's
        // report): the window carries on as if no restart had been asked
        // for, so that its close still saves and a notification closes it.
        restarting_ = false;
        RestartAct = false;
        throw;
    }
    ActApp.SetNothing();
    platform::OpenFromProgramFolder(this, database);
    Hide();
    TickCount = 0;
    tmr1.setInterval(kEndTimerInterval);
}

void frmMain::tmr1_Timer() {
    if (TickCount == INT16_MAX) throw vb::Error(vb::kOverflow);
    ++TickCount;
    if (TickCount == kTicksToEnd) ui::backend().End(0);
}

void frmMain::ActEvent1_HostEventA() {
    ActEvent1->CallId(host::kDispAcknowledge, {});
    Unload();
}

void frmMain::ActEvent1_HostEventB(const host::Variant&) {
    ActEvent1->CallId(host::kDispAcknowledge, {});
    if (!RestartAct) Unload();
}

void frmMain::cmdLocate_Click() {
    // Each press starts afresh: an earlier press's site must not stick to a
    // map URL that names none.
    MapSite.clear();
    press_url::Outcome request = press_url::Build(ContactField);
    MapSite = request.site;
    // Nothing opens, and the window stays, for the user to put it right.
    if (!request.refusal.empty()) {
        Notice(request.refusal);
        return;
    }
    RequestURL = request.url;
    platform::OpenFromProgramFolder(this, RequestURL);
    if (chkClose.value() == 0) Unload();
}

// The code of the very URL a press would open now, with its refusals; the
// window stays open.
void frmMain::mnuSendToPhone_Click() {
    press_url::FieldReader field = press_url::ReadOnce(ContactField);
    std::optional<vb::String> url = MapURLOrNotice(field);
    if (!url) return;
    if (!phone_) phone_ = std::make_unique<frmSendToPhone>();
    phone_->ShowFor(*url, press_url::ContactAddress(field));
}

// The address as a route's stop shows it, to paste anywhere.
void frmMain::mnuCopyAddress_Click() {
    if (std::optional<vb::String> address = AddressOrNotice(ContactField)) CopyOrSay(*address);
}

// The URL a press would hand the browser.
void frmMain::mnuCopyLink_Click() {
    if (std::optional<vb::String> url = MapURLOrNotice(ContactField)) CopyOrSay(*url);
}

// The contact's address as the route's next stop; the window stays open
// for the next contact.
void frmMain::mnuRouteAdd_Click() {
    std::optional<vb::String> stop = AddressOrNotice(ContactField);
    if (!stop) return;
    StoredRoute route = StoredRoute::Load();
    if (route.stops().size() >= StoredRoute::kMaxStops) {
        Notice(u"The route holds " + vb::FromAscii(std::to_string(StoredRoute::kMaxStops)) +
               u" stops, the most it can hold.\r\n\r\nRemove stops in Map > Show route... before you add more.");
        return;
    }
    route.Add(*stop);
}

void frmMain::mnuRoute_Click() {
    if (!route_) route_ = std::make_unique<frmRoute>();
    route_->ShowModal();
}

void frmMain::mnuIntegrate_Click() {
    if (!integrate_) integrate_ = std::make_unique<frmIntegrate>(*this);
    integrate_->ShowModal();
}

void frmMain::mnuPreferences_Click() {
    if (!preferences_) preferences_ = std::make_unique<frmPreferences>();
    preferences_->ShowModal();
}

void frmMain::mnuAbout_Click() {
    if (!about_) about_ = std::make_unique<frmAbout>();
    about_->ShowModal();
}

void frmMain::mnuInstructions_Click() { OpenInstructions(*this); }

void frmMain::lblLink_Click() { platform::OpenFromProgramFolder(this, maker::WebPage()); }
