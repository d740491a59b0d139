#include "platform/ui/win32/label_peer.h"

#include "platform/ui/win32/fonts.h"
#include "platform/ui/win32/form_window.h"

namespace ui::win32 {

namespace {
constexpr COLORREF kLinkColour = RGB(0, 102, 204);
}  // namespace

// SS_NOTIFY: the label tells of clicks (STN_CLICKED). Without SS_NOPREFIX,
// "&" marks an access key, which moves the focus to the next control.
// SS_ENDELLIPSIS keeps a single-line label's text on its one line.
LabelPeer::LabelPeer(FormWindow& form, Label& label, int id)
    : ControlWindow(form, label, id), label_(label), link_(label.isLink()) {
    DWORD lines = label.singleLine() ? SS_ENDELLIPSIS : 0;
    CreateWindowFrom({L"Static", SS_LEFT | SS_NOTIFY | lines, 0, &label.caption()});
    const Font& font = label.font();
    if (link_ || !font.face.empty() || font.points > 0 || font.bold || font.underline)
        SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(form.fonts().For(font, link_)), FALSE);
    if (label.foreColour() != kSystemColour) {
        hasColour_ = true;
        colour_ = label.foreColour();
    } else if (link_) {
        // The classic link blue: the system's hot-track colour is not
        // meant for text on every theme.
        hasColour_ = true;
        colour_ = kLinkColour;
    }
}

void LabelPeer::Update(Prop what) {
    if (what == Prop::Caption) ShowText(label_.caption());
    else ControlWindow::Update(what);
}

Handler LabelPeer::ActionForCommand(WORD code) {
    if (code != STN_CLICKED) return {};
    return [l = &label_] { l->Click(); };
}

bool LabelPeer::TextColour(COLORREF& colour) const {
    if (hasColour_) colour = colour_;
    return hasColour_;
}

}  // namespace ui::win32
