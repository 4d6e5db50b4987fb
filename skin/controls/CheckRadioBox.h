#pragma once
// TskSkinCheckRadioBox: one skinned control for both a check box and a radio box: a check image
// and a caption, unchecked, checked or grayed, with radio groups, a hover highlight that can
// fade, and the keyboard.
#include "classlib/classes/ComponentRef.h"
#include "classlib/graphics/ImgList.h"
#include "skin/controls/ButtonLook.h"
#include "skin/bases/SkinCtrls.h"

namespace sk {

enum TskCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TskSkinCheckRadioBox : public TskSkinCustomControl {
public:
    explicit TskSkinCheckRadioBox(cl::TComponent* AOwner);
    ~TskSkinCheckRadioBox() override;

    TskCheckBoxState State() const { return state_; }
    void SetState(TskCheckBoxState Value);
    bool Checked() const { return checked_; }
    // Reports every assignment of a check box, and a radio box that becomes checked.
    void SetChecked(bool Value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool Value);
    bool Radio() const { return radio_; }
    void SetRadio(bool Value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int Value) { groupIndex_ = Value; }
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    bool CanFocused() const { return canFocused_; }
    void SetCanFocused(bool Value);
    cl::TCustomImageList* Images() const { return images_; }
    void SetImages(cl::TCustomImageList* Value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);

    bool MouseInside() const { return mouseInside_; }
    double MorphValue() const { return fade_.Value(); }
    bool Fading() const { return fade_.Running(); }

    // What a click does: a check box turns over, a radio box only checks.
    void Toggle();

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CreateControlDefaultImage(cl::TBitmap* B) override;

protected:
    void Dispatch(cl::TMessage& Message) override;
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    void Paint() override;
    void CalcSize(int& W, int& H) override;
    void MouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;

private:
    TskDataSkinCheckRadioControl* BoxDescription() const;
    bool FadeAllowed() const;
    bool FocusedAndFocusable();
    void Enter();
    void Leave();
    void WMMouseDown(cl::TMessage& Message);
    void DialogChar(cl::TMessage& Message);
    void FocusChanged();
    // The check image of the state at (X, Y).
    void DrawCheckImage(cl::TCanvas* Canvas, int X, int Y);
    void DrawFlat(cl::TBitmap* B);
    void DrawBox(cl::TCanvas* Canvas);
    // One skinned image of a box that is not flat, normal or active.
    void DrawNotFlat(cl::TBitmap* B, bool Active);
    void DrawFocusAround(cl::TCanvas* Canvas, TRect Text, const TPoint& GlyphAt);

    TskCheckBoxState state_ = cbUnchecked;
    bool checked_ = false;
    bool allowGrayed_ = false;
    bool radio_ = false;
    int groupIndex_ = 0;
    bool flat_ = true;
    bool canFocused_ = true;
    cl::TComponentRef<cl::TCustomImageList> images_{this};
    int imageIndex_ = 0;
    bool mouseInside_ = false;
    TskFade fade_;
};

}  // namespace sk
