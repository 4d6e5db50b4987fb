// The skinned control bases on real windows: lookup by name, the default look, skin sizes,
// the skin-change protocol, removal of the skin data and the windowless twins.
#include "skin/bases/support.h"

#include "skin/bases/SkinCtrls.h"
#include "skin/bases/Graphic.h"

using namespace cl;
using namespace sk;
using namespace skctrltest;

namespace {

constexpr TColor SkinRed = 0x0000C0;
constexpr TColor SkinBlue = 0xC00000;

// A 60 by 40 skin area at (0, 0): a red border 5 wide around a blue middle.
void PaintFramedArea(TBitmap* Picture)
{
    Picture->SetSize(100, 100);
    Picture->Fill(SkinRed);
    for (int y = 5; y < 35; ++y)
        for (int x = 5; x < 55; ++x)
            Picture->SetPixels(x, y, SkinBlue);
}

TskDataSkinCustomControl* AddArea(TTestSkin& Skin, const std::string& Name, TskResizeMode Mode)
{
    auto* d = Skin.Add<TskDataSkinCustomControl>(Name);
    d->PictureIndex = 0;
    d->SkinRect = {0, 0, 60, 40};
    d->LTPoint = {5, 5};
    d->ClRect = {5, 5, 55, 35};
    switch (Mode) {
    case rmNinePart:
        d->RTPoint = {55, 5};
        d->LBPoint = {5, 35};
        d->RBPoint = {55, 35};
        break;
    case rmHorzStrip: d->RTPoint = {55, 5}; break;
    case rmVertStrip: d->LBPoint = {5, 35}; break;
    default: break;
    }
    return d;
}

struct SkinBases : ::testing::Test {
    TTestForm form;
    TTestSkin skin;
    TskSkinCustomControl* control = nullptr;
    void SetUp() override
    {
        PaintFramedArea(skin.Picture());
        control = new TskSkinCustomControl(form.Form);
        control->SetParent(form.Form);
        control->SetBounds(10, 10, 80, 50);
    }
};

}  // namespace

TEST_F(SkinBases, AnUnknownNameKeepsTheDefaultLookAndTakesTheDefaultSize)
{
    control->SetSkinDataName("nosuchcontrol");
    control->SetDefaultWidth(70);
    control->SetDefaultHeight(30);
    EXPECT_EQ(control->Width(), 70) << "unskinned, a default size applies at once";
    control->SetSkinData(skin.Data);
    EXPECT_EQ(control->DescriptionIndex(), -1);
    EXPECT_EQ(control->Height(), 30);
    auto shot = Snapshot(control);
    EXPECT_EQ(shot->Pixels(0, 0), Rgb(clBtnFace));
    EXPECT_EQ(shot->Pixels(69, 29), Rgb(clBtnFace));
}

TEST_F(SkinBases, ANinePartSkinIsComposedToTheControlsSize)
{
    AddArea(skin, "area", rmNinePart);
    control->SetSkinDataName("area");
    control->SetSkinData(skin.Data);
    ASSERT_EQ(control->DescriptionIndex(), 0);
    EXPECT_EQ(control->Width(), 80);
    auto shot = Snapshot(control);
    EXPECT_EQ(shot->Pixels(1, 1), SkinRed);
    EXPECT_EQ(shot->Pixels(78, 48), SkinRed) << "the far corner moves with the size";
    EXPECT_EQ(shot->Pixels(40, 25), SkinBlue);
    EXPECT_EQ(shot->Pixels(74, 25), SkinBlue);
    EXPECT_EQ(shot->Pixels(76, 25), SkinRed);
}

TEST_F(SkinBases, FixedAndStripSkinsForceTheirSizeOnEverySetBounds)
{
    AddArea(skin, "fixed", rmFixed);
    AddArea(skin, "hstrip", rmHorzStrip);
    AddArea(skin, "vstrip", rmVertStrip);
    control->SetSkinDataName("fixed");
    control->SetSkinData(skin.Data);
    EXPECT_EQ(control->Width(), 60);
    EXPECT_EQ(control->Height(), 40);
    control->SetBounds(0, 0, 120, 90);
    EXPECT_EQ(control->Width(), 60);
    EXPECT_EQ(control->Height(), 40);

    control->SetSkinDataName("hstrip");
    control->ChangeSkinData();
    control->SetBounds(0, 0, 150, 90);
    EXPECT_EQ(control->Width(), 150);
    EXPECT_EQ(control->Height(), 40);

    control->SetSkinDataName("vstrip");
    control->ChangeSkinData();
    control->SetBounds(0, 0, 150, 90);
    EXPECT_EQ(control->Width(), 60);
    EXPECT_EQ(control->Height(), 90);
}

