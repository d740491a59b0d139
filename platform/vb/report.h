// The two ways a run-time error reaches the user: the common error report of
// the procedures that trap, and the standard message of an untrapped error.
#pragma once

#include "platform/vb/error.h"
#include "platform/vb/string.h"

namespace vb {

enum class ProcedureKind { Sub, Function };

// Where a trapped error happened: unit and procedure as the report names them.
struct Procedure {
    const char16_t* unit;
    ProcedureKind kind;
    const char16_t* name;
};

// "Error N: 'description'" CR "in unit: Sub name - Line # 0" CR CR
// "Please contact <support address> with this error message."
String ErrorReportText(const Error& error, const Procedure& where);

// The program's title followed by " error".
String ErrorReportTitle();

// "Run-time error 'N':", a blank line, then the description.
String UnhandledErrorText(const Error& error);

// Message box styles of the two reports.
inline constexpr int kErrorReportStyle = 0;
inline constexpr int kUnhandledErrorStyle = 16;  // OK with the stop icon

}  // namespace vb
