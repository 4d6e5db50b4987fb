// The drawing primitives: shaded fills that may be tiled, smooth shapes that stay in their
// cell, and glyphs that fit the buttons they are drawn on.
#include <gtest/gtest.h>

#include "AtlasLayout.h"
#include "FrameLayout.h"
#include "Glyphs.h"
#include "Paint.h"
#include "TinyFont.h"

using namespace skingen;

TEST(Paint, RowFillsAreUniformAlongEachRowForEveryFill)
{
    for (FillKind fill : {FillKind::Flat, FillKind::Gradient, FillKind::Glass, FillKind::Metallic, FillKind::Stripes}) {
        Image image(20, 12);
        fillRows(image, image.bounds(), Ramp{{200, 210, 230}, {40, 60, 120}}, fill);
        for (int y = 0; y < 12; ++y)
            for (int x = 1; x < 20; ++x) ASSERT_EQ(image.at(x, y), image.at(0, y));
    }
}

TEST(Paint, ColumnFillsAreUniformDownEachColumn)
{
    Image image(12, 20);
    fillColumns(image, image.bounds(), Ramp{{250, 250, 250}, {0, 0, 0}}, FillKind::Metallic);
    for (int x = 0; x < 12; ++x)
        for (int y = 1; y < 20; ++y) ASSERT_EQ(image.at(x, y), image.at(x, 0));
}

TEST(Paint, FillsNeverProduceTheKeyColour)
{
    Image image(4, 8);
    fillRows(image, image.bounds(), Ramp{KeyColour, KeyColour}, FillKind::Flat);
    EXPECT_NE(image.at(0, 0), KeyColour);
}

TEST(Paint, RoundedCoverageIsFullInsideEmptyOutsideAndPartialAtTheCorner)
{
    const Rect r{0, 0, 20, 20};
    EXPECT_DOUBLE_EQ(roundRectCoverage(r, 6, 10, 10), 1.0);
    EXPECT_DOUBLE_EQ(roundRectCoverage(r, 6, 0, 0), 0.0);
    const double edge = roundRectCoverage(r, 6, 1, 1);
    EXPECT_GT(edge, 0.0);
    EXPECT_LT(edge, 1.0);
    EXPECT_DOUBLE_EQ(roundRectCoverage(r, 0, 0, 0), 1.0);
    // Mirror images cover alike.
    EXPECT_DOUBLE_EQ(roundRectCoverage(r, 6, 1, 1), roundRectCoverage(r, 6, 18, 18));
}

TEST(Paint, FaceStaysInsideItsCellEvenWhenTheShapeReachesBeyond)
{
    Image image(30, 30, Rgb{1, 2, 3});
    FaceStyle style;
    style.ramp = {{200, 200, 200}, {100, 100, 100}};
    style.edge = {0, 0, 0};
    style.radius = 3;
    const Rect cell{10, 10, 20, 20};
    drawFace(image, cell, Rect{5, 12, 25, 40}, style, Rgb{9, 9, 9});
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            if (!cell.contains(x, y)) ASSERT_EQ(image.at(x, y), (Rgb{1, 2, 3})) << x << "," << y;
    EXPECT_EQ(image.at(10, 10), (Rgb{9, 9, 9}));  // above the shape: the backdrop
}

TEST(Glyphs, EveryGlyphIsRectangularAndFitsTheSmallestButton)
{
    for (int g = 0; g <= static_cast<int>(Glyph::SizeGrip); ++g) {
        const Glyph glyph = static_cast<Glyph>(g);
        EXPECT_LE(glyphWidth(glyph), atlas::MarkSize - 2) << g;
        EXPECT_LE(glyphHeight(glyph), atlas::MarkSize - 2) << g;
        Image image(16, 16, Rgb{255, 255, 255});
        drawGlyph(image, glyph, image.bounds(), Rgb{0, 0, 0});
        int ink = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) ink += image.at(x, y) == Rgb{0, 0, 0};
        EXPECT_GT(ink, 0) << g;
    }
}

TEST(Glyphs, DrawnCentredAndOnlyInTheGlyphColour)
{
    Image image(16, 16, Rgb{255, 255, 255});
    drawGlyph(image, Glyph::Close, image.bounds(), Rgb{0, 0, 0});
    // The cross's pattern is symmetric, so its ink is too.
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(image.at(x, y), image.at(15 - x, 15 - y));
            ASSERT_TRUE(image.at(x, y) == (Rgb{0, 0, 0}) || image.at(x, y) == (Rgb{255, 255, 255}));
        }
}

TEST(FrameLayout, EveryAllowedGeometryKeepsCornersInTheUntiledEnds)
{
    for (int caption = 22; caption <= 30; ++caption)
        for (int border = 3; border <= 6; ++border)
            for (int radius = 0; radius <= 10; ++radius) {
                SkinParams p;
                p.captionHeight = caption;
                p.border = border;
                p.radius = radius;
                const FrameLayout f = frameLayout(p);
                EXPECT_GE(f.leftTop.x, radius);
                EXPECT_GE(f.leftTop.y, f.client.top);
                EXPECT_LE(f.leftBottom.y, atlas::FrameHeight - 4 - f.bottomRadius);
                EXPECT_LT(f.leftTop.y, f.leftBottom.y);
                EXPECT_GE(f.captionRect.top, 0);
                EXPECT_LE(f.captionRect.bottom, f.client.top);
                EXPECT_EQ(f.client.left, border);
                EXPECT_EQ(f.client.top, caption);
            }
}

TEST(FrameLayout, OutOfRangeRecordsAreHeldToTheAllowedRange)
{
    SkinParams p;
    p.captionHeight = 80;
    p.border = -2;
    p.radius = 99;
    const FrameLayout f = frameLayout(p);
    EXPECT_EQ(f.captionHeight, 30);
    EXPECT_EQ(f.border, 3);
    EXPECT_EQ(f.radius, 10);
}

TEST(TinyFont, WritesCapitalsSixPixelsApartAndSkipsUnknownCharacters)
{
    Image image(40, 9, Rgb{255, 255, 255});
    EXPECT_EQ(drawTinyText(image, 1, 1, "a-1", Rgb{0, 0, 0}), 17);
    auto inkIn = [&](int x0, int x1) {
        int ink = 0;
        for (int y = 0; y < 9; ++y)
            for (int x = x0; x < x1; ++x) ink += image.at(x, y) == Rgb{0, 0, 0};
        return ink;
    };
    EXPECT_GT(inkIn(1, 6), 0);   // "A"
    EXPECT_EQ(inkIn(7, 12), 0);  // "-" has no pattern
    EXPECT_GT(inkIn(13, 18), 0); // "1"
}
