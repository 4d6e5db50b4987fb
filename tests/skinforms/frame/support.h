#pragma once
// A skin with a frame description built in the test, and a form wearing a frame, for the
// frame tests. The frame picture is PW by PH with one flat colour per zone, so that painted
// pixels tell which zone they came from.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "classlib/controls/Forms.h"
#include "classlib/graphics/GdiHandles.h"
#include "skin/data/SkinData.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/frame/Messages.h"
#include "support/RealInput.h"

namespace frametest {

constexpr cl::TColor TopColor = 0x0000C0;     // red
constexpr cl::TColor LeftColor = 0xC00000;    // blue
constexpr cl::TColor RightColor = 0x00C000;   // green
constexpr cl::TColor BottomColor = 0x00C0C0;  // olive
constexpr cl::TColor ClientColor = 0x808080;
constexpr cl::TColor InactiveTopColor = 0x400040;

// The frame picture: 100 by 60, a 20-pixel caption band, 5-pixel side and bottom borders.
class TFrameSkin {
public:
    static constexpr int PW = 100;
    static constexpr int PH = 60;

    // Owner: the form the skin data belongs to, as the main form's does in the program.
    explicit TFrameSkin(cl::TComponent* Owner = nullptr) : Data(new sk::TskSkinData(Owner))
    {
        Data->Picture = MakePicture(TopColor);
        Data->InactivePicture = std::make_unique<cl::TBitmap>();
        Data->Mask = std::make_unique<cl::TBitmap>();
        Data->ActivePictures.Add(std::make_unique<cl::TBitmap>());
        Data->LTPoint = {10, 20};
        Data->RTPoint = {90, 20};
        Data->LBPoint = {10, 55};
        Data->RBPoint = {90, 55};
        Data->ClRect = cl::Rect(5, 20, 95, 55);
        Data->MaskRectArea = cl::Rect(5, 5, 95, 55);
        Data->HitTestLTPoint = {10, 10};
        Data->HitTestRTPoint = {90, 10};
        Data->HitTestLBPoint = {10, 50};
        Data->HitTestRBPoint = {90, 50};
        Data->BorderWidth = 4;
        Data->Empty = false;
    }
    ~TFrameSkin()
    {
        if (Data)
            Data->Free();
    }
    TFrameSkin(const TFrameSkin&) = delete;
    TFrameSkin& operator=(const TFrameSkin&) = delete;

