// The skinned tab and page controls on real windows: the corrected geometry against the plain
// class-library controls, both looks per state, hot tabs, the skinned scroller that replaces
// the platform's arrows, hidden sheets, and the sheets' skinned background.
#include "skin/bases/support.h"

#include <commctrl.h>

#include "skinforms/controls/Tabs.h"

using namespace cl;
using namespace sk;
using namespace skctrltest;

namespace {

constexpr TColor HotFill = 0xD2BDB6;
constexpr TColor PressedFill = 0xB59385;
constexpr TColor ActiveFrame = 0x800000;

struct Tabs : ::testing::Test {
    TTestForm form;

    TskSkinTabControl* MakeTabs(int W, int H, int Count, TTabPosition Pos = tpTop)
    {
        auto* t = new TskSkinTabControl(form.Form);
        t->SetParent(form.Form);
        t->SetBounds(0, 0, W, H);
        t->SetTabPosition(Pos);
        for (int i = 0; i < Count; ++i)
            t->Tabs()->Add("Tab " + std::to_string(i));
        t->HandleNeeded();
        return t;
    }
    // The plain control of the same size, tabs and tab height, for the platform's own answers.
    TTabControl* MakePlain(int W, int H, int Count, TTabPosition Pos, int TabHeight)
    {
        auto* t = new TTabControl(form.Form);
        t->SetParent(form.Form);
        t->SetBounds(0, 0, W, H);
        t->SetTabPosition(Pos);
        t->Font()->SetName("Arial");
        t->Font()->SetHeight(14);
        t->SetTabHeight(TabHeight);
        for (int i = 0; i < Count; ++i)
            t->Tabs()->Add("Tab " + std::to_string(i));
        t->HandleNeeded();
        return t;
    }
    TskSkinPageControl* MakePages(int Count)
    {
        auto* p = new TskSkinPageControl(form.Form);
        p->SetParent(form.Form);
        p->SetBounds(0, 0, 300, 200);
        for (int i = 0; i < Count; ++i) {
            auto* s = new TskSkinTabSheet(p);
            s->SetCaption("Page " + std::to_string(i));
            s->SetPageControl(p);
        }
        p->HandleNeeded();
        p->SetActivePageIndex(0);
        return p;
    }
};

// A skin whose tab description cuts a frame, a strip background and three tab pieces, each in
// its own colour, from one picture.
struct TTabSkin {
    TTestSkin skin;
    TskDataSkinTabControl* d;
    static constexpr TColor Frame = 0x303030;
    static constexpr TColor Client = 0x00A0A0;
    static constexpr TColor Strip = 0x4040C0;
    static constexpr TColor Tab = 0x20C020;
    static constexpr TColor ActiveTab = 0xC02020;
    static constexpr TColor FocusTab = 0xC0C020;
    static constexpr TColor HotTab = 0xC020C0;

    TTabSkin()
    {
        TBitmap* p = skin.Picture();
        p->SetSize(200, 100);
        p->Fill(Frame);  // frame (0, 0, 40, 40) with a 4-px border around its client part
        Paint(4, 4, 36, 36, Client);
        Paint(50, 0, 70, 20, Strip);
        Paint(100, 0, 140, 20, Tab);
        Paint(100, 20, 140, 40, ActiveTab);
        Paint(100, 40, 140, 60, FocusTab);
        Paint(100, 60, 140, 80, HotTab);
        d = skin.Add<TskDataSkinTabControl>("tab");
        d->PictureIndex = 0;
        d->SkinRect = {0, 0, 40, 40};
        d->ClRect = {4, 4, 36, 36};
        d->LTPoint = {4, 4};
        d->RTPoint = {36, 4};
        d->LBPoint = {4, 36};
        d->RBPoint = {36, 36};
        d->TabsBGRect = {50, 0, 70, 20};
        d->TabRect = {100, 0, 140, 20};
        d->ActiveTabRect = {100, 20, 140, 40};
        d->FocusTabRect = {100, 40, 140, 60};
        d->MouseInTabRect = {100, 60, 140, 80};
        d->TabLeftOffset = 2;
        d->TabRightOffset = 2;
    }
    void Paint(int L, int T, int R, int B, TColor C)
    {
        for (int y = T; y < B; ++y)
            for (int x = L; x < R; ++x)
                skin.Picture()->SetPixels(x, y, C);
    }
};

TPoint Inside(const TRect& R) { return {R.Left + 3, R.Top + 3}; }

}  // namespace

