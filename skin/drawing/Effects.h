#pragma once
// TskEffectBmp: a 24-bit top-down bitmap with direct pixel access, on which buttons, frames,
// menus and tabs compute their transitions (morphs) and image effects before drawing the
// result in one step. Pixels are blue, green, red; rows are padded to 4 bytes.
//
// Channel arithmetic is done in double precision and taken to the nearest integer with ties
// to even, then clamped to 0..255, so that a half-way blend (0 and 5 at K = 0.5) gives 2.
#include <cstddef>
#include <cstdint>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

namespace sk {

// Morph kinds and image effects, as the skin description text names them.
enum TskMorphKind { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush };
enum TskImageEffect { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };

// Each value below 0 becomes 0, above 255 becomes 255.
void ClampRGB(int& R, int& G, int& B);

class TskEffectBmp {
public:
    // A bitmap of that size (negative sizes count as 0); its pixels are black.
    TskEffectBmp(int AWidth, int AHeight);
    ~TskEffectBmp();
    TskEffectBmp(const TskEffectBmp&) = delete;
    TskEffectBmp& operator=(const TskEffectBmp&) = delete;

#ifdef _WIN32
    // A copy of the size and pixels of Bitmap. EInvalidGraphic when it is not a bitmap.
    static std::unique_ptr<TskEffectBmp> CreateFromHandle(HBITMAP Bitmap);
    // The DIB section; the effect bitmap keeps owning it (nullptr for an empty bitmap).
    HBITMAP Handle() const;
    // The header the section was made with; also what Draw hands to the device.
    const BITMAPINFO& Info() const;
    // The whole bitmap at (X, Y).
    void Draw(HDC DC, int X, int Y) const;
#endif

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Row stride in bytes: 3 * Width + Width mod 4, a multiple of 4.
    std::size_t RowInc() const { return rowInc_; }
    std::size_t Size() const { return rowInc_ * static_cast<std::size_t>(height_); }
    std::uint8_t* Bits() const { return bits_; }

    // 0x00RRGGBB as the three bytes lie in memory; -1 outside the bitmap, where SetPixel does
    // nothing.
    int GetPixel(int X, int Y) const;
    void SetPixel(int X, int Y, int Color);
    // Address of row Y (0 = top); nullptr outside the bitmap.
    std::uint8_t* ScanLine(int Y) const;
    // 3 * Width bytes of row Y out of or into Buffer; nothing for a row outside the bitmap.
    void GetLine(int Y, void* Buffer) const;
    void SetLine(int Y, const void* Buffer);

    // Morphs toward Target by the fraction K (0..1, clamped). Nothing unless Target has the
    // same width and height.
    void Morph(const TskEffectBmp& Target, double K);
    void MorphGradient(const TskEffectBmp& Target, double K);
    void MorphHGradient(const TskEffectBmp& Target, double K);
    void MorphVGradient(const TskEffectBmp& Target, double K);
    void MorphLeftGradient(const TskEffectBmp& Target, double K);
    void MorphRightGradient(const TskEffectBmp& Target, double K);
    void MorphLeftSlide(const TskEffectBmp& Target, double K);
    void MorphRightSlide(const TskEffectBmp& Target, double K);
    void MorphPush(const TskEffectBmp& Target, double K);
    // The morph of that kind; an unknown kind does nothing.
    void MorphByKind(TskMorphKind Kind, const TskEffectBmp& Target, double K);

    // K is clamped to 0..1.
    void ChangeBrightness(double K);
    void ChangeDarkness(double K);
    void GrayScale();
    // Monochrome noise of Amount levels around each pixel; nothing for Amount <= 0.
    void AddNoise(int Amount);
    void SplitBlur(int Amount);
    void Invert();
    // The effect a skin names for what is inactive, at the one strength every skinned window
    // uses for it.
    void ApplyImageEffect(TskImageEffect Effect);

    // Into Dest, which must be Height by Width (rotations) or Width by Height (flip); nothing
    // otherwise.
    void Rotate90CounterClockwise(TskEffectBmp& Dest) const;
    void Rotate90Clockwise(TskEffectBmp& Dest) const;
    void FlipVertical(TskEffectBmp& Dest) const;

private:
    struct TStore;
    bool SameSize(const TskEffectBmp& Other) const
    {
        return Other.width_ == width_ && Other.height_ == height_;
    }

    int width_ = 0;
    int height_ = 0;
    std::size_t rowInc_ = 0;
    std::uint8_t* bits_ = nullptr;
    std::unique_ptr<TStore> store_;
};

}  // namespace sk
