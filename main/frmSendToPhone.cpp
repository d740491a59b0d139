#include "main/frmSendToPhone.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "platform/ui/backend.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/msgbox.h"

namespace {

// The window's design, in twips.
constexpr int kMargin = 120;
constexpr int kLineHeight = 255;
constexpr int kLineGap = 60;
constexpr int kButtonsGap = 180;
constexpr int kButtonWidth = 1140;
constexpr int kButtonHeight = 345;
constexpr int kButtonGap = 120;
// Wide enough for the sentence beneath the code, whatever the code's size.
constexpr int kLeastClientWidth = 4320;
// The window's caption bar and borders, allowed for when the code must fit
// the screen.
constexpr int kFrameTwips = 900;

constexpr const char16_t* kClipboardBusyMessage =
    u"Nothing was copied: another program is using the clipboard.\r\n\r\nTry again in a moment.";

// A label shows "&" as an access key: the address's own "&" stays one.
vb::String Literal(vb::StringView text) {
    vb::String out;
    for (char16_t c : text) {
        out += c;
        if (c == u'&') out += u'&';
    }
    return out;
}

// Twips of a length in pixels: exact on the way back to pixels.
int Twips(int pixels, double twipsPerPixel) { return static_cast<int>(std::lround(pixels * twipsPerPixel)); }

}  // namespace

void CopyOrSay(vb::StringView text) {
    if (!ui::CopyToClipboard(text)) ui::MsgBox(kClipboardBusyMessage, ui::kExclamation);
}

frmSendToPhone::frmSendToPhone()
    : Form(u"frmSendToPhone", {.caption = u"Send to phone",
                               .clientWidth = kLeastClientWidth,
                               .clientHeight = 1665,
                               .border = ui::BorderStyle::FixedDialog,
                               .minButton = false,
                               .maxButton = false,
                               .showInTaskbar = false,
                               .icon = IDI_PROGRAM,
                               .startPosition = ui::StartPosition::CenterScreen}) {
    cmdCopy.onClick = [this] { cmdCopy_Click(); };
    cmdClose.onClick = [this] { cmdClose_Click(); };
}

void frmSendToPhone::ShowFor(vb::StringView url, vb::StringView place) {
    code_ = phone_code::Encode(url);
    if (!code_) {
        ui::MsgBox(u"The link of this map is too long for a QR code: it takes " +
                       vb::FromAscii(std::to_string(phone_code::Bytes(url).size())) +
                       u" bytes, and a QR code holds at most " + vb::FromAscii(std::to_string(phone_code::kMostBytes)) +
                       u".\r\n\r\nCopy the link instead, and send it to your phone in a message.",
                   ui::kExclamation);
        return;
    }
    url_ = url;
    place_ = place;
    ShowModal();
}

void frmSendToPhone::Form_Load() {
    lblPlace.setCaption(Literal(place_));
    Layout();
    // Enter closes, as the window opens.
    cmdClose.SetFocus();
}

void frmSendToPhone::Layout() {
    if (!code_) return;
    ui::Backend& screen = ui::backend();
    const double tx = screen.TwipsPerPixelX(), ty = screen.TwipsPerPixelY();
    const int below = kMargin + kLineHeight + kLineGap + kLineHeight + kButtonsGap + kButtonHeight + kMargin;

    // The code fits the smallest screen, with the window around it.
    int roomWidth = INT_MAX, roomHeight = INT_MAX;
    for (const ui::PixelRect& area : screen.WorkAreas()) {
        roomWidth = std::min(roomWidth, area.width - ui::TwipsToPixels(kFrameTwips + 2 * kMargin, tx));
        roomHeight = std::min(roomHeight, area.height - ui::TwipsToPixels(kFrameTwips + kMargin + below, ty));
    }
    const int modules = code_->size + 2 * phone_code::kQuietZone;
    const int pixels = phone_code::ModulePixels(modules, tx, std::min(roomWidth, roomHeight));
    ui::CellPicture picture = phone_code::Picture(*code_, pixels);
    const int side = modules * pixels;
    const int sideWidth = Twips(side, tx), sideHeight = Twips(side, ty);

    const int width = std::max(kLeastClientWidth, sideWidth + 2 * kMargin);
    picCode.Move({(width - sideWidth) / 2, kMargin, sideWidth, sideHeight});
    picCode.setCells(std::move(picture));
    int top = kMargin + sideHeight + kMargin;
    lblPlace.Move({kMargin, top, width - 2 * kMargin, kLineHeight});
    top += kLineHeight + kLineGap;
    lblScan.Move({kMargin, top, width - 2 * kMargin, kLineHeight});
    top += kLineHeight + kButtonsGap;
    cmdCopy.Move({width - kMargin - kButtonWidth, top, kButtonWidth, kButtonHeight});
    cmdClose.Move({width - kMargin - 2 * kButtonWidth - kButtonGap, top, kButtonWidth, kButtonHeight});
    SetClientSize(width, top + kButtonHeight + kMargin);
}

void frmSendToPhone::cmdCopy_Click() { CopyOrSay(url_); }

void frmSendToPhone::cmdClose_Click() { Unload(); }
