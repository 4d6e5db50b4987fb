// The tool bar's scroll buttons on a real, shown form: eight 100-pixel speed buttons that do not
// fit, the scroll buttons' hit codes, clicks on them (by the pointer and by the messages the
// system sends), the steps and their limits, a bar that grows again, hot scrolling, and the
// buttons' looks on the screen.
#include "skin/controls/support.h"

#include "skin/controls/SpeedButton.h"
#include "skin/controls/ToolBar.h"

using namespace controltest;

namespace {

struct ToolBarScroll : ::testing::Test {
    skctrltest::TTestForm form;
    TControlSkin skin;
    TskSkinToolBar* bar = nullptr;
    std::vector<TskSkinSpeedButton*> buttons;
    void SetUp() override
    {
        AddButton(skin, "toolbutton", 0);
        form.Form->SetBounds(50, 50, 900, 120);
        bar = new TskSkinToolBar(form.Form);
        bar->SetParent(form.Form);
        bar->SetAlign(alTop);
        // A real timer would step on its own while the test pumps: the test steps by hand.
        bar->SetScrollTimerInterval(600000);
        for (int i = 0; i < 8; ++i) {
            auto* b = new TskSkinSpeedButton(form.Form);
            b->SetParent(bar);
            b->SetBounds(800, 0, 100, 23);
            b->SetAlign(alLeft);
            buttons.push_back(b);
        }
        bar->SetSkinData(skin.Data);
        form.Form->Show();
        Application->ProcessMessages();
    }
    void SetFormWidth(int W)
    {
        form.Form->SetBounds(50, 50, W, 120);
        Application->ProcessMessages();
    }
    // A point of the bar's window (non-client area included) on the screen.
    TPoint OnScreen(int X, int Y)
    {
        RECT r{};
        GetWindowRect(bar->Handle(), &r);
        return {r.left + X, r.top + Y};
    }
    LRESULT HitAt(int X, int Y)
    {
        const TPoint p = OnScreen(X, Y);
        return SendMessageA(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y));
    }
    // What the system sends for a click at a window point: the hit test, the move, the press
    // and the release, each with the hit code.
    void ClickAt(int X, int Y)
    {
        const TPoint p = OnScreen(X, Y);
        const LPARAM at = MAKELPARAM(p.X, p.Y);
        const WPARAM hit = static_cast<WPARAM>(SendMessageA(bar->Handle(), WM_NCHITTEST, 0, at));
        SendMessageA(bar->Handle(), WM_NCMOUSEMOVE, hit, at);
        SendMessageA(bar->Handle(), WM_NCLBUTTONDOWN, hit, at);
        SendMessageA(bar->Handle(), WM_NCLBUTTONUP, hit, at);
    }
    void ClickRight() { ClickAt(bar->Width() - 6, 12); }
    void ClickLeft() { ClickAt(6, 12); }
    void Tick() { SendMessageA(bar->Handle(), WM_TIMER, TskSkinToolBar::ScrollTimerId, 0); }
    // The bar's window as it is on the screen.
    std::unique_ptr<TBitmap> Screen()
    {
        RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        auto b = std::make_unique<TBitmap>();
        b->SetSize(bar->Width(), bar->Height());
        TWindowDC dc(bar->Handle(), TWindowDC::TArea::Window);
        BitBlt(b->Canvas()->Handle(), 0, 0, bar->Width(), bar->Height(), dc.Handle(), 0, 0, SRCCOPY);
        GdiFlush();
        return b;
    }
};

}  // namespace

TEST_F(ToolBarScroll, ButtonsThatFitShowNoScrollButtonsAndShrinkingShowsBoth)
{
    bar->SetCanScroll(true);
    EXPECT_FALSE(bar->ScrollButtonsShown());
    EXPECT_EQ(bar->ClientWidth(), bar->Width());
    EXPECT_EQ(HitAt(3, 10), HTCLIENT);

    SetFormWidth(400);
    ASSERT_TRUE(bar->ScrollButtonsShown());
    EXPECT_EQ(bar->ClientWidth(), bar->Width() - 24) << "12 pixels at each end";
    EXPECT_EQ(HitAt(3, 10), HTLEFTSCROLLBUTTON);
    EXPECT_EQ(HitAt(bar->Width() - 3, 10), HTRIGHTSCROLLBUTTON);
    EXPECT_EQ(HitAt(50, 10), HTCLIENT);
    EXPECT_EQ(buttons[0]->Left(), 0) << "the content starts at the client's left edge";
    EXPECT_EQ(buttons[0]->Height(), bar->ClientHeight() - 2) << "inside the default look's frame";

    // Without CanScroll the buttons never show.
    bar->SetCanScroll(false);
    EXPECT_FALSE(bar->ScrollButtonsShown());
    EXPECT_EQ(bar->ClientWidth(), bar->Width());
}

