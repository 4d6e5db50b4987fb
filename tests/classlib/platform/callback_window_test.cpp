// Hidden callback windows: messages reach the method, its exceptions reach the application,
// and a window may go away from inside its own method.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "classlib/platform/CallbackWindow.h"
#include "classlib/controls/support.h"

namespace {

using namespace cl;

BOOL CALLBACK FindTopLevel(HWND Wnd, LPARAM Param)
{
    auto* sought = reinterpret_cast<HWND*>(Param);
    if (Wnd == *sought)
        *sought = nullptr;
    return TRUE;
}

TEST(CallbackWindow, MessagesReachTheMethodAndItsResultGoesBack)
{
    UINT seen = 0;
    HWND wnd = nullptr;
    wnd = AllocateHWnd([&](TMessage& Message) {
        if (Message.Msg == WM_APP + 1) {
            seen = Message.Msg;
            Message.Result = static_cast<LRESULT>(Message.WParam + Message.LParam);
        } else {
            Message.Result = DefWindowProcA(wnd, Message.Msg, Message.WParam, Message.LParam);
        }
    });
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(SendMessageA(wnd, WM_APP + 1, 2, 3), 5);
    EXPECT_EQ(seen, WM_APP + 1u);
    // Message-only: no top-level window of the desktop.
    HWND sought = wnd;
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&sought));
    EXPECT_EQ(sought, wnd);
    DeallocateHWnd(wnd);
    EXPECT_FALSE(IsWindow(wnd));
    DeallocateHWnd(nullptr);
}

TEST(CallbackWindow, AnExceptionOfTheMethodReachesTheApplication)
{
    visual_test::TCaughtExceptions caught;
    HWND wnd = AllocateHWnd([](TMessage& Message) {
        if (Message.Msg == WM_APP)
            throw std::runtime_error("from the method");
    });
    SendMessageA(wnd, WM_APP, 0, 0);
    ASSERT_EQ(caught.Messages.size(), 1u);
    EXPECT_EQ(caught.Messages[0], "from the method");
    DeallocateHWnd(wnd);
}

TEST(CallbackWindow, AWindowMayGoFromInsideItsMethod)
{
    HWND wnd = nullptr;
    int after = 0;
    struct TCounted {
        int* Count;
        ~TCounted() { ++*Count; }
    };
    int freed = 0;
    auto counted = std::make_shared<TCounted>();
    counted->Count = &freed;
    wnd = AllocateHWnd([&, counted](TMessage& Message) {
        if (Message.Msg == WM_APP) {
            DeallocateHWnd(wnd);
            // The method's state is still there after its window went.
            after = *counted->Count == 0 ? 1 : -1;
        }
    });
    counted.reset();
    SendMessageA(wnd, WM_APP, 0, 0);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(after, 1);
    EXPECT_EQ(freed, 1);
}

TEST(CallbackWindow, ACaptureWindowIsAHiddenTopLevelWindow)
{
    HWND wnd = AllocateHWnd([](TMessage&) {}, false);
    HWND sought = wnd;
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&sought));
    EXPECT_EQ(sought, nullptr);
    EXPECT_FALSE(IsWindowVisible(wnd));
    DeallocateHWnd(wnd);
}

}  // namespace
