// The speed button on a real form: its looks per state from the skin and by default, the fade
// tick by tick, groups, repeat, release outside, captions, glyph frames and a button freed by
// its own click.
#include "skin/controls/support.h"

#include "skin/controls/SpeedButton.h"
#include "skin/controls/ToolBar.h"

using namespace controltest;

namespace {

struct SpeedButton : ::testing::Test {
    visual_test::TClockScope clock;
    skctrltest::TTestForm form;
    TControlSkin skin;
    TskDataSkinButtonControl* desc = AddButton(skin, "toolbutton", 0);
    TskSkinSpeedButton* button = nullptr;
    int clicks = 0;
    void SetUp() override
    {
        form.Form->HandleNeeded();
        button = Make(10, 10);
    }
    TskSkinSpeedButton* Make(int X, int Y)
    {
        auto* b = new TskSkinSpeedButton(form.Form);
        b->SetParent(form.Form);
        b->SetBounds(X, Y, 60, 30);
        b->OnClick = [this](TObject*) { ++clicks; };
        return b;
    }
    // The colour in the middle of the button's face.
    TColor Face(TskSkinSpeedButton* B = nullptr)
    {
        B = B ? B : button;
        return FormShot(form.Form)->Pixels(B->Left() + 5, B->Top() + 6);
    }
    TColor Corner(TskSkinSpeedButton* B = nullptr)
    {
        B = B ? B : button;
        return FormShot(form.Form)->Pixels(B->Left(), B->Top());
    }
    HWND Wnd() { return form.Form->Handle(); }
    void Skin(TskSkinSpeedButton* B = nullptr) { (B ? B : button)->SetSkinData(skin.Data); }
};

}  // namespace

TEST_F(SpeedButton, TheSkinnedLookShowsOneImagePerState)
{
    desc->Morphing = false;
    Skin();
    ASSERT_EQ(button->DescriptionIndex(), 0);
    EXPECT_EQ(button->Width(), 60) << "a nine-part skin takes any size";
    EXPECT_EQ(Face(), Normal);
    EXPECT_EQ(Corner(), Edge);
    button->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Face(), Hot);
    Press(Wnd(), 20, 20);
    EXPECT_EQ(Face(), Pressed);
    Release(Wnd(), 20, 20);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Face(), Hot);
    button->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(Face(), Normal);
    button->SetEnabled(false);
    EXPECT_EQ(Face(), Disabled);
    // Latched down in a group, the pressed image shows with the mouse away too.
    button->SetEnabled(true);
    button->SetGroupIndex(1);
    button->SetDown(true);
    EXPECT_EQ(Face(), Pressed);
}

TEST_F(SpeedButton, TheDefaultLookFramesHotAndPressedInNavy)
{
    EXPECT_EQ(button->DescriptionIndex(), -1);
    EXPECT_EQ(Face(), skctrltest::Rgb(clBtnFace));
    EXPECT_EQ(Corner(), skctrltest::Rgb(clBtnShadow));
    button->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Face(), clSkinDefaultHotFill);
    EXPECT_EQ(Corner(), clSkinDefaultFrame);
    Press(Wnd(), 20, 20);
    EXPECT_EQ(Face(), clSkinDefaultDownFill);
    EXPECT_EQ(Corner(), clSkinDefaultFrame);
    Release(Wnd(), 20, 20);
    button->Perform(CM_MOUSELEAVE);
    button->SetFlat(true);
    EXPECT_EQ(Face(), 0x00FF00FF) << "flat and transparent: what lies below shows through";
}

TEST_F(SpeedButton, ADescriptionOfAnotherKindGivesTheDefaultLookAtItsSize)
{
    skin.Add<TskDataSkinPanelControl>("panelonly")->SkinRect = Rect(0, 0, 0, 0);
    button->SetSkinDataName("panelonly");
    Skin();
    EXPECT_EQ(button->DescriptionIndex(), -1);
    EXPECT_EQ(button->Width(), 60);
    EXPECT_EQ(button->Height(), 30);
    EXPECT_EQ(Face(), skctrltest::Rgb(clBtnFace));
}

