#include "host/com/com_variant.h"

#include <limits>
#include <string>
#include <type_traits>

#include "host/com/dispatch_object.h"
#include "platform/win32/wide.h"
#include "platform/vb/error.h"

namespace host::com {

namespace {

Variant Integer(int64_t n) {
    if (n >= std::numeric_limits<int16_t>::min() && n <= std::numeric_limits<int16_t>::max())
        return Variant(static_cast<int16_t>(n));
    return Variant(static_cast<int32_t>(n));
}

// Wider integers: I4 when they fit, else their decimal text.
template <class Int>
Variant Sized(Int n) {
    bool fits;
    if constexpr (std::is_signed_v<Int>)
        fits = n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<int32_t>::max();
    else fits = n <= static_cast<uint32_t>(std::numeric_limits<int32_t>::max());
    if (fits) return Variant(static_cast<int32_t>(n));
    return Variant(vb::FromAscii(std::to_string(n)));
}

// The system's conversions take their source without const; they do not change it.
Variant AsText(const VARIANT& value) {
    win::ScopedVariant text;
    HRESULT result = VariantChangeTypeEx(text.ptr(), const_cast<VARIANT*>(&value), LOCALE_USER_DEFAULT, 0, VT_BSTR);
    if (FAILED(result)) throw vb::Error(vb::kTypeMismatch);
    return Variant(win::FromBstr(text.get().bstrVal));
}

Variant ObjectOf(IDispatch* dispatch) {
    if (!dispatch) return Variant(std::shared_ptr<host::Object>());
    return Variant(std::make_shared<DispatchObject>(win::ComPtr<IDispatch>::Share(dispatch)));
}

}  // namespace

void PackVariant(const Variant& value, VARIANT* out) {
    VariantInit(out);
    switch (value.type()) {
    case Variant::Type::Empty:
        return;
    case Variant::Type::I2:
        out->vt = VT_I2;
        out->iVal = value.i2();
        return;
    case Variant::Type::I4:
        out->vt = VT_I4;
        out->lVal = value.i4();
        return;
    case Variant::Type::Bool:
        out->vt = VT_BOOL;
        out->boolVal = value.boolean() ? VARIANT_TRUE : VARIANT_FALSE;
        return;
    case Variant::Type::String: {
        BSTR text = win::ToBstr(value.text());
        if (!text) throw vb::Error(vb::kOutOfMemory);
        out->vt = VT_BSTR;
        out->bstrVal = text;
        return;
    }
    case Variant::Type::Object: {
        std::shared_ptr<host::Object> object = value.AsObject();
        IDispatch* dispatch = nullptr;
        if (object) {
            auto* ours = dynamic_cast<DispatchObject*>(object.get());
            if (!ours) throw vb::Error(vb::kTypeMismatch);
            dispatch = ours->dispatch();
            if (dispatch) dispatch->AddRef();
        }
        out->vt = VT_DISPATCH;
        out->pdispVal = dispatch;
        return;
    }
    }
}

Variant UnpackVariant(const VARIANT& in) {
    win::ScopedVariant direct;
    const VARIANT* v = &in;
    if (in.vt & VT_BYREF) {
        if (FAILED(VariantCopyInd(direct.ptr(), const_cast<VARIANT*>(&in)))) throw vb::Error(vb::kTypeMismatch);
        v = &direct.get();
    }
    switch (v->vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_ERROR:
        return Variant();
    case VT_I2:
        return Variant(static_cast<int16_t>(v->iVal));
    case VT_I4:
        return Variant(static_cast<int32_t>(v->lVal));
    case VT_BOOL:
        return Variant::Bool(v->boolVal != VARIANT_FALSE);
    case VT_BSTR:
        return Variant(win::FromBstr(v->bstrVal));
    case VT_I1:
        return Integer(v->cVal);
    case VT_UI1:
        return Integer(v->bVal);
    case VT_UI2:
        return Integer(v->uiVal);
    case VT_UI4:
        return Sized(v->ulVal);
    case VT_INT:
        return Sized(v->intVal);
    case VT_UINT:
        return Sized(v->uintVal);
    case VT_I8:
        return Sized(v->llVal);
    case VT_UI8:
        return Sized(v->ullVal);
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_DECIMAL:
        return AsText(*v);
    case VT_DISPATCH:
        return ObjectOf(v->pdispVal);
    case VT_UNKNOWN: {
        if (!v->punkVal) return ObjectOf(nullptr);
        win::ComPtr<IDispatch> dispatch;
        if (FAILED(v->punkVal->QueryInterface(IID_IDispatch, dispatch.ReceiveVoid())) || !dispatch)
            throw vb::Error(vb::kTypeMismatch);
        return ObjectOf(dispatch.get());
    }
    default:
        throw vb::Error(vb::kTypeMismatch);
    }
}

}  // namespace host::com
