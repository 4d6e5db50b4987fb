#pragma once
// TskSkinButton: the skinned push button. It draws one of four states (normal, hot, pressed,
// disabled), fades between the normal and the hot image, plays the skin's frame animation,
// repeats its click while held, latches in groups and acts as a dialog's default or cancel
// button.
#include <memory>

#include "classlib/menus/ActnList.h"
#include "classlib/controls/Forms.h"
#include "skin/controls/ButtonLook.h"
#include "skin/controls/ButtonPress.h"
#include "skin/controls/ButtonActionLink.h"
#include "skin/bases/SkinCtrls.h"

namespace sk {

class TskSkinButton : public TskSkinCustomControl {
public:
    explicit TskSkinButton(cl::TComponent* AOwner);
    ~TskSkinButton() override;

    bool UseSkinSize() const { return useSkinSize_; }
    void SetUseSkinSize(bool Value) { useSkinSize_ = Value; }
    bool UseSkinFontColor() const { return useSkinFontColor_; }
    void SetUseSkinFontColor(bool Value) { useSkinFontColor_ = Value; }
    bool RepeatMode() const { return repeatMode_; }
    void SetRepeatMode(bool Value) { repeatMode_ = Value; }
    int RepeatInterval() const { return repeatInterval_; }
    void SetRepeatInterval(int Value) { repeatInterval_ = Value; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool Value) { allowAllUp_ = Value; }
    bool CanFocused() const { return canFocused_; }
    void SetCanFocused(bool Value);
    bool Down() const { return down_; }
    void SetDown(bool Value);
    int GroupIndex() const { return groupIndex_; }
    // A grouped button cannot take the focus.
    void SetGroupIndex(int Value);
    cl::TBitmap* Glyph() { return &glyph_; }
    void SetGlyph(cl::TBitmap* Value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int Value);
    int Margin() const { return margin_; }
    // Values below -1 are ignored.
    void SetMargin(int Value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int Value);
    TskButtonLayout Layout() const { return layout_; }
    void SetLayout(TskButtonLayout Value);
    bool Default() const { return default_; }
    void SetDefault(bool Value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool Value) { cancel_ = Value; }
    cl::TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(cl::TModalResult Value) { modalResult_ = Value; }
    // The action whose caption, state and handler the button shows and runs (ButtonAction.cpp).
    cl::TBasicAction* Action() const;
    void SetAction(cl::TBasicAction* Value);

    bool Hot() const { return hot_; }
    bool Active() const { return active_; }
    double MorphValue() const { return fade_.Value(); }
    bool Fading() const { return fade_.Running(); }
    bool Repeating() const { return repeat_.Running(); }

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CreateControlDefaultImage(cl::TBitmap* B) override;
    virtual void Click() override;

    // Whatever asks for a repaint may have changed what the fade's faces show.
    void Invalidate() override;

protected:
    void Dispatch(cl::TMessage& Message) override;
    void DefaultFontChanged() override;
    void CreateWnd() override;
    void Paint() override;
    void CalcSize(int& W, int& H) override;
    void MouseDown(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    void MouseMove(cl::TShiftState Shift, int X, int Y) override;
    void MouseUp(cl::TMouseButton Button, cl::TShiftState Shift, int X, int Y) override;
    // The skinned look of the state whose picture rectangle is R.
    virtual void DrawButtonState(cl::TBitmap* B, const TRect& R, bool Active, bool Down);
    // What the button takes from its action; with CheckDefaults only what it has not been given.
    virtual void ActionChange(cl::TObject* Sender, bool CheckDefaults);
    bool FocusedAndFocusable();
    // Down, and latched in a group, or hot, or focused while the mouse is not pressed.
    bool PressedLook();
    // The caption and glyph of the default look in R.
    void DrawDefaultCaption(cl::TCanvas* Canvas, const TRect& R, bool Pressed);

private:
    TskDataSkinButtonControl* ButtonDescription() const;
    bool EffectsEnabled() const;
    bool MorphEnabled() const;
    // The action's image as the glyph, when the button has none and the action's list has it.
    void TakeActionGlyph(cl::TCustomAction* Action);
    void UpdateHot();
    // Starts the fade toward where it heads now; a fade that starts anew composes its faces anew.
    void StartFade();
    // A fade step: the same faces blended further, so they are kept.
    void RepaintFadeStep();
    TskMorphFaces::TKey FacesKey();
    // The normal face blended toward the hot one by K, both composed once per fade.
    void DrawFade(double K);
    void StartAnimation(bool Forward);
    void MouseEntered();
    void MouseLeft();
    void FocusChanged(cl::TMessage& Message);
    void EnabledChanged();
    void Stop();
    void WMMouseDown(cl::TMessage& Message);
    void WMKeyDown(cl::TMessage& Message);
    void WMKeyUp(cl::TMessage& Message);
    void DialogKey(cl::TMessage& Message);
    void DialogChar(cl::TMessage& Message);
    void WMEraseBkgnd(cl::TMessage& Message);

    bool useSkinSize_ = true;
    bool useSkinFontColor_ = true;
    bool repeatMode_ = false;
    int repeatInterval_ = 100;
    bool allowAllUp_ = false;
    bool canFocused_ = true;
    bool down_ = false;
    int groupIndex_ = 0;
    cl::TBitmap glyph_;
    int numGlyphs_ = 1;
    int margin_ = -1;
    int spacing_ = 1;
    TskButtonLayout layout_ = blGlyphLeft;
    bool default_ = false;
    bool cancel_ = false;
    cl::TModalResult modalResult_ = cl::mrNone;

    bool hot_ = false;
    TskButtonPress press_;
    bool active_ = false;
    bool settingFocus_ = false;
    TskButtonStateRects states_;
    TskFade fade_;
    TskMorphFaces faces_;
    TskFrameAnimation animation_;
    TskControlTimer repeat_;
    std::unique_ptr<TskSkinButtonActionLink> actionLink_;
};

}  // namespace sk
