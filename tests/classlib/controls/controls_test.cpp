// Controls with real windows and real messages: creation, dispatch, painting, align, mouse.
#include "classlib/controls/support.h"

#include "classlib/stdctrls/Image.h"
#include "classlib/menus/Menus.h"
#include "classlib/platform/WindowOrder.h"
#include "classlib/stdctrls/StdCtrls.h"
#include "support/LiveHandles.h"
#include "support/UserInput.h"

using namespace cl;
using namespace visual_test;

namespace {

struct ControlsTest : TFormTest<300, 200, false> {};

// Records every message a replaced window procedure sees before passing it on.
struct TMessageLog {
    std::vector<UINT> Seen;
    TWndMethod Old;
    void Hook(TControl* c)
    {
        Old = c->WindowProc;
        c->WindowProc = [this](TMessage& m) {
            Seen.push_back(m.Msg);
            Old(m);
        };
    }
    bool Saw(UINT msg) const { return std::find(Seen.begin(), Seen.end(), msg) != Seen.end(); }
};

// Writes to a shared log when its window goes, and whether its children's windows were gone.
class TDestroyProbe : public TPanelProbe {
public:
    TDestroyProbe(TComponent* AOwner, const char* Name, std::vector<std::string>& Log)
        : TPanelProbe(AOwner), name_(Name), log_(Log)
    {
    }

protected:
    void DestroyWnd() override
    {
        bool childWindowsLeft = false;
        for (int i = 0; i < ControlCount(); ++i)
            if (auto* child = dynamic_cast<TWinControl*>(Controls(i)))
                childWindowsLeft = childWindowsLeft || child->HandleAllocated();
        log_.push_back(name_ + (childWindowsLeft ? " before its children" : ""));
        TPanelProbe::DestroyWnd();
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

}  // namespace

TEST_F(ControlsTest, ReplacedWindowProcSeesCreationMessagesAndRestoresInReverse)
{
    TMessageLog first, second;
    first.Hook(form);
    second.Hook(form);
    form->HandleNeeded();
    EXPECT_TRUE(second.Saw(WM_NCCREATE));
    EXPECT_TRUE(second.Saw(WM_NCCALCSIZE)) << "a frame must see the size calculation at creation";
    EXPECT_TRUE(first.Saw(WM_CREATE));

    form->WindowProc = second.Old;
    form->WindowProc = first.Old;
    const auto before = first.Seen.size();
    form->Perform(WM_NULL);
    EXPECT_EQ(first.Seen.size(), before);
}

TEST_F(ControlsTest, HandleIsMadeOnDemandWithParentsAndRecreatedWithState)
{
    auto* panel = Place<TPanelProbe>(form, 10, 20, 50, 40);
    panel->SetCaption("panel text");
    EXPECT_FALSE(form->HandleAllocated());
    HWND wnd = panel->Handle();
    EXPECT_TRUE(form->HandleAllocated());
    EXPECT_EQ(GetParent(wnd), form->Handle());
    EXPECT_EQ(TWinControl::FindControl(wnd), panel);

    panel->RecreateWnd();
    EXPECT_TRUE(panel->HandleAllocated());
    EXPECT_FALSE(IsWindow(wnd) && TWinControl::FindControl(wnd) == panel);
    EXPECT_EQ(TWinControl::FindControl(wnd), nullptr) << "a window that went names no control";
    EXPECT_EQ(panel->Text(), "panel text");
    RECT r;
    GetWindowRect(panel->Handle(), &r);
    MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.bottom - r.top, 40);
}

TEST_F(ControlsTest, ChildOrderIsWindowlessFirstThenWindowed)
{
    auto* w1 = new TPanelProbe(form);
    auto* g1 = new TProbe(form);
    auto* w2 = new TPanelProbe(form);
    auto* g2 = new TProbe(form);
    for (TControl* c : {static_cast<TControl*>(w1), static_cast<TControl*>(g1), static_cast<TControl*>(w2),
                        static_cast<TControl*>(g2)})
        c->SetParent(form);
    ASSERT_EQ(form->ControlCount(), 4);
    EXPECT_EQ(form->Controls(0), g1);
    EXPECT_EQ(form->Controls(1), g2);
    EXPECT_EQ(form->Controls(2), w1);
    EXPECT_EQ(form->Controls(3), w2);
    g1->Free();
    EXPECT_EQ(form->ControlCount(), 3);
    EXPECT_EQ(form->Controls(0), g2);
}

TEST_F(ControlsTest, AlignOrderAndRealignOnShowHideAndResize)
{
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 200, 100);
    // As while a form is read: children are placed first, aligned once at the end.
    form->DisableAlign();
    auto make = [&](TAlign align, int left, int top, int w, int h) {
        auto* c = new TProbe(form);
        c->SetBounds(left, top, w, h);
        c->SetAlign(align);
        c->SetParent(form);
        return c;
    };
    TProbe* client = make(alClient, 0, 0, 1, 1);
    TProbe* top = make(alTop, 0, 0, 10, 10);
    TProbe* bottom = make(alBottom, 0, 0, 10, 20);
    TProbe* leftB = make(alLeft, 50, 0, 30, 10);
    TProbe* leftA = make(alLeft, 5, 0, 15, 10);  // further left: comes first
    TProbe* right = make(alRight, 0, 0, 25, 10);
    form->EnableAlign();
    form->HandleNeeded();
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 10));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 80, 200, 100));
    EXPECT_EQ(leftA->BoundsRect(), Rect(0, 10, 15, 80));
    EXPECT_EQ(leftB->BoundsRect(), Rect(15, 10, 45, 80));
    EXPECT_EQ(right->BoundsRect(), Rect(175, 10, 200, 80));
    EXPECT_EQ(client->BoundsRect(), Rect(45, 10, 175, 80));

    top->Hide();
    EXPECT_EQ(leftA->BoundsRect(), Rect(0, 0, 15, 80));
    EXPECT_EQ(client->Top(), 0);
    top->Show();
    EXPECT_EQ(client->Top(), 10);

    form->SetBounds(0, 0, 300, 150);
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 130, 300, 150));
    EXPECT_EQ(client->BoundsRect(), Rect(45, 10, 275, 130));

    form->DisableAlign();
    bottom->SetHeight(40);
    EXPECT_EQ(client->Height(), 120) << "no re-align while disabled";
    form->EnableAlign();
    EXPECT_EQ(client->Height(), 100);

    // A constrained control keeps its size and the rest of the area follows it.
    right->Constraints()->SetMaxWidth(10);
    EXPECT_EQ(right->Width(), 10);
    EXPECT_EQ(client->BoundsRect().Right, 290);
}

