// The skin-image composers against images worked out by hand. The skin picture gives every
// pixel its own colour, so each composed pixel names the picture pixel it came from.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Canvas.h"
#include "skin/drawing/Utils.h"

using cl::Rect;
using cl::TBitmap;
using cl::TRect;

namespace {

constexpr cl::TColor Unset = 0xFFFFFF;  // new bitmaps are white

int Red(cl::TColor C) { return C & 0xFF; }
int Green(cl::TColor C) { return (C >> 8) & 0xFF; }
int Blue(cl::TColor C) { return (C >> 16) & 0xFF; }

cl::TColor Code(int X, int Y)
{
    return cl::RGBColor(static_cast<std::uint8_t>(10 + X), static_cast<std::uint8_t>(10 + Y), 0x40);
}

// A 12 by 10 picture whose pixel (x, y) has the colour Code(x, y).
void MakePicture(TBitmap& Picture)
{
    Picture.SetSize(12, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            Picture.SetPixels(x, y, Code(x, y));
}

// The expected image, painted part by part in the composer's order: each part lists, per
// destination column and row, the picture column and row it shows.
class TExpected {
public:
    TExpected(int W, int H) : w_(W), h_(H), pixels_(static_cast<std::size_t>(W * H), Unset) {}
    TExpected& Part(int X0, int Y0, std::vector<int> Cols, std::vector<int> Rows)
    {
        for (std::size_t j = 0; j < Rows.size(); ++j)
            for (std::size_t i = 0; i < Cols.size(); ++i)
                pixels_[(Y0 + j) * w_ + X0 + i] = Code(Cols[i], Rows[j]);
        return *this;
    }
    void Check(const TBitmap& Image) const
    {
        ASSERT_EQ(Image.Width(), w_);
        ASSERT_EQ(Image.Height(), h_);
        int wrong = 0;
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                const cl::TColor want = pixels_[y * w_ + x];
                const cl::TColor got = Image.Pixels(x, y);
                if (got != want && ++wrong <= 5)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << "): got " << Describe(got) << ", want "
                                  << Describe(want);
            }
        EXPECT_EQ(wrong, 0);
    }

private:
    static std::string Describe(cl::TColor C)
    {
        if (C == Unset)
            return "white";
        return "picture (" + std::to_string(Red(C) - 10) + ", " + std::to_string(Green(C) - 10) + ")";
    }
    int w_, h_;
    std::vector<cl::TColor> pixels_;
};

std::vector<int> Span(int From, int To)
{
    std::vector<int> v;
    for (int i = From; i < To; ++i)
        v.push_back(i);
    return v;
}

// The skin area (2, 1, 10, 8) of the picture: 8 by 7, borders 2 pixels wide, top and bottom
// edges with tiles of 2 pixels, side edges with tiles of 1 pixel, a client of 4 by 3.
const TRect Area = Rect(2, 1, 10, 8);
const sk::TskAreaPoints Points{{3, 3}, {5, 3}, {3, 4}, {5, 4}, Rect(2, 2, 6, 5)};

// Picture columns and rows of the area's own (relative) columns and rows.
std::vector<int> Cols(std::vector<int> Relative)
{
    for (int& c : Relative)
        c += Area.Left;
    return Relative;
}
std::vector<int> Rows(std::vector<int> Relative)
{
    for (int& r : Relative)
        r += Area.Top;
    return Relative;
}

TBitmap& Picture()
{
    static TBitmap picture;
    if (picture.Empty())
        MakePicture(picture);
    return picture;
}

}  // namespace

TEST(ComposeSkinImage, LargerThanTheAreaTilesEdgesAndClient)
{
    TBitmap dest;
    sk::ComposeSkinImage(Points, sk::FitNinePart(Points, Area, 13, 9), &dest, &Picture(), Area, 13, 9, true);
    TExpected e(13, 9);
    // Edges: top and bottom tiles of 2 over 7 columns (the last one cut), sides 1-pixel tiles.
    e.Part(3, 0, Cols({3, 4, 3, 4, 3, 4, 3}), Rows({0, 1}))
        .Part(3, 7, Cols({3, 4, 3, 4, 3, 4, 3}), Rows({5, 6}))
        .Part(0, 3, Cols({0, 1}), Rows({3, 3, 3}))
        .Part(11, 3, Cols({6, 7}), Rows({3, 3, 3}));
    // Corners.
    e.Part(0, 0, Cols({0, 1, 2}), Rows({0, 1}))
        .Part(0, 2, Cols({0, 1}), Rows({2}))
        .Part(10, 0, Cols({5, 6, 7}), Rows({0, 1}))
        .Part(11, 2, Cols({6, 7}), Rows({2}))
        .Part(0, 6, Cols({0, 1}), Rows({4, 5, 6}))
        .Part(2, 7, Cols({2}), Rows({5, 6}))
        .Part(10, 7, Cols({5, 6, 7}), Rows({5, 6}))
        .Part(11, 6, Cols({6, 7}), Rows({4}));
    // Client: 4 by 3 tiles over 9 by 5, cut at the right and bottom.
    e.Part(2, 2, Cols({2, 3, 4, 5, 2, 3, 4, 5, 2}), Rows({2, 3, 4, 2, 3}));
    e.Check(dest);
}

