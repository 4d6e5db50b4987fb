#pragma once
// Pictures: TGraphic, the common base, and TBitmap, a 24-bit bitmap. The pixels are the same
// on every host (rows of blue, green, red bytes, bottom row first, each padded to 4 bytes); on
// Windows they live in a DIB section, so GDI draws into them and a canvas exists as well.
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/classes/Classes.h"
#include "classlib/graphics/Color.h"
#include "classlib/system/Types.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace cl {

class TCanvas;

enum TTransparentMode { tmAuto, tmFixed };

class TGraphic : public TPersistent {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual void SetHeight(int Value) = 0;
    // No width or no height.
    virtual bool Empty() const { return Width() <= 0 || Height() <= 0; }

    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool Value);
    bool Modified() const { return modified_; }
    void SetModified(bool Value) { modified_ = Value; }

    virtual void LoadFromStream(TStream* Stream) = 0;
    virtual void SaveToStream(TStream* Stream) = 0;
    // The whole file: EFOpenError/EFCreateError when it cannot be opened or made.
    void LoadFromFile(const AnsiString& FileName);
    void SaveToFile(const AnsiString& FileName);

#ifdef _WIN32
    // Draws the picture into Rect of the canvas (stretched to it); the canvas calls this.
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
#endif

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    bool transparent_ = false;
    bool modified_ = false;
};

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int Value) override { SetSize(Value, height_); }
    void SetHeight(int Value) override { SetSize(width_, Value); }
    // Keeps the picture's top-left part that still fits; new area is white. Negative sizes
    // count as 0.
    void SetSize(int AWidth, int AHeight);

    // Row Row (0 = top) as Width blue-green-red triples; nullptr outside the picture.
    std::uint8_t* ScanLine(int Row);
    const std::uint8_t* ScanLine(int Row) const;
    static std::size_t RowStride(int AWidth);

    // The colour at (X, Y); -1 outside the picture, where setting does nothing.
    TColor Pixels(int X, int Y) const;
    void SetPixels(int X, int Y, TColor Value);
    // Every pixel set to one colour.
    void Fill(TColor Value);

    // The bottom-left pixel in tmAuto mode (clDefault when empty), else the fixed colour.
    TColor TransparentColor() const;
    // Fixes the colour and switches to tmFixed.
    void SetTransparentColor(TColor Value);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode Value);

    // One BMP file; consumes exactly the file's own length (see ReadBmp).
    void LoadFromStream(TStream* Stream) override;
    // A complete 24-bit BMP file; nothing for an empty bitmap.
    void SaveToStream(TStream* Stream) override;

    void Assign(TPersistent* Source) override;

#ifdef _WIN32
    // The DIB section; the bitmap keeps owning it.
    HBITMAP Handle() const { return handle_; }
    // A canvas over the bitmap; created on first use, valid until the bitmap is resized.
    TCanvas* Canvas();
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
#endif

protected:
    void Changed() override;

private:
    // Replaces the pixel store with a white one of this size and answers its first row.
    std::uint8_t* Allocate(int AWidth, int AHeight);
    void FlushDrawing() const;
    // Swaps in the pixels of a bitmap just read.
    void TakeOver(TBitmap& Source);

    int width_ = 0;
    int height_ = 0;
    std::uint8_t* bits_ = nullptr;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clDefault;
#ifdef _WIN32
    HBITMAP handle_ = nullptr;
    std::unique_ptr<TCanvas> canvas_;
    void ReleaseCanvas();
#else
    std::vector<std::uint8_t> store_;
#endif
};

}  // namespace cl
