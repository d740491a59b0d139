#include "host/com/dispatch_base.h"

namespace host::com {

ULONG DispatchBase::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG DispatchBase::Release() {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) Final();
    return static_cast<ULONG>(left);
}

HRESULT DispatchBase::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT DispatchBase::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

}  // namespace host::com