TEST_F(ControlsTest, ControlPaintedIntoMemoryDcCheckedByPixels)
{
    form->SetBorderStyle(bsNone);
    auto* panel = new TPanelProbe(form, clRed);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 40, 30);
    auto* dot = new TProbe(form, clBlue);
    dot->SetParent(panel);
    dot->SetBounds(10, 5, 4, 3);
    auto* hidden = new TProbe(form, clLime);
    hidden->SetParent(panel);
    hidden->SetBounds(0, 0, 2, 2);
    hidden->Hide();
    panel->HandleNeeded();

    TBitmap bmp;
    bmp.SetSize(40, 30);
    panel->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bmp.Canvas()->Handle()), PRF_CLIENT);
    EXPECT_EQ(bmp.Pixels(0, 0), clRed) << "a hidden windowless child is not painted";
    EXPECT_EQ(bmp.Pixels(30, 20), clRed);
    EXPECT_EQ(bmp.Pixels(10, 5), clBlue);
    EXPECT_EQ(bmp.Pixels(13, 7), clBlue);
    EXPECT_EQ(bmp.Pixels(14, 7), clRed) << "the child is clipped to its bounds";
}

TEST_F(ControlsTest, BackgroundIsErasedInTheControlsColourWithNoBrushLeftBehind)
{
    auto* panel = Place<TPanelProbe>(form, 0, 0, 20, 10);
    panel->HandleNeeded();
    TBitmap bmp;
    bmp.SetSize(20, 10);
    const HDC dc = bmp.Canvas()->Handle();
    const auto before = test_support::CountLiveHandles();
    for (int i = 0; i < 50; ++i) {
        panel->SetColor(i % 2 ? clLime : clBlue);
        EXPECT_EQ(panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    }
    EXPECT_EQ(bmp.Pixels(0, 0), clLime);
    EXPECT_EQ(bmp.Pixels(19, 9), clLime);
    const auto leaked = test_support::CountLiveHandles() - before;
    EXPECT_EQ(leaked.Gdi, 0) << leaked;
    EXPECT_EQ(panel->Perform(WM_ERASEBKGND, 0, 0), 0) << "no DC, nothing erased";
}

TEST_F(ControlsTest, MouseEnterAndLeaveBetweenNestedWindowedAndWindowlessControls)
{
    form->SetBorderStyle(bsNone);
    form->SetBounds(200, 200, 200, 120);
    auto* panel = Place<TPanelProbe>(form, 10, 10, 150, 90);
    auto* inner = Place<TProbe>(panel, 20, 20, 30, 30);
    // The pointer starts away from the form, wherever an earlier test left it.
    PointAt(form, 900, 700);
    form->Show();
    Application->ProcessMessages();

    PointAt(panel, 5, 5);
    EXPECT_EQ(Application->MouseControl(), panel);
    EXPECT_EQ(panel->Enters, 1);

    PointAt(panel, 30, 30);
    EXPECT_EQ(Application->MouseControl(), inner);
    EXPECT_EQ(panel->Leaves, 1);
    EXPECT_EQ(inner->Enters, 1);

    PointAt(panel, 31, 31);
    EXPECT_EQ(inner->Enters, 1) << "moving inside the same control sends nothing";

    PointAt(form, 2, 2);
    EXPECT_EQ(inner->Leaves, 1);
    EXPECT_EQ(Application->MouseControl(), form);

    // Out of the application altogether.
    SetCursorPos(1000, 900);
    Application->DoMouseIdle();
    EXPECT_EQ(Application->MouseControl(), nullptr);
    EXPECT_EQ(form->ControlCount(), 1);

    // A control freed under the mouse is forgotten, not sent a leave.
    PointAt(panel, 30, 30);
    inner->Free();
    EXPECT_EQ(Application->MouseControl(), nullptr);
    PointAt(panel, 30, 31);
    EXPECT_EQ(Application->MouseControl(), panel);
}

TEST_F(ControlsTest, WindowlessControlGetsCaptureAndClicksOnlyWhenReleasedInside)
{
    auto* panel = Place<TPanelProbe>(form, 0, 0, 100, 100);
    auto* probe = Place<TProbe>(panel, 10, 10, 20, 20);
    HWND wnd = panel->Handle();

    ClickAt(wnd, 15, 15);
    EXPECT_EQ(probe->Clicks, 1);
    EXPECT_EQ(panel->Clicks, 0);

    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(15, 15));
    EXPECT_EQ(GetCaptureControl(), probe);
    SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, At(70, 80));
    EXPECT_EQ(probe->LastMove, Point(60, 70)) << "captured: moves outside still reach it, in its coordinates";
    SendMessageA(wnd, WM_LBUTTONUP, 0, At(70, 80));
    EXPECT_EQ(probe->Clicks, 1) << "released outside: no click";
    EXPECT_EQ(GetCaptureControl(), nullptr);

    ClickAt(wnd, 60, 60);
    EXPECT_EQ(panel->Clicks, 1);
}

