// The scroll bar on a real window: range rules, arrows with their repeat, pages, thumb
// dragging, keys and wheel, and both looks painted.
#include "skin/bases/support.h"

#include "classlib/controls/support.h"
#include "skin/controls/ScrollBar.h"

using namespace cl;
using namespace sk;
using namespace skctrltest;

namespace {

struct ScrollBar : ::testing::Test {
    visual_test::TClockScope clock;
    TTestForm form;
    TskSkinScrollBar* bar = nullptr;
    int changes = 0;
    int lastChanges = 0;
    int pageUps = 0;
    int pageDowns = 0;
    void SetUp() override
    {
        bar = new TskSkinScrollBar(form.Form);
        bar->SetParent(form.Form);
        bar->SetBounds(0, 0, 200, 19);
        bar->OnChange = [this](TObject*) { ++changes; };
        bar->OnLastChange = [this](TObject*) { ++lastChanges; };
        bar->OnPageUp = [this](TObject*) { ++pageUps; };
        bar->OnPageDown = [this](TObject*) { ++pageDowns; };
        bar->HandleNeeded();
    }
    HWND Wnd() { return bar->Handle(); }
    void Press(int X, int Y) { SendMessageA(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(X, Y)); }
    void Move(int X, int Y) { SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, At(X, Y)); }
    void Release(int X, int Y) { SendMessageA(Wnd(), WM_LBUTTONUP, 0, At(X, Y)); }
    void Tick() { SendMessageA(Wnd(), WM_TIMER, TskSkinScrollBar::RepeatTimerId, 0); }
};

}  // namespace

TEST_F(ScrollBar, SetRangeClampsWithoutChangeAndRefusesOversizedPages)
{
    bar->SetRange(0, 100, 95, 10);
    EXPECT_EQ(bar->Position(), 91);
    EXPECT_EQ(changes, 0);
    bar->SetPosition(95);
    EXPECT_EQ(bar->Position(), 91);
    EXPECT_EQ(changes, 0) << "an unchanged position fires nothing";
    bar->SetPosition(50);
    EXPECT_EQ(changes, 1);

    bar->SetRange(0, 100, 0, 10);
    bar->SetPageSize(150);
    EXPECT_EQ(bar->PageSize(), 10);
    // A page larger than the range set through SetRange: the thumb fills the track, and
    // dragging it neither crashes nor moves.
    bar->SetRange(0, 10, 0, 50);
    bar->CalcLayout();
    EXPECT_EQ(bar->Parts().Thumb.Right - bar->Parts().Thumb.Left, bar->Parts().Track.Right - bar->Parts().Track.Left);
    Press(100, 9);
    Move(150, 9);
    Release(150, 9);
    EXPECT_EQ(bar->Position(), 0);
}

TEST_F(ScrollBar, HoldingAnArrowOrTheTrackRepeatsAfterHalfASecondEvery50MsAndAnArrowPausesOffIt)
{
    // On a 200-wide bar the track runs from 17 to 183 and the 16-pixel thumb over 150 pixels of
    // it; each row starts where the thumb stays clear of the pointer for the steps taken.
    const struct {
        const char* part;
        int x;
        int start;
        int mode;
        int step;
    } cases[] = {
        {"near arrow", 8, 50, TskSkinScrollBar::RepeatNearArrow, -1},
        {"far arrow", 190, 0, TskSkinScrollBar::RepeatFarArrow, +1},
        {"track before the thumb", 30, 100, TskSkinScrollBar::RepeatPageNear, -1},
        {"track after the thumb", 170, 0, TskSkinScrollBar::RepeatPageFar, +1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.part);
        bar->SetRange(0, 100, c.start, 0);
        auto steps = [&] { return (bar->Position() - c.start) * c.step; };
        Press(c.x, 9);
        EXPECT_EQ(steps(), 1) << "once at once";
        EXPECT_EQ(bar->RepeatMode(), c.mode);
        visual_test::ExpectStepsAt(clock.clock, steps, {500, 550, 600});
        const bool arrow = c.mode == TskSkinScrollBar::RepeatNearArrow || c.mode == TskSkinScrollBar::RepeatFarArrow;
        if (arrow) {
            Move(100, 9);  // off the arrow: the repeat pauses
            clock.clock.Advance(200);
            EXPECT_EQ(steps(), 4);
            Move(c.x, 9);  // back on it: the repeat resumes at its pace
            visual_test::ExpectStepsAt(clock.clock, steps, {50});
        }
        Release(c.x, 9);
        const int released = steps();
        clock.clock.Advance(200);
        EXPECT_EQ(steps(), released);
        EXPECT_EQ(bar->PressedPart(), -1);
    }
    EXPECT_EQ(lastChanges, 0) << "only a thumb drag ends with OnLastChange";
}

