#include "integrate/frmIntegrate.h"

#include "host/automation.h"
#include "main/Module2.h"
#include "main/frmMain.h"
#include "platform/program_info.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/trap.h"

namespace {

constexpr int kViews = 6;

constexpr const char16_t* kFailedNotice =
    u"Can't add icon or menu item automatically. You will need to proceed manually.";
constexpr const char16_t* kRestartPrompt =
    u"You need to re-start ACT! for the changes to take effect!\r\nDo you want to re-start it now?";
constexpr const char16_t* kRestartTitle = u"Brivane!";

vb::Procedure Sub(const char16_t* name) { return {u"frmIntegrate", vb::ProcedureKind::Sub, name}; }

// Where each view's box and label stand inside their frame: left and top of
// the box, left, top and width of the label.
struct Spot {
    int boxLeft, boxTop, labelLeft, labelTop, labelWidth;
};
constexpr Spot kSpots[2 * kViews] = {
    {210, 345, 495, 375, 1200}, {1815, 345, 2100, 375, 1470}, {3600, 315, 3870, 345, 1005},
    {210, 690, 495, 720, 1320}, {1815, 690, 2100, 720, 1470}, {3600, 660, 3870, 690, 1020},
    {210, 345, 495, 375, 930},  {1815, 345, 2100, 375, 1500}, {3630, 345, 3900, 375, 930},
    {210, 690, 495, 720, 1320}, {1815, 690, 2100, 720, 1515}, {3630, 690, 3900, 720, 930},
};
constexpr const char16_t* kViewNames[kViews] = {u"Contacts",  u"Contact List", u"Groups",
                                                u"Task List", u"Calendars",    u"E-mail"};

// Focus goes through the toolbar boxes in order, then the menu boxes from
// the last to the first.
int TabIndexOfBox(int i) { return i < kViews ? i : kViews + (2 * kViews - 1 - i); }

}  // namespace

frmIntegrate::frmIntegrate(frmMain& mainWindow)
    : Form(u"frmIntegrate", {.caption = u"Integrate with ACT!",
                             .clientWidth = 7050,
                             .clientHeight = 3270,
                             .border = ui::BorderStyle::FixedSingle,
                             .minButton = false,
                             .maxButton = false,
                             .icon = IDI_PROGRAM,
                             .startPosition = ui::StartPosition::CenterScreen}),
      mainWindow_(mainWindow) {
    for (int i = 0; i < 2 * kViews; ++i) {
        const Spot& s = kSpots[i];
        ui::Frame* frame = i < kViews ? &toolbarFrame : &menuFrame;
        int boxWidth = i == 6 ? 220 : 255;
        chkScreen.emplace_back(*this,
                               ui::Place{.name = u"chkScreen",
                                         .rect = {s.boxLeft, s.boxTop, boxWidth, 255},
                                         .tab = TabIndexOfBox(i),
                                         .in = frame,
                                         .index = i,
                                         // Its label stands beside it, out of the tab order.
                                         .accessibleName = kViewNames[i % kViews]},
                               ui::CheckBox::Props{});
        lblScreen.emplace_back(
            *this,
            ui::Place{
                .name = u"lblScreen", .rect = {s.labelLeft, s.labelTop, s.labelWidth, 270}, .in = frame, .index = i},
            ui::Label::Props{.caption = kViewNames[i % kViews]});
        auto index = static_cast<int16_t>(i);
        chkScreen.back().onClick = [this, index] { chkScreen_Click(index); };
        lblScreen.back().onClick = [this, index] { lblScreen_Click(index); };
    }
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
}

void frmIntegrate::Form_Load() {
    vb::Trap(Sub(u"Form_Load"), [&] {
        ActAuxCmds = host::CreateObject(host::kAuxCommandsProgId);
        const vb::String title = platform::ProgramTitle();
        for (int16_t i = 0; i < kViews; ++i)
            chkScreen[i].setValue(ActAuxCmds.Call(u"AuxCommandExistsInToolbar", int16_t(i + 1), title).AsInt16());
        for (int16_t i = 0; i < kViews; ++i)
            chkScreen[i + kViews].setValue(
                ActAuxCmds.Call(u"AuxCommandExistsInToolsMenu", int16_t(i + 1), title).AsInt16());
        ViewsChanged = false;
    });
}

void frmIntegrate::chkScreen_Click(int16_t index) {
    vb::Trap(Sub(u"chkScreen_Click"), [&] {
        ViewsChanged = true;
        const vb::String title = platform::ProgramTitle();
        if (ActAuxCmds.Call(u"AuxCommandExists", title).AsInt32() == 0) CheckCommand();
        bool toolbar = index < kViews;
        auto view = static_cast<int16_t>(toolbar ? index + 1 : index - (kViews - 1));
        bool remove = chkScreen[index].value() == 0;
        const char16_t* member = toolbar ? (remove ? u"RemoveAuxCommandFromToolbar" : u"AddAuxCommandToToolbar")
                                         : (remove ? u"RemoveAuxCommandFromToolsMenu" : u"AddAuxCommandToToolsMenu");
        LastAuxResult = ActAuxCmds.Call(member, view, title).AsInt32();
    });
}

void frmIntegrate::lblScreen_Click(int16_t index) {
    vb::Trap(Sub(u"lblScreen_Click"), [&] {
        ui::CheckBox& box = chkScreen[index];
        box.setValue(box.value() == 1 ? 0 : 1);
    });
}

void frmIntegrate::cmdOK_Click() {
    vb::Trap(Sub(u"cmdOK_Click"), [&] {
        if (ViewsChanged) {
            if (LastAuxResult != 0) MessAddFailed();
            else Message();
        }
        Unload();
    });
}

void frmIntegrate::cmdCancel_Click() {
    vb::Trap(Sub(u"cmdCancel_Click"), [&] { Unload(); });
}

void frmIntegrate::Form_Unload(int16_t& cancel) {
    (void)cancel;
    vb::Trap(Sub(u"Form_Unload"), [&] { ActAuxCmds.SetNothing(); });
}

void frmIntegrate::CheckCommand() {
    vb::Trap(Sub(u"CheckCommand"), [&] {
        const vb::String title = platform::ProgramTitle();
        const vb::String folder = platform::ExeFolder();
        const vb::String path = folder + platform::PathSeparator() + platform::ExeBaseName();
        LastAuxResult = ActAuxCmds
                            .Call(u"AddAuxCommand", title, path + u".EXE", folder, u"Brivane!",
                                  u"click to launch Brivane!", path + u".ico", path + u"32.ico", int16_t(1))
                            .AsInt32();
        if (LastAuxResult != 0) MessAddFailed();
    });
}

void frmIntegrate::MessAddFailed() {
    vb::Trap(Sub(u"MessAddFailed"), [&] { ui::MsgBox(kFailedNotice, ui::kOkOnly); });
}

void frmIntegrate::Message() {
    vb::Trap(Sub(u"Message"), [&] {
        RestartAnswer = static_cast<int16_t>(ui::MsgBox(kRestartPrompt, ui::kYesNo, kRestartTitle));
        Form_Load();
        if (RestartAnswer == ui::kYes) {
            Module2::RestartAct = true;
            Unload();
            int16_t cancel = 0;
            mainWindow_.Form_Unload(cancel);
        }
    });
}
