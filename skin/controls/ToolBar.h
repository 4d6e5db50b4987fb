#pragma once
// TskSkinToolBar: a panel for speed buttons. It hands its skin, its flat look, its image lists
// and its caption mode on to the speed buttons on it. With CanScroll, buttons that do not fit
// are reached through two small scroll buttons in the non-client area at its left and right.
#include <windows.h>

#include "classlib/classes/ComponentRef.h"
#include "classlib/graphics/ImgList.h"
#include "skin/controls/Panel.h"
#include "skin/bases/WindowTimer.h"

namespace sk {

// What WM_NCHITTEST answers over the left and the right scroll button.
constexpr LRESULT HTLEFTSCROLLBUTTON = 119;
constexpr LRESULT HTRIGHTSCROLLBUTTON = 120;

class TskSkinToolBar : public TskSkinPanel {
public:
    explicit TskSkinToolBar(cl::TComponent* AOwner);

    void SetSkinData(TskSkinData* Value) override;
    bool Flat() const { return flat_; }
    void SetFlat(bool Value);
    cl::TCustomImageList* Images() const { return images_; }
    void SetImages(cl::TCustomImageList* Value);
    cl::TCustomImageList* HotImages() const { return hotImages_; }
    void SetHotImages(cl::TCustomImageList* Value);
    cl::TCustomImageList* DisabledImages() const { return disabledImages_; }
    void SetDisabledImages(cl::TCustomImageList* Value);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool Value);
    bool AutoShowHideCaptions() const { return autoShowHideCaptions_; }
    void SetAutoShowHideCaptions(bool Value) { autoShowHideCaptions_ = Value; }
    int WidthWithCaptions() const { return widthWithCaptions_; }
    void SetWidthWithCaptions(int Value) { widthWithCaptions_ = Value; }
    int WidthWithoutCaptions() const { return widthWithoutCaptions_; }
    void SetWidthWithoutCaptions(int Value) { widthWithoutCaptions_ = Value; }
    unsigned ScrollTimerInterval() const { return scrollTimerInterval_; }
    // Only values above 0 are taken.
    void SetScrollTimerInterval(int Value);
    int ScrollOffset() const { return scrollOffset_; }
    // Only values from 0 are taken (0: one client width per step).
    void SetScrollOffset(int Value);
    bool CanScroll() const { return canScroll_; }
    void SetCanScroll(bool Value);
    // Scrolling starts when the mouse comes over a scroll button, not only when it presses it.
    bool HotScroll() const { return hotScroll_; }
    void SetHotScroll(bool Value) { hotScroll_ = Value; }

    // How far the content is scrolled to the left, and whether the scroll buttons show.
    int ScrollPosition() const { return position_; }
    bool ScrollButtonsShown() const { return buttonsShown_; }
    bool Scrolling() const { return direction_ != sdNone; }
    // The scroll buttons in window coordinates.
    TRect LeftScrollButtonRect() const;
    TRect RightScrollButtonRect() const;
    // Draws the shown scroll buttons into a device context of the whole window.
    void PaintScrollButtons(HDC DC);

    void GetSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& Rect) override;
    void CreateControlSkinImage(cl::TBitmap* B) override;

    static constexpr int ScrollButtonWidth = 12;
    static constexpr UINT_PTR ScrollTimerId = 1;

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;
    void Dispatch(cl::TMessage& Message) override;
    void WndProc(cl::TMessage& Message) override;

private:
    enum TScrollDirection { sdNone = 0, sdLeft = 1, sdRight = 2 };
    enum TScrollButton { sbLeft = 0, sbRight = 1 };

    void RepaintButtons();

    // Scrolling (ToolBarScroll.cpp).
    void UpdateScroll();
    // One pass of the update; true when it showed or hid the scroll buttons.
    bool UpdateScrollPass();
    void ShowScrollButtons(bool Value);
    void FrameChanged();
    // Moves the content so that the position Value is the one applied to the children.
    void ApplyPosition(int Value);
    void ScrollStep();
    void StartScrolling(TScrollDirection Direction);
    void StopScrolling();
    void SetHotButton(int Button);
    void RedrawScrollButtons();
    void DrawScrollButton(cl::TCanvas* Canvas, const TRect& R, int Button);
    TskDataSkinButtonControl* ResizeButtonDescription() const;
    int ContentRight() const;
    void WMNCCalcSize(cl::TMessage& Message);
    void WMNCHitTest(cl::TMessage& Message);
    void WMNCPaint(cl::TMessage& Message);
    void WMNCMouseMove(cl::TMessage& Message);
    void WMNCLButtonDown(cl::TMessage& Message);
    void WMNCLButtonUp(cl::TMessage& Message);
    void WMNCMouseLeave(cl::TMessage& Message);
    void WMSetCursor(cl::TMessage& Message);
    void WMSize(cl::TMessage& Message);
    void WMTimer(cl::TMessage& Message);

    bool flat_ = false;
    // One image list may serve as more than one of these.
    cl::TComponentRef<cl::TCustomImageList> images_{this};
    cl::TComponentRef<cl::TCustomImageList> hotImages_{this};
    cl::TComponentRef<cl::TCustomImageList> disabledImages_{this};
    bool showCaptions_ = false;
    bool autoShowHideCaptions_ = false;
    int widthWithCaptions_ = 0;
    int widthWithoutCaptions_ = 0;
    unsigned scrollTimerInterval_ = 50;
    int scrollOffset_ = 0;
    bool canScroll_ = false;
    bool hotScroll_ = false;

    // The scroll position, the content's extent (its last pixel) and the client width at the
    // last update, the position last applied to the children, and how much the last SetBounds
    // widened the bar.
    int position_ = 0;
    int extent_ = 0;
    int lastClientWidth_ = 0;
    int applied_ = 0;
    int growth_ = 0;
    bool buttonsShown_ = false;
    bool updating_ = false;
    bool hot_[2] = {false, false};
    bool pressed_[2] = {false, false};
    TScrollDirection direction_ = sdNone;
    TskWindowTimer scrollTimer_{this, ScrollTimerId};
    bool trackingLeave_ = false;
    int resizeButtonIndex_ = -1;
};

}  // namespace sk
