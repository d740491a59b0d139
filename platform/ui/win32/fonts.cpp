#include "platform/ui/win32/fonts.h"

#include <cmath>
#include <cstring>
#include <cwchar>

#include "platform/win32/wide.h"

namespace ui::win32 {

namespace {

// The designed face drawn in outlines: the same widths, at every size.
constexpr char16_t kTrueTypeTwin[] = u"Microsoft Sans Serif";

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
    return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && a.lfUnderline == b.lfUnderline &&
           a.lfItalic == b.lfItalic && std::wcscmp(a.lfFaceName, b.lfFaceName) == 0;
}

void SetFace(LOGFONTW& d, vb::StringView face) {
    face = face.substr(0, LF_FACESIZE - 1);
    std::memset(d.lfFaceName, 0, sizeof d.lfFaceName);
    std::memcpy(d.lfFaceName, face.data(), face.size() * sizeof(wchar_t));
}

LONG HeightOf(double points, int dpi) { return -static_cast<LONG>(std::lround(points * dpi / 72.0)); }

}  // namespace

bool FaceInstalled(const wchar_t* face) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    win::ScreenDC screen;
    if (screen.get()) EnumFontFamiliesExW(screen.get(), &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

vb::String InstalledFace(vb::StringView face, vb::StringView fallback) {
    vb::String asked(face.substr(0, LF_FACESIZE - 1));
    if (asked == Font::kDesignedFace && FaceInstalled(win::WidePtr(vb::String(kTrueTypeTwin)))) return kTrueTypeTwin;
    if (!asked.empty() && FaceInstalled(win::WidePtr(asked))) return asked;
    return vb::String(fallback);
}

Fonts::Fonts() {
    win::ScreenDC screen;
    if (screen.get()) dpiY_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
    if (dpiY_ <= 0) dpiY_ = 96;
    // Where neither designed face is installed, the system's own face
    // stands in, at the designed size.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    vb::String system = u"MS Shell Dlg";
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        system = reinterpret_cast<const char16_t*>(metrics.lfMessageFont.lfFaceName);
    default_.lfHeight = HeightOf(Font::kDesignedPoints, dpiY_);
    default_.lfWeight = FW_NORMAL;
    default_.lfCharSet = DEFAULT_CHARSET;
    SetFace(default_, InstalledFace(Font::kDesignedFace, system));
}

HFONT Fonts::Default() { return Make(default_); }

LOGFONTW Fonts::Describe(const Font& font, bool underline) const {
    LOGFONTW d = default_;
    if (!font.face.empty())
        SetFace(d, InstalledFace(font.face, reinterpret_cast<const char16_t*>(default_.lfFaceName)));
    if (font.points > 0) d.lfHeight = HeightOf(font.points, dpiY_);
    if (font.bold) d.lfWeight = FW_BOLD;
    d.lfUnderline = (underline || font.underline) ? TRUE : FALSE;
    return d;
}

HFONT Fonts::For(const Font& font, bool underline) { return Make(Describe(font, underline)); }

HFONT Fonts::Make(const LOGFONTW& description) {
    for (const Entry& e : made_)
        if (SameFont(e.key, description)) return e.font.get();
    win::ScopedFont font(CreateFontIndirectW(&description));
    if (!font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    made_.push_back({description, std::move(font)});
    return made_.back().font.get();
}

}  // namespace ui::win32
