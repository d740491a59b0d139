// The one place that knows which peer stands for which kind of control.
#include <memory>

#include "platform/ui/win32/button_peer.h"
#include "platform/ui/win32/check_box_peer.h"
#include "platform/ui/win32/combo_box_peer.h"
#include "platform/ui/win32/control_window.h"
#include "platform/ui/win32/frame_peer.h"
#include "platform/ui/win32/label_peer.h"
#include "platform/ui/win32/line_peer.h"
#include "platform/ui/win32/list_box_peer.h"
#include "platform/ui/win32/picture_peer.h"
#include "platform/ui/win32/slider_peer.h"
#include "platform/ui/win32/text_box_peer.h"
#include "platform/ui/win32/timer_peer.h"

namespace ui::win32 {

namespace {
template <class KindPeer, class Model>
std::unique_ptr<ControlWindow> Make(FormWindow& form, Control& control, int id) {
    return std::make_unique<KindPeer>(form, static_cast<Model&>(control), id);
}
}  // namespace

std::unique_ptr<ControlWindow> MakeControlWindow(FormWindow& form, Control& c, int id) {
    switch (c.kind()) {
    case Kind::CommandButton:
        return Make<ButtonPeer, CommandButton>(form, c, id);
    case Kind::CheckBox:
        return Make<CheckBoxPeer, CheckBox>(form, c, id);
    case Kind::Label:
        return Make<LabelPeer, Label>(form, c, id);
    case Kind::TextBox:
        return Make<TextBoxPeer, TextBox>(form, c, id);
    case Kind::ComboBox:
        return Make<ComboBoxPeer, ComboBox>(form, c, id);
    case Kind::ListBox:
        return Make<ListBoxPeer, ListBox>(form, c, id);
    case Kind::Frame:
        return Make<FramePeer, Frame>(form, c, id);
    case Kind::Slider:
        return Make<SliderPeer, Slider>(form, c, id);
    case Kind::PictureBox:
        return Make<PicturePeer, PictureBox>(form, c, id);
    case Kind::Line:
        return Make<LinePeer, Line>(form, c, id);
    case Kind::Timer:
        return Make<TimerPeer, Timer>(form, c, id);
    }
    return nullptr;
}

}  // namespace ui::win32
