// Framed windows as the screen shows them: a window shown over another one is seen, not the
// one below it. (Read from the screen itself: a picture taken window by window, as some
// screenshot tools take it, may show the lower window's hidden pixels instead.)
#include "skinforms/frame_support.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

TColor ScreenPixel(TPoint P)
{
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, P.X, P.Y);
    ReleaseDC(nullptr, screen);
    return static_cast<TColor>(c);
}

// The screen shows Expected at P within a bounded wait (the platform draws on its own time).
bool ScreenShows(TPoint P, TColor Expected)
{
    for (int i = 0; i < 500; ++i) {
        Application->ProcessMessages();
        if (ScreenPixel(P) == Expected)
            return true;
        Sleep(10);
    }
    ADD_FAILURE() << std::hex << "the screen shows " << ScreenPixel(P) << " at " << std::dec << P.X << "," << P.Y;
    return false;
}

}  // namespace

TEST(FrameOnScreen, ASecondWindowShownOverTheFirstIsWhatTheScreenShows)
{
    TFrameSkin skin;
    TFramedForm below(skin.Data, 400, 300);
    below.Show();
    TFramedForm above(skin.Data, 200, 150);
    above.Form->SetBounds(100, 100, 200, 150);
    above.Show();

    // Where the upper window's caption and left border lie, the lower one shows its client.
    EXPECT_TRUE(ScreenShows(ScreenOf(above, 100, 10), Rgb(TopColor)));
    EXPECT_TRUE(ScreenShows(ScreenOf(above, 2, 75), Rgb(LeftColor)));
    EXPECT_TRUE(ScreenShows(ScreenOf(below, 300, 250), Rgb(ClientColor)));
}
