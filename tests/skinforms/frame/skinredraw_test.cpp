// A shown framed window after a skin change, read from the screen: its borders and its client
// background are the new skin's once the program has handled its messages, whether or not the
// skin has a mask (a window region).
#include "skinforms/frame/support.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

constexpr TColor NewTop = 0x00C0C0;
constexpr TColor NewClient = 0x20A020;

// The test skin's picture with a caption band and a client part of other colours.
std::unique_ptr<TBitmap> NewPicture()
{
    auto b = TFrameSkin::MakePicture(NewTop);
    b->Canvas()->Brush()->SetColor(NewClient);
    b->Canvas()->FillRect(Rect(5, 20, 95, 55));
    return b;
}

void SwitchShows(TFrameSkin& Skin, TFramedForm& Form)
{
    ASSERT_TRUE(ScreenShows(ScreenOf(Form, 150, 10), Rgb(TopColor)));
    ASSERT_TRUE(ScreenShows(ScreenOf(Form, 150, 100), Rgb(ClientColor)));
    Skin.Reload([&] { Skin.Data->Picture = NewPicture(); });
    EXPECT_TRUE(ScreenShows(ScreenOf(Form, 150, 10), Rgb(NewTop))) << "the caption band";
    EXPECT_TRUE(ScreenShows(ScreenOf(Form, 150, 100), Rgb(NewClient))) << "the client background";
}

}  // namespace

TEST(FrameSkinRedraw, TheScreenShowsTheNewSkinsBordersAndClient)
{
    TFrameSkin skin;
    TFramedForm form(skin.Data);
    form.Show();
    SwitchShows(skin, form);
}

TEST(FrameSkinRedraw, WithAWindowRegionTheScreenShowsTheNewSkinsBordersAndClient)
{
    TFrameSkin skin;
    skin.AddMask();
    TFramedForm form(skin.Data);
    form.Show();
    SwitchShows(skin, form);
}
