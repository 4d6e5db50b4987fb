// The category-buttons control on a real window: layout against hand-computed positions,
// clicks, keys, wheel, the embedded scroll bar, both looks painted, hints, and removals of
// items the control still refers to.
#include "skinforms/categorybuttons/support.h"

#include "classlib/controls/HintWindow.h"

using namespace cl;
using namespace cattest;
using skctrltest::Rgb;
using skctrltest::Snapshot;

namespace {

struct CategoryButtons : ::testing::Test, TCategoryScene {
    int T() { return control->TextHeight(); }
    int U() { return control->ScrollUnit(); }
};

}  // namespace

TEST_F(CategoryButtons, LayoutMatchesHandComputedPositions)
{
    Fill({3, 2, 0});
    ASSERT_GT(T(), 0);
    const int u = U();
    EXPECT_EQ(Category(0)->LayoutStart, 0);
    EXPECT_EQ(Category(0)->LayoutEnd, 3 * 20 + 15 + u);
    EXPECT_EQ(Category(1)->LayoutEnd, Category(0)->LayoutEnd + T() + 15) << "collapsed";
    EXPECT_EQ(Category(2)->LayoutEnd, Category(1)->LayoutEnd + T() + 15) << "empty";
    EXPECT_EQ(control->ScrollBar(), nullptr);
    EXPECT_EQ(control->GetButtonRect(Button(0, 0)), (TRect{8, 8 + u, 161 - 1 - 5, 8 + u + 20}));
    EXPECT_EQ(control->GetButtonRect(Button(0, 2)), (TRect{8, 8 + u + 40, 155, 8 + u + 60}));
    EXPECT_EQ(control->GetButtonAt(20, 8 + u + 45), Button(0, 2));
    EXPECT_EQ(control->GetCategoryAt(20, Category(1)->LayoutStart + 2), Category(1));
}

TEST_F(CategoryButtons, TheScrollBarComesWithOverflowAndGoesWhenTheContentFits)
{
    Fill({20, 1});
    sk::TskSkinScrollBar* bar = control->ScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(bar->Kind(), sk::sbVertical);
    EXPECT_EQ(bar->SkinDataName(), "vscrollbar");
    EXPECT_EQ(bar->BoundsRect(), (TRect{142, 0, 161, 200}));
    EXPECT_EQ(control->GetButtonRect(Button(0, 0)).Right, 161 - 19 - 1 - 5);
    const int total = Category(1)->LayoutEnd;
    const int units = total / U();
    EXPECT_EQ(control->ScrollPage(), 200 / U());
    EXPECT_EQ(control->ScrollMax(), units - 200 / U() + 1);
    EXPECT_EQ(bar->Max(), units);
    control->ScrollBy(7);
    EXPECT_EQ(control->ScrollPosition(), control->ScrollMax());
    EXPECT_EQ(bar->Position(), control->ScrollMax());
    Category(0)->SetCollapsed(true);
    EXPECT_EQ(control->ScrollBar(), nullptr);
    EXPECT_EQ(control->ScrollPosition(), 0);
}

TEST_F(CategoryButtons, ScrollByCodesStayInRange)
{
    Fill({30});
    const int max = control->ScrollMax();
    const int page = control->ScrollPage();
    control->ScrollBy(0);
    EXPECT_EQ(control->ScrollPosition(), 0);
    control->ScrollBy(1);
    EXPECT_EQ(control->ScrollPosition(), 1);
    control->ScrollBy(3);
    EXPECT_EQ(control->ScrollPosition(), std::min(max, 1 + page));
    control->ScrollBy(2);
    control->ScrollBy(2);
    EXPECT_EQ(control->ScrollPosition(), 0);
    control->ScrollBy(4, 1000);
    EXPECT_EQ(control->ScrollPosition(), max);
    control->ScrollBy(6);
    EXPECT_EQ(control->ScrollPosition(), 0);
    control->SetButtonFlow(skcbfHorizontal);
    EXPECT_EQ(control->ScrollPosition(), 0);
}

