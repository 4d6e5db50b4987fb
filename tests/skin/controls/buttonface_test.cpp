// The faces of the push and the speed button from a skin area that is not nine-part: stretched
// whole or around its client part, with the caption in the description's colour of the state or
// in the button's own; and the skin's animation frames played over the hot and the normal face.
#include "skin/controls/support.h"

#include "skin/controls/Button.h"
#include "skin/controls/SpeedButton.h"

using namespace controltest;

namespace {

std::unique_ptr<TBitmap> Shot(TskSkinButton* B) { return skctrltest::Snapshot(B); }

// A windowless button is painted by its parent: its part of the form's picture.
std::unique_ptr<TBitmap> Shot(TskSkinSpeedButton* B)
{
    const auto form = FormShot(B->Parent());
    auto b = std::make_unique<TBitmap>();
    b->SetSize(B->Width(), B->Height());
    b->Canvas()->CopyRect(Rect(0, 0, B->Width(), B->Height()), form->Canvas(), B->BoundsRect());
    return b;
}

template <class TButton>
struct ButtonFaces : ::testing::Test {
    visual_test::TClockScope clock;
    skctrltest::TTestForm form;
    TControlSkin skin;
    TskDataSkinButtonControl* desc = AddButton(skin, "button", 0);

    void SetUp() override
    {
        form.Form->HandleNeeded();
        desc->Morphing = false;
    }
    // Twice the 40 by 20 area, at the button's own size.
    TButton* Make()
    {
        auto* b = new TButton(form.Form);
        b->SetParent(form.Form);
        b->SetBounds(10, 10, 80, 40);
        b->SetUseSkinSize(false);
        b->SetCaption("MMMM");
        b->SetSkinDataName("button");
        b->SetSkinData(skin.Data);
        return b;
    }
};

using Buttons = ::testing::Types<TskSkinButton, TskSkinSpeedButton>;
TYPED_TEST_SUITE(ButtonFaces, Buttons);

}  // namespace

TYPED_TEST(ButtonFaces, AnAreaOfOnePartIsStretchedWholeAndAStripAroundItsClientPart)
{
    this->desc->RTPoint = this->desc->LBPoint = this->desc->RBPoint = TPoint{0, 0};
    auto* whole = this->Make();
    auto shot = Shot(whole);
    EXPECT_EQ(whole->Width(), 80);
    EXPECT_EQ(shot->Pixels(1, 1), Edge);
    EXPECT_EQ(shot->Pixels(3, 3), Edge) << "the 2-pixel border doubles";
    EXPECT_EQ(shot->Pixels(5, 6), Normal);
    EXPECT_EQ(shot->Pixels(77, 37), Edge);
    whole->Free();

    this->desc->RTPoint = TPoint{38, 2};
    auto* strip = this->Make();
    shot = Shot(strip);
    EXPECT_EQ(shot->Pixels(1, 1), Edge);
    EXPECT_EQ(shot->Pixels(3, 3), Normal) << "the border keeps its width";
    EXPECT_EQ(shot->Pixels(76, 36), Normal);
    EXPECT_EQ(shot->Pixels(78, 38), Edge);
}

TYPED_TEST(ButtonFaces, TheCaptionTakesTheStatesColourFromTheDescriptionOrTheButtonsOwn)
{
    this->desc->RTPoint = this->desc->LBPoint = this->desc->RBPoint = TPoint{0, 0};
    auto* b = this->Make();
    auto shot = Shot(b);
    EXPECT_GT(CountPixels(shot.get(), this->desc->FontColor), 0);
    EXPECT_EQ(CountPixels(shot.get(), this->desc->ActiveFontColor), 0);
    b->Perform(CM_MOUSEENTER);
    shot = Shot(b);
    EXPECT_GT(CountPixels(shot.get(), this->desc->ActiveFontColor), 0);
    EXPECT_EQ(CountPixels(shot.get(), this->desc->FontColor), 0);
    b->Perform(CM_MOUSELEAVE);
    b->SetEnabled(false);
    EXPECT_GT(CountPixels(Shot(b).get(), this->desc->DisabledFontColor), 0);

    b->SetEnabled(true);
    b->SetUseSkinFontColor(false);
    b->DefaultFont()->SetColor(0x000005);
    b->Invalidate();
    shot = Shot(b);
    EXPECT_GT(CountPixels(shot.get(), 0x000005), 0);
    EXPECT_EQ(CountPixels(shot.get(), this->desc->FontColor), 0);
    b->SetEnabled(false);
    EXPECT_GT(CountPixels(Shot(b).get(), this->desc->DisabledFontColor), 0) << "disabled, the skin's colour stands";
}

// Three frames of the skin's animation, each a colour of its own, side by side at y = 40 and one
// below the other at x = 160.
constexpr TColor Frames[] = {0x2060A0, 0x40A020, 0xA02080};

TYPED_TEST(ButtonFaces, AHoverPlaysTheAnimationFramesForwardAndTheLeavingBackward)
{
    TBitmap* p = this->skin.Picture();
    for (int i = 0; i < 3; ++i) {
        PaintArea(p, Rect(i * 40, 40, i * 40 + 40, 60), Edge, Frames[i]);
        PaintArea(p, Rect(160, i * 20, 200, i * 20 + 20), Edge, Frames[i]);
    }
    this->desc->AnimateSkinRect = Rect(0, 40, 120, 60);
    this->desc->FrameCount = 3;
    this->desc->AnimateInterval = 30;
    auto* b = this->Make();
    b->SetUseSkinSize(true);
    auto face = [&] { return Shot(b)->Pixels(5, 6); };
    EXPECT_EQ(face(), Normal);
    b->Perform(CM_MOUSEENTER);
    EXPECT_EQ(face(), Frames[0]);
    this->clock.clock.Advance(30);
    EXPECT_EQ(face(), Frames[1]);
    this->clock.clock.Advance(30);
    EXPECT_EQ(face(), Frames[2]);
    this->clock.clock.Advance(30);
    EXPECT_EQ(face(), Hot) << "the last frame gives way to the hot image";
    b->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(face(), Frames[2]);
    this->clock.clock.Advance(30);
    EXPECT_EQ(face(), Frames[1]);
    this->clock.clock.Advance(60);
    EXPECT_EQ(face(), Normal);

    // A strip no wider than the push button holds its frames one below the other; the speed
    // button always reads them side by side.
    if constexpr (std::is_same_v<TypeParam, TskSkinButton>) {
        this->desc->AnimateSkinRect = Rect(160, 0, 200, 60);
        b->Perform(CM_MOUSEENTER);
        EXPECT_EQ(face(), Frames[0]);
        this->clock.clock.Advance(30);
        EXPECT_EQ(face(), Frames[1]);
    }
}
