#pragma once
// TskSkinUpDown: a two-button spin control with an integer position, drawn by the program from
// the skin's up-down description or in a default look. Holding a button repeats through window
// timer 1: the first tick (500 ms) only re-arms the timer at 100 ms, each later tick steps, and
// the release over the button steps once more. The tab and page controls use it as their tab
// scroller.
#include "skin/bases/SkinCtrls.h"
#include "skin/bases/HeldRepeat.h"

namespace sk {

enum TUDOrientation { udHorizontal, udVertical };

class TskSkinUpDown : public TskSkinCustomControl {
public:
    enum { UpButton = 0, DownButton = 1 };
    // What a held button repeats.
    enum { RepeatNone = 0, RepeatDown = 1, RepeatUp = 2 };
    static constexpr UINT_PTR RepeatTimerId = 1;
    static constexpr UINT FirstRepeatDelay = 500;
    static constexpr UINT RepeatInterval = 100;
    // When the pointer comes back onto a held button.
    static constexpr UINT ResumeInterval = 50;

    explicit TskSkinUpDown(cl::TComponent* AOwner);

    bool UseSkinSize() const { return useSkinSize_; }
    void SetUseSkinSize(bool Value);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation Value);
    int Increment() const { return increment_; }
    void SetIncrement(int Value) { increment_ = Value; }
    int Position() const { return position_; }
    // A value outside Min..Max is ignored; any other fires OnChange, also an unchanged one.
    void SetPosition(int Value);
    int Min() const { return min_; }
    // Raises a lower Position to it without OnChange.
    void SetMin(int Value);
    int Max() const { return max_; }
    // Lowers a higher Position to it without OnChange.
    void SetMax(int Value);

    // The buttons as they were last laid out, in client coordinates.
    TRect ButtonRect(int Button) const { return buttons_[Button].Rect; }
    bool ButtonMouseIn(int Button) const { return buttons_[Button].MouseIn; }
    bool ButtonDown(int Button) const { return buttons_[Button].Down; }
    int HotButton() const { return hot_; }
    int CapturedButton() const { return captured_; }
    int RepeatMode() const { return repeatMode_; }
    bool TimerRunning() const { return repeat_.Running(); }

    void GetSkinData() override;
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;

    cl::TNotifyEvent OnUpButtonClick;
    cl::TNotifyEvent OnDownButtonClick;
    cl::TNotifyEvent OnChange;

protected:
    void CalcSize(int& W, int& H) override;
    void SetControlRegion() override;
    void Dispatch(cl::TMessage& Message) override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;
    void DestroyWnd() override;

private:
    struct TButtonState {
        TRect Rect;
        bool MouseIn = false;
        bool Down = false;
    };
    bool Described() const;
    void CalcButtons();
    int ButtonAt(int X, int Y) const;
    void HotTest(int X, int Y);
    void Step(int Direction);
    void WMTimer(cl::TMessage& Message);
    void CMMouseEnter(cl::TMessage& Message);
    void CMMouseLeave(cl::TMessage& Message);
    int ArrowDirection(int Button) const;
    void DrawDefaultButton(cl::TCanvas* Canvas, int Button);
    void DrawResizeButton(cl::TCanvas* Canvas, int Button);

    bool useSkinSize_ = true;
    TUDOrientation orientation_ = udHorizontal;
    TButtonState buttons_[2];
    int previousHot_ = -1;
    int hot_ = -1;
    int captured_ = -1;
    int repeatMode_ = RepeatNone;
    TskHeldRepeat repeat_{this, RepeatTimerId, FirstRepeatDelay, RepeatInterval};
    int increment_ = 1;
    int position_ = 0;
    int min_ = 0;
    int max_ = 100;
    // The description's button pictures, the pressed ones falling back to the active ones.
    TRect upRect_, activeUpRect_, downUpRect_;
    TRect downRect_, activeDownRect_, downDownRect_;
};

}  // namespace sk
