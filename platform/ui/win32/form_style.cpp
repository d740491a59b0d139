#include "platform/ui/win32/form_style.h"

namespace ui::win32 {

WindowStyle FormStyle(const FormProps& p, bool owned) {
    WindowStyle s;
    const DWORD framed = WS_CAPTION | WS_SYSMENU;
    bool boxes = false;
    switch (p.border) {
    case BorderStyle::None:
        s.style = WS_POPUP;
        break;
    case BorderStyle::FixedSingle:
        s.style = WS_OVERLAPPED | framed;
        boxes = true;
        break;
    case BorderStyle::Sizable:
        s.style = WS_OVERLAPPED | framed | WS_THICKFRAME;
        boxes = true;
        break;
    case BorderStyle::FixedDialog:
        s.style = WS_OVERLAPPED | framed;
        s.exStyle = WS_EX_DLGMODALFRAME;
        boxes = true;
        break;
    case BorderStyle::FixedToolWindow:
        s.style = WS_OVERLAPPED | framed;
        s.exStyle = WS_EX_TOOLWINDOW;
        break;
    case BorderStyle::SizableToolWindow:
        s.style = WS_OVERLAPPED | framed | WS_THICKFRAME;
        s.exStyle = WS_EX_TOOLWINDOW;
        break;
    }
    if (boxes && p.minButton) s.style |= WS_MINIMIZEBOX;
    if (boxes && p.maxButton) s.style |= WS_MAXIMIZEBOX;
    if (owned && p.showInTaskbar && !(s.exStyle & WS_EX_TOOLWINDOW)) s.exStyle |= WS_EX_APPWINDOW;
    return s;
}

}  // namespace ui::win32
