// A label, or a link label: underlined, in the link colour, with the
// pointing hand over it. A link takes the focus as a link does: Tab reaches
// it after the designed tab stops, it shows the focus rectangle around its
// text, and Enter or Space opens it as a click does. Either may ask for its
// own font and colour.
#pragma once

#include "platform/ui/win32/control_window.h"

namespace ui::win32 {

class LabelPeer final : public ControlWindow {
public:
    LabelPeer(FormWindow& form, Label& label, int id);

    void Update(Prop what) override;
    Handler ActionForCommand(WORD code) override;
    bool TextColour(COLORREF& colour) const override;
    bool IsLink() const override { return link_; }

private:
    static LRESULT CALLBACK LinkKeys(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    Label& label_;
    const bool link_;
    const Colour colour_;
};

}  // namespace ui::win32
