// The outer skinned list box: skin, layout, the skinned bars mirroring the inner list's range,
// the caption bar and its buttons.
#include "skinforms/controls/ListBox.h"

#include "classlib/system/CoreConsts.h"
#include "classlib/graphics/GdiHandles.h"
#include "classlib/system/SysUtils.h"
#include "skin/controls/ButtonLook.h"
#include "skin/drawing/Composers.h"
#include "skin/drawing/Glyphs.h"
#include "skin/drawing/Text.h"
#include "skinforms/frame/Messages.h"

namespace sk {

using namespace cl;

TskSkinCustomListBox::TskSkinCustomListBox(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() + csAcceptsControls + csCaptureMouse + csClickEvents + csOpaque +
                    csDoubleClicks);
    Font()->SetName("Arial");
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    InitDefaultSkinFont(defaultCaptionFont_);
    SetSkinDataName("listbox");
    list_ = new TskListBox(this);
    list_->SetSkinListBox(this);
    list_->SetItemHeight(defaultItemHeight_);
    list_->SetParent(this);
    SetBounds(Left(), Top(), 120, 120);
    UpdateLayout();
}

TskSkinCustomListBox::~TskSkinCustomListBox()
{
    repeat_.Stop();
    if (list_)
        list_->SetSkinListBox(nullptr);
}

void TskSkinCustomListBox::CreateParams(TCreateParams& Params)
{
    TskSkinCustomControl::CreateParams(Params);
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TskSkinCustomListBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TskSkinCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    images_.Forget(AComponent, Operation);
    if (AComponent == scrollBar_)
        scrollBar_ = nullptr;
    if (AComponent == extentBar_)
        extentBar_ = nullptr;
    if (AComponent == list_)
        list_ = nullptr;
}

TskDataSkinListBox* TskSkinCustomListBox::ListDescription() const
{
    return index_ != -1 ? dynamic_cast<TskDataSkinListBox*>(Description()) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Properties

void TskSkinCustomListBox::SetItems(TStrings* Value)
{
    list_->SetItems(Value);
    ItemsChanged();
}

void TskSkinCustomListBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= list_->Count())
        throw EListError(Format(consts::SListIndexError, Value));
    list_->SetItemIndex(Value);
}

void TskSkinCustomListBox::SetSorted(bool Value)
{
    RemoveScrollBar();
    list_->SetSorted(Value);
    UpdateScrollBars();
}

void TskSkinCustomListBox::SetColumns(int Value)
{
    RemoveScrollBar();
    list_->SetColumns(Value);
    UpdateScrollBars();
}

void TskSkinCustomListBox::SetHorizontalExtent(bool Value)
{
    horizontalExtent_ = Value;
    widest_ = -1;
    UpdateScrollBars();
}

void TskSkinCustomListBox::SetRowCount(int Value)
{
    rowCount_ = Value < 0 ? 0 : Value;
    if (rowCount_ > 0)
        SetHeight(HeightForRows(rowCount_));
    UpdateScrollBars();
}

void TskSkinCustomListBox::SetDefaultItemHeight(int Value)
{
    defaultItemHeight_ = Value;
    GetSkinData();
    if (!(ListDescription() && useSkinItemHeight_))
        list_->SetItemHeight(Value);
}

void TskSkinCustomListBox::SetDefaultCaptionHeight(int Value)
{
    defaultCaptionHeight_ = Value;
    if (index_ == -1 && captionMode_) {
        UpdateLayout();
        Repaint();
    }
}

void TskSkinCustomListBox::SetCaptionMode(bool Value)
{
    captionMode_ = Value;
    UpdateLayout();
    Repaint();
}

void TskSkinCustomListBox::SetAlignment(cl::TAlignment Value)
{
    if (Value == alignment_)
        return;
    alignment_ = Value;
    if (captionMode_)
        Repaint();
}

void TskSkinCustomListBox::SetGlyph(TBitmap* Value)
{
    if (Value)
        glyph_.Assign(Value);
    else
        glyph_.SetSize(0, 0);
    if (captionMode_)
        Repaint();
}

void TskSkinCustomListBox::SetNumGlyphs(int Value)
{
    numGlyphs_ = std::clamp(Value, 1, 2);
    if (captionMode_)
        Repaint();
}

