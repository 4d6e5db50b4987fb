// The push button on a real form: its looks per state from the skin and by default, the fade,
// repeat, release outside, groups, the dialog keys, the modal result and a button freed by its
// own click.
#include "skin/controls/support.h"

#include "skin/controls/Button.h"

using namespace controltest;

namespace {

struct Button : ::testing::Test {
    visual_test::TClockScope clock;
    skctrltest::TTestForm form;
    TControlSkin skin;
    TskDataSkinButtonControl* desc = AddButton(skin, "button", 0);
    TskSkinButton* button = nullptr;
    int clicks = 0;
    void SetUp() override { button = Make(10, 10); }
    TskSkinButton* Make(int X, int Y)
    {
        auto* b = new TskSkinButton(form.Form);
        b->SetParent(form.Form);
        b->SetBounds(X, Y, 75, 25);
        b->OnClick = [this](TObject*) { ++clicks; };
        return b;
    }
    TColor Face(TskSkinButton* B = nullptr) { return skctrltest::Snapshot(B ? B : button)->Pixels(5, 6); }
    TColor Corner(TskSkinButton* B = nullptr) { return skctrltest::Snapshot(B ? B : button)->Pixels(0, 0); }
    HWND Wnd(TskSkinButton* B = nullptr) { return (B ? B : button)->Handle(); }
    void ClickOn(TskSkinButton* B = nullptr)
    {
        B = B ? B : button;
        B->Perform(CM_MOUSEENTER);
        Press(Wnd(B), 10, 10);
        Release(Wnd(B), 10, 10);
    }
};

}  // namespace

TEST_F(Button, TheSkinnedLookShowsOneImagePerState)
{
    desc->Morphing = false;
    button->SetSkinData(skin.Data);
    ASSERT_EQ(button->DescriptionIndex(), 0);
    // A press would give a focusable button the focus, which shows hot as well.
    button->SetCanFocused(false);
    EXPECT_EQ(Face(), Normal);
    EXPECT_EQ(Corner(), Edge);
    button->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Face(), Hot);
    Press(Wnd(), 10, 10);
    EXPECT_EQ(Face(), Pressed);
    Release(Wnd(), 10, 10);
    EXPECT_EQ(clicks, 1);
    button->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(Face(), Normal);
    button->SetEnabled(false);
    EXPECT_EQ(Face(), Disabled);
    // Focused, the hot image stands.
    button->SetEnabled(true);
    button->SetCanFocused(true);
    form.Form->Show();
    button->SetFocus();
    ASSERT_TRUE(button->Focused());
    EXPECT_EQ(Face(), Hot);
    // Latched in a group, pressed with the mouse away.
    auto* grouped = Make(100, 10);
    grouped->SetSkinData(skin.Data);
    grouped->SetGroupIndex(1);
    grouped->SetDown(true);
    EXPECT_EQ(Face(grouped), Pressed);
}

TEST_F(Button, TheDefaultLookFramesHotAndPressedInNavy)
{
    EXPECT_EQ(button->DescriptionIndex(), -1);
    EXPECT_EQ(Face(), skctrltest::Rgb(clBtnFace));
    EXPECT_EQ(Corner(), skctrltest::Rgb(clBtnShadow));
    button->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Face(), clSkinDefaultHotFill);
    EXPECT_EQ(Corner(), clSkinDefaultFrame);
    Press(Wnd(), 10, 10);
    EXPECT_EQ(Face(), clSkinDefaultDownFill);
    Release(Wnd(), 10, 10);
    // A description of another kind: the default look at the button's size, never 0 by 0.
    skin.Add<TskDataSkinPanelControl>("panelonly");
    button->SetSkinDataName("panelonly");
    button->SetSkinData(skin.Data);
    EXPECT_EQ(button->DescriptionIndex(), -1);
    EXPECT_EQ(button->Width(), 75);
    EXPECT_EQ(button->Height(), 25);
}

