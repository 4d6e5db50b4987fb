#pragma once
// Small controls and helpers shared by the window tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classlib/system/ExceptionHooks.h"
#include "classlib/controls/ExtCtrls.h"
#include "classlib/controls/Forms.h"

namespace visual_test {

using namespace cl;

// Records what reaches Application.HandleException through the logger's hook.
class TCaughtExceptions {
public:
    TCaughtExceptions()
    {
        previous_ = ExceptionHooks().OnException;
        Current() = this;
        ExceptionHooks().OnException = [](std::exception_ptr error, TObject* sender, TCatchPoint) {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                Current()->Messages.push_back(e.what());
            } catch (...) {
                Current()->Messages.push_back("?");
            }
            Current()->Senders.push_back(sender);
            return true;
        };
    }
    ~TCaughtExceptions()
    {
        ExceptionHooks().OnException = previous_;
        Current() = nullptr;
    }
    std::vector<std::string> Messages;
    std::vector<TObject*> Senders;

private:
    static TCaughtExceptions*& Current()
    {
        static TCaughtExceptions* current = nullptr;
        return current;
    }
    bool (*previous_)(std::exception_ptr, TObject*, TCatchPoint) = nullptr;
};

// A windowless control that counts what happens to it.
class TProbe : public TGraphicControl {
public:
    explicit TProbe(TComponent* AOwner, TColor Fill = clBlue) : TGraphicControl(AOwner), fill_(Fill)
    {
        SetControlStyle({csCaptureMouse, csClickEvents});
    }
    int Enters = 0;
    int Leaves = 0;
    int Clicks = 0;
    int DblClicks = 0;
    int Moves = 0;
    TPoint LastMove;
    void Dispatch(TMessage& Message) override
    {
        if (Message.Msg == CM_MOUSEENTER)
            ++Enters;
        else if (Message.Msg == CM_MOUSELEAVE)
            ++Leaves;
        TGraphicControl::Dispatch(Message);
    }

protected:
    void Click() override
    {
        ++Clicks;
        TGraphicControl::Click();
    }
    void DblClick() override
    {
        ++DblClicks;
        TGraphicControl::DblClick();
    }
    void MouseMove(TShiftState Shift, int X, int Y) override
    {
        ++Moves;
        LastMove = {X, Y};
    }
    void Paint() override
    {
        Canvas()->Brush()->SetColor(fill_);
        Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    }

private:
    TColor fill_;
};

// A windowed control that paints itself in one colour and counts enter/leave.
class TPanelProbe : public TCustomControl {
public:
    explicit TPanelProbe(TComponent* AOwner, TColor Fill = clRed) : TCustomControl(AOwner), fill_(Fill)
    {
        SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque});
        SetTabStop(true);
    }
    int Enters = 0;
    int Leaves = 0;
    int Clicks = 0;
    int KeyDowns = 0;
    int CancelModes = 0;
    UINT DlgCode = 0;
    void Dispatch(TMessage& Message) override
    {
        switch (Message.Msg) {
        case CM_MOUSEENTER: ++Enters; break;
        case CM_MOUSELEAVE: ++Leaves; break;
        case CM_CANCELMODE: ++CancelModes; break;
        case WM_GETDLGCODE:
            Message.Result = DlgCode;
            return;
        }
        TCustomControl::Dispatch(Message);
    }

protected:
    void Click() override
    {
        ++Clicks;
        TCustomControl::Click();
    }
    void KeyDown(WORD& Key, TShiftState Shift) override
    {
        ++KeyDowns;
        TCustomControl::KeyDown(Key, Shift);
    }
    void Paint() override
    {
        Canvas()->Brush()->SetColor(fill_);
        Canvas()->FillRect(ClientRect());
    }

private:
    TColor fill_;
};

// A push button that answers Enter when it is the default and Escape when it cancels.
class TTestButton : public TCustomControl {
public:
    explicit TTestButton(TComponent* AOwner) : TCustomControl(AOwner)
    {
        SetControlStyle({csCaptureMouse, csClickEvents});
        SetTabStop(true);
    }
    bool Default = false;
    bool Cancel = false;
    TModalResult Result = mrNone;
    int Clicks = 0;
    void Dispatch(TMessage& Message) override
    {
        if (Message.Msg == CM_DIALOGKEY &&
            ((Message.WParam == VK_RETURN && Default) || (Message.WParam == VK_ESCAPE && Cancel))) {
            Click();
            Message.Result = 1;
            return;
        }
        TCustomControl::Dispatch(Message);
    }

protected:
    void Click() override
    {
        ++Clicks;
        TCustomControl::Click();
        if (Result != mrNone)
            if (auto* form = dynamic_cast<TCustomForm*>(GetParentForm(this)))
                form->SetModalResult(Result);
    }
};

