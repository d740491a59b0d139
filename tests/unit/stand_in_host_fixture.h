// The program's windows against the in-process stand-in host, with a
// headless screen, a recording shell and settings in memory; program-wide
// state is put back after each test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/automation.h"
#include "host/event_control.h"
#include "host/sim/host.h"
#include "main/Module2.h"
#include "platform/locale.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/ui/headless/headless.h"
#include "settings/Settings.h"

class WithStandInHost : public ::testing::Test {
protected:
    // The contact's address read as a press reads it, as Calls(from, false)
    // shows the reads.
    inline static const std::vector<vb::String> kAddressReads = {
        u"GetField(I2:27)", u"GetField(I2:30)", u"GetField(I2:31)", u"GetField(I2:32)", u"GetField(I2:33)"};

    void SetUp() override { platform::SetDecimalSeparatorForTesting(u'.'); }
    void TearDown() override {
        Module2::ActApp.SetNothing();
        Module2::ActViews.SetNothing();
        Module2::ContactView.SetNothing();
        Module2::RestartAct = false;
        platform::SetDecimalSeparatorForTesting(0);
    }

    std::optional<vb::String> Stored(vb::StringView key) {
        return store.store().Read(settings::kApplication, settings::kSection, key);
    }
    void Store(vb::StringView key, vb::StringView value) { settings::SaveSetting(key, value); }

    // The host calls from the `from`-th on, as "object.Member(args)" or,
    // without objects, "Member(args)"; a raised event's two marks as
    // "event N begin" and "event N end".
    std::vector<vb::String> Calls(size_t from = 0, bool withObject = true) {
        std::vector<vb::String> calls;
        auto log = hostState->Read().log;
        for (size_t i = from; i < log.size(); ++i) {
            if (log[i].mark != host::sim::LogEntry::Mark::Call) {
                bool begin = log[i].mark == host::sim::LogEntry::Mark::EventBegin;
                calls.push_back(u"event " + vb::FromAscii(std::to_string(log[i].eventId)) +
                                (begin ? u" begin" : u" end"));
                continue;
            }
            vb::String line = (withObject ? log[i].object + u"." : vb::String()) + log[i].member + u"(";
            for (size_t a = 0; a < log[i].args.size(); ++a)
                line += (a ? u", " : u"") + host::sim::FormatValue(log[i].args[a]);
            calls.push_back(line + u")");
        }
        return calls;
    }

    ui::headless::Backend screen;
    platform::RecordingShell shell;
    platform::ScopedSettingsStore store{std::make_unique<platform::MemorySettingsStore>()};
    std::shared_ptr<host::sim::StateFile> hostState = host::sim::StateFile::InMemory();
    host::sim::SimAutomation automation{hostState};
    host::AutomationGuard automationInstalled = host::InstallAutomation(automation);
    host::EventControlGuard eventControlInstalled =
        host::InstallEventControlFactory([this] { return host::sim::CreateSimEventControl(hostState); });
};