TEST_F(SkinBases, ASkinChangeDropsTheDescriptionAndReadsItAgain)
{
    AddArea(skin, "area", rmNinePart);
    control->SetSkinDataName("area");
    control->SetSkinData(skin.Data);
    ASSERT_EQ(control->DescriptionIndex(), 0);
    control->BeforeChangeSkinData();
    EXPECT_EQ(control->DescriptionIndex(), -1);
    // While the skin is being replaced it counts as absent: painting shows the default look.
    skin.Data->Empty = true;
    EXPECT_EQ(Snapshot(control)->Pixels(40, 25), Rgb(clBtnFace));
    skin.Data->Empty = false;
    control->ChangeSkinData();
    EXPECT_EQ(control->DescriptionIndex(), 0);
    EXPECT_EQ(Snapshot(control)->Pixels(40, 25), SkinBlue);
}

TEST_F(SkinBases, SettingAnEmptySkinChangesNothingUntilItIsLoaded)
{
    AddArea(skin, "fixed", rmFixed);
    skin.Data->Empty = true;
    control->SetSkinDataName("fixed");
    control->SetSkinData(skin.Data);
    EXPECT_EQ(control->Width(), 80);
    EXPECT_EQ(control->DescriptionIndex(), -1);
}

TEST_F(SkinBases, RemovingTheSkinDataLeavesTheControlUnskinned)
{
    AddArea(skin, "area", rmNinePart);
    control->SetSkinDataName("area");
    control->SetSkinData(skin.Data);
    skin.Remove();
    EXPECT_EQ(control->SkinData(), nullptr);
    EXPECT_EQ(control->DescriptionIndex(), -1);
    EXPECT_EQ(Snapshot(control)->Pixels(40, 25), Rgb(clBtnFace));
}

TEST_F(SkinBases, ADescriptionOfAnotherKindLeavesTheControlUnskinnedAtItsSize)
{
    skin.Add<TskDataSkinStdLabelControl>("label");
    control->SetSkinDataName("label");
    control->SetSkinData(skin.Data);
    EXPECT_EQ(control->DescriptionIndex(), -1);
    EXPECT_EQ(control->Width(), 80);
    EXPECT_EQ(control->Height(), 50);
}

TEST_F(SkinBases, EraseBackgroundPaintsNothing)
{
    control->HandleNeeded();
    TBitmap b;
    b.SetSize(80, 50);
    b.Fill(0x123456);
    const LRESULT r = SendMessageA(control->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0);
    GdiFlush();
    EXPECT_NE(r, 0);
    EXPECT_EQ(b.Pixels(5, 5), 0x123456);
}

TEST_F(SkinBases, MouseEnterAndLeaveReachTheEvents)
{
    int enters = 0, leaves = 0;
    control->OnMouseEnter = [&](TObject* s) { enters += s == control; };
    control->OnMouseLeave = [&](TObject* s) { leaves += s == control; };
    control->Perform(CM_MOUSEENTER);
    control->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 1);
}

