// The QR code's picture and the clipboard on the real system: each cell a
// square of whole pixels, black on white whatever colours the screen
// draws text in, and Unicode text copied whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/ui/clipboard.h"
#include "platform/ui/controls.h"
#include "platform/ui/win32/picture_peer.h"
#include "platform/ui/win32/win32_backend.h"
#include "platform/win32/scoped.h"
#include "tests/win/real_windows.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

ui::CellPicture Checkers() {
    ui::CellPicture cells;
    cells.columns = 3;
    cells.rows = 2;
    cells.cellPixels = 5;
    cells.black = {true, false, true, false, true, false};
    return cells;
}

TEST(CellPicture, EachCellIsASquareOfWholePixelsBlackOnWhiteWhateverTheColoursOfTheScreen) {
    ui::CellPicture cells = Checkers();
    win::ScopedBitmap bitmap(ui::win32::CellBitmap(cells));
    ASSERT_TRUE(bitmap);
    BITMAP facts{};
    ASSERT_TRUE(GetObjectW(bitmap.get(), sizeof facts, &facts));
    EXPECT_EQ(facts.bmWidth, 15);
    EXPECT_EQ(facts.bmHeight, 10);

    // Drawn as a static control draws it, onto a colour surface whose text
    // and background colours are a colour scheme's (a monochrome bitmap of
    // the device's own would take them).
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP surface = CreateCompatibleBitmap(screen, 15, 10);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldFrom = SelectObject(from, bitmap.get());
    HGDIOBJ oldTo = SelectObject(to, surface);
    SetTextColor(to, RGB(255, 255, 0));
    SetBkColor(to, RGB(0, 0, 128));
    ASSERT_TRUE(BitBlt(to, 0, 0, 15, 10, from, 0, 0, SRCCOPY));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 15; ++x)
            EXPECT_EQ(GetPixel(to, x, y), cells.Black(x / 5, y / 5) ? kBlack : kWhite) << x << "," << y;
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteObject(surface);
    DeleteDC(from);
    DeleteDC(to);
}

TEST(CellPicture, AnEmptyPictureMakesNoBitmap) {
    EXPECT_EQ(ui::win32::CellBitmap(ui::CellPicture{}), nullptr);
    ui::CellPicture none = Checkers();
    none.cellPixels = 0;
    EXPECT_EQ(ui::win32::CellBitmap(none), nullptr);
}

TEST(Clipboard, UnicodeTextIsCopiedWholeInPlaceOfWhatWasThere) {
    if (!real_windows::DisplayAvailable()) GTEST_SKIP() << "no display: the clipboard needs one (set DISPLAY)";
    ui::win32::Backend screen;
    ASSERT_TRUE(ui::CopyToClipboard(u"first"));
    const std::u16string text = u"\u0141\u00F3d\u017A \U00020BB7 & \"Q\"#1\r\nnext";
    ASSERT_TRUE(ui::CopyToClipboard(text));
    ASSERT_TRUE(OpenClipboard(nullptr));
    std::u16string copied;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* at = static_cast<const char16_t*>(GlobalLock(data))) {
            copied = at;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    EXPECT_EQ(copied, text);
}

}  // namespace
