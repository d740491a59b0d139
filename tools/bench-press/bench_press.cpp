// Prints the time of building one map URL and of one press of the main
// button, from the click to the shell call, with the in-process stand-in
// host, a recording shell and settings in memory.
#include <chrono>
#include <cstdio>
#include <memory>

#include "host/automation.h"
#include "host/event_control.h"
#include "host/sim/host.h"
#include "main/MapURL.h"
#include "main/Module2.h"
#include "main/frmMain.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/ui/headless/headless.h"
#include "settings/Settings.h"
#include "tools/bench-press/fixed_contact.h"

namespace {

using Clock = std::chrono::steady_clock;

template <class F>
double MicrosecondsPerRun(int runs, F&& body) {
    auto start = Clock::now();
    for (int i = 0; i < runs; ++i) body();
    std::chrono::duration<double, std::micro> spent = Clock::now() - start;
    return spent.count() / runs;
}

}  // namespace

int main() {
    ui::headless::Backend screen;
    platform::RecordingShell shell;
    platform::ScopedSettingsStore store(std::make_unique<platform::MemorySettingsStore>());
    auto state = host::sim::StateFile::InMemory();
    state->Update([](host::sim::State& s) {
        s.fields = {{27, u"12 All\u00E9e des H\u00E9rons"}, {30, u"Montv\u00E9rac"}, {32, u"99120"}, {33, u"France"}};
    });
    host::sim::SimAutomation automation(state);
    host::AutomationGuard automationInstalled = host::InstallAutomation(automation);
    host::EventControlGuard eventControlInstalled =
        host::InstallEventControlFactory([state] { return host::sim::CreateSimEventControl(state); });

    map_url::Inputs in{.base = map_url::BaseURL(u""),
                       .site = u"mapquest",
                       .zoom = [] { return vb::String(u"8"); },
                       .field = [](int16_t) { return vb::String(u"Montv\u00E9rac"); },
                       .countryCode = [](vb::StringView) { return vb::String(u"FR"); }};
    volatile size_t sink = 0;
    double build = MicrosecondsPerRun(100000, [&] { sink = sink + map_url::Build(in).size(); });

    settings::SaveSetting(settings::key::kClose, u"1");
    frmMain form;
    form.Show();
    Module2::ContactView = host::HostObject(std::make_shared<bench::FixedContact>());
    const int presses = 2000;
    double press = MicrosecondsPerRun(presses, [&] {
        form.cmdLocate.Click();
        if (shell.requests.size() > 100) shell.requests.clear();
    });

    std::printf("build one map URL: %.2f us\n", build);
    std::printf("press to shell call (countries file lookup included): %.1f us\n", press);
    return 0;
}
