// How a failed automation call becomes the program's run-time error, and how
// a server's run-time error travels to its caller as an automation exception.
//
// An exception (DISP_E_EXCEPTION) gives:
//   - the number the server put in wCode, when it put one there;
//   - else for an scode of the control facility (0x800A0000 + n), n: the
//     form the runtime gives its own numbered errors;
//   - else for an scode listed below, that result's number;
//   - else any other non-zero scode is the number itself, as the runtime
//     reports a server's own result codes;
//   - else (neither a code nor an scode) 440.
//   The description is the server's; when it gave none, the number's
//   standard text or the system's text for the scode.
// A failed result:
//   DISP_E_UNKNOWNNAME, DISP_E_MEMBERNOTFOUND  438 Object doesn't support this property or method
//   DISP_E_TYPEMISMATCH                        13 Type mismatch
//   DISP_E_OVERFLOW                            6 Overflow
//   DISP_E_BADPARAMCOUNT                       450 Wrong number of arguments or invalid property assignment
//   DISP_E_PARAMNOTOPTIONAL                    449 Argument not optional
//   DISP_E_NONAMEDARGS                         446 Object doesn't support named arguments
//   DISP_E_PARAMNOTFOUND                       448 Named argument not found
//   E_OUTOFMEMORY                              7 Out of memory
//   the server is gone (RPC_E_DISCONNECTED and the like)
//                                              462 The remote server machine does not exist or is unavailable
//   anything else                              440 "Automation error", the code and the system's text
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "platform/vb/error.h"

namespace host::com {

vb::Error ErrorFromResult(HRESULT result);
// Completes a deferred EXCEPINFO first; its strings stay with the caller.
vb::Error ErrorFromException(EXCEPINFO& info);

// A server's error number as the scode that gives it back: 0x800A0000 + n
// for 1 to 65535, any other number as it is (0 stays 0, which a caller
// reads as 440).
HRESULT ScodeForError(int32_t number);
// Fills `info` (left empty by the caller) for DISP_E_EXCEPTION. False when
// out of memory for its strings.
bool FillException(const vb::Error& error, vb::StringView source, EXCEPINFO* info);

}  // namespace host::com
