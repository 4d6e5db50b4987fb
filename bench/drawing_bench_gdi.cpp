// Composing a nine-part image against one BitBlt of the same size; regions from masks against
// a region of one rectangle.
#include <cstdio>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Canvas.h"
#include "skin/drawing/MaskRegion.h"
#include "skin/drawing/Utils.h"

#include "bench/drawing_bench.h"
#include "skin/drawing/masks.h"

namespace bench {

namespace {

constexpr int W = 1023;
constexpr int H = 721;

void ComposeWithTiles(int Tile, double BlitSeconds)
{
    // Corners of 8 pixels around edges and a client whose runs are Tile pixels long.
    const int side = 16 + Tile;
    cl::TBitmap picture;
    picture.SetSize(side, side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            picture.SetPixels(x, y, cl::RGBColor(static_cast<std::uint8_t>(x * 3), static_cast<std::uint8_t>(y * 5), 7));
    const cl::TRect area = cl::Rect(0, 0, side, side);
    const sk::TskAreaPoints points{{8, 8}, {8 + Tile, 8}, {8, 8 + Tile}, {8 + Tile, 8 + Tile},
                                   cl::Rect(8, 8, 8 + Tile, 8 + Tile)};
    const sk::TskAreaPoints fitted = sk::FitNinePart(points, area, W, H);
    cl::TBitmap dest;
    const double t = Median(15, [&] {
        sk::ComposeSkinImage(points, fitted, &dest, &picture, area, W, H, true);
        GdiFlush();
    });
    // Tiles of 16 and more: within 4 times one copy. Smaller tiles are reported only.
    Report("compose_ninepart_1023x721_tile" + std::to_string(Tile), t * 1e3, "ms", BlitSeconds * 1e3,
           Tile >= 16 ? "4" : "-");
}

}  // namespace

void RunComposers()
{
    cl::TBitmap a, b;
    a.SetSize(W, H);
    b.SetSize(W, H);
    const double blit = Median(15, [&] {
        BitBlt(b.Canvas()->Handle(), 0, 0, W, H, a.Canvas()->Handle(), 0, 0, SRCCOPY);
        GdiFlush();
    });
    for (int tile : {1, 4, 16, 64})
        ComposeWithTiles(tile, blit);
}

void RunRegions()
{
    const double one = Median(101, [] { DeleteObject(CreateRectRgn(0, 0, 1040, 760)); });

    cl::TBitmap rounded;
    sktest::RoundedMask(rounded, 1040, 760, 12);
    const double r = Median(21, [&] { sk::CreateRegionFromMask(&rounded); });
    // The budget is absolute (under 2 ms, whatever one rectangle costs): reported only.
    Report("region_rounded_1040x760", r * 1e3, "ms", one * 1e3, "-");

    // 10,000 runs that merge with nothing: a checkerboard of 200 by 100.
    cl::TBitmap checker;
    checker.SetSize(200, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = y % 2; x < 200; x += 2)
            checker.SetPixels(x, y, cl::clBlack);
    const double c = Median(7, [&] { sk::CreateRegionFromMask(&checker); });
    Report("region_worst_10000_rects", c * 1e3, "ms", one * 1e3, "-");
    // The same rectangles given to the platform at once, for comparison.
    const std::vector<std::uint8_t> data = sk::BuildMaskRegionData(checker, 0, 0);
    const double direct = Median(3, [&] {
        DeleteObject(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
    });
    Report("region_worst_10000_rects_single_call", direct * 1e3, "ms", one * 1e3, "-");
    std::printf("BENCH region_worst_10000_rects_vs_single_call value=%.4g unit=ms ref=%.4g ratio=%.3g target=1\n",
                c * 1e3, direct * 1e3, c / direct);
}

}  // namespace bench