TEST_F(CategoryButtons, ALeftReleaseOnTheButtonSelectsReportsAndThenClicks)
{
    Fill({3, 2});
    Click(Centre(Button(0, 1)));
    EXPECT_EQ(Log(), "select c0b1; button c0b1; click");
    EXPECT_EQ(control->SelectedItem(), Button(0, 1));
    EXPECT_EQ(control->FocusedItem(), Button(0, 1));
    int own = 0;
    Button(0, 2)->OnClick = [&](TObject* s) { own += s == control; };
    Click(Centre(Button(0, 2)));
    EXPECT_EQ(own, 1);
    EXPECT_EQ(Log(), "select c0b2; click") << "a button's own handler replaces OnButtonClicked";
    const TPoint p = Centre(Button(0, 0));
    SendMessageA(Wnd(), WM_RBUTTONDOWN, MK_RBUTTON, At(p.X, p.Y));
    SendMessageA(Wnd(), WM_RBUTTONUP, 0, At(p.X, p.Y));
    EXPECT_EQ(Log(), "") << "a right release starts nothing";
}

TEST_F(CategoryButtons, ReleasesOffTheButtonsToggleOnlyCategoriesThatHaveButtons)
{
    Fill({3, 2, 0}, false);
    Click({60, Category(0)->LayoutEnd - 3});
    EXPECT_TRUE(Category(0)->Collapsed());
    EXPECT_EQ(Log(), "click");
    Click({60, Category(0)->LayoutStart + 3});
    EXPECT_FALSE(Category(0)->Collapsed()) << "the caption band toggles too";
    Click({60, Category(2)->LayoutStart + 3});
    EXPECT_FALSE(Category(2)->Collapsed());
    EXPECT_EQ(Log(), "click; click");
    // Pressed on one button, released on another: no selection, the category toggles.
    Press(Centre(Button(1, 0)));
    Release(Centre(Button(1, 1)));
    EXPECT_EQ(control->SelectedItem(), nullptr);
    EXPECT_TRUE(Category(1)->Collapsed());
}

TEST_F(CategoryButtons, KeysMoveTheSelectionAndEnterReportsOnlyTheButton)
{
    Fill({3, 0, 2}, false);
    Key(VK_DOWN);
    EXPECT_EQ(control->SelectedItem(), Button(0, 0));
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(control->SelectedItem(), Button(2, 0)) << "the empty category is passed over";
    Key(VK_UP);
    EXPECT_EQ(control->SelectedItem(), Button(0, 2));
    Key(VK_END);
    EXPECT_EQ(control->SelectedItem(), Button(2, 1));
    Key(VK_HOME);
    EXPECT_EQ(control->SelectedItem(), Button(0, 0));
    Log();
    Key(VK_RETURN);
    EXPECT_EQ(Log(), "button c0b0") << "Enter plays nothing through the control's OnClick";
    {
        TCtrlHeld ctrl;
        Key(VK_LEFT);
        EXPECT_TRUE(Category(0)->Collapsed());
        EXPECT_EQ(control->SelectedItem(), Button(0, 0));
        Key(VK_RIGHT);
        EXPECT_FALSE(Category(0)->Collapsed());
    }
    Category(2)->SetCollapsed(true);
    control->SetSelectedItem(Button(2, 1));
    Log();
    Key(VK_RETURN);
    EXPECT_FALSE(Category(2)->Collapsed());
    EXPECT_EQ(Log(), "button c2b1");
}

TEST_F(CategoryButtons, PageDownMovesAboutOneViewAndKeepsTheSelectionInView)
{
    Fill({40});
    control->SetSelectedItem(Button(0, 0));
    Key(VK_NEXT);
    EXPECT_EQ(control->SelectedItem(), Button(0, 10));
    const TRect r = control->GetButtonRect(Button(0, 10));
    EXPECT_GE(r.Top, 0);
    EXPECT_LE(r.Bottom, 200);
    Key(VK_END);
    EXPECT_GT(control->GetButtonRect(Button(0, 39)).Top, 0);
    EXPECT_LE(control->GetButtonRect(Button(0, 39)).Bottom, 200);
    Key(VK_HOME);
    EXPECT_GE(control->GetButtonRect(Button(0, 0)).Top, 0);
    EXPECT_LT(control->GetButtonRect(Button(0, 0)).Top, control->ScrollUnit());
}