TEST_F(ControlsTest, PicturesAndLabelsReportRealClicksAndDoubleClicks)
{
    auto* image = Place<TImage>(form, 0, 0, 100, 100);
    auto* label = Place<TLabel>(form, 120, 10, 80, 20);
    label->SetCaption("Label");
    form->Show();
    Application->ProcessMessages();
    for (TControl* control : std::initializer_list<TControl*>{image, label}) {
        int clicks = 0, doubles = 0;
        control->OnClick = [&](TObject*) { ++clicks; };
        control->OnDblClick = [&](TObject*) { ++doubles; };
        const TPoint p = control->ClientToScreen(TPoint(5, 5));
        realinput::ClickAtScreen(p.X, p.Y);
        EXPECT_EQ(clicks, 1) << control->ClassName();
        // Far enough from the first click not to make a double click with it.
        realinput::ClickAtScreen(p.X + 20, p.Y, true);
        EXPECT_EQ(doubles, 1) << control->ClassName();
    }
}

TEST_F(ControlsTest, DoubleClicksOnlyWithTheStyle)
{
    auto* panel = Place<TPanelProbe>(form, 0, 0, 100, 100);
    auto* probe = Place<TProbe>(panel, 0, 0, 50, 50);
    HWND wnd = panel->Handle();
    auto doubleClick = [&] {
        ClickAt(wnd, 5, 5);
        SendMessageA(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
        SendMessageA(wnd, WM_LBUTTONUP, 0, At(5, 5));
    };
    doubleClick();
    EXPECT_EQ(probe->Clicks, 2);
    EXPECT_EQ(probe->DblClicks, 0);

    probe->SetControlStyle(probe->ControlStyle() + csDoubleClicks);
    doubleClick();
    EXPECT_EQ(probe->Clicks, 4);
    EXPECT_EQ(probe->DblClicks, 1);
}

TEST_F(ControlsTest, MousePressSendsCancelModeToTheActiveControl)
{
    auto* active = Place<TPanelProbe>(form, 0, 0, 50, 50);
    auto* other = Place<TPanelProbe>(form, 60, 0, 50, 50);
    form->SetActiveControl(active);
    ClickAt(other->Handle(), 5, 5);
    EXPECT_EQ(active->CancelModes, 1);
}

TEST_F(ControlsTest, ThrowInsideWindowProcReachesHandleException)
{
    auto* panel = Place<TPanelProbe>(form, 0, 0, 50, 50);
    panel->OnClick = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
    ClickAt(panel->Handle(), 5, 5);
    ASSERT_EQ(caught.Messages.size(), 1u);
    EXPECT_EQ(caught.Messages[0], "'x' is not a valid integer value");
    EXPECT_EQ(caught.Senders[0], panel);
    caught.Messages.clear();
    // The window still works afterwards.
    panel->OnClick = nullptr;
    ClickAt(panel->Handle(), 5, 5);
    EXPECT_EQ(panel->Clicks, 2);
}

TEST_F(ControlsTest, ControlFreedInsideItsOwnClick)
{
    auto* panel = Place<TPanelProbe>(form, 0, 0, 50, 50);
    auto* probe = Place<TProbe>(panel, 0, 0, 10, 10);
    int ups = 0;
    probe->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
    probe->OnClick = [](TObject* sender) { static_cast<TControl*>(sender)->Free(); };
    ClickAt(panel->Handle(), 5, 5);
    EXPECT_EQ(panel->ControlCount(), 0);
    EXPECT_EQ(ups, 0) << "nothing runs on the freed control";

    auto* self = Place<TPanelProbe>(form, 0, 60, 50, 50);
    self->OnClick = [](TObject* sender) { static_cast<TControl*>(sender)->Free(); };
    HWND wnd = self->Handle();
    ClickAt(wnd, 5, 5);
    EXPECT_FALSE(IsWindow(wnd));
}

TEST_F(ControlsTest, PropertyChangesAreAnnounced)
{
    auto* panel = new TPanelProbe(form);
    panel->SetParent(form);
    TMessageLog log;
    log.Hook(panel);
    panel->SetEnabled(false);
    panel->SetCaption("x");
    panel->Font()->SetHeight(-20);
    panel->SetColor(clYellow);
    EXPECT_TRUE(log.Saw(CM_ENABLEDCHANGED));
    EXPECT_TRUE(log.Saw(CM_TEXTCHANGED));
    EXPECT_TRUE(log.Saw(CM_FONTCHANGED));
    EXPECT_TRUE(log.Saw(CM_COLORCHANGED));
    EXPECT_FALSE(panel->ParentFont());

    // Children with ParentFont follow their parent's font.
    auto* child = new TProbe(form);
    child->SetParent(panel);
    EXPECT_EQ(child->Font()->Height(), -20);
    panel->Font()->SetHeight(-9);
    EXPECT_EQ(child->Font()->Height(), -9);
    EXPECT_TRUE(child->ParentFont());
    panel->WindowProc = log.Old;
}

TEST_F(ControlsTest, PopupMenuReferenceClearedWhenItsFormGoes)
{
    TForm* other = new TForm(nullptr);
    auto* menu = new TComponent(other);
    auto* panel = new TPanelProbe(form);
    panel->SetPopupMenu(menu);
    other->Free();
    EXPECT_EQ(panel->PopupMenu(), nullptr);
}

TEST_F(ControlsTest, ThousandControlsLeaveNoGdiObjectsBehind)
{
    form->HandleNeeded();
    const auto before = test_support::CountLiveHandles();
    for (int i = 0; i < 1000; ++i) {
        auto* panel = new TPanelProbe(form);
        panel->SetParent(form);
        panel->Font()->SetHeight(-10 - i % 5);
        panel->Canvas()->Brush()->SetColor(clGreen);
        panel->Canvas()->FillRect(Rect(0, 0, 1, 1));
        auto* probe = new TProbe(panel);
        probe->SetParent(panel);
        panel->Free();
    }
    EXPECT_EQ(form->ControlCount(), 0);
    const auto leaked = test_support::CountLiveHandles() - before;
    EXPECT_EQ(leaked, test_support::TLiveHandles{}) << leaked;
}

TEST_F(ControlsTest, WheelTurnsGoToTheControlNotchByNotch)
{
    auto* panel = new TPanelProbe(form);
    panel->SetParent(form);
    int downs = 0;
    int ups = 0;
    panel->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& handled) {
        ++downs;
        handled = true;
    };
    panel->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool&) { ++ups; };
    EXPECT_EQ(SendMessageA(panel->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -2 * WHEEL_DELTA), 0), 1);
    EXPECT_EQ(downs, 2);
    SendMessageA(panel->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), 0);
    EXPECT_EQ(ups, 0) << "half a notch waits for the other half";
    SendMessageA(panel->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA / 2), 0);
    EXPECT_EQ(ups, 1);
}

