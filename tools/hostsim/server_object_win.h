// One of the stand-in's objects (application, views, contact view, auxiliary
// commands) as an automation object: a thin IDispatch over the same
// SimObject the program uses in-process. Names are looked up as the object
// answers them (its members and any scripted name, in any letter case);
// each name keeps its dispatch id for the object's life. Once the host's
// process vanished, the object fails every lookup and call with
// RPC_E_DISCONNECTED, as the proxy of a server that is gone does.
#pragma once

#include <oaidl.h>

#include <memory>
#include <vector>

#include "host/com/dispatch_base.h"
#include "platform/win32/scoped.h"
#include "host/sim/host.h"
#include "tools/hostsim/server_module_win.h"

namespace hostsim::server {

class ServerObject final : public host::com::DispatchBase {
public:
    // A new object with one reference for the caller.
    static win::ComPtr<IUnknown> Create(std::shared_ptr<host::sim::SimObject> object);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argumentError) override;

private:
    explicit ServerObject(std::shared_ptr<host::sim::SimObject> object) : object_(std::move(object)) {}
    ~ServerObject() = default;

    std::shared_ptr<host::sim::SimObject> object_;
    std::vector<vb::String> names_;  // dispatch id n is names_[n - 1]
    ModuleReference module_;
};

}  // namespace hostsim::server
