// A framed form that nobody points at costs the program no wake-ups: the caption objects'
// hover poll runs only while an object is hot or held, and a hit test over one starts it again.
#include "skinforms/frame/support.h"

#include <memory>

#include "classlib/controls/support.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

constexpr int W = 300;
constexpr int H = 200;

// A close button at frame point (180..196, 3..17) of a 300-pixel wide form, on a caption bar
// that spans the form's width from y = 5 to 18.
TskActiveSkinObject* AddCloseOnCaption(TFrameSkin& Skin, TFramedForm& Form)
{
    auto caption = std::make_unique<TskDataSkinCaption>("caption");
    caption->SkinRect = Rect(5, 5, 95, 18);
    Skin.Data->ObjectList.Add(std::move(caption));
    auto d = std::make_unique<TskDataSkinStdButton>("close");
    d->Command = cmClose;
    d->SkinRectInAPicture = true;
    d->ActivePictureIndex = 0;
    d->SkinRect = Rect(0, 0, 16, 14);
    Skin.Data->ButtonsRect = Rect(60, 3, 96, 17);
    Skin.Data->ObjectList.Add(std::move(d));
    Form.Frame->SetSkinData(nullptr);
    Form.Frame->SetSkinData(Skin.Data);
    for (int i = 0; i < Form.Frame->ObjectCount(); ++i)
        if (Form.Frame->Objects(i)->IDName == "close")
            return Form.Frame->Objects(i);
    return nullptr;
}

TEST(FrameIdle, TheHoverPollStopsWithNothingUnderThePointerAndAHitTestOverAnObjectStartsIt)
{
    visual_test::TClockScope clock;
    TFrameSkin skin;
    TFramedForm form(nullptr, W, H);
    TskActiveSkinObject* close = AddCloseOnCaption(skin, form);
    ASSERT_NE(close, nullptr);
    form.Frame->AlwaysActive = true;
    form.Show();
    cl::TTimer* poll = form.Frame->HoverTimer();
    const int x = close->ObjectRect.Left + 5, y = close->ObjectRect.Top + 5;

    // The end of a skin change starts the poll; with the pointer in the client area its first
    // tick finds nothing to follow.
    PointerAt(form, W / 2, H / 2);
    poll->SetEnabled(true);
    clock.clock.Advance(50);
    EXPECT_FALSE(poll->Enabled());

    // Over the button: the hit test starts it, and it follows the button while it is hot. The
    // pointer leaves into the client area, or onto the caption bar, where the hit test answers
    // "caption" and so never starts the poll: the button goes cold and the poll stops.
    const TPoint over = ScreenOf(form, x, y);
    const TPoint caption = ScreenOf(form, W / 2, 10);
    ASSERT_EQ(SendMessageA(form.Wnd(), WM_NCHITTEST, 0, MAKELPARAM(caption.X, caption.Y)), LRESULT(HTCAPTION));
    for (const TPoint away : {ScreenOf(form, W / 2, H / 2), caption}) {
        SCOPED_TRACE(testing::Message() << "away to " << away.X << "," << away.Y);
        PointerAt(form, x, y);
        EXPECT_EQ(SendMessageA(form.Wnd(), WM_NCHITTEST, 0, MAKELPARAM(over.X, over.Y)), LRESULT(HTOBJECT));
        EXPECT_TRUE(poll->Enabled());
        clock.clock.Advance(50);
        clock.clock.Advance(50);
        EXPECT_TRUE(close->Active);
        EXPECT_TRUE(poll->Enabled());
        PointerAtScreen(away.X, away.Y);
        clock.clock.Advance(50);
        EXPECT_FALSE(close->Active);
        EXPECT_FALSE(poll->Enabled());
    }

    // A held button is followed wherever the pointer goes, until it is let go.
    form.Frame->CaptureObject = form.Frame->ObjectCount() - 1;
    poll->SetEnabled(true);
    clock.clock.Advance(50);
    EXPECT_TRUE(poll->Enabled());
    form.Frame->CaptureObject = -1;
    clock.clock.Advance(50);
    EXPECT_FALSE(poll->Enabled());

    // A form that is not the active one has no hover to follow.
    form.Frame->AlwaysActive = false;
    TFramedForm other(nullptr, W, H);
    other.Show();
    SetForegroundWindow(other.Wnd());
    Application->ProcessMessages();
    ASSERT_FALSE(form.Frame->IsActive());
    poll->SetEnabled(true);
    clock.clock.Advance(50);
    EXPECT_FALSE(poll->Enabled());
}

}  // namespace
