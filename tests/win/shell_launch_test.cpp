// The shell request as the program hands it to ShellExecuteExW: the launch
// is finished before the call returns (the program may end straight after
// a press), a failure shows nothing, and the request's own parts go through
// unchanged.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/shell.h"
#include "platform/shell_win.h"
#include "platform/ui/form.h"
#include "tests/win/real_windows.h"

namespace {

class StandInWindow : public ui::FormPeer {
public:
    void Show() override {}
    void Hide() override {}
    void Place(bool, ui::PixelRect) override {}
    ui::PixelRect OuterRect() const override { return {}; }
    void CaptionChanged() override {}
    void* NativeHandle() const override { return reinterpret_cast<void*>(static_cast<INT_PTR>(0x1234)); }
};

std::wstring Text(const wchar_t* text) { return text ? text : L"(null)"; }

TEST(ShellLaunch, EveryRequestWaitsForTheLaunchAndShowsNoErrorOfItsOwn) {
    EXPECT_EQ(platform::kShellLaunchFlags, ULONG{SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI});
    for (const platform::ShellRequest& request :
         {platform::ShellRequest{.verb = u"open", .file = u"http://example.com/"},
          platform::ShellRequest{
              .verb = u"open", .file = u"instructions.txt", .parameters = u"", .directory = u"C:\\"}}) {
        const SHELLEXECUTEINFOW info = platform::ShellExecuteInfoFor(request);
        EXPECT_EQ(info.cbSize, sizeof info);
        EXPECT_EQ(info.fMask, platform::kShellLaunchFlags) << "no other flag: no process handle to close, no "
                                                              "environment expanded";
    }
}

TEST(ShellLaunch, TheRequestsVerbFileParametersFolderOwnerAndShowCommandGoAsTheyAre) {
    ui::Form owner(u"frmOwner", {});
    owner.peer = std::make_unique<StandInWindow>();
    const platform::ShellRequest full{.owner = &owner,
                                      .verb = u"open",
                                      .file = u"C:\\Program Files\\Brivane\\instructions.txt",
                                      .parameters = u"",
                                      .directory = u"C:\\Program Files\\Brivane",
                                      .show = platform::kShowNormal};
    SHELLEXECUTEINFOW info = platform::ShellExecuteInfoFor(full);
    EXPECT_EQ(info.hwnd, reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)));
    EXPECT_EQ(Text(info.lpVerb), L"open");
    EXPECT_EQ(Text(info.lpFile), L"C:\\Program Files\\Brivane\\instructions.txt");
    ASSERT_NE(info.lpParameters, nullptr) << "empty parameters are parameters";
    EXPECT_EQ(Text(info.lpParameters), L"");
    EXPECT_EQ(Text(info.lpDirectory), L"C:\\Program Files\\Brivane");
    EXPECT_EQ(info.nShow, SW_SHOW);

    // A URL with letters outside every code page, no parameters at all, no
    // folder, no owner window (or one not made yet).
    ui::Form unloaded(u"frmUnloaded", {});
    const platform::ShellRequest bare{
        .owner = &unloaded, .verb = u"open", .file = u"https://example.com/?q=\u4E2D\U0001F600"};
    info = platform::ShellExecuteInfoFor(bare);
    EXPECT_EQ(info.hwnd, nullptr);
    EXPECT_EQ(Text(info.lpFile), L"https://example.com/?q=\u4E2D\U0001F600");
    EXPECT_EQ(info.lpParameters, nullptr);
    EXPECT_EQ(info.lpDirectory, nullptr);
    owner.peer.reset();
}

// Notes whether the shell showed a window of its own while the call ran,
// and closes it so the call can return.
bool boxShown = false;
void CALLBACK CloseAnyBox(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND box = real_windows::FirstBoxOfThisThread()) {
        boxShown = true;
        PostMessageW(box, WM_CLOSE, 0, 0);
    }
}

TEST(ShellLaunch, AFileThatIsNotThereFailsWithoutAMessage) {
    if (!real_windows::DisplayAvailable()) GTEST_SKIP() << "no display: a message could not show here";
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring missing =
        std::wstring(folder) + L"brivane-no-such-document-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    boxShown = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseAnyBox);
    const long answer = platform::shell().Open({.verb = u"open", .file = vb::String(missing.begin(), missing.end())});
    KillTimer(nullptr, timer);
    EXPECT_LE(answer, 32);
    EXPECT_FALSE(boxShown);
}

}  // namespace
