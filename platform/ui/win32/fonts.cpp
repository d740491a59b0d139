#include "platform/ui/win32/fonts.h"

#include <cmath>
#include <cstring>
#include <cwchar>

#include "platform/ui/win32/text.h"

namespace ui::win32 {

namespace {
int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
    return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && a.lfUnderline == b.lfUnderline &&
           a.lfItalic == b.lfItalic && std::wcscmp(a.lfFaceName, b.lfFaceName) == 0;
}
}  // namespace

bool FaceInstalled(const wchar_t* face) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    ScreenDC screen;
    if (screen.get())
        EnumFontFamiliesExW(screen.get(), &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

Fonts::Fonts() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        message_ = metrics.lfMessageFont;
    } else {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof message_, &message_);
    }
    ScreenDC screen;
    if (screen.get()) dpiY_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
    if (dpiY_ <= 0) dpiY_ = 96;
}

HFONT Fonts::Message() { return Make(message_); }

LOGFONTW Fonts::Describe(const Font& font, bool underline) const {
    LOGFONTW d = message_;
    if (!font.face.empty()) {
        vb::String face = font.face.substr(0, LF_FACESIZE - 1);
        if (FaceInstalled(Wide(face))) {
            std::memset(d.lfFaceName, 0, sizeof d.lfFaceName);
            std::memcpy(d.lfFaceName, face.data(), face.size() * sizeof(wchar_t));
            // The face's own character set, not the message font's.
            d.lfCharSet = DEFAULT_CHARSET;
        }
    }
    if (font.points > 0) d.lfHeight = -static_cast<LONG>(std::lround(font.points * dpiY_ / 72.0));
    if (font.bold) d.lfWeight = FW_BOLD;
    d.lfUnderline = (underline || font.underline) ? TRUE : FALSE;
    return d;
}

HFONT Fonts::For(const Font& font, bool underline) { return Make(Describe(font, underline)); }

HFONT Fonts::Make(const LOGFONTW& description) {
    for (const Entry& e : made_)
        if (SameFont(e.key, description)) return e.font.get();
    ScopedFont font(CreateFontIndirectW(&description));
    if (!font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    made_.push_back({description, std::move(font)});
    return made_.back().font.get();
}

}  // namespace ui::win32
