// Stored skins, packed ".skn" files and the packer, through real files in a temporary folder.
#include <gtest/gtest.h>

#include "classlib/graphics/Bitmap.h"
#include "classlib/classes/FormLoader.h"
#include "classlib/system/SysUtils.h"
#include "skin/data/SkinData.h"
#include "skin/data/Stream.h"
#include "skin/data/helpers.h"

using namespace sk;
using namespace sktest;

namespace {

const std::vector<std::string> DescriptionLines = {
    "[VERSION]",          "ver=1",         "skinname=Packed",     "[PICTURES]",     "picture=frame.bmp",
    "inactivepicture=",   "mask=mask.bmp", "activepicturescount=2", "0=atlas.bmp", "1=popup.bmp",
    "[FORMINFO]",         "clientrect=4,20,60,40",                 "[SKINOBJECTS]", "count=0",
    "[SKINCONTROLS]",     "count=1",       "0=button:button",     "[button]",       "skinrect=0,0,4,3"};

// A description and its pictures in Folder; widths 1 to 4 catch any row-padding slip.
void WriteSkinFiles(const TempFolder& Folder, std::vector<std::string> Description = DescriptionLines)
{
    Folder.Write("frame.bmp", MakeBmp(3, 5, 1));
    Folder.Write("mask.bmp", MakeBmp(2, 2, 2));
    Folder.Write("atlas.bmp", MakeBmp(4, 3, 3));
    Folder.Write("popup.bmp", MakeBmp(1, 2, 4));
    Folder.Write("skin.ini", Lines(Description));
}

std::string StreamBytes(const TskCompressedStoredSkin& Stored)
{
    return const_cast<TskCompressedStoredSkin&>(Stored).CompressedStream().DataString();
}

// Writes the skin files into Folder and gives the zlib stream the packer makes of them.
std::string PackedSkinFiles(const TempFolder& Folder)
{
    WriteSkinFiles(Folder);
    TskCompressedStoredSkin packer(nullptr);
    packer.LoadFromIniFile(Folder.File("skin.ini"));
    return StreamBytes(packer);
}

TEST(Packer, PacksPicturesAndTextInTheInflatedLayout)
{
    TempFolder folder;
    WriteSkinFiles(folder);
    TskCompressedStoredSkin stored(nullptr);
    stored.LoadFromIniFile(folder.File("skin.ini"));
    const std::string zlib = StreamBytes(stored);
    ASSERT_GE(zlib.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(zlib[0]), 0x78);
    EXPECT_EQ(static_cast<unsigned char>(zlib[1]), 0xDA);
    // The packer writes 24-bit BMP files as the layer writes them; MakeBmp writes the same.
    const std::string expected = Inflated(3, {Flagged(MakeBmp(3, 5, 1)), Absent(), Flagged(MakeBmp(2, 2, 2))},
                                          {MakeBmp(4, 3, 3), MakeBmp(1, 2, 4)}, Lines(DescriptionLines));
    EXPECT_EQ(InflateAll(zlib), expected);

    TskSkinData data(nullptr);
    data.LoadCompressedStoredSkin(&stored);
    EXPECT_EQ(data.SkinName, "Packed");
    EXPECT_TRUE(data.InactivePicture->Empty());
    EXPECT_EQ(data.Mask->Pixels(1, 1), BmpPixel(1, 1, 2));
    ASSERT_EQ(data.ActivePictures.Count(), 2);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(data.ActivePictures[0]->Pixels(x, y), BmpPixel(x, y, 3));
    EXPECT_EQ(data.ActivePictures[1]->Pixels(0, 1), BmpPixel(0, 1, 4));
    EXPECT_EQ(data.MaskName, "mask.bmp");
    EXPECT_EQ(data.MaskRectArea, (TRect{4, 20, 60, 40}));
}

TEST(Packer, ACountOfZeroIsFollowedDirectlyByTheText)
{
    TempFolder folder;
    std::vector<std::string> description = DescriptionLines;
    description[7] = "activepicturescount=0";
    WriteSkinFiles(folder, description);
    TskCompressedStoredSkin stored(nullptr);
    stored.LoadFromIniFile(folder.File("skin.ini"));
    const std::string expected =
        Inflated(3, {Flagged(MakeBmp(3, 5, 1)), Absent(), Flagged(MakeBmp(2, 2, 2))}, {}, Lines(description));
    EXPECT_EQ(InflateAll(StreamBytes(stored)), expected);
}

TEST(Packer, AMissingSectionChangesNothing)
{
    TempFolder folder;
    std::vector<std::string> description = DescriptionLines;
    // [SKINOBJECTS] holds no key: it counts as missing.
    description[13] = "; count=0";
    WriteSkinFiles(folder, description);
    TskCompressedStoredSkin stored(nullptr);
    stored.CompressedStream().SetData("previous");
    stored.LoadFromIniFile(folder.File("skin.ini"));
    EXPECT_EQ(StreamBytes(stored), "previous");
}

TEST(Packer, AMissingOrBrokenPictureRaisesWithTheStreamEmptied)
{
    TempFolder folder;
    WriteSkinFiles(folder);
    folder.Write("atlas.bmp", "BMnot really");
    TskCompressedStoredSkin stored(nullptr);
    stored.CompressedStream().SetData("previous");
    EXPECT_THROW(stored.LoadFromIniFile(folder.File("skin.ini")), cl::Exception);
    EXPECT_TRUE(stored.IsEmpty());

    std::vector<std::string> description = DescriptionLines;
    description[7] = "activepicturescount=3";
    WriteSkinFiles(folder, description);
    EXPECT_THROW(stored.LoadFromIniFile(folder.File("skin.ini")), cl::Exception);
    EXPECT_TRUE(stored.IsEmpty());

    description[4] = "picture=nowhere.bmp";
    WriteSkinFiles(folder, description);
    EXPECT_THROW(stored.LoadFromIniFile(folder.File("skin.ini")), cl::EFOpenError);
}

TEST(PackedFile, VersionsUpToThreeAreTakenAndFourIsNot)
{
    TempFolder folder;
    const std::string zlib = Deflate(Inflated(3, {Absent(), Absent(), Absent()}, {}, Lines({"[VERSION]"})));
    for (int version : {0, 1, 2, 3, -1}) {
        SCOPED_TRACE(version);
        folder.Write("v.skn", Packed(version, zlib));
        TskCompressedStoredSkin stored(nullptr);
        stored.LoadFromCompressedFile(folder.File("v.skn"));
        EXPECT_EQ(StreamBytes(stored), zlib);
    }
    folder.Write("v.skn", Packed(4, zlib));
    TskCompressedStoredSkin stored(nullptr);
    stored.CompressedStream().SetData("previous");
    stored.LoadFromCompressedFile(folder.File("v.skn"));
    EXPECT_TRUE(stored.IsEmpty());
}

TEST(PackedFile, LengthFieldsThatDoNotFitRaiseAReadError)
{
    TempFolder folder;
    const std::string zlib = Deflate("some skin");
    const std::vector<std::string> files = {
        Int32(3) + Int32(0) + zlib,
        Int32(3) + Int32(-5) + zlib,
        Int32(3) + Int32(static_cast<std::int32_t>(zlib.size()) + 1) + zlib,
        Int32(3) + Int32(0x7FFFFFFF) + zlib,
        Int32(3) + "\x01\x02",
        "\x03\x00",
        "",
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(i);
        folder.Write("bad.skn", files[i]);
        TskCompressedStoredSkin stored(nullptr);
        EXPECT_THROW(stored.LoadFromCompressedFile(folder.File("bad.skn")), cl::EReadError);
        EXPECT_TRUE(stored.IsEmpty());
    }
    TskCompressedStoredSkin stored(nullptr);
    EXPECT_THROW(stored.LoadFromCompressedFile(folder.File("none.skn")), cl::EFOpenError);
}

TEST(PackedFile, TheSkinDataLoadsAFileAndKeepsItsSkinWhenTheFileIsBad)
{
    TempFolder folder;
    const std::string zlib = PackedSkinFiles(folder);
    folder.Write("good.skn", Packed(3, zlib));
    folder.Write("newer.skn", Packed(4, zlib));
    folder.Write("bad.skn", Packed(3, zlib).substr(0, 20));

    TskSkinData data(nullptr);
    data.LoadFromCompressedFile(folder.File("good.skn"));
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(data.SkinName, "Packed");
    EXPECT_EQ(data.CompressedStoredSkin(), nullptr);

    // A file of a newer version, a cut file, a missing file: the skin stays as it was.
    data.LoadFromCompressedFile(folder.File("newer.skn"));
    EXPECT_THROW(data.LoadFromCompressedFile(folder.File("bad.skn")), cl::EReadError);
    EXPECT_THROW(data.LoadFromCompressedFile(folder.File("none.skn")), cl::EFOpenError);
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(data.SkinName, "Packed");
    EXPECT_EQ(data.IndexOfControl("button"), 0);
}

TEST(StoredSkin, CompressedDataSurvivesAFormStreamRoundTrip)
{
    TempFolder folder;
    const std::string zlib = PackedSkinFiles(folder);
    folder.Write("skin.skn", Packed(3, zlib));
    TskCompressedStoredSkin fromFile(nullptr);
    fromFile.LoadFromCompressedFile(folder.File("skin.skn"));

    cl::TMemoryStream form;
    cl::WriteBinaryProperties(&fromFile, &form);
    form.SetPosition(0);
    TskCompressedStoredSkin read(nullptr);
    read.CompressedStream().SetData("old bytes");
    cl::ReadBinaryProperties(&read, &form);
    EXPECT_EQ(StreamBytes(read), zlib);
    cl::TMemoryStream again;
    cl::WriteBinaryProperties(&read, &again);
    EXPECT_EQ(again.DataString(), form.DataString());
}

TEST(StoredSkin, TheStartSkinLoadsWhileTheFormIsRead)
{
    TempFolder folder;
    const std::string zlib = PackedSkinFiles(folder);

    cl::TComponent root(nullptr);
    TskSkinData* data = nullptr;
    TskCompressedStoredSkin* skin = nullptr;
    {
        cl::TFormLoader load(&root);
        data = load.Create<TskSkinData>("SkinData1");
        load.Reference<TskCompressedStoredSkin>("Skin1", [&](TskCompressedStoredSkin* s) {
            data->SetCompressedStoredSkin(s);
        });
        skin = load.Create<TskCompressedStoredSkin>("Skin1");
        skin->Description = "Packed";
        load.Binary(skin, "CompressedData", zlib);
        load.Finish();
    }
    EXPECT_EQ(data->CompressedStoredSkin(), skin);
    EXPECT_FALSE(data->Empty);
    EXPECT_EQ(data->SkinName, "Packed");
    // The stored skin goes first: the skin data forgets it and keeps the skin.
    skin->Free();
    EXPECT_EQ(data->CompressedStoredSkin(), nullptr);
    EXPECT_FALSE(data->Empty);
}

TEST(StoredSkin, NamesSetAtRunTimeAreOnlyLabels)
{
    TskCompressedStoredSkin stored(nullptr);
    stored.CompressedStream().SetData("bytes");
    stored.SetFileName("C:\\skins\\XSystem\\skin.ini");
    stored.SetCompressedFileName("C:\\skins\\XSystem.skn");
    stored.SetFileName("");
    EXPECT_EQ(stored.FileName(), "");
    EXPECT_EQ(stored.CompressedFileName(), "C:\\skins\\XSystem.skn");
    EXPECT_EQ(StreamBytes(stored), "bytes");
}

// A stored skin as a form designer hosts it.
class TDesignedStoredSkin : public TskCompressedStoredSkin {
public:
    TDesignedStoredSkin() : TskCompressedStoredSkin(nullptr) { SetComponentStateFlag(cl::csDesigning, true); }
};

TEST(StoredSkin, AtDesignTimeTheNamesPackOrReadTheirFiles)
{
    TempFolder folder;
    WriteSkinFiles(folder);
    TDesignedStoredSkin stored;
    stored.SetFileName(folder.File("skin.ini"));
    EXPECT_EQ(stored.FileName(), "skin.ini");
    const std::string zlib = StreamBytes(stored);
    EXPECT_FALSE(zlib.empty());

    folder.Write("skin.skn", Packed(3, zlib));
    TDesignedStoredSkin read;
    read.SetCompressedFileName(folder.File("skin.skn"));
    EXPECT_EQ(read.CompressedFileName(), "skin.skn");
    EXPECT_EQ(StreamBytes(read), zlib);

    // A skin data at design time keeps the reference and loads nothing.
    class TDesignedSkinData : public TskSkinData {
    public:
        TDesignedSkinData() : TskSkinData(nullptr) { SetComponentStateFlag(cl::csDesigning, true); }
    } data;
    data.SetCompressedStoredSkin(&read);
    EXPECT_EQ(data.CompressedStoredSkin(), &read);
    EXPECT_TRUE(data.Empty);
}

TEST(StoredSkin, InflatesAcrossChunkBoundaries)
{
    for (std::size_t size : {std::size_t(0), std::size_t(1), SkinZlibChunk - 1, SkinZlibChunk, SkinZlibChunk + 1,
                             3 * SkinZlibChunk + 7}) {
        SCOPED_TRACE(size);
        std::string data(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            data[i] = static_cast<char>((i * 7919) >> 3);
        TskCompressedStoredSkin stored(nullptr);
        stored.CompressedStream().SetData(Deflate(data, 1));
        cl::TMemoryStream out;
        stored.DecompressToStream(out);
        EXPECT_EQ(out.DataString(), data);
        cl::TMemoryStream packed;
        DeflateSkinData(data.data(), data.size(), packed);
        EXPECT_EQ(InflateAll(packed.DataString()), data);
        // Into a memory stream that already holds more, and into a file.
        cl::TMemoryStream longer;
        longer.SetData(std::string(size + 10, 'x'));
        longer.SetPosition(3);
        stored.DecompressToStream(longer);
        EXPECT_EQ(longer.Position(), static_cast<std::int64_t>(size + 3));
        EXPECT_EQ(longer.DataString(), "xxx" + data + "xxxxxxx");
        TempFolder folder;
        {
            cl::TFileStream file(folder.File("out.bin"), cl::fmCreate);
            stored.DecompressToStream(file);
        }
        EXPECT_EQ(cl::ReadFileBytes(folder.File("out.bin")), data);
    }
}

}  // namespace
