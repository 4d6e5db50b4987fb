// The roll-up panel and the standard label on a real form: rolling both ways with the children,
// the rolled size from the skin (and when the skin has none), clicks on the caption buttons,
// and the label's skin font and embossed disabled text.
#include "skin/controls/support.h"

#include <set>

#include "skin/controls/ButtonLook.h"
#include "skin/controls/ExPanel.h"
#include "skin/controls/StdLabel.h"

using namespace controltest;

namespace {

constexpr TColor RollBar = 0x8080F0;
constexpr TColor CloseNormal = 0x0000A0;
constexpr TColor CloseHot = 0x00A000;

struct ExPanel : ::testing::Test {
    skctrltest::TTestForm form;
    TControlSkin skin;
    TskSkinExPanel* panel = nullptr;
    TskSkinExPanel* child = nullptr;
    void SetUp() override
    {
        panel = new TskSkinExPanel(form.Form);
        panel->SetParent(form.Form);
        panel->SetBounds(10, 10, 200, 561);
        child = new TskSkinExPanel(form.Form);
        child->SetParent(panel);
        child->SetAlign(alClient);
    }
    // The panel frame of AddPanel, with a 64 by 21 rolled bar, a 21 by 64 turned one and
    // 14 by 14 close images (normal and hot).
    TskDataSkinExPanelControl* AddSkin()
    {
        TBitmap* p = skin.Picture();
        PaintArea(p, Rect(0, 100, 60, 160), PanelEdge, PanelFill);
        PaintArea(p, Rect(60, 100, 124, 121), Edge, RollBar);
        PaintArea(p, Rect(130, 100, 151, 164), Edge, RollBar);
        PaintArea(p, Rect(0, 170, 14, 184), CloseNormal, CloseNormal);
        PaintArea(p, Rect(14, 170, 28, 184), CloseHot, CloseHot);
        auto* d = skin.Add<TskDataSkinExPanelControl>("expanel");
        d->PictureIndex = 0;
        d->SkinRect = Rect(0, 100, 60, 160);
        d->LTPoint = {4, 21};
        d->RTPoint = {56, 21};
        d->LBPoint = {4, 56};
        d->RBPoint = {56, 56};
        d->ClRect = Rect(4, 21, 56, 56);
        d->CaptionRect = Rect(4, 3, 56, 18);
        d->RollVSkinRect = Rect(60, 100, 124, 121);
        d->RollLeftOffset = d->RollRightOffset = 4;
        d->RollVCaptionRect = Rect(4, 3, 60, 18);
        d->RollHSkinRect = Rect(130, 100, 151, 164);
        d->RollTopOffset = d->RollBottomOffset = 4;
        d->RollHCaptionRect = Rect(3, 4, 18, 60);
        d->CloseButtonRect = Rect(0, 170, 14, 184);
        d->CloseButtonActiveRect = Rect(14, 170, 28, 184);
        d->VRollButtonRect = d->HRollButtonRect = Rect(0, 170, 14, 184);
        d->VRestoreButtonRect = d->HRestoreButtonRect = Rect(0, 170, 14, 184);
        return d;
    }
    HWND Wnd() { return panel->Handle(); }
    void ClickAt(const TRect& R)
    {
        const int x = R.Left + 3, y = R.Top + 3;
        SendMessageA(Wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        SendMessageA(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
};

}  // namespace

TEST_F(ExPanel, RollingUpAndDownRestoresTheHeightAndTheChildrenThatShowed)
{
    auto* hidden = new TskSkinExPanel(form.Form);
    hidden->SetParent(panel);
    hidden->Hide();
    int changes = 0;
    panel->OnChangeRollState = [&](TObject*) { ++changes; };
    panel->SetRollState(true);
    EXPECT_EQ(panel->Height(), 21) << "unskinned: the caption bar's default height";
    EXPECT_EQ(panel->RealHeight(), 561);
    EXPECT_FALSE(child->Visible());
    panel->SetRollState(false);
    EXPECT_EQ(panel->Height(), 561);
    EXPECT_EQ(panel->RealHeight(), 0);
    EXPECT_TRUE(child->Visible());
    EXPECT_FALSE(hidden->Visible());
    EXPECT_EQ(changes, 2);
}

TEST_F(ExPanel, TheSkinGivesTheRolledSizeAndAHorizontalPanelKeepsItsWidth)
{
    auto* d = AddSkin();
    panel->SetSkinData(skin.Data);
    ASSERT_EQ(panel->DescriptionIndex(), 0);
    panel->SetRollState(true);
    EXPECT_EQ(panel->Height(), 21);
    auto shot = skctrltest::Snapshot(panel);
    EXPECT_EQ(shot->Pixels(100, 10), RollBar) << "the rolled bar's middle tiled over the width";
    panel->SetRollState(false);
    panel->SetRollKind(rkRollHorizontal);
    panel->SetRollState(true);
    EXPECT_EQ(panel->Width(), 21);
    panel->SetBounds(10, 10, 300, 400);
    EXPECT_EQ(panel->Width(), 21) << "the parent cannot widen it while rolled";
    EXPECT_EQ(panel->Height(), 400);
    // A skin change while rolled: the new skin's rolled width.
    d->RollHSkinRect = Rect(130, 100, 160, 164);
    panel->BeforeChangeSkinData();
    panel->ChangeSkinData();
    EXPECT_EQ(panel->Width(), 30);
    panel->SetRollState(false);
    EXPECT_EQ(panel->Width(), 200);
    // A skin without a rolled image rolls to the caption bar's default, never to nothing.
    d->RollVSkinRect = Rect(0, 0, 0, 0);
    panel->SetRollKind(rkRollVertical);
    panel->SetRollState(true);
    EXPECT_EQ(panel->Height(), panel->DefaultCaptionHeight());
}

TEST_F(ExPanel, APresetRealHeightKeepsThePanelsHeight)
{
    panel->SetRealHeight(300);
    panel->SetRollState(true);
    EXPECT_EQ(panel->Height(), 561);
    panel->SetRollState(false);
    EXPECT_EQ(panel->Height(), 300);
}

TEST_F(ExPanel, TheCaptionButtonsRollAndCloseOnlyWhenReleasedOverThem)
{
    int closes = 0;
    panel->OnClose = [&](TObject*) { ++closes; };
    const TRect roll = panel->ButtonRect(TskSkinExPanel::RollButton);
    const TRect close = panel->ButtonRect(TskSkinExPanel::CloseButton);
    EXPECT_EQ(close, Rect(200 - 15 - 2, 3, 198, 18));
    EXPECT_EQ(roll.Right, close.Left);
    // Pressed on the roll button, released off it: nothing.
    SendMessageA(Wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(roll.Left + 3, 6));
    SendMessageA(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(roll.Left + 3, 6));
    SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 100));
    SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(50, 100));
    EXPECT_FALSE(panel->RollState());
    ClickAt(roll);
    EXPECT_TRUE(panel->RollState());
    ClickAt(panel->ButtonRect(TskSkinExPanel::RollButton));
    EXPECT_FALSE(panel->RollState());
    ClickAt(close);
    EXPECT_FALSE(panel->Visible());
    EXPECT_EQ(closes, 1);
}

