// The Send to phone window: the QR code of a map's link, for the phone's
// camera to open the same map there, with the address it shows beneath it
// and a button that copies the link. Modal; sized to the code.
#pragma once

#include <optional>

#include "main/PhoneCode.h"
#include "platform/resources.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"

class frmSendToPhone : public ui::Form {
public:
    // What a screen reader calls the code.
    static constexpr const char16_t* kCodePictureName = u"QR code of the map link";
    static constexpr const char16_t* kScanText = u"Scan with your phone's camera to open this map.";

    frmSendToPhone();

    // Shows the code of `url` modally, with `place` (the address as one
    // line) beneath it; returns when the window has closed. A URL too long
    // for any QR code gets a message instead, and no window.
    void ShowFor(vb::StringView url, vb::StringView place);

    // Laid out by Form_Load around the code; these places are only where
    // the controls start.
    // Close first: it has the focus as the window opens, so Enter closes;
    // Tab reaches Copy link, beside it to the right.
    ui::CommandButton cmdClose{*this,
                               {.name = u"cmdClose", .rect = {1500, 1200, 1140, 345}, .tab = 0},
                               {.caption = u"Close", .isDefault = true, .isCancel = true}};
    ui::CommandButton cmdCopy{
        *this, {.name = u"cmdCopy", .rect = {2760, 1200, 1140, 345}, .tab = 1}, {.caption = u"&Copy link"}};
    ui::PictureBox picCode{
        *this, {.name = u"picCode", .rect = {120, 120, 0, 0}, .tab = 2, .accessibleName = kCodePictureName}, {}};
    ui::Label lblPlace{*this, {.name = u"lblPlace", .rect = {120, 360, 3780, 255}, .tab = 3}, {.singleLine = true}};
    ui::Label lblScan{*this, {.name = u"lblScan", .rect = {120, 675, 3780, 255}, .tab = 4}, {.caption = kScanText}};

protected:
    void Form_Load() override;

private:
    void cmdCopy_Click();
    void cmdClose_Click();
    // The controls around the code, and the window around them.
    void Layout();

    vb::String url_;
    vb::String place_;
    std::optional<phone_code::Code> code_;
};

// Puts the text on the clipboard, or tells the user that another program
// holds it and nothing was copied.
void CopyOrSay(vb::StringView text);
