#include "platform/ui/dispatch.h"

#include <cstdlib>

#include "platform/ui/backend.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/report.h"

namespace ui {

void EndWithUnhandledError(std::exception_ptr failure) {
    vb::Error error = vb::AsError(failure);
    MsgBox(vb::UnhandledErrorText(error), vb::kUnhandledErrorStyle);
    backend().End();
    std::abort();  // End never returns
}

}  // namespace ui
