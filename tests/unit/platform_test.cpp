#include <gtest/gtest.h>

#include "platform/program_info.h"
#include "platform/seam.h"
#include "platform/shell.h"
#include "platform/single_instance.h"

namespace {

TEST(SingleInstance, TheSecondClaimSeesTheFirstUntilItIsReleased) {
    const vb::String name = u"brivane-test-single-instance";
    {
        platform::SingleInstance first(name);
        EXPECT_FALSE(first.AnotherRunning());
        platform::SingleInstance second(name);
        EXPECT_TRUE(second.AnotherRunning());
        platform::SingleInstance other(u"brivane-test-other-name");
        EXPECT_FALSE(other.AnotherRunning());
    }
    platform::SingleInstance again(name);
    EXPECT_FALSE(again.AnotherRunning());
}

TEST(ProgramInfo, KnowsItsTitleVersionAndWhereItLies) {
    EXPECT_EQ(platform::ProgramTitle(), u"brivane");
    auto v = platform::ProgramVersion();
    EXPECT_EQ(v.major, 1);
    EXPECT_EQ(v.minor, 0);
    EXPECT_EQ(v.revision, 0);
    EXPECT_EQ(platform::ExeBaseName(), u"brivane_unit_tests");
    vb::String folder = platform::ExeFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), u'\\');
    EXPECT_NE(folder.back(), u'/');
}

// A program at a drive's root works in that root, not in whatever folder
// happens to be current on the drive.
TEST(ProgramInfo, AWindowsFolderKeepsItsSeparatorOnlyAtADrivesRoot) {
    EXPECT_EQ(platform::WindowsFolderOf(u"C:\\Program Files\\brivane\\brivane.exe"), u"C:\\Program Files\\brivane");
    EXPECT_EQ(platform::WindowsFolderOf(u"C:\\brivane.exe"), u"C:\\");
    EXPECT_EQ(platform::WindowsFolderOf(u"\\\\server\\share\\brivane.exe"), u"\\\\server\\share");
    EXPECT_EQ(platform::WindowsFolderOf(u"brivane.exe"), u"");
}

TEST(Shell, ARecordingShellKeepsRequestsAndLeavesTheSystemAlone) {
    platform::RecordingShell recorder;
    platform::shell().Open({.verb = u"open", .file = u"instructions.txt", .parameters = vb::String()});
    platform::shell().Open({.verb = u"open", .file = u"http://example.com/?q=\u0141\u00f3d\u017a"});
    ASSERT_EQ(recorder.requests.size(), 2u);
    EXPECT_TRUE(recorder.requests[0].parameters.has_value());
    EXPECT_FALSE(recorder.requests[1].parameters.has_value());
    EXPECT_EQ(recorder.requests[1].file, u"http://example.com/?q=\u0141\u00f3d\u017a");
    EXPECT_EQ(recorder.requests[1].show, platform::kShowNormal);
}

}  // namespace

namespace {

TEST(Seam, ReplacementsNestAndUnwindInOrder) {
    platform::Seam<int*> seam;
    int outer = 1, inner = 2;
    EXPECT_EQ(seam.installed(), nullptr);
    {
        platform::Seam<int*>::Guard first = seam.Install(&outer);
        {
            platform::Seam<int*>::Guard second = seam.Install(&inner);
            EXPECT_EQ(seam.installed(), &inner);
        }
        EXPECT_EQ(seam.installed(), &outer);
    }
    EXPECT_EQ(seam.installed(), nullptr);
}

}  // namespace
