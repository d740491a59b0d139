// The DLL's entry points: class objects for the three classes and the
// unload check. Registration: server_registration_win.cpp.
#include "tools/hostsim/server_module_win.h"

#include <objbase.h>

#include <new>
#include <string>

#include "platform/win32/scoped.h"
#include "platform/win32/wide.h"
#include "host/sim/host.h"
#include "platform/vb/error.h"
#include "tools/hostsim/server_classes_win.h"
#include "tools/hostsim/server_event_control_win.h"
#include "tools/hostsim/server_object_win.h"

namespace hostsim::server {

namespace {

HMODULE module = nullptr;
LONG references = 0;

std::wstring ModuleFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            size_t separator = path.find_last_of(L"\\/");
            return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
        }
        path.resize(path.size() * 2);
    }
}

// A new object of the class, with one reference for the caller. Raises
// vb::Error as the stand-in does (429 while the host is not installed).
win::ComPtr<IUnknown> Make(ClassKind kind) {
    auto state = NewStateFile();
    if (kind == ClassKind::EventControl) return ServerEventControl::Create(state);
    host::sim::SimAutomation automation(state);
    auto object = automation.CreateObject(kind == ClassKind::Application ? host::kAppProgId : host::kAuxCommandsProgId);
    auto sim = std::dynamic_pointer_cast<host::sim::SimObject>(object);
    if (!sim) throw vb::Error(vb::kCantCreateObject);
    return ServerObject::Create(std::move(sim));
}

class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(ClassKind kind) : kind_(kind) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        try {
            win::ComPtr<IUnknown> object = Make(kind_);
            return object->QueryInterface(iid, out);
        } catch (const vb::Error&) {
            // Not installed, or its state cannot be kept: no object to give.
            return CLASS_E_CLASSNOTAVAILABLE;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) InterlockedIncrement(&references);
        else InterlockedDecrement(&references);
        return S_OK;
    }

private:
    ~ClassFactory() = default;

    ClassKind kind_;
    LONG references_ = 1;
    ModuleReference module_;
};

}  // namespace

HMODULE Module() { return module; }

ModuleReference::ModuleReference() { InterlockedIncrement(&references); }
ModuleReference::~ModuleReference() { InterlockedDecrement(&references); }

std::shared_ptr<host::sim::StateFile> NewStateFile() {
    return host::sim::StateFile::At(host::sim::DefaultStatePath(ModuleFolder()));
}

}  // namespace hostsim::server

using namespace hostsim::server;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        module = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && !reserved) {
        // Unloaded while the process goes on: a later load may sit elsewhere.
        UnregisterEventWindowClass();
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (const ServerClass& c : kServerClasses) {
        CLSID id{};
        std::wstring text = win::ToWide(c.clsid);
        if (FAILED(CLSIDFromString(text.c_str(), &id)) || !IsEqualCLSID(id, clsid)) continue;
        auto* factory = new (std::nothrow) ClassFactory(c.kind);
        if (!factory) return E_OUTOFMEMORY;
        HRESULT result = factory->QueryInterface(iid, out);
        factory->Release();
        return result;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() { return references == 0 ? S_OK : S_FALSE; }
