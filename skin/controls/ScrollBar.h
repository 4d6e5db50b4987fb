#pragma once
// TskSkinScrollBar: a scroll bar drawn entirely by the program, with two arrows, a track and a
// thumb, from the skin's scroll-bar description or in a plain default look. Other controls
// embed it and drive it through SetRange, Position and the page and step sizes, listening to
// its notifications. Holding an arrow or the track repeats through window timer 1: 500 ms to
// the first repeat, then every 50 ms.
#include <string>

#include "skin/bases/SkinCtrls.h"
#include "skin/controls/ScrollBarLayout.h"
#include "skin/bases/HeldRepeat.h"

namespace sk {

enum TScrollBarKind { sbHorizontal, sbVertical };

class TskSkinScrollBar : public TskSkinCustomControl {
public:
    // The parts, as hit tests and the repeat name them.
    enum { ThumbPart = 0, FarArrowPart = 1, NearArrowPart = 2 };
    // What a held button repeats.
    enum { RepeatNone = 0, RepeatNearArrow = 1, RepeatFarArrow = 2, RepeatPageNear = 3, RepeatPageFar = 4 };
    static constexpr UINT_PTR RepeatTimerId = 1;
    static constexpr UINT FirstRepeatDelay = 500;
    static constexpr UINT RepeatInterval = 50;

    explicit TskSkinScrollBar(cl::TComponent* AOwner);
    ~TskSkinScrollBar() override;

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind Value);
    int Min() const { return range_.Min; }
    void SetMin(int Value);
    int Max() const { return range_.Max; }
    void SetMax(int Value);
    int Position() const { return position_; }
    void SetPosition(int Value);
    int PageSize() const { return range_.PageSize; }
    // Refused (the old page stays) when Position + Value would pass the range.
    void SetPageSize(int Value);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int Value);
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int Value);
    bool Both() const { return both_; }
    void SetBoth(bool Value);
    int BothMarkerWidth() const { return bothMarkerWidth_; }
    void SetBothMarkerWidth(int Value);
    const std::string& BothSkinDataName() const { return bothSkinDataName_; }
    void SetBothSkinDataName(const std::string& Value) { bothSkinDataName_ = Value; }
    bool CanFocused() const { return canFocused_; }
    void SetCanFocused(bool Value);
    // All four at once, the position clamped, without OnChange.
    void SetRange(int AMin, int AMax, int APosition, int APageSize);

    // The parts as they were last laid out.
    const TskScrollBarParts& Parts() const { return parts_; }
    int HotPart() const { return hotPart_; }
    int PressedPart() const { return pressedPart_; }
    int RepeatMode() const { return repeatMode_; }
    bool Dragging() const { return dragging_; }
    // Lays the parts out for the current size, skin and position.
    void CalcLayout();

    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;

    cl::TNotifyEvent OnChange;
    cl::TNotifyEvent OnLastChange;
    cl::TNotifyEvent OnUpButtonClick;
    cl::TNotifyEvent OnDownButtonClick;
    cl::TNotifyEvent OnPageUp;
    cl::TNotifyEvent OnPageDown;

protected:
    void Dispatch(cl::TMessage& Message) override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, cl::TShiftState Shift) override;
    void DestroyWnd() override;

private:
    struct TPartState {
        bool MouseIn = false;
        bool Down = false;
    };
    bool Vertical() const { return kind_ == sbVertical; }
    int Along(int X, int Y) const { return Vertical() ? Y : X; }
    TskDataSkinScrollBarControl* ScrollDescription() const;
    TRect PartRect(int Part) const;
    int PartAt(int X, int Y) const;
    void SetHotPart(int Part);
    void RepeatTick();
    void StepArrow(int Part);
    void StepPage(bool Far);
    void Release(bool LeftButton);
    void WMTimer(cl::TMessage& Message);
    void WMLButtonUp(cl::TMessage& Message);
    void WMMouseWheel(cl::TMessage& Message);
    void CMMouseLeave(cl::TMessage& Message);
    bool ThumbLooksPressed() const;
    void DrawDefaultPart(cl::TCanvas* Canvas, int Part);
    void DrawSkinnedArrow(cl::TBitmap* B, TskDataSkinScrollBarControl* D, int Part);
    void DrawSkinnedThumb(cl::TBitmap* B, TskDataSkinScrollBarControl* D);

    TScrollBarKind kind_ = sbHorizontal;
    TskScrollBarRange range_;
    int position_ = 0;
    int smallChange_ = 1;
    int largeChange_ = 1;
    bool both_ = false;
    int bothMarkerWidth_ = 19;
    std::string bothSkinDataName_ = "bothhscrollbar";
    std::string keptSkinDataName_;
    bool canFocused_ = false;

    TskScrollBarParts parts_;
    TPartState state_[3];
    int hotPart_ = -1;
    int pressedPart_ = -1;
    int repeatMode_ = RepeatNone;
    TskHeldRepeat repeat_{this, RepeatTimerId, FirstRepeatDelay, RepeatInterval};
    bool mouseDown_ = false;
    bool dragging_ = false;
    int dragCoord_ = 0;
    int dragOffset_ = 0;
    TPoint lastPoint_;
};

}  // namespace sk
