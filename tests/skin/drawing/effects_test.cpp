// The pixel arithmetic of the effect bitmap, against values worked out by hand. Several cases
// sit exactly half-way between two levels: they must go to the even neighbour.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "classlib/system/SysUtils.h"
#include "skin/drawing/Effects.h"

using sk::TskEffectBmp;

namespace {

// A bitmap whose pixels are grey levels given row by row.
void Fill(TskEffectBmp& Bmp, const std::vector<int>& Levels)
{
    for (int y = 0; y < Bmp.Height(); ++y)
        for (int x = 0; x < Bmp.Width(); ++x) {
            const int v = Levels[y * Bmp.Width() + x];
            Bmp.SetPixel(x, y, v | (v << 8) | (v << 16));
        }
}

void FillAll(TskEffectBmp& Bmp, int Level)
{
    Fill(Bmp, std::vector<int>(Bmp.Width() * Bmp.Height(), Level));
}

// The grey levels row by row; -1 where the three channels differ.
std::vector<int> Levels(const TskEffectBmp& Bmp)
{
    std::vector<int> out;
    for (int y = 0; y < Bmp.Height(); ++y)
        for (int x = 0; x < Bmp.Width(); ++x) {
            const int p = Bmp.GetPixel(x, y);
            const int b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF;
            out.push_back(b == g && g == r ? b : -1);
        }
    return out;
}

using V = std::vector<int>;

// nearest(A + B) with A, B and their sum each rounded to double, as on a plain double unit
// (the x87 unit would otherwise keep more bits and round some near-ties the other way).
int NearestOfSum(double A, double B)
{
    volatile double a = A;
    volatile double b = B;
    volatile double sum = a + b;
    return static_cast<int>(std::nearbyint(sum));
}

}  // namespace

TEST(EffectBmp, LayoutAndPixelAccessStayInside)
{
    TskEffectBmp bmp(5, 3);
    EXPECT_EQ(bmp.RowInc(), 16u);  // 3 * 5 + 5 mod 4
    EXPECT_EQ(bmp.Size(), 48u);
    bmp.SetPixel(4, 2, 0x123456);
    EXPECT_EQ(bmp.GetPixel(4, 2), 0x123456);
    EXPECT_EQ(bmp.ScanLine(2)[12], 0x56);  // blue first in memory
    EXPECT_EQ(bmp.GetPixel(5, 0), -1);
    EXPECT_EQ(bmp.GetPixel(0, -1), -1);
    bmp.SetPixel(-1, 0, 0xFFFFFF);
    bmp.SetPixel(0, 3, 0xFFFFFF);
    EXPECT_EQ(bmp.ScanLine(3), nullptr);

    TskEffectBmp empty(-4, 7);
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.Height(), 0);
    empty.Invert();
    empty.SplitBlur(3);
    empty.AddNoise(50);
}

TEST(EffectBmp, MorphBlendsWithTiesToEven)
{
    TskEffectBmp own(4, 1), target(4, 1);
    Fill(own, {0, 0, 1, 2});
    Fill(target, {5, 7, 2, 3});
    own.Morph(target, 0.5);
    // 2.5 -> 2, 3.5 -> 4, 1.5 -> 2, 2.5 -> 2
    EXPECT_EQ(Levels(own), (V{2, 4, 2, 2}));
}

TEST(EffectBmp, MorphClampsK)
{
    TskEffectBmp own(2, 2), target(2, 2);
    Fill(target, {10, 20, 30, 40});
    for (double k : {0.0, -1.0}) {
        Fill(own, {1, 2, 3, 4});
        own.Morph(target, k);
        EXPECT_EQ(Levels(own), (V{1, 2, 3, 4})) << k;
    }
    for (double k : {1.0, 1.5}) {
        Fill(own, {1, 2, 3, 4});
        own.Morph(target, k);
        EXPECT_EQ(Levels(own), (V{10, 20, 30, 40})) << k;
    }
}

