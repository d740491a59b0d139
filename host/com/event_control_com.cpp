// The host's event control as the system provides it: created by its class
// id, called by dispatch id, and connected to its event interface. Events
// are queued as they arrive and handed to the handlers from the thread's
// message loop, so that a handler may call the control back (and close the
// window that holds it) outside the control's own call to the program.
#include <windows.h>
#include <objbase.h>

#include <deque>
#include <memory>

#include "host/com/apartment.h"
#include "host/com/control_site.h"
#include "host/com/dispatch_object.h"
#include "host/com/event_sink.h"
#include "host/com/message_window.h"
#include "host/com/wide.h"
#include "host/event_control.h"
#include "platform/vb/error.h"

namespace host {

namespace {

GUID GuidOf(const char16_t* text) {
    GUID guid{};
    std::wstring wide = com::Wide(text);
    if (FAILED(CLSIDFromString(wide.c_str(), &guid))) throw vb::Error(vb::kCantCreateObject);
    return guid;
}

class ComEventControl final : public EventControl, private com::EventReceiver {
public:
    // Raises 429 when the control cannot be made or has no connection point
    // for its events.
    ComEventControl() : window_([this] { DeliverQueued(); }) {
        com::ComPtr<IDispatch> control;
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

    ~ComEventControl() override {
        alive_.reset();
        sink_->Disconnect();
        if (!stamp_.StillOpen()) {
            connection_.Abandon();
            site_.Abandon();
            control_.Detach();
        }
    }

    Variant CallId(int32_t dispatchId, const std::vector<Variant>& args) override {
        return com::CallDispatch(control_.get(), dispatchId, DISPATCH_METHOD, args);
    }

private:
    struct Queued {
        int32_t dispatchId;
        std::vector<Variant> args;
    };

    void Receive(int32_t dispatchId, std::vector<Variant> args) noexcept override {
        try {
            queue_.push_back({dispatchId, std::move(args)});
        } catch (...) {
            return;  // out of memory: the event is lost
        }
        window_.Post();
    }

    void DeliverQueued() {
        // A handler may destroy this control (closing the window that holds
        // it): then the remaining events go with it.
        std::weak_ptr<bool> alive = alive_;
        while (!alive.expired() && !queue_.empty()) {
            Queued event = std::move(queue_.front());
            queue_.pop_front();
            Raise(event.dispatchId, event.args);
        }
    }

    // Destroyed last to first: the connection ends before the sink and the
    // control go, the window after them.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    com::ApartmentStamp stamp_;
    std::deque<Queued> queue_;
    com::MessageWindow window_;
    com::ComPtr<IDispatch> control_;
    com::ComPtr<com::EventSink> sink_;
    com::ControlSite site_;  // closed after the connection ends, before the control goes
    com::Connection connection_;
};

}  // namespace

std::unique_ptr<EventControl> SystemEventControl() { return std::make_unique<ComEventControl>(); }

}  // namespace host