TEST_F(ExPanel, TheHotCloseButtonShowsItsActiveImageInBothLooks)
{
    const TRect defaultClose = panel->ButtonRect(TskSkinExPanel::CloseButton);
    SendMessageA(Wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(defaultClose.Left + 1, defaultClose.Top + 1));
    EXPECT_EQ(skctrltest::Snapshot(panel)->Pixels(defaultClose.Left + 1, defaultClose.Top + 1), clSkinDefaultHotFill);
    AddSkin();
    panel->SetSkinData(skin.Data);
    const TRect close = panel->ButtonRect(TskSkinExPanel::CloseButton);
    EXPECT_EQ(close, Rect(182, 3, 196, 17)) << "right-aligned in the caption rectangle fitted to the width";
    SendMessageA(Wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 100));
    EXPECT_EQ(skctrltest::Snapshot(panel)->Pixels(close.Left + 5, close.Top + 5), CloseNormal);
    SendMessageA(Wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(close.Left + 5, close.Top + 5));
    EXPECT_EQ(skctrltest::Snapshot(panel)->Pixels(close.Left + 5, close.Top + 5), CloseHot);
}

// --- Standard label

TEST(StdLabel, TheSkinGivesTheColourAndADisabledLabelIsEmbossed)
{
    skctrltest::TTestForm form;
    TControlSkin skin;
    auto* d = skin.Add<TskDataSkinStdLabelControl>("stdlabel");
    d->FontColor = 0x0000FF;
    d->FontHeight = 20;
    auto* label = new TskSkinStdLabel(form.Form);
    label->SetParent(form.Form);
    label->SetBounds(10, 10, 10, 10);
    label->SetCaption("WWWW");
    const int unskinnedHeight = label->Height();
    const int unskinnedWidth = label->Width();
    label->SetSkinData(skin.Data);
    EXPECT_EQ(label->DescriptionIndex(), 0);
    EXPECT_GT(label->Height(), unskinnedHeight) << "measured in the skin's larger font";
    EXPECT_GT(label->Width(), unskinnedWidth);
    auto colours = [&] {
        auto shot = FormShot(form.Form);
        std::set<TColor> seen;
        for (int y = label->Top(); y < label->Top() + label->Height(); ++y)
            for (int x = label->Left(); x < label->Left() + label->Width(); ++x)
                seen.insert(shot->Pixels(x, y));
        return seen;
    };
    EXPECT_TRUE(colours().count(0x0000FF));
    label->SetUseSkinColor(false);
    label->Font()->SetColor(0x00FF00);
    EXPECT_TRUE(colours().count(0x00FF00));
    EXPECT_FALSE(colours().count(0x0000FF));
    label->SetEnabled(false);
    const auto embossed = colours();
    EXPECT_TRUE(embossed.count(skctrltest::Rgb(skin.Data->SkinColors->cBtnShadow)));
    EXPECT_TRUE(embossed.count(skctrltest::Rgb(skin.Data->SkinColors->cBtnHighLight)));
}

