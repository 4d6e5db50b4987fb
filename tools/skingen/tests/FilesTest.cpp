#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdint>

#include "BmpFile.h"
#include "IniText.h"
#include "PngFile.h"

using namespace skingen;

namespace {

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

}  // namespace

TEST(BmpFile, RowsArePaddedAndTheSizeIsExact)
{
    for (int width = 1; width <= 4; ++width) {
        Image image(width, 2, {1, 2, 3});
        image.set(0, 0, {10, 20, 30});
        const auto bmp = encodeBmp(image);
        const std::size_t stride = (width * 3 + 3) & ~3;
        ASSERT_EQ(bmp.size(), 54 + stride * 2);
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(bmp[1], 'M');
        EXPECT_EQ(le32(bmp, 2), bmp.size());
        EXPECT_EQ(le32(bmp, 18), static_cast<std::uint32_t>(width));
        EXPECT_EQ(bmp[28], 24);
        // The top row comes last, blue first.
        const std::size_t topRow = 54 + stride;
        EXPECT_EQ(bmp[topRow], 30);
        EXPECT_EQ(bmp[topRow + 1], 20);
        EXPECT_EQ(bmp[topRow + 2], 10);
    }
}

TEST(BmpFile, EmptyPictureIsRefused)
{
    EXPECT_THROW(encodeBmp(Image()), std::invalid_argument);
}

TEST(PngFile, PixelsInflateBackRowByRow)
{
    Image image(3, 2, {9, 8, 7});
    image.set(2, 1, {200, 100, 50});
    const auto png = encodePng(image);
    ASSERT_GT(png.size(), 8u + 25 + 12);
    EXPECT_EQ(png[1], 'P');
    // IHDR follows the signature; IDAT after it.
    const std::size_t idatLength = (png[33] << 24) | (png[34] << 16) | (png[35] << 8) | png[36];
    ASSERT_EQ(std::string(png.begin() + 37, png.begin() + 41), "IDAT");
    std::vector<std::uint8_t> raw(2 * (1 + 3 * 3));
    uLongf rawSize = raw.size();
    ASSERT_EQ(uncompress(raw.data(), &rawSize, png.data() + 41, idatLength), Z_OK);
    ASSERT_EQ(rawSize, raw.size());
    EXPECT_EQ(raw[10 + 1 + 6], 200);
    EXPECT_EQ(raw[10 + 1 + 7], 100);
    EXPECT_EQ(raw[10 + 1 + 8], 50);
}

TEST(IniText, WritesSectionsInOrderWithCrLf)
{
    IniText t;
    t.section("VERSION");
    t.key("skinname", "Lagoon");
    t.section("button");
    t.key("skinrect", Rect{0, 0, 64, 25});
    t.colour("fontcolor", {0x20, 0x20, 0x20});
    EXPECT_EQ(t.text(), "[VERSION]\r\nskinname=Lagoon\r\n[button]\r\nskinrect=0,0,64,25\r\nfontcolor=2105376\r\n");
    ASSERT_NE(t.find("Button", "SKINRECT"), nullptr);
    EXPECT_EQ(*t.find("button", "skinrect"), "0,0,64,25");
    EXPECT_EQ(t.find("button", "activeskinrect"), nullptr);
}

TEST(IniText, RefusesASectionOrKeyWrittenTwice)
{
    IniText t;
    t.section("panel");
    t.key("skinrect", "1,2,3,4");
    EXPECT_THROW(t.key("SkinRect", "1,2,3,4"), std::logic_error);
    EXPECT_THROW(t.section("Panel"), std::logic_error);
}