TEST_F(ToolBarScroll, AClickOnAScrollButtonMovesTheButtonsOneClientWidthUpToTheLastOne)
{
    bar->SetCanScroll(true);
    SetFormWidth(400);
    ASSERT_TRUE(bar->ScrollButtonsShown());
    const int cw = bar->ClientWidth();
    ASSERT_EQ(cw, form.Form->ClientWidth() - 24);
    auto shot = skctrltest::Snapshot(bar);
    EXPECT_EQ(shot->Pixels(cw - 30, 10), Normal) << "inside a button before the scroll";

    ClickRight();
    EXPECT_EQ(bar->ScrollPosition(), cw);
    EXPECT_EQ(buttons[0]->Left(), -cw);
    EXPECT_FALSE(bar->Scrolling()) << "a click is one step";
    // The client now starts cw pixels into the content: the button edge that was at cw lies at 0.
    const int edge = 100 - cw % 100;
    shot = skctrltest::Snapshot(bar);
    EXPECT_EQ(shot->Pixels(edge, 10), Edge) << "a button's edge where the content has moved it";
    EXPECT_EQ(shot->Pixels(edge + 10, 10), Normal);

    // The next step stops where the last button ends at the client's right edge.
    ClickRight();
    EXPECT_EQ(bar->ScrollPosition(), 800 - cw);
    EXPECT_EQ(buttons[7]->Left() + buttons[7]->Width(), cw);
    ClickRight();
    EXPECT_EQ(bar->ScrollPosition(), 800 - cw);

    ClickLeft();
    EXPECT_EQ(bar->ScrollPosition(), 800 - 2 * cw);
    ClickLeft();
    EXPECT_EQ(bar->ScrollPosition(), 0);
    EXPECT_EQ(buttons[0]->Left(), 0);
    ClickLeft();
    EXPECT_EQ(buttons[0]->Left(), 0) << "never before the first button";
}

TEST_F(ToolBarScroll, TheRealPointerClicksTheRightScrollButton)
{
    bar->SetCanScroll(true);
    SetFormWidth(400);
    ASSERT_TRUE(bar->ScrollButtonsShown());
    const TPoint p = OnScreen(bar->Width() - 6, 12);
    SetCursorPos(p.X, p.Y);
    // The X server echoes the warped pointer with some delay.
    for (int i = 0; i < 200; ++i) {
        Application->ProcessMessages();
        POINT now{};
        GetCursorPos(&now);
        if (now.x == p.X && now.y == p.Y && WindowFromPoint(now) == bar->Handle())
            break;
        Sleep(5);
    }
    ASSERT_EQ(WindowFromPoint(POINT{p.X, p.Y}), bar->Handle());
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    for (int i = 0; i < 200 && bar->ScrollPosition() == 0; ++i) {
        Application->ProcessMessages();
        Sleep(5);
    }
    EXPECT_EQ(bar->ScrollPosition(), bar->ClientWidth());
    EXPECT_EQ(buttons[0]->Left(), -bar->ClientWidth());
    // Moving onto the client un-hots the button.
    const TPoint inside = bar->ClientToScreen({50, 10});
    SetCursorPos(inside.X, inside.Y);
    for (int i = 0; i < 200; ++i) {
        Application->ProcessMessages();
        if (Screen()->Pixels(bar->Width() - 6, 2) != skctrltest::Rgb(clSkinDefaultHotFill))
            break;
        Sleep(5);
    }
    EXPECT_EQ(Screen()->Pixels(bar->Width() - 6, 2), skctrltest::Rgb(clBtnFace));
    // The pointer leaves the place where the next tests put their forms.
    SetCursorPos(1270, 1010);
}

