#pragma once
// Owners of the handles of pictures and drawing: GDI objects, icons, image lists, DCs,
// selections and saved DC states. Each handle is given back exactly once, on every path,
// including the unwinding of an exception thrown while drawing. Code holds these handles in
// the owners here and never pairs create/delete by hand.
#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace cl {

struct TDeleteGdiObject {
    void operator()(HGDIOBJ Handle) const { DeleteObject(Handle); }
};
// An icon or cursor the program made or copied (not a shared one loaded from resources).
struct TDestroyIcon {
    void operator()(HICON Handle) const { DestroyIcon(Handle); }
};
struct TDestroyImageList {
    void operator()(HIMAGELIST Handle) const { ImageList_Destroy(Handle); }
};

// A picture handle given back with TFree. A handle given to a window or a control that takes
// ownership of it (SetWindowRgn, for one) leaves through Release().
template <typename THandle, typename TFree = TDeleteGdiObject>
class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(THandle Handle) : handle_(Handle) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(TGdiObject&& Other) noexcept : handle_(Other.Release()) {}
    TGdiObject& operator=(TGdiObject&& Other) noexcept
    {
        if (this != &Other)
            Reset(Other.Release());
        return *this;
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

    THandle Handle() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives the handle away; this object then owns nothing.
    THandle Release() { return std::exchange(handle_, nullptr); }
    void Reset(THandle Handle = nullptr)
    {
        if (handle_ && handle_ != Handle)
            TFree{}(handle_);
        handle_ = Handle;
    }

private:
    THandle handle_ = nullptr;
};

using TOwnedBitmap = TGdiObject<HBITMAP>;
using TOwnedBrush = TGdiObject<HBRUSH>;
using TOwnedPen = TGdiObject<HPEN>;
using TOwnedFont = TGdiObject<HFONT>;
using TOwnedRegion = TGdiObject<HRGN>;
using TOwnedIcon = TGdiObject<HICON, TDestroyIcon>;
using TOwnedImageList = TGdiObject<HIMAGELIST, TDestroyImageList>;

// A DC the program made itself, deleted with DeleteDC.
class TCreatedDC {
public:
    explicit TCreatedDC(HDC DC) : dc_(DC) {}
    ~TCreatedDC()
    {
        if (dc_)
            DeleteDC(dc_);
    }
    TCreatedDC(const TCreatedDC&) = delete;
    TCreatedDC& operator=(const TCreatedDC&) = delete;

    HDC Handle() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// A memory DC compatible with Reference (the screen when null).
class TMemoryDC : public TCreatedDC {
public:
    explicit TMemoryDC(HDC Reference = nullptr) : TCreatedDC(CreateCompatibleDC(Reference)) {}
};

// The display's own DC (CreateDC "DISPLAY"), for work that needs the screen's format rather
// than a window's.
class TDisplayDC : public TCreatedDC {
public:
    TDisplayDC() : TCreatedDC(CreateDCA("DISPLAY", nullptr, nullptr, nullptr)) {}
};

// A DC of a window's client area (GetDC) or of the whole window (GetWindowDC), released with
// ReleaseDC to the window it came from. A null window gives the screen's DC.
class TWindowDC {
public:
    enum class TArea { Client, Window };
    explicit TWindowDC(HWND Wnd, TArea Area = TArea::Client)
        : wnd_(Wnd), dc_(Area == TArea::Client ? GetDC(Wnd) : GetWindowDC(Wnd))
    {
    }
    ~TWindowDC()
    {
        if (dc_)
            ReleaseDC(wnd_, dc_);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;

    HDC Handle() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND wnd_;
    HDC dc_;
};

// The DC of a WM_PAINT, ended with EndPaint.
class TPaintDC {
public:
    explicit TPaintDC(HWND Wnd) : wnd_(Wnd) { dc_ = BeginPaint(Wnd, &paint_); }
    ~TPaintDC() { EndPaint(wnd_, &paint_); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;

    HDC Handle() const { return dc_; }
    const PAINTSTRUCT& Paint() const { return paint_; }

private:
    HWND wnd_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An object selected into a DC for the life of this scope; the DC's previous object goes back.
class TSelectedObject {
public:
    TSelectedObject(HDC DC, HGDIOBJ Object) : dc_(DC), old_(Object ? SelectObject(DC, Object) : nullptr) {}
    ~TSelectedObject()
    {
        if (old_)
            SelectObject(dc_, old_);
    }
    TSelectedObject(const TSelectedObject&) = delete;
    TSelectedObject& operator=(const TSelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A DC's state (origin, clipping, selections, modes) as it was, put back on every path.
class TSavedDCState {
public:
    explicit TSavedDCState(HDC DC) : dc_(DC), saved_(SaveDC(DC)) {}
    ~TSavedDCState()
    {
        if (saved_)
            RestoreDC(dc_, saved_);
    }
    TSavedDCState(const TSavedDCState&) = delete;
    TSavedDCState& operator=(const TSavedDCState&) = delete;

private:
    HDC dc_;
    int saved_;
};

} // namespace cl
