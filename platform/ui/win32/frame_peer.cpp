#include "platform/ui/win32/frame_peer.h"

#include "platform/ui/win32/form_window.h"

namespace ui::win32 {

// WS_CLIPSIBLINGS: clipped by its contents, which lie above it, so it never
// paints over them.
FramePeer::FramePeer(FormWindow& form, Frame& frame, int id) : ControlWindow(form, frame, id), frame_(frame) {
    CreateWindowFrom({L"Button", BS_GROUPBOX | WS_CLIPSIBLINGS, 0, &frame.caption()});
}

void FramePeer::Update(Prop what) {
    if (what == Prop::Caption) {
        ShowText(frame_.caption());
        return;
    }
    ControlWindow::Update(what);
    if (what == Prop::Enabled || what == Prop::Visible || what == Prop::Geometry) ApplyToContents(what);
}

// Everything inside it, however deep (a frame inside also moves its own
// contents, to the same place again).
void FramePeer::ApplyToContents(Prop what) {
    for (auto& other : form().controlWindows()) {
        for (const Control* c = other->control().container(); c; c = c->container()) {
            if (c != &frame_) continue;
            if (what == Prop::Geometry) other->Update(Prop::Geometry);
            else other->ApplyState();
            break;
        }
    }
}

}  // namespace ui::win32
