// Reordering and copying by dragging, with the mouse's real messages: targets, refusals,
// insertion marks, drops, edge scrolling, and removals while a drag runs.
#include "skinforms/categorybuttons/support.h"

using namespace cl;
using namespace cattest;

namespace {

struct CategoryDrag : ::testing::Test, TCategoryScene {
    std::vector<std::string> Captions(int C)
    {
        std::vector<std::string> s;
        for (int i = 0; i < Category(C)->Items()->Count(); ++i)
            s.push_back(Button(C, i)->Caption());
        return s;
    }
    // Presses at From and moves past the threshold, which starts the drag. The drag holds
    // the mouse from then on: its messages go to the drag's window, in screen points, and the
    // target is found under the real pointer.
    void BeginDragAt(TPoint From)
    {
        Point(From);
        Press(From);
        Move({From.X, From.Y + 6});
        ASSERT_TRUE(control->Dragging());
    }
    void Point(TPoint P)
    {
        const TPoint s = control->ClientToScreen(P);
        SetCursorPos(s.X, s.Y);
    }
    void DragTo(TPoint P)
    {
        Point(P);
        const TPoint s = control->ClientToScreen(P);
        SendMessageA(GetCapture(), WM_MOUSEMOVE, MK_LBUTTON, At(s.X, s.Y));
    }
    void DropAt(TPoint P)
    {
        DragTo(P);
        const TPoint s = control->ClientToScreen(P);
        SendMessageA(GetCapture(), WM_LBUTTONUP, 0, At(s.X, s.Y));
    }
    std::string events;
    void SetUp() override
    {
        form.Form->SetBorderStyle(bsNone);
        form.Form->Show();
        Application->ProcessMessages();
        control->OnReorderButton = [this](TObject*, TskButtonItem* b, TskButtonCategory* s, TskButtonCategory* t) {
            events += "reorder " + b->Caption() + " " + s->Caption() + ">" + (t ? t->Caption() : "-") + ";";
        };
        control->OnCopyButton = [this](TObject*, TskButtonItem* s, TskButtonItem* c) {
            events += "copy " + s->Caption() + " " + c->GetCategory()->Caption() + ";";
        };
        control->OnReorderCategory = [this](TObject*, TskButtonCategory* s, TskButtonCategory* t) {
            events += "category " + s->Caption() + ">" + (t ? t->Caption() : "-") + ";";
        };
    }
};

}  // namespace

TEST_F(CategoryDrag, ABelowTheMiddleDropMovesTheButtonAfterTheOneUnderThePointer)
{
    Fill({5});
    BeginDragAt(Centre(Button(0, 0)));
    EXPECT_EQ(control->PressedButton(), nullptr);
    const TPoint below3 = {Centre(Button(0, 3)).X, Centre(Button(0, 3)).Y + 5};
    DragTo(below3);
    EXPECT_EQ(control->InsertMark(skbdsInsertTop), Button(0, 4));
    EXPECT_EQ(control->InsertMark(skbdsInsertBottom), Button(0, 3));
    DropAt(below3);
    EXPECT_FALSE(control->Dragging());
    EXPECT_EQ(Captions(0), (std::vector<std::string>{"c0b1", "c0b2", "c0b3", "c0b0", "c0b4"}));
    EXPECT_EQ(events, "reorder c0b0 c0>c0;");
    EXPECT_EQ(Log(), "") << "a drop selects nothing and fires no OnClick";
    EXPECT_EQ(control->InsertMark(skbdsInsertTop), nullptr);
}

TEST_F(CategoryDrag, DropsOnTheButtonItselfOrTheNextOneAreRefused)
{
    Fill({5});
    BeginDragAt(Centre(Button(0, 1)));
    const TPoint above2 = {Centre(Button(0, 2)).X, Centre(Button(0, 2)).Y - 5};
    DragTo(above2);
    EXPECT_EQ(control->InsertMark(skbdsInsertTop), nullptr) << "the next button: no marks";
    const TPoint above1 = {Centre(Button(0, 1)).X, Centre(Button(0, 1)).Y - 5};
    DragTo(above1);
    EXPECT_EQ(control->InsertMark(skbdsInsertTop), nullptr) << "itself: no marks";
    DropAt(above1);
    EXPECT_EQ(Captions(0), (std::vector<std::string>{"c0b0", "c0b1", "c0b2", "c0b3", "c0b4"}));
    EXPECT_EQ(events, "");
}

