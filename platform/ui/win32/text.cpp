#include "platform/ui/win32/text.h"

namespace ui::win32 {

vb::String WindowText(HWND window) {
    int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    vb::String text(static_cast<size_t>(length) + 1, u'\0');
    int got = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

}  // namespace ui::win32