TEST_F(Tabs, TheDisplayAreaIsCorrectedFromThePlatformsForEveryPositionWithoutADescription)
{
    for (TTabPosition pos : {tpTop, tpBottom, tpLeft, tpRight}) {
        SCOPED_TRACE(pos);
        auto* t = MakeTabs(300, 200, 3, pos);
        auto* plain = MakePlain(300, 200, 3, pos, 20);
        const TRect n = plain->DisplayRect();
        const TRect d = t->DisplayRect();
        const int cw = 300, ch = 200;
        switch (pos) {
        case tpTop: EXPECT_EQ(d, (TRect{1, n.Top - 5, cw - 1, ch - 1})); break;
        case tpBottom: EXPECT_EQ(d, (TRect{1, 1, cw - 1, n.Bottom + 3})); break;
        case tpLeft: EXPECT_EQ(d, (TRect{n.Left - 3, n.Top - 5, cw - 1, ch - 1})); break;
        case tpRight: EXPECT_EQ(d, (TRect{n.Left - 3, n.Top - 5, n.Right + 3, ch - 1})); break;
        }
        // The tabs move by two pixels towards their strip's outside.
        const TRect nt = plain->TabRect(1);
        const TRect tt = t->TabRect(1);
        switch (pos) {
        case tpTop: EXPECT_EQ(tt, (TRect{nt.Left - 2, nt.Top - 2, nt.Right - 2, nt.Bottom - 2})); break;
        case tpBottom: EXPECT_EQ(tt, (TRect{nt.Left - 2, nt.Top + 2, nt.Right - 2, nt.Bottom + 2})); break;
        case tpLeft: EXPECT_EQ(tt, (TRect{nt.Left - 2, nt.Top, nt.Right - 2, nt.Bottom})); break;
        case tpRight: EXPECT_EQ(tt, (TRect{nt.Left + 2, nt.Top, nt.Right + 2, nt.Bottom})); break;
        }
        t->Free();
        plain->Free();
    }
}

TEST_F(Tabs, WithADescriptionTheFrameMarginsComeFromItsClientPart)
{
    TTabSkin s;
    s.d->ClRect = {3, 5, 33, 34};  // margins 3, 5, 7, 6
    auto* t = MakeTabs(300, 200, 3);
    t->SetSkinData(s.skin.Data);
    ASSERT_NE(t->DescriptionIndex(), -1);
    auto* plain = MakePlain(300, 200, 3, tpTop, 20);
    const TRect n = plain->DisplayRect();
    EXPECT_EQ(t->DisplayRect(), (TRect{3, n.Top - 6 + 5, 300 - 7, 200 - 6}));
    // A background picture takes the margins away from the tab control.
    s.d->BGPictureIndex = 0;
    EXPECT_EQ(t->DisplayRect(), (TRect{0, n.Top - 6, 300, 200}));
}

TEST_F(Tabs, TabHeightFollowsTheDefaultItemHeightAndThenTheSkinsTab)
{
    auto* t = MakeTabs(300, 200, 3);
    const TRect r = t->TabRect(0);
    EXPECT_EQ(r.Bottom - r.Top, 20);
    TTabSkin s;
    s.d->TabRect = {100, 0, 140, 26};
    t->SetSkinData(s.skin.Data);
    const TRect r2 = t->TabRect(0);
    EXPECT_EQ(r2.Bottom - r2.Top, 26);
    EXPECT_EQ(t->GetTabRect(0).Left, r2.Left + 1) << "the first tab of a single line starts a pixel in";
}

TEST_F(Tabs, DefaultLookDrawsNormalHotActiveAndFocusedTabs)
{
    auto* t = MakeTabs(300, 200, 3);
    t->SetTabIndex(1);
    auto shot = Snapshot(t);
    const TRect a = t->GetTabRect(1);
    const TRect n = t->GetTabRect(2);
    EXPECT_EQ(shot->Pixels(a.Left, a.Top + 5), ActiveFrame);
    EXPECT_EQ(shot->Pixels(Inside(a).X, Inside(a).Y), HotFill) << "active, not focused";
    EXPECT_EQ(shot->Pixels(Inside(n).X, Inside(n).Y), Rgb(clBtnFace));
    const TRect d = t->DisplayRect();
    EXPECT_EQ(shot->Pixels(d.Left - 1, d.Bottom - 20), Rgb(clBtnShadow)) << "the frame";

    SendMessageA(t->Handle(), WM_MOUSEMOVE, 0, At(Inside(n).X, Inside(n).Y));
    EXPECT_EQ(t->HotTab(), 2);
    EXPECT_EQ(Snapshot(t)->Pixels(Inside(n).X, Inside(n).Y), HotFill);
    SendMessageA(t->Handle(), WM_MOUSEMOVE, 0, At(Inside(a).X, Inside(a).Y));
    EXPECT_EQ(t->HotTab(), 1);
    EXPECT_EQ(Snapshot(t)->Pixels(Inside(n).X, Inside(n).Y), Rgb(clBtnFace));
    t->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(t->HotTab(), -1);

    form.Form->Show();
    t->SetFocus();
    ASSERT_EQ(GetFocus(), t->Handle());
    EXPECT_EQ(Snapshot(t)->Pixels(Inside(a).X, Inside(a).Y), PressedFill);
}

