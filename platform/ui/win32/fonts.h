// The fonts of the program's windows: the system's message font for every
// control, and the fonts labels ask for by face, size and weight. Each font
// is made once and lives as long as the backend.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/ui/controls.h"
#include "platform/ui/win32/scoped.h"

namespace ui::win32 {

class Fonts {
public:
    Fonts();

    HFONT Message();
    // A face that is not installed falls back to the message font's face;
    // zero points keep the message font's size.
    HFONT For(const Font& font, bool underline);

    // What a label's font becomes, without making it.
    LOGFONTW Describe(const Font& font, bool underline) const;

private:
    struct Entry {
        LOGFONTW key;
        ScopedFont font;
    };
    HFONT Make(const LOGFONTW& description);

    LOGFONTW message_{};
    int dpiY_ = 96;
    std::vector<Entry> made_;
};

bool FaceInstalled(const wchar_t* face);

}  // namespace ui::win32
