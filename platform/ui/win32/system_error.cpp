#include "platform/ui/win32/system_error.h"

#include <windows.h>

#include <string>

#include "platform/vb/error.h"

namespace ui::win32 {

void RaiseSystemError(vb::StringView call, vb::StringView what) {
    DWORD code = GetLastError();
    vb::String text = vb::StandardDescription(vb::kOutOfMemory);
    text += u" (";
    text += call;
    if (!what.empty()) {
        text += u" ";
        text += what;
    }
    text += u": system error " + vb::FromAscii(std::to_string(code)) + u")";
    throw vb::Error(vb::kOutOfMemory, std::move(text));
}

}  // namespace ui::win32