TEST_F(Tabs, SkinnedLookDrawsTheFrameTheStripAndEachTabPieceByState)
{
    TTabSkin s;
    auto* t = MakeTabs(300, 200, 3);
    t->SetSkinData(s.skin.Data);
    t->SetTabIndex(0);
    const TRect d = t->DisplayRect();
    const TRect a = t->GetTabRect(0);
    const TRect n = t->GetTabRect(1);
    auto shot = Snapshot(t);
    EXPECT_EQ(shot->Pixels(d.Left + 10, d.Top + 10), TTabSkin::Client) << "the tab control tiles its client part";
    EXPECT_EQ(shot->Pixels(d.Left - 2, d.Top + 20), TTabSkin::Frame) << "the border";
    EXPECT_EQ(shot->Pixels(290, 2), TTabSkin::Strip) << "the strip right of the last tab";
    EXPECT_EQ(shot->Pixels(Inside(a).X, Inside(a).Y), TTabSkin::ActiveTab);
    EXPECT_EQ(shot->Pixels(Inside(n).X, Inside(n).Y), TTabSkin::Tab);
    SendMessageA(t->Handle(), WM_MOUSEMOVE, 0, At(Inside(n).X, Inside(n).Y));
    EXPECT_EQ(Snapshot(t)->Pixels(Inside(n).X, Inside(n).Y), TTabSkin::HotTab);
    form.Form->Show();
    t->SetFocus();
    EXPECT_EQ(Snapshot(t)->Pixels(Inside(a).X, Inside(a).Y), TTabSkin::FocusTab);
    // Without a focus piece the active piece shows; without both the plain tab, never nothing.
    s.d->FocusTabRect = {};
    EXPECT_EQ(Snapshot(t)->Pixels(Inside(a).X, Inside(a).Y), TTabSkin::ActiveTab);
    s.d->ActiveTabRect = {};
    EXPECT_EQ(Snapshot(t)->Pixels(Inside(a).X, Inside(a).Y), TTabSkin::Tab);
}

TEST_F(Tabs, BottomTabsAreFlippedAndSideTabsTurned)
{
    TTabSkin s;
    // The tab piece: its top row marked, so a flip and the turns show where it went.
    s.Paint(100, 0, 140, 3, 0x0000FF);
    for (TTabPosition pos : {tpBottom, tpLeft, tpRight}) {
        SCOPED_TRACE(pos);
        auto* t = MakeTabs(300, 250, 2, pos);
        t->SetSkinData(s.skin.Data);
        t->SetTabIndex(0);
        const TRect r = t->GetTabRect(1);
        auto shot = Snapshot(t);
        const int mx = (r.Left + r.Right) / 2;
        const int my = (r.Top + r.Bottom) / 2;
        switch (pos) {
        case tpBottom:
            EXPECT_EQ(shot->Pixels(mx, r.Bottom - 1), 0x0000FF);
            EXPECT_EQ(shot->Pixels(mx, r.Top), TTabSkin::Tab);
            break;
        case tpLeft:  // turned counter-clockwise: the top row comes to the left
            EXPECT_EQ(shot->Pixels(r.Left, my), 0x0000FF);
            EXPECT_EQ(shot->Pixels(r.Right - 1, my), TTabSkin::Tab);
            break;
        case tpRight:
            EXPECT_EQ(shot->Pixels(r.Right - 1, my), 0x0000FF);
            EXPECT_EQ(shot->Pixels(r.Left, my), TTabSkin::Tab);
            break;
        default: break;
        }
        t->Free();
    }
}

