// The frame's non-client area on real windows: pixels painted into a memory DC by zone, the
// window region read back from the window, and the hit-test codes.
#include "skinforms/frame/support.h"

#include "support/LiveHandles.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

constexpr int W = 300;
constexpr int H = 200;
constexpr TColor Untouched = 0xFF00FF;

struct FrameNonClient : ::testing::Test {
    TFrameSkin skin;
    TFramedForm form{skin.Data, W, H};
    // Each zone's colour at a point inside it, and the client area left alone.
    void ExpectZones(TBitmap& B, TColor Top)
    {
        EXPECT_EQ(B.Pixels(150, 10), Top) << "caption band";
        EXPECT_EQ(B.Pixels(2, 100), LeftColor) << "left border";
        EXPECT_EQ(B.Pixels(W - 2, 100), RightColor) << "right border";
        EXPECT_EQ(B.Pixels(150, H - 2), BottomColor) << "bottom border";
        EXPECT_EQ(B.Pixels(150, 100), Untouched) << "client area";
    }
    bool InRegion(int X, int Y)
    {
        TOwnedRegion rgn(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(form.Wnd(), rgn.Handle()) == ERROR)
            return true;  // no region: the whole window
        return PtInRegion(rgn.Handle(), X, Y) != FALSE;
    }
    bool HasRegion()
    {
        TOwnedRegion rgn(CreateRectRgn(0, 0, 0, 0));
        return GetWindowRgn(form.Wnd(), rgn.Handle()) != ERROR;
    }
};

struct THit {
    int X, Y;
    LRESULT Code;
};

void ExpectHits(TFramedForm& Form, std::initializer_list<THit> Hits)
{
    for (const THit& h : Hits)
        EXPECT_EQ(Form.HitAt(h.X, h.Y), h.Code) << "at " << h.X << "," << h.Y;
}

}  // namespace

TEST_F(FrameNonClient, ActiveFramePaintsEachBorderFromItsZoneAndLeavesTheClientAlone)
{
    form.Frame->AlwaysActive = true;
    auto b = form.Paint();
    ExpectZones(*b, TopColor);
}

TEST_F(FrameNonClient, InactiveFrameUsesTheInactivePictureAndItsEffect)
{
    // The form is not shown, so it is not the active form.
    ASSERT_FALSE(form.Frame->IsActive());
    ExpectZones(*form.Paint(), TopColor);
    skin.Reload([&] { skin.Data->InactivePicture = TFrameSkin::MakePicture(InactiveTopColor); });
    ExpectZones(*form.Paint(), InactiveTopColor);
    skin.Reload([&] {
        skin.Data->AutoRenderingInactiveImage = true;
        skin.Data->InactiveEffect = ieInvert;
    });
    auto b = form.Paint();
    EXPECT_EQ(b->Pixels(150, 10), TColor(0xFFFFFF ^ InactiveTopColor));
    EXPECT_EQ(b->Pixels(2, 100), TColor(0xFFFFFF ^ LeftColor));
    EXPECT_EQ(b->Pixels(150, 100), Untouched);
    // Active again: no effect.
    form.Frame->AlwaysActive = true;
    ExpectZones(*form.Paint(), TopColor);
}

TEST_F(FrameNonClient, AFormLosingTheFocusIsPaintedInactive)
{
    skin.Reload([&] { skin.Data->InactivePicture = TFrameSkin::MakePicture(InactiveTopColor); });
    form.Show();
    form.Form->SetFocus();
    Application->ProcessMessages();
    ASSERT_TRUE(form.Frame->IsActive());
    EXPECT_EQ(form.Paint()->Pixels(150, 10), TopColor);
    TFramedForm other(skin.Data, 200, 150);
    other.Show();
    other.Form->SetFocus();
    Application->ProcessMessages();
    EXPECT_FALSE(form.Frame->IsActive());
    EXPECT_EQ(form.Paint()->Pixels(150, 10), InactiveTopColor);
}

// Counts the frame paints of one window while it is alive (a hidden window draws nothing).
class TFramePaints {
public:
    explicit TFramePaints(HWND Wnd) : hook_(SetWindowsHookExA(WH_CALLWNDPROC, &Note, nullptr, GetCurrentThreadId()))
    {
        wnd_ = Wnd;
        count_ = 0;
    }
    ~TFramePaints()
    {
        UnhookWindowsHookEx(hook_);
        wnd_ = nullptr;
    }
    TFramePaints(const TFramePaints&) = delete;
    TFramePaints& operator=(const TFramePaints&) = delete;
    int Count() const { return count_; }

private:
    static LRESULT CALLBACK Note(int Code, WPARAM WParam, LPARAM LParam)
    {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(LParam);
        if (Code == HC_ACTION && m->hwnd == wnd_ && m->message == WM_NCPAINT && IsWindowVisible(wnd_))
            ++count_;
        return CallNextHookEx(nullptr, Code, WParam, LParam);
    }
    static inline HWND wnd_ = nullptr;
    static inline int count_ = 0;
    HHOOK hook_;
};