TEST_F(ControlsTest, PointerLeavingTheApplicationIsNoticedFromMessages)
{
    form->SetBorderStyle(bsNone);
    form->SetBounds(300, 300, 100, 100);
    auto* panel = Place<TPanelProbe>(form, 0, 0, 100, 100);
    form->Show();
    Application->ProcessMessages();
    const TPoint inside = panel->ClientToScreen({50, 50});
    SetCursorPos(inside.X, inside.Y);
    for (int i = 0; i < 100 && Application->MouseControl() != panel; ++i) {
        Sleep(10);
        Application->ProcessMessages();
    }
    ASSERT_EQ(Application->MouseControl(), panel) << "the move message notes the control";
    SetCursorPos(5, 5);
    for (int i = 0; i < 100 && Application->MouseControl() != nullptr; ++i) {
        Sleep(10);
        Application->ProcessMessages();
    }
    EXPECT_EQ(Application->MouseControl(), nullptr);
    EXPECT_EQ(panel->Leaves, 1);
}

TEST_F(ControlsTest, RightClickPopsUpTheMenuOfTheControlUnderIt)
{
    auto* panel = Place<TPanelProbe>(form, 0, 0, 100, 100);
    auto* inner = Place<TProbe>(panel, 50, 50, 20, 20);
    auto* panelMenu = new TPopupMenu(form);
    auto* innerMenu = new TPopupMenu(form);
    int panelPopups = 0;
    int innerPopups = 0;
    panelMenu->OnPopup = [&](TObject*) { ++panelPopups; };
    innerMenu->OnPopup = [&](TObject*) { ++innerPopups; };
    panel->SetPopupMenu(panelMenu);
    inner->SetPopupMenu(innerMenu);

    const TPoint overPanel = panel->ClientToScreen({10, 10});
    EXPECT_EQ(SendMessageA(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()),
                           At(overPanel.X, overPanel.Y)), 1);
    EXPECT_EQ(panelPopups, 1);
    EXPECT_EQ(panelMenu->PopupComponent(), panel);
    EXPECT_EQ(panelMenu->PopupPoint(), overPanel);

    const TPoint overInner = panel->ClientToScreen({55, 55});
    SendMessageA(panel->Handle(), WM_CONTEXTMENU, 0, At(overInner.X, overInner.Y));
    EXPECT_EQ(innerPopups, 1);
    EXPECT_EQ(panelPopups, 1);
    EXPECT_EQ(innerMenu->PopupComponent(), inner);

    // From the keyboard: at the control's corner.
    SendMessageA(panel->Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1));
    EXPECT_EQ(panelMenu->PopupPoint(), panel->ClientToScreen({0, 0}));

    // A child whose menu does not pop up by itself leaves the click to its parent.
    innerMenu->SetAutoPopup(false);
    SendMessageA(panel->Handle(), WM_CONTEXTMENU, 0, At(overInner.X, overInner.Y));
    EXPECT_EQ(innerPopups, 1);
    EXPECT_EQ(panelPopups, 3);
}

