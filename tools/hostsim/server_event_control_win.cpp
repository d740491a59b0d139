#include "tools/hostsim/server_event_control_win.h"

#include <olectl.h>

#include <algorithm>
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

win::ComPtr<IUnknown> ServerEventControl::Create(std::shared_ptr<host::sim::StateFile> state) {
    host::sim::RequireEventControl(*state);
    auto made = win::ComPtr<IUnknown>::Adopt(static_cast<IDispatch*>(new ServerEventControl(std::move(state))));
    auto* self = static_cast<ServerEventControl*>(static_cast<IDispatch*>(made.get()));
    if (RegisterWindowClass(WindowProcedure))
        self->window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Module(), nullptr);
    if (!self->window_) throw vb::Error(vb::kOutOfMemory);
    SetWindowLongPtrW(self->window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (!SetTimer(self->window_, kTimer, kTickMilliseconds, nullptr)) throw vb::Error(vb::kOutOfMemory);
    return made;
}

ServerEventControl::ServerEventControl(std::shared_ptr<host::sim::StateFile> state)
    : state_(state),
      source_(std::make_unique<host::sim::EventSource>(
          state, [this](const host::sim::HostEvent& event) { Deliver(event); },
          [this] {
              // A kind control's reference to itself while it raises.
              AddRef();
              return std::shared_ptr<void>(static_cast<IDispatch*>(this),
                                           [](void* self) { static_cast<IDispatch*>(self)->Release(); });
          })) {}

ServerEventControl::~ServerEventControl() { TearDown(); }

void ServerEventControl::TearDown() {
    if (window_) {
        KillTimer(window_, kTimer);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
        window_ = nullptr;
    }
    // The sinks are released after they left the list: their release may
    // call back here.
    std::vector<Sink> sinks = std::move(sinks_);
    sinks_.clear();
    sinks.clear();
    source_.reset();
}

void ServerEventControl::Final() {
    if (!source_ || !source_->raising()) {
        delete this;
        return;
    }
    // Destroyed inside its own raise: the source logs the fault.
    destroyed_ = true;
    TearDown();
}

bool ServerEventControl::Destroyed(const char16_t* member) {
    if (!destroyed_) return false;
    try {
        host::sim::LogFault(*state_,
                            vb::String(u"called (") + member + u") after it was destroyed inside its own raise");
    } catch (...) {
        // The state cannot be kept now: the fault cannot be told either.
    }
    return true;
}

ULONG ServerEventControl::AddRef() {
    if (Destroyed(u"AddRef")) return 0;
    return DispatchBase::AddRef();
}

ULONG ServerEventControl::Release() {
    if (Destroyed(u"Release")) return 0;
    return DispatchBase::Release();
}

HRESULT ServerEventControl::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (Destroyed(u"QueryInterface")) return E_UNEXPECTED;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *out = static_cast<IDispatch*>(this);
    } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        *out = static_cast<IConnectionPointContainer*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

// ---- methods -------------------------------------------------------------------------

HRESULT ServerEventControl::GetIDsOfNames(REFIID iid, LPOLESTR*, UINT count, LCID, DISPID* ids) {
    if (Destroyed(u"GetIDsOfNames")) return E_UNEXPECTED;
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (ids)
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT ServerEventControl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argumentError) {
    if (Destroyed(u"Invoke")) return E_UNEXPECTED;
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
    std::shared_ptr<host::sim::StateFile> state = state_;
    return ServeCall(params, result, exception, argumentError, [&](const std::vector<host::Variant>& args) {
        return host::sim::CallEventControl(state, id, args);
    });
}

// ---- the connection point ---------------------------------------------------------------

HRESULT ServerEventControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points) *points = nullptr;
    return E_NOTIMPL;
}

HRESULT ServerEventControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (Destroyed(u"FindConnectionPoint")) return E_UNEXPECTED;
    if (!IsEqualIID(iid, EventInterface())) return CONNECT_E_NOCONNECTION;
    *point = &point_;
    point_.AddRef();
    return S_OK;
}

HRESULT ServerEventControl::Point::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (owner_.Destroyed(u"IConnectionPoint::QueryInterface")) return E_UNEXPECTED;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

HRESULT ServerEventControl::Point::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = EventInterface();
    return S_OK;
}

HRESULT ServerEventControl::Point::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    *container = nullptr;
    if (owner_.Destroyed(u"GetConnectionPointContainer")) return E_UNEXPECTED;
    *container = &owner_;
    owner_.AddRef();
    return S_OK;
}

HRESULT ServerEventControl::Point::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (owner_.Destroyed(u"Advise")) return E_UNEXPECTED;
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
    DWORD made = owner_.nextCookie_++;
    // Events scripted for Advise reach the new sink from inside the call,
    // before the client has its cookie.
    try {
        std::vector<host::sim::HostEvent> events;
        owner_.state_->Update([&](host::sim::State& s) { events = host::sim::TakeEventsDuring(s, u"Advise"); });
        if (!events.empty()) owner_.source_->Raise(events);
    } catch (...) {
        // The state cannot be read or written now: nothing is raised.
    }
    *cookie = made;
    return S_OK;
}

HRESULT ServerEventControl::Point::Unadvise(DWORD cookie) {
    if (owner_.Destroyed(u"Unadvise")) return E_UNEXPECTED;
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
    if (!source_ || source_->raising() || sinks_.empty()) return;
    try {
        const auto& waiting = state_->ReadWithoutLog().events;
        if (std::none_of(waiting.begin(), waiting.end(), [](const auto& e) { return e.during.empty(); })) return;
        source_->RaisePending();
    } catch (...) {
        // The state cannot be read or written now; the next tick tries again.
    }
}

void ServerEventControl::Deliver(const host::sim::HostEvent& event) {
    // A sink handles an event inside its call: it may call the control back,
    // disconnect, or release the control meanwhile. Nothing is locked while
    // it runs, and the sinks are called from a list of their own. The memory
    // of a control destroyed by one of them is kept: the flag can be read.
    std::vector<win::ComPtr<IDispatch>> sinks;
    for (const Sink& sink : sinks_) sinks.push_back(sink.dispatch);
    EventArguments args(event.args);
    for (const auto& sink : sinks) {
        if (destroyed_) return;
        DISPPARAMS params = args.Params();
        sink->Invoke(event.dispatchId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                     nullptr);
    }
}

}  // namespace hostsim::server
