#include "tools/captionfit/windows_win.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "host/automation.h"
#include "host/event_control.h"
#include "host/sim/host.h"
#include "info/frmAbout.h"
#include "integrate/frmIntegrate.h"
#include "main/Module2.h"
#include "main/frmMain.h"
#include "main/frmRoute.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/ui/win32/control_window.h"
#include "platform/ui/win32/win32_backend.h"
#include "settings/frmPreferences.h"
#include "platform/win32/wide.h"

namespace captionfit {

namespace {

// The host, the settings and the shell the windows talk to, for as long as
// the measuring lasts; program-wide state is put back at the end.
class StandIns {
public:
    StandIns() = default;
    StandIns(const StandIns&) = delete;
    StandIns& operator=(const StandIns&) = delete;
    ~StandIns() {
        Module2::ActApp.SetNothing();
        Module2::ActViews.SetNothing();
        Module2::ContactView.SetNothing();
    }

private:
    std::shared_ptr<host::sim::StateFile> state_ = host::sim::StateFile::InMemory();
    host::sim::SimAutomation automation_{state_};
    host::AutomationGuard automationInstalled_ = host::InstallAutomation(automation_);
    host::EventControlGuard eventControlInstalled_ =
        host::InstallEventControlFactory([state = state_] { return host::sim::CreateSimEventControl(state); });
    platform::RecordingShell shell_;
    platform::ScopedSettingsStore store_{std::make_unique<platform::MemorySettingsStore>()};
};

std::wstring NameOf(const ui::Control& c) {
    std::wstring name = win::ToWide(c.name());
    if (c.index() >= 0) name += L"(" + std::to_wstring(c.index()) + L")";
    return name;
}

// Loads the form, measures what it shows, and unloads it again.
void MeasureForm(ui::Form& form, std::vector<Row>& rows) {
    form.Load();
    if (!form.loaded()) return;
    std::vector<ui::Control*> controls = form.controls();
    std::stable_sort(controls.begin(), controls.end(), [](const ui::Control* a, const ui::Control* b) {
        auto key = [](const ui::Control* c) { return c->tabIndex() < 0 ? 1 << 30 : c->tabIndex(); };
        return key(a) < key(b);
    });
    for (ui::Control* c : controls) {
        auto* peer = static_cast<ui::win32::ControlWindow*>(c->peer);
        if (!peer || !peer->hwnd()) continue;
        if (auto m = MeasureCaption(peer->hwnd())) rows.push_back({win::ToWide(form.name()), NameOf(*c), *m});
    }
}

}  // namespace

std::vector<Row> MeasureProgramWindows() {
    ProgramControls controls;
    StandIns standIns;
    ui::win32::Backend screen;
    std::vector<Row> rows;
    frmMain main;
    MeasureForm(main, rows);
    {
        frmPreferences preferences;
        MeasureForm(preferences, rows);
        preferences.Unload();
    }
    {
        frmIntegrate integrate(main);
        MeasureForm(integrate, rows);
        integrate.Unload();
    }
    {
        frmAbout about;
        MeasureForm(about, rows);
        about.Unload();
    }
    {
        frmRoute route;
        MeasureForm(route, rows);
        route.Unload();
    }
    main.Unload();
    return rows;
}

ProgramControls::ProgramControls() {
    wchar_t self[MAX_PATH] = {};
    if (!GetModuleFileNameW(nullptr, self, MAX_PATH)) return;
    HMODULE module = GetModuleHandleW(nullptr);
    if (!FindResourceW(module, ISOLATIONAWARE_MANIFEST_RESOURCE_ID, RT_MANIFEST)) return;
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
    request.lpSource = self;
    request.hModule = module;
    request.lpResourceName = ISOLATIONAWARE_MANIFEST_RESOURCE_ID;
    HANDLE context = CreateActCtxW(&request);
    if (context == INVALID_HANDLE_VALUE) return;
    ULONG_PTR cookie = 0;
    if (!ActivateActCtx(context, &cookie)) {
        ReleaseActCtx(context);
        return;
    }
    context_ = context;
    cookie_ = cookie;
}

ProgramControls::~ProgramControls() {
    if (!context_) return;
    DeactivateActCtx(0, static_cast<ULONG_PTR>(cookie_));
    ReleaseActCtx(static_cast<HANDLE>(context_));
}

}  // namespace captionfit