TEST(ComposeSkinImage, AtTheAreasSizeCopiesTheArea)
{
    TBitmap dest;
    sk::ComposeSkinImage(Points, Points, &dest, &Picture(), Area, 8, 7, true);
    TExpected e(8, 7);
    e.Part(0, 0, Span(2, 10), Span(1, 8));
    e.Check(dest);
}

TEST(ComposeSkinImage, WithoutClientLeavesItWhite)
{
    TBitmap dest;
    sk::ComposeSkinImage(Points, Points, &dest, &Picture(), Area, 8, 7, false);
    TExpected e(8, 7);
    e.Part(0, 0, Span(2, 10), Span(1, 8));
    for (int y = 2; y < 5; ++y)
        for (int x = 2; x < 6; ++x)
            EXPECT_EQ(dest.Pixels(x, y), Unset);
}

TEST(ComposeSkinImage, SmallerThanItsCornersDrawsNoMirroredParts)
{
    // 4 by 3: the edges' spans are negative and the client null; only the corners are drawn,
    // each over what came before.
    TBitmap dest;
    sk::ComposeSkinImage(Points, sk::FitNinePart(Points, Area, 4, 3), &dest, &Picture(), Area, 4, 3, true);
    TExpected e(4, 3);
    e.Part(0, 0, Cols({0, 1, 2}), Rows({0, 1}))
        .Part(0, 2, Cols({0, 1}), Rows({2}))
        .Part(1, 0, Cols({5, 6, 7}), Rows({0, 1}))
        .Part(2, 2, Cols({6, 7}), Rows({2}))
        .Part(0, 0, Cols({0, 1}), Rows({4, 5, 6}))
        .Part(2, 1, Cols({2}), Rows({5, 6}))
        .Part(1, 1, Cols({5, 6, 7}), Rows({5, 6}))
        .Part(2, 0, Cols({6, 7}), Rows({4}));
    e.Check(dest);
}

TEST(ComposeSkinImage, NoEdgeBetweenCornersLeavesDestResizedButUndrawn)
{
    sk::TskAreaPoints flat = Points;
    flat.RBPoint.X = flat.LTPoint.X;
    TBitmap dest;
    sk::ComposeSkinImage(flat, flat, &dest, &Picture(), Area, 9, 6, true);
    TExpected(9, 6).Check(dest);

    TBitmap empty;
    sk::ComposeSkinImage(Points, Points, &dest, &empty, Area, 5, 4, true);
    TExpected(5, 4).Check(dest);
}

TEST(ComposeSkinImage, AreaPartlyOutsideThePictureIsClipped)
{
    // Every pixel is either white or a pixel of the picture; nothing else is read.
    TBitmap dest;
    const TRect outside = Rect(6, 5, 14, 12);
    sk::ComposeSkinImage(Points, sk::FitNinePart(Points, outside, 20, 15), &dest, &Picture(), outside, 20, 15, true);
    EXPECT_EQ(dest.Pixels(0, 0), Code(6, 5));
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x) {
            const cl::TColor c = dest.Pixels(x, y);
            EXPECT_TRUE(c == Unset || (Blue(c) == 0x40 && Red(c) < 22 && Green(c) < 20));
        }
}

TEST(ComposeSkinImageEx, StretchedEdges)
{
    // Top and left stretched, bottom and right tiled; the top edge of 2 pixels over 4 columns,
    // the left edge of 1 pixel over 3 rows.
    TBitmap dest;
    sk::ComposeSkinImageEx(Points, sk::FitNinePart(Points, Area, 10, 9), &dest, &Picture(), Area, 10, 9, false, true,
                           true, false, false);
    TExpected e(10, 9);
    e.Part(3, 0, Cols({3, 3, 4, 4}), Rows({0, 1}))
        .Part(3, 7, Cols({3, 4, 3, 4}), Rows({5, 6}))
        .Part(0, 3, Cols({0, 1}), Rows({3, 3, 3}))
        .Part(8, 3, Cols({6, 7}), Rows({3, 3, 3}));
    e.Part(0, 0, Cols({0, 1, 2}), Rows({0, 1}))
        .Part(0, 2, Cols({0, 1}), Rows({2}))
        .Part(7, 0, Cols({5, 6, 7}), Rows({0, 1}))
        .Part(8, 2, Cols({6, 7}), Rows({2}))
        .Part(0, 6, Cols({0, 1}), Rows({4, 5, 6}))
        .Part(2, 7, Cols({2}), Rows({5, 6}))
        .Part(7, 7, Cols({5, 6, 7}), Rows({5, 6}))
        .Part(8, 6, Cols({6, 7}), Rows({4}));
    e.Check(dest);
}