TEST(StdLabel, AnAmpersandInDataIsShownAsTyped)
{
    skctrltest::TTestForm form;
    auto* label = new TskSkinStdLabel(form.Form);
    label->SetParent(form.Form);
    label->SetCaption("R&B");
    const int withMnemonic = label->Width();
    label->SetShowAccelChar(false);
    EXPECT_GT(label->Width(), withMnemonic) << "the ampersand takes room of its own";
    label->SetCaption("&");
    EXPECT_GT(label->Width(), 0);
}

TEST(StdLabel, ItsTextFitsTheSizeItTakes)
{
    skctrltest::TTestForm form;
    TControlSkin skin;
    auto* d = skin.Add<TskDataSkinStdLabelControl>("stdlabel");
    d->FontName = "Tahoma";
    d->FontHeight = 13;
    d->FontColor = 0x0000FF;
    auto* label = new TskSkinStdLabel(form.Form);
    label->SetParent(form.Form);
    label->SetBounds(20, 10, 100, 16);
    label->SetCaption("Volume & more");
    label->SetShowAccelChar(false);
    label->SetSkinData(skin.Data);
    auto shot = FormShot(form.Form);
    int right = -1;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < shot->Width(); ++x)
            if (shot->Pixels(x, y) == 0x0000FF)
                right = std::max(right, x);
    EXPECT_GT(right, 20);
    EXPECT_LT(right, label->Left() + label->Width()) << label->Width();
}
