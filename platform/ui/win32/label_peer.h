// A label, or a link label: underlined, in link blue, with the pointing
// hand over it. Either may ask for its own font and colour.
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
    Label& label_;
    const bool link_;
    bool hasColour_ = false;
    COLORREF colour_ = 0;
};

}  // namespace ui::win32
