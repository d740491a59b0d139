// The Integrate window: in which of six host views the program's launch
// command shows on the toolbar and in the Tools menu. Every tick or untick is
// applied to the host at once; Close offers to restart the host so that the
// changes show.
#pragma once

#include <cstdint>
#include <deque>

#include "host/host_object.h"
#include "platform/resources.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"

class frmMain;

class frmIntegrate : public ui::Form {
public:
    explicit frmIntegrate(frmMain& mainWindow);

    ui::Frame toolbarFrame{*this,
                           {.name = u"Frame1", .rect = {315, 240, 5115, 1185}, .index = 0},
                           {.caption = u"Toolbar Button added to the following Views :"}};
    ui::Frame menuFrame{*this,
                        {.name = u"Frame1", .rect = {315, 1575, 5130, 1185}, .index = 1},
                        {.caption = u"Menu Item added to the following Views :"}};
    ui::Label Label2{*this,
                     {.name = u"Label2", .rect = {495, 2850, 5670, 315}},
                     {.caption = u"You will need to re-start ACT! to see the changes."}};
    ui::CommandButton cmdOK{*this,
                            {.name = u"cmdOK", .rect = {5820, 360, 1000, 325}, .tab = 12},
                            {.caption = u"&Close", .isDefault = true}};
    ui::CommandButton cmdCancel{*this,
                                {.name = u"cmdCancel", .rect = {5820, 840, 1000, 325}, .tab = 13},
                                {.caption = u"&Cancel", .isCancel = true}};
    // Boxes 0 to 5: the toolbars of views 1 to 6; 6 to 11: their Tools menus.
    std::deque<ui::CheckBox> chkScreen;
    std::deque<ui::Label> lblScreen;

    // Fields, kept between openings.
    int16_t RestartAnswer = 0;
    bool ViewsChanged = false;
    host::HostObject ActAuxCmds;
    int32_t LastAuxResult = 0;

protected:
    void Form_Load() override;
    void Form_Unload(int16_t& cancel) override;

private:
    void chkScreen_Click(int16_t index);
    void lblScreen_Click(int16_t index);
    void cmdOK_Click();
    void cmdCancel_Click();

    // Defining the command in the host, and talking to the user about it.
    void CheckCommand();
    void MessAddFailed();
    void Message();

    frmMain& mainWindow_;
};
