#include "platform/vb/error.h"

#include <new>

namespace vb {

String StandardDescription(int32_t number) {
    switch (number) {
    case kInvalidProcedureCall:
        return u"Invalid procedure call or argument";
    case kOverflow:
        return u"Overflow";
    case kOutOfMemory:
        return u"Out of memory";
    case kTypeMismatch:
        return u"Type mismatch";
    case kInternalError:
        return u"Internal error";
    case kPathFileAccessError:
        return u"Path/File access error";
    case kObjectNotSet:
        return u"Object variable or With block variable not set";
    case kInvalidPropertyValue:
        return u"Invalid property value";
    case kCantCreateObject:
        return u"ActiveX component can't create object";
    case kObjectDoesntSupport:
        return u"Object doesn't support this property or method";
    case kAutomationError:
        return u"Automation error";
    default:
        return {};
    }
}

Error::Error(int32_t number) : Error(number, StandardDescription(number)) {}

Error::Error(int32_t number, String description)
    : number_(number),
      description_(std::move(description)),
      what_("Error " + std::to_string(number) + ": " + ToUtf8(description_)) {}

Error AsError(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Error& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return Error(kOutOfMemory);
    } catch (const std::exception& e) {
        return Error(kInternalError, StandardDescription(kInternalError) + u": " + FromUtf8(e.what()));
    } catch (...) {
        return Error(kInternalError);
    }
}

}  // namespace vb
