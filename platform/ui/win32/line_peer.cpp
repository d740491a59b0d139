#include "platform/ui/win32/line_peer.h"

#include "platform/ui/win32/colours.h"
#include "platform/ui/win32/form_window.h"
#include "platform/win32/scoped.h"

namespace ui::win32 {

void LinePeer::Update(Prop what) {
    if (what == Prop::Enabled || what == Prop::Visible || what == Prop::Geometry) form().Redraw();
    else ControlWindow::Update(what);
}

void LinePeer::Draw(HDC dc) const {
    if (!EffectiveVisible(line_)) return;
    const Line::Props& p = line_.props();
    Scale s = form().scale();
    COLORREF colour = ScreenColour(p.colour, COLOR_WINDOWTEXT);
    win::ScopedPen pen(CreatePen(PS_INSIDEFRAME, p.widthPixels > 0 ? p.widthPixels : 1, colour));
    if (!pen) return;
    win::ScopedSelect use(dc, pen.get());
    MoveToEx(dc, TwipsToPixels(p.x1, s.x), TwipsToPixels(p.y1, s.y), nullptr);
    LineTo(dc, TwipsToPixels(p.x2, s.x), TwipsToPixels(p.y2, s.y));
}

}  // namespace ui::win32
