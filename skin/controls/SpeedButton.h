#pragma once
// TskSkinSpeedButton: a windowless tool button with a caption and a glyph (its own strip of
// frames, or an image of its tool bar's image lists). It presses, latches in groups, repeats
// while held, fades to its hot image and plays the skin's frame animation.
#include <memory>

#include "skin/controls/ButtonLook.h"
#include "skin/controls/ButtonPress.h"
#include "skin/bases/Graphic.h"

namespace sk {

class TskSkinToolBar;

class TskSkinSpeedButton : public TskGraphicSkinCustomControl {
public:
    explicit TskSkinSpeedButton(cl::TComponent* AOwner);
    ~TskSkinSpeedButton() override;

    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool Value);
    int WidthWithCaption() const { return widthWithCaption_; }
    void SetWidthWithCaption(int Value) { widthWithCaption_ = Value; }
    int WidthWithoutCaption() const { return widthWithoutCaption_; }
    void SetWidthWithoutCaption(int Value) { widthWithoutCaption_ = Value; }
    cl::TBitmap* Glyph() { return &glyph_; }
    void SetGlyph(cl::TBitmap* Value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int Value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int Value);
    TskButtonLayout Layout() const { return layout_; }
    void SetLayout(TskButtonLayout Value);
    int Margin() const { return margin_; }
    // Values below -1 are ignored.
    void SetMargin(int Value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int Value);
    bool Down() const { return down_; }
    void SetDown(bool Value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int Value) { groupIndex_ = Value; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool Value) { allowAllUp_ = Value; }
    bool RepeatMode() const { return repeatMode_; }
    void SetRepeatMode(bool Value) { repeatMode_ = Value; }
    int RepeatInterval() const { return repeatInterval_; }
    void SetRepeatInterval(int Value) { repeatInterval_ = Value; }
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool Value);
    bool UseSkinSize() const { return useSkinSize_; }
    void SetUseSkinSize(bool Value) { useSkinSize_ = Value; }
    bool UseSkinFontColor() const { return useSkinFontColor_; }
    void SetUseSkinFontColor(bool Value) { useSkinFontColor_ = Value; }

    // What a paint would show: the mouse over the button, and the fade's value.
    bool MouseInside() const { return mouseInside_; }
    double MorphValue() const { return fade_.Value(); }
    bool Fading() const { return fade_.Running(); }
    bool Animating() const { return animation_.Running(); }
    int AnimationFrame() const { return animation_.Frame(); }
    bool Repeating() const { return repeat_.Running(); }

    void GetSkinData() override;
    void ChangeSkinData() override;
    void Click() override;
    void Dispatch(cl::TMessage& Message) override;
    void Invalidate() override;

protected:
    void Paint() override;
    void DefaultFontChanged() override;
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    void CalcSize(int& W, int& H) override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;
    void MouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;

private:
    TskDataSkinButtonControl* ButtonDescription() const;
    bool FadeAllowed() const;
    TskSkinToolBar* ToolBar() const;
    void MouseEntered();
    void MouseLeft();
    // Reads the description first: the frames run from the skin as it is now.
    void StartAnimation(bool Forward);
    void EnabledChanged();
    void DialogChar(cl::TMessage& Message);
    void StopRepeat() { repeat_.Stop(); }
    // The skinned face of the state whose picture rectangle is R, with its caption and glyph.
    void DrawFace(cl::TBitmap* B, const TRect& R, bool Active, bool Down);
    void DrawCaption(cl::TCanvas* Canvas, const TRect& R, bool Active, bool Down, bool Pressed);
    void DrawTransparentCaption(cl::TCanvas* Canvas, const TRect& R, bool Skinned);
    // Paints the face again at once, for a step of the fade or of the animation.
    void RepaintFace();
    TskMorphFaces::TKey FacesKey() const;
    // The fade's faces blended by K (composed first when they are not at hand).
    void DrawFade(double K);

    bool showCaption_ = true;
    int widthWithCaption_ = 0;
    int widthWithoutCaption_ = 0;
    cl::TBitmap glyph_;
    int numGlyphs_ = 1;
    int imageIndex_ = 0;
    TskButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 1;
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool repeatMode_ = false;
    int repeatInterval_ = 100;
    bool flat_ = false;
    bool transparent_ = false;
    bool useSkinSize_ = true;
    bool useSkinFontColor_ = true;

    bool mouseInside_ = false;
    TskButtonPress press_;
    TskButtonStateRects states_;
    bool morphing_ = false;
    TskFade fade_;
    TskMorphFaces faces_;
    TskFrameAnimation animation_;
    TskControlTimer repeat_;
};

}  // namespace sk