TEST_F(ScrollBar, TheNearArrowStepsBackAndAssignedHandlersTakeItsPlace)
{
    bar->SetRange(0, 100, 10, 0);
    Press(8, 9);
    Release(8, 9);
    EXPECT_EQ(bar->Position(), 9);
    int ups = 0;
    bar->OnUpButtonClick = [&](TObject*) { ++ups; };
    Press(190, 9);
    Release(190, 9);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(bar->Position(), 9);
}

TEST_F(ScrollBar, APagePressRepeatsUntilTheThumbHasPassedThePointer)
{
    bar->SetRange(0, 100, 0, 10);
    bar->SetLargeChange(10);
    Press(120, 9);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(pageDowns, 1);
    for (int i = 0; i < 20; ++i)
        Tick();
    bar->CalcLayout();
    EXPECT_GT(bar->Parts().Thumb.Right, 120) << "the thumb reached the pointer";
    const int reached = bar->Position();
    EXPECT_LT(reached, 91) << "and then the repeat stopped";
    Tick();
    EXPECT_EQ(bar->Position(), reached);
    Release(120, 9);
    // Before the thumb: a page back.
    Press(20, 9);
    EXPECT_EQ(bar->Position(), reached - 10);
    EXPECT_EQ(pageUps, 1);
    Release(20, 9);
}

TEST_F(ScrollBar, DraggingTheThumbFollowsThePointerAndEndsWithLastChange)
{
    bar->SetRange(0, 100, 0, 0);
    bar->CalcLayout();
    const TRect thumb = bar->Parts().Thumb;
    const int y = 9;
    Press(thumb.Left + 2, y);
    EXPECT_TRUE(bar->Dragging());
    const int free = (bar->Parts().Track.Right - bar->Parts().Track.Left) - (thumb.Right - thumb.Left);
    Move(thumb.Left + 2 + free / 2, y);
    EXPECT_NEAR(bar->Position(), 50, 1);
    Move(thumb.Left + 2 + free * 3, y);
    EXPECT_EQ(bar->Position(), 100);
    Move(-500, y);
    EXPECT_EQ(bar->Position(), 0);
    Release(-500, y);
    EXPECT_FALSE(bar->Dragging());
    EXPECT_EQ(lastChanges, 1);
}

TEST_F(ScrollBar, TheThumbSitsAtEachEndOfTheRangeAndInBetweenAndADragPastTheFarEndReachesItsLastPosition)
{
    // Track 17..183; the 16-pixel thumb moves over 150 pixels of it.
    const struct {
        int min, max, position, page;
        int fromStart, fromEnd;  // the thumb's distances from the track's two ends
        int last;                // the position a drag past the far end gives
    } cases[] = {
        {5, 5, 5, 0, 0, 150, 5},        // no range: the thumb at the start, and a drag moves nothing
        {0, 100, 0, 0, 0, 150, 100},    // first position
        {0, 100, 100, 0, 150, 0, 100},  // last position
        {0, 100, 50, 0, 75, 75, 100},
        {0, 100, 0, 10, 0, 150, 91},    // with a page: the last position is max - page + 1
        {0, 100, 91, 10, 150, 0, 91},
        {0, 100, 45, 10, 74, 76, 91},   // inner positions: the place is a share of max - page + 1
        {0, 99, 30, 50, 50, 33, 50},    // a page of half the range: a thumb half the track long
        {10, 59, 20, 25, 33, 50, 35},   // the same from a minimum that is not 0
        {0, 99, 50, 50, 83, 0, 50},     // a thumb of odd length ends where the track ends
        {0, 9, 0, 10, 0, 0, 0},         // the range equal to the page: the thumb fills the track
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " at " << c.position << " page " << c.page);
        bar->SetRange(c.min, c.max, c.position, c.page);
        bar->CalcLayout();
        const TRect thumb = bar->Parts().Thumb;
        EXPECT_EQ(thumb.Left - bar->Parts().Track.Left, c.fromStart);
        EXPECT_EQ(bar->Parts().Track.Right - thumb.Right, c.fromEnd);
        Press(thumb.Left + 1, 9);
        Move(thumb.Left + 400, 9);
        Release(thumb.Left + 400, 9);
        EXPECT_EQ(bar->Position(), c.last);
    }
}

