// Placing the window while it is shown and dragged: centred on its first show, and snapped to
// the work area's edges while it moves.
#include "skinforms/frame/Frame.h"
#include "skinforms/frame/WorkArea.h"

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

// An MDI child keeps to the edges of the MDI client it lives in, on the screen as the moving
// rectangle is.
TRect TskSkinFrame::MagneticArea() const
{
    if (form_->FormStyle() == cl::fsMDIChild && form_->HandleAllocated())
        if (HWND client = GetParent(form_->Handle())) {
            RECT r{};
            GetClientRect(client, &r);
            MapWindowPoints(client, nullptr, reinterpret_cast<POINT*>(&r), 2);
            return cl::Rect(r.left, r.top, r.right, r.bottom);
        }
    return MonitorAreas().WorkArea;
}

void TskSkinFrame::MagneticMoving(RECT& R)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    const TRect proposed = cl::Bounds(R.left, R.top, form_->Width(), form_->Height());
    const TRect r = MagneticBounds(MagneticArea(), MagneticSize, proposed, {cursor.x, cursor.y}, magnetic_);
    R = RECT{r.Left, r.Top, r.Right, r.Bottom};
}

}  // namespace sk