TEST_F(ControlsTest, AnchoredChildrenFollowTheParentsEdges)
{
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 200, 100);
    auto* right = Place<TProbe>(form, 150, 10, 40, 20);
    right->SetAnchors({akTop, akRight});
    auto* stretch = Place<TProbe>(form, 10, 40, 180, 50);
    stretch->SetAnchors({akLeft, akTop, akRight, akBottom});
    auto* plain = Place<TProbe>(form, 5, 5, 10, 10);
    form->HandleNeeded();

    form->SetBounds(0, 0, 260, 130);
    EXPECT_EQ(right->BoundsRect(), Rect(210, 10, 250, 30));
    EXPECT_EQ(stretch->BoundsRect(), Rect(10, 40, 250, 120));
    EXPECT_EQ(plain->BoundsRect(), Rect(5, 5, 15, 15));
    form->SetBounds(0, 0, 200, 100);
    EXPECT_EQ(right->Left(), 150);
    EXPECT_EQ(stretch->BoundsRect(), Rect(10, 40, 190, 90));
}

TEST_F(ControlsTest, ARecreatedParentDestroysItsWindowedChildrensWindowsFirstInOrder)
{
    std::vector<std::string> log;
    auto* outer = new TDestroyProbe(form, "outer", log);
    outer->SetParent(form);
    outer->SetBounds(0, 0, 200, 150);
    auto* first = new TDestroyProbe(form, "first", log);
    first->SetParent(outer);
    first->SetBounds(0, 0, 100, 100);
    auto* inner = new TDestroyProbe(form, "inner", log);
    inner->SetParent(first);
    inner->SetBounds(0, 0, 50, 50);
    auto* second = new TDestroyProbe(form, "second", log);
    second->SetParent(outer);
    second->SetBounds(100, 0, 100, 100);
    auto* windowless = new TProbe(outer);
    windowless->SetParent(outer);
    outer->HandleNeeded();

    outer->RecreateWnd();
    EXPECT_EQ(log, (std::vector<std::string>{"inner", "first", "second", "outer"}));
    for (TWinControl* c : std::initializer_list<TWinControl*>{outer, first, inner, second})
        EXPECT_TRUE(c->HandleAllocated());
    EXPECT_EQ(GetParent(inner->Handle()), first->Handle());
    EXPECT_EQ(GetParent(second->Handle()), outer->Handle());

    // Freeing the parent destroys the children's windows the same way.
    log.clear();
    outer->Free();
    EXPECT_EQ(log, (std::vector<std::string>{"inner", "first", "second", "outer"}));
}

