// The push button's fade between its normal and its hot face: each face is composed once for a
// fade and only blended on its ticks, and a change of what a face shows (the glyph, the size,
// the focus rectangle, the skin) is seen at the next tick.
#include "skin/controls/support.h"

#include "skin/controls/Button.h"

using namespace controltest;

namespace {

// A push button that counts the faces it composes.
class TCountingButton : public TskSkinButton {
public:
    using TskSkinButton::TskSkinButton;
    int Composed = 0;

protected:
    void DrawButtonState(TBitmap* B, const TRect& R, bool Active, bool Down) override
    {
        ++Composed;
        TskSkinButton::DrawButtonState(B, R, Active, Down);
    }
};

struct ButtonFade : ::testing::Test {
    visual_test::TClockScope clock;
    skctrltest::TTestForm form;
    TControlSkin skin;
    TskDataSkinButtonControl* desc = AddButton(skin, "button", 0);
    TCountingButton* button = nullptr;

    void SetUp() override
    {
        desc->Morphing = true;
        button = new TCountingButton(form.Form);
        button->SetParent(form.Form);
        button->SetBounds(10, 10, 75, 25);
        button->SetCanFocused(false);
        button->SetSkinData(skin.Data);
        form.Form->Show();
        cl::Application->ProcessMessages();
    }
    std::unique_ptr<TBitmap> Shot() { return skctrltest::Snapshot(button); }
    TColor Face() { return Shot()->Pixels(5, 6); }
    void Tick() { clock.clock.Advance(TskFade::Interval); }
};

// A glyph of one colour, 8 by 8, but for its bottom-left pixel, which names the colour it
// leaves out.
void SolidGlyph(TBitmap* G, TColor C)
{
    G->SetSize(8, 8);
    G->Fill(C);
    G->SetPixels(0, 7, 0x000000);
}

}  // namespace

TEST_F(ButtonFade, EachFaceIsComposedOnceAndTheTicksOnlyBlendThem)
{
    button->Composed = 0;
    button->Perform(CM_MOUSEENTER);
    for (int step = 1; step <= 4; ++step) {
        Tick();
        EXPECT_EQ(Face(), Blend(Normal, Hot, step / 5.0)) << step;
    }
    EXPECT_EQ(button->Composed, 2) << "the normal and the hot face, once each for four ticks and four pictures";
    // Turning back halfway blends the same faces the other way.
    button->Perform(CM_MOUSELEAVE);
    Tick();
    EXPECT_EQ(Face(), Blend(Normal, Hot, 0.6));
    EXPECT_EQ(button->Composed, 2);
    // A fade that starts anew, after the last one ended, composes its faces anew.
    for (int i = 0; i < 5; ++i)
        Tick();
    ASSERT_FALSE(button->Fading());
    EXPECT_EQ(Face(), Normal);
    button->Composed = 0;
    button->Perform(CM_MOUSEENTER);
    Tick();
    EXPECT_EQ(Face(), Blend(Normal, Hot, 0.2));
    EXPECT_EQ(button->Composed, 2);
}

TEST_F(ButtonFade, AChangeOfWhatAFaceShowsIsSeenAtTheNextTick)
{
    button->Perform(CM_MOUSEENTER);
    Tick();
    ASSERT_EQ(Face(), Blend(Normal, Hot, 0.2));
    // A glyph set during the fade stands in both faces, so the blend shows it as it is.
    TBitmap glyph;
    SolidGlyph(&glyph, 0x10E010);
    button->SetGlyph(&glyph);
    Tick();
    auto shot = Shot();
    EXPECT_EQ(CountPixels(shot.get(), 0x10E010), 63) << "the glyph, whole";
    EXPECT_EQ(shot->Pixels(5, 6), Blend(Normal, Hot, 0.4));
    // A wider button blends faces of its new width.
    button->SetBounds(10, 10, 120, 25);
    Tick();
    shot = Shot();
    EXPECT_EQ(shot->Width(), 120);
    EXPECT_EQ(shot->Pixels(110, 6), Blend(Normal, Hot, 0.6));
    EXPECT_EQ(shot->Pixels(118, 12), Edge);
}

TEST_F(ButtonFade, TheFocusRectangleJoinsTheFacesWhenTheButtonTakesTheFocusDuringTheFade)
{
    desc->ShowFocus = true;
    button->SetCanFocused(true);
    button->Perform(CM_MOUSEENTER);
    Tick();
    ASSERT_TRUE(button->Fading());
    const TColor plain = Blend(Normal, Hot, 0.4);
    auto focusDots = [&] {
        auto shot = Shot();
        int n = 0;
        // Along the top of the caption area, inside the 2-pixel border.
        for (int x = 4; x < 70; ++x)
            n += shot->Pixels(x, 2) != plain;
        return n;
    };
    button->SetFocus();
    ASSERT_TRUE(button->Focused());
    ASSERT_TRUE(button->Fading());
    Tick();
    EXPECT_GT(focusDots(), 0) << "the focus rectangle is drawn over both faces";
    // The focus leaves the program while the mouse keeps the fade going: the faces lose it.
    ::SetFocus(nullptr);
    ASSERT_FALSE(button->Focused());
    ASSERT_TRUE(button->Fading());
    Tick();
    const TColor plainer = Blend(Normal, Hot, 0.6);
    auto shot = Shot();
    int n = 0;
    for (int x = 4; x < 70; ++x)
        n += shot->Pixels(x, 2) != plainer;
    EXPECT_EQ(n, 0) << "no focus rectangle";
}

TEST_F(ButtonFade, ANewSkinStopsTheFadeAndItsFacesComeFromTheNewPicture)
{
    button->Perform(CM_MOUSEENTER);
    Tick();
    ASSERT_EQ(Face(), Blend(Normal, Hot, 0.2));
    // The same description drawn from another picture: the old faces must not be blended on.
    PaintArea(skin.Picture(), Rect(0, 0, 40, 20), Edge, 0x707070);
    PaintArea(skin.Picture(), Rect(40, 0, 80, 20), Edge, 0xF0F0F0);
    button->SetSkinData(skin.Data);
    EXPECT_EQ(Face(), 0xF0F0F0) << "the mouse is over it: the hot image at once";
    button->Perform(CM_MOUSELEAVE);
    Tick();
    EXPECT_EQ(Face(), Blend(0x707070, 0xF0F0F0, 0.8));
}
