#include "skin/drawing/Parent.h"

#include <algorithm>
#include <vector>

#include "classlib/controls/Forms.h"
#include "classlib/graphics/GdiHandles.h"

namespace sk {

namespace {

std::vector<TskParentBackgroundPainter>& Painters()
{
    static std::vector<TskParentBackgroundPainter> painters;
    return painters;
}

// The parent is marked as painting a copy of itself for as long as the copy is painted, also
// when painting throws.
class TPaintCopyScope {
public:
    explicit TPaintCopyScope(cl::TControl* Parent) : parent_(Parent)
    {
        parent_->SetControlState(parent_->ControlState() + cl::csPaintCopy);
    }
    ~TPaintCopyScope() { parent_->SetControlState(parent_->ControlState() - cl::csPaintCopy); }
    TPaintCopyScope(const TPaintCopyScope&) = delete;
    TPaintCopyScope& operator=(const TPaintCopyScope&) = delete;

private:
    cl::TControl* parent_;
};


void PaintParent(cl::TWinControl* Parent, HDC DC)
{
    for (TskParentBackgroundPainter painter : Painters())
        if (painter(Parent, DC))
            return;
    const auto* form = dynamic_cast<cl::TCustomForm*>(Parent);
    if (form && form->FormStyle() == cl::fsMDIForm) {
        // An MDI parent's visible background is its MDI client window.
        if (HWND client = FindWindowExA(Parent->Handle(), nullptr, "MDICLIENT", nullptr))
            SendMessageA(client, WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
        return;
    }
    Parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
    Parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    if (!Parent->IsForm())
        Parent->PaintWindow(DC);
}

void DrawParentAt(cl::TControl* Control, int OffsetX, int OffsetY, cl::TCanvas* Canvas)
{
    if (!Control || !Control->Parent() || !Canvas)
        return;
    cl::TWinControl* parent = Control->Parent();
    if (parent->ControlState().Contains(cl::csPaintCopy))
        return;
    HDC dc = Canvas->Handle();
    TPaintCopyScope copy(parent);
    cl::TSavedDCState saved(dc);
    SetViewportOrgEx(dc, -OffsetX - Control->Left(), -OffsetY - Control->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
    PaintParent(parent, dc);
}

}  // namespace

void RegisterParentBackgroundPainter(TskParentBackgroundPainter Painter)
{
    if (Painter && std::find(Painters().begin(), Painters().end(), Painter) == Painters().end())
        Painters().push_back(Painter);
}

void UnregisterParentBackgroundPainter(TskParentBackgroundPainter Painter)
{
    auto& painters = Painters();
    painters.erase(std::remove(painters.begin(), painters.end(), Painter), painters.end());
}

void DrawParentImage(cl::TControl* Control, cl::TCanvas* Canvas)
{
    DrawParentAt(Control, 0, 0, Canvas);
}

void DrawParentImageEx(cl::TControl* Control, const TRect& R, cl::TCanvas* Canvas)
{
    DrawParentAt(Control, R.Left, R.Top, Canvas);
}

}  // namespace sk