TEST_F(SpeedButton, TheFadeTakesFiveTwentyMillisecondTicksEachWay)
{
    desc->Morphing = true;
    Skin();
    button->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(button->Fading());
    EXPECT_EQ(Face(), Hot) << "the mouse is inside: the hot image while no step is taken";
    for (int step = 1; step <= 4; ++step) {
        clock.clock.Advance(20);
        EXPECT_DOUBLE_EQ(button->MorphValue(), step / 5.0);
        EXPECT_EQ(Face(), Blend(Normal, Hot, step / 5.0)) << step;
    }
    clock.clock.Advance(20);
    EXPECT_EQ(button->MorphValue(), 1.0);
    EXPECT_EQ(Face(), Hot);
    clock.clock.Advance(20);
    EXPECT_FALSE(button->Fading()) << "it stops at the end";
    button->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(Face(), Hot) << "at exactly 1 the hot image stays until the fade-out steps";
    clock.clock.Advance(20);
    EXPECT_EQ(Face(), Blend(Normal, Hot, 0.8));
    clock.clock.Advance(80);
    EXPECT_EQ(button->MorphValue(), 0.0);
    clock.clock.Advance(20);
    EXPECT_FALSE(button->Fading());
    EXPECT_EQ(Face(), Normal);
    // Switched off with the skin's effects.
    skin.Data->EnableSkinEffects = false;
    button->Perform(CM_MOUSEENTER);
    EXPECT_FALSE(button->Fading());
    EXPECT_EQ(Face(), Hot);
}

TEST_F(SpeedButton, AGroupKeepsOneButtonDownAndAllowAllUpLetsItGo)
{
    auto* other = Make(80, 10);
    button->SetGroupIndex(1);
    other->SetGroupIndex(1);
    Press(Wnd(), 20, 20);
    Release(Wnd(), 20, 20);
    EXPECT_TRUE(button->Down());
    EXPECT_EQ(clicks, 1) << "a group button clicks on the press";
    Press(Wnd(), 90, 20);
    Release(Wnd(), 90, 20);
    EXPECT_TRUE(other->Down());
    EXPECT_FALSE(button->Down());
    // Pressing the down button again does nothing without AllowAllUp.
    other->Perform(CM_MOUSEENTER);
    Press(Wnd(), 90, 20);
    Release(Wnd(), 90, 20);
    EXPECT_TRUE(other->Down());
    EXPECT_EQ(clicks, 2);
    other->SetAllowAllUp(true);
    Press(Wnd(), 90, 20);
    Release(Wnd(), 90, 20);
    EXPECT_FALSE(other->Down());
    EXPECT_EQ(clicks, 3);
}

TEST_F(SpeedButton, ReleasedOutsideItComesUpWithoutAClick)
{
    Skin();
    Press(Wnd(), 20, 20);
    EXPECT_TRUE(button->Down());
    SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 150));
    Release(Wnd(), 200, 150);
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(Face(), Normal);
}

TEST_F(SpeedButton, HeldInRepeatModeItClicksEveryIntervalAndPausesOutside)
{
    button->SetRepeatMode(true);
    Press(Wnd(), 20, 20);
    Release(Wnd(), 20, 20);
    EXPECT_EQ(clicks, 1) << "a quick click clicks once, on the release";
    clicks = 0;
    Press(Wnd(), 20, 20);
    visual_test::ExpectStepsAt(clock.clock, [this] { return clicks; }, {100, 200, 300});
    clock.clock.Advance(50);
    SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 150));
    clock.clock.Advance(300);
    EXPECT_EQ(clicks, 3) << "paused while the mouse is away";
    SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 20));
    clock.clock.Advance(100);
    EXPECT_EQ(clicks, 4);
    Release(Wnd(), 20, 20);
    EXPECT_EQ(clicks, 5);
    EXPECT_FALSE(button->Repeating());
}