TEST_F(Button, AHoverReachesTheHotImageAfterFiveTicks)
{
    desc->Morphing = true;
    button->SetSkinData(skin.Data);
    button->Perform(CM_MOUSEENTER);
    for (int step = 1; step <= 4; ++step) {
        clock.clock.Advance(20);
        EXPECT_EQ(Face(), Blend(Normal, Hot, step / 5.0)) << step;
    }
    clock.clock.Advance(20);
    EXPECT_EQ(Face(), Hot);
    clock.clock.Advance(20);
    EXPECT_FALSE(button->Fading());
    button->Perform(CM_MOUSELEAVE);
    clock.clock.Advance(20);
    EXPECT_EQ(Face(), Blend(Normal, Hot, 0.8));
    // Disabling stops the fade and drops the highlight at once.
    button->SetEnabled(false);
    EXPECT_FALSE(button->Fading());
    EXPECT_EQ(button->MorphValue(), 0.0);
}

TEST_F(Button, RepeatClicksWhileHeldAndPausesOutside)
{
    button->SetRepeatMode(true);
    button->SetCanFocused(false);
    ClickOn();
    EXPECT_EQ(clicks, 1);
    clicks = 0;
    Press(Wnd(), 10, 10);
    visual_test::ExpectStepsAt(clock.clock, [this] { return clicks; }, {100, 200});
    SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 10));
    clock.clock.Advance(300);
    EXPECT_EQ(clicks, 2);
    SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
    clock.clock.Advance(100);
    EXPECT_EQ(clicks, 3);
    SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 10));
    Release(Wnd(), 300, 10);
    EXPECT_EQ(clicks, 3) << "released outside: no click";
    EXPECT_FALSE(button->Down());
    EXPECT_FALSE(button->Repeating());
    EXPECT_EQ(Face(), skctrltest::Rgb(clBtnFace)) << "drawn up at once";
}

TEST_F(Button, AGroupReleasesTheOtherButtonAndAllowAllUpLetsTheLastOneGo)
{
    auto* b2 = Make(100, 10);
    auto* b3 = Make(200, 10);
    for (auto* b : {button, b2, b3})
        b->SetGroupIndex(1);
    EXPECT_FALSE(button->CanFocused());
    EXPECT_FALSE(button->TabStop());
    ClickOn(button);
    ClickOn(b2);
    EXPECT_FALSE(button->Down());
    EXPECT_TRUE(b2->Down());
    ClickOn(b2);
    EXPECT_TRUE(b2->Down());
    EXPECT_EQ(clicks, 2);
    b2->SetAllowAllUp(true);
    ClickOn(b2);
    EXPECT_FALSE(b2->Down());
    EXPECT_EQ(clicks, 3);
}

TEST_F(Button, EnterAndEscapeClickTheDefaultAndTheCancelButtonOnce)
{
    form.Form->Show();
    auto* cancel = Make(100, 10);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    button->SetDefault(true);
    button->SetModalResult(mrOk);
    EXPECT_TRUE(button->Active());
    EXPECT_NE(form.Form->Perform(CM_DIALOGKEY, VK_RETURN, 0), 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.Form->ModalResult(), mrOk);
    EXPECT_NE(form.Form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(form.Form->ModalResult(), mrCancel);
    button->SetEnabled(false);
    cancel->SetEnabled(false);
    form.Form->Perform(CM_DIALOGKEY, VK_RETURN, 0);
    form.Form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0);
    EXPECT_EQ(clicks, 2) << "not while disabled";
}

TEST_F(Button, TheSpaceBarClicksOnRelease)
{
    form.Form->Show();
    button->SetFocus();
    SendMessageA(Wnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(button->Down());
    EXPECT_EQ(clicks, 0);
    SendMessageA(Wnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(clicks, 1);
}

TEST_F(Button, AClickThatFreesTheButtonOrItsDialogTouchesNothingAfterwards)
{
    visual_test::TCaughtExceptions caught;
    button->OnClick = [this](TObject*) { button->Free(); };
    ClickOn();
    auto* dialog = new TForm(nullptr);
    dialog->SetBounds(0, 0, 200, 100);
    auto* inDialog = new TskSkinButton(dialog);
    inDialog->SetParent(dialog);
    inDialog->SetRepeatMode(true);
    inDialog->OnClick = [&](TObject*) { dialog->Free(); };
    Press(inDialog->Handle(), 10, 10);
    clock.clock.Advance(150);
    Application->ProcessMessages();
    EXPECT_TRUE(caught.Messages.empty());
    EXPECT_EQ(form.Form->ControlCount(), 0);
}

TEST_F(Button, AMarginBelowMinusOneIsIgnored)
{
    button->SetMargin(-2);
    EXPECT_EQ(button->Margin(), -1);
    button->SetMargin(4);
    EXPECT_EQ(button->Margin(), 4);
}
