#include "tools/hostsim/server_call_win.h"

#include "host/com/com_error.h"
#include "host/com/com_variant.h"
#include "tools/hostsim/server_object_win.h"

namespace hostsim::server {

namespace {

constexpr char16_t kSource[] = u"hostsim";

void PackResult(const host::Variant& value, VARIANT* out) {
    if (value.type() != host::Variant::Type::Object) {
        host::com::PackVariant(value, out);
        return;
    }
    VariantInit(out);
    out->vt = VT_DISPATCH;
    out->pdispVal = nullptr;
    std::shared_ptr<host::Object> object = value.AsObject();
    if (!object) return;
    auto sim = std::dynamic_pointer_cast<host::sim::SimObject>(object);
    if (!sim) throw vb::Error(vb::kTypeMismatch);
    win::ComPtr<IUnknown> made = ServerObject::Create(std::move(sim));
    made->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&out->pdispVal));
}

}  // namespace

HRESULT ServeCall(DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argumentError, const Call& call) {
    try {
        std::vector<host::Variant> args;
        if (params) {
            if (params->cNamedArgs > 0) return DISP_E_NONAMEDARGS;
            if (params->cArgs > 0 && !params->rgvarg) return E_INVALIDARG;
            // Argument i is rgvarg[count - 1 - i].
            for (UINT i = params->cArgs; i > 0; --i) {
                try {
                    args.push_back(host::com::UnpackVariant(params->rgvarg[i - 1]));
                } catch (const vb::Error&) {
                    if (argumentError) *argumentError = i - 1;
                    return DISP_E_TYPEMISMATCH;
                }
            }
        }
        host::Variant value = call(args);
        if (result) PackResult(value, result);
        return S_OK;
    } catch (...) {
        vb::Error error = vb::AsError(std::current_exception());
        if (exception && !host::com::FillException(error, kSource, exception)) return E_OUTOFMEMORY;
        return DISP_E_EXCEPTION;
    }
}

}  // namespace hostsim::server