TEST(EffectBmp, EveryMorphIgnoresATargetOfAnotherSize)
{
    TskEffectBmp own(4, 2), wider(5, 2), taller(4, 3);
    FillAll(wider, 200);
    FillAll(taller, 200);
    for (int kind = sk::mkDefault; kind <= sk::mkPush; ++kind) {
        FillAll(own, 9);
        own.MorphByKind(static_cast<sk::TskMorphKind>(kind), wider, 0.5);
        own.MorphByKind(static_cast<sk::TskMorphKind>(kind), taller, 0.5);
        EXPECT_EQ(Levels(own), V(8, 9)) << kind;
    }
}

TEST(EffectBmp, MorphsOfOnePixelAndOneColumnStayInside)
{
    for (auto [w, h] : {std::pair{1, 1}, std::pair{1, 4}, std::pair{4, 1}}) {
        for (int kind = sk::mkDefault; kind <= sk::mkPush; ++kind)
            for (double k : {0.0, 0.5, 1.0}) {
                TskEffectBmp own(w, h), target(w, h);
                FillAll(own, 1);
                FillAll(target, 2);
                own.MorphByKind(static_cast<sk::TskMorphKind>(kind), target, k);
                for (int v : Levels(own))
                    EXPECT_TRUE(v == 1 || v == 2) << kind << " " << w << "x" << h;
            }
    }
}

TEST(EffectBmp, HorizontalGradientFadesFromTheCentre)
{
    TskEffectBmp own(5, 1), target(5, 1);
    FillAll(target, 7);
    // D = 1, Steps = 2, Inc = 0.5: column 2 from the target, then half-way, then own.
    FillAll(own, 0);
    own.MorphGradient(target, 0.2);
    EXPECT_EQ(Levels(own), (V{0, 4, 7, 4, 0}));
    // K = 0 still shows the centre column.
    FillAll(own, 0);
    own.MorphHGradient(target, 0);
    EXPECT_EQ(Levels(own), (V{0, 4, 7, 4, 0}));
    FillAll(own, 0);
    own.MorphHGradient(target, 1);
    EXPECT_EQ(Levels(own), V(5, 7));
}

TEST(EffectBmp, VerticalGradientForTallBitmaps)
{
    TskEffectBmp own(1, 7), target(1, 7);
    FillAll(target, 9);
    FillAll(own, 0);
    // D = 0, Steps = 3, Inc = 1/3.
    own.MorphGradient(target, 0);
    EXPECT_EQ(Levels(own), (V{0, 3, 6, 9, 6, 3, 0}));

    TskEffectBmp own5(1, 5), target5(1, 5);
    FillAll(target5, 7);
    FillAll(own5, 0);
    // D = 1, Steps = 1, Inc = 1: only the centre row changes.
    own5.MorphVGradient(target5, 0.2);
    EXPECT_EQ(Levels(own5), (V{0, 0, 7, 0, 0}));
}

TEST(EffectBmp, SideGradients)
{
    TskEffectBmp own(4, 1), target(4, 1);
    FillAll(target, 7);
    FillAll(own, 0);
    own.MorphLeftGradient(target, 0.5);
    EXPECT_EQ(Levels(own), (V{7, 4, 0, 0}));
    FillAll(own, 0);
    own.MorphRightGradient(target, 0.5);
    EXPECT_EQ(Levels(own), (V{0, 0, 4, 7}));
    FillAll(own, 0);
    own.MorphRightGradient(target, 1);
    EXPECT_EQ(Levels(own), (V{2, 4, 5, 7}));  // 1.75, 3.5, 5.25, 7
}

TEST(EffectBmp, SlidesAndPush)
{
    TskEffectBmp own(4, 1), target(4, 1);
    Fill(target, {10, 11, 12, 13});

    Fill(own, {1, 2, 3, 4});
    own.MorphLeftSlide(target, 0);  // at least one column
    EXPECT_EQ(Levels(own), (V{13, 2, 3, 4}));
    Fill(own, {1, 2, 3, 4});
    own.MorphLeftSlide(target, 0.5);
    EXPECT_EQ(Levels(own), (V{12, 13, 3, 4}));
    Fill(own, {1, 2, 3, 4});
    own.MorphRightSlide(target, 1);  // at most Width - 1 columns
    EXPECT_EQ(Levels(own), (V{1, 10, 11, 12}));

    Fill(own, {1, 2, 3, 4});
    own.MorphPush(target, 0);
    EXPECT_EQ(Levels(own), (V{13, 1, 2, 3}));
    Fill(own, {1, 2, 3, 4});
    own.MorphPush(target, 0.5);
    EXPECT_EQ(Levels(own), (V{11, 12, 13, 1}));
}