TEST_F(SpeedButton, AButtonFreedByItsOwnClickIsNotTouchedAgain)
{
    visual_test::TCaughtExceptions caught;
    button->OnClick = [this](TObject*) { button->Free(); };
    Press(Wnd(), 20, 20);
    Release(Wnd(), 20, 20);
    auto* repeating = Make(10, 10);
    repeating->SetRepeatMode(true);
    repeating->OnClick = [&](TObject*) { repeating->Free(); };
    Press(Wnd(), 20, 20);
    clock.clock.Advance(250);
    Release(Wnd(), 20, 20);
    EXPECT_EQ(form.Form->ControlCount(), 0);
    EXPECT_TRUE(caught.Messages.empty());
}

TEST_F(SpeedButton, ShowCaptionTakesTheMatchingWidth)
{
    button->SetWidthWithCaption(100);
    button->SetWidthWithoutCaption(25);
    button->SetShowCaption(false);
    EXPECT_EQ(button->Width(), 25);
    button->SetShowCaption(true);
    EXPECT_EQ(button->Width(), 100);
}

TEST_F(SpeedButton, TheGlyphFrameFollowsTheState)
{
    EXPECT_EQ(GlyphFrameFor(true, true, true, 4), 3);
    EXPECT_EQ(GlyphFrameFor(true, false, true, 4), 4);
    EXPECT_EQ(GlyphFrameFor(false, false, false, 4), 2);
    EXPECT_EQ(GlyphFrameFor(false, false, true, 4), 1);
    EXPECT_EQ(GlyphFrameFor(true, true, false, 1), 1);
    // Four frames of 4 colours, each 6 wide; the bottom-left pixel of a frame is transparent.
    TBitmap glyph;
    glyph.SetSize(24, 6);
    const TColor colours[] = {0x0000F0, 0x00F000, 0xF00000, 0xF000F0};
    for (int f = 0; f < 4; ++f)
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x)
                glyph.SetPixels(f * 6 + x, y, colours[f]);
    for (int f = 0; f < 4; ++f)
        glyph.SetPixels(f * 6, 5, clWhite);
    button->SetShowCaption(false);
    button->SetGlyph(&glyph);
    button->SetNumGlyphs(4);
    // Centred: the 6-wide frame plus the spacing of 1 in 60, at x = 30 - 3.
    auto centre = [&] { return FormShot(form.Form)->Pixels(button->Left() + 29, button->Top() + 15); };
    EXPECT_EQ(centre(), colours[0]);
    button->Perform(CM_MOUSEENTER);
    EXPECT_EQ(centre(), colours[3]);
    button->Perform(CM_MOUSELEAVE);
    button->SetEnabled(false);
    EXPECT_EQ(centre(), colours[1]);
    // A strip narrower than its frame count has frames of no width: nothing to draw.
    TBitmap thin;
    thin.SetSize(2, 6);
    button->SetGlyph(&thin);
    EXPECT_EQ(centre(), skctrltest::Rgb(clBtnFace));
}

TEST_F(SpeedButton, AToolBarOfEightButtonsHandsOnItsSkin)
{
    auto* tool = AddPanel(skin, "toolpanel");
    tool->LTPoint = {2, 2};
    tool->RTPoint = {58, 2};
    tool->LBPoint = {2, 58};
    tool->RBPoint = {58, 58};
    tool->ClRect = Rect(2, 2, 58, 58);
    button->Free();
    auto* bar = new TskSkinToolBar(form.Form);
    bar->SetParent(form.Form);
    bar->SetAlign(alTop);
    std::vector<TskSkinSpeedButton*> buttons;
    for (int i = 0; i < 8; ++i) {
        auto* b = new TskSkinSpeedButton(form.Form);
        b->SetParent(bar);
        b->SetBounds(800, 0, 100, 23);
        b->SetAlign(alLeft);
        buttons.push_back(b);
    }
    bar->SetSkinData(skin.Data);
    bar->SetFlat(true);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(buttons[i]->SkinData(), skin.Data);
        EXPECT_TRUE(buttons[i]->Transparent());
        EXPECT_EQ(buttons[i]->Width(), 100);
        EXPECT_EQ(buttons[i]->Height(), bar->ClientHeight());
    }
    EXPECT_LT(buttons[0]->Left(), buttons[1]->Left());
    EXPECT_EQ(buttons[1]->Left(), buttons[0]->Left() + 100) << "left-aligned side by side";
}
