// Control hints: timing through a test clock, what CM_HINTSHOW and OnShowHint may change, and
// which window class shows them.
#include "classlib/controls/support.h"

using namespace cl;
using namespace visual_test;

namespace {

class THintTarget : public TPanelProbe {
public:
    using TPanelProbe::TPanelProbe;
    int HintShows = 0;
    bool Refuse = false;
    void Dispatch(TMessage& Message) override
    {
        if (Message.Msg == CM_HINTSHOW) {
            ++HintShows;
            auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
            EXPECT_EQ(info->HintControl, this);
            Message.Result = Refuse ? 1 : 0;
            return;
        }
        TPanelProbe::Dispatch(Message);
    }
};

class TOwnHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
    static int Made;
};
int TOwnHintWindow::Made = 0;

struct HintsTest : ::testing::Test {
    TCaughtExceptions caught;
    TClockScope clock;
    TForm* form = nullptr;
    THintTarget* target = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(200, 200, 200, 100);
        target = new THintTarget(form);
        target->SetParent(form);
        target->SetBounds(10, 10, 80, 40);
        target->SetHint("Play|Plays the station");
        target->SetShowHint(true);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override
    {
        Application->CancelHint();
        form->Free();
        Application->ProcessMessages();
        EXPECT_TRUE(caught.Messages.empty()) << caught.Messages.front();
    }
    void MoveOver(TControl* control, int x, int y)
    {
        const TPoint p = control->ClientToScreen({x, y});
        SetCursorPos(p.X, p.Y);
        auto* win = dynamic_cast<TWinControl*>(control);
        SendMessageA(win->Handle(), WM_MOUSEMOVE, 0, At(x, y));
    }
    bool HintShowing() const
    {
        THintWindow* w = Application->HintWindow();
        return w && w->HandleAllocated() && IsWindowVisible(w->Handle());
    }
};

}  // namespace

TEST_F(HintsTest, ShowsAfterThePauseAndHidesAfterTheHidePause)
{
    MoveOver(target, 20, 20);
    clock.clock.Advance(Application->HintPause() - 1);
    EXPECT_FALSE(HintShowing());
    clock.clock.Advance(1);
    ASSERT_TRUE(HintShowing());
    EXPECT_EQ(Application->HintWindow()->Caption(), "Play") << "only the short hint";
    EXPECT_EQ(target->HintShows, 1);
    const TPoint cursor = target->ClientToScreen({20, 20});
    EXPECT_GT(Application->HintWindow()->Top(), cursor.Y) << "below the mouse";

    MoveOver(target, 25, 22);
    clock.clock.Advance(Application->HintHidePause() - 1);
    EXPECT_TRUE(HintShowing()) << "moving inside the control keeps the hint";
    clock.clock.Advance(1);
    EXPECT_FALSE(HintShowing());
    clock.clock.Advance(5000);
    EXPECT_EQ(target->HintShows, 1) << "not again until the mouse left";
}

TEST_F(HintsTest, ControlOrApplicationMayChangeOrRefuseTheHint)
{
    Application->OnShowHint = [](AnsiString& text, bool&, THintInfo&) { text = "Changed"; };
    MoveOver(target, 20, 20);
    clock.clock.Advance(Application->HintPause());
    ASSERT_TRUE(HintShowing());
    EXPECT_EQ(Application->HintWindow()->Caption(), "Changed");
    Application->OnShowHint = nullptr;
    Application->CancelHint();

    target->Refuse = true;
    MoveOver(target, 21, 20);
    clock.clock.Advance(Application->HintPause());
    EXPECT_FALSE(HintShowing());
}

TEST_F(HintsTest, PressingTheMouseCancelsAndAnotherWindowClassIsUsed)
{
    MoveOver(target, 20, 20);
    clock.clock.Advance(Application->HintPause());
    ASSERT_TRUE(HintShowing());
    PostMessageA(target->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));
    PostMessageA(target->Handle(), WM_LBUTTONUP, 0, At(20, 20));
    Application->ProcessMessages();
    EXPECT_FALSE(HintShowing());

    const THintWindowClass saved = HintWindowClass;
    HintWindowClass = [](TComponent* owner) {
        ++TOwnHintWindow::Made;
        return new TOwnHintWindow(owner);
    };
    Application->SetShowHint(false);
    Application->SetShowHint(true);
    MoveOver(target, 30, 20);
    clock.clock.Advance(Application->HintPause());
    EXPECT_TRUE(HintShowing());
    EXPECT_EQ(TOwnHintWindow::Made, 1);
    EXPECT_NE(dynamic_cast<TOwnHintWindow*>(Application->HintWindow()), nullptr);
    HintWindowClass = saved;
    Application->SetShowHint(false);
    Application->SetShowHint(true);
}

TEST_F(HintsTest, ControlFreedWhileItsHintWaits)
{
    MoveOver(target, 20, 20);
    target->Free();
    target = nullptr;
    clock.clock.Advance(Application->HintPause());
    EXPECT_FALSE(HintShowing());
    EXPECT_EQ(Application->HintControl(), nullptr);
}