TEST_F(CategoryDrag, MovingIntoAnotherCategoryTakesTheTargetsPlace)
{
    Fill({3, 2}, false);
    BeginDragAt(Centre(Button(0, 0)));
    const TPoint above = {Centre(Button(1, 1)).X, Centre(Button(1, 1)).Y - 5};
    DragTo(above);
    DropAt(above);
    EXPECT_EQ(Captions(0), (std::vector<std::string>{"c0b1", "c0b2"}));
    EXPECT_EQ(Captions(1), (std::vector<std::string>{"c1b0", "c0b0", "c1b1"}));
    EXPECT_EQ(events, "reorder c0b0 c0>c1;");
    EXPECT_EQ(Category(1)->LayoutEnd - Category(1)->LayoutStart, 3 * 20 + 15 + control->ScrollUnit())
        << "laid out again";
}

TEST_F(CategoryDrag, CtrlCopiesTheButtonWithItsDataAndLeavesTheSource)
{
    Fill({3, 2}, false);
    void* data = Button(0, 0)->Data();
    {
        TCtrlHeld ctrl;
        BeginDragAt(Centre(Button(0, 0)));
        const TPoint above = {Centre(Button(1, 1)).X, Centre(Button(1, 1)).Y - 5};
        DragTo(above);
        EXPECT_EQ(control->DragCursor(), TskSkinCategoryButtons::crCategoryDragCopy);
        const HCURSOR copyCursor = LoadCursorA(GetModuleHandleA(nullptr), "SK_CAT_DRAG_COPY");
        EXPECT_NE(copyCursor, nullptr) << "the program carries the copy cursor";
        EXPECT_EQ(Screen->Cursors(TskSkinCategoryButtons::crCategoryDragCopy), copyCursor);
        DropAt(above);
    }
    EXPECT_EQ(Captions(0), (std::vector<std::string>{"c0b0", "c0b1", "c0b2"}));
    EXPECT_EQ(Captions(1), (std::vector<std::string>{"c1b0", "c0b0", "c1b1"}));
    EXPECT_EQ(Button(1, 1)->Data(), data);
    EXPECT_EQ(events, "copy c0b0 c1;");
}

TEST_F(CategoryDrag, ACategoryDraggedByItsBandMovesToTheTargetsIndex)
{
    Fill({2, 2, 2});
    BeginDragAt({60, Category(2)->LayoutStart + 3});
    const TPoint onFirst = {60, Category(0)->LayoutStart + 3};
    DragTo(onFirst);
    DropAt(onFirst);
    EXPECT_EQ(Category(0)->Caption(), "c2");
    EXPECT_EQ(events, "category c2>c0;");
}

TEST_F(CategoryDrag, TheEdgeScrollsWhileThePointerStaysAndStopsOnRelease)
{
    Fill({30});
    BeginDragAt(Centre(Button(0, 1)));
    EXPECT_EQ(control->ScrollPosition(), 0);
    DragTo({50, 195});
    EXPECT_EQ(control->ScrollPosition(), 1) << "the first step runs at once";
    SendMessageA(Wnd(), WM_TIMER, TskSkinCategoryButtons::AutoScrollTimerId, 0);
    EXPECT_EQ(control->ScrollPosition(), 2);
    DragTo({50, 100});
    SendMessageA(Wnd(), WM_TIMER, TskSkinCategoryButtons::AutoScrollTimerId, 0);
    EXPECT_EQ(control->ScrollPosition(), 2) << "out of the zone: no more steps";
    DragTo({50, 195});
    EXPECT_EQ(control->ScrollPosition(), 3);
    DropAt({50, 195});
    SendMessageA(Wnd(), WM_TIMER, TskSkinCategoryButtons::AutoScrollTimerId, 0);
    EXPECT_EQ(control->ScrollPosition(), 3) << "a release ends the edge scrolling";
    // Near the top it scrolls back.
    BeginDragAt(Centre(Button(0, 8)));
    DragTo({50, 2});
    EXPECT_EQ(control->ScrollPosition(), 2);
    DropAt({50, 2});
}

