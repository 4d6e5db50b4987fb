#include "classlib/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>

#include "classlib/graphics/BmpFormat.h"
#include "classlib/system/CoreConsts.h"
#include "classlib/graphics/Error.h"

#ifdef _WIN32
#include "classlib/graphics/Canvas.h"
#endif

namespace cl {

// ---------------------------------------------------------------------------------------------
// TGraphic

void TGraphic::SetTransparent(bool Value)
{
    if (Value == transparent_)
        return;
    transparent_ = Value;
    Changed();
}

void TGraphic::Changed()
{
    modified_ = true;
    if (OnChange)
        OnChange(this);
}

void TGraphic::LoadFromFile(const AnsiString& FileName)
{
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const AnsiString& FileName)
{
    TFileStream stream(FileName, fmCreate);
    SaveToStream(&stream);
}

// ---------------------------------------------------------------------------------------------
// TBitmap: pixel store

TBitmap::TBitmap() = default;

TBitmap::~TBitmap()
{
#ifdef _WIN32
    ReleaseCanvas();
    if (handle_)
        DeleteObject(handle_);
#endif
}

std::size_t TBitmap::RowStride(int AWidth) { return BmpRowStride(AWidth); }

std::uint8_t* TBitmap::Allocate(int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    const std::size_t size = RowStride(AWidth) * static_cast<std::size_t>(AHeight);
#ifdef _WIN32
    ReleaseCanvas();
    HBITMAP fresh = nullptr;
    void* freshBits = nullptr;
    if (size) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = AWidth;
        info.bmiHeader.biHeight = AHeight;  // positive: bottom row first, as in the file
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        fresh = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &freshBits, nullptr, 0);
        if (!fresh)
            throw EOutOfResources(consts::SOutOfResources);
    }
    if (handle_)
        DeleteObject(handle_);
    handle_ = fresh;
    bits_ = static_cast<std::uint8_t*>(freshBits);
#else
    store_.assign(size, 0);
    store_.shrink_to_fit();
    bits_ = size ? store_.data() : nullptr;
#endif
    width_ = AWidth;
    height_ = AHeight;
    if (bits_) {
        // White pixels; the row padding stays zero so that written files do not vary.
        const std::size_t stride = RowStride(AWidth);
        const std::size_t used = static_cast<std::size_t>(AWidth) * 3;
        for (int row = 0; row < AHeight; ++row) {
            std::memset(bits_ + row * stride, 0xFF, used);
            std::memset(bits_ + row * stride + used, 0, stride - used);
        }
    }
    return bits_;
}

void TBitmap::FlushDrawing() const
{
#ifdef _WIN32
    // GDI may batch drawing into the DIB section; pixels are read directly.
    GdiFlush();
#endif
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth == width_ && AHeight == height_)
        return;
    FlushDrawing();
    const int oldWidth = width_;
    const int oldHeight = height_;
    std::vector<std::uint8_t> old;
    if (bits_)
        old.assign(bits_, bits_ + RowStride(oldWidth) * oldHeight);
    Allocate(AWidth, AHeight);
    const int keepWidth = std::min(oldWidth, width_);
    const int keepHeight = std::min(oldHeight, height_);
    for (int row = 0; row < keepHeight; ++row) {
        const std::uint8_t* src = old.data() + RowStride(oldWidth) * (oldHeight - 1 - row);
        std::memcpy(ScanLine(row), src, static_cast<std::size_t>(keepWidth) * 3);
    }
    Changed();
}

std::uint8_t* TBitmap::ScanLine(int Row)
{
    if (!bits_ || Row < 0 || Row >= height_)
        return nullptr;
    FlushDrawing();
    return bits_ + RowStride(width_) * static_cast<std::size_t>(height_ - 1 - Row);
}

const std::uint8_t* TBitmap::ScanLine(int Row) const
{
    return const_cast<TBitmap*>(this)->ScanLine(Row);
}

TColor TBitmap::Pixels(int X, int Y) const
{
    if (X < 0 || X >= width_)
        return -1;
    const std::uint8_t* row = ScanLine(Y);
    if (!row)
        return -1;
    const std::uint8_t* p = row + X * 3;
    return RGBColor(p[2], p[1], p[0]);
}

