#include "skinforms/frame/WorkArea.h"

#include "skin/drawing/System.h"

namespace sk {

namespace {

TskMonitorAreasSource& Source()
{
    static TskMonitorAreasSource source;
    return source;
}

}  // namespace

void SetMonitorAreasSource(TskMonitorAreasSource Source_)
{
    Source() = std::move(Source_);
}

TskMonitorAreas GetFrameMonitorAreas(HWND Wnd)
{
    if (Source())
        return Source()(Wnd);
    TskMonitorAreas areas;
    // Asked at every size change of a frame, and each question about the screens can be a round
    // trip to the window system: the window's monitor answers for its work area and its whole
    // area at once, and for the screen too when it is the primary one.
    bool primary = false;
    if (GetMonitorAreas(Wnd, areas.WorkArea, areas.Monitor, primary)) {
        areas.Screen = primary ? areas.Monitor : GetDesktopWorkArea(false);
        return areas;
    }
    // A system that cannot be asked about its monitors has the one screen.
    areas.Screen = GetDesktopWorkArea(false);
    areas.WorkArea = GetDesktopWorkArea(true);
    areas.Monitor = areas.Screen;
    return areas;
}

}  // namespace sk