TEST_F(CategoryButtons, TheWheelScrollsByUnitsAndPagesAndShiftMovesTheSelection)
{
    Fill({30});
    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(control->ScrollPosition(), 1);
    Wheel(WHEEL_DELTA);
    EXPECT_EQ(control->ScrollPosition(), 0);
    Wheel(-WHEEL_DELTA, MK_CONTROL);
    EXPECT_EQ(control->ScrollPosition(), control->ScrollPage());
    control->SetSelectedItem(Button(0, 0));
    Wheel(-WHEEL_DELTA, MK_SHIFT);
    EXPECT_EQ(control->SelectedItem(), Button(0, 1));
    Wheel(WHEEL_DELTA, MK_SHIFT);
    Wheel(WHEEL_DELTA, MK_SHIFT);
    EXPECT_EQ(control->SelectedItem(), Button(0, 0));
    control->OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = true; };
    const int before = control->ScrollPosition();
    Wheel(-WHEEL_DELTA);
    EXPECT_EQ(control->ScrollPosition(), before) << "a handled wheel event is not scrolled again";
}

TEST_F(CategoryButtons, TheEmbeddedBarScrollsByArrowsPagesAndThumb)
{
    Fill({30});
    sk::TskSkinScrollBar* bar = control->ScrollBar();
    ASSERT_NE(bar, nullptr);
    HWND b = bar->Handle();
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, At(9, 192));
    SendMessageA(b, WM_LBUTTONUP, 0, At(9, 192));
    EXPECT_EQ(control->ScrollPosition(), 1) << "the far arrow: one unit on";
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, At(9, 8));
    SendMessageA(b, WM_LBUTTONUP, 0, At(9, 8));
    EXPECT_EQ(control->ScrollPosition(), 0);
    bar->CalcLayout();
    const int below = bar->Parts().Thumb.Bottom + 5;
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, At(9, below));
    SendMessageA(b, WM_LBUTTONUP, 0, At(9, below));
    EXPECT_EQ(control->ScrollPosition(), control->ScrollPage()) << "exactly one page on";
    bar->CalcLayout();
    const int thumbY = bar->Parts().Thumb.Top + 2;
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, At(9, thumbY));
    SendMessageA(b, WM_MOUSEMOVE, MK_LBUTTON, At(9, thumbY + 400));
    SendMessageA(b, WM_LBUTTONUP, 0, At(9, thumbY + 400));
    EXPECT_EQ(control->ScrollPosition(), control->ScrollMax());
}

TEST_F(CategoryButtons, TheDefaultLookShowsStatesWhereHitTestsFindThem)
{
    Fill({3, 2});
    control->SetSelectedItem(Button(0, 1));
    Move(Centre(Button(0, 2)), 0);
    EXPECT_EQ(control->HotButton(), Button(0, 2));
    auto shot = Snapshot(control);
    for (int i = 0; i < 3; ++i) {
        const TRect r = control->GetButtonRect(Button(0, i));
        EXPECT_EQ(control->GetButtonAt(r.Left + 3, r.Top + 3), Button(0, i));
        const TColor fill = i == 1 ? 0xB59385 : i == 2 ? 0xD2BDB6 : Rgb(clBtnFace);
        const TColor frame = i == 2 ? 0x800000 : Rgb(clBtnShadow);
        EXPECT_EQ(shot->Pixels(r.Left + 3, r.Top + 3), fill) << i;
        EXPECT_EQ(shot->Pixels(r.Left + 1, r.Top + 1), frame) << i;
    }
    const TRect band = control->GetCategoryBounds(Category(1), Category(1)->LayoutStart).Band;
    EXPECT_EQ(shot->Pixels(0, band.Top), Rgb(clBtnShadow)) << "the band's outline";
    EXPECT_EQ(shot->Pixels(100, band.Top + 2), Rgb(clBtnFace));
    EXPECT_EQ(shot->Pixels(100, 198), Rgb(clBtnFace)) << "the rest of the client area";
    control->Perform(WM_MOUSELEAVE);
    EXPECT_EQ(control->HotButton(), nullptr);
}

