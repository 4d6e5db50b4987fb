// A form that makes its window anew after the frame came (a new border style or new border
// icons): the new window is as framed as the first one.
#include "skinforms/frame/support.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

constexpr LONG PlatformCaption = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

TRect ClientOf(HWND Wnd)
{
    RECT r{};
    GetClientRect(Wnd, &r);
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

TEST(FrameRecreate, ANewWindowOfTheFormHasNoPlatformCaptionAndTheSkinnedFrame)
{
    TFrameSkin skin;
    skin.AddMask();
    TFramedForm form(skin.Data, 300, 200);
    form.Show();
    const HWND first = form.Wnd();
    // The skin's borders: 5 pixels left, right and bottom, a caption of 20.
    ASSERT_EQ(ClientOf(first), TRect(0, 0, 290, 175));

    const TFormBorderStyle styles[] = {bsDialog, bsSingle, bsToolWindow, bsSizeable};
    for (TFormBorderStyle style : styles) {
        form.Form->SetBorderStyle(style);
        Application->ProcessMessages();
        HWND wnd = form.Wnd();
        EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & PlatformCaption, 0) << style;
        EXPECT_EQ(ClientOf(wnd), TRect(0, 0, 290, 175)) << style;
        // The mask cuts the corners of the new window too.
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(GetWindowRgn(wnd, region), ERROR) << style;
        EXPECT_FALSE(PtInRegion(region, 0, 0)) << style;
        EXPECT_TRUE(PtInRegion(region, 150, 100)) << style;
        DeleteObject(region);
        auto painted = form.Paint();
        EXPECT_EQ(painted->Pixels(150, 10), TopColor) << style;
        EXPECT_EQ(painted->Pixels(2, 100), LeftColor) << style;
    }
    EXPECT_NE(form.Wnd(), first);

    // Border icons given to the form later bring back none of the platform's caption buttons.
    form.Form->SetBorderIcons({TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize});
    EXPECT_EQ(GetWindowLongA(form.Wnd(), GWL_STYLE) & PlatformCaption, 0);
    EXPECT_EQ(ClientOf(form.Wnd()), TRect(0, 0, 290, 175));
}
