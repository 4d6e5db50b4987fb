// The frame's geometry at its current size: the skin's form description fitted to it, where
// the caption objects go, the window region from the mask and the hit-test codes.
#include "skin/drawing/Regions.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/frame/Messages.h"

namespace sk {

namespace {

TRect Moved(TRect R, int DX, int DY)
{
    R.Left += DX;
    R.Right += DX;
    R.Top += DY;
    R.Bottom += DY;
    return R;
}

// The whole rectangle lies inside the zone, edges included.
bool Inside(const TRect& R, const TRect& Zone)
{
    return R.Left >= Zone.Left && R.Top >= Zone.Top && R.Right <= Zone.Right && R.Bottom <= Zone.Bottom;
}

// Right and bottom edges excluded.
bool In(const TPoint& P, const TRect& Zone)
{
    return P.X >= Zone.Left && P.Y >= Zone.Top && P.X < Zone.Right && P.Y < Zone.Bottom;
}

int PictureWidth(const TskSkinData& Data) { return Data.Picture ? Data.Picture->Width() : 0; }
int PictureHeight(const TskSkinData& Data) { return Data.Picture ? Data.Picture->Height() : 0; }

bool IsButton(const TskActiveSkinObject* Object, TskStdCommand Command)
{
    if (auto* b = dynamic_cast<const TskSkinStdButtonObject*>(Object))
        return b->Command == Command;
    if (auto* a = dynamic_cast<const TskSkinAnimateObject*>(Object))
        return a->Command == Command;
    return false;
}

// A black pixel of a mask strip at (X, Y) of the strip.
bool BlackAt(const cl::TBitmap& Strip, int X, int Y)
{
    if (X < 0 || Y < 0 || X >= Strip.Width() || Y >= Strip.Height())
        return false;
    return (Strip.Pixels(X, Y) & 0xFFFFFF) == 0;
}

// True when the window's region is Region.
bool WindowHasRegion(HWND Wnd, HRGN Region)
{
    TskRegion current(CreateRectRgn(0, 0, 0, 0));
    return current && GetWindowRgn(Wnd, current.Handle()) != ERROR && EqualRgn(current.Handle(), Region);
}

// What a shown window's present shape covers and Shape (window coordinates; nullptr: the whole
// window) does not, in the coordinates of the window's parent (the screen for a top-level
// window). Empty when nothing is uncovered.
TskRegion UncoveredBy(HWND Wnd, HRGN Shape)
{
    if (!Shape || !IsWindowVisible(Wnd))
        return {};
    RECT r{};
    GetWindowRect(Wnd, &r);
    TskRegion present(CreateRectRgn(0, 0, r.right - r.left, r.bottom - r.top));
    TskRegion uncovered(CreateRectRgn(0, 0, 0, 0));
    if (!present || !uncovered)
        return {};
    // A window without a region is all shape.
    if (GetWindowRgn(Wnd, present.Handle()) == ERROR)
        SetRectRgn(present.Handle(), 0, 0, r.right - r.left, r.bottom - r.top);
    if (CombineRgn(uncovered.Handle(), present.Handle(), Shape, RGN_DIFF) <= NULLREGION)
        return {};
    POINT origin{r.left, r.top};
    MapWindowPoints(HWND_DESKTOP, GetAncestor(Wnd, GA_PARENT), &origin, 1);
    OffsetRgn(uncovered.Handle(), origin.x, origin.y);
    return uncovered;
}

}  // namespace

TskFrameRects FitFrameRects(const TskSkinData& Data, int W, int H)
{
    const int dw = W - PictureWidth(Data);
    const int dh = H - PictureHeight(Data);
    TskFrameRects r;
    r.NewLTPoint = Data.LTPoint;
    r.NewRTPoint = {Data.RTPoint.X + dw, Data.RTPoint.Y};
    r.NewLBPoint = {Data.LBPoint.X, Data.LBPoint.Y + dh};
    r.NewRBPoint = {Data.RBPoint.X + dw, Data.RBPoint.Y + dh};
    r.NewClRect = cl::Rect(Data.ClRect.Left, Data.ClRect.Top, Data.ClRect.Right + dw, Data.ClRect.Bottom + dh);
    r.NewCaptionRect = Data.CaptionRect;
    if (!IsNullRect(Data.CaptionRect))
        r.NewCaptionRect.Right += dw;
    r.NewButtonsRect = Data.ButtonsRect;
    if (!IsNullRect(Data.ButtonsRect) && Data.ButtonsRect.Left > PictureWidth(Data) / 2)
        r.NewButtonsRect = Moved(Data.ButtonsRect, dw, 0);
    r.NewHitTestLTPoint = Data.HitTestLTPoint;
    r.NewHitTestRTPoint = {Data.HitTestRTPoint.X + dw, Data.HitTestRTPoint.Y};
    r.NewHitTestLBPoint = {Data.HitTestLBPoint.X, Data.HitTestLBPoint.Y + dh};
    r.NewHitTestRBPoint = {Data.HitTestRBPoint.X + dw, Data.HitTestRBPoint.Y + dh};
    r.NewMaskRectArea = cl::Rect(Data.MaskRectArea.Left, Data.MaskRectArea.Top, Data.MaskRectArea.Right + dw,
                                 Data.MaskRectArea.Bottom + dh);
    return r;
}

TRect PlaceFrameObject(const TskSkinData& Data, const TskFrameRects& Rects, const TRect& R)
{
    const int pw = PictureWidth(Data);
    const int ph = PictureHeight(Data);
    const int dx = Rects.NewRBPoint.X - Data.RBPoint.X;
    const int dy = Rects.NewRBPoint.Y - Data.RBPoint.Y;
    const TRect z1 = cl::Rect(0, 0, Data.LTPoint.X, Data.LTPoint.Y);
    const TRect z2 = cl::Rect(Data.RTPoint.X, 0, pw, Data.RTPoint.Y);
    const TRect z3 = cl::Rect(0, Data.LBPoint.Y, Data.LBPoint.X, ph);
    const TRect z4 = cl::Rect(Data.RBPoint.X, Data.RBPoint.Y, pw, ph);
    if (Inside(R, z1))
        return R;
    if (Inside(R, z2))
        return Moved(R, dx, 0);
    if (Inside(R, z3))
        return Moved(R, 0, dy);
    if (Inside(R, z4))
        return Moved(R, dx, dy);
    const TPoint tl{R.Left, R.Top};
    const TPoint br{R.Right, R.Bottom};
    TRect r = R;
    if (In(tl, z1) && In(br, z4)) {
        r.Right += dx;
        r.Bottom += dy;
    } else if (In(tl, z1) && In(br, z2)) {
        r.Right += dx;
    } else if (In(tl, z3) && In(br, z4)) {
        r.Right += dx;
        r = Moved(r, 0, dy);
    } else if (In(tl, z1) && In(br, z3)) {
        r.Bottom += dy;
    } else if (In(tl, z2) && In(br, z4)) {
        r = Moved(r, dx, 0);
        r.Bottom += dy;
    }
    return r;
}

void TskSkinFrame::CalcRects()
{
    if (fw_ == 0 || fh_ == 0) {
        fw_ = form_->Width();
        fh_ = form_->Height();
    }
    if (!skinData_)
        return;
    rects_ = FitFrameRects(*skinData_, fw_, fh_);
    for (auto& object : objects_)
        if (!object->SkinRectInAPicture)
            object->ObjectRect = PlaceFrameObject(*skinData_, rects_, object->SkinRect);
}

void TskSkinFrame::ArrangeCaptionButtons()
{
    if (!skinData_)
        return;
    const bool inButtons = !IsNullRect(rects_.NewButtonsRect);
    const TRect row = inButtons ? rects_.NewButtonsRect : rects_.NewCaptionRect;
    if (IsNullRect(row))
        return;
    const int gap = skinData_->ButtonsOffset;
    const bool leftToRight = skinData_->ButtonsInLeft;
    auto selfDrawn = [](const TskActiveSkinObject* o) { return o->SkinRectInAPicture && o->Visible; };
    auto sizeOf = [this](const TskActiveSkinObject* o) {
        if (IsButton(o, cmSysMenu) && showIcon_) {
            auto* b = dynamic_cast<const TskSkinStdButtonObject*>(o);
            if (b && b->SkinRectInAPicture) {
                const cl::TSize s = SmallIconSize();
                return TPoint{s.cx, s.cy};
            }
        }
        return TPoint{o->SkinRect.Width(), o->SkinRect.Height()};
    };
    std::vector<TskActiveSkinObject*> order;
    for (TskStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
        for (auto& o : objects_)
            if (selfDrawn(o.get()) && IsButton(o.get(), command)) {
                order.push_back(o.get());
                break;
            }
    for (auto& o : objects_)
        if (selfDrawn(o.get()) && IsButton(o.get(), cmDefault))
            order.push_back(o.get());
    TskActiveSkinObject* sysMenu = nullptr;
    for (auto& o : objects_)
        if (selfDrawn(o.get()) && IsButton(o.get(), cmSysMenu)) {
            sysMenu = o.get();
            break;
        }
    TskSkinCaptionObject* caption = CaptionObject();
    int x = leftToRight ? row.Left : row.Right;
    for (TskActiveSkinObject* o : order) {
        const TPoint s = sizeOf(o);
        if (leftToRight) {
            o->ObjectRect = cl::Rect(x, row.Top, x + s.X, row.Top + s.Y);
            x += gap + s.X;
        } else {
            o->ObjectRect = cl::Rect(x - s.X, row.Top, x, row.Top + s.Y);
            x -= gap + s.X;
        }
    }
    const TRect& cr = rects_.NewCaptionRect;
    if (!leftToRight) {
        if (!inButtons && caption)
            caption->ObjectRect.Right = x + gap;
        if (sysMenu) {
            const TPoint s = sizeOf(sysMenu);
            const int top = cr.Top + cr.Height() / 2 - s.Y / 2;
            sysMenu->ObjectRect = cl::Rect(cr.Left, top, cr.Left + s.X, top + s.Y);
            if (caption)
                caption->ObjectRect.Left = cr.Left + s.X;
        }
    } else if (!inButtons) {
        if (sysMenu) {
            const TPoint s = sizeOf(sysMenu);
            sysMenu->ObjectRect = cl::Rect(x, row.Top, x + s.X, row.Top + s.Y);
            x += gap + s.X;
        }
        if (caption)
            caption->ObjectRect.Left = x + gap;
    }
}

// ---------------------------------------------------------------------------------------------
// Region

void TskSkinFrame::UpdateRegion(bool Arrange, bool KeepEqual)
{
    if (ComponentState().Contains(cl::csDesigning) || !skinnedFrame_ || !HasSkinPicture())
        return;
    CalcRects();
    if (Arrange)
        ArrangeCaptionButtons();
    SetFormRegion(KeepEqual);
    // A skin change draws the whole window at its end.
    if (!shaped_ && !changingSkin_)
        SendNCPaint();
}

// A window that takes Shape (nullptr: none) owns it from then on and deletes the region it held
// before. Outside a skin change the platform draws the window anew with its new shape. A skin change
// draws the whole window once, at its end: the shape then draws nothing of the window itself,
// and only what it uncovers of the windows below is drawn again, as the platform would have.
bool TskSkinFrame::SetWindowShape(HWND Wnd, HRGN Shape)
{
    if (!changingSkin_)
        return SetWindowRgn(Wnd, Shape, TRUE) != 0;
    const TskRegion uncovered = UncoveredBy(Wnd, Shape);
    if (!SetWindowRgn(Wnd, Shape, FALSE))
        return false;
    if (uncovered)
        RedrawWindow(GetAncestor(Wnd, GA_PARENT), nullptr, uncovered.Handle(),
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return true;
}

void TskSkinFrame::SetFormRegion(bool KeepEqual)
{
    if (!form_->HandleAllocated())
        return;
    HWND wnd = form_->Handle();
    const bool noMask = !skinnedFrame_ || !HasSkinPicture() || !skinData_->Mask || skinData_->Mask->Empty();
    if (!Bordered() || noMask) {
        if (shaped_) {
            SetWindowShape(wnd, nullptr);
            shaped_ = false;
        }
        if (noMask) {
            maskTop_.SetSize(0, 0);
            maskLeft_.SetSize(0, 0);
            maskRight_.SetSize(0, 0);
            maskBottom_.SetSize(0, 0);
        }
        return;
    }
    TskAreaPoints area{skinData_->LTPoint, skinData_->RTPoint, skinData_->LBPoint, skinData_->RBPoint,
                       skinData_->MaskRectArea};
    TskAreaPoints newArea{rects_.NewLTPoint, rects_.NewRTPoint, rects_.NewLBPoint, rects_.NewRBPoint,
                          rects_.NewMaskRectArea};
    maskTop_.SetSize(0, 0);
    maskLeft_.SetSize(0, 0);
    maskRight_.SetSize(0, 0);
    maskBottom_.SetSize(0, 0);
    ComposeSkinMaskImage(area, newArea, &maskLeft_, &maskTop_, &maskRight_, &maskBottom_, skinData_->Mask.get(), fw_,
                         fh_);
    TskRegion rgn = CreateSkinRegion(area, newArea, skinData_->Mask.get(), fw_, fh_);
    if (!rgn) {
        if (shaped_) {
            SetWindowShape(wnd, nullptr);
            shaped_ = false;
        }
        return;
    }
    if (KeepEqual && shaped_ && WindowHasRegion(wnd, rgn.Handle()))
        return;
    shaped_ = SetWindowShape(wnd, rgn.Handle());
    if (shaped_)
        rgn.Release();
}

// ---------------------------------------------------------------------------------------------
// Hit testing

// NewMaskRectArea plus the black pixels of the four mask strips as the region places them.
bool TskSkinFrame::InShape(TPoint P) const
{
    const TRect& m = rects_.NewMaskRectArea;
    if (In(P, m))
        return true;
    return BlackAt(maskTop_, P.X, P.Y) || BlackAt(maskBottom_, P.X, P.Y - m.Bottom) ||
           BlackAt(maskLeft_, P.X, P.Y - m.Top) || BlackAt(maskRight_, P.X - m.Right, P.Y - m.Top);
}

LRESULT TskSkinFrame::HitTestSkin(TPoint P)
{
    CalcRects();
    TskSkinCaptionObject* caption = CaptionObject();
    const int object = ObjectAt(P);
    const bool overButton = object != -1 && !dynamic_cast<TskSkinCaptionObject*>(Objects(object));
    const bool overCaption = caption && In(P, caption->ObjectRect) && !overButton;
    if (RolledUp || WindowState == fwsMinimized)
        return overCaption ? HTCAPTION : HTOBJECT;
    const TRect& cl = rects_.NewClRect;
    if (ActiveObject != -1 && !overCaption && !In(P, cl) && !inSizeMove_)
        return HTOBJECT;
    if (WindowState != fwsMaximized && Sizeable()) {
        const int b = skinData_->BorderWidth;
        const TPoint probes[] = {{P.X - b, P.Y}, {P.X, P.Y - b}, {P.X + b, P.Y}, {P.X, P.Y + b}};
        bool band = false;
        const bool hasMask = skinData_->Mask && !skinData_->Mask->Empty();
        if (!hasMask) {
            const TRect all = cl::Rect(0, 0, fw_, fh_);
            for (const TPoint& q : probes)
                band = band || !In(q, all);
        } else if (!In(P, rects_.NewMaskRectArea)) {
            for (const TPoint& q : probes)
                band = band || !InShape(q);
        }
        if (band) {
            const TskFrameRects& r = rects_;
            if (P.X <= r.NewHitTestLTPoint.X && P.Y <= r.NewHitTestLTPoint.Y)
                return HTTOPLEFT;
            if (P.X >= r.NewHitTestRTPoint.X && P.Y <= r.NewHitTestRTPoint.Y)
                return HTTOPRIGHT;
            if (P.X <= r.NewHitTestLBPoint.X && P.Y >= r.NewHitTestLBPoint.Y)
                return HTBOTTOMLEFT;
            if (P.X >= r.NewHitTestRBPoint.X && P.Y >= r.NewHitTestRBPoint.Y)
                return HTBOTTOMRIGHT;
            if (In(P, cl::Rect(r.NewHitTestLTPoint.X, 0, r.NewHitTestRTPoint.X, cl.Top)))
                return HTTOP;
            if (In(P, cl::Rect(r.NewHitTestLBPoint.X, cl.Bottom, r.NewHitTestRBPoint.X, fh_)))
                return HTBOTTOM;
            if (In(P, cl::Rect(0, r.NewHitTestLTPoint.Y, cl.Left, r.NewHitTestLBPoint.Y)))
                return HTLEFT;
            if (In(P, cl::Rect(cl.Right, r.NewHitTestRTPoint.Y, fw_, r.NewHitTestRBPoint.Y)))
                return HTRIGHT;
        }
    }
    if (In(P, cl))
        return HTCLIENT;
    if (overCaption)
        return HTCAPTION;
    return HTOBJECT;
}

LRESULT TskSkinFrame::HitTest(TPoint P)
{
    return skinnedFrame_ && HasSkinPicture() ? HitTestSkin(P) : HitTestDefault(P);
}

LRESULT TskSkinFrame::HitTestDefault(TPoint P)
{
    if (fw_ == 0 || fh_ == 0) {
        fw_ = form_->Width();
        fh_ = form_->Height();
    }
    const int w = fw_;
    const int h = fh_;
    const int ch = DefaultCaptionHeight();
    if (WindowState == fwsNormal && !RolledUp && Sizeable()) {
        if (ActiveObject != -1)
            return HTOBJECT;
        const bool left = P.X < 3;
        const bool top = P.Y < 3;
        const bool right = P.X >= w - 2;
        const bool bottom = P.Y >= h - 2;
        if (left && top)
            return HTTOPLEFT;
        if (right && top)
            return HTTOPRIGHT;
        if (left && bottom)
            return HTBOTTOMLEFT;
        if (right && bottom)
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (top)
            return HTTOP;
        if (right)
            return HTRIGHT;
        if (bottom)
            return HTBOTTOM;
    }
    TRect caption = cl::Rect(3, 3, w - 3, ch);
    ArrangeDefaultButtons(caption);
    if (In(P, caption))
        return HTCAPTION;
    if (In(P, cl::Rect(3, ch + 3, w - 3, h - 3)))
        return HTCLIENT;
    return HTOBJECT;
}

}  // namespace sk