TEST_F(FrameNonClient, EachShowDrawsTheFrameOnceAndTheScreenFollowsTheActivation)
{
    skin.Reload([&] { skin.Data->InactivePicture = TFrameSkin::MakePicture(InactiveTopColor); });
    TFramedForm other(skin.Data, 200, 150);
    other.Form->SetBounds(W + 100, 40, 200, 150);
    other.Show();
    // The first show places and sizes the form, a change of its own to draw.
    form.Show();
    form.Form->Hide();
    Application->ProcessMessages();
    for (int show = 1; show <= 2; ++show) {
        TFramePaints paints(form.Wnd());
        form.Show();
        ASSERT_TRUE(form.Frame->IsActive());
        EXPECT_TRUE(ScreenShows(ScreenOf(form, 150, 10), TopColor)) << "show " << show;
        EXPECT_EQ(paints.Count(), 1) << "show " << show;
        form.Form->Hide();
        Application->ProcessMessages();
    }
    form.Show();
    other.Form->SetFocus();
    Application->ProcessMessages();
    EXPECT_TRUE(ScreenShows(ScreenOf(form, 150, 10), InactiveTopColor)) << "another form came to the front";
    const TPoint client = ScreenOf(form, 150, 100);
    ClickAtScreen(client.X, client.Y);
    EXPECT_TRUE(ScreenShows(ScreenOf(form, 150, 10), TopColor)) << "a click brought the form back";
    EXPECT_TRUE(ScreenShows(ScreenOf(other, 100, 10), InactiveTopColor)) << "the other form";
    ParkPointer();
}

TEST_F(FrameNonClient, NothingIsPaintedBelowTheMinimumSize)
{
    form.Frame->MinWidth = W + 50;
    auto b = form.Paint();
    EXPECT_EQ(b->Pixels(150, 10), Untouched);
    EXPECT_EQ(b->Pixels(2, 100), Untouched);
}

TEST_F(FrameNonClient, TheClientRectangleNotBelowItsTopExcludesNothing)
{
    // A client rectangle with no height at the picture's size: the frame paints over the
    // whole window.
    skin.Reload([&] { skin.Data->ClRect = Rect(5, 20, 95, 20); });
    form.Form->SetBounds(40, 40, W, TFrameSkin::PH);
    form.Frame->AlwaysActive = true;
    auto b = form.Paint();
    EXPECT_NE(b->Pixels(150, 30), Untouched);
}

TEST(FrameDefaultLook, PaintsTheBorderLinesTheCaptionStripAndTheButtons)
{
    TFramedForm form(nullptr, W, H);
    form.Frame->AlwaysActive = true;
    auto b = form.Paint();
    EXPECT_EQ(b->Pixels(0, 100), Rgb(cl3DLight));
    EXPECT_EQ(b->Pixels(1, 100), Rgb(clBtnHighlight));
    EXPECT_EQ(b->Pixels(2, 100), Rgb(clBtnFace));
    EXPECT_EQ(b->Pixels(W - 1, 100), Rgb(cl3DDkShadow));
    EXPECT_EQ(b->Pixels(W - 2, 100), Rgb(clBtnShadow));
    EXPECT_EQ(b->Pixels(100, 0), Rgb(cl3DLight));
    EXPECT_EQ(b->Pixels(100, H - 1), Rgb(cl3DDkShadow));
    EXPECT_EQ(b->Pixels(150, 100), Untouched) << "client area";
    // The caption strip's lines: rows 2, 4 ... highlight, 3, 5 ... shadow, from the system
    // button's right edge + 2 (3 + 17 + 2).
    EXPECT_EQ(b->Pixels(60, 3 + 2), Rgb(clBtnHighlight));
    EXPECT_EQ(b->Pixels(60, 3 + 3), Rgb(clBtnShadow));
    EXPECT_EQ(b->Pixels(60, 3 + 1), Rgb(clBtnFace));
    EXPECT_EQ(b->Pixels(21, 3 + 2), Rgb(clBtnFace)) << "no line next to the system button";
    // Four buttons from the right: close, maximize, minimize, roll-up; 17 pixels each, no gaps.
    ASSERT_EQ(form.Frame->ObjectCount(), 6);
    EXPECT_EQ(form.Frame->Objects(0)->ObjectRect, Rect(W - 3 - 17, 4, W - 3, 21));
    EXPECT_EQ(form.Frame->Objects(3)->ObjectRect, Rect(W - 3 - 68, 4, W - 3 - 51, 21));
    EXPECT_FALSE(form.Frame->Objects(5)->Visible) << "the tray button needs its border icon";
    EXPECT_EQ(b->Pixels(W - 3 - 17, 4), Rgb(clBtnFace)) << "a button at rest has no outline";
}

