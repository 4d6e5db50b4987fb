// A size message at the size the frame's region was made for (as the first show of a window
// sends one) leaves the shown window as drawn; a new size gets a region of its own.
#include "skinforms/frame/support.h"

#include "classlib/graphics/GdiHandles.h"
#include "support/LiveHandles.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

// A mark drawn straight onto the window's caption, which only a redraw takes away.
constexpr COLORREF Mark = RGB(255, 0, 255);

void DrawMark(HWND Wnd)
{
    HDC dc = GetWindowDC(Wnd);
    TOwnedBrush brush(CreateSolidBrush(Mark));
    RECT r{40, 5, 60, 15};
    FillRect(dc, &r, brush.Handle());
    GdiFlush();
    ReleaseDC(Wnd, dc);
}

bool MarkStays(HWND Wnd)
{
    HDC dc = GetWindowDC(Wnd);
    const COLORREF c = GetPixel(dc, 50, 10);
    ReleaseDC(Wnd, dc);
    return c == Mark;
}

void SendSize(HWND Wnd)
{
    RECT client{};
    GetClientRect(Wnd, &client);
    SendMessageA(Wnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

TEST(FrameSizeRegion, TheSameSizeKeepsTheDrawnWindowAndANewSizeGetsItsOwnRegion)
{
    TFrameSkin skin;
    skin.AddMask();
    TFramedForm form(skin.Data, 300, 200);
    form.Show();
    DrawMark(form.Wnd());
    ASSERT_TRUE(MarkStays(form.Wnd()));
    ASSERT_FALSE(InRegion(form.Wnd(), 1, 1)) << "the mask cuts the corners";
    ASSERT_FALSE(InRegion(form.Wnd(), 298, 198));

    SendSize(form.Wnd());
    Application->ProcessMessages();
    EXPECT_TRUE(MarkStays(form.Wnd())) << "the same region was set again and the window drawn anew";
    EXPECT_FALSE(InRegion(form.Wnd(), 1, 1));
    EXPECT_FALSE(InRegion(form.Wnd(), 298, 198));
    EXPECT_TRUE(InRegion(form.Wnd(), 150, 100));

    // Larger: the old bottom-right corner lies inside, the new one is cut.
    form.Form->SetBounds(40, 40, 360, 240);
    Application->ProcessMessages();
    EXPECT_TRUE(InRegion(form.Wnd(), 298, 198)) << "the region kept the old size";
    EXPECT_FALSE(InRegion(form.Wnd(), 358, 238));
    EXPECT_TRUE(InRegion(form.Wnd(), 340, 220));

    // A new mask at the same size is a new region, set whatever the message.
    skin.Reload([&] {
        skin.Data->Mask->Canvas()->Brush()->SetColor(0xFFFFFF);
        skin.Data->Mask->Canvas()->FillRect(Rect(0, 0, 6, 6));
    });
    Application->ProcessMessages();
    SendSize(form.Wnd());
    EXPECT_FALSE(InRegion(form.Wnd(), 4, 4));
    EXPECT_TRUE(InRegion(form.Wnd(), 7, 7));
}

// A handler of the skin change that throws leaves the frame following later resizes.
TEST(FrameSizeRegion, AThrowingSkinChangeHandlerLeavesTheRegionFollowingTheSize)
{
    TFrameSkin skin;
    skin.AddMask();
    TFramedForm form(nullptr, 300, 200);
    form.Show();
    form.Frame->OnChangeSkinData = [](TObject*) { throw cl::Exception("handler failed"); };
    EXPECT_THROW(form.Frame->SetSkinData(skin.Data), cl::Exception);
    form.Frame->OnChangeSkinData = nullptr;

    form.Form->SetBounds(40, 40, 360, 240);
    Application->ProcessMessages();
    EXPECT_FALSE(InRegion(form.Wnd(), 358, 238)) << "the region stayed at the old size";
    EXPECT_TRUE(InRegion(form.Wnd(), 340, 220));
}

// The window owns each region it takes and deletes it itself: the frame deletes none of them,
// through resizes, a skin without a mask and the window's end.
TEST(FrameSizeRegion, ARegionGivenToTheWindowIsNeverDeletedByTheFrame)
{
    TFrameSkin skin;
    skin.AddMask();
    const long deletesBefore = test_support::CountDeletesOfGivenHandles();
    {
        TFramedForm form(skin.Data, 300, 200);
        form.Show();
        for (int w : {320, 340, 360}) {
            form.Form->SetBounds(40, 40, w, 240);
            Application->ProcessMessages();
        }
        ASSERT_FALSE(InRegion(form.Wnd(), 358, 238));
        skin.Reload([&] { skin.Data->Mask->SetSize(0, 0); });
        Application->ProcessMessages();
        EXPECT_TRUE(InRegion(form.Wnd(), 358, 238)) << "no mask, no region";
        skin.Reload([&] { skin.AddMask(); });
        form.Form->SetBounds(40, 40, 300, 200);
        Application->ProcessMessages();
        EXPECT_FALSE(InRegion(form.Wnd(), 298, 198));
    }
    Application->ProcessMessages();
    EXPECT_EQ(test_support::CountDeletesOfGivenHandles() - deletesBefore, 0);
}

}  // namespace