TEST_F(ToolBarScroll, StepsOfAGivenOffsetMoveOnlyByTheirOwnDifferenceAndStopAtTheEnd)
{
    bar->SetCanScroll(true);
    bar->SetScrollOffset(50);
    SetFormWidth(400);
    const int cw = bar->ClientWidth();
    const LPARAM at = MAKELPARAM(OnScreen(bar->Width() - 6, 12).X, OnScreen(bar->Width() - 6, 12).Y);
    SendMessageA(bar->Handle(), WM_NCLBUTTONDOWN, HTRIGHTSCROLLBUTTON, at);
    EXPECT_TRUE(bar->Scrolling()) << "pressing starts the timer";
    Tick();
    EXPECT_EQ(buttons[0]->Left(), -50);
    Tick();
    EXPECT_EQ(bar->ScrollPosition(), 100);
    EXPECT_EQ(buttons[0]->Left(), -100);
    for (int i = 0; i < 20; ++i)
        Tick();
    EXPECT_EQ(bar->ScrollPosition(), 800 - cw);
    EXPECT_FALSE(bar->Scrolling()) << "the timer stops at the end";
    EXPECT_EQ(buttons[7]->Left() + 100, cw);
    SendMessageA(bar->Handle(), WM_NCLBUTTONUP, HTRIGHTSCROLLBUTTON, at);
    EXPECT_EQ(bar->ScrollPosition(), 800 - cw);

    // A bar that grows takes back as much of the scroll, and one where everything fits none.
    SetFormWidth(500);
    EXPECT_EQ(bar->ScrollPosition(), 800 - bar->ClientWidth());
    EXPECT_EQ(buttons[7]->Left() + 100, bar->ClientWidth());
    SetFormWidth(900);
    EXPECT_FALSE(bar->ScrollButtonsShown());
    EXPECT_EQ(bar->ScrollPosition(), 0);
    EXPECT_EQ(buttons[0]->Left(), 0);
}

TEST_F(ToolBarScroll, UnalignedChildrenScrollAsWell)
{
    for (int i = 0; i < 8; ++i) {
        buttons[i]->SetAlign(alNone);
        buttons[i]->SetBounds(i * 100, 1, 100, 23);
    }
    bar->SetAlign(alNone);
    bar->SetBounds(0, 0, 300, 25);
    bar->SetCanScroll(true);
    ASSERT_TRUE(bar->ScrollButtonsShown());
    const int first = buttons[0]->Left();
    const int last = buttons[7]->Left();
    ClickRight();
    EXPECT_EQ(buttons[0]->Left(), first - bar->ClientWidth());
    EXPECT_EQ(buttons[7]->Left(), last - bar->ClientWidth());
    EXPECT_EQ(buttons[0]->Top(), 1);
}

TEST_F(ToolBarScroll, HotScrollScrollsWhileTheMouseIsOverAButtonAndStopsOverTheClient)
{
    bar->SetCanScroll(true);
    bar->SetHotScroll(true);
    bar->SetScrollOffset(10);
    SetFormWidth(400);
    const TPoint p = OnScreen(bar->Width() - 6, 12);
    SendMessageA(bar->Handle(), WM_NCMOUSEMOVE, HTRIGHTSCROLLBUTTON, MAKELPARAM(p.X, p.Y));
    EXPECT_TRUE(bar->Scrolling());
    Tick();
    Tick();
    EXPECT_EQ(bar->ScrollPosition(), 20);
    SendMessageA(bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 10));
    EXPECT_FALSE(bar->Scrolling());
    Tick();
    EXPECT_EQ(bar->ScrollPosition(), 20) << "a stray tick after the stop moves nothing";
    // Leaving the window stops it as well.
    SendMessageA(bar->Handle(), WM_NCMOUSEMOVE, HTLEFTSCROLLBUTTON, MAKELPARAM(p.X, p.Y));
    EXPECT_TRUE(bar->Scrolling());
    SendMessageA(bar->Handle(), WM_NCMOUSELEAVE, 0, 0);
    EXPECT_FALSE(bar->Scrolling());
}

