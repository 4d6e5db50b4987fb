// Painting the non-client frame (from the skin, or the plain built-in look) and the client
// background.
#include "classlib/system/SysUtils.h"
#include "skin/drawing/Effects.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/drawing/Text.h"
#include "skinforms/frame/Frame.h"

namespace sk {

namespace {

// A canvas on a DC someone else owns, let go of on every path.
class TBorrowedCanvas {
public:
    explicit TBorrowedCanvas(HDC DC) { canvas_.SetHandle(DC); }
    ~TBorrowedCanvas() { canvas_.SetHandle(nullptr); }
    TBorrowedCanvas(const TBorrowedCanvas&) = delete;
    TBorrowedCanvas& operator=(const TBorrowedCanvas&) = delete;
    cl::TCanvas* operator->() { return &canvas_; }
    cl::TCanvas* Get() { return &canvas_; }

private:
    cl::TCanvas canvas_;
};

void DrawBitmap(HDC DC, int X, int Y, cl::TBitmap& B)
{
    if (B.Empty())
        return;
    BitBlt(DC, X, Y, B.Width(), B.Height(), B.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// Dest becomes a copy of Source, in place when the size is the same.
void CopyImage(cl::TBitmap& Dest, cl::TBitmap& Source)
{
    Dest.SetSize(Source.Width(), Source.Height());
    if (!Source.Empty())
        BitBlt(Dest.Canvas()->Handle(), 0, 0, Source.Width(), Source.Height(), Source.Canvas()->Handle(), 0, 0,
               SRCCOPY);
}

// One-pixel frame of R: top and left lines in TopLeft, bottom and right in BottomRight.
void Frame3D(cl::TCanvas* Canvas, const TRect& R, TColor TopLeft, TColor BottomRight)
{
    Canvas->Pen()->SetColor(TopLeft);
    Canvas->MoveTo(R.Left, R.Bottom - 1);
    Canvas->LineTo(R.Left, R.Top);
    Canvas->LineTo(R.Right - 1, R.Top);
    Canvas->Pen()->SetColor(BottomRight);
    Canvas->LineTo(R.Right - 1, R.Bottom - 1);
    Canvas->LineTo(R.Left - 1, R.Bottom - 1);
}

// Tiles Part of Picture over a W by H area of the DC from (0, 0); an empty part fills with
// clBtnFace.
void TileOver(HDC DC, int W, int H, cl::TBitmap* Picture, const TRect& Part)
{
    if (TileRect(DC, cl::Rect(0, 0, W, H), {0, 0}, Picture, Part))
        return;
    TBorrowedCanvas c(DC);
    c->Brush()->SetColor(cl::clBtnFace);
    c->FillRect(cl::Rect(0, 0, W, H));
}

}  // namespace

// Which borders a skin has does not depend on the size: the images need to go only when the
// skin changes.
void TskSkinFrame::DropWorkImages()
{
    borderKey_.reset();
    for (cl::TBitmap* image : {&borderLeft_, &borderTop_, &borderRight_, &borderBottom_, &workTop_, &workBottom_})
        image->SetSize(0, 0);
}

void TskSkinFrame::ComposeBorders(cl::TBitmap* Source)
{
    const TskSkinData& d = *skinData_;
    const TskFrameRects& r = rects_;
    TskFrameBorderKey key{Source,        Source->Handle(), Source->Width(), Source->Height(), d.LTPoint,
                          d.RTPoint,     d.LBPoint,        d.RBPoint,       d.ClRect,         r.NewLTPoint,
                          r.NewRTPoint,  r.NewLBPoint,     r.NewRBPoint,    r.NewClRect,      fw_,
                          fh_,           d.LeftStretch,    d.TopStretch,    d.RightStretch,   d.BottomStretch};
    if (borderKey_ == key)
        return;
    borderKey_.reset();
    const TskAreaPoints area{d.LTPoint, d.RTPoint, d.LBPoint, d.RBPoint, d.ClRect};
    const TskAreaPoints newArea{r.NewLTPoint, r.NewRTPoint, r.NewLBPoint, r.NewRBPoint, r.NewClRect};
    // A border the new size has no room for must not show the old one.
    for (cl::TBitmap* image : {&borderLeft_, &borderTop_, &borderRight_, &borderBottom_})
        image->SetSize(0, 0);
    ComposeSkinBorderImages(area, newArea, &borderLeft_, &borderTop_, &borderRight_, &borderBottom_, Source,
                            cl::Rect(0, 0, Source->Width(), Source->Height()), fw_, fh_, d.LeftStretch, d.TopStretch,
                            d.RightStretch, d.BottomStretch);
    borderKey_ = key;
}

void TskSkinFrame::PaintFrame(HDC DC, bool UseDC)
{
    if (skinnedFrame_ && HasSkinPicture())
        PaintNCSkin(DC, UseDC);
    else
        PaintNCDefault(DC, UseDC);
    if (!UseDC)
        framePainted_ = true;
}

// Objects reaching below the client top draw on the bottom image, moved up to its origin.
void TskSkinFrame::DrawObjects(cl::TCanvas* Canvas, int DY, bool Bottom)
{
    for (auto& object : objects_) {
        if (!object->Visible)
            continue;
        const bool below = object->ObjectRect.Bottom > rects_.NewClRect.Top;
        if (below != Bottom)
            continue;
        if (!Bottom) {
            object->Draw(Canvas, false);
            continue;
        }
        const TRect saved = object->ObjectRect;
        object->ObjectRect.Top -= DY;
        object->ObjectRect.Bottom -= DY;
        object->Draw(Canvas, false);
        object->ObjectRect = saved;
    }
}

void TskSkinFrame::PaintNCSkin(HDC DC, bool UseDC)
{
    if (fw_ == 0 || fh_ == 0) {
        fw_ = form_->Width();
        fh_ = form_->Height();
    }
    if (!ReachesMinSize(fw_, fh_))
        return;
    CalcRects();
    ArrangeCaptionButtons();
    std::unique_ptr<cl::TWindowDC> own;
    if (!UseDC) {
        if (!form_->HandleAllocated())
            return;
        own = std::make_unique<cl::TWindowDC>(form_->Handle(), cl::TWindowDC::TArea::Window);
        DC = own->Handle();
    }
    if (!DC)
        return;
    const TskSkinData& d = *skinData_;
    const bool active = IsActive();
    cl::TBitmap* source = d.Picture.get();
    if (!active && d.InactivePicture && !d.InactivePicture->Empty())
        source = d.InactivePicture.get();
    ComposeBorders(source);
    cl::TBitmap& left = borderLeft_;
    cl::TBitmap& right = borderRight_;
    cl::TBitmap& top = workTop_;
    cl::TBitmap& bottom = workBottom_;
    CopyImage(top, borderTop_);
    CopyImage(bottom, borderBottom_);
    if (!top.Empty())
        DrawObjects(top.Canvas(), 0, false);
    if (!bottom.Empty())
        DrawObjects(bottom.Canvas(), rects_.NewClRect.Bottom, true);
    cl::TSavedDCState state(DC);
    const TRect& c = rects_.NewClRect;
    if (c.Bottom > c.Top)
        ExcludeClipRect(DC, c.Left, c.Top, c.Right, c.Bottom);
    const int topH = top.Height();
    const TPoint places[] = {{0, 0}, {0, topH}, {fw_ - right.Width(), topH}, {0, fh_ - bottom.Height()}};
    cl::TBitmap* images[] = {&top, &left, &right, &bottom};
    for (int i = 0; i < 4; ++i) {
        cl::TBitmap& image = *images[i];
        if (image.Empty())
            continue;
        if (!active && d.AutoRenderingInactiveImage) {
            std::unique_ptr<TskEffectBmp> e = TskEffectBmp::CreateFromHandle(image.Handle());
            e->ApplyImageEffect(d.InactiveEffect);
            e->Draw(DC, places[i].X, places[i].Y);
        } else {
            DrawBitmap(DC, places[i].X, places[i].Y, image);
        }
    }
}

void TskSkinFrame::ArrangeDefaultButtons(TRect& Caption)
{
    if (objects_.empty())
        return;
    const int size = DefaultButtonSize();
    int x = fw_ - 3;
    for (TskStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
        for (auto& o : objects_) {
            auto* b = dynamic_cast<TskSkinStdButtonObject*>(o.get());
            if (b && b->Command == command && b->Visible && b->SkinRectInAPicture) {
                b->ObjectRect = cl::Rect(x - size, 4, x, 4 + size);
                x -= size;
                break;
            }
        }
    Caption.Right = x;
    for (auto& o : objects_) {
        auto* b = dynamic_cast<TskSkinStdButtonObject*>(o.get());
        if (b && b->Command == cmSysMenu && b->Visible && b->SkinRectInAPicture) {
            const cl::TSize s = showIcon_ ? SmallIconSize() : cl::TSize{size, size};
            b->ObjectRect = cl::Rect(3, 4, 3 + s.cx, 4 + s.cy);
            Caption.Left = b->ObjectRect.Right;
            break;
        }
    }
}

void TskSkinFrame::PaintDefaultCaption(cl::TCanvas* Canvas, const TRect& Caption)
{
    const std::string& text = CaptionText();
    if (text.empty())
        return;
    const int ch = DefaultCaptionHeight();
    Canvas->Font()->Assign(IsActive() ? &defCaptionFont_ : &defInActiveCaptionFont_);
    if (skinData_ && skinData_->ResourceStrData())
        Canvas->Font()->SetCharset(skinData_->ResourceStrData()->CharSet());
    std::wstring wide = cl::AnsiToWide(text);
    FitTextToWidth(Canvas, wide, Caption.Width() + 3);
    const int tw = GetTextWidth(Canvas, wide);
    const int th = GetTextHeight(Canvas, wide);
    const int x = Caption.Left + (Caption.Width() + 3) / 2 - (tw + 5) / 2;
    const int y = 3 + ch / 2 - th / 2;
    TRect r = cl::Rect(x, y, x, y);
    DrawSkinText(Canvas, wide, r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    Canvas->Brush()->SetColor(cl::clBtnFace);
    Canvas->FillRect(cl::Rect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2));
    Canvas->Brush()->SetStyle(cl::bsClear);
    DrawSkinText(Canvas, wide, r, DT_NOPREFIX | DT_SINGLELINE);
    Canvas->Brush()->SetStyle(cl::bsSolid);
}

void TskSkinFrame::PaintNCDefault(HDC DC, bool UseDC)
{
    fw_ = form_->Width();
    fh_ = form_->Height();
    if (fw_ < 1 || fh_ < 1)
        return;
    if (objects_.empty() && !skinnedFrame_)
        CreateDefaultButtons();
    std::unique_ptr<cl::TWindowDC> own;
    if (!UseDC) {
        if (!form_->HandleAllocated())
            return;
        own = std::make_unique<cl::TWindowDC>(form_->Handle(), cl::TWindowDC::TArea::Window);
        DC = own->Handle();
    }
    if (!DC)
        return;
    const int w = fw_;
    const int h = fh_;
    const int ch = DefaultCaptionHeight();
    TRect caption = cl::Rect(3, 3, w - 3, ch);
    ArrangeDefaultButtons(caption);

    // The caption strip, drawn in frame coordinates through its origin at (3, 3).
    cl::TBitmap strip;
    strip.SetSize(std::max(w - 6, 1), ch);
    cl::TCanvas* sc = strip.Canvas();
    sc->Brush()->SetColor(cl::clBtnFace);
    sc->FillRect(cl::Rect(0, 0, strip.Width(), strip.Height()));
    {
        POINT old{};
        SetWindowOrgEx(sc->Handle(), 3, 3, &old);
        for (int row = 2; row <= ch - 4; ++row) {
            sc->Pen()->SetColor((row - 2) % 2 == 0 ? cl::clBtnHighlight : cl::clBtnShadow);
            sc->MoveTo(caption.Left + 2, row + 3);
            sc->LineTo(caption.Right - 3, row + 3);
        }
        PaintDefaultCaption(sc, caption);
        for (auto& o : objects_)
            if (o->Visible)
                o->Draw(sc, false);
        SetWindowOrgEx(sc->Handle(), old.x, old.y, nullptr);
    }

    cl::TSavedDCState state(DC);
    ExcludeClipRect(DC, 3, ch + 3, w - 3, h - 3);
    DrawBitmap(DC, 3, 3, strip);
    TBorrowedCanvas c(DC);
    // The band between the strip and the client area.
    c->Brush()->SetColor(cl::clBtnFace);
    c->FillRect(cl::Rect(3, 3 + ch, w - 3, ch + 3));
    Frame3D(c.Get(), cl::Rect(0, 0, w, h), cl::cl3DLight, cl::cl3DDkShadow);
    Frame3D(c.Get(), cl::Rect(1, 1, w - 1, h - 1), cl::clBtnHighlight, cl::clBtnShadow);
    Frame3D(c.Get(), cl::Rect(2, 2, w - 2, h - 2), cl::clBtnFace, cl::clBtnFace);
}

void TskSkinFrame::PaintClientBackground(HDC DC)
{
    if (!DC)
        return;
    const TRect client = form_->ClientRect();
    const int cw = client.Width();
    const int ch = client.Height();
    if (!skinnedFrame_ || !HasSkinPicture()) {
        TBorrowedCanvas c(DC);
        c->Brush()->SetColor(cl::clBtnFace);
        c->FillRect(cl::Rect(0, 0, cw, ch));
    } else if (cl::TBitmap* bg = skinData_->ActivePictures.Items(skinData_->BGPictureIndex)) {
        TileOver(DC, cw, ch, bg, cl::Rect(0, 0, bg->Width(), bg->Height()));
    } else if (!IsNullRect(skinData_->ClRect)) {
        TileOver(DC, cw, ch, skinData_->Picture.get(), skinData_->ClRect);
    } else {
        TBorrowedCanvas c(DC);
        c->Brush()->SetColor(cl::clBtnFace);
        c->FillRect(cl::Rect(0, 0, cw, ch));
    }
    DrawLogo(DC, cw, ch);
}

void TskSkinFrame::DrawLogo(HDC DC, int W, int H)
{
    if (!DC || logoBitMap_.Empty())
        return;
    logoBitMap_.SetTransparent(LogoBitMapTransparent);
    TBorrowedCanvas c(DC);
    c->Draw(std::max(W / 2 - logoBitMap_.Width() / 2, 0), std::max(H / 2 - logoBitMap_.Height() / 2, 0), &logoBitMap_);
}

cl::TSize TskSkinFrame::SmallIconSize() const
{
    int w = GetSystemMetrics(SM_CXSMICON);
    int h = GetSystemMetrics(SM_CYSMICON);
    if (w == 0 || h == 0) {
        w = GetSystemMetrics(SM_CXSIZE);
        h = GetSystemMetrics(SM_CYSIZE);
    }
    return {w, h};
}

HICON TskSkinFrame::SmallIcon()
{
    if (smallIcon_)
        return smallIcon_.Handle();
    HICON source = form_->Icon()->Handle();
    if (!source && cl::Application)
        source = cl::Application->Icon()->Handle();
    if (!source)
        source = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    const cl::TSize s = SmallIconSize();
    smallIcon_.Reset(static_cast<HICON>(CopyImage(source, IMAGE_ICON, s.cx, s.cy, LR_COPYFROMRESOURCE)));
    return smallIcon_.Handle();
}

}  // namespace sk