void TskSkinCustomListBox::SetSpacing(int Value)
{
    spacing_ = Value;
    if (captionMode_)
        Repaint();
}

void TskSkinCustomListBox::SetImages(TCustomImageList* Value)
{
    images_.Set(Value);
    list_->Invalidate();
}

void TskSkinCustomListBox::SetImageIndex(int Value)
{
    imageIndex_ = Value;
    list_->Invalidate();
}

void TskSkinCustomListBox::DefaultFontChanged()
{
    if (index_ == -1)
        Font()->Assign(DefaultFont());
}

int TskSkinCustomListBox::HeightForRows(int N)
{
    GetSkinData();
    int h;
    if (TskDataSkinListBox* d = ListDescription())
        h = RectHeight(d->SkinRect) - RectHeight(d->ClRect) + N * list_->ItemHeight();
    else
        h = N * list_->ItemHeight() + 4 + (captionMode_ ? defaultCaptionHeight_ : 0);
    if (extentBar_)
        h += extentBar_->Height();
    return h;
}

// ---------------------------------------------------------------------------------------------
// Skin

void TskSkinCustomListBox::ApplyBarSkins()
{
    TskDataSkinListBox* d = ListDescription();
    if (scrollBar_) {
        scrollBar_->SetSkinDataName(!d ? "" : Columns() > 0 ? d->HScrollBarName : d->VScrollBarName);
        if (extentBar_) {
            if (d) {
                scrollBar_->SetBothSkinDataName(d->BothHScrollBarName);
                scrollBar_->SetSkinDataName(d->BothHScrollBarName);
            }
        }
        scrollBar_->SetSkinData(SkinData());
    }
    if (extentBar_) {
        const std::string name = !d ? "" : scrollBar_ ? d->BothHScrollBarName : d->HScrollBarName;
        extentBar_->SetBothSkinDataName(name);
        extentBar_->SetSkinDataName(name);
        extentBar_->SetBoth(scrollBar_ != nullptr);
        extentBar_->SetSkinData(SkinData());
    }
}

void TskSkinCustomListBox::ChangeSkinData()
{
    TskSkinCustomControl::ChangeSkinData();
    // A new skin's picture may take the place of the old one: nothing composed from it stays.
    for (TComposed& strip : strips_)
        strip.Image.reset();
    ground_.Image.reset();
    updating_ = true;
    TskDataSkinListBox* d = ListDescription();
    if (!d) {
        list_->SetItemHeight(defaultItemHeight_);
        Font()->Assign(DefaultFont());
    } else if (useSkinItemHeight_ && RectHeight(d->ItemRect) > 0) {
        list_->SetItemHeight(RectHeight(d->ItemRect));
    }
    ApplyBarSkins();
    if (rowCount_ > 0)
        SetHeight(HeightForRows(rowCount_));
    UpdateLayout();
    updating_ = false;
    widest_ = -1;
    UpdateScrollBars();
    list_->Invalidate();
}

void TskSkinCustomListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (index_ == -1)
        Repaint();
}

// ---------------------------------------------------------------------------------------------
// Layout and bars