// A test clock: time moves only when the test says so.
class TFakeClock : public TTimerClock {
public:
    void Start(TTimer* Timer, unsigned Interval) override { running.push_back({Timer, Interval, 0}); }
    void Stop(TTimer* Timer) override
    {
        std::erase_if(running, [Timer](const Entry& e) { return e.timer == Timer; });
    }
    void Advance(unsigned Ms)
    {
        for (unsigned t = 0; t < Ms; ++t) {
            auto snapshot = running;
            for (auto& e : snapshot) {
                auto it = std::find_if(running.begin(), running.end(), [&](const Entry& r) { return r.timer == e.timer; });
                if (it == running.end())
                    continue;
                if (++it->elapsed >= it->interval) {
                    it->elapsed = 0;
                    Fire(e.timer);
                }
            }
        }
    }

private:
    struct Entry {
        TTimer* timer;
        unsigned interval;
        unsigned elapsed;
    };
    std::vector<Entry> running;
};

struct TClockScope {
    TFakeClock clock;
    TTimerClock* previous = SetTimerClock(&clock);
    ~TClockScope() { SetTimerClock(previous); }
};

// Moves the clock through each of Times (milliseconds from now, rising) and expects Count to
// step by one exactly there and not a millisecond earlier: a timer's first delay and its pace.
template <class Read>
void ExpectStepsAt(TFakeClock& Clock, Read&& Count, std::initializer_list<unsigned> Times)
{
    unsigned now = 0;
    for (unsigned t : Times) {
        const int before = Count();
        Clock.Advance(t - now - 1);
        EXPECT_EQ(Count(), before) << "a millisecond before " << t << " ms";
        Clock.Advance(1);
        EXPECT_EQ(Count(), before + 1) << "at " << t << " ms";
        now = t;
    }
}

inline LPARAM At(int X, int Y) { return MAKELPARAM(X, Y); }

// What a test's log holds, joined with "; ", and the log emptied for what comes next.
inline std::string TakeLog(std::vector<std::string>& Log)
{
    std::string s;
    for (const std::string& line : Log)
        s += (s.empty() ? "" : "; ") + line;
    Log.clear();
    return s;
}

// Sends a click at a client point of a window.
inline void ClickAt(HWND Wnd, int X, int Y)
{
    SendMessageA(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(X, Y));
    SendMessageA(Wnd, WM_LBUTTONUP, 0, At(X, Y));
}

// Moves the real pointer to a client point of a control and lets the application notice.
// The X server echoes a warped pointer with some delay: wait until the position holds and
// the moves it caused are handled.
inline void PointAt(TControl* Control, int X, int Y)
{
    const TPoint p = Control->ClientToScreen({X, Y});
    SetCursorPos(p.X, p.Y);
    int settled = 0;
    for (int i = 0; i < 100 && settled < 3; ++i) {
        Sleep(5);
        Application->ProcessMessages();
        POINT now{};
        GetCursorPos(&now);
        settled = now.x == p.X && now.y == p.Y ? settled + 1 : 0;
    }
    Application->DoMouseIdle();
}

// A form at (100, 100) of Width x Height, made before each test (with its window unless
// MakeHandle is false) and freed after it; a test fails when an exception reached the
// application meanwhile.
template <int Width = 400, int Height = 300, bool MakeHandle = true>
struct TFormTest : ::testing::Test {
    TCaughtExceptions caught;
    TForm* form = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBounds(100, 100, Width, Height);
        if (MakeHandle)
            form->HandleNeeded();
    }
    // A new control of class T owned by the form, on Parent at (Left, Top), W by H.
    template <class T>
    T* Place(TWinControl* Parent, int Left, int Top, int W, int H)
    {
        auto* control = new T(form);
        control->SetParent(Parent);
        control->SetBounds(Left, Top, W, H);
        return control;
    }
    void TearDown() override
    {
        if (form)
            form->Free();
        Application->ProcessMessages();
        EXPECT_TRUE(caught.Messages.empty()) << caught.Messages.front();
    }
};

}  // namespace visual_test