TEST_F(ScrollBar, KeysAndWheelWorkOnlyWhenFocusable)
{
    bar->SetRange(0, 100, 10, 0);
    SendMessageA(Wnd(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(Wnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(SendMessageA(Wnd(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, 0);
    bar->SetCanFocused(true);
    EXPECT_TRUE(bar->TabStop());
    EXPECT_NE(SendMessageA(Wnd(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, 0);
    SendMessageA(Wnd(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(Wnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(bar->Position(), 12);
    SendMessageA(Wnd(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(bar->Position(), 11);
    SendMessageA(Wnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(bar->Position(), 12);
    SendMessageA(Wnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(bar->Position(), 11);
}

TEST_F(ScrollBar, DefaultLookShowsArrowsThumbAndHotPartAndNoThumbWhenDisabled)
{
    bar->SetRange(0, 100, 0, 0);
    bar->CalcLayout();
    const TRect thumb = bar->Parts().Thumb;
    auto shot = Snapshot(bar);
    EXPECT_EQ(shot->Pixels(0, 0), Rgb(clBtnFace));
    EXPECT_EQ(shot->Pixels(1, 1), Rgb(clBtnShadow)) << "the near arrow's frame";
    EXPECT_EQ(shot->Pixels(thumb.Left, thumb.Top), Rgb(clBtnShadow)) << "the thumb's frame";
    SendMessageA(Wnd(), WM_MOUSEMOVE, 0, At(190, 9));
    EXPECT_EQ(bar->HotPart(), TskSkinScrollBar::FarArrowPart);
    shot = Snapshot(bar);
    EXPECT_EQ(shot->Pixels(bar->Parts().FarArrow.Left, 5), 0x800000);
    EXPECT_EQ(shot->Pixels(bar->Parts().FarArrow.Left + 2, 3), 0xD2BDB6);
    bar->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(bar->HotPart(), -1);
    bar->SetEnabled(false);
    shot = Snapshot(bar);
    EXPECT_EQ(shot->Pixels(thumb.Left, thumb.Top), Rgb(clBtnFace));
}

TEST_F(ScrollBar, SkinnedLookDrawsTheBackgroundAndTheThumbFromThePicture)
{
    TTestSkin skin;
    TBitmap* p = skin.Picture();
    p->SetSize(100, 40);
    p->Fill(0x404040);                   // background strip: (0, 0, 60, 17)
    for (int y = 20; y < 37; ++y)        // thumb: (0, 20, 20, 37) in green
        for (int x = 0; x < 20; ++x)
            p->SetPixels(x, y, 0x00A000);
    auto* d = skin.Add<TskDataSkinScrollBarControl>("hscrollbar");
    d->PictureIndex = 0;
    d->SkinRect = {0, 0, 60, 17};
    d->LTPoint = {17, 0};
    d->RTPoint = {43, 0};
    d->TrackArea = {17, 0, 43, 17};
    d->DownButtonRect = {0, 0, 17, 17};
    d->UpButtonRect = {43, 0, 60, 17};
    d->ThumbRect = {0, 20, 20, 37};
    bar->SetRange(0, 100, 0, 0);
    bar->SetSkinData(skin.Data);
    ASSERT_NE(bar->DescriptionIndex(), -1);
    EXPECT_EQ(bar->Height(), 17) << "a horizontal strip keeps the skin's height";
    auto shot = Snapshot(bar);
    EXPECT_EQ(shot->Pixels(5, 5), 0x404040);
    EXPECT_EQ(shot->Pixels(20, 8), 0x00A000) << "the thumb at the track's start";
    EXPECT_EQ(shot->Pixels(100, 8), 0x404040);
    bar->SetPosition(100);
    shot = Snapshot(bar);
    EXPECT_EQ(shot->Pixels(20, 8), 0x404040);
    EXPECT_EQ(shot->Pixels(bar->Width() - 20, 8), 0x00A000);
}

TEST_F(ScrollBar, SkinnedArrowsShowTheirActivePieceUnderTheMouseAndTheDownPieceWhenHeld)
{
    TTestSkin skin;
    TBitmap* p = skin.Picture();
    p->SetSize(100, 40);
    p->Fill(0x404040);
    auto paint = [&](int X0, TColor C) {
        for (int y = 20; y < 37; ++y)
            for (int x = X0; x < X0 + 17; ++x)
                p->SetPixels(x, y, C);
    };
    paint(0, 0x00A000);   // thumb
    paint(40, 0x0000C0);  // far arrow under the mouse
    paint(60, 0xC00000);  // far arrow held
    auto* d = skin.Add<TskDataSkinScrollBarControl>("hscrollbar");
    d->PictureIndex = 0;
    d->SkinRect = {0, 0, 60, 17};
    d->LTPoint = {17, 0};
    d->RTPoint = {42, 0};
    d->TrackArea = {17, 0, 43, 17};
    d->DownButtonRect = {0, 0, 17, 17};
    d->UpButtonRect = {43, 0, 60, 17};
    d->ActiveUpButtonRect = {40, 20, 57, 37};
    d->DownUpButtonRect = {60, 20, 77, 37};
    d->ThumbRect = {0, 20, 17, 37};
    bar->SetRange(0, 100, 0, 0);
    bar->SetSkinData(skin.Data);
    bar->CalcLayout();
    EXPECT_EQ(bar->Parts().FarArrow, (TRect{183, 0, 200, 17})) << "the arrow beyond the stretch point moves";
    EXPECT_EQ(Snapshot(bar)->Pixels(190, 8), 0x404040);
    SendMessageA(Wnd(), WM_MOUSEMOVE, 0, At(190, 8));
    EXPECT_EQ(Snapshot(bar)->Pixels(190, 8), 0x0000C0);
    Press(190, 8);
    EXPECT_EQ(Snapshot(bar)->Pixels(190, 8), 0xC00000);
    Release(190, 8);
    bar->Perform(CM_MOUSELEAVE);
    SendMessageA(Wnd(), WM_MOUSEMOVE, 0, At(100, 8));
    EXPECT_EQ(Snapshot(bar)->Pixels(190, 8), 0x404040);
}

TEST_F(ScrollBar, AVerticalBarPointsItsArrowsUpAndDown)
{
    bar->SetKind(sbVertical);
    bar->SetBounds(0, 0, 19, 120);
    bar->SetRange(0, 10, 0, 0);
    bar->CalcLayout();
    EXPECT_EQ(bar->Parts().NearArrow, (TRect{1, 1, 18, 17}));
    EXPECT_EQ(bar->Parts().FarArrow, (TRect{1, 103, 18, 119}));
    Press(9, 110);
    Release(9, 110);
    EXPECT_EQ(bar->Position(), 1);
    auto shot = Snapshot(bar);
    // The triangles: black in the middle of each arrow, the up one widest at its bottom.
    int upBlack = 0, downBlack = 0;
    for (int x = 1; x < 18; ++x) {
        upBlack += shot->Pixels(x, 10) == clBlack;
        downBlack += shot->Pixels(x, 110) == clBlack;
    }
    EXPECT_GT(upBlack, 0);
    EXPECT_GT(downBlack, 0);
}

TEST_F(ScrollBar, RangeSettersPullThePositionInWithoutChangeEvents)
{
    bar->SetRange(0, 100, 91, 10);
    bar->SetMax(50);
    EXPECT_EQ(bar->Position(), 41);
    bar->SetMin(45);
    EXPECT_EQ(bar->Position(), 45);
    bar->SetRange(0, 100, 80, 0);
    bar->SetMax(60);
    EXPECT_EQ(bar->Position(), 60);
    EXPECT_EQ(changes, 0);
}

TEST_F(ScrollBar, ASharedCornerKeepsTheMarkerClearAndSwitchesTheSkinName)
{
    bar->SetBoth(true);
    EXPECT_EQ(bar->SkinDataName(), "bothhscrollbar");
    bar->CalcLayout();
    EXPECT_EQ(bar->Parts().FarArrow.Right, 200 - 19 - 1);
    bar->SetBothMarkerWidth(-5);
    EXPECT_EQ(bar->BothMarkerWidth(), 19) << "a negative marker is ignored";
    bar->SetBothMarkerWidth(30);
    bar->CalcLayout();
    EXPECT_EQ(bar->Parts().FarArrow.Right, 200 - 30 - 1);
    bar->SetBoth(false);
    EXPECT_EQ(bar->SkinDataName(), "hscrollbar");
    bar->CalcLayout();
    EXPECT_EQ(bar->Parts().FarArrow.Right, 199);
}