void TskSkinCustomListBox::UpdateLayout()
{
    if (!list_)
        return;
    GetSkinData();
    TskDataSkinListBox* d = ListDescription();
    const int w = Width();
    const int h = Height();
    TRect cl;
    int ch = 1;
    if (d) {
        cl = d->ClRect;
        cl.Right += w - RectWidth(d->SkinRect);
        cl.Bottom += h - RectHeight(d->SkinRect);
    } else {
        ch = captionMode_ ? defaultCaptionHeight_ : 1;
    }
    int hb = 0;
    if (extentBar_ && Columns() == 0) {
        if (!d) {
            extentBar_->SetBounds(1, h - 20, w - 2, 19);
            hb = extentBar_->Height() - 1;
        } else {
            extentBar_->SetBounds(cl.Left, cl.Bottom - extentBar_->Height(), RectWidth(cl), extentBar_->Height());
            hb = extentBar_->Height();
        }
    }
    TRect list;
    if (!scrollBar_) {
        list = d ? TRect{cl.Left, cl.Top, cl.Right, cl.Bottom - hb} : TRect{2, ch + 1, w - 2, h - 2 - hb};
    } else if (!d) {
        if (Columns() == 0) {
            scrollBar_->SetBounds(w - 20, ch, 19, h - 1 - ch - hb);
            list = {2, ch + 1, scrollBar_->Left(), h - 2 - hb};
        } else {
            scrollBar_->SetBounds(1, h - 20, w - 2, 19);
            list = {2, ch + 1, w - 2, scrollBar_->Top()};
        }
    } else if (Columns() == 0) {
        const int bw = scrollBar_->Width();
        scrollBar_->SetBounds(cl.Right - bw, cl.Top, bw, RectHeight(cl) - hb);
        list = {cl.Left, cl.Top, cl.Right - bw, cl.Bottom - hb};
    } else {
        const int bh = scrollBar_->Height();
        scrollBar_->SetBounds(cl.Left, cl.Bottom - bh, RectWidth(cl), bh);
        list = {cl.Left, cl.Top, cl.Right, cl.Bottom - bh};
    }
    list_->SetBounds(list.Left, list.Top, std::max(0, RectWidth(list)), std::max(0, RectHeight(list)));
    if (captionMode_)
        CalcCaptionButtons();
}

int TskSkinCustomListBox::WidestItem()
{
    // Measured once per change of the items: a long list is not measured on every erase.
    if (widest_ >= 0)
        return widest_;
    TBitmap b;
    b.SetSize(1, 1);
    TCanvas* c = b.Canvas();
    TskDataSkinListBox* d = ListDescription();
    if (d && UseSkinFont()) {
        c->Font()->SetName(d->FontName);
        c->Font()->SetStyle(d->FontStyle);
        c->Font()->SetHeight(d->FontHeight);
    } else {
        c->Font()->Assign(list_->Font());
    }
    int widest = 0;
    for (int i = 0, n = list_->Count(); i < n; ++i)
        widest = std::max(widest, GetTextWidth(c, AnsiToWide(list_->Items()->Get(i))));
    widest_ = widest;
    return widest;
}

void TskSkinCustomListBox::ItemAdded(const char* Text)
{
    // One more text to measure, not all of them again.
    if (widest_ >= 0 && horizontalExtent_ && Text) {
        TBitmap b;
        b.SetSize(1, 1);
        TskDataSkinListBox* d = ListDescription();
        if (d && UseSkinFont()) {
            b.Canvas()->Font()->SetName(d->FontName);
            b.Canvas()->Font()->SetStyle(d->FontStyle);
            b.Canvas()->Font()->SetHeight(d->FontHeight);
        } else {
            b.Canvas()->Font()->Assign(list_->Font());
        }
        widest_ = std::max(widest_, GetTextWidth(b.Canvas(), AnsiToWide(Text)));
    } else if (horizontalExtent_) {
        widest_ = -1;
    }
    RequestScrollBarUpdate();
}

void TskSkinCustomListBox::ItemsChanged()
{
    widest_ = -1;
    RequestScrollBarUpdate();
}

void TskSkinCustomListBox::RequestScrollBarUpdate()
{
    if (!list_ || !list_->HandleAllocated())
        return;
    // Inside a filling bracket the bars are brought up to date once, afterwards.
    if (list_->Items()->UpdateCount() > 0) {
        if (!barsPending_) {
            barsPending_ = true;
            PostMessageA(list_->Handle(), WM_LISTBOXUPDATEBARS, 0, 0);
        }
        return;
    }
    UpdateScrollBars();
}

