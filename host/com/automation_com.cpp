// Host objects from the system's registered automation servers.
#include <windows.h>
#include <objbase.h>

#include "host/automation.h"
#include "host/com/dispatch_object.h"
#include "platform/win32/wide.h"
#include "platform/vb/error.h"

namespace host {

namespace {

class ComAutomation : public Automation {
public:
    std::shared_ptr<Object> CreateObject(vb::StringView progId) override {
        std::wstring name = win::ToWide(progId);
        CLSID clsid{};
        if (FAILED(CLSIDFromProgID(name.c_str(), &clsid))) throw vb::Error(vb::kCantCreateObject);
        // On the local machine: in this process or in a server of its own.
        win::ComPtr<IDispatch> dispatch;
        HRESULT made = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                        dispatch.ReceiveVoid());
        if (FAILED(made) || !dispatch) throw vb::Error(vb::kCantCreateObject);
        return std::make_shared<com::DispatchObject>(std::move(dispatch));
    }
};

}  // namespace

Automation& SystemAutomation() {
    static ComAutomation automation;
    return automation;
}

}  // namespace host
