// Framed windows as the screen shows them: a window shown over another one is seen, not the
// one below it. (Read from the screen itself: a picture taken window by window, as some
// screenshot tools take it, may show the lower window's hidden pixels instead.)
#include "skinforms/frame/support.h"

using namespace cl;
using namespace sk;
using namespace frametest;

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