TEST(EffectBmp, BrightnessDarknessInvert)
{
    TskEffectBmp bmp(3, 1);
    Fill(bmp, {0, 1, 255});
    bmp.ChangeBrightness(0.5);
    EXPECT_EQ(Levels(bmp), (V{128, 128, 255}));  // 127.5 -> 128, 128.0
    Fill(bmp, {5, 7, 255});
    bmp.ChangeDarkness(0.5);
    EXPECT_EQ(Levels(bmp), (V{2, 4, 128}));  // 2.5 -> 2, 3.5 -> 4, 127.5 -> 128
    Fill(bmp, {5, 7, 255});
    bmp.ChangeDarkness(1);
    EXPECT_EQ(Levels(bmp), (V{0, 0, 0}));
    Fill(bmp, {5, 7, 255});
    bmp.ChangeDarkness(-2);
    EXPECT_EQ(Levels(bmp), (V{5, 7, 255}));
    bmp.ChangeBrightness(3);
    EXPECT_EQ(Levels(bmp), (V{255, 255, 255}));

    bmp.SetPixel(0, 0, 0x102030);
    bmp.Invert();
    EXPECT_EQ(bmp.GetPixel(0, 0), 0xEFDFCF);
    bmp.Invert();
    EXPECT_EQ(bmp.GetPixel(0, 0), 0x102030);
}

TEST(EffectBmp, GrayScaleWeightsChannels)
{
    TskEffectBmp bmp(3, 1);
    bmp.SetPixel(0, 0, 0xFF0000);  // red 255: 76.5 -> 76
    bmp.SetPixel(1, 0, 0x00FF00);  // green 255: 150.45
    bmp.SetPixel(2, 0, 0x0000FF);  // blue 255: 28.05
    bmp.GrayScale();
    EXPECT_EQ(Levels(bmp), (V{76, 150, 28}));
}

TEST(EffectBmp, NoiseIsMonochromeAndBounded)
{
    TskEffectBmp bmp(32, 8);
    FillAll(bmp, 128);
    bmp.AddNoise(0);
    bmp.AddNoise(-10);
    bmp.AddNoise(1);  // Random(1) - 0 is always 0
    EXPECT_EQ(Levels(bmp), V(256, 128));

    cl::RandSeed = 12345;
    bmp.AddNoise(50);
    bool changed = false;
    for (int v : Levels(bmp)) {
        ASSERT_NE(v, -1);  // the same offset on all three channels
        EXPECT_GE(v, 128 - 25);
        EXPECT_LE(v, 128 + 24);
        changed |= v != 128;
    }
    EXPECT_TRUE(changed);

    FillAll(bmp, 250);
    bmp.AddNoise(200);
    for (int v : Levels(bmp))
        EXPECT_TRUE(v >= 150 && v <= 255);
}

TEST(EffectBmp, SplitBlurReadsChangedPixelsAndStaysInside)
{
    TskEffectBmp row(3, 1);
    Fill(row, {0, 40, 80});
    row.SplitBlur(0);
    EXPECT_EQ(Levels(row), (V{0, 40, 80}));
    row.SplitBlur(1);
    EXPECT_EQ(Levels(row), (V{20, 50, 50}));

    // Amount beyond the size: the first row and column would reach one past the end.
    TskEffectBmp square(2, 2);
    Fill(square, {0, 40, 80, 120});
    square.SplitBlur(5);
    EXPECT_EQ(Levels(square), (V{60, 80, 100, 120}));

    Fill(square, {0, 40, 80, 120});
    square.SplitBlur(-3);
    for (int v : Levels(square))
        EXPECT_TRUE(v >= 0 && v <= 120);
}

