#include "tools/captionfit/measure_win.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#include "tools/uidriver/window_facts_win.h"

namespace captionfit {

namespace {

SIZE ClientOf(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    return {r.right - r.left, r.bottom - r.top};
}

SIZE Deflated(SIZE s, LONG x, LONG y) { return {s.cx - 2 * x, s.cy - 2 * y}; }

// A device context of the screen with the control's font chosen.
class FontDC {
public:
    explicit FontDC(HWND control) : dc_(CreateCompatibleDC(nullptr)) {
        auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        old_ = SelectObject(dc_, font ? font : GetStockObject(SYSTEM_FONT));
    }
    FontDC(const FontDC&) = delete;
    FontDC& operator=(const FontDC&) = delete;
    ~FontDC() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    HDC get() const { return dc_; }

    // The caption's extent as DrawText lays it out with `flags`, `width`
    // wide (lines wrap there with DT_WORDBREAK).
    SIZE Extent(const std::wstring& text, UINT flags, LONG width = 0) const {
        RECT r{0, 0, width, 0};
        if (text.empty()) {
            TEXTMETRICW tm{};
            GetTextMetricsW(dc_, &tm);
            return {0, tm.tmHeight};
        }
        DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
        return {r.right - r.left, r.bottom - r.top};
    }
    LONG LineHeight() const {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc_, &tm);
        return tm.tmHeight;
    }
    LONG HalfDigitWidth() const {
        INT width = 0;
        GetCharWidth32W(dc_, L'0', L'0', &width);
        return width / 2;
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

class Theme {
public:
    explicit Theme(HWND control) : theme_(GetWindowTheme(control)) {}
    explicit operator bool() const { return theme_ != nullptr; }
    HTHEME get() const { return theme_; }

private:
    HTHEME theme_;
};

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

bool Within(SIZE text, SIZE room) { return text.cx <= room.cx && text.cy <= room.cy; }

Measure PushButton(HWND h, Measure m) {
    FontDC dc(h);
    m.text = dc.Extent(m.caption, DT_SINGLELINE);
    if (Theme theme{h}) {
        RECT client{0, 0, m.client.cx, m.client.cy}, content{};
        GetThemeBackgroundContentRect(theme.get(), dc.get(), BP_PUSHBUTTON, PBS_NORMAL, &client, &content);
        m.room = {content.right - content.left, content.bottom - content.top};
    } else {
        // The frame of the button Enter presses, then the button's edge.
        m.room = Deflated(m.client, 3, 3);
    }
    m.fits = Within(m.text, m.room);
    return m;
}

Measure CheckBox(HWND h, Measure m) {
    FontDC dc(h);
    SIZE box{};
    LONG gap = 0;
    if (Theme theme{h}) {
        GetThemePartSize(theme.get(), dc.get(), BP_CHECKBOX, CBS_UNCHECKEDNORMAL, nullptr, TS_DRAW, &box);
        gap = 6;
    } else {
        // The classic box: 13 pixels at 96 dpi; the text half a digit away.
        LONG side = 12 * ScreenDpi() / 96 + 1;
        box = {side, side};
        gap = dc.HalfDigitWidth();
    }
    if (m.caption.empty()) {
        m.text = {0, 0};
        m.room = m.client;
        m.fits = box.cx <= m.client.cx && box.cy <= m.client.cy;
        return m;
    }
    m.text = dc.Extent(m.caption, DT_SINGLELINE);
    m.room = {m.client.cx - box.cx - gap, m.client.cy};
    m.fits = Within(m.text, m.room) && box.cy <= m.client.cy;
    return m;
}

Measure GroupBox(HWND h, Measure m) {
    FontDC dc(h);
    m.text = dc.Extent(m.caption, DT_SINGLELINE);
    // Between the corners of the etched frame.
    const LONG inset = 7;
    m.room = {m.client.cx - 2 * inset, m.client.cy};
    m.fits = Within(m.text, m.room);
    return m;
}

Measure Label(HWND h, LONG style, Measure m) {
    FontDC dc(h);
    UINT flags = DT_WORDBREAK | DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
    m.text = dc.Extent(m.caption, flags, m.client.cx);
    m.room = m.client;
    m.fits = Within(m.text, m.room);
    return m;
}

Measure TextField(HWND field, Measure m) {
    FontDC dc(field);
    SIZE extent = dc.Extent(m.caption, DT_SINGLELINE | DT_NOPREFIX);
    m.client = ClientOf(field);
    m.text = {extent.cx, dc.LineHeight()};
    m.room = {m.text.cx, m.client.cy};
    m.fits = m.text.cy <= m.client.cy;
    return m;
}

// Every entry of a drop-down list may show in its field, beside the arrow.
Measure DropDownList(HWND box, Measure m) {
    FontDC dc(box);
    m.text = {0, dc.LineHeight()};
    for (const std::wstring& entry : uidriver::ComboEntries(box)) {
        SIZE extent = dc.Extent(entry, DT_SINGLELINE | DT_NOPREFIX);
        if (extent.cx > m.text.cx) {
            m.caption = entry;
            m.text.cx = extent.cx;
        }
    }
    COMBOBOXINFO info{.cbSize = sizeof info};
    if (!GetComboBoxInfo(box, &info)) return m;
    m.room = {info.rcItem.right - info.rcItem.left, info.rcItem.bottom - info.rcItem.top};
    m.fits = Within(m.text, m.room);
    return m;
}

}  // namespace

std::optional<Measure> MeasureCaption(HWND h) {
    using uidriver::Kind;
    if (!IsWindow(h)) return std::nullopt;
    Measure m;
    m.caption = uidriver::ControlText(h);
    m.client = ClientOf(h);
    switch (uidriver::KindOf(h)) {
    case Kind::PushButton:
        return PushButton(h, m);
    case Kind::CheckBox:
    case Kind::Radio:
        return CheckBox(h, m);
    case Kind::GroupBox:
        return GroupBox(h, m);
    case Kind::Label:
        return Label(h, GetWindowLongW(h, GWL_STYLE), m);
    case Kind::Edit:
        return TextField(h, m);
    case Kind::ComboBox:
        if (HWND field = uidriver::ComboEdit(h)) return TextField(field, m);
        return DropDownList(h, m);
    default:
        return std::nullopt;
    }
}

}  // namespace captionfit
