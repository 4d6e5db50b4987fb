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
    areas.Screen = GetDesktopWorkArea(false);
    areas.WorkArea = GetDesktopWorkArea(true);
    areas.Monitor = areas.Screen;
    GetMonitorWorkArea(Wnd, true, areas.WorkArea);
    GetMonitorWorkArea(Wnd, false, areas.Monitor);
    return areas;
}

}  // namespace sk