    static std::unique_ptr<cl::TBitmap> MakePicture(cl::TColor Top)
    {
        auto b = std::make_unique<cl::TBitmap>();
        b->SetSize(PW, PH);
        b->Fill(ClientColor);
        cl::TCanvas* c = b->Canvas();
        auto fill = [c](cl::TColor Color, int L, int T, int R, int B) {
            c->Brush()->SetColor(Color);
            c->FillRect(cl::Rect(L, T, R, B));
        };
        fill(Top, 0, 0, PW, 20);
        fill(LeftColor, 0, 20, 5, 55);
        fill(RightColor, 95, 20, PW, 55);
        fill(BottomColor, 0, 55, PW, PH);
        return b;
    }
    // A mask: the corners cut away (white), the rest black.
    void AddMask()
    {
        Data->Mask->SetSize(PW, PH);
        Data->Mask->Fill(0);
        cl::TCanvas* c = Data->Mask->Canvas();
        c->Brush()->SetColor(0xFFFFFF);
        c->FillRect(cl::Rect(0, 0, 3, 3));
        c->FillRect(cl::Rect(PW - 3, 0, PW, 3));
        c->FillRect(cl::Rect(0, PH - 3, 3, PH));
        c->FillRect(cl::Rect(PW - 3, PH - 3, PW, PH));
    }
    // Announce a change the way a skin data's load does, around Change.
    template <class F>
    void Reload(F Change)
    {
        Data->Empty = true;
        Data->BroadcastSkinMessage(sk::WM_BEFORECHANGESKINDATA);
        Change();
        Data->Empty = false;
        Data->BroadcastSkinMessage(sk::WM_CHANGESKINDATA);
        Data->BroadcastSkinMessage(sk::WM_AFTERCHANGESKINDATA);
    }
    sk::TskSkinData* Data;
};

// A shown form with a frame, freed at the end.
struct TFramedForm {
    cl::TForm* Form = new cl::TForm(nullptr);
    sk::TskSkinFrame* Frame = nullptr;
    explicit TFramedForm(sk::TskSkinData* Skin = nullptr, int W = 300, int H = 200)
    {
        Form->SetBounds(40, 40, W, H);
        Form->SetCaption("Frame");
        Frame = new sk::TskSkinFrame(Form);
        if (Skin)
            Frame->SetSkinData(Skin);
    }
    ~TFramedForm()
    {
        Form->Free();
        cl::Application->ProcessMessages();
    }
    HWND Wnd() { return Form->Handle(); }
    void Show()
    {
        Form->Show();
        cl::Application->ProcessMessages();
    }
    // What the frame paints into a memory DC the window's size.
    std::unique_ptr<cl::TBitmap> Paint()
    {
        auto b = std::make_unique<cl::TBitmap>();
        b->SetSize(Form->Width(), Form->Height());
        b->Fill(0xFF00FF);
        const LRESULT answer = SendMessageA(Wnd(), sk::WM_PAINTFRAMEINTODC,
                                            reinterpret_cast<WPARAM>(b->Canvas()->Handle()), sk::PaintIntoDCAnswer);
        EXPECT_EQ(answer, sk::PaintIntoDCAnswer);
        GdiFlush();
        return b;
    }
    // The hit-test code at a point in window coordinates.
    LRESULT HitAt(int X, int Y)
    {
        RECT r{};
        GetWindowRect(Wnd(), &r);
        return SendMessageA(Wnd(), WM_NCHITTEST, 0, MAKELPARAM(r.left + X, r.top + Y));
    }
};

inline cl::TColor Rgb(cl::TColor C) { return cl::ColorToRGB(C); }

// Frame point to screen point.
inline cl::TPoint ScreenOf(TFramedForm& F, int X, int Y)
{
    RECT r{};
    GetWindowRect(F.Wnd(), &r);
    return {static_cast<int>(r.left) + X, static_cast<int>(r.top) + Y};
}

using test_support::PointerAtScreen;

// The same at a frame point.
inline void PointerAt(TFramedForm& F, int X, int Y)
{
    const cl::TPoint p = ScreenOf(F, X, Y);
    PointerAtScreen(p.X, p.Y);
}

// The pointer out of every test window's way (the screen's bottom-right corner), so that what
// a test left under it does not hover in the next one.
inline void ParkPointer()
{
    PointerAtScreen(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    cl::Application->ProcessMessages();
}

// Waits out the double-click time when a press at (X, Y) would pair with the last real click
// into a double click: a click of one test next to the same point clicked by the test before
// it would otherwise maximize, roll up or select a word.
inline void ApartFromTheLastClick(int X, int Y)
{
    static DWORD lastTime = 0;
    static POINT last{-10000, -10000};
    const bool close = std::abs(X - last.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                      std::abs(Y - last.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
    while (close && GetTickCount() - lastTime <= GetDoubleClickTime() + 50) {
        Sleep(5);
        cl::Application->ProcessMessages();
    }
    lastTime = GetTickCount();
    last = {X, Y};
}

// A real press and release of a mouse button at a screen point, through the system's input
// queue, pumped until the release is handled. It is never the second half of a double click.
inline void ClickAtScreen(int X, int Y, cl::TMouseButton Button = cl::mbLeft)
{
    ApartFromTheLastClick(X, Y);
    PointerAtScreen(X, Y);
    const bool right = Button == cl::mbRight;
    test_support::ClickButtonAt(X, Y, right);
    const int key = right ? VK_RBUTTON : VK_LBUTTON;
    for (int i = 0; i < 200 && (GetAsyncKeyState(key) < 0 || GetQueueStatus(QS_MOUSEBUTTON)); ++i) {
        Sleep(2);
        cl::Application->ProcessMessages();
    }
    cl::Application->ProcessMessages();
}

// A real drag with the left button: a press at From, Steps moves by (DX, DY), a release. The
// platform's move and size loops run inside the window's thread from the press to the release,
// so the hand works from a thread of its own while the window's thread pumps. In a live drag
// the window follows each step: after each step, and after the release, the hand calls Look
// (on its own thread) once the window's thread has finished with that input. A child window
// follows only at the release. The pointer is parked at the end.
struct TRealDrag {
    HWND Wnd;
    POINT From;
    int DX = 0;
    int DY = 0;
    int Steps = 1;
    bool Live = true;
    // Step 1..Steps, then 0 after the release.
    std::function<void(int Step)> Look;
    // Empty when every step was taken.
    std::string Failure;

    // Runs the drag; true when every step was taken.
    bool Run()
    {
        const DWORD windowThread = GetCurrentThreadId();
        std::atomic<bool> done{false};
        std::thread hand([&] {
            Hand(windowThread);
            done = true;
        });
        while (!done) {
            cl::Application->ProcessMessages();
            Sleep(1);
        }
        hand.join();
        cl::Application->ProcessMessages();
        ParkPointer();
        return Failure.empty();
    }

private:
    template <class F>
    static bool WaitFor(F Done)
    {
        for (int i = 0; i < 500; ++i) {
            if (Done())
                return true;
            Sleep(2);
        }
        return Done();
    }
    static bool InMoveSize(DWORD Thread)
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(Thread, &info) && (info.flags & GUI_INMOVESIZE);
    }
    static void Input(POINT At, DWORD Buttons = 0)
    {
        INPUT input = test_support::MouseInputAt(At.x, At.y, Buttons);
        SendInput(1, &input, sizeof input);
    }
    // The window's thread answers a sent message only when it asks for its next message: once
    // it has answered, it is done with the input it was handling.
    void Sync() { SendMessageTimeoutA(Wnd, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr); }
    static RECT WindowRect(HWND Wnd)
    {
        RECT r{};
        GetWindowRect(Wnd, &r);
        return r;
    }
    void Hand(DWORD WindowThread)
    {
        PointerAtScreen(From.x, From.y);
        Input(From, MOUSEEVENTF_LEFTDOWN);
        if (!WaitFor([&] { return InMoveSize(WindowThread); })) {
            Input(From, MOUSEEVENTF_LEFTUP);
            Failure = "the press started no move or size loop";
            return;
        }
        for (int i = 1; i <= Steps; ++i) {
            const RECT before = WindowRect(Wnd);
            const int x = From.x + i * DX;
            const int y = From.y + i * DY;
            // Absolute: the platform accelerates relative moves.
            Input({x, y});
            POINT at{};
            WaitFor([&] { return GetCursorPos(&at) && at.x == x && at.y == y; });
            if (at.x != x || at.y != y) {
                Failure = "the pointer went to " + std::to_string(at.x) + "," + std::to_string(at.y) + ", not to " +
                          std::to_string(x) + "," + std::to_string(y);
                break;
            }
            if (!Live) {
                // Nothing to see until the release, which must not overtake this step: the
                // loop answers the second sent message only after it has read the input sent
                // before the first (sent messages go ahead of input while it waits).
                Sync();
                Sync();
                continue;
            }
            if (!WaitFor([&] {
                    const RECT now = WindowRect(Wnd);
                    return !EqualRect(&now, &before);
                })) {
                Failure = "step " + std::to_string(i) + " left the window where it was";
                break;
            }
            Sync();
            if (Look)
                Look(i);
        }
        // The release carries the last step's point: the loop ends the drag where the last
        // motion it read put it, and the display can deliver a late motion of an earlier step.
        Input({From.x + Steps * DX, From.y + Steps * DY}, MOUSEEVENTF_LEFTUP);
        if (!WaitFor([&] { return !InMoveSize(WindowThread); }))
            Failure += (Failure.empty() ? "" : "; ") + std::string("the loop outlived the release");
        Sync();
        if (Look)
            Look(0);
    }
};

// How many pixels of two pictures differ; -1 when their sizes do.
inline int Differences(cl::TBitmap& A, cl::TBitmap& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height())
        return -1;
    int n = 0;
    for (int y = 0; y < A.Height(); ++y)
        for (int x = 0; x < A.Width(); ++x)
            n += A.Pixels(x, y) != B.Pixels(x, y);
    return n;
}

// Whether the window's region holds the window point (X, Y); a window without a region holds
// every point.
inline bool InRegion(HWND Wnd, int X, int Y)
{
    cl::TOwnedRegion rgn(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(Wnd, rgn.Handle()) == ERROR)
        return true;
    return PtInRegion(rgn.Handle(), X, Y) != FALSE;
}

inline cl::TColor ScreenPixel(cl::TPoint P)
{
    cl::TWindowDC screen(nullptr);
    return static_cast<cl::TColor>(GetPixel(screen.Handle(), P.X, P.Y));
}

// The screen shows Expected at P within a bounded wait (the platform draws on its own time).
inline bool ScreenShows(cl::TPoint P, cl::TColor Expected)
{
    for (int i = 0; i < 500; ++i) {
        cl::Application->ProcessMessages();
        if (ScreenPixel(P) == Expected)
            return true;
        Sleep(10);
    }
    ADD_FAILURE() << std::hex << "the screen shows " << ScreenPixel(P) << " at " << std::dec << P.X << "," << P.Y;
    return false;
}

}  // namespace frametest
