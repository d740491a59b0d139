// Owners of the system's handles used by the window backend: each frees its
// handle once, when it goes out of scope, and can hand it over (release) to
// a window that frees it itself.
#pragma once

#include <windows.h>

#include <utility>

namespace ui::win32 {

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

using ScopedFont = Scoped<HFONT, FreeGdiObject>;
using ScopedBrush = Scoped<HBRUSH, FreeGdiObject>;
using ScopedPen = Scoped<HPEN, FreeGdiObject>;
using ScopedWindow = Scoped<HWND, FreeWindow>;
using ScopedMenu = Scoped<HMENU, FreeMenu>;
using ScopedIcon = Scoped<HICON, FreeIcon>;

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

}  // namespace ui::win32
