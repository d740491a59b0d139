// The procedures that trap their errors show the common error report and
// leave; nothing is retried or resumed.
#pragma once

#include <exception>
#include <utility>

#include "platform/vb/report.h"

namespace vb {

void ShowErrorReport(std::exception_ptr failure, const Procedure& where);

// Runs the body; an error inside it is reported as raised in `where`.
template <class F>
void Trap(const Procedure& where, F&& body) {
    try {
        std::forward<F>(body)();
    } catch (const Error&) {
        ShowErrorReport(std::current_exception(), where);
    } catch (const std::exception&) {
        ShowErrorReport(std::current_exception(), where);
    }
}

}  // namespace vb
