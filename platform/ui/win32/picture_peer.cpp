#include "platform/ui/win32/picture_peer.h"

#include <cstring>

#include "platform/ui/win32/form_window.h"

namespace ui::win32 {

namespace {

struct MonochromeInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
};

}  // namespace

HBITMAP CellBitmap(const CellPicture& cells) {
    if (cells.empty() || cells.cellPixels <= 0) return nullptr;
    const int width = cells.columns * cells.cellPixels, height = cells.rows * cells.cellPixels;
    MonochromeInfo info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -height;  // top-down
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    info.colours[0] = {0, 0, 0, 0};        // bit 0: black
    info.colours[1] = {255, 255, 255, 0};  // bit 1: white
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) return bitmap;
    const size_t stride = (static_cast<size_t>(width) + 31) / 32 * 4;
    auto* rows = static_cast<unsigned char*>(bits);
    for (int row = 0; row < cells.rows; ++row) {
        unsigned char* line = rows + static_cast<size_t>(row) * cells.cellPixels * stride;
        std::memset(line, 0xFF, stride);
        for (int x = 0; x < width; ++x)
            if (cells.Black(x / cells.cellPixels, row)) line[x / 8] &= static_cast<unsigned char>(~(0x80u >> (x % 8)));
        // The cell's other pixel rows are the same.
        for (int copy = 1; copy < cells.cellPixels; ++copy) std::memcpy(line + copy * stride, line, stride);
    }
    return bitmap;
}

// SS_BITMAP for a picture of cells (no icon); the control takes the
// bitmap's size, which is the size the model gives it.
PicturePeer::PicturePeer(FormWindow& form, PictureBox& box, int id) : ControlWindow(form, box, id), box_(box) {
    int icon = box.icon();
    CreateWindowFrom({L"Static", static_cast<DWORD>(icon > 0 ? SS_ICON : SS_BITMAP)});
    // A picture missing from the program leaves the box empty.
    if (icon > 0)
        picture_.reset(static_cast<HICON>(
            LoadImageW(form.instance(), MAKEINTRESOURCEW(icon), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    if (picture_) SendMessageW(hwnd(), STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture_.get()));
    ShowCells();
}

void PicturePeer::Update(Prop what) {
    if (what == Prop::Picture) ShowCells();
    else ControlWindow::Update(what);
}

void PicturePeer::ShowCells() {
    if (!hwnd() || box_.icon() > 0) return;
    win::ScopedBitmap bitmap(CellBitmap(box_.cells()));
    SendMessageW(hwnd(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
    cells_ = std::move(bitmap);  // the one shown before goes now
    PixelRect at = Placement();
    MoveWindow(hwnd(), at.x, at.y, at.width, at.height, TRUE);
}

}  // namespace ui::win32
