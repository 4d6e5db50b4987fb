// Aligned children: top, bottom, left, right, then client, within the client rectangle the
// control leaves after its own borders. Runs again whenever a child or the parent changes.
#include <algorithm>

#include "classlib/controls/Controls.h"

namespace cl {

namespace {

// Whether C1 goes before C2 among the controls aligned the same way.
bool InsertBefore(TControl* C1, TControl* C2, TAlign Align)
{
    switch (Align) {
    case alTop: return C1->Top() < C2->Top();
    case alBottom: return C1->Top() + C1->Height() >= C2->Top() + C2->Height();
    case alLeft: return C1->Left() < C2->Left();
    case alRight: return C1->Left() + C1->Width() >= C2->Left() + C2->Width();
    default: return false;
    }
}

void Position(TControl* Control, TAlign Align, TRect& Rect)
{
    int left = Rect.Left;
    int top = Rect.Top;
    int width = Rect.Width();
    int height = Rect.Height();
    switch (Align) {
    case alTop:
        Rect.Top += Control->Height();
        height = Control->Height();
        break;
    case alBottom:
        Rect.Bottom -= Control->Height();
        top = Rect.Bottom;
        height = Control->Height();
        break;
    case alLeft:
        Rect.Left += Control->Width();
        width = Control->Width();
        break;
    case alRight:
        Rect.Right -= Control->Width();
        left = Rect.Right;
        width = Control->Width();
        break;
    default:
        break;
    }
    Control->SetBounds(left, top, std::max(width, 0), std::max(height, 0));
    // Constraints may have refused the size: the rest of the area follows what it took.
    const int dw = width - Control->Width();
    const int dh = height - Control->Height();
    switch (Align) {
    case alTop: Rect.Top -= dh; break;
    case alBottom: Rect.Bottom += dh; break;
    case alLeft: Rect.Left -= dw; break;
    case alRight: Rect.Right += dw; break;
    case alClient:
        Rect.Right -= dw;
        Rect.Bottom -= dh;
        break;
    default: break;
    }
}

}  // namespace

void TWinControl::AdjustClientRect(TRect& Rect) {}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    AdjustClientRect(Rect);
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        if (AControl && AControl->Parent() == this && AControl->Align() == align && AControl->Visible())
            list.push_back(AControl);
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c == AControl || c->Align() != align || !c->Visible())
                continue;
            std::size_t j = 0;
            while (j < list.size() && !InsertBefore(c, list[j], align))
                ++j;
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
        }
        for (TControl* c : list)
            Position(c, align, Rect);
    }
}

void TWinControl::ControlsAlignChanged(TControl* AControl)
{
    if (realigning_)
        return;
    bool anyAligned = AControl && AControl->Align() != alNone;
    for (int i = 0; !anyAligned && i < ControlCount(); ++i)
        anyAligned = Controls(i)->Align() != alNone;
    if (!anyAligned)
        return;
    if (alignLevel_ > 0 || ComponentState().Contains(csLoading)) {
        SetControlState(ControlState() + csAlignmentNeeded);
        return;
    }
    realigning_ = true;
    try {
        TRect r = ClientRect();
        AlignControls(AControl, r);
    } catch (...) {
        realigning_ = false;
        throw;
    }
    realigning_ = false;
    SetControlState(ControlState() - csAlignmentNeeded);
}

void TWinControl::ApplyAnchors(int DX, int DY)
{
    // Children anchored to the right or bottom keep their distance from that edge: they move,
    // or grow when anchored to both sides. Anchored to neither side, they keep to the middle.
    realigning_ = true;
    try {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            const TAnchors a = c->Anchors();
            if (c->Align() != alNone || a == TAnchors{akLeft, akTop})
                continue;
            int left = c->Left();
            int top = c->Top();
            int width = c->Width();
            int height = c->Height();
            if (a.Contains(akRight))
                (a.Contains(akLeft) ? width : left) += DX;
            else if (!a.Contains(akLeft))
                left += DX / 2;
            if (a.Contains(akBottom))
                (a.Contains(akTop) ? height : top) += DY;
            else if (!a.Contains(akTop))
                top += DY / 2;
            c->SetBounds(left, top, std::max(width, 0), std::max(height, 0));
        }
    } catch (...) {
        realigning_ = false;
        throw;
    }
    realigning_ = false;
}

void TWinControl::AlignNow()
{
    const TRect client = ClientRect();
    if (anchorClient_.cx >= 0 && !realigning_) {
        const int dx = client.Width() - anchorClient_.cx;
        const int dy = client.Height() - anchorClient_.cy;
        anchorClient_ = {client.Width(), client.Height()};
        if (dx || dy)
            ApplyAnchors(dx, dy);
    }
    anchorClient_ = {client.Width(), client.Height()};
    ControlsAlignChanged(nullptr);
}

void TWinControl::Realign() { AlignNow(); }

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign()
{
    if (alignLevel_ > 0 && --alignLevel_ == 0 && ControlState().Contains(csAlignmentNeeded))
        AlignNow();
}

}  // namespace cl
