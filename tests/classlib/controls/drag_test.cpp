// Drag and drop between real windows: threshold, enter/move/leave/drop, cancel, refusal, a
// target freed during the drag, and the drag image following the cursor.
#include "classlib/controls/support.h"

#include "classlib/graphics/ImgList.h"

using namespace cl;
using namespace visual_test;

namespace {

class TDragSource : public TPanelProbe {
public:
    using TPanelProbe::TPanelProbe;
    TDragImageList* Images = nullptr;
    TDragImageList* GetDragImages() override { return Images; }
};

struct DragTest : ::testing::Test {
    TCaughtExceptions caught;
    TForm* form = nullptr;
    TDragSource* source = nullptr;
    TPanelProbe* target = nullptr;
    std::vector<TDragState> states;
    TObject* droppedSource = nullptr;
    TPoint dropPoint;
    TObject* endTarget = reinterpret_cast<TObject*>(1);
    int ends = 0;

    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 100, 300, 100);
        source = new TDragSource(form);
        source->SetParent(form);
        source->SetBounds(0, 0, 100, 100);
        target = new TPanelProbe(form);
        target->SetParent(form);
        target->SetBounds(200, 0, 100, 100);
        target->OnDragOver = [this](TObject*, TObject*, int, int, TDragState state, bool& accept) {
            states.push_back(state);
            accept = true;
        };
        target->OnDragDrop = [this](TObject*, TObject* src, int x, int y) {
            droppedSource = src;
            dropPoint = {x, y};
        };
        source->OnEndDrag = [this](TObject*, TObject* t, int, int) {
            endTarget = t;
            ++ends;
        };
        form->Show();
        Application->ProcessMessages();
        PointAt(source, 10, 10);
    }
    void TearDown() override
    {
        if (source)
            source->EndDrag(false);
        form->Free();
        Application->ProcessMessages();
        EXPECT_TRUE(caught.Messages.empty()) << caught.Messages.front();
    }
    // The drag holds the capture: the mouse's messages go to its window, in screen points.
    static void MoveTo(TControl* over, int x, int y)
    {
        const TPoint p = over->ClientToScreen({x, y});
        SendMessageA(GetCapture(), WM_MOUSEMOVE, MK_LBUTTON, At(p.X, p.Y));
    }
    static void Release(TControl* over, int x, int y)
    {
        const TPoint p = over->ClientToScreen({x, y});
        SendMessageA(GetCapture(), WM_LBUTTONUP, 0, At(p.X, p.Y));
    }
};

}  // namespace

TEST_F(DragTest, DropAfterTheThresholdReachesTheTarget)
{
    source->BeginDrag(false, 5);
    EXPECT_TRUE(source->Dragging());
    ASSERT_NE(GetCapture(), nullptr);
    MoveTo(source, 13, 12);
    EXPECT_TRUE(states.empty());
    MoveTo(target, 40, 30);
    ASSERT_GE(states.size(), 2u);
    EXPECT_EQ(states[0], dsDragEnter);
    EXPECT_EQ(states[1], dsDragMove);
    Release(target, 40, 30);
    EXPECT_EQ(droppedSource, source) << "the source of a control's drag is the control";
    EXPECT_EQ(dropPoint, Point(40, 30));
    EXPECT_EQ(endTarget, target);
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragTest, EscapeCancelsAndARefusingTargetGetsNothing)
{
    source->BeginDrag(true);
    MoveTo(target, 10, 10);
    SendMessageA(GetCapture(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(states.back(), dsDragLeave);
    EXPECT_EQ(droppedSource, nullptr);
    EXPECT_EQ(endTarget, nullptr);
    EXPECT_EQ(ends, 1);

    target->OnDragOver = nullptr;  // nobody accepts
    source->BeginDrag(true);
    MoveTo(target, 10, 10);
    Release(target, 10, 10);
    EXPECT_EQ(droppedSource, nullptr);
    EXPECT_EQ(endTarget, nullptr);
    EXPECT_EQ(ends, 2);
}

TEST_F(DragTest, TargetFreedDuringTheDrag)
{
    source->BeginDrag(true);
    MoveTo(target, 10, 10);
    target->Free();
    target = nullptr;
    MoveTo(form, 150, 50);
    Release(form, 150, 50);
    EXPECT_EQ(endTarget, nullptr);
    EXPECT_FALSE(source->Dragging());
}

TEST_F(DragTest, DragImageFollowsTheCursorAndGoesAtTheEnd)
{
    TDragImageList images(nullptr);
    TBitmap picture;
    picture.SetSize(16, 16);
    picture.Fill(clRed);
    images.Add(&picture, nullptr);
    images.SetDragImage(0, 4, 4);
    source->Images = &images;
    source->BeginDrag(true);
    MoveTo(target, 20, 30);
    ASSERT_TRUE(images.Dragging());
    RECT r;
    GetWindowRect(images.DragWindow(), &r);
    const TPoint p = target->ClientToScreen({20, 30});
    EXPECT_EQ(r.left, p.X - 4);
    EXPECT_EQ(r.top, p.Y - 4);
    EXPECT_TRUE(IsWindowVisible(images.DragWindow()));
    EXPECT_EQ(FindDragTarget(p, false), target) << "the image does not hide the target";
    images.HideDragImage();
    EXPECT_FALSE(IsWindowVisible(images.DragWindow()));
    images.ShowDragImage();
    Release(target, 20, 30);
    EXPECT_FALSE(images.Dragging());
    EXPECT_FALSE(IsWindowVisible(images.DragWindow()));
    source->Images = nullptr;
}

TEST_F(DragTest, AutomaticModeStartsOnPress)
{
    source->SetDragMode(dmAutomatic);
    SendMessageA(source->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    EXPECT_TRUE(source->Dragging());
    EXPECT_EQ(source->Clicks, 0);
    MoveTo(target, 5, 5);
    Release(target, 5, 5);
    EXPECT_EQ(endTarget, target);
}
