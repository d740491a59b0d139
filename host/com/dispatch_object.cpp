#include "host/com/dispatch_object.h"

#include <string>

#include "host/com/com_error.h"
#include "host/com/com_variant.h"
#include "platform/win32/wide.h"

namespace host::com {

namespace {

// The arguments as IDispatch takes them: the last one first.
class PackedArguments {
public:
    explicit PackedArguments(const std::vector<Variant>& args) {
        packed_.reserve(args.size());
        try {
            for (auto it = args.rbegin(); it != args.rend(); ++it) {
                packed_.emplace_back();
                PackVariant(*it, &packed_.back());
            }
        } catch (...) {
            Clear();
            throw;
        }
    }
    PackedArguments(const PackedArguments&) = delete;
    PackedArguments& operator=(const PackedArguments&) = delete;
    ~PackedArguments() { Clear(); }

    DISPPARAMS Params() { return DISPPARAMS{packed_.data(), nullptr, static_cast<UINT>(packed_.size()), 0}; }

private:
    void Clear() {
        for (VARIANT& v : packed_) VariantClear(&v);
        packed_.clear();
    }

    std::vector<VARIANT> packed_;
};

}  // namespace

DispatchObject::DispatchObject(win::ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}

DispatchObject::~DispatchObject() {
    if (!stamp_.StillOpen()) dispatch_.Detach();
}

Variant DispatchObject::Invoke(vb::StringView member, InvokeKind, const std::vector<Variant>& args) {
    DISPID id = DispatchIdOf(dispatch_.get(), member);
    return CallDispatch(dispatch_.get(), id, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

Variant DispatchObject::InvokeId(int32_t dispatchId, const std::vector<Variant>& args) {
    return CallDispatch(dispatch_.get(), dispatchId, DISPATCH_METHOD, args);
}

DISPID DispatchIdOf(IDispatch* target, vb::StringView member) {
    std::wstring name = win::ToWide(member);
    LPOLESTR names[] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT result = target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(result)) throw ErrorFromResult(result);
    return id;
}

Variant CallDispatch(IDispatch* target, DISPID id, WORD flags, const std::vector<Variant>& args) {
    PackedArguments packed(args);
    DISPPARAMS params = packed.Params();
    win::ScopedVariant result;
    win::ScopedExcepInfo exception;
    UINT argumentError = 0;
    HRESULT outcome = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.ptr(), exception.ptr(),
                                     &argumentError);
    if (outcome == DISP_E_EXCEPTION) throw ErrorFromException(exception.get());
    if (FAILED(outcome)) throw ErrorFromResult(outcome);
    return UnpackVariant(result.get());
}

}  // namespace host::com
