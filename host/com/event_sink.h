// The program's end of the event control's connection point: an object that
// answers only IDispatch (and the event interface, as IDispatch) and hands
// each event's dispatch id and arguments to its receiver, inside the host's
// call. Unknown ids are handed on too; the receiver decides. Nothing crosses
// back into the host: every event is answered S_OK, and whatever the
// receiver throws ends the program with the standard unhandled-error message.
#pragma once

#include <oaidl.h>
#include <ocidl.h>

#include <vector>

#include "host/com/dispatch_base.h"
#include "platform/win32/scoped.h"
#include "host/variant.h"

namespace host::com {

class EventReceiver {
public:
    // Runs the event's handler, which may close the window that holds the
    // control: the control and this sink are released only after the
    // host's call has returned (platform/ui/teardown.h).
    virtual void Receive(int32_t dispatchId, std::vector<Variant> args) = 0;

protected:
    ~EventReceiver() = default;
};

class EventSink final : public DispatchBase {
public:
    // A new sink with one reference for the caller.
    static win::ComPtr<EventSink> Create(const IID& eventInterface, EventReceiver* receiver);
    // No more deliveries: the receiver is going away (the source may keep
    // the sink a while longer).
    void Disconnect() { receiver_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                     UINT*) override;

private:
    EventSink(const IID& eventInterface, EventReceiver* receiver)
        : eventInterface_(eventInterface), receiver_(receiver) {}
    ~EventSink() = default;

    IID eventInterface_;
    EventReceiver* receiver_;
};

// A sink advised to a source's connection point for as long as this lives.
class Connection {
public:
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { Disconnect(); }

    // Advises `sink` to the source's connection point for `eventInterface`.
    HRESULT Connect(IUnknown* source, const IID& eventInterface, IUnknown* sink);
    // Unadvises.
    void Disconnect();
    // Forgets the connection without calling the source (whose code may be
    // gone).
    void Abandon();

private:
    win::ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

}  // namespace host::com
