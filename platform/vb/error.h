// Run-time errors in the style the program was designed on: a number and a
// description, raised as a C++ exception and trapped where the design traps.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "platform/vb/string.h"

namespace vb {

// The error numbers the program raises or maps to.
enum ErrorNumber : int32_t {
    kInvalidProcedureCall = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kTypeMismatch = 13,
    kInternalError = 51,
    kPathFileAccessError = 75,
    kObjectNotSet = 91,
    kInvalidPropertyValue = 380,
    kCantCreateObject = 429,
    kAutomationError = 440,
    kObjectDoesntSupport = 438,
};

// The standard description of a number above; empty for any other.
String StandardDescription(int32_t number);

class Error : public std::exception {
public:
    // With the standard description of the number.
    explicit Error(int32_t number);
    Error(int32_t number, String description);

    int32_t number() const noexcept { return number_; }
    const String& description() const noexcept { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    int32_t number_;
    String description_;
    std::string what_;
};

// Any exception as the run-time error it stands for: a vb::Error as it is,
// running out of memory as error 7, anything else as error 51.
Error AsError(std::exception_ptr failure);

}  // namespace vb
