// The host's event control as the system provides it: created by its class
// id, called by dispatch id, and connected to its event interface once it
// is whole. Each event is handled inside the control's call to the sink, on
// this thread: the handler may call the control back (the acknowledgement)
// and close the window that holds the control before the host's call
// returns; the window lets go of the control then, and it is released
// after that call (host/event_control.h).
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

class ComEventControl final : public EventControl, private com::EventReceiver {
public:
    // Raises 429 when the control cannot be made.
    ComEventControl();
    ~ComEventControl() override;
    ComEventControl(const ComEventControl&) = delete;
    ComEventControl& operator=(const ComEventControl&) = delete;

    // Connects the sink: events arrive from here on, the first perhaps
    // inside the control's Advise. Raises 429 when the control has no
    // connection point for its events.
    void Connect();

    Variant CallId(int32_t dispatchId, const std::vector<Variant>& args) override {
        return com::CallDispatch(control_.get(), dispatchId, DISPATCH_METHOD, args);
    }

private:
    void Receive(int32_t dispatchId, std::vector<Variant> args) override { Raise(dispatchId, args); }

    IID events_;
    // Destroyed last to first: the connection ends before the site is
    // closed and the sink and the control go.
    com::ApartmentStamp stamp_;
    win::ComPtr<IDispatch> control_;
    win::ComPtr<com::EventSink> sink_;
    com::ControlSite site_;
    com::Connection connection_;
};

ComEventControl::ComEventControl() : events_(GuidOf(kEventInterfaceIid)) {
    if (FAILED(CoCreateInstance(GuidOf(kEventControlClsid), nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_IDispatch, control_.ReceiveVoid())) ||
        !control_)
        throw vb::Error(vb::kCantCreateObject);
    // A control that refuses a site or initialisation may still work.
    site_.Prepare(control_.get());
    sink_ = com::EventSink::Create(events_, this);
}

void ComEventControl::Connect() {
    if (FAILED(connection_.Connect(control_.get(), events_, sink_.get()))) throw vb::Error(vb::kCantCreateObject);
}

ComEventControl::~ComEventControl() {
    if (sink_) sink_->Disconnect();
    if (!stamp_.StillOpen()) {
        connection_.Abandon();
        site_.Abandon();
        control_.Detach();
    }
}

}  // namespace

std::unique_ptr<EventControl> SystemEventControl() {
    auto control = std::make_unique<ComEventControl>();
    control->Connect();
    return control;
}

}  // namespace host
