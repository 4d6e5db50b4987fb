// Loading whole skins into the skin data: the inflated stream's versions and pictures, the
// description sections, the form description's corrections and the lookups.
#include <gtest/gtest.h>

#include <climits>

#include "classlib/system/SysUtils.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/Stream.h"
#include "skin/data/helpers.h"
#include "support/BmpBytes.h"

using namespace sk;
using namespace sktest;

namespace {

std::string SkinText(const std::vector<std::string>& Extra = {})
{
    std::vector<std::string> lines = {"[VERSION]",
                                      "ver=1",
                                      "skinname=Lagoon",
                                      "skinauthor=Tests",
                                      "[PICTURES]",
                                      "picture=frame.bmp",
                                      "inactivepicture=",
                                      "mask=",
                                      "activepicturescount=2",
                                      "0=atlas.bmp",
                                      "1=popup.bmp",
                                      "[FORMINFO]",
                                      "lefttoppoint=12,36",
                                      "rightbottompoint=190,110",
                                      "clientrect=14,27,208,156",
                                      "[POPUPWINDOW]",
                                      "windowpictureindex=1",
                                      "[HINTWINDOW]",
                                      "windowpictureindex=0",
                                      "[SKINCOLORS]",
                                      "cbtnface=12345",
                                      "[SKINOBJECTS]",
                                      "count=1",
                                      "0=caption:caption",
                                      "[SKINCONTROLS]",
                                      "count=3",
                                      "0=button:button",
                                      "1=Button:panel",
                                      "2=button:checkradio",
                                      "[button]",
                                      "skinrect=0,0,64,25"};
    lines.insert(lines.end(), Extra.begin(), Extra.end());
    return Lines(lines);
}

std::vector<std::string> MainPairs() { return {Flagged(MakeBmp(4, 3, 10)), Absent(), Absent()}; }
std::vector<std::string> TwoPictures() { return {MakeBmp(3, 2, 20), MakeBmp(1, 1, 30)}; }

// A stored skin holding the deflated form of an inflated stream.
std::unique_ptr<TskCompressedStoredSkin> Stored(const std::string& InflatedStream)
{
    auto stored = std::make_unique<TskCompressedStoredSkin>(nullptr);
    stored->CompressedStream().SetData(Deflate(InflatedStream));
    return stored;
}

std::unique_ptr<TskCompressedStoredSkin> StoredRaw(const std::string& ZlibData)
{
    auto stored = std::make_unique<TskCompressedStoredSkin>(nullptr);
    stored->CompressedStream().SetData(ZlibData);
    return stored;
}

void ExpectTheTestSkin(const TskSkinData& data)
{
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(data.SkinName, "Lagoon");
    EXPECT_EQ(data.SkinAuthor, "Tests");
    EXPECT_EQ(data.Picture->Width(), 4);
    EXPECT_EQ(data.Picture->Pixels(3, 2), BmpPixel(3, 2, 10));
    EXPECT_TRUE(data.InactivePicture->Empty());
    EXPECT_TRUE(data.Mask->Empty());
    ASSERT_EQ(data.ActivePictures.Count(), 2);
    EXPECT_EQ(data.ActivePictures[0]->Pixels(2, 1), BmpPixel(2, 1, 20));
    EXPECT_EQ(data.ActivePictures[1]->Pixels(0, 0), BmpPixel(0, 0, 30));
    ASSERT_EQ(data.ActivePictureNames->Count(), 2);
    EXPECT_EQ((*data.ActivePictureNames)[1], "popup.bmp");
    EXPECT_EQ(data.PopupWindow->WindowPictureIndex, 1);
    EXPECT_EQ(data.SkinColors->cBtnFace, 12345);
    EXPECT_EQ(data.ObjectList.Count(), 1);
    EXPECT_EQ(data.CtrlList.Count(), 3);
}

TEST(SkinDataLoad, AFreshSkinDataIsEmptyAndFindsNothing)
{
    TskSkinData data(nullptr);
    EXPECT_TRUE(data.Empty);
    EXPECT_TRUE(data.EnableSkinEffects);
    EXPECT_EQ(data.BGPictureIndex, -1);
    EXPECT_EQ(data.MDIBGPictureIndex, -1);
    EXPECT_EQ(data.IndexOfControl("button"), -1);
    EXPECT_EQ(data.IndexOfObject("caption"), -1);
    EXPECT_EQ(data.SkinColors->cBtnFace, cl::clBtnFace);
}

TEST(SkinDataLoad, VersionsZeroToThreeShareOneLayoutAndVersionTwoCarriesTwoMorePairs)
{
    for (int version : {0, 1, 3, -7}) {
        SCOPED_TRACE(version);
        TskSkinData data(nullptr);
        auto stored = Stored(Inflated(version, MainPairs(), TwoPictures(), SkinText()));
        data.SetCompressedStoredSkin(stored.get());
        ExpectTheTestSkin(data);
    }
    TskSkinData data(nullptr);
    std::vector<std::string> pairs = MainPairs();
    pairs.push_back(Flagged(MakeBmp(5, 5, 99)));
    pairs.push_back(Absent());
    auto stored = Stored(Inflated(2, pairs, TwoPictures(), SkinText()));
    data.LoadCompressedStoredSkin(stored.get());
    ExpectTheTestSkin(data);
}

TEST(SkinDataLoad, ANewerVersionClearsTheSkinAndLeavesItEmpty)
{
    TskSkinData data(nullptr);
    auto good = Stored(Inflated(3, MainPairs(), TwoPictures(), SkinText()));
    data.LoadCompressedStoredSkin(good.get());
    ASSERT_FALSE(data.Empty);
    auto newer = Stored(Inflated(4, MainPairs(), TwoPictures(), SkinText()));
    data.LoadCompressedStoredSkin(newer.get());
    EXPECT_TRUE(data.Empty);
    EXPECT_TRUE(data.Picture->Empty());
    EXPECT_EQ(data.ActivePictures.Count(), 0);
    EXPECT_EQ(data.CtrlList.Count(), 0);
    EXPECT_EQ(data.PopupWindow->WindowPictureIndex, -1);
    EXPECT_EQ(data.SkinColors->cBtnFace, cl::clBtnFace);
}

TEST(SkinDataLoad, AnEmptyOrNilStoredSkinChangesNothing)
{
    TskSkinData data(nullptr);
    auto good = Stored(Inflated(3, MainPairs(), TwoPictures(), SkinText()));
    data.SetCompressedStoredSkin(good.get());
    TskCompressedStoredSkin empty(nullptr);
    data.SetCompressedStoredSkin(&empty);
    EXPECT_EQ(data.CompressedStoredSkin(), &empty);
    ExpectTheTestSkin(data);
    data.SetCompressedStoredSkin(nullptr);
    EXPECT_EQ(data.CompressedStoredSkin(), nullptr);
    ExpectTheTestSkin(data);
}

TEST(SkinDataLoad, AnInactivePictureFlagOtherThanZeroMeansNoPicture)
{
    TskSkinData data(nullptr);
    std::vector<std::string> pairs = {Flagged(MakeBmp(2, 2, 1)), std::string(1, '\x7F'), Flagged(MakeBmp(2, 2, 3))};
    auto stored = Stored(Inflated(3, pairs, {}, SkinText()));
    data.LoadCompressedStoredSkin(stored.get());
    EXPECT_FALSE(data.Picture->Empty());
    EXPECT_TRUE(data.InactivePicture->Empty());
    EXPECT_EQ(data.Mask->Pixels(1, 1), BmpPixel(1, 1, 3));
    EXPECT_EQ(data.ActivePictures.Count(), 0);
    EXPECT_EQ(data.SkinName, "Lagoon");
}

TEST(SkinDataLoad, ReferencesAreDroppedWhenTheirComponentsGo)
{
    TskSkinData data(nullptr);
    auto* strings = new TskResourceStrData(nullptr);
    data.SetResourceStrData(strings);
    EXPECT_EQ(data.ResourceStrData(), strings);
    auto* stored = Stored(Inflated(3, MainPairs(), TwoPictures(), SkinText())).release();
    data.SetCompressedStoredSkin(stored);
    strings->Free();
    stored->Free();
    EXPECT_EQ(data.ResourceStrData(), nullptr);
    EXPECT_EQ(data.CompressedStoredSkin(), nullptr);
    // The skin itself stays loaded.
    ExpectTheTestSkin(data);
}

TEST(SkinDataLookups, ExactCaseSensitiveFirstMatch)
{
    TskSkinData data(nullptr);
    auto stored = Stored(Inflated(3, MainPairs(), TwoPictures(), SkinText()));
    data.LoadCompressedStoredSkin(stored.get());
    EXPECT_EQ(data.IndexOfControl("button"), 0);
    EXPECT_NE(dynamic_cast<TskDataSkinButtonControl*>(data.CtrlList[0]), nullptr);
    EXPECT_EQ(data.IndexOfControl("Button"), 1);
    EXPECT_EQ(data.IndexOfControl("BUTTON"), -1);
    EXPECT_EQ(data.IndexOfControl("butto"), -1);
    EXPECT_EQ(data.IndexOfControl(""), -1);
    EXPECT_EQ(data.IndexOfObject("caption"), 0);
    EXPECT_EQ(data.IndexOfObject("button"), -1);
}

TEST(SkinDataFormInfo, CornersAreClampedIntoTheClientRectangle)
{
    TskSkinData data(nullptr);
    auto stored = Stored(Inflated(3, MainPairs(), {}, SkinText()));
    data.LoadCompressedStoredSkin(stored.get());
    EXPECT_EQ(data.LTPoint, (TPoint{14, 36}));
    EXPECT_EQ(data.RBPoint, (TPoint{190, 110}));
    EXPECT_EQ(data.ClRect, (TRect{14, 27, 208, 156}));
    // Without a mask the hit-test points and the mask area stay as read.
    EXPECT_EQ(data.MaskRectArea, TRect{});
    EXPECT_EQ(data.HitTestLTPoint, TPoint{});

    // Each corner on each axis, in a client rectangle of 10,20,190,110.
    const struct {
        const char* lt;
        const char* rt;
        const char* lb;
        const char* rb;
        TPoint LT, RT, LB, RB;
    } cases[] = {
        {"2,3", "200,5", "5,150", "200,150", {10, 20}, {190, 20}, {10, 110}, {190, 110}},  // all outside
        {"2,30", "180,5", "20,150", "200,100", {10, 30}, {180, 20}, {20, 110}, {190, 100}},  // one axis each
        {"20,3", "200,30", "5,100", "180,150", {20, 20}, {190, 30}, {10, 100}, {180, 110}},  // the other axis
        {"20,30", "180,30", "20,100", "180,100", {20, 30}, {180, 30}, {20, 100}, {180, 100}},  // all inside
        {"2,3", "200,5", "5,150", "2,150", {2, 3}, {200, 5}, {5, 150}, {2, 150}},  // right-bottom X = left-top X
        {"2,3", "200,5", "5,150", "200,3", {2, 3}, {200, 5}, {5, 150}, {200, 3}},  // right-bottom Y = left-top Y
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lt << " " << c.rt << " " << c.lb << " " << c.rb);
        auto ini = IniOf(Lines({"[FORMINFO]", std::string("lefttoppoint=") + c.lt, std::string("righttoppoint=") + c.rt,
                                std::string("leftbottompoint=") + c.lb, std::string("rightbottompoint=") + c.rb,
                                "clientrect=10,20,190,110"}));
        data.LoadFormInfo(*ini);
        EXPECT_EQ(data.LTPoint, c.LT);
        EXPECT_EQ(data.RTPoint, c.RT);
        EXPECT_EQ(data.LBPoint, c.LB);
        EXPECT_EQ(data.RBPoint, c.RB);
    }
}

