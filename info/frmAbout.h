// The About window: the product's name and version, the maker with a year,
// the freeware notice, and links to write to the maker or visit its page.
#pragma once

#include "platform/maker.h"
#include "platform/resources.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"

class frmAbout : public ui::Form {
public:
    frmAbout();

    ui::CommandButton cmdOK{*this,
                            {.name = u"cmdOK", .rect = {4485, 2040, 1095, 375}, .tab = 0},
                            {.caption = u"OK", .isDefault = true, .isCancel = true}};
    // The designed black text is the scheme's text colour: black in the
    // standard scheme, and readable in any other.
    ui::Label lblDisclaimer{
        *this,
        {.name = u"lblDisclaimer", .rect = {255, 2040, 3870, 435}, .tab = 1},
        {.caption = u"This ACT! Add-On is freeware. It may be distributed freely without modification."}};
    ui::Label lblTitle{*this,
                       {.name = u"lblTitle", .rect = {1050, 240, 3885, 360}, .tab = 2},
                       {.caption = u"Brivane!", .font = {ui::Font::kDesignedFace, 13.5, true}}};
    ui::Label lblVersion{*this, {.name = u"lblVersion", .rect = {1050, 780, 3885, 225}, .tab = 3}, {}};
    ui::Label lblCopyright{*this, {.name = u"lblCopyright", .rect = {4200, 1560, 1485, 225}, .tab = 4}, {}};
    ui::Label Label1{*this,
                     {.name = u"Label1", .rect = {240, 2640, 3855, 255}, .tab = 5},
                     {.caption = u"Problem? Suggestion? E-mail us at: "}};
    ui::Label Label11{*this, {.name = u"Label11", .rect = {3360, 3300, 585, 255}, .tab = 6}, {.caption = u"More at"}};
    ui::Label lblLink{*this,
                      {.name = u"lblLink", .rect = {3960, 3300, 1755, 255}, .tab = 7},
                      {.caption = maker::WebAddress,
                       .link = true,
                       .font = {ui::Font::kDesignedFace, ui::Font::kDesignedPoints, false, true}}};
    ui::Label lblMail{*this,
                      {.name = u"lblMail", .rect = {240, 2880, 2415, 255}, .tab = 8},
                      {.caption = maker::SupportEmail,
                       .link = true,
                       .font = {ui::Font::kDesignedFace, ui::Font::kDesignedPoints, true, true}}};
    ui::PictureBox pic1{*this, {.name = u"pic1", .rect = {330, 225, 525, 765}, .tab = 9}, {.icon = IDI_PICTURE}};
    ui::Line Line1{*this, u"Line1", {.x1 = 53, .y1 = 1800, .x2 = 5684, .y2 = 1800, .colour = ui::kButtonShadow}};

protected:
    void Form_Load() override;

private:
    void cmdOK_Click();
    void lblLink_Click();
    void lblMail_Click();
};