TEST_F(ControlsTest, AShownControlFreedWithItsChildWindowsIsNotRepaintedAsEachOfThemGoes)
{
    auto* outer = Place<TPanelProbe>(form, 0, 0, 200, 150);
    for (int i = 0; i < 10; ++i)
        Place<TPanelProbe>(outer, i * 20, 0, 18, 18);
    form->Show();
    Application->ProcessMessages();
    ASSERT_TRUE(IsWindowVisible(outer->Handle()));
    int repaints = 0;
    const TWndMethod old = outer->WindowProc;
    outer->WindowProc = [&](TMessage& m) {
        repaints += m.Msg == WM_ERASEBKGND || m.Msg == WM_PAINT;
        old(m);
    };
    outer->Free();
    EXPECT_EQ(repaints, 0);
}

TEST_F(ControlsTest, ARightReleaseOnOurOwnWindowAsksForItsContextMenuOnce)
{
    // The platform's default handling of a right release asks for the context menu.
    auto* panel = Place<TPanelProbe>(form, 0, 0, 100, 100);
    TMessageLog log;
    log.Hook(panel);
    SendMessageA(panel->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At(10, 10));
    SendMessageA(panel->Handle(), WM_RBUTTONUP, 0, At(10, 10));
    EXPECT_EQ(std::count(log.Seen.begin(), log.Seen.end(), static_cast<UINT>(WM_CONTEXTMENU)), 1);
    panel->WindowProc = log.Old;
}