TEST_F(CategoryButtons, TheSkinnedLookComesFromPanelAndButtonDescriptions)
{
    skctrltest::TTestSkin skin;
    TBitmap* p = skin.Picture();
    p->SetSize(120, 40);
    p->Fill(0x336699);                              // panel (0, 0, 40, 40)
    for (int y = 0; y < 20; ++y)
        for (int x = 40; x < 120; ++x)
            p->SetPixels(x, y, x < 80 ? 0x00AA00 : 0xAA0000);  // button normal, button down
    auto* panel = skin.Add<sk::TskDataSkinPanelControl>("panel");
    panel->PictureIndex = 0;
    panel->SkinRect = {0, 0, 40, 40};
    panel->LTPoint = {4, 4};
    panel->RTPoint = {36, 4};
    panel->LBPoint = {4, 36};
    panel->RBPoint = {36, 36};
    panel->ClRect = {4, 4, 36, 36};
    auto* button = skin.Add<sk::TskDataSkinButtonControl>("resizebutton");
    button->PictureIndex = 0;
    button->SkinRect = {40, 0, 80, 20};
    button->DownSkinRect = {80, 0, 120, 20};
    button->LTPoint = {3, 3};
    button->RTPoint = {37, 3};
    button->LBPoint = {3, 17};
    button->RBPoint = {37, 17};
    button->ClRect = {3, 3, 37, 17};
    control->SetSkinData(&*skin.Data);
    Fill({3, 2});
    control->SetSelectedItem(Button(0, 0));
    auto shot = Snapshot(control);
    const TRect band = control->GetCategoryBounds(Category(1), Category(1)->LayoutStart).Band;
    EXPECT_EQ(shot->Pixels(band.Right - 3, band.Bottom - 3), 0x336699);
    EXPECT_EQ(shot->Pixels(100, 198), 0x336699) << "the background is tiled from the panel";
    const TRect r0 = control->GetButtonRect(Button(0, 0));
    const TRect r1 = control->GetButtonRect(Button(0, 1));
    EXPECT_EQ(shot->Pixels(r0.Left + 3, r0.Top + 3), 0xAA0000) << "selected: the down piece";
    EXPECT_EQ(shot->Pixels(r1.Left + 3, r1.Top + 3), 0x00AA00);
    skin.Remove();
    EXPECT_EQ(Snapshot(control)->Pixels(r1.Left + 3, r1.Top + 3), Rgb(clBtnFace));
}

TEST_F(CategoryButtons, HintsNameTheButtonOrTheCaptionLine)
{
    Fill({3});
    Button(0, 1)->SetHint("station hint");
    auto hint = [&](TPoint P) {
        THintInfo info;
        info.CursorPos = P;
        const LRESULT r = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
        return std::make_pair(r, info);
    };
    auto [r0, i0] = hint(Centre(Button(0, 0)));
    EXPECT_EQ(r0, 0);
    EXPECT_EQ(i0.HintStr, "c0b0");
    EXPECT_EQ(i0.CursorRect, control->GetButtonRect(Button(0, 0)));
    EXPECT_EQ(hint(Centre(Button(0, 1))).second.HintStr, "station hint");
    auto [r2, i2] = hint({60, 3});
    EXPECT_EQ(i2.HintStr, "c0");
    EXPECT_EQ(i2.CursorRect.Bottom - i2.CursorRect.Top, U()) << "an expanded band: its caption line only";
    EXPECT_NE(hint({60, 199}).first, 0) << "nothing under the point: no hint";
}

