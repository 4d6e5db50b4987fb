// The 24-bit bitmap and its BMP files, on every host.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "classlib/graphics/Graphics.h"
#include "support/BmpBytes.h"

using namespace cl;

namespace {

std::vector<std::uint8_t> Bytes(TMemoryStream& stream)
{
    const auto* p = static_cast<const std::uint8_t*>(stream.Memory());
    return std::vector<std::uint8_t>(p, p + stream.Size());
}

// A BMP file as another writer might make it: a palette of any length with a count of colours
// of its own, and a file length and a pixel offset that may lie.
std::vector<std::uint8_t> MakeBmp(int width, int height, int bits, std::uint32_t colorsUsed,
                                  const std::vector<std::uint8_t>& palette, const std::vector<std::uint8_t>& rows,
                                  std::uint32_t fileSizeOverride = 0, std::uint32_t offsetOverride = 0)
{
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(palette.size());
    test_support::TBmpHeaderFields fields = test_support::BmpFields(width, height, bits);
    fields.FileSize = fileSizeOverride ? fileSizeOverride : offset + static_cast<std::uint32_t>(rows.size());
    fields.PixelOffset = offsetOverride ? offsetOverride : offset;
    fields.ImageSize = static_cast<std::uint32_t>(rows.size());
    fields.ColoursUsed = colorsUsed;
    const std::string headers = test_support::BmpHeaderBytes(fields);
    std::vector<std::uint8_t> v(headers.begin(), headers.end());
    v.insert(v.end(), palette.begin(), palette.end());
    v.insert(v.end(), rows.begin(), rows.end());
    return v;
}

void LoadBytes(TBitmap& bmp, const std::vector<std::uint8_t>& bytes, TMemoryStream& stream)
{
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
    bmp.LoadFromStream(&stream);
}

}  // namespace

TEST(Bitmap, NewBitmapIsEmptyAndGrowsWhite)
{
    TBitmap bmp;
    EXPECT_TRUE(bmp.Empty());
    bmp.SetWidth(5);
    EXPECT_TRUE(bmp.Empty()) << "a width without a height is still empty";
    bmp.SetHeight(3);
    EXPECT_FALSE(bmp.Empty());
    EXPECT_EQ(bmp.Pixels(0, 0), clWhite);
    EXPECT_EQ(bmp.Pixels(4, 2), clWhite);
    EXPECT_EQ(bmp.Pixels(5, 0), -1) << "outside the picture";
    EXPECT_EQ(bmp.ScanLine(3), nullptr);
    bmp.SetSize(-4, 2);
    EXPECT_TRUE(bmp.Empty());
    EXPECT_EQ(bmp.Width(), 0);
}

TEST(Bitmap, ResizeKeepsTopLeftPixels)
{
    TBitmap bmp;
    bmp.SetSize(2, 2);
    bmp.SetPixels(0, 0, clRed);
    bmp.SetPixels(1, 1, clBlue);
    bmp.SetSize(3, 3);
    EXPECT_EQ(bmp.Pixels(0, 0), clRed);
    EXPECT_EQ(bmp.Pixels(1, 1), clBlue);
    EXPECT_EQ(bmp.Pixels(2, 2), clWhite);
    bmp.SetSize(1, 1);
    EXPECT_EQ(bmp.Pixels(0, 0), clRed);
}

TEST(Bitmap, ScanLineZeroIsTheTopRow)
{
    TBitmap bmp;
    bmp.SetSize(2, 2);
    bmp.SetPixels(1, 0, RGBColor(10, 20, 30));
    const std::uint8_t* top = bmp.ScanLine(0);
    EXPECT_EQ(top[3], 30);  // blue, green, red
    EXPECT_EQ(top[4], 20);
    EXPECT_EQ(top[5], 10);
}