TEST_F(SkinBases, AMaskGivesTheWindowARegionOfItsSizeInEveryStretchModeAndLosingItTakesItAway)
{
    // The 60 by 40 mask: solid but for a cut 5 by 5 corner at the left top and at the right
    // bottom, which stay corners at every size.
    auto mask = std::make_unique<TBitmap>();
    mask->SetSize(60, 40);
    mask->Fill(clBlack);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            mask->SetPixels(x, y, clWhite);
            mask->SetPixels(55 + x, 35 + y, clWhite);
        }
    skin.Data->ActivePictures.Add(std::move(mask));
    const struct {
        const char* name;
        TskResizeMode mode;
        int width, height;  // what a request for 120 by 90 gives
    } cases[] = {
        {"fixed", rmFixed, 60, 40},
        {"ninepart", rmNinePart, 120, 90},
        {"hstrip", rmHorzStrip, 120, 40},
        {"vstrip", rmVertStrip, 60, 90},
    };
    for (const auto& c : cases)
        AddArea(skin, c.name, c.mode)->MaskPictureIndex = 1;
    control->HandleNeeded();
    control->SetSkinData(skin.Data);
    TOwnedRegion probe(CreateRectRgn(0, 0, 0, 0));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        control->SetSkinDataName(c.name);
        control->ChangeSkinData();
        control->SetBounds(0, 0, 120, 90);
        ASSERT_EQ(control->Width(), c.width);
        ASSERT_EQ(control->Height(), c.height);
        ASSERT_NE(GetWindowRgn(control->Handle(), probe.Handle()), ERROR);
        RECT box{};
        GetRgnBox(probe.Handle(), &box);
        EXPECT_EQ(box.right, c.width);
        EXPECT_EQ(box.bottom, c.height);
        auto in = [&](int X, int Y) { return PtInRegion(probe.Handle(), X, Y) != FALSE; };
        EXPECT_FALSE(in(2, 2)) << "the cut left-top corner";
        EXPECT_FALSE(in(c.width - 3, c.height - 3)) << "the cut right-bottom corner";
        EXPECT_TRUE(in(c.width - 3, 2));
        EXPECT_TRUE(in(2, c.height - 3));
        // The middle of every edge, the ends of a strip beside its client area included.
        EXPECT_TRUE(in(2, c.height / 2));
        EXPECT_TRUE(in(c.width - 3, c.height / 2));
        EXPECT_TRUE(in(c.width / 2, 2));
        EXPECT_TRUE(in(c.width / 2, c.height - 3));
        EXPECT_TRUE(in(c.width / 2, c.height / 2));
        if (c.mode != rmFixed) {
            EXPECT_TRUE(in(57, 37)) << "where the skin's corner was, the stretched middle";
        }
    }
    control->SetSkinDataName("none");
    control->ChangeSkinData();
    EXPECT_EQ(GetWindowRgn(control->Handle(), probe.Handle()), ERROR);
}

// --- Windowless

namespace {

// A panel that paints its windowless children, for looking at them.
struct TGraphicScene {
    TTestForm form;
    TskGraphicSkinCustomControl* control = new TskGraphicSkinCustomControl(form.Form);
    TGraphicScene()
    {
        control->SetParent(form.Form);
        control->SetBounds(10, 10, 40, 30);
    }
    TColor PixelAt(int X, int Y)
    {
        TBitmap b;
        b.SetSize(form.Form->ClientWidth(), form.Form->ClientHeight());
        SendMessageA(form.Form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(b.Canvas()->Handle()),
                     PRF_CLIENT);
        GdiFlush();
        return b.Pixels(control->Left() + X, control->Top() + Y);
    }
};

}  // namespace

TEST(GraphicSkinBases, AnUnknownNamePaintsButtonFaceAtTheDefaultSize)
{
    TGraphicScene s;
    TTestSkin skin;
    s.control->SetSkinDataName("nosuch");
    s.control->SetDefaultWidth(33);
    s.control->SetDefaultHeight(21);
    s.control->SetSkinData(skin.Data);
    EXPECT_EQ(s.control->Width(), 33);
    EXPECT_EQ(s.control->Height(), 21);
    EXPECT_EQ(s.PixelAt(3, 3), Rgb(clBtnFace));
}

TEST(GraphicSkinBases, AVerticalStripKeepsItsWidthAndRemovalLeavesItUnskinned)
{
    TGraphicScene s;
    TTestSkin skin;
    PaintFramedArea(skin.Picture());
    AddArea(skin, "vstrip", rmVertStrip);
    s.control->SetSkinDataName("vstrip");
    s.control->SetSkinData(skin.Data);
    s.control->SetBounds(10, 10, 100, 70);
    EXPECT_EQ(s.control->Width(), 60);
    EXPECT_EQ(s.control->Height(), 70);
    EXPECT_EQ(s.PixelAt(30, 35), SkinBlue);
    s.control->BeforeChangeSkinData();
    EXPECT_EQ(s.control->DescriptionIndex(), -1);
    skin.Remove();
    EXPECT_EQ(s.control->SkinData(), nullptr);
    EXPECT_EQ(s.PixelAt(30, 35), Rgb(clBtnFace));
}

