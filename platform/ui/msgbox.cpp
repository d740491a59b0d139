#include "platform/ui/msgbox.h"

#include "platform/program_info.h"
#include "platform/ui/backend.h"

namespace ui {

int MsgBox(vb::StringView text, int style, vb::StringView title) {
    vb::String t = title.empty() ? platform::ProgramTitle() : vb::String(title);
    return backend().MsgBox(text, style, t);
}

}  // namespace ui