TEST(ComposeStrips, HorizontalTiledStretchedAndMiddleOnly)
{
    // Ends of 2 and 3 pixels; a middle of 3 (picture columns 4..6) over 7 columns.
    const TRect src = Rect(2, 1, 10, 3);
    TBitmap dest;
    sk::ComposeHSkinStrip(2, 3, &dest, &Picture(), src, 12, 99, false);
    TExpected tiled(12, 2);
    tiled.Part(0, 0, {2, 3}, {1, 2}).Part(9, 0, {7, 8, 9}, {1, 2}).Part(2, 0, {4, 5, 6, 4, 5, 6, 4}, {1, 2});
    tiled.Check(dest);

    sk::ComposeHSkinStrip(2, 3, &dest, &Picture(), src, 11, 0, true);
    TExpected stretched(11, 2);
    stretched.Part(0, 0, {2, 3}, {1, 2}).Part(8, 0, {7, 8, 9}, {1, 2}).Part(2, 0, {4, 4, 5, 5, 6, 6}, {1, 2});
    stretched.Check(dest);

    // No ends: the middle alone fills the width.
    sk::ComposeHSkinStrip(0, 0, &dest, &Picture(), Rect(4, 1, 7, 3), 7, 0, false);
    TExpected whole(7, 2);
    whole.Part(0, 0, {4, 5, 6, 4, 5, 6, 4}, {1, 2});
    whole.Check(dest);

    sk::ComposeHSkinStripEx(2, 3, &dest, &Picture(), src, 8, 0, false);
    TExpected middle(8, 2);
    middle.Part(0, 0, {4, 5, 6, 4, 5, 6, 4, 5}, {1, 2});
    middle.Check(dest);
}

TEST(ComposeStrips, VerticalWithOnePixelTiles)
{
    // Ends of 1 and 2 rows; a middle of one row (picture row 3) over 6 rows.
    const TRect src = Rect(4, 2, 6, 6);
    TBitmap dest;
    sk::ComposeVSkinStrip(1, 2, &dest, &Picture(), src, 99, 9, false);
    TExpected e(2, 9);
    e.Part(0, 0, {4, 5}, {2}).Part(0, 7, {4, 5}, {4, 5}).Part(0, 1, {4, 5}, {3, 3, 3, 3, 3, 3});
    e.Check(dest);
}

TEST(ComposeStrips, NarrowerThanTheEndsDrawsNoMiddle)
{
    TBitmap dest;
    sk::ComposeHSkinStrip(3, 3, &dest, &Picture(), Rect(2, 1, 10, 2), 4, 0, false);
    TExpected e(4, 1);
    e.Part(0, 0, {2, 3, 4}, {1}).Part(1, 0, {7, 8, 9}, {1});
    e.Check(dest);
}

TEST(StretchSkinImage, StretchesEveryPartIntoDestsSize)
{
    // The client column and row (picture column 5, row 3) stretched to 3 columns and 2 rows.
    TBitmap dest;
    dest.SetSize(7, 5);
    sk::StretchSkinImage(&dest, &Picture(), Rect(3, 1, 8, 5), Rect(2, 2, 3, 3));
    TExpected e(7, 5);
    const std::vector<int> cols{3, 4, 5, 5, 5, 6, 7};
    const std::vector<int> rows{1, 2, 3, 3, 4};
    e.Part(0, 0, cols, rows);
    e.Check(dest);
}

