// The inner list of the skinned list box: no frame and no visible native bars, its own
// background and item painting, and the outer control told of every change of its items.
#include "classlib/graphics/GdiHandles.h"
#include "skin/drawing/Composers.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/drawing/Text.h"
#include "skinforms/controls/ListBox.h"
#include "skinforms/frame/Messages.h"

namespace sk {

using namespace cl;

namespace {
// Target takes Source's look; a font that already looks the same keeps its handle, which the
// item canvas, kept from item to item, would otherwise make anew for every item.
void MatchFont(TFont* Target, TFont* Source)
{
    if (Target->Name() == Source->Name() && Target->Height() == Source->Height() &&
        Target->Style() == Source->Style() && Target->Charset() == Source->Charset() &&
        Target->Pitch() == Source->Pitch() && Target->Orientation() == Source->Orientation()) {
        Target->SetColor(Source->Color());
        return;
    }
    Target->Assign(Source);
}
}  // namespace

TskListBox::TskListBox(TComponent* AOwner) : TListBox(AOwner)
{
    SetBorderStyle(bsNone);
    SetControlStyle({csCaptureMouse, csOpaque, csDoubleClicks});
    SetStyle(lbOwnerDrawFixed);
}

void TskListBox::CreateParams(TCreateParams& Params)
{
    TListBox::CreateParams(Params);
    Params.Style &= ~WS_BORDER;
    Params.Style |= WS_TABSTOP;
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
    Params.WindowClass.style = CS_DBLCLKS;
}

void TskListBox::SetHorizontalOffset(int Value)
{
    offset_ = Value < 0 ? 0 : Value;
    Invalidate();
}

void TskListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldWidth = Width();
    TListBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (AWidth != oldWidth && offset_ > 0) {
        offset_ = std::max(0, offset_ + oldWidth - AWidth);
        Invalidate();
    }
}

TOwnerDrawState TskListBox::ItemState(int Index)
{
    return ItemState(Index, HandleAllocated() && GetFocus() == Handle());
}

TOwnerDrawState TskListBox::ItemState(int Index, bool Focused)
{
    TOwnerDrawState state;
    if (MultiSelect() ? Selected(Index) : Index == ItemIndex())
        state += odSelected;
    if (Index == ItemIndex() && Focused)
        state += odFocused;
    return state;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TskListBox::PaintBackground(HDC DC, const TRect& R)
{
    if (outer_)
        outer_->PaintListBackground(DC, R, R.TopLeft());
}

void TskListBox::PaintWindow(HDC DC)
{
    if (Width() < 1 || Height() < 1)
        return;
    const TSavedDCState saved(DC);
    // The items are drawn on the canvas, which is on this DC for the time of the paint.
    struct TCanvasOnDC {
        TCanvas* C;
        HDC Old;
        TCanvasOnDC(TCanvas* Canvas, HDC DC) : C(Canvas), Old(Canvas->HandleAllocated() ? Canvas->Handle() : nullptr)
        {
            C->SetHandle(DC);
        }
        ~TCanvasOnDC() { C->SetHandle(Old); }
    } onDC(Canvas(), DC);
    const int h = ItemHeight();
    const int count = Count();
    const int top = TopIndex();
    const int rows = h > 0 ? Height() / h : 0;
    const int last = std::min(count - 1, top + rows * std::max(1, Columns()));
    // Asked once a paint: the focus is the platform's to tell, at a round trip each time.
    const bool focused = GetFocus() == Handle();
    TRect lastRect{0, 0, Width(), 0};
    for (int i = top; i <= last && i >= 0; ++i) {
        const TRect r = ItemRect(i);
        if (IsNullRect(r))
            continue;
        DrawItem(i, r, ItemState(i, focused));
        if (Columns() == 0)
            lastRect = r;
    }
    if (Columns() == 0 && lastRect.Bottom < Height())
        PaintBackground(DC, Rect(0, lastRect.Bottom, Width(), Height()));
}

void TskListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (!outer_ || Index < 0 || Index >= Count() || IsNullRect(Rect))
        return;
    TBitmap& b = itemImage_;
    b.SetSize(RectWidth(Rect), RectHeight(Rect));
    // Each item starts from the tools of a new canvas. The painter sets the font's face, size,
    // style and colour; what it may leave is put back only when an item changed it.
    TCanvas* c = b.Canvas();
    static TFont* const fresh = new TFont;
    if (c->Font()->Charset() != fresh->Charset() || c->Font()->Pitch() != fresh->Pitch() ||
        c->Font()->Orientation() != fresh->Orientation())
        c->Font()->Assign(fresh);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWhite);
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    outer_->DrawItemImage(c, Index, b.Width(), b.Height(), State);
    // While an owner-draw message is handled the canvas is on its DC; otherwise on a window DC.
    HDC dc = Canvas()->HandleAllocated() ? Canvas()->Handle() : nullptr;
    if (dc) {
        BitBlt(dc, Rect.Left, Rect.Top, b.Width(), b.Height(), b.Canvas()->Handle(), 0, 0, SRCCOPY);
        return;
    }
    const TWindowDC window(Handle());
    BitBlt(window.Handle(), Rect.Left, Rect.Top, b.Width(), b.Height(), b.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// Input: the outer control's events first

void TskListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    if (outer_ && outer_->OnListBoxMouseDown)
        outer_->OnListBoxMouseDown(outer_, Button, Shift, X, Y);
    if (*alive)
        TListBox::MouseDown(Button, Shift, X, Y);
}

void TskListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    if (outer_ && outer_->OnListBoxMouseMove)
        outer_->OnListBoxMouseMove(outer_, Shift, X, Y);
    if (*alive)
        TListBox::MouseMove(Shift, X, Y);
}

void TskListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    if (outer_ && outer_->OnListBoxMouseUp)
        outer_->OnListBoxMouseUp(outer_, Button, Shift, X, Y);
    if (*alive)
        TListBox::MouseUp(Button, Shift, X, Y);
}

void TskListBox::Click()
{
    const TAliveFlag alive = alive_;
    if (outer_ && outer_->OnListBoxClick)
        outer_->OnListBoxClick(outer_);
    if (*alive)
        TListBox::Click();
}

void TskListBox::KeyDown(WORD& Key, TShiftState Shift)
{
    const TAliveFlag alive = alive_;
    if (outer_ && outer_->OnListBoxKeyDown)
        outer_->OnListBoxKeyDown(outer_, Key, Shift);
    if (!*alive)
        return;
    // Left and Right scroll a wide item instead of moving the selection.
    if (outer_ && outer_->extentBar_ && (Key == VK_LEFT || Key == VK_RIGHT)) {
        TskSkinScrollBar* bar = outer_->extentBar_;
        bar->SetPosition(bar->Position() + (Key == VK_LEFT ? -bar->SmallChange() : bar->SmallChange()));
        Key = 0;
        return;
    }
    TListBox::KeyDown(Key, Shift);
}

void TskListBox::KeyUp(WORD& Key, TShiftState Shift)
{
    const TAliveFlag alive = alive_;
    if (outer_ && outer_->OnListBoxKeyUp)
        outer_->OnListBoxKeyUp(outer_, Key, Shift);
    if (*alive)
        TListBox::KeyUp(Key, Shift);
}

void TskListBox::KeyPress(char& Key)
{
    const TAliveFlag alive = alive_;
    if (outer_ && outer_->OnListBoxKeyPress)
        outer_->OnListBoxKeyPress(outer_, Key);
    if (*alive)
        TListBox::KeyPress(Key);
}

