// The stand-in's event control as an automation object: its methods by
// dispatch id, as host::sim::CallEventControl answers them, and a
// connection point for the event interface. A timer on a message-only
// window of the creating thread (the client's, as the class is registered
// for apartments) takes the events waiting in the state about ten times a
// second and fires them to every connected sink, inside the client's own
// message loop; events scripted for Advise are fired from inside it, and
// those scripted for any other member from inside its call. Each raise is
// logged and watched as host/sim/event_source.h tells.
//
// Kind, it holds a reference to itself while it fires. Harsh, it holds
// none: when the client's last release comes inside the raise, the control
// is destroyed there, as a real control would be. Its memory is then kept,
// never freed, so that whatever the client does to it afterwards is caught
// and logged as a fault instead of crashing the test.
#pragma once

#include <ocidl.h>

#include <memory>
#include <vector>

#include "host/com/dispatch_base.h"
#include "platform/win32/scoped.h"
#include "host/sim/host.h"
#include "tools/hostsim/server_module_win.h"

namespace hostsim::server {

class ServerEventControl final : public host::com::DispatchBase, public IConnectionPointContainer {
public:
    // A new control with one reference for the caller. Raises 429 while
    // the host is not installed, 7 when its window cannot be made.
    static win::ComPtr<IUnknown> Create(std::shared_ptr<host::sim::StateFile> state);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    // One count for both interfaces.
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // The control is called by dispatch id only: every name is unknown.
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argumentError) override;

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

private:
    // The one connection point, part of the control: it lives and counts
    // references with it.
    class Point final : public IConnectionPoint {
    public:
        explicit Point(ServerEventControl& owner) : owner_(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }
        HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
        HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
        HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
        HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
        HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    private:
        ServerEventControl& owner_;
    };

    struct Sink {
        DWORD cookie;
        win::ComPtr<IDispatch> dispatch;
    };

    explicit ServerEventControl(std::shared_ptr<host::sim::StateFile> state);
    ~ServerEventControl() override;
    // The last reference went: deleted, or, inside a raise of its own,
    // torn down with its memory kept (see above).
    void Final() override;
    void TearDown();
    // A call after the control was destroyed: logged as a fault. True when
    // that is so and the call must not go on.
    bool Destroyed(const char16_t* member);

    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Tick() noexcept;
    void Deliver(const host::sim::HostEvent& event);

    std::shared_ptr<host::sim::StateFile> state_;
    std::unique_ptr<host::sim::EventSource> source_;
    Point point_{*this};
    std::vector<Sink> sinks_;
    DWORD nextCookie_ = 1;
    HWND window_ = nullptr;
    bool destroyed_ = false;
    ModuleReference module_;
};

// For the DLL's unloading: its window class goes with it.
void UnregisterEventWindowClass();

}  // namespace hostsim::server