TEST(BitmapStream, WrittenAndReadBackByteForByte)
{
    TBitmap bmp;
    bmp.SetSize(5, 3);  // 15-byte rows: padding in every row
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            bmp.SetPixels(x, y, RGBColor(static_cast<std::uint8_t>(x * 40), static_cast<std::uint8_t>(y * 80), 7));
    TMemoryStream first;
    bmp.SaveToStream(&first);
    EXPECT_EQ(first.Size(), 14 + 40 + 16 * 3);

    first.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(&first);
    EXPECT_EQ(first.Position(), first.Size());
    ASSERT_EQ(back.Width(), 5);
    ASSERT_EQ(back.Height(), 3);
    EXPECT_EQ(back.Pixels(4, 2), RGBColor(160, 160, 7));

    TMemoryStream second;
    back.SaveToStream(&second);
    EXPECT_EQ(Bytes(first), Bytes(second));
}

TEST(BitmapStream, TwoBitmapsBackToBackAndWhatFollows)
{
    TBitmap a, b;
    a.SetSize(3, 2);
    a.SetPixels(0, 0, clRed);
    b.SetSize(1, 4);
    b.SetPixels(0, 3, clLime);
    TMemoryStream stream;
    a.SaveToStream(&stream);
    b.SaveToStream(&stream);
    stream.WriteString("tail");
    stream.SetPosition(0);

    TBitmap ra, rb;
    ra.LoadFromStream(&stream);
    rb.LoadFromStream(&stream);
    EXPECT_EQ(ra.Width(), 3);
    EXPECT_EQ(ra.Pixels(0, 0), clRed);
    EXPECT_EQ(rb.Height(), 4);
    EXPECT_EQ(rb.Pixels(0, 3), clLime);
    char tail[4];
    stream.ReadBuffer(tail, 4);
    EXPECT_EQ(std::memcmp(tail, "tail", 4), 0);
}

TEST(BitmapStream, FileLengthFromHeaderIsConsumedWhole)
{
    // A writer that pads the file: its header's length holds, so the next byte is found.
    const std::vector<std::uint8_t> rows{0, 0, 255, 0};  // one red pixel, padded row
    auto bytes = MakeBmp(1, 1, 24, 0, {}, rows, 14 + 40 + 4 + 6);
    bytes.insert(bytes.end(), {9, 9, 9, 9, 9, 9, 'X'});
    TMemoryStream stream;
    TBitmap bmp;
    LoadBytes(bmp, bytes, stream);
    EXPECT_EQ(bmp.Pixels(0, 0), clRed);
    char next = 0;
    stream.ReadBuffer(&next, 1);
    EXPECT_EQ(next, 'X');
}

TEST(BitmapStream, TooSmallFileLengthStillReadsTheRows)
{
    const std::vector<std::uint8_t> rows{255, 0, 0, 0};
    auto bytes = MakeBmp(1, 1, 24, 0, {}, rows, 10);
    bytes.push_back('Z');
    TMemoryStream stream;
    TBitmap bmp;
    LoadBytes(bmp, bytes, stream);
    EXPECT_EQ(bmp.Pixels(0, 0), clBlue);
    char next = 0;
    stream.ReadBuffer(&next, 1);
    EXPECT_EQ(next, 'Z');
}

TEST(BitmapStream, PaletteAndTopDownFormats)
{
    // 8 bits, 2-colour table, 3 pixels; index 7 lies past the table and reads black.
    const std::vector<std::uint8_t> palette{0, 0, 255, 0, 0, 255, 0, 0};
    const std::vector<std::uint8_t> rows{1, 0, 7, 0};
    TMemoryStream s1;
    TBitmap bmp;
    LoadBytes(bmp, MakeBmp(3, 1, 8, 2, palette, rows), s1);
    EXPECT_EQ(bmp.Pixels(0, 0), clLime);
    EXPECT_EQ(bmp.Pixels(1, 0), clRed);
    EXPECT_EQ(bmp.Pixels(2, 0), clBlack);

    // 32 bits, negative height: first stored row is the top row.
    const std::vector<std::uint8_t> rows32{255, 0, 0, 0, 0, 0, 255, 0};
    TMemoryStream s2;
    LoadBytes(bmp, MakeBmp(1, -2, 32, 0, {}, rows32), s2);
    EXPECT_EQ(bmp.Height(), 2);
    EXPECT_EQ(bmp.Pixels(0, 0), clBlue);
    EXPECT_EQ(bmp.Pixels(0, 1), clRed);

    // 1 bit.
    const std::vector<std::uint8_t> mono{0, 0, 0, 0, 255, 255, 255, 0};
    TMemoryStream s3;
    LoadBytes(bmp, MakeBmp(2, 1, 1, 0, mono, {0x40, 0, 0, 0}), s3);
    EXPECT_EQ(bmp.Pixels(0, 0), clBlack);
    EXPECT_EQ(bmp.Pixels(1, 0), clWhite);
}

