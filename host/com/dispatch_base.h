// What every dispatch object made here shares: reference counting (the
// object deletes itself with its last reference) and the answers of an
// object without type information.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace host::com {

class DispatchBase : public IDispatch {
public:
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;

protected:
    DispatchBase() = default;  // with one reference, the creator's
    virtual ~DispatchBase() = default;
    // The last reference went: deletes the object.
    virtual void Final() { delete this; }

private:
    LONG references_ = 1;
};

}  // namespace host::com
