#pragma once
// TskSkinTrackBar: a slider whose thumb moves along a track between MinValue and MaxValue.
// Value is clamped, and OnChange fires only when it really changes, so that two sliders can
// mirror each other. The thumb is dragged, jumps to a click, or steps with the arrow keys and
// the wheel.
#include "skin/bases/SkinCtrls.h"

namespace sk {

class TskSkinTrackBar : public TskSkinCustomControl {
public:
    explicit TskSkinTrackBar(cl::TComponent* AOwner);

    int MinValue() const { return minValue_; }
    void SetMinValue(int Value);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int Value);
    int Value() const { return value_; }
    void SetValue(int Value);
    bool Vertical() const { return vertical_; }
    void SetVertical(bool Value);
    bool JumpWhenClick() const { return jumpWhenClick_; }
    void SetJumpWhenClick(bool Value) { jumpWhenClick_ = Value; }
    bool MouseSupport() const { return mouseSupport_; }
    void SetMouseSupport(bool Value) { mouseSupport_ = Value; }
    bool CanFocused() const { return canFocused_; }
    void SetCanFocused(bool Value);

    bool Dragging() const { return dragging_; }
    // Where the thumb lies for the current size, skin and value.
    TRect ThumbRect();

    void GetSkinData() override;
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;

    cl::TNotifyEvent OnChange;
    cl::TNotifyEvent OnLastChange;
    cl::TNotifyEvent OnStartDragButton;

protected:
    void Dispatch(cl::TMessage& Message) override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;
    void MouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, cl::TShiftState Shift) override;
    bool DoMouseWheelDown(cl::TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(cl::TShiftState Shift, TPoint MousePos) override;

private:
    // The track and the thumb's travel along it, for the current size and skin.
    struct TLayout {
        TRect Track;
        int ThumbW = 0;
        int ThumbH = 0;
        int Start = 0;
        int End = 0;
    };
    TskDataSkinTrackBarControl* TrackDescription() const;
    TLayout Layout();
    int OffsetOfValue(const TLayout& L) const;
    int ValueOfOffset(const TLayout& L, int Offset) const;
    // Steps by Delta and reports the end of the change.
    void Step(int Delta);
    void FireLastChange();

    int minValue_ = 0;
    int maxValue_ = 100;
    int value_ = 50;
    bool vertical_ = false;
    bool jumpWhenClick_ = false;
    bool mouseSupport_ = true;
    bool canFocused_ = false;
    bool dragging_ = false;
    int pressCoord_ = 0;
    int pressOffset_ = 0;
};

}  // namespace sk
