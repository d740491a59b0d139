// The Preferences window: the map page URL, the country to use when a
// contact has none, and the zoom level. Read at every opening, written only
// when the user confirms with OK.
#pragma once

#include "platform/resources.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"

class frmPreferences : public ui::Form {
public:
    frmPreferences();

    ui::Frame fraSite{*this,
                      {.name = u"fraSite", .rect = {225, 195, 4740, 1155}, .tab = 0},
                      {.caption = u"Your Preferred Map Site :"}};
    ui::Label lblSite{*this,
                      {.name = u"lblSite", .rect = {165, 405, 4380, 285}, .tab = 1, .in = &fraSite},
                      {.caption = u"Enter the URL :"}};
    // The URL as typed, or a map page chosen from the list.
    ui::ComboBox txtSite{
        *this, {.name = u"txtSite", .rect = {150, 675, 4380, 315}, .tab = 2, .in = &fraSite}, {.list = PresetNames()}};
    ui::CommandButton cmdOK{
        *this, {.name = u"cmdOK", .rect = {5370, 300, 1000, 325}, .tab = 3}, {.caption = u"&OK", .isDefault = true}};
    ui::CommandButton cmdCancel{*this,
                                {.name = u"cmdCancel", .rect = {5370, 720, 1000, 325}, .tab = 4},
                                {.caption = u"&Cancel", .isCancel = true}};
    ui::Label lblCountry{*this,
                         {.name = u"lblCountry", .rect = {375, 1545, 2340, 285}, .tab = 5},
                         {.caption = u"If the country field is blank, use :"}};
    ui::TextBox txtCountry{*this, {.name = u"txtCountry", .rect = {2730, 1485, 555, 315}, .tab = 6}};
    ui::CommandButton cmdInstructions{
        *this, {.name = u"cmdInstructions", .rect = {5385, 1470, 1000, 325}, .tab = 7}, {.caption = u"Instructions"}};
    ui::Frame fraZoom{*this, {.name = u"fraZoom", .rect = {225, 1980, 4740, 1185}, .tab = 8}, {.caption = u"Zoom :"}};
    ui::Slider sld1{*this,
                    {.name = u"sld1",
                     .rect = {585, 330, 3120, 675},
                     .tab = 9,
                     .in = &fraZoom,
                     // Its frame says "Zoom :", and a frame is no label before it.
                     .accessibleName = u"Zoom"},
                    {.min = 1, .max = 10, .smallChange = 1, .largeChange = 5, .value = 1}};
    ui::Label lblmin{
        *this, {.name = u"lblmin", .rect = {210, 510, 405, 285}, .tab = 10, .in = &fraZoom}, {.caption = u"Min."}};
    ui::Label lblmax{
        *this, {.name = u"lblmax", .rect = {3720, 510, 405, 285}, .tab = 11, .in = &fraZoom}, {.caption = u"Max."}};

protected:
    void Form_Load() override;

private:
    static std::vector<vb::String> PresetNames();
    void txtSite_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdInstructions_Click();
};
