// The Route window: the stops of the day's route in order, to reorder and
// remove; where the route starts, whether it ends back there, and how the
// user travels; Open shows the route's directions on the map. Every change
// is stored at once: the route outlives the program.
#pragma once

#include "main/StoredRoute.h"
#include "platform/resources.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"

class frmRoute : public ui::Form {
public:
    frmRoute();

    ui::Label lblStart{
        *this, {.name = u"lblStart", .rect = {120, 180, 1020, 255}, .tab = 0}, {.caption = u"&Start at:"}};
    // The user's start address (office or home), as {from} takes it too.
    ui::TextBox txtStart{*this, {.name = u"txtStart", .rect = {1200, 120, 5280, 315}, .tab = 1}};
    ui::Label lblStops{*this, {.name = u"lblStops", .rect = {120, 600, 1500, 255}, .tab = 2}, {.caption = u"S&tops:"}};
    ui::ListBox lstStops{*this, {.name = u"lstStops", .rect = {120, 870, 5100, 2205}, .tab = 3}};
    ui::CommandButton cmdUp{*this, {.name = u"cmdUp", .rect = {5340, 870, 1140, 345}, .tab = 4}, {.caption = u"&Up"}};
    ui::CommandButton cmdDown{
        *this, {.name = u"cmdDown", .rect = {5340, 1290, 1140, 345}, .tab = 5}, {.caption = u"&Down"}};
    ui::CommandButton cmdRemove{
        *this, {.name = u"cmdRemove", .rect = {5340, 1710, 1140, 345}, .tab = 6}, {.caption = u"&Remove"}};
    ui::CommandButton cmdClear{
        *this, {.name = u"cmdClear", .rect = {5340, 2130, 1140, 345}, .tab = 7}, {.caption = u"&Clear"}};
    ui::CheckBox chkBack{
        *this, {.name = u"chkBack", .rect = {120, 3225, 3000, 255}, .tab = 8}, {.caption = u"&Back to the start"}};
    ui::Label lblMode{
        *this, {.name = u"lblMode", .rect = {120, 3660, 1140, 255}, .tab = 9}, {.caption = u"Travel &mode:"}};
    ui::ComboBox cboMode{*this,
                         {.name = u"cboMode", .rect = {1320, 3600, 1800, 315}, .tab = 10},
                         {.list = {u"Driving", u"Walking", u"Bicycling"}, .listOnly = true}};
    ui::CommandButton cmdOpen{*this,
                              {.name = u"cmdOpen", .rect = {4080, 4140, 1140, 345}, .tab = 11},
                              {.caption = u"&Open", .isDefault = true}};
    ui::CommandButton cmdClose{*this,
                               {.name = u"cmdClose", .rect = {5340, 4140, 1140, 345}, .tab = 12},
                               {.caption = u"Close", .isCancel = true}};

protected:
    void Form_Load() override;

private:
    void txtStart_Change();
    void lstStops_Click();
    void lstStops_KeyDown(int& keyCode, int shift);
    void cmdUp_Click();
    void cmdDown_Click();
    void cmdRemove_Click();
    void cmdClear_Click();
    void chkBack_Click();
    void cboMode_Click();
    void cmdOpen_Click();
    void cmdClose_Click();

    // The stop at `from` changes places with its neighbour at `to`.
    void Swap(int from, int to);
    void RemoveSelected();
    // Up, Down and Remove for the selected stop, Clear for any; the focus
    // leaves a button that can no longer be pressed.
    void UpdateButtons();

    StoredRoute route_;
    vb::String storedStart_;
};