TEST(ComposeSkinBorderImages, FourStripsAroundTheClient)
{
    TBitmap left, top, right, bottom;
    const sk::TskAreaPoints fitted = sk::FitNinePart(Points, Area, 13, 9);
    sk::ComposeSkinBorderImages(Points, fitted, &left, &top, &right, &bottom, &Picture(), Area, 13, 9, false, false,
                                false, false);
    TExpected t(13, 2);
    t.Part(0, 0, Cols({3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3}), Rows({0, 1}))
        .Part(0, 0, Cols({0, 1, 2}), Rows({0, 1}))
        .Part(10, 0, Cols({5, 6, 7}), Rows({0, 1}));
    t.Check(top);
    TExpected b(13, 2);
    b.Part(0, 0, Cols({3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3, 4, 3}), Rows({5, 6}))
        .Part(0, 0, Cols({0, 1, 2}), Rows({5, 6}))
        .Part(10, 0, Cols({5, 6, 7}), Rows({5, 6}));
    b.Check(bottom);
    // The sides cover the area's rows 2..4 fitted to 5 rows: a head row (2), the 1-pixel edge
    // tiled (3) and a tail row (4).
    TExpected l(2, 5);
    l.Part(0, 0, Cols({0, 1}), Rows({2, 3, 3, 3, 4}));
    l.Check(left);
    TExpected r(2, 5);
    r.Part(0, 0, Cols({6, 7}), Rows({2, 3, 3, 3, 4}));
    r.Check(right);

    // A top border of no height leaves the top bitmap as it was.
    sk::TskAreaPoints noTop = fitted;
    noTop.ClRect.Top = 0;
    TBitmap untouched;
    untouched.SetSize(3, 3);
    sk::ComposeSkinBorderImages(Points, noTop, nullptr, &untouched, nullptr, nullptr, &Picture(), Area, 13, 9, false,
                                false, false, false);
    TExpected(3, 3).Check(untouched);
}

TEST(DrawGlyphFrame, DrawsOneFrameTransparently)
{
    // 64 by 4, four frames of 16 columns; the bottom-left pixel of each frame is its
    // transparent colour.
    TBitmap glyph;
    glyph.SetSize(64, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 64; ++x)
            glyph.SetPixels(x, y, y == 3 ? cl::clRed : cl::RGBColor(static_cast<std::uint8_t>(x), 1, 2));
    TBitmap canvas;
    canvas.SetSize(20, 6);
    sk::DrawGlyphFrame(canvas.Canvas(), 2, 1, 2, 4, &glyph);
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(canvas.Pixels(2 + x, 1), cl::RGBColor(static_cast<std::uint8_t>(16 + x), 1, 2));
        EXPECT_EQ(canvas.Pixels(2 + x, 4), cl::clWhite);  // the transparent row
    }
    EXPECT_EQ(canvas.Pixels(1, 1), cl::clWhite);
    EXPECT_EQ(canvas.Pixels(18, 1), cl::clWhite);

    TBitmap untouched;
    untouched.SetSize(20, 6);
    for (int index : {0, 5, -1})
        sk::DrawGlyphFrame(untouched.Canvas(), 0, 0, index, 4, &glyph);
    sk::DrawGlyphFrame(untouched.Canvas(), 0, 0, 1, 0, &glyph);
    sk::DrawGlyphFrame(untouched.Canvas(), 0, 0, 1, 100, &glyph);  // frames narrower than a pixel
    TExpected(20, 6).Check(untouched);
}

TEST(TileRect, RepeatsThePartFromItsOriginAndCutsItAtTheAreasEdges)
{
    const struct {
        TRect part, area;
        cl::TPoint origin;
        const char* why;
    } cases[] = {
        {Rect(3, 2, 4, 3), Rect(0, 0, 530, 9), {0, 0}, "one pixel over more than one block"},
        {Rect(2, 1, 5, 3), Rect(4, 3, 300, 12), {-7, 1}, "tiles laid from before the area enter it cut"},
        {Rect(2, 1, 5, 3), Rect(4, 3, 40, 12), {9, 6}, "tiles before an origin inside the area"},
        {Rect(0, 0, 12, 10), Rect(1, 2, 30, 25), {1, 2}, "the whole picture"},
    };
    const auto mod = [](int A, int B) { return ((A % B) + B) % B; };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TBitmap dest;
        dest.SetSize(540, 30);
        ASSERT_TRUE(sk::TileRect(dest.Canvas()->Handle(), c.area, c.origin, &Picture(), c.part));
        TExpected e(540, 30);
        const int w = c.part.Width(), h = c.part.Height();
        for (int y = c.area.Top; y < c.area.Bottom; ++y)
            for (int x = c.area.Left; x < c.area.Right; ++x)
                e.Part(x, y, {c.part.Left + mod(x - c.origin.X, w)}, {c.part.Top + mod(y - c.origin.Y, h)});
        e.Check(dest);
    }
    TBitmap dest;
    dest.SetSize(4, 4);
    EXPECT_FALSE(sk::TileRect(dest.Canvas()->Handle(), Rect(0, 0, 4, 4), {0, 0}, &Picture(), Rect(3, 3, 3, 5)))
        << "a part without area";
}