TEST(EffectBmp, RotationsAndFlip)
{
    TskEffectBmp src(3, 2);
    Fill(src, {1, 2, 3, 4, 5, 6});
    TskEffectBmp ccw(2, 3), cw(2, 3), flip(3, 2);
    src.Rotate90CounterClockwise(ccw);
    EXPECT_EQ(Levels(ccw), (V{3, 6, 2, 5, 1, 4}));
    src.Rotate90Clockwise(cw);
    EXPECT_EQ(Levels(cw), (V{4, 1, 5, 2, 6, 3}));
    src.FlipVertical(flip);
    EXPECT_EQ(Levels(flip), (V{4, 5, 6, 1, 2, 3}));

    TskEffectBmp wrong(3, 2);
    FillAll(wrong, 9);
    src.Rotate90Clockwise(wrong);
    TskEffectBmp wrongFlip(2, 3);
    FillAll(wrongFlip, 9);
    src.FlipVertical(wrongFlip);
    EXPECT_EQ(Levels(wrong), V(6, 9));
    EXPECT_EQ(Levels(wrongFlip), V(6, 9));
}

TEST(EffectBmp, WideRowsBlendLikeSinglePixels)
{
    // Rows long enough for the blocked loop: every channel must still get exactly
    // nearest((1 - K) * own + K * target), ties to even, in its own place.
    const int w = 37, h = 3;
    TskEffectBmp own(w, h), target(w, h), expected(w, h);
    for (int y = 0; y < h; ++y)
        for (int i = 0; i < 3 * w; ++i) {
            own.ScanLine(y)[i] = static_cast<std::uint8_t>((i * 37 + y * 11) % 256);
            target.ScanLine(y)[i] = static_cast<std::uint8_t>((i * 101 + y * 7 + 5) % 256);
        }
    for (int step = 0; step <= 40; ++step) {
        const double k = step / 40.0;
        for (int y = 0; y < h; ++y)
            for (int i = 0; i < 3 * w; ++i)
                expected.ScanLine(y)[i] = static_cast<std::uint8_t>(
                    NearestOfSum((1 - k) * own.ScanLine(y)[i], k * target.ScanLine(y)[i]));
        TskEffectBmp work(w, h);
        for (int y = 0; y < h; ++y)
            work.SetLine(y, own.ScanLine(y));
        work.Morph(target, k);
        for (int y = 0; y < h; ++y)
            ASSERT_EQ(0, std::memcmp(work.ScanLine(y), expected.ScanLine(y), 3 * w)) << k << " row " << y;
    }
    // The left gradient over the first half, the right half untouched.
    TskEffectBmp work(w, h);
    for (int y = 0; y < h; ++y)
        work.SetLine(y, own.ScanLine(y));
    work.MorphLeftGradient(target, 0.5);  // D = 18 (18.5 to even), Inc = 1/18
    double f = 0;
    for (int x = 0; x <= 18; ++x) {
        for (int c = 0; c < 3; ++c) {
            const int want = NearestOfSum(f * own.ScanLine(1)[3 * x + c], (1 - f) * target.ScanLine(1)[3 * x + c]);
            ASSERT_EQ(work.ScanLine(1)[3 * x + c], want) << "column " << x;
        }
        f = std::min(f + 1.0 / 18, 1.0);
    }
    EXPECT_EQ(0, std::memcmp(work.ScanLine(1) + 3 * 19, own.ScanLine(1) + 3 * 19, 3 * (w - 19)));
}

TEST(EffectBmp, SplitBlurOfWideBitmapsMatchesThePixelRule)
{
    // The rule pixel by pixel, in place, every neighbour kept inside the bitmap.
    auto reference = [](std::vector<int>& Px, int W, int H, int A) {
        auto at = [&](int X, int Y) -> int& { return Px[(std::clamp(Y, 0, H - 1) * W + std::clamp(X, 0, W - 1))]; };
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const int up = y - A < 0 ? y : y - A, down = y + A >= H ? H - y : y + A;
                const int left = x - A < 0 ? x : x - A, right = x + A >= W ? W - x : x + A;
                at(x, y) = (at(left, up) + at(left, down) + at(right, up) + at(right, down)) / 4;
            }
    };
    for (int amount : {1, 2, 5}) {
        const int w = 40, h = 6;
        TskEffectBmp bmp(w, h);
        std::vector<int> levels(w * h);
        for (int i = 0; i < w * h; ++i)
            levels[i] = (i * 73 + 19) % 256;
        Fill(bmp, levels);
        bmp.SplitBlur(amount);
        reference(levels, w, h, amount);
        EXPECT_EQ(Levels(bmp), levels) << amount;
    }
}
