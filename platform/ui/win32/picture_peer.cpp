#include "platform/ui/win32/picture_peer.h"

#include "platform/ui/win32/form_window.h"

namespace ui::win32 {

PicturePeer::PicturePeer(FormWindow& form, PictureBox& box, int id) : ControlWindow(form, box, id) {
    CreateWindowFrom({L"Static", SS_ICON});
    int icon = box.icon();
    // A picture missing from the program leaves the box empty.
    if (icon > 0)
        picture_.reset(static_cast<HICON>(
            LoadImageW(form.instance(), MAKEINTRESOURCEW(icon), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    if (picture_) SendMessageW(hwnd(), STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture_.get()));
}

}  // namespace ui::win32