TEST(BitmapStream, DamagedFilesRaiseAndLeaveTheBitmapAlone)
{
    TBitmap bmp;
    bmp.SetSize(2, 2);
    bmp.SetPixels(0, 0, clRed);
    const std::vector<std::uint8_t> rows{0, 0, 255, 0};

    auto notBmp = MakeBmp(1, 1, 24, 0, {}, rows);
    notBmp[0] = 'X';
    TMemoryStream s1;
    EXPECT_THROW(LoadBytes(bmp, notBmp, s1), EInvalidGraphic);

    TMemoryStream s2;
    EXPECT_THROW(LoadBytes(bmp, MakeBmp(0x7FFFFFFF, 0x7FFFFFFF, 24, 0, {}, rows), s2), EInvalidGraphic);

    TMemoryStream s3;
    EXPECT_THROW(LoadBytes(bmp, MakeBmp(1, 1, 24, 0, {}, rows, 0, 20), s3), EInvalidGraphic)
        << "a pixel offset inside the headers";

    TMemoryStream s4;
    EXPECT_THROW(LoadBytes(bmp, MakeBmp(1, 1, 8, 300, {}, rows), s4), EInvalidGraphic) << "colour table too long";

    auto truncated = MakeBmp(4, 4, 24, 0, {}, std::vector<std::uint8_t>(48, 1));
    truncated.resize(truncated.size() - 5);
    TMemoryStream s5;
    EXPECT_THROW(LoadBytes(bmp, truncated, s5), EReadError);

    EXPECT_EQ(bmp.Width(), 2);
    EXPECT_EQ(bmp.Pixels(0, 0), clRed);
}

TEST(BitmapStream, EmptyBitmapWritesNothing)
{
    TBitmap bmp;
    TMemoryStream stream;
    bmp.SaveToStream(&stream);
    EXPECT_EQ(stream.Size(), 0);
}

TEST(Bitmap, TransparentColourAutomaticOrFixed)
{
    TBitmap bmp;
    EXPECT_EQ(bmp.TransparentColor(), clDefault);
    bmp.SetSize(3, 3);
    bmp.SetPixels(0, 2, clFuchsia);
    EXPECT_EQ(bmp.TransparentMode(), tmAuto);
    EXPECT_EQ(bmp.TransparentColor(), clFuchsia);
    bmp.SetTransparentColor(clLime);
    EXPECT_EQ(bmp.TransparentMode(), tmFixed);
    EXPECT_EQ(bmp.TransparentColor(), clLime);
    bmp.SetTransparentMode(tmAuto);
    EXPECT_EQ(bmp.TransparentColor(), clFuchsia);
}

TEST(Bitmap, AssignCopiesPixelsAndTransparency)
{
    TBitmap a;
    a.SetSize(2, 1);
    a.SetPixels(1, 0, clNavy);
    a.SetTransparent(true);
    a.SetTransparentColor(clNavy);
    TBitmap b;
    b.Assign(&a);
    a.SetPixels(1, 0, clRed);
    EXPECT_EQ(b.Pixels(1, 0), clNavy);
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.TransparentColor(), clNavy);
}

TEST(Color, SystemColoursResolveAndFixedOnesPassThrough)
{
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_TRUE(IsSystemColor(clBtnFace));
    EXPECT_TRUE(IsSystemColor(static_cast<TColor>(0xFF00000F))) << "the other flag form";
    EXPECT_EQ(ColorToRGB(static_cast<TColor>(0xFF00000F)), ColorToRGB(clBtnFace));
    EXPECT_EQ(ColorToRGB(clBtnFace) & 0xFF000000, 0);
}