TEST_F(CategoryButtons, ClearingTheListUnderAHotSelectedButtonDropsEveryReference)
{
    Fill({5, 5}, false);
    Click(Centre(Button(0, 1)));
    Move(Centre(Button(0, 2)), 0);
    Press(Centre(Button(1, 1)));
    ASSERT_EQ(control->HotButton(), Button(0, 2));
    ASSERT_EQ(control->PressedButton(), Button(1, 1));
    Log();
    control->Categories()->Clear();
    EXPECT_EQ(control->HotButton(), nullptr);
    EXPECT_EQ(control->PressedButton(), nullptr);
    EXPECT_EQ(control->SelectedItem(), nullptr);
    EXPECT_EQ(control->FocusedItem(), nullptr);
    EXPECT_EQ(Log(), "select -");
    Move({50, 50});
    Release({50, 50});
    Snapshot(control);
    // Refilled by the timer under a resting mouse: hot tracking starts afresh.
    Fill({5});
    Move(Centre(Button(0, 3)), 0);
    EXPECT_EQ(control->HotButton(), Button(0, 3));
}

TEST_F(CategoryButtons, DeletingThePressedOrFocusedButtonAloneIsSafe)
{
    Fill({5});
    control->SetSelectedItem(Button(0, 3));
    Press(Centre(Button(0, 1)));
    Category(0)->Items()->Delete(1);
    EXPECT_EQ(control->PressedButton(), nullptr);
    Release(Centre(Button(0, 1)));
    Category(0)->Items()->Delete(2);
    EXPECT_EQ(control->SelectedItem(), nullptr);
    EXPECT_EQ(control->FocusedItem(), nullptr);
    Key(VK_DOWN);
    EXPECT_EQ(control->SelectedItem(), Button(0, 0));
}

TEST_F(CategoryButtons, ZeroSizesPaintAndHitTestWithoutDividing)
{
    Fill({4, 3}, false);
    control->SetButtonHeight(0);
    control->SetButtonWidth(0);
    Snapshot(control);
    EXPECT_EQ(control->GetButtonAt(20, 30), nullptr);
    control->SetButtonOptions({skboShowCaptions});
    Snapshot(control);
    control->SetButtonFlow(skcbfHorizontal);
    Snapshot(control);
    Key(VK_DOWN);
    Key(VK_RIGHT);
    control->SetBounds(0, 0, 0, 0);
    Click({0, 0});
    Wheel(-WHEEL_DELTA);
}

TEST_F(CategoryButtons, AnAlignedListFollowsItsParentsSize)
{
    Fill({20});
    control->SetAlign(alClient);
    form.Form->SetClientWidth(250);
    form.Form->SetClientHeight(150);
    ASSERT_EQ(control->Width(), 250);
    ASSERT_NE(control->ScrollBar(), nullptr);
    EXPECT_EQ(control->ScrollBar()->BoundsRect(), (TRect{231, 0, 250, 150}));
    EXPECT_EQ(control->GetButtonRect(Button(0, 0)).Right, 250 - 19 - 1 - 5);
    EXPECT_EQ(control->ScrollPage(), 150 / U());
}

