// A skin change that changes the shape of a shown framed window, read from the screen: where the
// new shape takes in more of the window the new skin's borders show, where it cuts more away
// the window below shows, and nothing of the old borders stays behind.
#include "skinforms/frame/support.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

constexpr int W = 300;
constexpr int H = 200;
constexpr TColor BelowColor = 0xA06020;
constexpr TColor NewTop = 0x00C0C0;
constexpr TColor NewBottom = 0x2020A0;

// A borderless window of one flat colour under the framed one.
struct TWindowBelow {
    TForm* Form = new TForm(nullptr);
    TWindowBelow()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetColor(BelowColor);
        Form->SetBounds(20, 20, W + 40, H + 40);
        Form->Show();
        Application->ProcessMessages();
    }
    ~TWindowBelow()
    {
        Form->Free();
        Application->ProcessMessages();
    }
};

// The test skin's mask with the top-left corner cut deeper (5 by 5) and the top-right corner
// kept whole.
void ReshapeMask(TFrameSkin& Skin)
{
    Skin.Data->Mask->Fill(0);
    TCanvas* c = Skin.Data->Mask->Canvas();
    c->Brush()->SetColor(0xFFFFFF);
    c->FillRect(Rect(0, 0, 5, 5));
    c->FillRect(Rect(0, TFrameSkin::PH - 3, 3, TFrameSkin::PH));
    c->FillRect(Rect(TFrameSkin::PW - 3, TFrameSkin::PH - 3, TFrameSkin::PW, TFrameSkin::PH));
}

// The form, shown on the window below or inside it, changes to a skin with new colours and the
// new shape; each point is waited for on the screen.
void ReshapeShows(TFrameSkin& Skin, TFramedForm& Form)
{
    ASSERT_TRUE(ScreenShows(ScreenOf(Form, 1, 1), Rgb(BelowColor))) << "the old shape's cut corner";
    ASSERT_TRUE(ScreenShows(ScreenOf(Form, 4, 4), Rgb(TopColor)));
    ASSERT_TRUE(ScreenShows(ScreenOf(Form, W - 1, 0), Rgb(BelowColor)));
    Skin.Reload([&] {
        auto picture = TFrameSkin::MakePicture(NewTop);
        picture->Canvas()->Brush()->SetColor(NewBottom);
        picture->Canvas()->FillRect(Rect(0, 55, TFrameSkin::PW, TFrameSkin::PH));
        Skin.Data->Picture = std::move(picture);
        ReshapeMask(Skin);
    });
    EXPECT_TRUE(ScreenShows(ScreenOf(Form, 4, 4), Rgb(BelowColor))) << "cut away by the new shape";
    EXPECT_TRUE(ScreenShows(ScreenOf(Form, W - 1, 0), Rgb(NewTop))) << "taken in by the new shape";
    EXPECT_TRUE(ScreenShows(ScreenOf(Form, W / 2, 10), Rgb(NewTop))) << "the caption band";
    EXPECT_TRUE(ScreenShows(ScreenOf(Form, W / 2, H - 2), Rgb(NewBottom))) << "the bottom border";
    EXPECT_TRUE(ScreenShows(ScreenOf(Form, W - 1, H - 1), Rgb(BelowColor))) << "a corner still cut";
}

}  // namespace

TEST(FrameSkinShape, OverAnotherWindowTheScreenShowsTheNewShapeItsBordersAndTheWindowBelow)
{
    TWindowBelow below;
    TFrameSkin skin;
    skin.AddMask();
    TFramedForm form(skin.Data, W, H);
    form.Show();
    ReshapeShows(skin, form);
}

// A child window's shape is the platform's alone to show: no window system below it draws what
// it uncovers.
TEST(FrameSkinShape, AsAChildWindowTheScreenShowsTheNewShapeItsBordersAndItsParent)
{
    TWindowBelow below;
    TFrameSkin skin;
    skin.AddMask();
    TFramedForm form(skin.Data, W, H);
    form.Form->SetParent(below.Form);
    form.Form->SetBounds(20, 20, W, H);
    form.Show();
    ReshapeShows(skin, form);
}