TEST(SkinDataFormInfo, AMaskNameSwitchesOnTheMaskCorrections)
{
    auto ini = IniOf(Lines({"[FORMINFO]", "lefttoppoint=5,30", "rightbottompoint=180,100",
                            "clientrect=10,20,190,110", "hittestlefttoppoint=0,9", "hittestrighttoppoint=5,6",
                            "inactiveeffect=iesplitblur"}));
    TskSkinData data(nullptr);
    data.LoadFormInfo(*ini);
    EXPECT_EQ(data.HitTestLTPoint, (TPoint{0, 9}));
    EXPECT_EQ(data.MaskRectArea, TRect{});
    EXPECT_EQ(data.InactiveEffect, ieSplitBlur);

    data.MaskName = "mask.bmp";
    data.LoadFormInfo(*ini);
    // The hit-test point takes the corner as read, before the corner moves into the client area.
    EXPECT_EQ(data.HitTestLTPoint, (TPoint{5, 30}));
    EXPECT_EQ(data.LTPoint, (TPoint{10, 30}));
    EXPECT_EQ(data.HitTestRTPoint, (TPoint{5, 6}));
    EXPECT_EQ(data.HitTestRBPoint, (TPoint{180, 100}));
    EXPECT_EQ(data.MaskRectArea, (TRect{10, 20, 190, 110}));

    // With a mask, a mask area empty on either axis becomes the client area, a real one grows to
    // hold it; a hit-test corner empty on either axis takes its corner.
    const struct {
        const char* mask;
        const char* hitTest;  // every hit-test corner
        TRect MaskArea;
        bool cornersTaken;
    } cases[] = {
        {"15,5,100,200", "7,8", {10, 5, 190, 200}, false},
        {"15,5,15,200", "0,8", {10, 20, 190, 110}, true},   // no width; hit-test X empty
        {"15,60,100,60", "7,0", {10, 20, 190, 110}, true},  // no height; hit-test Y empty
        {"0,0,0,0", "0,0", {10, 20, 190, 110}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask area " << c.mask << ", hit-test corners " << c.hitTest);
        std::vector<std::string> lines = {"[FORMINFO]", "lefttoppoint=5,30", "righttoppoint=185,25",
                                          "leftbottompoint=12,105", "rightbottompoint=180,100",
                                          "clientrect=10,20,190,110", std::string("maskrectarea=") + c.mask};
        for (const char* corner : {"lefttop", "righttop", "leftbottom", "rightbottom"})
            lines.push_back(std::string("hittest") + corner + "point=" + c.hitTest);
        data.LoadFormInfo(*IniOf(Lines(lines)));
        EXPECT_EQ(data.MaskRectArea, c.MaskArea);
        auto expected = [&](TPoint Corner) { return c.cornersTaken ? Corner : TPoint{7, 8}; };
        EXPECT_EQ(data.HitTestLTPoint, expected({5, 30}));
        EXPECT_EQ(data.HitTestRTPoint, expected({185, 25}));
        EXPECT_EQ(data.HitTestLBPoint, expected({12, 105}));
        EXPECT_EQ(data.HitTestRBPoint, expected({180, 100}));
    }
}

// ---------------------------------------------------------------------------------------------
// Damaged skins: an error of the layer, the skin cleared and Empty, the program unharmed.

void ExpectClearedAfter(const std::string& ZlibData, bool Raises = true)
{
    TskSkinData data(nullptr);
    auto good = Stored(Inflated(3, MainPairs(), TwoPictures(), SkinText()));
    data.LoadCompressedStoredSkin(good.get());
    auto bad = StoredRaw(ZlibData);
    if (Raises)
        EXPECT_THROW(data.LoadCompressedStoredSkin(bad.get()), cl::Exception);
    else
        data.LoadCompressedStoredSkin(bad.get());
    EXPECT_TRUE(data.Empty);
    EXPECT_TRUE(data.Picture->Empty());
    EXPECT_EQ(data.ActivePictures.Count(), 0);
    EXPECT_EQ(data.CtrlList.Count(), 0);
    EXPECT_EQ(data.ObjectList.Count(), 0);
    EXPECT_EQ(data.ActivePictureNames->Count(), 0);
    // The next good load works as if nothing had happened.
    data.LoadCompressedStoredSkin(good.get());
    ExpectTheTestSkin(data);
}

TEST(SkinDataDamaged, CorruptOrTruncatedZlibData)
{
    std::string zlib = Deflate(Inflated(3, MainPairs(), TwoPictures(), SkinText()));
    std::string corrupt = zlib;
    corrupt[corrupt.size() / 2] ^= 0x55;
    corrupt[corrupt.size() / 2 + 1] ^= 0x3C;
    ExpectClearedAfter(corrupt);
    ExpectClearedAfter(zlib.substr(0, zlib.size() / 2));
    ExpectClearedAfter(zlib.substr(0, 2));
    ExpectClearedAfter("not zlib at all");
}

TEST(SkinDataDamaged, TruncatedStreamsAndPictures)
{
    const std::string whole = Inflated(3, MainPairs(), TwoPictures(), "");
    // Cut anywhere inside the picture block: version, flags, headers, rows, count.
    for (std::size_t cut : {std::size_t(2), std::size_t(4), std::size_t(5), std::size_t(20), std::size_t(60),
                            whole.size() - 40, whole.size() - 1}) {
        SCOPED_TRACE(cut);
        ExpectClearedAfter(Deflate(whole.substr(0, cut)));
    }
}

TEST(SkinDataDamaged, PictureHeadersThatLie)
{
    std::string bmp = MakeBmp(4, 4, 1);
    // A file length far past the stream.
    std::string tooLong = bmp;
    tooLong[2] = '\xFF';
    tooLong[3] = '\xFF';
    tooLong[4] = '\xFF';
    ExpectClearedAfter(Deflate(Inflated(3, {Flagged(tooLong), Absent(), Absent()}, {}, SkinText())));
    // Rows for a 30000 x 30000 picture in a stream of a few bytes.
    std::string huge = bmp;
    huge[18] = '\x30';
    huge[19] = '\x75';
    huge[22] = '\x30';
    huge[23] = '\x75';
    ExpectClearedAfter(Deflate(Inflated(3, {Flagged(huge), Absent(), Absent()}, {}, SkinText())));
    // Dimensions whose row size would not fit in any integer.
    std::string wide = bmp;
    for (int i : {18, 19, 20, 22, 23, 24})
        wide[i] = '\xFF';
    wide[21] = '\x7F';
    wide[25] = '\x7F';
    wide[28] = 32;
    ExpectClearedAfter(Deflate(Inflated(3, {Flagged(wide), Absent(), Absent()}, {}, SkinText())));
    // Not a BMP file at all.
    std::string notBmp = bmp;
    notBmp[0] = 'X';
    ExpectClearedAfter(Deflate(Inflated(3, {Flagged(notBmp), Absent(), Absent()}, {}, SkinText())));
    // A length that is shorter than the rows: the rows decide, the next field follows them.
    std::string shortLength = bmp;
    shortLength[2] = 20;
    shortLength[3] = 0;
    shortLength[4] = 0;
    shortLength[5] = 0;
    TskSkinData data(nullptr);
    auto stored = Stored(Inflated(3, {Flagged(shortLength), Absent(), Absent()}, {}, SkinText()));
    data.LoadCompressedStoredSkin(stored.get());
    EXPECT_EQ(data.Picture->Pixels(3, 3), BmpPixel(3, 3, 1));
    EXPECT_EQ(data.SkinName, "Lagoon");
}

TEST(SkinDataDamaged, PictureCountsThatCannotBeTrue)
{
    std::string stream = Int32(3) + Absent() + Absent() + Absent() + Int32(INT_MAX) + MakeBmp(1, 1, 1);
    ExpectClearedAfter(Deflate(stream));
    std::string many = Int32(3) + Absent() + Absent() + Absent() + Int32(MaxSkinPictureCount + 1);
    for (int i = 0; i <= MaxSkinPictureCount; ++i)
        many += MakeBmp(1, 1, 1);
    ExpectClearedAfter(Deflate(many));
    // A negative count means no pictures, and the text follows.
    TskSkinData data(nullptr);
    auto stored = Stored(Int32(3) + Absent() + Absent() + Absent() + Int32(-5) + SkinText());
    data.LoadCompressedStoredSkin(stored.get());
    EXPECT_EQ(data.SkinName, "Lagoon");
    EXPECT_EQ(data.ActivePictures.Count(), 0);
}

TEST(SkinDataDamaged, ABadRectangleInTheTextEndsTheLoad)
{
    ExpectClearedAfter(Deflate(Inflated(3, MainPairs(), {}, Lines({"[VERSION]", "skinname=x", "[FORMINFO]",
                                                                   "clientrect=1,2"}))));
}

TEST(SkinDataDamaged, JunkTextLoadsWithDefaults)
{
    TskSkinData data(nullptr);
    std::string junk = "\x01\x02garbage\r\n[[[\r\n=\r\n==x\r\n[SKINCONTROLS]\r\ncount=abc\r\n0=a:button\r\n";
    junk += std::string(3, '\0') + "\xFF\xFE\r\n[FORMINFO]\r\nbgpictureindex=-99999999999\r\n";
    auto stored = Stored(Inflated(3, {Absent(), Absent(), Absent()}, {}, junk));
    data.LoadCompressedStoredSkin(stored.get());
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(data.CtrlList.Count(), 0);
    EXPECT_EQ(data.BGPictureIndex, -1);
    EXPECT_EQ(data.SkinName, "");
}

// A 1-bit picture: little data, many pixels.
std::string OneBitBmp(int Width, int Height)
{
    std::string bmp = test_support::BmpHeaders(Width, Height, 1, 2) + Int32(0) + Int32(0x00FFFFFF);
    return bmp + std::string(test_support::BmpRowSize(Width, 1) * Height, '\0');
}

TEST(SkinDataDamaged, PicturesBeyondWhatASkinHoldsAreRefused)
{
    // 8000 x 8000 at one bit per pixel is 8 MB of data but 192 MB of pixels.
    ExpectClearedAfter(Deflate(Inflated(3, {Flagged(OneBitBmp(8000, 8000)), Absent(), Absent()}, {}, SkinText())));
    // Several pictures that each fit but together do not.
    std::vector<std::string> pictures(5, OneBitBmp(4000, 2000));
    ExpectClearedAfter(Deflate(Inflated(3, {Absent(), Absent(), Absent()}, pictures, SkinText())));
    // A 1-bit picture of a sane size still loads.
    TskSkinData data(nullptr);
    auto stored = Stored(Inflated(3, {Flagged(OneBitBmp(40, 30)), Absent(), Absent()}, {}, SkinText()));
    data.LoadCompressedStoredSkin(stored.get());
    EXPECT_EQ(data.Picture->Width(), 40);
    EXPECT_EQ(data.Picture->Pixels(39, 29), 0);
}

TEST(SkinDataDamaged, AStreamThatInflatesWithoutEndIsStopped)
{
    // 65 MiB of zeros deflate to about 64 KiB.
    std::string bomb = Deflate(std::string(static_cast<std::size_t>(MaxInflatedSkinSize) + 1024 * 1024, '\0'), 9);
    ExpectClearedAfter(bomb);
}

}  // namespace