TEST_F(FrameNonClient, TheRegionFollowsTheMaskAndTheSize)
{
    EXPECT_FALSE(HasRegion()) << "a skin without a mask leaves the window rectangular";
    skin.Reload([&] { skin.AddMask(); });
    ASSERT_TRUE(HasRegion());
    EXPECT_FALSE(InRegion(1, 1));
    EXPECT_TRUE(InRegion(4, 1));
    EXPECT_FALSE(InRegion(W - 2, 1));
    EXPECT_TRUE(InRegion(W - 4, 1));
    EXPECT_FALSE(InRegion(1, H - 1));
    EXPECT_FALSE(InRegion(W - 1, H - 1));
    EXPECT_TRUE(InRegion(150, 100));
    // Rebuilt for a new size: the cut corners move with the right and bottom edges.
    form.Form->SetBounds(40, 40, 400, 260);
    EXPECT_FALSE(InRegion(398, 1));
    EXPECT_TRUE(InRegion(396, 1));
    EXPECT_TRUE(InRegion(W - 2, 1));
    EXPECT_FALSE(InRegion(398, 258));
    // The mask's solid rectangle is always inside, whatever the mask holds there.
    skin.Reload([&] {
        skin.Data->Mask->Canvas()->Brush()->SetColor(0xFFFFFF);
        skin.Data->Mask->Canvas()->FillRect(Rect(20, 20, 80, 50));
    });
    EXPECT_TRUE(InRegion(200, 130));
    // A borderless form has none.
    form.Form->SetBorderStyle(bsNone);
    form.Frame->SetSkinData(skin.Data);
    EXPECT_FALSE(HasRegion());
}

TEST(FrameResources, SkinChangesAndResizesLeaveNoGdiObjectsBehind)
{
    // Counting starts before anything is made: what the frame replaces later is then counted
    // both ways.
    test_support::CountLiveHandles();
    TFrameSkin skin;
    TFramedForm form{skin.Data, W, H};
    skin.Reload([&] { skin.AddMask(); });
    form.Show();
    form.Paint();
    skin.Reload([] {});
    // The window draws the new skin after the load: what that paint makes and keeps (the
    // frame's work pictures) is there on both sides of the count.
    Application->ProcessMessages();
    const auto before = test_support::CountLiveHandles();
    for (int i = 0; i < 100; ++i) {
        skin.Reload([] {});
        form.Form->SetBounds(40, 40, W + i % 7, H);
        SendMessageA(form.Wnd(), WM_NCPAINT, 1, 0);
    }
    form.Form->SetBounds(40, 40, W, H);
    const auto leaked = test_support::CountLiveHandles() - before;
    EXPECT_EQ(leaked.Gdi, 0) << leaked;
}

TEST_F(FrameNonClient, HitTestsAcrossASizeableSkinnedFrame)
{
    skin.Reload([&] { skin.AddMask(); });
    // At this size the hit-test corners lie at x 10 and 290, y 10 and 190, and the client
    // area is (5, 20, 295, 195); each corner and edge on both sides of its limits.
    ExpectHits(form, {
        {3, 8, HTTOPLEFT},       {10, 2, HTTOPLEFT},     {11, 2, HTTOP},         {150, 2, HTTOP},
        {289, 2, HTTOP},         {290, 2, HTTOPRIGHT},   {W - 3, 8, HTTOPRIGHT}, {W - 3, 10, HTTOPRIGHT},
        {W - 3, 11, HTRIGHT},    {W - 3, 100, HTRIGHT},  {W - 3, 189, HTRIGHT},  {W - 3, 190, HTBOTTOMRIGHT},
        {W - 3, H - 3, HTBOTTOMRIGHT}, {290, H - 2, HTBOTTOMRIGHT}, {289, H - 2, HTBOTTOM}, {150, H - 2, HTBOTTOM},
        {11, H - 2, HTBOTTOM},   {10, H - 2, HTBOTTOMLEFT}, {3, H - 3, HTBOTTOMLEFT}, {3, 190, HTBOTTOMLEFT},
        {3, 189, HTLEFT},        {3, 100, HTLEFT},       {3, 11, HTLEFT},        {3, 10, HTTOPLEFT},
        {150, 100, HTCLIENT},
        {150, 12, HTOBJECT},  // a frame without a caption object
        {8, 12, HTOBJECT},    // inside the mask's solid rectangle is never the sizing band
    });
    // A caption object makes its area the caption.
    skin.Reload([&] {
        auto d = std::make_unique<TskDataSkinCaption>("caption");
        d->SkinRect = Rect(5, 5, 95, 18);
        skin.Data->ObjectList.Add(std::move(d));
    });
    EXPECT_EQ(form.HitAt(150, 12), HTCAPTION) << "the caption stretches with the width";
    form.Frame->RolledUp = true;
    EXPECT_EQ(form.HitAt(3, 100), HTOBJECT) << "rolled up: no sizing";
    EXPECT_EQ(form.HitAt(150, 12), HTCAPTION);
    form.Frame->RolledUp = false;
    form.Form->SetBorderStyle(bsSingle);
    form.Frame->SetSkinData(skin.Data);
    EXPECT_EQ(form.HitAt(3, 100), HTOBJECT) << "a fixed border never sizes";
    EXPECT_EQ(form.HitAt(W - 3, 8), HTOBJECT);
}

