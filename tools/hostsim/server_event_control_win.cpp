#include "tools/hostsim/server_event_control_win.h"

#include <olectl.h>

#include <string>

#include "host/com/com_variant.h"
#include "platform/win32/wide.h"
#include "tools/hostsim/server_call_win.h"
#include "platform/vb/error.h"

namespace hostsim::server {

namespace {

constexpr wchar_t kWindowClass[] = L"brivane.HostsimEvents";
constexpr UINT_PTR kTimer = 1;
constexpr UINT kTickMilliseconds = 100;

IID EventInterface() {
    IID iid{};
    std::wstring text = win::ToWide(host::kEventInterfaceIid);
    IIDFromString(text.c_str(), &iid);
    return iid;
}

// The arguments of one event as IDispatch takes them: the last one first.
class EventArguments {
public:
    explicit EventArguments(const std::vector<host::Variant>& args) {
        packed_.reserve(args.size());
        for (auto it = args.rbegin(); it != args.rend(); ++it) {
            packed_.emplace_back();
            try {
                host::com::PackVariant(*it, &packed_.back());
            } catch (const vb::Error&) {
                // An argument no client could take goes as empty.
            }
        }
    }
    EventArguments(const EventArguments&) = delete;
    EventArguments& operator=(const EventArguments&) = delete;
    ~EventArguments() {
        for (VARIANT& v : packed_) VariantClear(&v);
    }
    DISPPARAMS Params() { return DISPPARAMS{packed_.data(), nullptr, static_cast<UINT>(packed_.size()), 0}; }

private:
    std::vector<VARIANT> packed_;
};

bool windowClassRegistered = false;

bool RegisterWindowClass(WNDPROC procedure) {
    // Registered on first use, not while the DLL loads.
    if (!windowClassRegistered) {
        WNDCLASSEXW wc{sizeof wc};
        wc.lpfnWndProc = procedure;
        wc.hInstance = Module();
        wc.lpszClassName = kWindowClass;
        windowClassRegistered = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
    return windowClassRegistered;
}

}  // namespace

void UnregisterEventWindowClass() {
    if (windowClassRegistered) UnregisterClassW(kWindowClass, Module());
    windowClassRegistered = false;
}

// ---- creation and lifetime ---------------------------------------------------------

win::ComPtr<IUnknown> ServerEventControl::Create(std::unique_ptr<host::sim::SimEventControl> control,
                                                 std::shared_ptr<host::sim::StateFile> state) {
    auto made = win::ComPtr<IUnknown>::Adopt(
        static_cast<IDispatch*>(new ServerEventControl(std::move(control), std::move(state))));
    auto* self = static_cast<ServerEventControl*>(static_cast<IDispatch*>(made.get()));
    if (RegisterWindowClass(WindowProcedure))
        self->window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Module(), nullptr);
    if (!self->window_) throw vb::Error(vb::kOutOfMemory);
    SetWindowLongPtrW(self->window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (!SetTimer(self->window_, kTimer, kTickMilliseconds, nullptr)) throw vb::Error(vb::kOutOfMemory);
    return made;
}

ServerEventControl::ServerEventControl(std::unique_ptr<host::sim::SimEventControl> control,
                                       std::shared_ptr<host::sim::StateFile> state)
    : control_(std::move(control)), state_(std::move(state)) {}

ServerEventControl::~ServerEventControl() {
    if (window_) {
        KillTimer(window_, kTimer);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

HRESULT ServerEventControl::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *out = static_cast<IDispatch*>(this);
    } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        *out = static_cast<IConnectionPointContainer*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

// ---- methods -------------------------------------------------------------------------

HRESULT ServerEventControl::GetIDsOfNames(REFIID iid, LPOLESTR*, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (ids)
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT ServerEventControl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argumentError) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
    return ServeCall(params, result, exception, argumentError,
                     [&](const std::vector<host::Variant>& args) { return control_->CallId(id, args); });
}

// ---- the connection point ---------------------------------------------------------------

HRESULT ServerEventControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points) *points = nullptr;
    return E_NOTIMPL;
}

HRESULT ServerEventControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    if (!IsEqualIID(iid, EventInterface())) {
        *point = nullptr;
        return CONNECT_E_NOCONNECTION;
    }
    *point = &point_;
    point_.AddRef();
    return S_OK;
}

HRESULT ServerEventControl::Point::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT ServerEventControl::Point::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = EventInterface();
    return S_OK;
}

HRESULT ServerEventControl::Point::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    *container = &owner_;
    owner_.AddRef();
    return S_OK;
}

HRESULT ServerEventControl::Point::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    // The event interface is a dispatch interface: a sink that does not
    // name it may still take the events as plain IDispatch.
    win::ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(EventInterface(), dispatch.ReceiveVoid())) || !dispatch) {
        if (FAILED(sink->QueryInterface(IID_IDispatch, dispatch.ReceiveVoid())) || !dispatch)
            return CONNECT_E_CANNOTCONNECT;
    }
    try {
        owner_.sinks_.push_back({owner_.nextCookie_, std::move(dispatch)});
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    *cookie = owner_.nextCookie_++;
    return S_OK;
}

HRESULT ServerEventControl::Point::Unadvise(DWORD cookie) {
    auto& sinks = owner_.sinks_;
    for (auto it = sinks.begin(); it != sinks.end(); ++it) {
        if (it->cookie != cookie) continue;
        // The sink is released after it left the list: its release may
        // call back here.
        win::ComPtr<IDispatch> leaving = std::move(it->dispatch);
        sinks.erase(it);
        return S_OK;
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT ServerEventControl::Point::EnumConnections(IEnumConnections** connections) {
    if (connections) *connections = nullptr;
    return E_NOTIMPL;
}

// ---- firing -----------------------------------------------------------------------------

LRESULT CALLBACK ServerEventControl::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimer) {
        if (auto* self = reinterpret_cast<ServerEventControl*>(GetWindowLongPtrW(window, GWLP_USERDATA))) self->Tick();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void ServerEventControl::Tick() noexcept {
    // Not while a sink is still handling earlier events (it may run a
    // message loop of its own), and not for nobody: the events wait.
    if (firing_ || sinks_.empty()) return;
    try {
        if (state_->ReadWithoutLog().events.empty()) return;
        Fire(host::sim::TakePendingEvents(*state_));
    } catch (...) {
        // The state cannot be read or written now; the next tick tries again.
    }
}

void ServerEventControl::Fire(const std::vector<host::sim::HostEvent>& events) {
    // A sink handles an event inside its call: it may call the control back,
    // disconnect, or release the control meanwhile. Nothing is locked while
    // it runs, and the sinks are called from a list of their own.
    auto self = win::ComPtr<IDispatch>::Share(static_cast<IDispatch*>(this));
    struct Firing {
        bool& flag;
        explicit Firing(bool& f) : flag(f) { flag = true; }
        ~Firing() { flag = false; }
    } firing(firing_);
    for (const host::sim::HostEvent& event : events) {
        host::sim::RaiseLogged(*state_, event, [&] {
            std::vector<win::ComPtr<IDispatch>> sinks;
            for (const Sink& sink : sinks_) sinks.push_back(sink.dispatch);
            EventArguments args(event.args);
            for (const auto& sink : sinks) {
                DISPPARAMS params = args.Params();
                sink->Invoke(event.dispatchId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                             nullptr, nullptr);
            }
        });
    }
}

}  // namespace hostsim::server