void TskSkinCustomListBox::UpdateScrollBars()
{
    if (!list_ || !list_->HandleAllocated() || inScrollBarUpdate_)
        return;
    // Creating, laying out and removing bars resizes the list, which erases it again.
    inScrollBarUpdate_ = true;
    struct TReset {
        bool& Flag;
        ~TReset() { Flag = false; }
    } reset{inScrollBarUpdate_};
    GetSkinData();
    TskDataSkinListBox* d = ListDescription();
    const int count = list_->Count();
    const int ih = std::max(1, list_->ItemHeight());
    if (Columns() == 0) {
        if (horizontalExtent_ && !updating_) {
            const int wide = WidestItem();
            int avail = d ? list_->Width() - (RectWidth(d->ItemRect) - RectWidth(d->ItemTextRect))
                          : list_->Width() - 4;
            if (images_)
                avail -= images_->Width() + 4;
            if (wide <= avail) {
                RemoveExtentBar();
            } else {
                if (!extentBar_)
                    CreateExtentBar();
                TBitmap b;
                b.SetSize(1, 1);
                b.Canvas()->Font()->Assign(list_->Font());
                const int step = std::max(1, b.Canvas()->TextWidth("0"));
                if (extentBar_->Min() != 0 || extentBar_->Max() != wide || extentBar_->PageSize() != avail)
                    extentBar_->SetRange(0, wide, extentBar_->Position(), avail);
                if (extentBar_->SmallChange() != step)
                    extentBar_->SetSmallChange(step);
                if (extentBar_->LargeChange() != step)
                    extentBar_->SetLargeChange(step);
            }
        } else {
            RemoveExtentBar();
        }
    }
    if (rowCount_ > 0 && rowCount_ == count) {
        RemoveScrollBar();
        return;
    }
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0};
    if (Columns() == 0) {
        GetScrollInfo(list_->Handle(), SB_VERT, &si);
        const int rows = list_->Height() / ih;
        if (si.nMax > si.nMin && si.nPos <= si.nMax && rows < count) {
            if (!scrollBar_)
                CreateScrollBar();
            // Asked after every scroll and erase: a bar that already shows it is not redrawn.
            if (scrollBar_->Min() != si.nMin || scrollBar_->Max() != si.nMax || scrollBar_->Position() != si.nPos ||
                scrollBar_->PageSize() != rows)
                scrollBar_->SetRange(si.nMin, si.nMax, si.nPos, rows);
            if (scrollBar_->LargeChange() != std::max(1, rows))
                scrollBar_->SetLargeChange(std::max(1, rows));
        } else {
            RemoveScrollBar();
        }
    } else {
        GetScrollInfo(list_->Handle(), SB_HORZ, &si);
        if (si.nMax > si.nMin && si.nPos <= si.nMax && Columns() <= si.nMax &&
            (list_->Height() / ih) * Columns() < count) {
            if (!scrollBar_)
                CreateScrollBar();
            if (scrollBar_->Min() != si.nMin || scrollBar_->Max() != si.nMax || scrollBar_->Position() != si.nPos ||
                scrollBar_->PageSize() != Columns())
                scrollBar_->SetRange(si.nMin, si.nMax, si.nPos, Columns());
        } else {
            RemoveScrollBar();
        }
    }
}

void TskSkinCustomListBox::CreateScrollBar()
{
    auto* bar = new TskSkinScrollBar(this);
    bar->SetKind(Columns() == 0 ? sbVertical : sbHorizontal);
    bar->SetBounds(0, 0, 20, 100);
    bar->SetRange(0, 0, 0, 0);
    bar->OnChange = TNotifyEvent(this, &TskSkinCustomListBox::ScrollBarChange);
    scrollBar_ = bar;
    if (extentBar_) {
        bar->SetBoth(true);
        bar->SetBothMarkerWidth(19);
    }
    ApplyBarSkins();
    bar->SetParent(this);
    UpdateLayout();
    bar->SetVisible(true);
    Repaint();
}

void TskSkinCustomListBox::CreateExtentBar()
{
    auto* bar = new TskSkinScrollBar(this);
    bar->SetKind(sbHorizontal);
    bar->SetBounds(0, 0, 100, 20);
    bar->SetRange(0, 0, 0, 0);
    bar->OnChange = TNotifyEvent(this, &TskSkinCustomListBox::ExtentBarChange);
    extentBar_ = bar;
    if (scrollBar_)
        bar->SetBothMarkerWidth(19);
    ApplyBarSkins();
    bar->SetParent(this);
    bar->SetVisible(true);
    UpdateLayout();
    Repaint();
}

