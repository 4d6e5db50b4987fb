#pragma once
// Plain stand-ins for the skinned panel, roll-up panel, button, speed button, tool bar and
// track bar. Each draws the normal state of its skin area (or a flat default look) with its
// caption on top and offers the few properties and events the windows use, so that windows
// can be built and tested before the full controls exist; each is replaced by the full
// control of the same role without changing the windows' code beyond the class name.
#include <string>

#include "classlib/Forms.h"
#include "skin/skSkinCtrls.h"

namespace sk {

// A container with a caption drawn in its upper-left corner ("panel").
class TskInterimPanel : public TskSkinCustomControl {
public:
    explicit TskInterimPanel(cl::TComponent* AOwner);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool Value);

protected:
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;
    virtual void DrawCaption(cl::TCanvas* Canvas);
    void Dispatch(cl::TMessage& Message) override;

private:
    bool showCaption_ = true;
};

enum TskRollKind { rkRollVertical, rkRollHorizontal };

// A panel that rolls up to its caption band and out again; a click on the band switches.
class TskInterimRollPanel : public TskInterimPanel {
public:
    static constexpr int CaptionBandHeight = 20;
    explicit TskInterimRollPanel(cl::TComponent* AOwner);

    TskRollKind RollKind() const { return rollKind_; }
    void SetRollKind(TskRollKind Value) { rollKind_ = Value; }
    bool RollState() const { return rolled_; }
    // Fires OnChangeRollState when the state changes.
    void SetRollState(bool Value);

    cl::TNotifyEvent OnChangeRollState;

protected:
    void MouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void AdjustClientRect(cl::TRect& Rect) override;

private:
    TskRollKind rollKind_ = rkRollVertical;
    bool rolled_ = false;
};

// A push button ("button"); Click sets the form's ModalResult when it has one of its own.
class TskInterimButton : public TskSkinCustomControl {
public:
    explicit TskInterimButton(cl::TComponent* AOwner);
    cl::TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(cl::TModalResult Value) { modalResult_ = Value; }
    void Click() override;

protected:
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;
    void Dispatch(cl::TMessage& Message) override;

private:
    cl::TModalResult modalResult_ = cl::mrNone;
};

// A horizontal slider ("htrackbar"): a click or drag moves the thumb to the mouse.
class TskInterimTrackBar : public TskSkinCustomControl {
public:
    explicit TskInterimTrackBar(cl::TComponent* AOwner);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetRange(int AMin, int AMax);
    int Position() const { return position_; }
    // Clamped to the range; OnChange fires only when the value changes.
    void SetPosition(int Value);

    cl::TNotifyEvent OnChange;

protected:
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;

private:
    void DrawThumb(cl::TCanvas* Canvas);
    int PositionAt(int X) const;

    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
};

// Until the form frame exists: tells every skinned control of Root bound to Data that the skin
// is about to change (Before) or has changed, as the frame will.
void InterimForwardSkinChange(cl::TWinControl* Root, TskSkinData* Data, bool Before);

}  // namespace sk