TEST_F(CategoryButtons, ASkinChangeReadsTheCaptionFontAndPassesTheSkinToTheBar)
{
    Fill({20});
    const int plain = T();
    skctrltest::TTestSkin skin;
    skin.Picture()->SetSize(40, 80);
    auto* label = skin.Add<sk::TskDataSkinStdLabelControl>("stdlabel");
    label->FontName = "Tahoma";
    label->FontHeight = 30;
    auto* vbar = skin.Add<sk::TskDataSkinScrollBarControl>("vscrollbar");
    vbar->PictureIndex = 0;
    vbar->SkinRect = {0, 0, 15, 60};
    vbar->LTPoint = {0, 15};
    vbar->LBPoint = {0, 45};
    vbar->TrackArea = {0, 15, 15, 45};
    vbar->DownButtonRect = {0, 0, 15, 15};
    vbar->UpButtonRect = {0, 45, 15, 60};
    vbar->ThumbRect = {20, 0, 35, 15};
    control->SetSkinData(skin.Data);
    EXPECT_GT(T(), plain) << "captions in the skin's label font";
    sk::TskSkinScrollBar* bar = control->ScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->SkinData(), skin.Data);
    EXPECT_NE(bar->DescriptionIndex(), -1);
    EXPECT_EQ(bar->BoundsRect(), (TRect{161 - 15, 0, 161, 200}));
    EXPECT_EQ(control->GetButtonRect(Button(0, 0)).Right, 161 - 15 - 1 - 5);
    control->SetUsesSkinFont(false);
    EXPECT_EQ(T(), plain);
    control->SetUsesSkinFont(true);

    // While the skin is replaced nothing is read from it; afterwards all is read again.
    control->BeforeChangeSkinData();
    EXPECT_EQ(bar->DescriptionIndex(), -1);
    skin.Data->Empty = true;
    Snapshot(control);
    skin.Data->Empty = false;
    control->ChangeSkinData();
    EXPECT_GT(T(), plain);
    EXPECT_NE(control->ScrollBar()->DescriptionIndex(), -1);

    skin.Remove();
    EXPECT_EQ(control->SkinData(), nullptr);
    EXPECT_EQ(control->ScrollBar()->SkinData(), nullptr);
    Snapshot(control);
}

TEST_F(CategoryButtons, ChangingTheFlowTurnsTheBarInPlace)
{
    Fill({30});
    sk::TskSkinScrollBar* bar = control->ScrollBar();
    ASSERT_NE(bar, nullptr);
    control->ScrollBy(3);
    control->SetButtonOptions({skboShowCaptions});
    control->SetButtonFlow(skcbfHorizontal);
    ASSERT_EQ(control->ScrollBar(), bar) << "the same bar, turned";
    EXPECT_EQ(bar->Kind(), sk::sbHorizontal);
    EXPECT_EQ(bar->SkinDataName(), "hscrollbar");
    EXPECT_EQ(bar->BoundsRect(), (TRect{0, 200 - 19, 161, 200}));
    EXPECT_EQ(control->ScrollPosition(), 0);
    control->SetButtonFlow(skcbfVertical);
    ASSERT_NE(control->ScrollBar(), nullptr);
    EXPECT_EQ(control->ScrollBar()->BoundsRect(), (TRect{161 - 19, 0, 161, 200}));
}

TEST_F(CategoryButtons, ANamedButtonDescriptionIsUsedWhenTheSkinHasIt)
{
    skctrltest::TTestSkin skin;
    TBitmap* p = skin.Picture();
    p->SetSize(120, 20);
    p->Fill(0x00AA00);                         // "resizebutton": (0, 0, 40, 20)
    for (int y = 0; y < 20; ++y)
        for (int x = 40; x < 80; ++x)
            p->SetPixels(x, y, 0x0000AA);      // "stationbutton": (40, 0, 80, 20)
    auto add = [&](const char* Name, int Left) {
        auto* d = skin.Add<sk::TskDataSkinButtonControl>(Name);
        d->PictureIndex = 0;
        d->SkinRect = {Left, 0, Left + 40, 20};
        d->LTPoint = {3, 3};
        d->RTPoint = {37, 3};
        d->LBPoint = {3, 17};
        d->RBPoint = {37, 17};
        d->ClRect = {3, 3, 37, 17};
    };
    add("resizebutton", 0);
    add("stationbutton", 40);
    control->SetSkinData(skin.Data);
    Fill({2});
    const TRect r = control->GetButtonRect(Button(0, 0));
    EXPECT_EQ(Snapshot(control)->Pixels(r.Left + 3, r.Top + 3), 0x00AA00);
    control->SetButtonsSkinDataName("stationbutton");
    EXPECT_EQ(Snapshot(control)->Pixels(r.Left + 3, r.Top + 3), 0x0000AA);
    control->SetButtonsSkinDataName("nosuchbutton");
    EXPECT_EQ(Snapshot(control)->Pixels(r.Left + 3, r.Top + 3), 0x00AA00) << "a missing name falls back";
}
