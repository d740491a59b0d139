#include "main/frmMain.h"

#include "platform/program_info.h"
#include "platform/shell.h"
#include "platform/ui/backend.h"

namespace {
// The designed outer size of the window, around its client area, caption
// and menu bar.
constexpr int kOuterWidth = 3495;
constexpr int kOuterHeight = 2100;
constexpr int kDefaultPosition = 100;
}  // namespace

frmMain::frmMain()
    : Form(u"frmMain", {.caption = u"Brivane!",
                        .clientWidth = 3405,
                        .clientHeight = 1320,
                        .border = ui::BorderStyle::FixedSingle,
                        .minButton = false,
                        .maxButton = false,
                        .icon = IDI_PROGRAM}) {
    cmdLocate.onClick = [this] { cmdLocate_Click(); };
    mnuInstructions.onClick = [this] { mnuInstructions_Click(); };
    lblLink.onClick = [this] { lblLink_Click(); };
}

void frmMain::Form_Load() {
    ui::Backend& screen = ui::backend();
    double tx = screen.TwipsPerPixelX(), ty = screen.TwipsPerPixelY();
    Place(true, {ui::TwipsToPixels(kDefaultPosition, tx), ui::TwipsToPixels(kDefaultPosition, ty),
                 ui::TwipsToPixels(kOuterWidth, tx), ui::TwipsToPixels(kOuterHeight, ty)});
}

void frmMain::Form_Unload(int16_t& cancel) { (void)cancel; }

void frmMain::cmdLocate_Click() {}

void frmMain::mnuInstructions_Click() {
    platform::shell().Open({.owner = this,
                            .verb = u"open",
                            .file = u"instructions.txt",
                            .parameters = vb::String(),
                            .directory = platform::ExeFolder()});
}

void frmMain::lblLink_Click() {
    platform::shell().Open({.owner = this,
                            .verb = u"open",
                            .file = u"http://" + vb::String(maker::WebAddress),
                            .parameters = std::nullopt,
                            .directory = platform::ExeFolder()});
}
