#include <gtest/gtest.h>

#include "info/frmAbout.h"
#include "platform/shell.h"
#include "platform/ui/headless/headless.h"

namespace {

class About : public ::testing::Test {
protected:
    void Open(std::function<void(frmAbout&)> user) {
        screen.onModal[u"frmAbout"] = [user](ui::Form& f) { user(static_cast<frmAbout&>(f)); };
        form.ShowModal();
    }
    ui::headless::Backend screen;
    platform::RecordingShell shell;
    frmAbout form;
};

TEST_F(About, ShowsTheVersionAndTheMakerAndClosesWithEnterOrEsc) {
    Open([](frmAbout& f) {
        EXPECT_EQ(f.lblVersion.caption(), u"Version 1.0.0");
        EXPECT_NE(f.lblCopyright.caption().find(maker::Name), vb::String::npos);
        EXPECT_NE(f.lblCopyright.caption().find(u"2026"), vb::String::npos);
        f.PressEnter();
        EXPECT_FALSE(f.loaded());
    });
    Open([](frmAbout& f) {
        f.PressEscape();
        EXPECT_FALSE(f.loaded());
    });
    EXPECT_TRUE(screen.boxes.empty());
}

TEST_F(About, TheLinksAskTheShellForTheWebPageAndAMessageToSupport) {
    Open([](frmAbout& f) {
        f.lblLink.Click();
        f.lblMail.Click();
        EXPECT_TRUE(f.visible());
        f.cmdOK.Click();
    });
    ASSERT_EQ(shell.requests.size(), 2u);
    EXPECT_EQ(shell.requests[0].file, u"http://www.example.com");
    EXPECT_EQ(shell.requests[1].file, u"mailto:support@example.com");
    EXPECT_FALSE(shell.requests[1].parameters.has_value());
    EXPECT_EQ(shell.requests[1].owner, &form);
}

}  // namespace
