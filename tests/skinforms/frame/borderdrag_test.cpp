// A skinned window resized by real drags on its borders: its shape covers the whole window after
// every step of a drag and at its end, so the border that was dragged can be dragged again.
#include "skinforms/frame/support.h"

#include <string>
#include <vector>

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

// The window's size and its shape's box (in window coordinates) as seen from outside.
std::string SizeAndShape(HWND Wnd)
{
    RECT w{};
    GetWindowRect(Wnd, &w);
    RECT shape{};
    TOwnedRegion rgn(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(Wnd, rgn.Handle()) != ERROR)
        GetRgnBox(rgn.Handle(), &shape);
    return "window " + std::to_string(w.right - w.left) + "x" + std::to_string(w.bottom - w.top) + ", shape " +
           std::to_string(shape.right - shape.left) + "x" + std::to_string(shape.bottom - shape.top) + " at " +
           std::to_string(shape.left) + "," + std::to_string(shape.top);
}

std::string Fitting(HWND Wnd)
{
    RECT w{};
    GetWindowRect(Wnd, &w);
    const std::string wh = std::to_string(w.right - w.left) + "x" + std::to_string(w.bottom - w.top);
    return "window " + wh + ", shape " + wh + " at 0,0";
}

enum TSide { sideRight, sideBottom, sideLeft, sideTop };
const char* const SideNames[] = {"right", "bottom", "left", "top"};

// A real drag on a side of the window, pressed 2 pixels inside its middle, Steps steps of
// Distance pixels outwards (inwards when negative). Every look after a step and after the
// release, as seen and as it should be: the shape the window's whole size at (0, 0).
struct TSideDrag {
    std::vector<std::string> Seen, Wanted;
    std::string Failure;
    TSideDrag(HWND Wnd, TSide Side, int Distance, int Steps)
    {
        RECT r{};
        GetWindowRect(Wnd, &r);
        const int midX = (r.left + r.right) / 2;
        const int midY = (r.top + r.bottom) / 2;
        const POINT from[] = {{r.right - 2, midY}, {midX, r.bottom - 2}, {r.left + 2, midY}, {midX, r.top + 2}};
        const int sign = Side == sideRight || Side == sideBottom ? 1 : -1;
        const bool across = Side == sideRight || Side == sideLeft;
        TRealDrag drag{Wnd, from[Side], across ? sign * Distance : 0, across ? 0 : sign * Distance, Steps, true,
                       [&](int Step) {
                           const std::string when = Step ? "step " + std::to_string(Step) : "end";
                           Seen.push_back(when + ": " + SizeAndShape(Wnd));
                           Wanted.push_back(when + ": " + Fitting(Wnd));
                       }};
        if (!drag.Run())
            Failure = drag.Failure;
    }
};

TEST(FrameBorderDrag, EachBorderDraggedTwiceKeepsTheShapeOnTheWholeWindowAtEveryStep)
{
    TFrameSkin skin;
    skin.AddMask();
    TFramedForm form(skin.Data, 300, 200);
    form.Form->SetBounds(300, 250, 300, 200);
    form.Show();
    ASSERT_EQ(SizeAndShape(form.Wnd()), Fitting(form.Wnd()));
    for (TSide side : {sideRight, sideBottom, sideLeft, sideTop})
        for (int round = 1; round <= 2; ++round) {
            const std::string where = std::string(SideNames[side]) + " border, drag " + std::to_string(round);
            const int w = form.Form->Width();
            const int h = form.Form->Height();
            TSideDrag drag(form.Wnd(), side, 12, 3);
            EXPECT_EQ(drag.Failure, "") << where;
            EXPECT_EQ(drag.Seen, drag.Wanted) << where;
            const bool across = side == sideRight || side == sideLeft;
            EXPECT_EQ(form.Form->Width(), w + (across ? 36 : 0)) << where;
            EXPECT_EQ(form.Form->Height(), h + (across ? 0 : 36)) << where;
        }
}

// Where windows are drawn whole while dragged, the frame shapes the window for each proposed
// size before the platform gives it that size: down to the minimum size and out again.
TEST(FrameBorderDrag, DrawnWholeWhileDraggedTheShapeFollowsEachProposedSizeDownToTheMinimum)
{
    // The setting, for this test only.
    struct TDrawnWhole {
        BOOL was = FALSE;
        TDrawnWhole()
        {
            SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &was, 0);
            SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
        }
        ~TDrawnWhole() { SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, was, nullptr, 0); }
    } drawnWhole;
    TFrameSkin skin;
    skin.AddMask();
    TFramedForm form(skin.Data, 300, 200);
    form.Form->SetBounds(300, 250, 300, 200);
    form.Show();
    ASSERT_EQ(form.Frame->GetMinWidth(), TFrameSkin::PW);
    TSideDrag in(form.Wnd(), sideRight, -80, 3);
    EXPECT_EQ(in.Failure, "");
    EXPECT_EQ(in.Seen, in.Wanted);
    EXPECT_EQ(form.Form->Width(), TFrameSkin::PW);
    TSideDrag out(form.Wnd(), sideRight, 30, 2);
    EXPECT_EQ(out.Failure, "");
    EXPECT_EQ(out.Seen, out.Wanted);
    EXPECT_EQ(form.Form->Width(), TFrameSkin::PW + 60);
}

}  // namespace
