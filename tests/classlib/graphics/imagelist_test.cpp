// Image lists and icons drawn into bitmaps and checked by pixels.
#include <gtest/gtest.h>

#include <cstring>

#include "classlib/graphics/ImgList.h"

using namespace cl;

namespace {

// Two 16x16 pieces side by side: red on a fuchsia ground, with one blue pixel.
void MakeStrip(TBitmap& strip)
{
    strip.SetSize(32, 16);
    strip.Fill(clFuchsia);
    for (int y = 4; y < 8; ++y)
        for (int x = 16 + 4; x < 16 + 8; ++x)
            strip.SetPixels(x, y, clRed);
    strip.SetPixels(20, 4, clBlue);
}

void Put32(std::vector<std::uint8_t>& v, std::uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}

// An .ico file with one 16x16 32-bit image: green, its left half left out by the mask.
std::vector<std::uint8_t> MakeIconFile()
{
    std::vector<std::uint8_t> v{0, 0, 1, 0, 1, 0};
    const std::uint32_t imageSize = 40 + 16 * 16 * 4 + 16 * 4;
    v.insert(v.end(), {16, 16, 0, 0, 1, 0, 32, 0});
    Put32(v, imageSize);
    Put32(v, 22);
    Put32(v, 40);
    Put32(v, 16);
    Put32(v, 32);  // colour and mask rows
    v.insert(v.end(), {1, 0, 32, 0});
    for (int i = 0; i < 6; ++i)
        Put32(v, 0);
    for (int i = 0; i < 16 * 16; ++i) {
        if (i % 16 < 8)
            v.insert(v.end(), {0, 0, 0, 0});
        else
            v.insert(v.end(), {0, 255, 0, 255});
    }
    for (int row = 0; row < 16; ++row)
        v.insert(v.end(), {0xFF, 0x00, 0, 0});
    return v;
}

}  // namespace

TEST(ImageList, MaskedPiecesDrawWithTheirGroundLeftOut)
{
    TImageList list(nullptr);
    TBitmap strip;
    MakeStrip(strip);
    EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);

    TBitmap dest;
    dest.SetSize(20, 20);
    list.Draw(dest.Canvas(), 2, 2, 1);
    EXPECT_EQ(dest.Pixels(2, 2), clWhite) << "the ground is left out";
    EXPECT_EQ(dest.Pixels(2 + 4, 2 + 4), clBlue);
    EXPECT_EQ(dest.Pixels(2 + 5, 2 + 5), clRed);
    list.Draw(dest.Canvas(), 0, 0, 7);  // outside the list: nothing
    list.Draw(dest.Canvas(), 0, 0, -1);

    TBitmap disabled;
    disabled.SetSize(20, 20);
    list.Draw(disabled.Canvas(), 0, 0, 1, false);
    EXPECT_EQ(disabled.Pixels(5, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(disabled.Pixels(8, 8), ColorToRGB(clBtnHighlight)) << "the highlight one pixel down and right";
    EXPECT_EQ(disabled.Pixels(0, 0), clWhite);

    TIcon icon;
    list.GetIcon(1, &icon);
    ASSERT_FALSE(icon.Empty());
    EXPECT_EQ(icon.Width(), 16);
    TBitmap drawn;
    drawn.SetSize(16, 16);
    drawn.Canvas()->Draw(0, 0, &icon);
    EXPECT_EQ(drawn.Pixels(5, 5), clRed);
    EXPECT_EQ(drawn.Pixels(0, 0), clWhite);
    EXPECT_THROW(list.GetIcon(2, &icon), EInvalidOperation);
}

TEST(ImageList, ChangeLinksHearChangesAndSurviveEitherSideGoingFirst)
{
    auto* list = new TImageList(nullptr);
    TChangeLink link;
    int changes = 0;
    link.OnChange = [&](TObject*) { ++changes; };
    list->RegisterChanges(&link);
    TBitmap strip;
    MakeStrip(strip);
    list->AddMasked(&strip, clFuchsia);
    list->Delete(0);
    EXPECT_EQ(changes, 2);
    {
        TChangeLink shortLived;
        list->RegisterChanges(&shortLived);
    }
    list->Clear();
    EXPECT_EQ(changes, 3);
    list->Free();
    EXPECT_EQ(link.Sender(), nullptr);
}

TEST(Icon, ReadFromAnIcoFileAndWrittenBackUnchanged)
{
    const auto file = MakeIconFile();
    TMemoryStream in;
    in.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
    in.WriteString("next");
    in.SetPosition(0);
    TIcon icon;
    icon.LoadFromStream(&in);
    ASSERT_FALSE(icon.Empty());
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_EQ(in.Position(), static_cast<std::int64_t>(file.size()));

    TBitmap drawn;
    drawn.SetSize(16, 16);
    drawn.Canvas()->Draw(0, 0, &icon);
    EXPECT_EQ(drawn.Pixels(12, 8), clLime);
    EXPECT_EQ(drawn.Pixels(3, 8), clWhite) << "masked out";

    TMemoryStream out;
    icon.SaveToStream(&out);
    ASSERT_EQ(out.Size(), static_cast<std::int64_t>(file.size()));
    EXPECT_EQ(std::memcmp(out.Memory(), file.data(), file.size()), 0);

    TIcon copy;
    copy.Assign(&icon);
    EXPECT_NE(copy.Handle(), icon.Handle());
    EXPECT_THROW(copy.SetWidth(32), EInvalidGraphicOperation);
}

TEST(Icon, DamagedFilesRaise)
{
    auto file = MakeIconFile();
    file[2] = 2;  // a cursor file, not an icon
    TMemoryStream s1;
    s1.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
    s1.SetPosition(0);
    TIcon icon;
    EXPECT_THROW(icon.LoadFromStream(&s1), EInvalidGraphic);

    file = MakeIconFile();
    file[18] = 3;  // image data said to start inside the directory
    TMemoryStream s2;
    s2.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
    s2.SetPosition(0);
    EXPECT_THROW(icon.LoadFromStream(&s2), EInvalidGraphic);

    file = MakeIconFile();
    TMemoryStream s3;
    s3.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size() - 10));
    s3.SetPosition(0);
    EXPECT_THROW(icon.LoadFromStream(&s3), EReadError);
    EXPECT_TRUE(icon.Empty());
}
