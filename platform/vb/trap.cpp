#include "platform/vb/trap.h"

#include "platform/ui/msgbox.h"

namespace vb {

void ShowErrorReport(std::exception_ptr failure, const Procedure& where) {
    ui::MsgBox(ErrorReportText(AsError(failure), where), kErrorReportStyle, ErrorReportTitle());
}

}  // namespace vb