void TskListBox::WMMouseWheel(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    TListBox::Dispatch(Message);
    if (!*alive || !outer_)
        return;
    const int delta = static_cast<short>(HIWORD(Message.WParam));
    if (outer_->scrollBar_) {
        SendMessageA(Handle(), WM_VSCROLL, delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        if (*alive && outer_)
            outer_->UpdateScrollBars();
    } else if (TskSkinScrollBar* bar = outer_->extentBar_) {
        bar->SetPosition(bar->Position() + (delta > 0 ? -bar->SmallChange() : bar->SmallChange()));
    }
    Message.Result = 1;
}

void TskListBox::Dispatch(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    if (outer_ && outer_->ListMessageTaken(Message))
        return;
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        // No non-client area: the native bars the window keeps are never seen.
        Message.Result = 0;
        break;
    case WM_ERASEBKGND:
        if (Message.WParam && Width() > 0 && Height() > 0)
            PaintBackground(reinterpret_cast<HDC>(Message.WParam), Rect(0, 0, Width(), Height()));
        Message.Result = 1;
        if (outer_)
            outer_->UpdateScrollBars();
        break;
    case WM_PAINTEMPTYLISTINTODC:
        if (Message.LParam != PaintIntoDCAnswer || Count() > 0) {
            TListBox::Dispatch(Message);
            break;
        }
        if (Message.WParam)
            PaintBackground(reinterpret_cast<HDC>(Message.WParam), Rect(0, 0, Width(), Height()));
        Message.Result = PaintIntoDCAnswer;
        break;
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
        TListBox::Dispatch(Message);
        if (*alive && outer_ && Message.Result >= 0)
            outer_->ItemAdded(reinterpret_cast<const char*>(Message.LParam));
        break;
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
        TListBox::Dispatch(Message);
        if (*alive && outer_)
            outer_->ItemsChanged();
        break;
    case WM_LISTBOXUPDATEBARS:
        if (outer_) {
            outer_->barsPending_ = false;
            outer_->UpdateScrollBars();
            Invalidate();
        }
        break;
    case WM_LBUTTONDBLCLK:
        TListBox::Dispatch(Message);
        if (*alive && outer_ && outer_->OnListBoxDblClick)
            outer_->OnListBoxDblClick(outer_);
        break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_VSCROLL:
    case WM_HSCROLL:
        TListBox::Dispatch(Message);
        if (*alive && outer_)
            outer_->UpdateScrollBars();
        break;
    default: TListBox::Dispatch(Message);
    }
}

// ---------------------------------------------------------------------------------------------
// What the outer control draws for the list

void TskSkinCustomListBox::PaintListBackground(HDC DC, const TRect& R, const TPoint& TileOrigin)
{
    GetSkinData();
    TBitmap* tile = Ground();
    if (!tile) {
        // No skin, or a client part without area: plain window colour.
        const TOwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clWindow))));
        const RECT r{R.Left, R.Top, R.Right, R.Bottom};
        FillRect(DC, &r, brush.Handle());
        return;
    }
    TileRect(DC, R, TileOrigin, tile, Rect(0, 0, tile->Width(), tile->Height()));
}

TBitmap* TskSkinCustomListBox::Ground()
{
    TskDataSkinListBox* d = ListDescription();
    if (!d || !picture_)
        return nullptr;
    const TRect part = OffsetRect(d->ClRect, d->SkinRect.Left, d->SkinRect.Top);
    if (IsNullRect(part))
        return nullptr;
    TComposed& g = ground_;
    if (!g.Image || g.Picture != picture_ || !(g.Source == part)) {
        g.Image = std::make_unique<TBitmap>();
        g.Image->SetSize(RectWidth(part), RectHeight(part));
        g.Image->Canvas()->CopyRect(Rect(0, 0, g.Image->Width(), g.Image->Height()), picture_->Canvas(), part);
        g.Picture = picture_;
        g.Source = part;
    }
    return g.Image->Empty() ? nullptr : g.Image.get();
}

