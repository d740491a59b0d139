#include "platform/ui/win32/accessible_object.h"

#include <oleacc.h>
#include <ole2.h>

#include <atomic>
#include <new>
#include <string>
#include <utility>

#include "platform/win32/scoped.h"

namespace ui::win32 {

namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A new BSTR of the text; E_OUTOFMEMORY when there is no room.
HRESULT Answer(const std::wstring& text, BSTR* out) {
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

class AccessibleControl final : public IAccessible, public IOleWindow {
public:
    AccessibleControl(HWND hwnd, win::ComPtr<IAccessible> standard) : hwnd_(hwnd), standard_(std::move(standard)) {}
    AccessibleControl(const AccessibleControl&) = delete;
    AccessibleControl& operator=(const AccessibleControl&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
        } else if (iid == IID_IOleWindow) {
            *out = static_cast<IOleWindow*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: no type information; clients call through the interface.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible: the form's facts for the control itself, the system's
    // answers for the rest.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        AccessibleFacts facts;
        if (IsSelf(child) && name && Facts(facts) && !facts.name.empty()) return Answer(facts.name, name);
        return standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        AccessibleFacts facts;
        if (!IsSelf(child) || !shortcut || !Facts(facts)) return standard_->get_accKeyboardShortcut(child, shortcut);
        if (facts.shortcut.empty()) {
            *shortcut = nullptr;
            return S_FALSE;
        }
        return Answer(facts.shortcut, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        AccessibleFacts facts;
        if (IsSelf(child) && description && Facts(facts) && !facts.description.empty())
            return Answer(facts.description, description);
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || !role || !IsLink()) return standard_->get_accRole(child, role);
        VariantInit(role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_LINK;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        HRESULT hr = standard_->get_accState(child, state);
        if (FAILED(hr) || !IsSelf(child) || !state || state->vt != VT_I4 || !IsLink()) return hr;
        state->lVal |= STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == hwnd_) state->lVal |= STATE_SYSTEM_FOCUSED;
        return hr;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (IsSelf(child) && action && IsLink()) return Answer(L"Jump", action);
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child) || !IsLink()) return standard_->accDoDefaultAction(child);
        return PostMessageW(hwnd_, DefaultActionMessage(), 0, 0) ? S_OK : HRESULT_FROM_WIN32(GetLastError());
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return standard_->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return standard_->get_accFocus(focus); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

    // IOleWindow: the window it stands for (WindowFromAccessibleObject).
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = hwnd_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    ~AccessibleControl() = default;

    // False when the window is gone, or does not answer in time.
    bool Facts(AccessibleFacts& facts) const {
        DWORD_PTR answered = 0;
        return IsWindow(hwnd_) &&
               SendMessageTimeoutW(hwnd_, AccessibleFactsMessage(), 0, reinterpret_cast<LPARAM>(&facts),
                                   SMTO_ABORTIFHUNG, 2000, &answered) &&
               answered;
    }
    bool IsLink() const {
        AccessibleFacts facts;
        return Facts(facts) && facts.link;
    }

    HWND hwnd_;
    win::ComPtr<IAccessible> standard_;
    std::atomic<ULONG> references_ = 1;
};

// oleacc is loaded when a client first asks a window for its object, not
// at start-up: most runs never meet a screen reader, and a library fewer
// to map keeps the start quick. From the system folder only, by its full
// path, so no other folder can answer for it.
struct Oleacc {
    decltype(&CreateStdAccessibleObject) createStandard = nullptr;
    decltype(&LresultFromObject) lresultFromObject = nullptr;
};

template <class F>
F Entry(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const Oleacc& LoadedOleacc() {
    static const Oleacc oleacc = [] {
        Oleacc o;
        wchar_t folder[MAX_PATH];
        UINT n = GetSystemDirectoryW(folder, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) return o;
        std::wstring path(folder, n);
        path += L"\\oleacc.dll";
        // Kept loaded for the process's life: the objects handed out run its code.
        if (HMODULE module = LoadLibraryW(path.c_str())) {
            o.createStandard = Entry<decltype(o.createStandard)>(module, "CreateStdAccessibleObject");
            o.lresultFromObject = Entry<decltype(o.lresultFromObject)>(module, "LresultFromObject");
        }
        return o;
    }();
    return oleacc;
}

}  // namespace

UINT AccessibleFactsMessage() {
    static const UINT message = RegisterWindowMessageW(L"brivane.AccessibleFacts");
    return message;
}

UINT DefaultActionMessage() {
    static const UINT message = RegisterWindowMessageW(L"brivane.DefaultAction");
    return message;
}

LRESULT AnswerGetObject(HWND hwnd, WPARAM w) {
    const Oleacc& oleacc = LoadedOleacc();
    if (!oleacc.createStandard || !oleacc.lresultFromObject) return 0;
    win::ComPtr<IAccessible> standard;
    if (FAILED(oleacc.createStandard(hwnd, OBJID_CLIENT, __uuidof(IAccessible), standard.ReceiveVoid()))) return 0;
    auto* made = new (std::nothrow) AccessibleControl(hwnd, std::move(standard));
    if (!made) return 0;
    auto proxy = win::ComPtr<IAccessible>::Adopt(made);
    LRESULT result = oleacc.lresultFromObject(__uuidof(IAccessible), w, proxy.get());
    return result > 0 ? result : 0;
}

}  // namespace ui::win32
