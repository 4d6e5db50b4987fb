// Where a minimized form that is not the main form goes: a caption strip in the first free
// place along the bottom of its monitor's work area.
#include "skinforms/frame/Frame.h"

namespace sk {

TRect TskSkinFrame::MinimizedPlace() const
{
    const int w = GetMinWidth();
    const int h = GetMinHeight();
    // Taken: another visible form, not the main form, whose frame is minimized, at exactly
    // that place.
    auto occupied = [this](TPoint P) {
        for (int i = 0; cl::Screen && i < cl::Screen->FormCount(); ++i) {
            cl::TCustomForm* other = cl::Screen->Forms(i);
            if (other == form_ || !other->Visible() || (cl::Application && other == cl::Application->MainForm()))
                continue;
            const TskSkinFrame* frame = GetFormSkinComponent(other);
            if (frame && frame->WindowState == fwsMinimized && other->Left() == P.X && other->Top() == P.Y)
                return true;
        }
        return false;
    };
    const TPoint p = FindMinimizedPlace(MonitorAreas().WorkArea, w, h, occupied);
    return cl::Bounds(p.X, p.Y, w, h);
}

}  // namespace sk
