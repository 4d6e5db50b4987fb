// The panel on a real form: both looks, the caption's check box and roll-up arrow, rolling up
// and down with its children, a skin change while rolled up.
#include "skin/controls/support.h"

#include "skin/controls/Panel.h"
#include "skin/controls/StatusBar.h"

using namespace controltest;

namespace {

struct Panel : ::testing::Test {
    skctrltest::TTestForm form;
    TControlSkin skin;
    TskDataSkinPanelControl* desc = AddPanel(skin, "panel");
    TskSkinPanel* panel = nullptr;
    TskSkinPanel* child = nullptr;
    void SetUp() override
    {
        panel = new TskSkinPanel(form.Form);
        panel->SetParent(form.Form);
        panel->SetBounds(10, 10, 200, 150);
        child = new TskSkinPanel(form.Form);
        child->SetParent(panel);
        child->SetBounds(0, 0, 20, 20);
        child->SetAlign(alClient);
    }
};

}  // namespace

TEST_F(Panel, TheDefaultLookIsAFramedFaceWithItsCaptionStrip)
{
    auto shot = skctrltest::Snapshot(panel);
    EXPECT_EQ(shot->Pixels(0, 0), skctrltest::Rgb(clBtnShadow));
    EXPECT_EQ(shot->Pixels(199, 149), skctrltest::Rgb(clBtnShadow));
    EXPECT_EQ(child->BoundsRect(), Rect(1, 1, 199, 149)) << "the children go inside the frame";
    panel->SetCaptionMode(true);
    shot = skctrltest::Snapshot(panel);
    EXPECT_EQ(shot->Pixels(1, 1), skctrltest::Rgb(clBtnHighlight)) << "the strip's raised inner frame";
    EXPECT_EQ(child->Top(), 1 + panel->DefaultCaptionHeight());
}

TEST_F(Panel, TheSkinnedLookIsTheNinePartFrameWithTheClientTiled)
{
    panel->SetSkinData(skin.Data);
    ASSERT_EQ(panel->DescriptionIndex(), 0);
    auto shot = skctrltest::Snapshot(panel);
    EXPECT_EQ(shot->Pixels(0, 0), PanelEdge);
    EXPECT_EQ(shot->Pixels(100, 10), CaptionBar) << "the caption bar's middle tiled along the top";
    EXPECT_EQ(shot->Pixels(100, 80), PanelFill);
    EXPECT_EQ(shot->Pixels(199, 149), PanelEdge);
    EXPECT_EQ(child->BoundsRect(), Rect(4, 20, 196, 146)) << "the client rectangle fitted to the size";
    // A description of another kind: the default look, at the panel's size.
    panel->SetSkinDataName("toolbutton");
    AddButton(skin, "toolbutton", 0);
    panel->ChangeSkinData();
    EXPECT_EQ(panel->DescriptionIndex(), -1);
    EXPECT_EQ(panel->Width(), 200);
    EXPECT_EQ(skctrltest::Snapshot(panel)->Pixels(100, 80), skctrltest::Rgb(clBtnFace));
}

TEST_F(Panel, ClickingTheCaptionOfACheckedModePanelEnablesItsChildren)
{
    panel->SetCaptionMode(true);
    panel->SetCheckedMode(true);
    int checks = 0;
    panel->OnChecked = [&](TObject*) { ++checks; };
    panel->SetChecked(false);
    EXPECT_FALSE(child->Enabled());
    SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 10));
    SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(50, 10));
    EXPECT_TRUE(panel->Checked());
    EXPECT_TRUE(child->Enabled());
    EXPECT_EQ(checks, 2);
    // Below the caption nothing toggles.
    SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 80));
    SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(50, 80));
    EXPECT_TRUE(panel->Checked());
}

