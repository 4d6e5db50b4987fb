// Forms, the application and the screen with real windows: keys, modal forms, minimize and
// restore, closing, the screen's form list, timers.
#include "classlib/controls/support.h"

#include <atomic>
#include <thread>

#include "classlib/controls/ExtCtrls.h"
#include "classlib/classes/Threads.h"

using namespace cl;
using namespace visual_test;

namespace {

struct FormsTest : ::testing::Test {
    TCaughtExceptions caught;
    std::vector<TForm*> forms;
    TForm* NewForm(int x = 100, int y = 100)
    {
        auto* f = new TForm(nullptr);
        f->SetBounds(x, y, 300, 200);
        forms.push_back(f);
        return f;
    }
    void TearDown() override
    {
        for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
            const auto alive = screenForms();
            if (std::find(alive.begin(), alive.end(), *it) != alive.end())
                (*it)->Free();
        }
        Application->ProcessMessages();
        EXPECT_TRUE(caught.Messages.empty()) << caught.Messages.front();
    }
    static std::vector<TCustomForm*> screenForms()
    {
        std::vector<TCustomForm*> list;
        for (int i = 0; i < Screen->FormCount(); ++i)
            list.push_back(Screen->Forms(i));
        return list;
    }
    // Sends a key the way the message loop receives it.
    static void PressKey(HWND Wnd, WPARAM Key)
    {
        PostMessageA(Wnd, WM_KEYDOWN, Key, 1);
        Application->ProcessMessages();
    }
};

}  // namespace

TEST_F(FormsTest, ScreenListsFormsInCreationOrderIncludingCodeBuiltAndParented)
{
    const int before = Screen->FormCount();
    TForm* a = NewForm();
    TForm* b = NewForm();
    TForm* inner = NewForm();
    inner->SetParent(a);
    ASSERT_EQ(Screen->FormCount(), before + 3);
    EXPECT_EQ(Screen->Forms(before), a);
    EXPECT_EQ(Screen->Forms(before + 1), b);
    EXPECT_EQ(Screen->Forms(before + 2), inner);
    b->Free();
    EXPECT_EQ(Screen->FormCount(), before + 2);
    EXPECT_EQ(Screen->Forms(before + 1), inner);
    EXPECT_THROW(Screen->Forms(-1), EListError);
}

