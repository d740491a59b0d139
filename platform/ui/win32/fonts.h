// The fonts of the program's windows: the designed font for every control,
// and the fonts labels ask for by face, size and weight. Each font is made
// once and lives as long as the backend.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/ui/controls.h"
#include "platform/win32/scoped.h"

namespace ui::win32 {

class Fonts {
public:
    Fonts();

    // The windows' own font: the designed face at the designed size.
    HFONT Default();
    // What a control asks for: its face, its size and weight, over the
    // designed font. A face that is not installed falls back to the
    // designed one.
    HFONT For(const Font& font, bool underline);

    // What a font becomes, without making it.
    LOGFONTW Describe(const Font& font, bool underline) const;

private:
    struct Entry {
        LOGFONTW key;
        win::ScopedFont font;
    };
    HFONT Make(const LOGFONTW& description);

    LOGFONTW default_{};
    int dpiY_ = 96;
    std::vector<Entry> made_;
};

bool FaceInstalled(const wchar_t* face);

// The face the system is asked for when a control names `face`: for the
// designed face, its TrueType twin where the system has it (the same
// metrics, and it scales at every dpi, where the old bitmap face does not);
// the face itself where installed; else `fallback`.
vb::String InstalledFace(vb::StringView face, vb::StringView fallback);

}  // namespace ui::win32
