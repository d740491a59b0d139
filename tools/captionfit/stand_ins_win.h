// What the program's windows talk to when they are opened on their own on
// the real window system: the stand-in host (in-process), settings in memory
// and a shell that records its requests, for as long as this lives;
// program-wide state is put back at the end.
#pragma once

#include <memory>

#include "host/automation.h"
#include "host/event_control.h"
#include "host/sim/host.h"
#include "main/Module2.h"
#include "platform/settings_store.h"
#include "platform/shell.h"

namespace captionfit {

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

    const platform::RecordingShell& shell() const { return shell_; }

private:
    // The current contact has an address, so that no window refuses to
    // open for the want of one.
    static host::sim::State WithContact() {
        host::sim::State state;
        state.fields = {{27, u"12 Main Street"}, {30, u"Springfield"}, {31, u"IL"}, {32, u"62701"}, {33, u"USA"}};
        return state;
    }

    std::shared_ptr<host::sim::StateFile> state_ = host::sim::StateFile::InMemory(WithContact());
    host::sim::SimAutomation automation_{state_};
    host::AutomationGuard automationInstalled_ = host::InstallAutomation(automation_);
    host::EventControlGuard eventControlInstalled_ =
        host::InstallEventControlFactory([state = state_] { return host::sim::CreateSimEventControl(state); });
    platform::RecordingShell shell_;
    platform::ScopedSettingsStore store_{std::make_unique<platform::MemorySettingsStore>()};
};

}  // namespace captionfit
