#pragma once
// Painting the part of a parent's background that lies under a control which has no
// background of its own, into the control's canvas.
#include "classlib/graphics/Canvas.h"
#include "classlib/controls/Controls.h"
#include "skin/drawing/Utils.h"

#include <windows.h>

namespace sk {

// Parents that draw a skinned background of their own (tab sheets, tab controls) are painted
// by a painter their unit registers: it answers true when it recognised Parent and painted its
// background into DC. Painters are asked in the order they were registered, before any other
// way of painting the parent.
using TskParentBackgroundPainter = bool (*)(cl::TWinControl* Parent, HDC DC);
void RegisterParentBackgroundPainter(TskParentBackgroundPainter Painter);
void UnregisterParentBackgroundPainter(TskParentBackgroundPainter Painter);

// Into Canvas, whose origin is Control's top-left corner. Nothing without a control or parent,
// and nothing while the parent is already painting a copy of itself (a transparent child asked
// again from inside that copy).
void DrawParentImage(cl::TControl* Control, cl::TCanvas* Canvas);
// The same for a canvas whose origin lies at R.TopLeft inside Control.
void DrawParentImageEx(cl::TControl* Control, const TRect& R, cl::TCanvas* Canvas);

}  // namespace sk
