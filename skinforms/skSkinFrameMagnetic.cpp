// Placing the window while it is shown and dragged: centred on its first show, and snapped to
// the work area's edges while it moves.
#include "skinforms/skSkinFrame.h"
#include "skinforms/skSkinFrameWorkArea.h"

namespace sk {

void TskSkinFrame::PlaceOnFirstShow()
{
    if (!firstShow_)
        return;
    if (PositionInMonitor == skpDefault) {
        firstShow_ = false;
        return;
    }
    // Shown maximized or minimized first: the first restore places it.
    if (WindowState != fwsNormal)
        return;
    firstShow_ = false;
    const TskMonitorAreas areas = MonitorAreas();
    const TRect& area = PositionInMonitor == skpScreenCenter ? areas.Monitor : areas.WorkArea;
    SetFormBounds(CenteredBounds(area, form_->Width(), form_->Height()));
}

void TskSkinFrame::MagneticMoving(RECT& R)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    const TRect proposed = cl::Bounds(R.left, R.top, form_->Width(), form_->Height());
    const TRect r =
        MagneticBounds(MonitorAreas().WorkArea, MagneticSize, proposed, {cursor.x, cursor.y}, magnetic_);
    R = RECT{r.Left, r.Top, r.Right, r.Bottom};
}

}  // namespace sk