TEST(FrameDefaultLook, HitTestsUseTheAsymmetricEdges)
{
    TFramedForm form(nullptr, W, H);
    form.Frame->AlwaysActive = true;
    form.Paint();
    // Three pixels at the left and top, two at the right and bottom.
    ExpectHits(form, {
        {1, 1, HTTOPLEFT},         {2, 2, HTTOPLEFT},          {W - 2, 1, HTTOPRIGHT},
        {W - 1, 2, HTTOPRIGHT},    {1, H - 2, HTBOTTOMLEFT},   {2, H - 1, HTBOTTOMLEFT},
        {W - 1, H - 1, HTBOTTOMRIGHT}, {W - 2, H - 2, HTBOTTOMRIGHT},
        {2, 100, HTLEFT},          {3, 100, HTCLIENT},         {W - 2, 100, HTRIGHT},     {W - 3, 100, HTOBJECT},
        {100, 2, HTTOP},           {100, 3, HTCAPTION},        {100, H - 2, HTBOTTOM},    {100, H - 3, HTOBJECT},
        {100, 10, HTCAPTION},
        {W - 10, 10, HTOBJECT},  // over the close button
    });
    form.Frame->RolledUp = true;
    EXPECT_EQ(form.HitAt(2, 100), HTOBJECT);
}

TEST_F(FrameNonClient, TheClientBackgroundTilesItsPictureOrFillsWhenThereIsNone)
{
    const TRect client = form.Form->ClientRect();
    auto erase = [&] {
        auto b = std::make_unique<TBitmap>();
        b->SetSize(client.Width(), client.Height());
        b->Fill(Untouched);
        SendMessageA(form.Wnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), 0);
        GdiFlush();
        return b;
    };
    // The client part of the frame picture, tiled.
    EXPECT_EQ(erase()->Pixels(client.Width() - 1, client.Height() - 1), ClientColor);
    // A background picture of its own; one without pixels cannot be tiled: button face.
    skin.Reload([&] { skin.Data->BGPictureIndex = 0; });
    EXPECT_EQ(erase()->Pixels(client.Width() - 1, client.Height() - 1), Rgb(clBtnFace));
    skin.Reload([&] {
        skin.Data->ActivePictures.Items(0)->SetSize(3, 3);
        skin.Data->ActivePictures.Items(0)->Fill(0x123456);
    });
    EXPECT_EQ(erase()->Pixels(client.Width() - 1, client.Height() - 1), TColor(0x123456));
    // The logo in the middle.
    TBitmap logo;
    logo.SetSize(10, 10);
    logo.Fill(0x00FF00);
    form.Frame->SetLogoBitMap(&logo);
    auto b = erase();
    EXPECT_EQ(b->Pixels(client.Width() / 2, client.Height() / 2), TColor(0x00FF00));
    EXPECT_EQ(b->Pixels(2, 2), TColor(0x123456));
}

TEST(FrameDefaultLook, ASkinWithoutAFramePictureKeepsTheDefaultFrame)
{
    TFrameSkin skin;
    skin.Data->Picture = std::make_unique<TBitmap>();
    skin.AddMask();
    TFramedForm form(skin.Data, W, H);
    form.Frame->AlwaysActive = true;
    EXPECT_FALSE(form.Frame->SkinnedFrame());
    const TRect c = form.Form->ClientRect();
    EXPECT_EQ(c.Width(), W - 6);
    EXPECT_EQ(c.Height(), H - 19 - 6);
    auto b = form.Paint();
    EXPECT_EQ(b->Pixels(0, 100), Rgb(cl3DLight));
    EXPECT_EQ(form.HitAt(2, 100), HTLEFT);
    TOwnedRegion rgn(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(form.Wnd(), rgn.Handle()), ERROR) << "no region from a mask without a frame";
}