TEST_F(ToolBarScroll, TheScrollButtonsLookNormalHotAndPressedInBothLooks)
{
    bar->SetCanScroll(true);
    SetFormWidth(400);
    ASSERT_TRUE(bar->ScrollButtonsShown());
    const int x = bar->Width() - 6;
    const TPoint p = OnScreen(x, 12);
    const LPARAM at = MAKELPARAM(p.X, p.Y);
    EXPECT_EQ(Screen()->Pixels(x, 2), skctrltest::Rgb(clBtnFace));
    EXPECT_EQ(Screen()->Pixels(bar->Width() - 1, 2), skctrltest::Rgb(clBtnShadow));
    SendMessageA(bar->Handle(), WM_NCMOUSEMOVE, HTRIGHTSCROLLBUTTON, at);
    EXPECT_EQ(Screen()->Pixels(x, 2), skctrltest::Rgb(clSkinDefaultHotFill));
    EXPECT_EQ(Screen()->Pixels(bar->Width() - 1, 2), clSkinDefaultFrame);
    EXPECT_EQ(Screen()->Pixels(6, 2), skctrltest::Rgb(clBtnFace)) << "only the button under the mouse";
    SendMessageA(bar->Handle(), WM_NCLBUTTONDOWN, HTRIGHTSCROLLBUTTON, at);
    EXPECT_EQ(Screen()->Pixels(x, 2), clSkinDefaultDownFill);
    SendMessageA(bar->Handle(), WM_NCLBUTTONUP, HTRIGHTSCROLLBUTTON, at);
    EXPECT_EQ(Screen()->Pixels(x, 2), skctrltest::Rgb(clSkinDefaultHotFill));

    // From the skin's "resizebutton": its normal, hot and pressed areas.
    AddButton(skin, "resizebutton", 40);
    bar->SetSkinData(skin.Data);
    SendMessageA(bar->Handle(), WM_NCMOUSELEAVE, 0, 0);
    EXPECT_EQ(Screen()->Pixels(x, 4), Normal);
    EXPECT_EQ(Screen()->Pixels(6, 4), Normal);
    EXPECT_EQ(Screen()->Pixels(6, 0), Edge);
    SendMessageA(bar->Handle(), WM_NCMOUSEMOVE, HTLEFTSCROLLBUTTON, at);
    EXPECT_EQ(Screen()->Pixels(6, 4), Hot);
    SendMessageA(bar->Handle(), WM_NCLBUTTONDOWN, HTLEFTSCROLLBUTTON, at);
    EXPECT_EQ(Screen()->Pixels(6, 4), Pressed);
    EXPECT_EQ(Screen()->Pixels(x, 4), Normal);
}

// --- A fade on the tool bar

namespace {

template <class Base>
class TCounted : public Base {
public:
    using Base::Base;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        Base::Paint();
    }
};

}  // namespace

TEST(ToolBarFade, AStepRepaintsTheFadingButtonAloneOnTheScreenAndAChangedLookShowsAtTheNextStep)
{
    visual_test::TClockScope clock;
    skctrltest::TTestForm form;
    TControlSkin skin;
    AddButton(skin, "toolbutton", 0)->Morphing = true;
    auto* bar = new TCounted<TskSkinToolBar>(form.Form);
    bar->SetParent(form.Form);
    bar->SetAlign(alTop);
    std::vector<TCounted<TskSkinSpeedButton>*> buttons;
    for (int i = 0; i < 3; ++i) {
        auto* b = new TCounted<TskSkinSpeedButton>(form.Form);
        b->SetParent(bar);
        b->SetBounds(800, 0, 100, 23);
        b->SetAlign(alLeft);
        buttons.push_back(b);
    }
    bar->SetSkinData(skin.Data);
    // The pointer far from the form, so that only the test makes a button hot.
    SetCursorPos(1270, 1010);
    form.Form->Show();
    Application->ProcessMessages();
    for (auto* other : buttons)
        ASSERT_FALSE(other->MouseInside());
    auto onScreen = [&](TControl* C) {
        TWindowDC dc(bar->Handle());
        GdiFlush();
        return static_cast<TColor>(GetPixel(dc.Handle(), C->Left() + 50, C->Top() + 10));
    };
    auto* b = buttons[1];
    bar->Paints = buttons[0]->Paints = b->Paints = buttons[2]->Paints = 0;
    b->Perform(CM_MOUSEENTER);
    clock.clock.Advance(20);
    EXPECT_EQ(b->Paints, 1);
    EXPECT_EQ(bar->Paints + buttons[0]->Paints + buttons[2]->Paints, 0) << "neither the bar nor the others";
    EXPECT_EQ(onScreen(b), Blend(Normal, Hot, 0.2)) << "on the screen without waiting for a paint";
    clock.clock.Advance(20);
    EXPECT_EQ(onScreen(b), Blend(Normal, Hot, 0.4));

    // A look that changes between two steps (here the skin's hot picture) shows at the next one.
    constexpr TColor NewHot = 0x20E020;
    PaintArea(skin.Picture(), Rect(40, 0, 80, 20), Edge, NewHot);
    b->Repaint();
    clock.clock.Advance(20);
    EXPECT_EQ(onScreen(b), Blend(Normal, NewHot, 0.6));
    clock.clock.Advance(40);
    EXPECT_EQ(onScreen(b), NewHot);
    // The way back ends on the normal face.
    b->Perform(CM_MOUSELEAVE);
    clock.clock.Advance(120);
    EXPECT_FALSE(b->Fading());
    EXPECT_EQ(onScreen(b), Normal);
    EXPECT_EQ(skctrltest::Snapshot(bar)->Pixels(b->Left() + 50, 10), Normal);
}
