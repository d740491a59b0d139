// What a handler releases waits until its callback has returned to the
// message loop (platform/ui/teardown.h), in the headless backend: the end
// of each event it delivers is that return.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/form.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/teardown.h"

namespace {

using Names = std::vector<std::string>;

// Notes its end in `gone`.
class Tracked {
public:
    Tracked(Names& gone, std::string name) : gone_(gone), name_(std::move(name)) {}
    ~Tracked() { gone_.push_back(name_); }

private:
    Names& gone_;
    std::string name_;
};

std::unique_ptr<Tracked> Make(Names& gone, std::string name) { return std::make_unique<Tracked>(gone, name); }

TEST(DeferredRelease, OutsideEveryCallbackAnObjectIsReleasedAtOnce) {
    ui::headless::Backend screen;
    Names gone;
    ui::ReleaseLater(Make(gone, "a"));
    EXPECT_EQ(gone, Names{"a"});
}

TEST(DeferredRelease, InsideACallbackItWaitsUntilTheEventHasReturnedToTheLoop) {
    ui::headless::Backend screen;
    Names gone;
    screen.Deliver([&] {
        ui::Dispatch([&] { ui::ReleaseLater(Make(gone, "a")); });
        // Back in the code that called the handler: still there.
        EXPECT_TRUE(gone.empty());
    });
    EXPECT_EQ(gone, Names{"a"});
}

// A modal form's loop runs inside the handler that showed it: it releases
// what the events it delivers asked for, and only that.
TEST(DeferredRelease, ALoopInsideACallbackReleasesOnlyWhatItsOwnEventsAskedFor) {
    ui::headless::Backend screen;
    Names gone;
    screen.Deliver([&] {
        ui::Dispatch([&] {
            ui::ReleaseLater(Make(gone, "outer"));
            screen.Deliver([&] { ui::Dispatch([&] { ui::ReleaseLater(Make(gone, "inner")); }); });
            EXPECT_EQ(gone, Names{"inner"});
        });
    });
    EXPECT_EQ(gone, (Names{"inner", "outer"}));
}

TEST(DeferredRelease, WhatAHandlerThatFailedReleasedWaitsAsWell) {
    ui::headless::Backend screen;
    Names gone;
    EXPECT_THROW(screen.Deliver([&] {
        ui::Dispatch([&] {
            ui::ReleaseLater(Make(gone, "a"));
            throw vb::Error(vb::kInvalidProcedureCall);
        });
    }),
                 ui::headless::ProgramEnded);
    EXPECT_TRUE(gone.empty()) << "the program ended inside the callback";
    screen.Deliver([] {});
    EXPECT_EQ(gone, Names{"a"});
}

// A release that asks for another, as a window whose end lets go of
// something of its own.
class Chained {
public:
    Chained(Names& gone, std::unique_ptr<Tracked> next) : gone_(gone), next_(std::move(next)) {}
    ~Chained() {
        gone_.push_back("chained");
        ui::ReleaseLater(std::move(next_));
    }

private:
    Names& gone_;
    std::unique_ptr<Tracked> next_;
};

TEST(DeferredRelease, AReleaseMayAskForAnother) {
    ui::headless::Backend screen;
    Names gone;
    screen.Deliver(
        [&] { ui::Dispatch([&] { ui::ReleaseLater(std::make_unique<Chained>(gone, Make(gone, "next"))); }); });
    EXPECT_EQ(gone, (Names{"chained", "next"}));
}

TEST(DeferredRelease, WhatStillWaitsWhenTheBackendGoesIsReleasedThen) {
    Names gone;
    {
        ui::headless::Backend screen;
        ui::Dispatch([&] { ui::ReleaseLater(Make(gone, "a")); });
        EXPECT_TRUE(gone.empty());
    }
    EXPECT_EQ(gone, Names{"a"});
}

// ---- forms whose own handlers unload them ----------------------------------------------

// The headless screen, counting the windows of forms that still exist.
class CountingScreen : public ui::headless::Backend {
public:
    std::unique_ptr<ui::FormPeer> CreateForm(ui::Form& form) override {
        class Counted final : public ui::FormPeer {
        public:
            Counted(std::unique_ptr<ui::FormPeer> inner, int& windows) : inner_(std::move(inner)), windows_(windows) {
                ++windows_;
            }
            ~Counted() override { --windows_; }
            void Show() override { inner_->Show(); }
            void Hide() override { inner_->Hide(); }
            void Close() override {
                closed = true;
                inner_->Close();
            }
            void Place(bool topmost, ui::PixelRect outer) override { inner_->Place(topmost, outer); }
            ui::PixelRect OuterRect() const override { return inner_->OuterRect(); }
            void CaptionChanged() override { inner_->CaptionChanged(); }
            void ClientSizeChanged() override { inner_->ClientSizeChanged(); }
            bool closed = false;

        private:
            std::unique_ptr<ui::FormPeer> inner_;
            int& windows_;
        };
        return std::make_unique<Counted>(Backend::CreateForm(form), windows);
    }
    int windows = 0;
};

class Closing : public ui::Form {
public:
    Closing() : Form(u"frmClosing", {.caption = u"Closing", .clientWidth = 3000, .clientHeight = 1000}) {
        cmdOK.onClick = [this] {
            Unload();
            // The handler goes on after its form closed, as handlers do.
            stillLoaded = loaded();
        };
    }
    ui::CommandButton cmdOK{*this, {.name = u"cmdOK", .rect = {100, 100, 1000, 325}, .tab = 0}, {.caption = u"OK"}};
    int unloads = 0;
    bool stillLoaded = true;

protected:
    void Form_Unload(int16_t&) override { ++unloads; }
};

TEST(DeferredRelease, AFormItsOwnHandlerUnloadsClosesAtOnceAndItsWindowGoesAfterTheEvent) {
    CountingScreen screen;
    Closing f;
    f.Show();
    ASSERT_EQ(screen.windows, 1);
    screen.Deliver([&] {
        ui::Dispatch([&] { f.cmdOK.Click(); });
        EXPECT_EQ(f.unloads, 1);
        EXPECT_FALSE(f.stillLoaded);
        EXPECT_FALSE(f.visible());
        EXPECT_EQ(f.cmdOK.peer, nullptr);
        EXPECT_EQ(screen.windows, 1) << "the window whose button called the handler is still there";
        // Opened again inside the same event: a new window beside the old.
        f.Show();
        EXPECT_EQ(screen.windows, 2);
    });
    EXPECT_EQ(screen.windows, 1);
    EXPECT_TRUE(f.loaded());
}

}  // namespace
