// Self-registration, for regsvr32: the three classes served in-process by
// this DLL for apartment threads, and the ProgIDs of the two objects.
// tools/hostsim/register writes the same keys without loading the DLL.
#include <windows.h>
#include <olectl.h>

#include <string>

#include "platform/win32/wide.h"
#include "tools/hostsim/server_classes_win.h"
#include "tools/hostsim/server_module_win.h"

namespace {

using hostsim::server::kServerClasses;
using hostsim::server::ServerClass;

bool SetText(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(hostsim::server::Module(), path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

bool Register(const ServerClass& c, const std::wstring& dll) {
    std::wstring clsid = win::ToWide(c.clsid);
    std::wstring name = win::ToWide(c.name);
    std::wstring key = L"CLSID\\" + clsid;
    bool ok = SetText(key, nullptr, name) && SetText(key + L"\\InprocServer32", nullptr, dll) &&
              SetText(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    if (ok && c.progId) {
        std::wstring progId = win::ToWide(c.progId);
        ok = SetText(key + L"\\ProgID", nullptr, progId) && SetText(progId, nullptr, name) &&
             SetText(progId + L"\\CLSID", nullptr, clsid);
    }
    return ok;
}

void Unregister(const ServerClass& c) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + win::ToWide(c.clsid)).c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (L"CLSID\\" + win::ToWide(c.clsid)).c_str());
    if (c.progId) {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, win::ToWide(c.progId).c_str());
        RegDeleteKeyW(HKEY_CLASSES_ROOT, win::ToWide(c.progId).c_str());
    }
}

}  // namespace

STDAPI DllRegisterServer() {
    try {
        std::wstring dll = ModulePath();
        if (dll.empty()) return SELFREG_E_CLASS;
        for (const ServerClass& c : kServerClasses)
            if (!Register(c, dll)) return SELFREG_E_CLASS;
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDAPI DllUnregisterServer() {
    try {
        for (const ServerClass& c : kServerClasses) Unregister(c);
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}
