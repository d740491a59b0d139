// The Preferences window's zoom slider as the system's slider control: what
// the keys and clicks on its track do to it, and that the window stores
// where it ends up.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "platform/settings_store.h"
#include "platform/ui/win32/win32_backend.h"
#include "settings/Settings.h"
#include "settings/frmPreferences.h"
#include "tests/win/real_windows.h"

namespace {

using real_windows::Hwnd;

class PreferencesSlider : public testing::Test {
protected:
    void SetUp() override {
        if (!real_windows::DisplayAvailable())
            GTEST_SKIP() << "no display: windows cannot be created here (set DISPLAY)";
        screen = std::make_unique<ui::win32::Backend>();
        window.Show();
        slider = Hwnd(window.sld1);
    }
    void TearDown() override {
        if (window.loaded()) window.Unload();
        screen.reset();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message != WM_QUIT) DispatchMessageW(&msg);
    }

    // The position after a key, as the control and the window see it.
    int Key(WPARAM key) {
        SendMessageW(slider, WM_KEYDOWN, key, 0);
        SendMessageW(slider, WM_KEYUP, key, 0);
        return Position();
    }
    // A click on the track, near its left or right end: away from the thumb
    // unless the thumb stands there.
    int ClickTrack(bool right) {
        RECT channel{};
        SendMessageW(slider, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        LPARAM at = MAKELPARAM(right ? channel.right - 2 : channel.left + 2, (channel.top + channel.bottom) / 2);
        SendMessageW(slider, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(slider, WM_LBUTTONUP, 0, at);
        return Position();
    }
    int Position() {
        int shown = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
        EXPECT_EQ(window.sld1.value(), shown) << "the window did not follow its slider";
        return shown;
    }

    platform::ScopedSettingsStore store{std::make_unique<platform::MemorySettingsStore>()};
    std::unique_ptr<ui::win32::Backend> screen;
    frmPreferences window;
    HWND slider = nullptr;
};

TEST_F(PreferencesSlider, ArrowKeysMoveByOnePageKeysAndTrackClicksByFiveBetweenOneAndTen) {
    ASSERT_EQ(Position(), 8);  // the default zoom
    EXPECT_EQ(Key(VK_LEFT), 7);
    EXPECT_EQ(Key(VK_RIGHT), 8);
    EXPECT_EQ(Key(VK_PRIOR), 3);
    EXPECT_EQ(Key(VK_NEXT), 8);
    EXPECT_EQ(Key(VK_NEXT), 10);
    EXPECT_EQ(Key(VK_RIGHT), 10);
    EXPECT_EQ(ClickTrack(false), 5);
    EXPECT_EQ(ClickTrack(false), 1);
    EXPECT_EQ(Key(VK_LEFT), 1);
    EXPECT_EQ(ClickTrack(true), 6);
    EXPECT_EQ(Key(VK_HOME), 1);
    EXPECT_EQ(Key(VK_END), 10);

    window.cmdOK.Click();
    EXPECT_EQ(settings::GetSetting(settings::key::kZoom), u"10");
}

}  // namespace
