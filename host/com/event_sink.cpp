#include "host/com/event_sink.h"

#include "host/com/com_variant.h"
#include "platform/ui/dispatch.h"
#include "platform/vb/error.h"

namespace host::com {

win::ComPtr<EventSink> EventSink::Create(const IID& eventInterface, EventReceiver* receiver) {
    return win::ComPtr<EventSink>::Adopt(new EventSink(eventInterface, receiver));
}

HRESULT EventSink::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, eventInterface_)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
    if (!receiver_) return S_OK;
    try {
        // Positional arguments follow the named ones, the last one first.
        std::vector<Variant> args;
        if (params && params->rgvarg) {
            for (UINT i = params->cArgs; i > params->cNamedArgs; --i) {
                try {
                    args.push_back(UnpackVariant(params->rgvarg[i - 1]));
                } catch (const vb::Error&) {
                    args.emplace_back();  // a type the program has no use for
                }
            }
        }
        receiver_->Receive(id, std::move(args));
    } catch (...) {
        ui::EndWithUnhandledError(std::current_exception());
    }
    return S_OK;
}

HRESULT Connection::Connect(IUnknown* source, const IID& eventInterface, IUnknown* sink) {
    Disconnect();
    win::ComPtr<IConnectionPointContainer> container;
    HRESULT result = source->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid());
    if (FAILED(result)) return result;
    win::ComPtr<IConnectionPoint> point;
    result = container->FindConnectionPoint(eventInterface, point.Receive());
    if (FAILED(result)) return result;
    if (!point) return E_UNEXPECTED;
    DWORD cookie = 0;
    result = point->Advise(sink, &cookie);
    if (FAILED(result)) return result;
    point_ = std::move(point);
    cookie_ = cookie;
    return S_OK;
}

void Connection::Disconnect() {
    if (point_) point_->Unadvise(cookie_);
    point_.Reset();
    cookie_ = 0;
}

void Connection::Abandon() {
    point_.Detach();
    cookie_ = 0;
}

}  // namespace host::com
