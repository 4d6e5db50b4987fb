#pragma once
// TskSkinPanel: the skinned container. Its frame comes from the "panel" description; in caption
// mode a caption strip can carry a check box (enabling or disabling the children) and a roll-up
// arrow (collapsing the panel to its caption).
#include "skin/controls/CaptionGlyph.h"
#include "skin/controls/PanelRoll.h"
#include "skin/bases/SkinCtrls.h"

namespace sk {

enum TskSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };

class TskSkinPanel : public TskSkinCustomControl {
public:
    explicit TskSkinPanel(cl::TComponent* AOwner);

    bool CaptionMode() const { return captionMode_; }
    void SetCaptionMode(bool Value);
    int DefaultCaptionHeight() const { return defaultCaptionHeight_; }
    void SetDefaultCaptionHeight(int Value);
    sk::TAlignment DefaultAlignment() const { return defaultAlignment_; }
    void SetDefaultAlignment(sk::TAlignment Value);
    TskSkinBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TskSkinBorderStyle Value);
    bool CheckedMode() const { return checkedMode_; }
    void SetCheckedMode(bool Value);
    bool Checked() const { return checked_; }
    void SetChecked(bool Value);
    bool AutoEnabledControls() const { return autoEnabledControls_; }
    void SetAutoEnabledControls(bool Value) { autoEnabledControls_ = Value; }
    bool RollUpMode() const { return rollUpMode_; }
    void SetRollUpMode(bool Value);
    bool RollUpState() const { return rollUpState_; }
    void SetRollUpState(bool Value);
    // The height to come back to while rolled up; -1 when not rolled up.
    int RealHeight() const { return realHeight_; }
    void SetRealHeight(int Value) { realHeight_ = Value; }
    cl::TBitmap* Glyph() { return glyph_.Glyph(); }
    void SetGlyph(cl::TBitmap* Value);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int Value);
    int Spacing() const { return glyph_.Spacing(); }
    void SetSpacing(int Value);

    // The caption rectangle of the description fitted to the current size (skinned only).
    TRect MappedCaptionRect();

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;
    void AdjustClientRect(TRect& Rect) override;

    cl::TNotifyEvent OnChecked;
    cl::TNotifyEvent OnChangeRollUpState;

protected:
    void Dispatch(cl::TMessage& Message) override;
    void Paint() override;
    void MouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;

    TskDataSkinPanelControl* PanelDescription() const;
    // A borderless nine-part panel without a caption is its client part tiled.
    bool TilesWholeClient() const;
    void TileClientPart(cl::TCanvas* Canvas, int W, int H);
    // Lines of a size grip in the corner rectangle R.
    static void DrawGripLines(cl::TCanvas* Canvas, const TRect& R, cl::TColor Shadow, cl::TColor Light);

private:
    void DrawSkinCaption(cl::TCanvas* Canvas, TRect C);
    void DrawDefaultCaption(cl::TCanvas* Canvas);
    int CaptionWidth(cl::TCanvas* Canvas, const std::string& Text);
    // The left of something W wide placed in C by Alignment.
    static int AlignedLeft(const TRect& C, int W, sk::TAlignment Alignment);
    // The glyph and the text placed in C by Alignment, both centred vertically.
    void DrawAlignedCaption(cl::TCanvas* Canvas, const TRect& C, sk::TAlignment Alignment, const std::string& Text);
    void RollUp();
    void RollDown();
    // The height of the panel rolled up: its borders, never less than its caption.
    int RolledHeight();

    bool captionMode_ = false;
    int defaultCaptionHeight_ = 22;
    sk::TAlignment defaultAlignment_ = sk::taLeftJustify;
    TskSkinBorderStyle borderStyle_ = bvFrame;
    bool checkedMode_ = false;
    bool checked_ = false;
    bool autoEnabledControls_ = true;
    bool rollUpMode_ = false;
    bool rollUpState_ = false;
    int realHeight_ = -1;
    TskCaptionGlyph glyph_;
    TskPanelRoll roll_;
};

}  // namespace sk
