// A skinned window resized by real drags on its borders: its shape covers the whole window after
// every step of a drag and at its end, so the border that was dragged can be dragged again.
#include "skinforms/frame_support.h"

#include <cstdlib>
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

TEST(FrameBorderDrag, EachBorderDraggedTwiceKeepsTheShapeOnTheWholeWindowAtEveryStep)
{
    TFrameSkin skin;
    skin.AddMask();
    TFramedForm form(skin.Data, 300, 200);
    form.Form->SetBounds(300, 250, 300, 200);
    form.Show();
    ASSERT_EQ(SizeAndShape(form.Wnd()), Fitting(form.Wnd()));

    struct TBorder {
        const char* Name;
        int DX, DY;
    };
    const TBorder borders[] = {{"right", 12, 0}, {"bottom", 0, 12}, {"left", -12, 0}, {"top", 0, -12}};
    for (const TBorder& b : borders)
        for (int round = 1; round <= 2; ++round) {
            // 2 pixels inside the middle of the border, wherever the last drag left it.
            RECT r{};
            GetWindowRect(form.Wnd(), &r);
            const POINT from = b.DX > 0   ? POINT{r.right - 2, (r.top + r.bottom) / 2}
                               : b.DX < 0 ? POINT{r.left + 2, (r.top + r.bottom) / 2}
                               : b.DY > 0 ? POINT{(r.left + r.right) / 2, r.bottom - 2}
                                          : POINT{(r.left + r.right) / 2, r.top + 2};
            const std::string where = std::string(b.Name) + " border, drag " + std::to_string(round);
            std::vector<std::string> seen, wanted;
            TRealDrag drag{form.Wnd(), from, b.DX, b.DY, 3, true, [&](int Step) {
                               const std::string when = Step ? "step " + std::to_string(Step) : "end";
                               seen.push_back(when + ": " + SizeAndShape(form.Wnd()));
                               wanted.push_back(when + ": " + Fitting(form.Wnd()));
                           }};
            EXPECT_TRUE(drag.Run()) << where << ": " << drag.Failure;
            EXPECT_EQ(seen, wanted) << where;
            EXPECT_EQ(form.Form->Width(), r.right - r.left + 3 * std::abs(b.DX)) << where;
            EXPECT_EQ(form.Form->Height(), r.bottom - r.top + 3 * std::abs(b.DY)) << where;
        }
}

}  // namespace