TEST_F(CategoryDrag, LeavingTheListStopsTheEdgeScrolling)
{
    Fill({30});
    BeginDragAt(Centre(Button(0, 1)));
    DragTo({50, 195});
    ASSERT_EQ(control->ScrollPosition(), 1);
    // Past the end, well outside the list: the steps stop where they were.
    DragTo({50, 195 + 140});
    for (int i = 0; i < 5; ++i)
        SendMessageA(Wnd(), WM_TIMER, TskSkinCategoryButtons::AutoScrollTimerId, 0);
    EXPECT_EQ(control->ScrollPosition(), 1);
    // Beside the list, level with the edge zone: outside as well.
    DragTo({161 + 30, 195});
    SendMessageA(Wnd(), WM_TIMER, TskSkinCategoryButtons::AutoScrollTimerId, 0);
    EXPECT_EQ(control->ScrollPosition(), 1);
    // Back in the zone, it scrolls again.
    DragTo({50, 195});
    EXPECT_EQ(control->ScrollPosition(), 2);
    DropAt({50, 195});
}

TEST_F(CategoryDrag, ClearingTheListDuringADragEndsItSafely)
{
    Fill({3, 3}, false);
    BeginDragAt(Centre(Button(0, 1)));
    DragTo({Centre(Button(1, 2)).X, Centre(Button(1, 2)).Y - 5});
    ASSERT_NE(control->InsertMark(skbdsInsertTop), nullptr);
    control->Categories()->Clear();
    EXPECT_FALSE(control->Dragging());
    EXPECT_EQ(control->InsertMark(skbdsInsertTop), nullptr);
    EXPECT_EQ(control->InsertMark(skbdsInsertBottom), nullptr);
    DragTo({50, 100});
    DropAt({50, 100});
    EXPECT_EQ(events, "");
    // Removing only the dragged button ends the drag as well.
    Fill({4});
    BeginDragAt(Centre(Button(0, 0)));
    Category(0)->Items()->Delete(0);
    EXPECT_FALSE(control->Dragging());
    DropAt({50, 100});
    EXPECT_EQ(Captions(0), (std::vector<std::string>{"c0b1", "c0b2", "c0b3"}));
}

TEST_F(CategoryDrag, EscapeOrALostCaptureCancelsWithoutADrop)
{
    Fill({5});
    BeginDragAt(Centre(Button(0, 0)));
    DragTo(Centre(Button(0, 3)));
    Key(VK_ESCAPE);
    EXPECT_FALSE(control->Dragging());
    // The button, still held, is released over the list: no click, no collapse.
    Release(Centre(Button(0, 3)));
    EXPECT_FALSE(Category(0)->Collapsed());
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(events, "");
    BeginDragAt(Centre(Button(0, 0)));
    ReleaseCapture();
    EXPECT_FALSE(control->Dragging());
    EXPECT_EQ(control->InsertMark(skbdsInsertTop), nullptr);
    EXPECT_EQ(Captions(0)[0], "c0b0");
}

TEST_F(CategoryDrag, InAutomaticModeAPressStartsDraggingTheButtonUnderTheMouse)
{
    Fill({5});
    control->SetDragMode(dmAutomatic);
    Point(Centre(Button(0, 1)));
    Press(Centre(Button(0, 1)));
    ASSERT_TRUE(control->Dragging());
    const TPoint below3 = {Centre(Button(0, 3)).X, Centre(Button(0, 3)).Y + 5};
    DragTo(below3);
    DropAt(below3);
    EXPECT_FALSE(control->Dragging());
    EXPECT_EQ(Captions(0), (std::vector<std::string>{"c0b0", "c0b2", "c0b3", "c0b1", "c0b4"}));
    EXPECT_EQ(events, "reorder c0b1 c0>c0;");
}
