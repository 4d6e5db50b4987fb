#pragma once
// TskSkinStatusBar: a panel aligned to the bottom of its form, with an optional size grip in its
// right corner. It hands its skin on to the skinned controls on it.
#include "skin/controls/Panel.h"

namespace sk {

class TskSkinStatusBar : public TskSkinPanel {
public:
    explicit TskSkinStatusBar(cl::TComponent* AOwner);

    void SetSkinData(TskSkinData* Value) override;
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool Value);
    // The form frame takes the grip away while the form is maximized.
    bool GripAllowed() const { return gripAllowed_; }
    void SetGripAllowed(bool Value);
    bool GripShowing() const { return sizeGrip_ && gripAllowed_; }
    // Where the grip lies, in the bar's coordinates.
    TRect GripRect();

    void AdjustClientRect(TRect& Rect) override;

protected:
    void Dispatch(cl::TMessage& Message) override;
    void Paint() override;

private:
    int GripWidth(const TRect& Client);

    bool sizeGrip_ = false;
    bool gripAllowed_ = true;
};

}  // namespace sk
