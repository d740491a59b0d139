// The host's event control as the system provides it: created by its class
// id, called by dispatch id, and connected to its event interface. Each
// event is handled inside the control's call to the sink, on this thread:
// the handler may call the control back (the acknowledgement) and close the
// window that holds the control before the host's call returns.
#include <windows.h>
#include <objbase.h>

#include <memory>

#include "host/com/apartment.h"
#include "host/com/control_site.h"
#include "host/com/dispatch_object.h"
#include "host/com/event_sink.h"
#include "platform/win32/wide.h"
#include "host/event_control.h"
#include "platform/vb/error.h"

namespace host {

namespace {

GUID GuidOf(const char16_t* text) {
    GUID guid{};
    std::wstring wide = win::ToWide(text);
    if (FAILED(CLSIDFromString(wide.c_str(), &guid))) throw vb::Error(vb::kCantCreateObject);
    return guid;
}

class ComEventControl final : public EventControl {
public:
    // Raises 429 when the control cannot be made or has no connection point
    // for its events.
    ComEventControl() : link_(std::make_shared<Link>(*this)) {}
    ~ComEventControl() override { link_->Forget(); }

    Variant CallId(int32_t dispatchId, const std::vector<Variant>& args) override {
        return com::CallDispatch(link_->control(), dispatchId, DISPATCH_METHOD, args);
    }

private:
    // The control, its site and the sink's connection. An event's delivery
    // holds them too: a handler that releases this control leaves them in
    // place until the host's call to the sink has returned, and they end then.
    class Link final : public com::EventReceiver, public std::enable_shared_from_this<Link> {
    public:
        explicit Link(ComEventControl& owner);
        ~Link();
        Link(const Link&) = delete;
        Link& operator=(const Link&) = delete;

        IDispatch* control() const { return control_.get(); }
        // No more events for the control: it is going away.
        void Forget() { owner_ = nullptr; }

    private:
        void Receive(int32_t dispatchId, std::vector<Variant> args) override {
            std::shared_ptr<Link> keep = shared_from_this();
            if (owner_) owner_->Raise(dispatchId, args);
        }

        ComEventControl* owner_;
        // Destroyed last to first: the connection ends before the site is
        // closed and the sink and the control go.
        com::ApartmentStamp stamp_;
        win::ComPtr<IDispatch> control_;
        win::ComPtr<com::EventSink> sink_;
        com::ControlSite site_;
        com::Connection connection_;
    };

    std::shared_ptr<Link> link_;
};

ComEventControl::Link::Link(ComEventControl& owner) : owner_(&owner) {
    win::ComPtr<IDispatch> control;
    if (FAILED(CoCreateInstance(GuidOf(kEventControlClsid), nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_IDispatch, control.ReceiveVoid())) ||
        !control)
        throw vb::Error(vb::kCantCreateObject);
    // A control that refuses a site or initialisation may still work.
    site_.Prepare(control.get());
    IID events = GuidOf(kEventInterfaceIid);
    sink_ = com::EventSink::Create(events, this);
    if (FAILED(connection_.Connect(control.get(), events, sink_.get()))) {
        sink_->Disconnect();
        throw vb::Error(vb::kCantCreateObject);
    }
    control_ = std::move(control);
}

ComEventControl::Link::~Link() {
    if (sink_) sink_->Disconnect();
    if (!stamp_.StillOpen()) {
        connection_.Abandon();
        site_.Abandon();
        control_.Detach();
    }
}

}  // namespace

std::unique_ptr<EventControl> SystemEventControl() { return std::make_unique<ComEventControl>(); }

}  // namespace host