TEST_F(Panel, RollingUpKeepsTheBordersAndHidesTheChildrenUntilItRollsDown)
{
    auto* hiddenBefore = new TskSkinPanel(form.Form);
    hiddenBefore->SetParent(panel);
    hiddenBefore->Hide();
    panel->SetSkinData(skin.Data);
    panel->SetCaptionMode(true);
    panel->SetRollUpMode(true);
    panel->SetHeight(561);
    int changes = 0;
    panel->OnChangeRollUpState = [&](TObject*) { ++changes; };
    panel->SetRollUpState(true);
    EXPECT_EQ(panel->Height(), 24) << "top border 20 and bottom border 4";
    EXPECT_EQ(panel->RealHeight(), 561);
    EXPECT_FALSE(child->Visible());
    EXPECT_EQ(changes, 1);
    // A new skin with a higher caption bar: still rolled, at the new borders.
    desc->LTPoint.Y = desc->RTPoint.Y = 30;
    desc->ClRect.Top = 30;
    panel->BeforeChangeSkinData();
    panel->ChangeSkinData();
    EXPECT_EQ(panel->Height(), 34);
    EXPECT_TRUE(panel->RollUpState());
    // Clicking the caption rolls it down again.
    SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 10));
    SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(50, 10));
    EXPECT_FALSE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 561);
    EXPECT_EQ(panel->RealHeight(), -1);
    EXPECT_TRUE(child->Visible());
    EXPECT_FALSE(hiddenBefore->Visible()) << "a child hidden before stays hidden";
    EXPECT_EQ(changes, 2);
}

TEST_F(Panel, ARolledPanelNeverShrinksBelowItsCaption)
{
    // A skin whose client rectangle takes in the caption: only 4 pixels of borders.
    desc->LTPoint = {4, 2};
    desc->RTPoint = {56, 2};
    desc->ClRect = Rect(4, 2, 56, 56);
    panel->SetSkinData(skin.Data);
    panel->SetCaptionMode(true);
    panel->SetRollUpMode(true);
    panel->SetRollUpState(true);
    EXPECT_EQ(panel->Height(), 18) << "the caption rectangle ends at 18";
    // Unskinned, the caption strip and one pixel.
    panel->SetRollUpState(false);
    panel->SetSkinData(nullptr);
    panel->BeforeChangeSkinData();
    panel->SetRollUpState(true);
    EXPECT_EQ(panel->Height(), panel->DefaultCaptionHeight() + 1);
}

// --- Status bar

TEST(StatusBar, TheGripAnswersTheCornerHitTestAndKeepsTheChildrenOutOfIt)
{
    skctrltest::TTestForm form;
    form.Form->Show();
    auto* bar = new TskSkinStatusBar(form.Form);
    bar->SetParent(form.Form);
    EXPECT_EQ(bar->Height(), 21);
    EXPECT_EQ(bar->Top() + bar->Height(), form.Form->ClientHeight()) << "aligned to the bottom";
    auto* child = new TskSkinPanel(form.Form);
    child->SetParent(bar);
    child->SetAlign(alClient);
    const int fullWidth = child->Width();
    bar->SetSizeGrip(true);
    EXPECT_EQ(child->Width(), fullWidth - 21) << "the grip takes the client height";
    const TRect grip = bar->GripRect();
    const TPoint corner = bar->ClientToScreen({grip.Right - 2, grip.Bottom - 2});
    EXPECT_EQ(SendMessageA(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(corner.X, corner.Y)), HTBOTTOMRIGHT);
    const TPoint middle = bar->ClientToScreen({5, 5});
    EXPECT_EQ(SendMessageA(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(middle.X, middle.Y)), HTCLIENT);
    auto shot = skctrltest::Snapshot(bar);
    int lines = 0;
    for (int y = grip.Top; y < grip.Bottom; ++y)
        for (int x = grip.Left; x < grip.Right; ++x)
            lines += shot->Pixels(x, y) == skctrltest::Rgb(clBtnShadow);
    EXPECT_GT(lines, 5) << "the grip's lines";
    // A maximized form: no grip, the full client width, hit testing left to the window.
    bar->SetGripAllowed(false);
    EXPECT_EQ(child->Width(), fullWidth);
    EXPECT_NE(SendMessageA(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(corner.X, corner.Y)), HTBOTTOMRIGHT);
}
