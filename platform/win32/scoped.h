// Owners of the system's handles and of COM's resources: each frees what it
// holds once, when it goes out of scope, and can hand it over to a caller
// or a window that frees it itself.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <utility>

namespace win {

template <class Handle, class Free>
class Scoped {
public:
    Scoped() = default;
    explicit Scoped(Handle h) : h_(h) {}
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Scoped(Scoped&& other) noexcept : h_(other.release()) {}
    Scoped& operator=(Scoped&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~Scoped() { reset(); }

    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    Handle release() { return std::exchange(h_, nullptr); }
    void reset(Handle h = nullptr) {
        if (h_) Free{}(h_);
        h_ = h;
    }
    // For an out parameter: frees what it held and receives the new one.
    Handle* receive() {
        reset();
        return &h_;
    }

private:
    Handle h_ = nullptr;
};

struct FreeGdiObject {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct FreeWindow {
    void operator()(HWND h) const { DestroyWindow(h); }
};
struct FreeMenu {
    void operator()(HMENU h) const { DestroyMenu(h); }
};
struct FreeIcon {
    void operator()(HICON h) const { DestroyIcon(h); }
};
struct FreeGlobal {
    void operator()(HGLOBAL h) const { GlobalFree(h); }
};
struct FreeKernelObject {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
struct FreeRegistryKey {
    void operator()(HKEY h) const { RegCloseKey(h); }
};

using ScopedFont = Scoped<HFONT, FreeGdiObject>;
using ScopedBrush = Scoped<HBRUSH, FreeGdiObject>;
using ScopedPen = Scoped<HPEN, FreeGdiObject>;
using ScopedWindow = Scoped<HWND, FreeWindow>;
using ScopedMenu = Scoped<HMENU, FreeMenu>;
using ScopedIcon = Scoped<HICON, FreeIcon>;
using ScopedBitmap = Scoped<HBITMAP, FreeGdiObject>;
// Memory from GlobalAlloc, until the clipboard takes it over (release).
using ScopedGlobal = Scoped<HGLOBAL, FreeGlobal>;
// A mutex, event, process or thread; not a file (INVALID_HANDLE_VALUE is its
// empty value, not nullptr).
using ScopedHandle = Scoped<HANDLE, FreeKernelObject>;
using ScopedRegistryKey = Scoped<HKEY, FreeRegistryKey>;

// A GDI object selected into a device context for one drawing step.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() { SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The screen's device context, for measuring.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    ~ScreenDC() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A COM interface pointer holding one reference.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    ComPtr(const ComPtr& other) : p_(other.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Takes over a reference the caller owns (a fresh object, an out parameter).
    static ComPtr Adopt(T* p) {
        ComPtr out;
        out.p_ = p;
        return out;
    }
    // Adds a reference of its own.
    static ComPtr Share(T* p) {
        if (p) p->AddRef();
        return Adopt(p);
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    void Reset() {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    // For an out parameter: releases what it held and receives the new one.
    T** Receive() {
        Reset();
        return &p_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    // Gives up the reference without releasing it.
    T* Detach() { return std::exchange(p_, nullptr); }

    // The same object through another interface; empty when it has none.
    template <class U>
    ComPtr<U> As(REFIID iid) const {
        ComPtr<U> out;
        if (p_ && FAILED(p_->QueryInterface(iid, out.ReceiveVoid()))) out.Reset();
        return out;
    }

private:
    T* p_ = nullptr;
};

class ScopedVariant {
public:
    ScopedVariant() { VariantInit(&v_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    ~ScopedVariant() { VariantClear(&v_); }

    const VARIANT& get() const { return v_; }
    VARIANT* ptr() { return &v_; }
    // For an out parameter: clears what it held first.
    VARIANT* Receive() {
        VariantClear(&v_);
        return &v_;
    }
    // Hands the value over; this one is empty afterwards.
    VARIANT Detach() {
        VARIANT out = v_;
        VariantInit(&v_);
        return out;
    }

private:
    VARIANT v_;
};

class ScopedBstr {
public:
    ScopedBstr() = default;
    explicit ScopedBstr(BSTR b) : b_(b) {}
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    ~ScopedBstr() { SysFreeString(b_); }

    BSTR get() const { return b_; }
    BSTR Detach() { return std::exchange(b_, nullptr); }

private:
    BSTR b_ = nullptr;
};

// An EXCEPINFO whose strings are freed with it.
class ScopedExcepInfo {
public:
    ScopedExcepInfo() : info_{} {}
    ScopedExcepInfo(const ScopedExcepInfo&) = delete;
    ScopedExcepInfo& operator=(const ScopedExcepInfo&) = delete;
    ~ScopedExcepInfo() {
        SysFreeString(info_.bstrSource);
        SysFreeString(info_.bstrDescription);
        SysFreeString(info_.bstrHelpFile);
    }

    EXCEPINFO* ptr() { return &info_; }
    EXCEPINFO& get() { return info_; }

private:
    EXCEPINFO info_;
};

}  // namespace win