TEST_F(FormsTest, FormParentedInsideAnotherIsAChildWindow)
{
    TForm* outer = NewForm();
    TForm* inner = NewForm();
    inner->SetBorderStyle(bsNone);
    inner->SetParent(outer);
    inner->SetBounds(5, 5, 50, 50);
    inner->Show();
    EXPECT_EQ(GetParent(inner->Handle()), outer->Handle());
    EXPECT_TRUE(GetWindowLongA(inner->Handle(), GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(GetParentForm(inner), inner);
}

TEST_F(FormsTest, TopLevelFormsAreOwnedByTheApplicationWindow)
{
    TForm* f = NewForm();
    f->HandleNeeded();
    EXPECT_EQ(GetWindow(f->Handle(), GW_OWNER), Application->Handle());
}

TEST_F(FormsTest, StayOnTopSwitchesAtRunTimeWithoutNewWindow)
{
    TForm* f = NewForm();
    f->Show();
    HWND wnd = f->Handle();
    f->SetFormStyle(fsStayOnTop);
    EXPECT_TRUE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    f->SetFormStyle(fsNormal);
    EXPECT_FALSE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(f->Handle(), wnd);
}

TEST_F(FormsTest, ClientSizeAndScreenCentre)
{
    TForm* f = NewForm();
    f->SetClientWidth(200);
    f->SetClientHeight(100);
    f->SetPosition(poScreenCenter);
    f->Show();
    EXPECT_EQ(f->ClientWidth(), 200);
    EXPECT_EQ(f->ClientHeight(), 100);
    EXPECT_NEAR(f->Left() + f->Width() / 2, Screen->Width() / 2, 1);

    Screen->SetWorkAreaQuery([] { return Rect(0, 0, 640, 400); });
    EXPECT_EQ(Screen->WorkAreaHeight(), 400);
    Screen->SetWorkAreaQuery(nullptr);
    EXPECT_GT(Screen->WorkAreaHeight(), 400);
}

TEST_F(FormsTest, KeysGoToDefaultAndCancelButtonsAndTabMovesFocus)
{
    TForm* f = NewForm();
    auto* edit = new TPanelProbe(f);
    edit->SetParent(f);
    edit->SetBounds(0, 0, 50, 20);
    auto* ok = new TTestButton(f);
    ok->SetParent(f);
    ok->SetBounds(0, 30, 50, 20);
    ok->Default = true;
    auto* cancel = new TTestButton(f);
    cancel->SetParent(f);
    cancel->SetBounds(0, 60, 50, 20);
    cancel->Cancel = true;
    f->SetActiveControl(edit);
    f->Show();
    f->SetFocus();
    Application->ProcessMessages();
    ASSERT_TRUE(edit->Focused());
    EXPECT_EQ(Screen->ActiveControl(), edit);

    PressKey(edit->Handle(), VK_RETURN);
    EXPECT_EQ(ok->Clicks, 1);
    EXPECT_EQ(edit->KeyDowns, 0) << "taken by the dialog key, never a WM_KEYDOWN";
    PressKey(edit->Handle(), VK_ESCAPE);
    EXPECT_EQ(cancel->Clicks, 1);

    // A control that wants every key gets them itself.
    edit->DlgCode = DLGC_WANTALLKEYS;
    PressKey(edit->Handle(), VK_RETURN);
    EXPECT_EQ(ok->Clicks, 1);
    EXPECT_EQ(edit->KeyDowns, 1);

    PressKey(edit->Handle(), VK_TAB);
    EXPECT_TRUE(ok->Focused());
    EXPECT_EQ(f->ActiveControl(), ok);
    PressKey(ok->Handle(), VK_TAB);
    EXPECT_TRUE(cancel->Focused());

    // Shortcuts come first.
    int shortcuts = 0;
    f->OnShortCut = [&](TMessage& msg, bool& handled) {
        if (msg.WParam == VK_F5) {
            ++shortcuts;
            handled = true;
        }
    };
    PressKey(cancel->Handle(), VK_F5);
    EXPECT_EQ(shortcuts, 1);
}

TEST_F(FormsTest, ModalFormReturnsItsResultAndDisablesOthers)
{
    TForm* owner = NewForm();
    owner->Show();
    TForm* dialog = NewForm(150, 150);
    auto* ok = new TTestButton(dialog);
    ok->SetParent(dialog);
    ok->SetBounds(0, 0, 50, 20);
    ok->Result = mrOk;
    bool ownerDisabledWhileModal = false;
    dialog->OnShow = [&](TObject*) {
        ownerDisabledWhileModal = !IsWindowEnabled(owner->Handle());
        PostMessageA(ok->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
        PostMessageA(ok->Handle(), WM_LBUTTONUP, 0, At(2, 2));
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(ownerDisabledWhileModal);
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_THROW({ dialog->Show(); dialog->ShowModal(); }, EInvalidOperation);
    dialog->Hide();

    // Closing a modal form gives mrCancel; OnCloseQuery may refuse first.
    int queries = 0;
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };
    dialog->OnShow = [&](TObject*) {
        PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0);
        PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(queries, 2);
}

TEST_F(FormsTest, FormClosedAndFreedFromItsOwnCommand)
{
    TForm* f = NewForm();
    auto* button = new TTestButton(f);
    button->SetParent(f);
    button->SetBounds(0, 0, 50, 20);
    f->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    button->OnClick = [f](TObject*) { f->Close(); };
    f->Show();
    const int before = Screen->FormCount();
    ClickAt(button->Handle(), 2, 2);
    EXPECT_EQ(Screen->FormCount(), before) << "freed later, not inside the click";
    Application->ProcessMessages();
    EXPECT_EQ(Screen->FormCount(), before - 1);
}

TEST_F(FormsTest, MinimizeAndRestoreThroughTheApplicationWindow)
{
    TForm* f = NewForm();
    f->Show();
    Application->ProcessMessages();
    Application->Minimize();
    EXPECT_TRUE(IsIconic(Application->Handle()));
    EXPECT_FALSE(IsWindowVisible(f->Handle()));
    EXPECT_TRUE(f->Visible());
    Application->Restore();
    EXPECT_FALSE(IsIconic(Application->Handle()));
    EXPECT_TRUE(IsWindowVisible(f->Handle()));
    EXPECT_FALSE(IsIconic(f->Handle()));

    // Showing a form while the application is minimized brings the application back.
    Application->Minimize();
    f->Hide();
    f->Show();
    EXPECT_FALSE(Application->Minimized());
    EXPECT_TRUE(IsWindowVisible(f->Handle()));

    // An iconic form that is shown again is restored.
    f->SetWindowState(wsMinimized);
    EXPECT_TRUE(IsIconic(f->Handle()));
    f->Hide();
    f->SetWindowState(wsNormal);
    f->Show();
    EXPECT_FALSE(IsIconic(f->Handle()));
}

TEST_F(FormsTest, RunEndsWhenTheMainFormCloses)
{
    // A private application, so the process-wide one keeps running for the other tests.
    TApplication app(nullptr);
    TApplication* saved = Application;
    Application = &app;
    TForm* main = nullptr;
    app.CreateForm(main);
    EXPECT_EQ(app.MainForm(), main);
    main->OnShow = [&](TObject*) { PostMessageA(main->Handle(), WM_CLOSE, 0, 0); };
    app.Run();
    EXPECT_TRUE(app.Terminated());
    EXPECT_TRUE(IsWindowVisible(app.Handle())) << "the taskbar button's window shows with the main form";
    main->Free();
    EXPECT_EQ(app.MainForm(), nullptr);
    Application = saved;
}

TEST_F(FormsTest, TimerRestartsWhenSwitchedOffAndOn)
{
    TClockScope scope;
    TForm* f = NewForm();
    auto* timer = new TTimer(f);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) { ++ticks; };
    scope.clock.Advance(999);
    EXPECT_EQ(ticks, 0);
    scope.clock.Advance(1);
    EXPECT_EQ(ticks, 1);

    scope.clock.Advance(600);
    timer->SetEnabled(false);
    timer->SetEnabled(true);
    scope.clock.Advance(600);
    EXPECT_EQ(ticks, 1) << "the interval starts again";
    scope.clock.Advance(400);
    EXPECT_EQ(ticks, 2);

    auto* off = new TTimer(f);
    off->SetEnabled(false);
    int offTicks = 0;
    off->OnTimer = [&](TObject*) { ++offTicks; };
    scope.clock.Advance(3000);
    EXPECT_EQ(offTicks, 0);

    // A timer that throws hands the error on and keeps running.
    timer->OnTimer = [](TObject*) { throw Exception("timer failed"); };
    scope.clock.Advance(1000);
    ASSERT_EQ(caught.Messages.size(), 1u);
    caught.Messages.clear();
    // Freed from its own event.
    timer->OnTimer = [&](TObject* sender) { static_cast<TTimer*>(sender)->Free(); };
    scope.clock.Advance(1000);
    EXPECT_EQ(f->ComponentCount(), 1);
}

TEST_F(FormsTest, PlatformTimerFiresThroughTheMessageLoop)
{
    TForm* f = NewForm();
    auto* timer = new TTimer(f);
    timer->SetInterval(10);
    int ticks = 0;
    timer->OnTimer = [&](TObject* sender) {
        ++ticks;
        static_cast<TTimer*>(sender)->SetEnabled(false);
    };
    for (int i = 0; i < 200 && ticks == 0; ++i) {
        Sleep(5);
        Application->ProcessMessages();
    }
    EXPECT_EQ(ticks, 1);
}

TEST_F(FormsTest, HandleExceptionFallsBackToOnExceptionAndKeepsEAbortSilent)
{
    ExceptionHooks().OnException = nullptr;  // the logger declines: the application's own way
    std::vector<std::string> shown;
    Application->OnException = [&](TObject*, const std::exception& e) { shown.push_back(e.what()); };
    try {
        throw EAbort("Operation aborted");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    try {
        throw EConvertError("bad");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    Application->OnException = nullptr;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "bad");
}

TEST_F(FormsTest, KeyPreviewLetsTheFormTakeKeysFirst)
{
    TForm* f = NewForm();
    auto* edit = new TPanelProbe(f);
    edit->SetParent(f);
    edit->DlgCode = DLGC_WANTALLKEYS;
    f->SetActiveControl(edit);
    f->Show();
    f->SetFocus();
    Application->ProcessMessages();
    int formKeys = 0;
    f->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        ++formKeys;
        if (key == 'A')
            key = 0;
    };
    PressKey(edit->Handle(), 'A');
    EXPECT_EQ(formKeys, 0) << "without KeyPreview the form does not see it";
    EXPECT_EQ(edit->KeyDowns, 1);
    f->SetKeyPreview(true);
    PressKey(edit->Handle(), 'A');
    PressKey(edit->Handle(), 'B');
    EXPECT_EQ(formKeys, 2);
    EXPECT_EQ(edit->KeyDowns, 2) << "the form took A";
}

TEST_F(FormsTest, SynchronizedCallsRunInTheMessageLoop)
{
    Application->Handle();
    std::atomic<DWORD> ranOn{0};
    std::thread worker([&] { TThread::Synchronize(nullptr, [&] { ranOn = GetCurrentThreadId(); }); });
    for (int i = 0; i < 500 && ranOn == 0; ++i)
        Application->HandleMessage();
    worker.join();
    EXPECT_EQ(ranOn, GetCurrentThreadId());
}

TEST_F(FormsTest, ControlsOwnedByOneFormAndParentedOnAnother)
{
    TForm* host = NewForm();
    TForm* owner = NewForm();
    auto* panel = new TPanelProbe(owner);
    panel->SetParent(host);
    auto* probe = new TProbe(owner);
    probe->SetParent(panel);
    host->Show();
    Application->ProcessMessages();
    ASSERT_TRUE(panel->HandleAllocated());

    // The owner goes: its controls leave the form they sat on.
    owner->Free();
    EXPECT_EQ(host->ControlCount(), 0);
    host->Repaint();

    // The parent goes first: a control it does not own stays with its owner, without window.
    TForm* owner2 = NewForm();
    auto* kept = new TPanelProbe(owner2);
    TForm* host2 = NewForm();
    kept->SetParent(host2);
    kept->HandleNeeded();
    host2->Free();
    EXPECT_EQ(kept->Parent(), nullptr);
    EXPECT_FALSE(kept->HandleAllocated());
    EXPECT_EQ(owner2->ComponentCount(), 1);
    kept->SetParent(owner2);
    EXPECT_TRUE(kept->HandleAllocated() || !owner2->HandleAllocated());
}

TEST_F(FormsTest, AcceleratorsAnswerCharactersTheFocusedControlDoesNotWant)
{
    class TAccelButton : public TTestButton {
    public:
        using TTestButton::TTestButton;
        void Dispatch(TMessage& Message) override
        {
            if (Message.Msg == CM_DIALOGCHAR && (Message.WParam == 'o' || Message.WParam == 'O')) {
                ++Accels;
                Message.Result = 1;
                return;
            }
            TTestButton::Dispatch(Message);
        }
        int Accels = 0;
    };
    TForm* f = NewForm();
    auto* edit = new TPanelProbe(f);
    edit->SetParent(f);
    int chars = 0;
    edit->OnKeyPress = [&](TObject*, char&) { ++chars; };
    auto* ok = new TAccelButton(f);
    ok->SetParent(f);
    ok->SetTop(30);
    f->SetActiveControl(edit);
    f->Show();
    f->SetFocus();
    Application->ProcessMessages();

    PostMessageA(edit->Handle(), WM_CHAR, 'o', 1);
    Application->ProcessMessages();
    EXPECT_EQ(ok->Accels, 1);
    EXPECT_EQ(chars, 0);
    PostMessageA(edit->Handle(), WM_SYSCHAR, 'o', 0x20000001);
    Application->ProcessMessages();
    EXPECT_EQ(ok->Accels, 2) << "Alt and the letter";

    edit->DlgCode = DLGC_WANTCHARS;
    PostMessageA(edit->Handle(), WM_CHAR, 'o', 1);
    Application->ProcessMessages();
    EXPECT_EQ(ok->Accels, 2);
    EXPECT_EQ(chars, 1);
}

namespace {

// Windows asked to move into or out of the topmost band.
std::vector<HWND> reorderedWindows;

LRESULT CALLBACK RecordReorders(int Code, WPARAM WParam, LPARAM LParam)
{
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(LParam);
    if (Code == HC_ACTION && msg->message == WM_WINDOWPOSCHANGING) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(msg->lParam);
        const bool band = pos->hwndInsertAfter == HWND_TOPMOST || pos->hwndInsertAfter == HWND_NOTOPMOST;
        if (band && !(pos->flags & SWP_NOZORDER))
            reorderedWindows.push_back(msg->hwnd);
    }
    return CallNextHookEx(nullptr, Code, WParam, LParam);
}

}  // namespace

TEST_F(FormsTest, ShowingAFormThatIsNotOnTopLeavesTheWindowOrderAlone)
{
    TForm* f = NewForm();
    f->SetFormStyle(fsStayOnTop);
    f->HandleNeeded();
    f->SetFormStyle(fsNormal);
    HWND wnd = f->Handle();
    reorderedWindows.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordReorders, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    f->Show();
    f->Hide();
    f->Show();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(std::count(reorderedWindows.begin(), reorderedWindows.end(), wnd), 0);
    EXPECT_FALSE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // A stay-on-top form still takes its place above the others each time it shows, and one
    // already first of all stays where it is.
    TForm* top = NewForm();
    top->SetFormStyle(fsStayOnTop);
    top->Show();
    EXPECT_TRUE(GetWindowLongA(top->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_FALSE(GetWindow(top->Handle(), GW_HWNDPREV));
    top->Hide();
    reorderedWindows.clear();
    hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordReorders, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    top->Show();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(std::count(reorderedWindows.begin(), reorderedWindows.end(), top->Handle()), 0);
    EXPECT_FALSE(GetWindow(top->Handle(), GW_HWNDPREV));
}

// A new window is told of an icon only when there is one: telling it of none makes the system
// look its default one up, which costs every start.
TEST_F(FormsTest, ANewWindowIsToldOfAnIconOnlyWhenThereIsOne)
{
    const bool applicationIcon = Application->Icon()->Handle() != nullptr;
    for (const bool ownIcon : {false, true}) {
        TForm* f = NewForm();
        if (ownIcon)
            f->Icon()->SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
        int told = 0;
        const TWndMethod old = f->WindowProc;
        f->WindowProc = [&told, old](TMessage& m) {
            told += m.Msg == WM_SETICON;
            old(m);
        };
        f->HandleNeeded();
        EXPECT_EQ(told > 0, ownIcon || applicationIcon) << "own icon " << ownIcon;
        EXPECT_EQ(SendMessageA(f->Handle(), WM_GETICON, ICON_BIG, 0) != 0, ownIcon || applicationIcon);
        // A window whose icon goes is told, whatever it then shows.
        told = 0;
        f->Icon()->SetHandle(nullptr);
        EXPECT_EQ(told > 0, ownIcon) << "own icon " << ownIcon << " taken away";
        EXPECT_EQ(SendMessageA(f->Handle(), WM_GETICON, ICON_BIG, 0) != 0, applicationIcon);
        f->WindowProc = old;
    }
}

// Among the forms, a form comes to the front unless it already stands first of its band: under
// the topmost ones for an ordinary form, above everything for a topmost one.
TEST_F(FormsTest, AFormComesToTheFrontUnlessFirstOfItsBand)
{
    TForm* a = NewForm(100, 100);
    TForm* b = NewForm(140, 140);
    TForm* top = NewForm(180, 180);
    top->SetFormStyle(fsStayOnTop);
    for (TForm* f : {a, b, top})
        f->Show();
    auto moves = [](TForm* f) {
        int reorders = 0;
        const TWndMethod old = f->WindowProc;
        f->WindowProc = [&reorders, old](TMessage& m) {
            if (m.Msg == WM_WINDOWPOSCHANGING)
                reorders += !(reinterpret_cast<const WINDOWPOS*>(m.LParam)->flags & SWP_NOZORDER);
            old(m);
        };
        f->BringToFront();
        f->WindowProc = old;
        return reorders > 0;
    };
    EXPECT_TRUE(moves(a)) << "under another ordinary form";
    EXPECT_TRUE(GetWindowLongA(GetWindow(a->Handle(), GW_HWNDPREV), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(moves(a)) << "first of the ordinary forms";
    EXPECT_FALSE(moves(top)) << "first of all";
}