TBitmap* TskSkinCustomListBox::ItemStrip(int Slot, const TRect& Source, int W, int H, bool Stretch)
{
    TskDataSkinListBox* d = ListDescription();
    TComposed& s = strips_[Slot];
    if (!s.Image || s.Picture != picture_ || !(s.Source == Source) || s.W != W || s.H != H || s.Stretch != Stretch ||
        s.LeftW != d->ItemLeftOffset || s.RightW != d->ItemRightOffset) {
        s.Image = std::make_unique<TBitmap>();
        ComposeHSkinStrip(d->ItemLeftOffset, d->ItemRightOffset, s.Image.get(), picture_, Source, W, H, Stretch);
        s.Picture = picture_;
        s.Source = Source;
        s.W = W;
        s.H = H;
        s.Stretch = Stretch;
        s.LeftW = d->ItemLeftOffset;
        s.RightW = d->ItemRightOffset;
    }
    return s.Image.get();
}

void TskSkinCustomListBox::DrawItemImage(TCanvas* Canvas, int Index, int W, int H, TOwnerDrawState State)
{
    GetSkinData();
    TskDataSkinListBox* d = ListDescription();
    TRect text;
    const bool selected = State.Contains(odSelected);
    const bool focused = State.Contains(odFocused);
    if (!d || !picture_) {
        Canvas->Brush()->SetColor(selected ? clHighlight : clWindow);
        MatchFont(Canvas->Font(), Font());
        if (selected)
            Canvas->Font()->SetColor(clHighlightText);
        Canvas->FillRect(Rect(0, 0, W, H));
        text = Rect(2, 0, W - 2, H);
    } else {
        TRect src = d->ItemRect;
        bool stretch = false;
        int slot = 0;
        if (focused) {
            src = IsNullRect(d->FocusItemRect) ? d->ItemRect : d->FocusItemRect;
            stretch = d->StretchEffect;
            slot = 2;
        } else if (selected) {
            src = IsNullRect(d->ActiveItemRect) ? d->ItemRect : d->ActiveItemRect;
            stretch = d->StretchEffect;
            slot = 1;
        }
        TBitmap* strip = IsNullRect(src) ? nullptr : ItemStrip(slot, src, W, H, stretch);
        if (!strip || strip->Empty()) {
            Canvas->Brush()->SetColor(clWindow);
            Canvas->FillRect(Rect(0, 0, W, H));
        } else if (strip->Height() == H) {
            Canvas->Draw(0, 0, strip);
        } else {
            Canvas->StretchDraw(Rect(0, 0, W, H), strip);
        }
        text = d->ItemTextRect;
        text.Right += W - RectWidth(d->ItemRect);
        if (!useSkinItemHeight_)
            text.Bottom += H - RectHeight(d->ItemRect);
        if (UseSkinFont()) {
            Canvas->Font()->SetName(d->FontName);
            Canvas->Font()->SetStyle(d->FontStyle);
            Canvas->Font()->SetHeight(d->FontHeight);
        } else {
            MatchFont(Canvas->Font(), DefaultFont());
        }
        if (SkinData() && SkinData()->ResourceStrData())
            Canvas->Font()->SetCharset(SkinData()->ResourceStrData()->CharSet());
        Canvas->Font()->SetColor(focused ? d->FocusFontColor : selected ? d->ActiveFontColor : d->FontColor);
    }
    if (OnDrawItem) {
        OnDrawItem(Canvas, Index, W, H, text, State);
        return;
    }
    if (d && picture_ && focused && d->ShowFocus) {
        const RECT all{0, 0, W, H};
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(SkinData()->SkinColors ? SkinData()->SkinColors->cBtnFace : clBtnFace);
        DrawFocusRect(Canvas->Handle(), &all);
    }
    int glyph = 0;
    const int offset = list_->HorizontalOffset();
    const int image = imageIndex_ == -1 ? Index : imageIndex_;
    if (images_ && image >= 0 && image < images_->Count()) {
        images_->Draw(Canvas, text.Left - offset, (text.Top + text.Bottom) / 2 - images_->Height() / 2, image, true);
        glyph = images_->Width() + 2;
    }
    Canvas->Brush()->SetStyle(bsClear);
    DrawItemTextEx(Canvas, list_->Items()->Get(Index), text, glyph - offset);
    if (!d && focused) {
        const RECT all{0, 0, W, H};
        DrawFocusRect(Canvas->Handle(), &all);
    }
}

}  // namespace sk