void TskSkinCustomListBox::RemoveScrollBar()
{
    if (!scrollBar_)
        return;
    TskSkinScrollBar* bar = scrollBar_;
    scrollBar_ = nullptr;
    bar->SetVisible(false);
    bar->Free();
    UpdateLayout();
}

void TskSkinCustomListBox::RemoveExtentBar()
{
    if (!extentBar_)
        return;
    TskSkinScrollBar* bar = extentBar_;
    extentBar_ = nullptr;
    bar->SetVisible(false);
    bar->Free();
    list_->SetHorizontalOffset(0);
    UpdateLayout();
}

void TskSkinCustomListBox::ScrollBarChange(TObject*)
{
    if (!scrollBar_ || !list_->HandleAllocated())
        return;
    // A scroll message carries only 16 bits of position: a list of more than 65,535 rows is
    // scrolled by its top index instead.
    if (Columns() == 0 && scrollBar_->Position() > 0xFFFF) {
        list_->SetTopIndex(scrollBar_->Position());
        UpdateScrollBars();
        return;
    }
    const UINT msg = Columns() == 0 ? WM_VSCROLL : WM_HSCROLL;
    SendMessageA(list_->Handle(), msg, MAKEWPARAM(SB_THUMBPOSITION, scrollBar_->Position()), 0);
}

void TskSkinCustomListBox::ExtentBarChange(TObject*)
{
    if (extentBar_)
        list_->SetHorizontalOffset(extentBar_->Position());
}

// ---------------------------------------------------------------------------------------------
// Caption and its buttons

void TskSkinCustomListBox::CalcCaptionButtons()
{
    TskDataSkinListBox* d = ListDescription();
    const int w = Width();
    if (!d) {
        const int b = std::min(defaultCaptionHeight_ - 3, 17);
        buttons_[UpButton].Rect = Rect(w - b - 2, 2, w - 2, b + 1);
        buttons_[DownButton].Rect = OffsetRect(buttons_[UpButton].Rect, -b, 0);
        buttons_[CheckButton].Rect = OffsetRect(buttons_[DownButton].Rect, -b, 0);
        return;
    }
    const int dw = w - RectWidth(d->SkinRect);
    const int dh = Height() - RectHeight(d->SkinRect);
    const TRect src[3] = {d->UpButtonRect, d->DownButtonRect, d->CheckButtonRect};
    for (int i = 0; i < 3; ++i) {
        TRect r = src[i];
        if (r.Top > d->LTPoint.Y) {
            r = OffsetRect(r, 0, dh);
            if (r.Left > d->RBPoint.X)
                r = OffsetRect(r, dw, 0);
        } else if (r.Left > d->RTPoint.X) {
            r = OffsetRect(r, dw, 0);
        }
        buttons_[i].Rect = r;
    }
}

bool TskSkinCustomListBox::ButtonsTracked()
{
    if (!captionMode_)
        return false;
    TskDataSkinListBox* d = ListDescription();
    return !d || !(IsNullRect(d->UpButtonRect) && IsNullRect(d->DownButtonRect));
}

void TskSkinCustomListBox::HotTest(int X, int Y, bool HasPoint)
{
    if (!ButtonsTracked())
        return;
    CalcCaptionButtons();
    previousHot_ = hot_;
    int now = -1;
    if (HasPoint)
        for (int i = 0; i < 3; ++i)
            if (PtInRect(buttons_[i].Rect, {X, Y})) {
                now = i;
                break;
            }
    if (captured_ != -1 && now != captured_)
        now = -1;
    hot_ = now;
    if (hot_ == previousHot_)
        return;
    if (previousHot_ != -1) {
        buttons_[previousHot_].MouseIn = false;
        if (repeatMode_ && buttons_[previousHot_].Down)
            repeat_.Stop();
    }
    if (hot_ != -1) {
        buttons_[hot_].MouseIn = true;
        if (repeatMode_ && buttons_[hot_].Down)
            repeat_.Resume(ResumeInterval);
    }
    Repaint();
}

void TskSkinCustomListBox::StepItem(int Direction)
{
    const int index = ItemIndex();
    // The last item is as far as the down button goes.
    if (Direction < 0 && index > 0)
        list_->SetItemIndex(index - 1);
    else if (Direction > 0 && index < list_->Count() - 1)
        list_->SetItemIndex(index + 1);
}

void TskSkinCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    HotTest(X, Y, true);
    if (hot_ != -1) {
        captured_ = hot_;
        buttons_[hot_].Down = true;
        buttons_[hot_].MouseIn = true;
        Repaint();
        const TNotifyEvent events[3] = {OnUpButtonClick, OnDownButtonClick, OnCheckButtonClick};
        if (!events[hot_] && hot_ != CheckButton) {
            repeatMode_ = hot_ == UpButton ? 1 : 2;
            repeat_.Start();
        }
    }
    if (*alive)
        TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinCustomListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    HotTest(X, Y, true);
    if (*alive)
        TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    if (captured_ != -1) {
        const int b = captured_;
        captured_ = -1;
        buttons_[b].Down = false;
        const bool over = PtInRect(buttons_[b].Rect, {X, Y});
        if (!over)
            buttons_[b].MouseIn = false;
        Repaint();
        const TNotifyEvent events[3] = {OnUpButtonClick, OnDownButtonClick, OnCheckButtonClick};
        if (over && events[b]) {
            events[b](this);
        } else {
            if (b == UpButton)
                StepItem(-1);
            else if (b == DownButton)
                StepItem(1);
            else if (*alive && list_ && list_->OnClick)
                list_->OnClick(list_);
            else if (*alive && OnListBoxClick)
                OnListBoxClick(this);
        }
        if (!*alive)
            return;
        repeatMode_ = 0;
        repeat_.End();
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinCustomListBox::WMTimer(TMessage& Message)
{
    if (!repeat_.IsTick(Message)) {
        TskSkinCustomControl::Dispatch(Message);
        return;
    }
    // The tick that ends the first delay only sets the pace.
    if (repeat_.EndFirstDelay())
        return;
    if (repeatMode_ == 1)
        StepItem(-1);
    else if (repeatMode_ == 2)
        StepItem(1);
    else
        repeat_.Stop();
}

void TskSkinCustomListBox::Dispatch(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    switch (Message.Msg) {
    case WM_TIMER: WMTimer(Message); break;
    case WM_SIZE:
        TskSkinCustomControl::Dispatch(Message);
        if (!*alive)
            break;
        UpdateLayout();
        UpdateScrollBars();
        if (scrollBar_)
            scrollBar_->Repaint();
        break;
    case CM_MOUSEENTER:
        TskSkinCustomControl::Dispatch(Message);
        if (*alive)
            HotTest(0, 0, false);
        break;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::Dispatch(Message);
        if (!*alive)
            break;
        previousHot_ = hot_ = -1;
        for (TButtonState& b : buttons_)
            b.MouseIn = false;
        Repaint();
        break;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        if (*alive && captionMode_)
            Repaint();
        break;
    default: TskSkinCustomControl::Dispatch(Message);
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing the control

void TskSkinCustomListBox::DrawCaptionButton(TCanvas* Canvas, int Button)
{
    const TButtonState& s = buttons_[Button];
    if (IsNullRect(s.Rect))
        return;
    TskDataSkinListBox* d = ListDescription();
    if (d && picture_) {
        const TRect plain[3] = {d->UpButtonRect, d->DownButtonRect, d->CheckButtonRect};
        const TRect active[3] = {d->ActiveUpButtonRect, d->ActiveDownButtonRect, d->ActiveCheckButtonRect};
        const TRect down[3] = {RectOrFallback(d->DownUpButtonRect, d->ActiveUpButtonRect),
                               RectOrFallback(d->DownDownButtonRect, d->ActiveDownButtonRect), d->DownCheckButtonRect};
        TRect src = OffsetRect(plain[Button], d->SkinRect.Left, d->SkinRect.Top);
        if (s.Down && s.MouseIn && !IsNullRect(down[Button]))
            src = down[Button];
        else if (s.MouseIn && !IsNullRect(active[Button]))
            src = active[Button];
        Canvas->CopyRect(s.Rect, picture_->Canvas(), src);
        return;
    }
    TRect r = s.Rect;
    TColor fill = clBtnFace;
    if (s.MouseIn) {
        Frame3D(Canvas, r, clSkinDefaultFrame, clSkinDefaultFrame, 1);
        fill = s.Down ? clSkinDefaultDownFill : clSkinDefaultHotFill;
    }
    Canvas->Brush()->SetColor(fill);
    Canvas->FillRect(r);
    if (Button == CheckButton)
        DrawCheckMark(Canvas, s.Rect.Left + 4, s.Rect.Top + 4, clBlack);
    else
        DrawArrowImage(Canvas, s.Rect, clBlack, Button == UpButton ? adUp : adDown);
}

void TskSkinCustomListBox::DrawCaption(TCanvas* Canvas, const TRect& R, bool Skinned)
{
    const std::wstring text = AnsiToWide(Caption());
    Canvas->Brush()->SetStyle(bsClear);
    const int tw = GetTextWidth(Canvas, text);
    const int th = GetTextHeight(Canvas, text.empty() ? L"W" : text);
    const bool glyph = !glyph_.Empty();
    const int gw = glyph ? glyph_.Width() / numGlyphs_ : 0;
    const int cw = tw + (glyph ? gw + spacing_ : 0);
    int x = R.Left + (Skinned ? 2 : 0);
    if (Alignment() == cl::taRightJustify)
        x = R.Right - cw - (Skinned ? 2 : 0);
    else if (Alignment() == cl::taCenter)
        x = R.Left + (Skinned ? 2 : 0) + RectWidth(R) / 2 - cw / 2;
    const int middle = Skinned ? (R.Top + R.Bottom) / 2 : (defaultCaptionHeight_ - 2) / 2;
    // Glyph and text stay inside the caption: a long caption never runs under the buttons.
    const TSavedDCState saved(Canvas->Handle());
    IntersectClipRect(Canvas->Handle(), R.Left, R.Top, R.Right, R.Bottom);
    if (glyph) {
        const int frame = !Enabled() && numGlyphs_ == 2 ? 2 : 1;
        DrawGlyphFrame(Canvas, x, middle - glyph_.Height() / 2 - 1, frame, numGlyphs_, &glyph_);
        x += gw + spacing_;
    }
    const int y = middle - th / 2;
    TRect t{x, y, x + tw + 1, y + th};
    DrawSkinText(Canvas, text, t, DT_SINGLELINE | DT_NOPREFIX);
}

void TskSkinCustomListBox::CreateControlDefaultImage(TBitmap* B)
{
    TskSkinCustomControl::CreateControlDefaultImage(B);
    if (!captionMode_)
        return;
    TCanvas* c = B->Canvas();
    TRect all = Rect(0, 0, Width(), Height());
    Frame3D(c, all, clBtnShadow, clBtnShadow, 1);
    CalcCaptionButtons();
    const int b = std::min(defaultCaptionHeight_ - 3, 17);
    c->Font()->Assign(&defaultCaptionFont_);
    DrawCaption(c, Rect(3, 2, Width() - 3 * b - 3, defaultCaptionHeight_ - 2), false);
    c->Pen()->SetColor(clBtnShadow);
    c->MoveTo(1, defaultCaptionHeight_ - 1);
    c->LineTo(Width() - 1, defaultCaptionHeight_ - 1);
    for (int i = 0; i < 3; ++i)
        DrawCaptionButton(c, i);
}

void TskSkinCustomListBox::CreateControlSkinImage(TBitmap* B)
{
    TskSkinCustomControl::CreateControlSkinImage(B);
    TskDataSkinListBox* d = ListDescription();
    if (!d || !captionMode_)
        return;
    CalcCaptionButtons();
    TRect cap = d->CaptionRect;
    if (cap.Right >= d->RTPoint.X)
        cap.Right += Width() - RectWidth(d->SkinRect);
    TCanvas* c = B->Canvas();
    if (!IsNullRect(cap)) {
        c->Font()->SetName(d->CaptionFontName);
        c->Font()->SetHeight(d->CaptionFontHeight);
        c->Font()->SetColor(d->CaptionFontColor);
        c->Font()->SetStyle(d->CaptionFontStyle);
        DrawCaption(c, cap, true);
    }
    for (int i = 0; i < 3; ++i)
        DrawCaptionButton(c, i);
}

}  // namespace sk
