#pragma once
// TskSkinToolBar: a panel for speed buttons. It hands its skin, its flat look, its image lists
// and its caption mode on to the speed buttons on it.
#include "classlib/ImgList.h"
#include "skin/skSkinPanel.h"

namespace sk {

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

protected:
    void Notification(cl::TComponent* AComponent, cl::TOperation Operation) override;

private:
    void SetImageList(cl::TCustomImageList*& Field, cl::TCustomImageList* Value);
    void RepaintButtons();

    bool flat_ = false;
    cl::TCustomImageList* images_ = nullptr;
    cl::TCustomImageList* hotImages_ = nullptr;
    cl::TCustomImageList* disabledImages_ = nullptr;
    bool showCaptions_ = false;
    bool autoShowHideCaptions_ = false;
    int widthWithCaptions_ = 0;
    int widthWithoutCaptions_ = 0;
    unsigned scrollTimerInterval_ = 50;
    int scrollOffset_ = 0;
};

}  // namespace sk