// Bringing a window to the front, or sending it to the back, moves only a window that is not
// already there: a move costs a round of window-order messages.
TEST_F(ControlsTest, BringToFrontAndSendToBackMoveOnlyWindowsNotAlreadyThere)
{
    auto* a = new TPanelProbe(form);
    auto* b = new TPanelProbe(form);
    for (TPanelProbe* p : {a, b}) {
        p->SetParent(form);
        p->HandleNeeded();
    }
    auto controlOf = [&](HWND Wnd) { return Wnd == a->Handle() ? a : b; };
    struct TCase {
        bool ToFront;
        bool TakeFirst;  // the window that is first now, else the last one
        bool Moves;
    };
    for (const TCase c : {TCase{true, true, false}, TCase{true, false, true}, TCase{false, false, false},
                          TCase{false, true, true}}) {
        HWND first = GetWindow(form->Handle(), GW_CHILD);
        HWND last = GetWindow(first, GW_HWNDLAST);
        TPanelProbe* target = controlOf(c.TakeFirst ? first : last);
        TMessageLog log;
        log.Hook(target);
        if (c.ToFront)
            target->BringToFront();
        else
            target->SendToBack();
        target->WindowProc = log.Old;
        EXPECT_EQ(log.Saw(WM_WINDOWPOSCHANGING), c.Moves) << "to front " << c.ToFront << ", first " << c.TakeFirst;
        EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD) == target->Handle(), c.ToFront);
    }
    // A topmost window that is last still moves when sent to the back: the move also takes it
    // out of the topmost band.
    const HWND last = GetWindow(GetWindow(form->Handle(), GW_CHILD), GW_HWNDLAST);
    const HWND other = GetWindow(last, GW_HWNDPREV);
    for (HWND wnd : {last, other})
        SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_FALSE(GetWindow(last, GW_HWNDNEXT));
    ASSERT_TRUE(IsTopmostWindow(last));
    controlOf(last)->SendToBack();
    EXPECT_FALSE(IsTopmostWindow(last));
    EXPECT_FALSE(GetWindow(last, GW_HWNDNEXT));
}
