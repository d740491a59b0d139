#include "info/frmAbout.h"

#include <string>

#include "platform/program_info.h"
#include "platform/shell.h"
#include "platform/vb/trap.h"

namespace {

vb::Procedure Sub(const char16_t* name) { return {u"frmAbout", vb::ProcedureKind::Sub, name}; }

vb::String Decimal(int n) { return vb::FromAscii(std::to_string(n)); }

}  // namespace

frmAbout::frmAbout()
    : Form(u"frmAbout", {.caption = u"About Brivane!",
                         .clientWidth = 5730,
                         .clientHeight = 3555,
                         .border = ui::BorderStyle::FixedDialog,
                         .minButton = false,
                         .maxButton = false,
                         .showInTaskbar = false,
                         .icon = IDI_PROGRAM,
                         .startPosition = ui::StartPosition::CenterScreen}) {
    cmdOK.onClick = [this] { cmdOK_Click(); };
    lblLink.onClick = [this] { lblLink_Click(); };
    lblMail.onClick = [this] { lblMail_Click(); };
}

void frmAbout::Form_Load() {
    vb::Trap(Sub(u"Form_Load"), [&] {
        platform::Version v = platform::ProgramVersion();
        lblVersion.setCaption(u"Version " + Decimal(v.major) + u"." + Decimal(v.minor) + u"." + Decimal(v.revision));
        lblCopyright.setCaption(u"\u00A9 " + Decimal(maker::CopyrightYear) + u" " + maker::Name);
    });
}

void frmAbout::cmdOK_Click() {
    vb::Trap(Sub(u"cmdOK_Click"), [&] { Unload(); });
}

void frmAbout::lblLink_Click() {
    vb::Trap(Sub(u"lblLink_Click"), [&] { platform::OpenFromProgramFolder(this, maker::WebPage()); });
}

void frmAbout::lblMail_Click() {
    vb::Trap(Sub(u"lblMail_Click"),
             [&] { platform::OpenFromProgramFolder(this, u"mailto:" + vb::String(maker::SupportEmail)); });
}
