#include "host/com/com_error.h"

#include <cstdint>

#include "platform/win32/system_message.h"
#include "platform/win32/wide.h"

namespace host::com {

namespace {

struct Mapped {
    HRESULT result;
    int32_t number;
    const char16_t* description;  // nullptr: the standard one
};

constexpr int32_t kNoNamedArguments = 446;
constexpr int32_t kNamedArgumentNotFound = 448;
constexpr int32_t kArgumentNotOptional = 449;
constexpr int32_t kWrongArgumentCount = 450;
constexpr int32_t kServerUnavailable = 462;

constexpr Mapped kMapped[] = {
    {DISP_E_UNKNOWNNAME, vb::kObjectDoesntSupport, nullptr},
    {DISP_E_MEMBERNOTFOUND, vb::kObjectDoesntSupport, nullptr},
    {DISP_E_TYPEMISMATCH, vb::kTypeMismatch, nullptr},
    {DISP_E_OVERFLOW, vb::kOverflow, nullptr},
    {DISP_E_BADPARAMCOUNT, kWrongArgumentCount, u"Wrong number of arguments or invalid property assignment"},
    {DISP_E_PARAMNOTOPTIONAL, kArgumentNotOptional, u"Argument not optional"},
    {DISP_E_NONAMEDARGS, kNoNamedArguments, u"Object doesn't support named arguments"},
    {DISP_E_PARAMNOTFOUND, kNamedArgumentNotFound, u"Named argument not found"},
    {E_OUTOFMEMORY, vb::kOutOfMemory, nullptr},
    {RPC_E_DISCONNECTED, kServerUnavailable, u"The remote server machine does not exist or is unavailable"},
    {RPC_E_SERVER_DIED, kServerUnavailable, u"The remote server machine does not exist or is unavailable"},
    {RPC_E_SERVER_DIED_DNE, kServerUnavailable, u"The remote server machine does not exist or is unavailable"},
    {CO_E_OBJNOTCONNECTED, kServerUnavailable, u"The remote server machine does not exist or is unavailable"},
};

const Mapped* Find(HRESULT result) {
    for (const Mapped& m : kMapped)
        if (m.result == result) return &m;
    return nullptr;
}

vb::String Description(const Mapped& m) { return m.description ? m.description : vb::StandardDescription(m.number); }

// "0x800401F3"
vb::String Hex(HRESULT result) {
    vb::String text = u"0x";
    auto bits = static_cast<uint32_t>(result);
    for (int shift = 28; shift >= 0; shift -= 4) text += u"0123456789ABCDEF"[(bits >> shift) & 0xF];
    return text;
}

bool IsControlFacility(HRESULT scode) {
    return FAILED(scode) && HRESULT_FACILITY(scode) == FACILITY_CONTROL && HRESULT_CODE(scode) != 0;
}

}  // namespace

vb::Error ErrorFromResult(HRESULT result) {
    if (const Mapped* m = Find(result)) return vb::Error(m->number, Description(*m));
    vb::String text = vb::StandardDescription(vb::kAutomationError) + u" (" + Hex(result) + u")";
    vb::String system = win::SystemMessage(static_cast<uint32_t>(result));
    if (!system.empty()) text += u": " + system;
    return vb::Error(vb::kAutomationError, text);
}

vb::Error ErrorFromException(EXCEPINFO& info) {
    if (info.pfnDeferredFillIn) {
        auto fill = info.pfnDeferredFillIn;
        info.pfnDeferredFillIn = nullptr;
        fill(&info);
    }
    vb::String description = win::FromBstr(info.bstrDescription);
    int32_t number = vb::kAutomationError;
    const Mapped* mapped = nullptr;
    if (info.wCode != 0) {
        number = info.wCode;
    } else if (IsControlFacility(info.scode)) {
        number = HRESULT_CODE(info.scode);
    } else if ((mapped = Find(info.scode))) {
        number = mapped->number;
    } else if (info.scode != 0) {
        number = static_cast<int32_t>(info.scode);
    }
    if (description.empty()) {
        if (mapped) description = Description(*mapped);
        else description = vb::StandardDescription(number);
        if (description.empty() && info.scode != 0) description = win::SystemMessage(static_cast<uint32_t>(info.scode));
        if (description.empty()) description = vb::StandardDescription(vb::kAutomationError);
    }
    return vb::Error(number, description);
}

HRESULT ScodeForError(int32_t number) {
    if (number >= 1 && number <= 0xFFFF) return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
    return static_cast<HRESULT>(number);
}

bool FillException(const vb::Error& error, vb::StringView source, EXCEPINFO* info) {
    *info = EXCEPINFO{};
    info->scode = ScodeForError(error.number());
    vb::String description =
        error.description().empty() ? vb::StandardDescription(error.number()) : error.description();
    info->bstrSource = win::ToBstr(source);
    info->bstrDescription = win::ToBstr(description);
    if (info->bstrSource && info->bstrDescription) return true;
    SysFreeString(info->bstrSource);
    SysFreeString(info->bstrDescription);
    *info = EXCEPINFO{};
    return false;
}

}  // namespace host::com
