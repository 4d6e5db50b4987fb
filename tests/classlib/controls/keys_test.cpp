// Menu shortcuts reached through the key pipeline, and synchronized calls from a worker thread
// served by the application's loop.
#include <atomic>

#include "classlib/menus/Menus.h"
#include "classlib/stdctrls/StdCtrls.h"
#include "classlib/classes/Threads.h"
#include "classlib/controls/support.h"

using namespace cl;
using namespace visual_test;

namespace {

// Holds Ctrl down in this thread's key state for as long as it lives.
class TCtrlHeld {
public:
    TCtrlHeld()
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::copy(std::begin(saved_), std::end(saved_), state);
        state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
    }
    ~TCtrlHeld() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

struct KeysTest : TFormTest<300, 200> {};

class TSyncThread : public TThread {
public:
    TSyncThread() : TThread(true) {}
    std::atomic<DWORD> CalledOn{0};

protected:
    void Execute() override
    {
        Synchronize([this] { CalledOn = GetCurrentThreadId(); });
    }
};

}  // namespace

TEST_F(KeysTest, PopupMenuShortCutOfTheFocusedControlOrItsParentIsClicked)
{
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    auto* menu = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    item->SetShortCut(ShortCut('S', scCtrl));
    int clicks = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    menu->Items()->Add(item);
    form->SetPopupMenu(menu);
    TCtrlHeld ctrl;
    // The key as the loop hands it to the focused control first.
    EXPECT_NE(SendMessageA(edit->Handle(), CN_KEYDOWN, 'S', 0), 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(SendMessageA(edit->Handle(), CN_KEYDOWN, 'Q', 0), 0);
    item->SetEnabled(false);
    EXPECT_EQ(SendMessageA(edit->Handle(), CN_KEYDOWN, 'S', 0), 0);
    EXPECT_EQ(clicks, 1);
}

TEST(ApplicationLoop, SynchronizeFromAWorkerRunsInTheMainThreadWhileTheLoopWaits)
{
    Application->Handle();  // the loop's wake-up needs the application window
    TSyncThread thread;
    thread.Start();
    // The loop sleeps in WaitMessage until the worker's call wakes it.
    while (thread.CalledOn == 0)
        Application->HandleMessage();
    thread.WaitFor();
    EXPECT_EQ(thread.CalledOn, GetCurrentThreadId());
}

TEST_F(KeysTest, ControlShowsAScreenCursorTheProgramAddedToTheScreen)
{
    // A cursor of the program's own (the skins load theirs from resources) under a new id.
    struct TOwnCursor {
        HCURSOR Handle;
        TOwnCursor()
        {
            BYTE andMask[128], xorMask[128];
            std::fill(std::begin(andMask), std::end(andMask), 0x0F);
            std::fill(std::begin(xorMask), std::end(xorMask), 0x00);
            Handle = CreateCursor(GetModuleHandleA(nullptr), 0, 0, 32, 32, andMask, xorMask);
        }
        ~TOwnCursor()
        {
            Screen->SetCursors(-23, LoadCursor(nullptr, IDC_ARROW));
            DestroyCursor(Handle);
        }
    } copy;
    ASSERT_NE(copy.Handle, nullptr);
    constexpr TCursor crCopyDrag = -23;
    Screen->SetCursors(crCopyDrag, copy.Handle);
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetCursor(crCopyDrag);
    const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(SendMessageA(edit->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(edit->Handle()), overClient), 1);
    EXPECT_EQ(GetCursor(), copy.Handle);
    // The platform's own cursors by the same path; no cursor at all for crNone.
    edit->SetCursor(crHandPoint);
    SendMessageA(edit->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(edit->Handle()), overClient);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
    edit->SetCursor(crNone);
    SendMessageA(edit->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(edit->Handle()), overClient);
    EXPECT_EQ(GetCursor(), nullptr);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
}