void TBitmap::SetPixels(int X, int Y, TColor Value)
{
    if (X < 0 || X >= width_)
        return;
    std::uint8_t* row = ScanLine(Y);
    if (!row)
        return;
    const TColor rgb = ColorToRGB(Value);
    std::uint8_t* p = row + X * 3;
    p[0] = GetBlue(rgb);
    p[1] = GetGreen(rgb);
    p[2] = GetRed(rgb);
    Changed();
}

void TBitmap::Fill(TColor Value)
{
    const TColor rgb = ColorToRGB(Value);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* p = ScanLine(y);
        for (int x = 0; x < width_; ++x, p += 3) {
            p[0] = GetBlue(rgb);
            p[1] = GetGreen(rgb);
            p[2] = GetRed(rgb);
        }
    }
    Changed();
}

// ---------------------------------------------------------------------------------------------
// Transparency

TColor TBitmap::TransparentColor() const
{
    if (transparentMode_ == tmFixed)
        return ColorToRGB(transparentColor_);
    if (Empty())
        return clDefault;
    return Pixels(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor Value)
{
    transparentColor_ = Value;
    transparentMode_ = Value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
    if (Value == transparentMode_)
        return;
    transparentMode_ = Value;
    if (Value == tmAuto)
        transparentColor_ = clDefault;
    else if (transparentColor_ == clDefault)
        transparentColor_ = TransparentColor() == clDefault ? clWhite : Pixels(0, height_ - 1);
    Changed();
}

// ---------------------------------------------------------------------------------------------
// Streams

void TBitmap::LoadFromStream(TStream* Stream)
{
    // Read into a fresh bitmap first, so a damaged file leaves this one unchanged.
    TBitmap loaded;
    ReadBmp([Stream](void* buffer, std::size_t count) { Stream->ReadBuffer(buffer, static_cast<int>(count)); },
            [&loaded](int w, int h) { return loaded.Allocate(w, h); });
    TakeOver(loaded);
}

void TBitmap::SaveToStream(TStream* Stream)
{
    if (Empty())
        return;
    FlushDrawing();
    WriteBmp([Stream](const void* buffer, std::size_t count) { Stream->WriteBuffer(buffer, static_cast<int>(count)); },
             width_, height_, bits_);
}

void TBitmap::TakeOver(TBitmap& Source)
{
#ifdef _WIN32
    ReleaseCanvas();
    Source.ReleaseCanvas();
    std::swap(handle_, Source.handle_);
#else
    std::swap(store_, Source.store_);
#endif
    std::swap(bits_, Source.bits_);
    std::swap(width_, Source.width_);
    std::swap(height_, Source.height_);
    Changed();
}

void TBitmap::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TBitmap*>(Source);
    if (!source) {
        TGraphic::Assign(Source);
        return;
    }
    if (source == this)
        return;
    source->FlushDrawing();
    Allocate(source->width_, source->height_);
    if (bits_)
        std::memcpy(bits_, source->bits_, RowStride(width_) * static_cast<std::size_t>(height_));
    transparentMode_ = source->transparentMode_;
    transparentColor_ = source->transparentColor_;
    SetTransparent(source->Transparent());
    Changed();
}

void TBitmap::Changed() { TGraphic::Changed(); }

#ifdef _WIN32
void TBitmap::ReleaseCanvas()
{
    // The canvas's DC holds the DIB section selected: it goes before the section does.
    canvas_.reset();
}

TCanvas* TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TMemoryCanvas>(handle_);
    return canvas_.get();
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (Empty())
        return;
    HDC dest = ACanvas->Handle();
    HDC source = Canvas()->Handle();
    const int oldMode = SetStretchBltMode(dest, COLORONCOLOR);
    if (Transparent()) {
        const TColor key = TransparentColor();
        // GDI's own entry of the call: the library that exports it under its usual name
        // only forwards here, and loading it would cost every start.
        GdiTransparentBlt(dest, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), source, 0, 0, width_, height_,
                          static_cast<UINT>(key & 0x00FFFFFF));
    } else {
        StretchBlt(dest, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), source, 0, 0, width_, height_,
                   ACanvas->CopyMode());
    }
    SetStretchBltMode(dest, oldMode);
}
#endif

}  // namespace cl