TEST_F(Tabs, ANarrowedSingleLineControlGetsTheSkinnedScrollerInsteadOfThePlatformsArrows)
{
    auto* t = MakeTabs(1500, 100, 12);
    EXPECT_EQ(t->TabScroller(), nullptr);
    t->SetWidth(150);
    ASSERT_NE(t->TabScroller(), nullptr);
    EXPECT_EQ(FindWindowExA(t->Handle(), nullptr, UPDOWN_CLASSA, nullptr), nullptr);
    TskSkinUpDown* s = t->TabScroller();
    EXPECT_EQ(s->Width(), 36);
    EXPECT_EQ(s->Height(), 18);
    EXPECT_EQ(s->Left(), 150 - 36);
    EXPECT_EQ(s->Top(), 0);
    EXPECT_GT(s->Max(), 0);
    EXPECT_EQ(t->LeftTabCount(), 0);
    // A click on its up button scrolls the strip by one tab.
    const TRect up = s->ButtonRect(TskSkinUpDown::UpButton);
    SendMessageA(s->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(up.Left + 3, up.Top + 3));
    SendMessageA(s->Handle(), WM_LBUTTONUP, 0, At(up.Left + 3, up.Top + 3));
    EXPECT_EQ(t->LeftTabCount(), 1);
    EXPECT_EQ(s->Position(), 1);
    t->SetWidth(2000);
    EXPECT_EQ(t->TabScroller(), nullptr);
}

TEST_F(Tabs, AMultiLinePageControlNeverGetsAScrollerAndAnEmptyControlPaints)
{
    auto* p = MakePages(12);
    p->SetMultiLine(true);
    p->SetWidth(120);
    EXPECT_EQ(p->TabScroller(), nullptr);
    auto* empty = MakeTabs(100, 80, 0);
    EXPECT_EQ(empty->TabIndex(), -1);
    auto shot = Snapshot(empty);
    EXPECT_EQ(shot->Pixels(50, 40), Rgb(clBtnFace));
    auto* noPages = MakePages(0);
    EXPECT_EQ(noPages->VisibleTabCount(), 0);
    Snapshot(noPages);
}

TEST_F(Tabs, HiddenSheetsTakeGeometryByTabAndCaptionByPage)
{
    auto* p = MakePages(3);
    p->Pages(0)->SetTabVisible(false);
    EXPECT_EQ(p->VisibleTabCount(), 2);
    p->SetActivePageIndex(2);
    EXPECT_EQ(p->TabIndex(), 1);
    auto shot = Snapshot(p);
    const TRect a = p->GetTabRect(1);
    EXPECT_EQ(shot->Pixels(a.Left, a.Top + 5), ActiveFrame) << "the selected tab is the second shown";
    SendMessageA(p->Handle(), WM_MOUSEMOVE, 0, At(Inside(p->GetTabRect(0)).X, Inside(p->GetTabRect(0)).Y));
    EXPECT_EQ(p->HotTab(), 0);
    EXPECT_EQ(Snapshot(p)->Pixels(Inside(p->GetTabRect(0)).X, Inside(p->GetTabRect(0)).Y), HotFill);
}

TEST_F(Tabs, SheetsPaintTheWallpaperTheSkinsClientPartOrThePlainFace)
{
    auto* p = MakePages(2);
    auto* sheet = static_cast<TskSkinTabSheet*>(p->Pages(0));
    ASSERT_GT(sheet->Width(), 10);
    EXPECT_EQ(Snapshot(sheet)->Pixels(5, 5), Rgb(clBtnFace));
    TTabSkin s;
    p->SetSkinData(s.skin.Data);
    EXPECT_EQ(Snapshot(sheet)->Pixels(5, 5), TTabSkin::Client);
    // A skin with an empty client part has nothing to tile: plain face, not a division by zero.
    s.d->ClRect = {};
    EXPECT_EQ(Snapshot(sheet)->Pixels(5, 5), Rgb(clBtnFace));
    TBitmap paper;
    paper.SetSize(4, 4);
    paper.Fill(0x123456);
    sheet->SetWallPaper(&paper);
    EXPECT_EQ(Snapshot(sheet)->Pixels(sheet->Width() - 1, sheet->Height() - 1), 0x123456);
}

TEST_F(Tabs, TabChangeByClickFiresOnChangeAndShowsTheSheet)
{
    auto* p = MakePages(3);
    int changes = 0;
    p->OnChange = [&](TObject*) { ++changes; };
    const TRect r = p->GetTabRect(2);
    SendMessageA(p->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(Inside(r).X, Inside(r).Y));
    SendMessageA(p->Handle(), WM_LBUTTONUP, 0, At(Inside(r).X, Inside(r).Y));
    EXPECT_EQ(p->ActivePageIndex(), 2);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(p->Pages(2)->Visible());
}
