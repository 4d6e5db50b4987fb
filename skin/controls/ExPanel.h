#pragma once
// TskSkinExPanel: a container with a caption bar holding a close and a roll button. Rolled up it
// shrinks to its caption bar, vertically or horizontally (then its caption runs upwards), and
// hides its children; rolled down it takes its size back and shows them again.
#include "skin/controls/CaptionGlyph.h"
#include "skin/controls/PanelRoll.h"
#include "skin/bases/SkinCtrls.h"

namespace sk {

enum TskExPanelRollKind { rkRollHorizontal, rkRollVertical };

class TskSkinExPanel : public TskSkinCustomControl {
public:
    enum { CloseButton = 0, RollButton = 1 };
    // The gap between the two caption buttons.
    static constexpr int ButtonGap = 2;

    explicit TskSkinExPanel(cl::TComponent* AOwner);

    bool RollState() const { return rollState_; }
    void SetRollState(bool Value);
    TskExPanelRollKind RollKind() const { return rollKind_; }
    void SetRollKind(TskExPanelRollKind Value);
    // The size kept while rolled up; 0 while not rolled.
    int RealWidth() const { return realWidth_; }
    void SetRealWidth(int Value) { realWidth_ = Value; }
    int RealHeight() const { return realHeight_; }
    void SetRealHeight(int Value) { realHeight_ = Value; }
    bool ShowRollButton() const { return showRollButton_; }
    void SetShowRollButton(bool Value);
    bool ShowCloseButton() const { return showCloseButton_; }
    void SetShowCloseButton(bool Value);
    int DefaultCaptionHeight() const { return defaultCaptionHeight_; }
    void SetDefaultCaptionHeight(int Value);
    cl::TBitmap* Glyph() { return glyph_.Glyph(); }
    void SetGlyph(cl::TBitmap* Value);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int Value);
    int Spacing() const { return glyph_.Spacing(); }
    void SetSpacing(int Value);

    // Hides the panel, then reports it.
    void Close();
    // The rolled width (horizontal) or height (vertical), never 0.
    int RolledSize();
    // Where a caption button lies now (empty when hidden).
    TRect ButtonRect(int Index);
    int HotButton() const { return hot_; }

    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& Rect) override;
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;

    cl::TNotifyEvent OnChangeRollState;
    cl::TNotifyEvent OnClose;

protected:
    void Dispatch(cl::TMessage& Message) override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;
    void MouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;

private:
    struct TCaptionButton {
        TRect Rect;
        bool MouseIn = false;
        bool Pressed = false;
    };
    TskDataSkinExPanelControl* ExDescription() const;
    bool Shown(int Index) const { return Index == CloseButton ? showCloseButton_ : showRollButton_; }
    // Places the buttons and answers the caption rectangle left for the glyph and the text.
    TRect LayoutCaption();
    bool Horizontal() const { return rollState_ && rollKind_ == rkRollHorizontal; }
    void FindHot(int X, int Y);
    void DrawCaption(cl::TCanvas* Canvas, TRect C, cl::TColor Colour, bool Skinned);
    void DrawSkinButton(cl::TCanvas* Canvas, int Index);
    void DrawDefaultButton(cl::TCanvas* Canvas, int Index);

    bool rollState_ = false;
    TskExPanelRollKind rollKind_ = rkRollVertical;
    int realWidth_ = 0;
    int realHeight_ = 0;
    bool showRollButton_ = true;
    bool showCloseButton_ = true;
    int defaultCaptionHeight_ = 21;
    TskCaptionGlyph glyph_;

    TCaptionButton buttons_[2];
    int hot_ = -1;
    int pressed_ = -1;
    bool rolling_ = false;
    TskPanelRoll roll_;
};

}  // namespace sk
