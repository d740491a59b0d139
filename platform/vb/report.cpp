#include "platform/vb/report.h"

#include "platform/maker.h"
#include "platform/program_info.h"

namespace vb {

namespace {
// The program has no line numbers, so every report names line 0.
constexpr const char16_t* kLineNumber = u"0";

String Decimal(int32_t n) { return FromAscii(std::to_string(n)); }
}  // namespace

String ErrorReportText(const Error& error, const Procedure& where) {
    String text = u"Error " + Decimal(error.number()) + u": '" + error.description() + u"'";
    text += u'\r';
    text += u"in " + String(where.unit) + (where.kind == ProcedureKind::Sub ? u": Sub " : u": Function ") + where.name +
            u" - Line # " + kLineNumber;
    text += u"\r\r";
    text += u"Please contact " + String(maker::SupportEmail) + u" with this error message.";
    return text;
}

String ErrorReportTitle() { return platform::ProgramTitle() + u" error"; }

String UnhandledErrorText(const Error& error) {
    return u"Run-time error '" + Decimal(error.number()) + u"':\r\n\r\n" + error.description();
}

}  // namespace vb
