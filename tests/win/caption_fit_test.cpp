// Every caption of the program's windows fits its control, measured
// with the control's own font the way the control draws it. ctest runs this
// at 96 dpi with the other Windows tests, and at 120 and 144 dpi in prefixes
// whose screens have those (win_fit_120, win_fit_144); BRIVANE_EXPECT_DPI
// names the dpi a run is for. Without a display the tests skip.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "tools/captionfit/measure_win.h"
#include "tools/captionfit/windows_win.h"
#include "tools/uidriver/text_win.h"

namespace {

bool DisplayAvailable() {
    HWND probe = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    if (probe) DestroyWindow(probe);
    return probe != nullptr;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

class CaptionFit : public testing::Test {
protected:
    void SetUp() override {
        if (!DisplayAvailable()) GTEST_SKIP() << "no display: windows cannot be created here (set DISPLAY)";
    }
};

TEST_F(CaptionFit, TheScreenHasTheDpiOfTheRun) {
    const char* expected = std::getenv("BRIVANE_EXPECT_DPI");
    if (!expected) GTEST_SKIP() << "BRIVANE_EXPECT_DPI is not set";
    EXPECT_EQ(ScreenDpi(), std::atoi(expected));
}

TEST_F(CaptionFit, EveryCaptionOfTheProgramsWindowsFitsItsControl) {
    std::vector<captionfit::Row> rows = captionfit::MeasureProgramWindows();
    std::map<std::wstring, int> perWindow;
    for (const captionfit::Row& row : rows) {
        ++perWindow[row.window];
        const captionfit::Measure& m = row.measure;
        using uidriver::ToUtf8;
        EXPECT_TRUE(m.fits) << ToUtf8(row.window) << ": " << ToUtf8(row.control) << " \"" << ToUtf8(m.caption)
                            << "\" takes " << m.text.cx << " x " << m.text.cy << " pixels and has " << m.room.cx
                            << " x " << m.room.cy << " at " << ScreenDpi() << " dpi";
    }
    // Every control that shows text was measured: buttons, boxes, frames,
    // labels and text fields.
    EXPECT_EQ(
        perWindow,
        (std::map<std::wstring, int>{
            {L"frmMain", 4}, {L"frmPreferences", 11}, {L"frmIntegrate", 29}, {L"frmAbout", 9}, {L"frmRoute", 12}}));
}

// The measuring itself, on plain windows sized around their text: a
// caption one pixel too wide for the way its control draws it does not fit.
class Measuring : public CaptionFit {
protected:
    void SetUp() override {
        CaptionFit::SetUp();
        if (IsSkipped()) return;
        parent_ = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 800, 200, nullptr, nullptr, nullptr, nullptr);
        font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    void TearDown() override {
        if (parent_) DestroyWindow(parent_);
    }

    HWND Child(const wchar_t* cls, DWORD style, const wchar_t* text, int width, int height) {
        HWND h =
            CreateWindowExW(0, cls, text, WS_CHILD | style, 0, 0, width, height, parent_, nullptr, nullptr, nullptr);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return h;
    }
    SIZE Extent(const wchar_t* text) {
        HDC dc = GetDC(parent_);
        HGDIOBJ old = SelectObject(dc, font_);
        SIZE s{};
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &s);
        SelectObject(dc, old);
        ReleaseDC(parent_, dc);
        return s;
    }
    bool Fits(HWND h) { return captionfit::MeasureCaption(h).value().fits; }

    HWND parent_ = nullptr;
    HFONT font_ = nullptr;
};

TEST_F(Measuring, ALabelWrapsOverItsWidthAndMustHoldEveryLine) {
    // The label draws the blank at the end too: one pixel less than the
    // whole text and "at" goes to a second line.
    const wchar_t* text = L"Free add-ons at ";
    SIZE s = Extent(text);
    EXPECT_TRUE(Fits(Child(L"Static", SS_LEFT, text, s.cx, s.cy + 2)));
    EXPECT_FALSE(Fits(Child(L"Static", SS_LEFT, text, s.cx - 1, s.cy + 2)));
    EXPECT_TRUE(Fits(Child(L"Static", SS_LEFT, text, s.cx - 1, 2 * s.cy + 2)));
    // "&" marks an access key and takes no room.
    EXPECT_TRUE(Fits(Child(L"Static", SS_LEFT, L"&Free add-ons at ", s.cx, s.cy)));
}

TEST_F(Measuring, ACheckBoxsTextStandsBesideItsBox) {
    const wchar_t* text = L"Do not close this window";
    SIZE s = Extent(text);
    EXPECT_FALSE(Fits(Child(L"Button", BS_3STATE, text, s.cx + 4, s.cy + 2)));
    EXPECT_TRUE(Fits(Child(L"Button", BS_3STATE, text, s.cx + 2 * s.cy + 8, s.cy + 2)));
    EXPECT_FALSE(Fits(Child(L"Button", BS_3STATE, text, s.cx + 2 * s.cy + 8, s.cy - 1)));
    // A box without text needs room for its box alone.
    EXPECT_TRUE(Fits(Child(L"Button", BS_3STATE, L"", 2 * s.cy, 2 * s.cy)));
    EXPECT_FALSE(Fits(Child(L"Button", BS_3STATE, L"", 4, 4)));
}

TEST_F(Measuring, AButtonsTextStaysInsideItsEdges) {
    SIZE s = Extent(L"Instructions");
    EXPECT_FALSE(Fits(Child(L"Button", BS_PUSHBUTTON, L"Instructions", s.cx + 2, s.cy + 10)));
    EXPECT_TRUE(Fits(Child(L"Button", BS_PUSHBUTTON, L"Instructions", s.cx + 10, s.cy + 10)));
    EXPECT_FALSE(Fits(Child(L"Button", BS_PUSHBUTTON, L"Instructions", s.cx + 10, s.cy)));
}

TEST_F(Measuring, AFramesCaptionRunsBetweenItsCornersAndAFieldHoldsALine) {
    SIZE s = Extent(L"Zoom :");
    EXPECT_FALSE(Fits(Child(L"Button", BS_GROUPBOX, L"Zoom :", s.cx + 4, 100)));
    EXPECT_TRUE(Fits(Child(L"Button", BS_GROUPBOX, L"Zoom :", s.cx + 20, 100)));
    // A field's text scrolls sideways: only its height counts.
    EXPECT_TRUE(Fits(Child(L"Edit", ES_AUTOHSCROLL, L"a long address that scrolls", 20, s.cy + 4)));
    EXPECT_FALSE(Fits(Child(L"Edit", ES_AUTOHSCROLL, L"US", 100, s.cy - 2)));
    // A slider shows no text and is not measured.
    EXPECT_FALSE(captionfit::MeasureCaption(Child(L"msctls_trackbar32", 0, L"", 100, 30)).has_value());
}

}  // namespace
