#include "tools/hostsim/server_object_win.h"

#include "platform/win32/wide.h"
#include "host/sim/state.h"
#include "tools/hostsim/server_call_win.h"

namespace hostsim::server {

win::ComPtr<IUnknown> ServerObject::Create(std::shared_ptr<host::sim::SimObject> object) {
    return win::ComPtr<IUnknown>::Adopt(static_cast<IDispatch*>(new ServerObject(std::move(object))));
}

HRESULT ServerObject::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT ServerObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    // Only the member: the stand-in's members take no named arguments.
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (!names[0]) return DISP_E_UNKNOWNNAME;
    try {
        vb::String name = win::FromWide(names[0], wcslen(names[0]));
        switch (object_->Lookup(name)) {
        // The host's process is gone: its proxies answer nothing any more.
        case host::sim::SimObject::Reach::CutOff:
            return RPC_E_DISCONNECTED;
        case host::sim::SimObject::Reach::Unknown:
            return DISP_E_UNKNOWNNAME;
        case host::sim::SimObject::Reach::Known:
            break;
        }
        size_t index = 0;
        while (index < names_.size() && !host::sim::SameName(names_[index], name)) ++index;
        if (index == names_.size()) names_.push_back(name);
        ids[0] = static_cast<DISPID>(index + 1);
        return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT ServerObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* exception, UINT* argumentError) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (id < 1 || static_cast<size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
    // Nothing of the stand-in can be assigned to.
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
    host::InvokeKind kind = flags & DISPATCH_PROPERTYGET ? host::InvokeKind::PropertyGet : host::InvokeKind::Method;
    vb::String member = names_[static_cast<size_t>(id) - 1];
    bool cutOff = false;
    HRESULT outcome = ServeCall(params, result, exception, argumentError, [&](const std::vector<host::Variant>& args) {
        try {
            return object_->Invoke(member, kind, args);
        } catch (const host::sim::CutOffError&) {
            // Answered below; the result stays empty and no exception
            // record is filled that nobody would free.
            cutOff = true;
            return host::Variant();
        }
    });
    return cutOff ? RPC_E_DISCONNECTED : outcome;
}

}  // namespace hostsim::server
