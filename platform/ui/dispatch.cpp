#include "platform/ui/dispatch.h"

#include <cstdlib>

#include "platform/ui/backend.h"
#include "platform/ui/msgbox.h"
#include "platform/vb/report.h"

namespace ui {

void EndWithUnhandledError(std::exception_ptr failure) {
    try {
        MsgBox(vb::UnhandledErrorText(vb::AsError(failure)), vb::kUnhandledErrorStyle);
    } catch (...) {
        // The message could not even be made (no memory left): the exit
        // code still tells.
    }
    backend().End(kExitUnhandledError);
    std::abort();  // End never returns
}

}  // namespace ui
