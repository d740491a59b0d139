#include "host/com/control_site.h"

#include <olectl.h>

#include <new>

#include "host/com/dispatch_base.h"

namespace host::com {

namespace {

// A site in no container and no document: nothing to save, show or lay out.
// Its IDispatch gives the ambient properties; the only one answered is that
// the program is running, not being designed, since some controls stay
// inert (or draw a design face) until they hear so.
class MinimalSite final : public DispatchBase, public IOleClientSite {
public:
    MinimalSite() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
            *out = static_cast<IOleClientSite*>(this);
        } else if (IsEqualIID(iid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return DispatchBase::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return DispatchBase::Release(); }

    HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override {
        if (out) *out = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) override {
        for (UINT i = 0; ids && i < count; ++i) ids[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        if (id != DISPID_AMBIENT_USERMODE || !(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
        if (!result) return E_POINTER;
        VariantInit(result);
        result->vt = VT_BOOL;
        result->boolVal = VARIANT_TRUE;
        return S_OK;
    }

private:
    ~MinimalSite() override = default;
};

}  // namespace

HRESULT ControlSite::Prepare(IUnknown* control) {
    Close();
    if (!control) return E_POINTER;

    HRESULT first = S_OK;
    auto note = [&first](HRESULT result) {
        if (FAILED(result) && SUCCEEDED(first)) first = result;
    };

    win::ComPtr<IOleObject> object;
    if (FAILED(control->QueryInterface(IID_IOleObject, object.ReceiveVoid()))) object.Reset();
    win::ComPtr<IPersistStreamInit> persist;
    if (FAILED(control->QueryInterface(IID_IPersistStreamInit, persist.ReceiveVoid()))) persist.Reset();

    win::ComPtr<IOleClientSite> site;
    if (object) {
        site = win::ComPtr<IOleClientSite>::Adopt(new (std::nothrow) MinimalSite);
        if (!site) {
            note(E_OUTOFMEMORY);
            object.Reset();
        }
    }
    DWORD status = 0;
    if (object && FAILED(object->GetMiscStatus(DVASPECT_CONTENT, &status))) status = 0;
    const bool siteFirst = (status & OLEMISC_SETCLIENTSITEFIRST) != 0;

    bool siteTaken = false;
    auto giveSite = [&] {
        HRESULT result = object->SetClientSite(site.get());
        note(result);
        siteTaken = SUCCEEDED(result);
    };
    if (object && siteFirst) giveSite();
    if (persist) note(persist->InitNew());
    if (object && !siteFirst) giveSite();

    if (siteTaken) object_ = std::move(object);
    return first;
}

void ControlSite::Close() {
    win::ComPtr<IOleObject> object = std::move(object_);
    if (!object) return;
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
}

}  // namespace host::com