// --- Border strips and the glyph helpers

namespace {

// A panel-like control: its nine-part skin painted as border strips and a tiled client.
class TStripPanel : public TskSkinCustomControl {
public:
    explicit TStripPanel(TComponent* AOwner) : TskSkinCustomControl(AOwner) { borderStripPainting_ = true; }
};

// The top-left corner of the first pixel of Colour, row by row.
TPoint FirstPixel(const TBitmap& B, TColor Colour)
{
    for (int y = 0; y < B.Height(); ++y)
        for (int x = 0; x < B.Width(); ++x)
            if (B.Pixels(x, y) == Colour)
                return {x, y};
    return {-1, -1};
}

}  // namespace

TEST_F(SkinBases, BorderStripPaintingTilesTheClientPartInsideTheBorders)
{
    TBitmap* p = skin.Picture();
    PaintFramedArea(p);
    // A client part of two colours side by side, so that its tiles can be counted.
    for (int y = 5; y < 35; ++y)
        for (int x = 30; x < 55; ++x)
            p->SetPixels(x, y, 0x00C000);
    AddArea(skin, "panel", rmNinePart);
    auto* panel = new TStripPanel(form.Form);
    panel->SetParent(form.Form);
    panel->SetBounds(0, 0, 130, 60);
    panel->SetSkinDataName("panel");
    panel->SetSkinData(skin.Data);
    auto shot = Snapshot(panel);
    EXPECT_EQ(shot->Pixels(1, 1), SkinRed);
    EXPECT_EQ(shot->Pixels(128, 58), SkinRed);
    // The client part is 50 wide: blue 25, green 25, then again from x = 55.
    EXPECT_EQ(shot->Pixels(10, 20), SkinBlue);
    EXPECT_EQ(shot->Pixels(40, 20), 0x00C000);
    EXPECT_EQ(shot->Pixels(60, 20), SkinBlue);
    EXPECT_EQ(shot->Pixels(90, 20), 0x00C000);
    EXPECT_EQ(shot->Pixels(124, 20), SkinBlue) << "the last tile is cut at the border";
}

TEST(GlyphHelpers, APressedGlyphMovesOnePixelRightAndDown)
{
    TBitmap glyph;
    glyph.SetSize(16, 8);  // two frames of 8 by 8
    glyph.Fill(0x00FF00);
    for (int y = 0; y < 8; ++y)
        for (int x = 8; x < 16; ++x)
            glyph.SetPixels(x, y, 0x0000FF);
    // Frames are drawn without the colour of their bottom-left pixel.
    glyph.SetPixels(0, 7, clWhite);
    glyph.SetPixels(8, 7, clWhite);
    auto draw = [&](bool Pressed, int Frame) {
        TBitmap b;
        b.SetSize(60, 30);
        b.Fill(clWhite);
        DrawCaptionWithGlyph(b.Canvas(), cl::Rect(0, 0, 60, 30), -1, 4, blGlyphLeft, "", &glyph, 2, Frame, Pressed);
        GdiFlush();
        return std::make_pair(FirstPixel(b, 0x00FF00), FirstPixel(b, 0x0000FF));
    };
    const auto normal = draw(false, 1);
    const auto pressed = draw(true, 1);
    // No caption: the 8-wide glyph and the spacing centred, (60 - 12) / 2 = 24 from the left.
    EXPECT_EQ(normal.first, (TPoint{30 - 6, 15 - 4}));
    EXPECT_EQ(pressed.first, (TPoint{normal.first.X + 1, normal.first.Y + 1}));
    EXPECT_EQ(normal.second, (TPoint{-1, -1})) << "only the first frame";
    EXPECT_EQ(draw(false, 2).second, normal.first);
    // No frames at all: nothing is drawn, nothing divides by zero.
    TBitmap b;
    b.SetSize(10, 10);
    DrawCaptionWithGlyph(b.Canvas(), cl::Rect(0, 0, 10, 10), -1, 4, blGlyphLeft, "", &glyph, 0, 1, false);
}
