// A directory request that waits for its reply, and a long station list being read: the
// windows are painted meanwhile, input and posted messages wait for the end, and the busy
// cursor shows.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "radio/player/StreamTestServer.h"
#include "classlib/controls/Forms.h"
#include "classlib/graphics/GdiHandles.h"
#include "radio/directory/PaintingWait.h"
#include "radio/directory/RadioChannelManager.h"
#include "radio/directory/RadioUtils.h"
#include "radio/directory/TestSupport.h"

namespace {

const COLORREF kBefore = RGB(200, 0, 0);
const COLORREF kDuring = RGB(0, 160, 0);
// Generous bounds of the polls below: reached only when the behaviour under test is missing.
const auto kPollBound = std::chrono::seconds(10);

template <class Predicate>
bool PollUntil(Predicate done)
{
    const auto end = std::chrono::steady_clock::now() + kPollBound;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        Sleep(5);
    }
    return true;
}

// A plain window filled with one colour; it counts the other messages that reach it.
struct TWatchedWindow {
    static inline std::atomic<COLORREF> Fill{kBefore};
    static inline std::atomic<int> Inputs{0};
    static inline std::atomic<int> Posted{0};
    static inline std::atomic<HCURSOR> CursorWhilePainting{nullptr};

    HWND Handle = nullptr;

    TWatchedWindow()
    {
        Fill = kBefore;
        Inputs = 0;
        Posted = 0;
        CursorWhilePainting = nullptr;
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TrebanixWatchedWindow";
        RegisterClassA(&windowClass);
        Handle = CreateWindowExA(WS_EX_TOPMOST, "TrebanixWatchedWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 120, 90,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        UpdateWindow(Handle);
    }
    ~TWatchedWindow() { DestroyWindow(Handle); }

    // What the screen shows of the window, read as any other thread would.
    COLORREF ShownColour() const
    {
        cl::TWindowDC dc(Handle);
        return GetPixel(dc.Handle(), 60, 45);
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_PAINT: {
            {
                cl::TPaintDC dc(window);
                cl::TOwnedBrush brush(CreateSolidBrush(Fill));
                RECT client;
                GetClientRect(window, &client);
                FillRect(dc.Handle(), &client, brush.Handle());
            }
            if (Fill == kDuring)
                CursorWhilePainting = GetCursor();
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_KEYDOWN:
            ++Inputs;
            return 0;
        case WM_APP:
            ++Posted;
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
        }
    }
};

void DispatchQueued()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

class PaintingWaitTest : public ::testing::Test {
protected:
    void SetUp() override { savedTimeout_ = TRadioUtils::RequestTimeoutMs; }
    void TearDown() override { TRadioUtils::RequestTimeoutMs = savedTimeout_; }
    unsigned savedTimeout_ = 0;
};

}  // namespace

TEST_F(PaintingWaitTest, AWindowInvalidatedWhileARequestWaitsIsPaintedAndItsInputWaitsForTheReply)
{
    TRadioUtils::RequestTimeoutMs = 30000;
    player_test::TStreamTestServer server;
    TWatchedWindow window;
    DispatchQueued();
    ASSERT_TRUE(PollUntil([&] { return window.ShownColour() == kBefore; }));

    // While the request is held at the server: a new colour to show, a click, a key and a
    // posted message. The reply comes once the screen shows the new colour, or at the poll's
    // bound when nothing paints.
    std::atomic<bool> paintedBeforeReply{false};
    std::thread meanwhile([&] {
        if (PollUntil([&] { return server.HeldArrived(); })) {
            TWatchedWindow::Fill = kDuring;
            InvalidateRect(window.Handle, nullptr, FALSE);
            PostMessageA(window.Handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
            PostMessageA(window.Handle, WM_KEYDOWN, VK_RETURN, 1);
            PostMessageA(window.Handle, WM_APP, 0, 0);
            paintedBeforeReply = PollUntil([&] { return window.ShownColour() == kDuring; });
        }
        server.ReleaseHeld();
    });
    const THttpReply reply = TRadioUtils::HttpGet(server.Url("/held"));
    const int inputsDuringWait = TWatchedWindow::Inputs;
    const int postedDuringWait = TWatchedWindow::Posted;
    const cl::TCursor cursorAfter = cl::Screen->Cursor();
    meanwhile.join();

    EXPECT_EQ(reply.Status, 200);
    EXPECT_EQ(reply.Text, L"1");
    EXPECT_TRUE(paintedBeforeReply);
    EXPECT_EQ(TWatchedWindow::CursorWhilePainting.load(), LoadCursor(nullptr, IDC_WAIT));
    EXPECT_EQ(cursorAfter, cl::crDefault);
    EXPECT_EQ(inputsDuringWait, 0);
    EXPECT_EQ(postedDuringWait, 0);
    // Nothing was lost: the queued messages run once the request is over.
    DispatchQueued();
    EXPECT_EQ(TWatchedWindow::Inputs, 2);
    EXPECT_EQ(TWatchedWindow::Posted, 1);
}

TEST_F(PaintingWaitTest, WhatTheWorkRaisesReachesTheCallerAndTheCursorComesBack)
{
    try {
        radio::RunWhilePainting([] { throw EDirectoryServiceError("no answer"); });
        ADD_FAILURE() << "no error";
    } catch (const EDirectoryServiceError& e) {
        EXPECT_EQ(e.Message(), "no answer");
    }
    EXPECT_EQ(cl::Screen->Cursor(), cl::crDefault);

    int result = 0;
    radio::RunWhilePainting([&] { result = 42; });
    EXPECT_EQ(result, 42);
}

TEST_F(PaintingWaitTest, AWindowIsPaintedWithTheBusyCursorWhileALongStationListIsRead)
{
    cl::TComApartment apartment;
    TTempFolder folder;
    TRadioChannelManager directory(folder.Path());
    std::string stations;
    for (int i = 0; i < 10000; ++i)
        stations += cl::Format("<Station Name='Station %d' Category='Category %d'/>", i, i % 20);
    TWatchedWindow window;
    DispatchQueued();

    // Reading the list takes far longer than the look at the queue that paints the window.
    TWatchedWindow::Fill = kDuring;
    InvalidateRect(window.Handle, nullptr, FALSE);
    directory.LoadFromXmlString("<Stations>" + stations + "</Stations>");

    EXPECT_EQ(TWatchedWindow::CursorWhilePainting.load(), LoadCursor(nullptr, IDC_WAIT));
    EXPECT_EQ(directory.CategoryCount(), 20);
    EXPECT_EQ(cl::Screen->Cursor(), cl::crDefault);
}
