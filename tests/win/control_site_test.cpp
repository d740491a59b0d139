// Setting a control up the way a container does, against a control that
// logs what it is asked and in what order, and keeps the site it is given
// the way real controls do.
#include <windows.h>

#include <gtest/gtest.h>
#include <ole2.h>
#include <olectl.h>

#include <string>
#include <vector>

#include "host/com/control_site.h"
#include "platform/win32/scoped.h"

using host::com::ControlSite;
using win::ComPtr;

namespace {

struct Abilities {
    bool oleObject = true;
    bool persist = true;
    DWORD miscStatus = 0;
    HRESULT setSite = S_OK;
    HRESULT initNew = S_OK;
};

// Lives on the test's stack; its count shows whether references were
// given back.
class FakeControl final : public IOleObject, public IPersistStreamInit {
public:
    explicit FakeControl(Abilities abilities) : can_(abilities) {}
    ~FakeControl() {
        if (site_) site_->Release();
    }

    std::vector<std::string> calls;
    LONG references = 1;
    IOleClientSite* site() const { return site_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || (can_.oleObject && IsEqualIID(iid, IID_IOleObject)))
            *out = static_cast<IOleObject*>(this);
        else if (can_.persist && IsEqualIID(iid, IID_IPersistStreamInit)) *out = static_cast<IPersistStreamInit*>(this);
        else return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override {
        calls.push_back(site ? "site" : "no site");
        if (site && FAILED(can_.setSite)) return can_.setSite;
        if (site) site->AddRef();
        if (site_) site_->Release();
        site_ = site;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override {
        *status = aspect == DVASPECT_CONTENT ? can_.miscStatus : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Close(DWORD saving) override {
        calls.push_back(saving == OLECLOSE_NOSAVE ? "close" : "close and save");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InitNew() override {
        calls.push_back("init");
        return can_.initNew;
    }

    // Not asked for by a minimal container.
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, WINBOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Update() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM, WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }

private:
    Abilities can_;
    IOleClientSite* site_ = nullptr;
};

using Calls = std::vector<std::string>;

TEST(ControlSite, SetsTheControlUpInTheOrderItAsksFor) {
    FakeControl siteFirst({.miscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INVISIBLEATRUNTIME});
    FakeControl siteAfter({.miscStatus = OLEMISC_INVISIBLEATRUNTIME});
    ControlSite first, after;
    EXPECT_EQ(first.Prepare(static_cast<IOleObject*>(&siteFirst)), S_OK);
    EXPECT_EQ(after.Prepare(static_cast<IOleObject*>(&siteAfter)), S_OK);
    EXPECT_EQ(siteFirst.calls, (Calls{"site", "init"}));
    EXPECT_EQ(siteAfter.calls, (Calls{"init", "site"}));
}

TEST(ControlSite, ClosingGivesBackEveryReference) {
    FakeControl control({});
    win::ComPtr<IOleClientSite> site;
    {
        ControlSite holder;
        ASSERT_EQ(holder.Prepare(static_cast<IOleObject*>(&control)), S_OK);
        ASSERT_NE(control.site(), nullptr);
        site = win::ComPtr<IOleClientSite>::Share(control.site());
        control.calls.clear();
    }
    EXPECT_EQ(control.calls, (Calls{"close", "no site"}));
    EXPECT_EQ(control.site(), nullptr);
    EXPECT_EQ(control.references, 1);
    // The test's reference is the last one: the site goes with it.
    EXPECT_EQ(site.Detach()->Release(), 0u);
}

TEST(ControlSite, AbandonedControlIsNotCalledAgain) {
    FakeControl control({});
    {
        ControlSite holder;
        ASSERT_EQ(holder.Prepare(static_cast<IOleObject*>(&control)), S_OK);
        control.calls.clear();
        holder.Abandon();
    }
    EXPECT_TRUE(control.calls.empty());
    EXPECT_NE(control.site(), nullptr);
    EXPECT_EQ(control.references, 2);  // kept on purpose: its code may be gone
}

TEST(ControlSite, CarriesOnPastWhatTheControlLacksOrRefuses) {
    FakeControl plain({.oleObject = false, .persist = false});
    FakeControl persistOnly({.oleObject = false});
    FakeControl badInit({.initNew = E_FAIL});
    FakeControl noSite({.setSite = E_NOTIMPL});
    {
        ControlSite a, b, c, d;
        EXPECT_EQ(a.Prepare(static_cast<IOleObject*>(&plain)), S_OK);
        EXPECT_EQ(b.Prepare(static_cast<IOleObject*>(&persistOnly)), S_OK);
        EXPECT_EQ(c.Prepare(static_cast<IOleObject*>(&badInit)), E_FAIL);
        EXPECT_EQ(d.Prepare(static_cast<IOleObject*>(&noSite)), E_NOTIMPL);
        EXPECT_EQ(ControlSite().Prepare(nullptr), E_POINTER);
        EXPECT_EQ(badInit.calls, (Calls{"init", "site"}));
    }
    EXPECT_TRUE(plain.calls.empty());
    EXPECT_EQ(persistOnly.calls, (Calls{"init"}));
    EXPECT_EQ(badInit.calls, (Calls{"init", "site", "close", "no site"}));
    // A control that never took the site is not asked to give it back.
    EXPECT_EQ(noSite.calls, (Calls{"init", "site"}));
    for (FakeControl* control : {&plain, &persistOnly, &badInit, &noSite}) EXPECT_EQ(control->references, 1);
}

TEST(ControlSite, SiteOffersNoContainerAndSaysTheProgramIsRunning) {
    FakeControl control({});
    ControlSite holder;
    ASSERT_EQ(holder.Prepare(static_cast<IOleObject*>(&control)), S_OK);
    IOleClientSite* site = control.site();
    ASSERT_NE(site, nullptr);

    win::ComPtr<IUnknown> other;
    EXPECT_EQ(site->QueryInterface(IID_IOleInPlaceSite, other.ReceiveVoid()), E_NOINTERFACE);
    EXPECT_FALSE(other);
    IOleContainer* container = reinterpret_cast<IOleContainer*>(site);
    EXPECT_EQ(site->GetContainer(&container), E_NOINTERFACE);
    EXPECT_EQ(container, nullptr);

    win::ComPtr<IDispatch> ambient;
    ASSERT_EQ(site->QueryInterface(IID_IDispatch, ambient.ReceiveVoid()), S_OK);
    win::ComPtr<IUnknown> viaSite, viaAmbient;
    site->QueryInterface(IID_IUnknown, viaSite.ReceiveVoid());
    ambient->QueryInterface(IID_IUnknown, viaAmbient.ReceiveVoid());
    EXPECT_EQ(viaSite.get(), viaAmbient.get());

    DISPPARAMS none{};
    win::ScopedVariant value;
    ASSERT_EQ(ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                              value.ptr(), nullptr, nullptr),
              S_OK);
    EXPECT_EQ(value.get().vt, VT_BOOL);
    EXPECT_EQ(value.get().boolVal, VARIANT_TRUE);
    EXPECT_EQ(ambient->Invoke(DISPID_AMBIENT_LOCALEID, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                              value.Receive(), nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
}

}  // namespace
