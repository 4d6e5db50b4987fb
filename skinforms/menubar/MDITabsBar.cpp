#include "skinforms/menubar/MDITabsBar.h"

#include <algorithm>

#include "skin/controls/ButtonLook.h"
#include "skin/drawing/Composers.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/drawing/Text.h"
#include "skinforms/controls/ResizeButton.h"
#include "skin/drawing/DefaultLook.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/frame/WindowList.h"
#include "skinforms/menus/Menus.h"

namespace sk {

using namespace cl;

std::vector<TRect> LayoutMDITabs(int W, int H, int N, int TabWidth)
{
    std::vector<TRect> rects;
    if (N <= 0)
        return rects;
    const int w = std::min(W / N, TabWidth);
    for (int i = 0; i < N; ++i)
        rects.push_back(cl::Rect(i * w, 0, (i + 1) * w, H));
    if (w < TabWidth)
        rects.back().Right = W;
    return rects;
}

TskSkinMDITabsBar::TskSkinMDITabsBar(TComponent* AOwner) : TskSkinControl(AOwner)
{
    SetSkinDataName("tab");
    defaultFont_.SetName("Arial");
    defaultFont_.SetHeight(14);
    SetBounds(Left(), Top(), 150, defaultHeight_);
}

TskSkinMDITabsBar::~TskSkinMDITabsBar()
{
    ClearTabs();
    SetskSkinFrame(nullptr);
}

void TskSkinMDITabsBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TskSkinControl::Notification(AComponent, Operation);
    frame_.Forget(AComponent, Operation);
    if (Operation != opRemove)
        return;
    // A child freed without its frame telling the bar still loses its tab.
    if (auto* form = dynamic_cast<TCustomForm*>(AComponent); form && IndexOfChild(form) >= 0)
        DeleteTab(form);
}

void TskSkinMDITabsBar::SetskSkinFrame(TskSkinFrame* Value)
{
    if (frame_ != Value)
        frame_.Set(Value);
}

void TskSkinMDITabsBar::SetTabKind(TskSkinMDITabKind Value)
{
    tabKind_ = Value;
    if (index_ != -1)
        Invalidate();
}

void TskSkinMDITabsBar::SetDefaultHeight(int Value)
{
    defaultHeight_ = Value;
    if (index_ == -1 && Value >= 1)
        SetHeight(Value);
}

TskMDITab* TskSkinMDITabsBar::Tabs(int Index) const
{
    return Index >= 0 && Index < TabCount() ? tabs_[static_cast<std::size_t>(Index)].get() : nullptr;
}

int TskSkinMDITabsBar::IndexOfChild(const TCustomForm* Child) const
{
    for (int i = 0; i < TabCount(); ++i)
        if (tabs_[static_cast<std::size_t>(i)]->Child == Child)
            return i;
    return -1;
}

void TskSkinMDITabsBar::AddTab(TCustomForm* Child)
{
    if (!Child || IndexOfChild(Child) >= 0)
        return;
    tabs_.push_back(std::make_unique<TskMDITab>(this, Child));
    Child->FreeNotification(this);
    UpdateActiveTab();
    Invalidate();
}

void TskSkinMDITabsBar::DeleteTab(TCustomForm* Child)
{
    const int i = IndexOfChild(Child);
    if (i < 0)
        return;
    TskMDITab* tab = Tabs(i);
    // The tab under the mouse says goodbye before it goes.
    if (tab->MouseIn && OnTabMouseLeave)
        OnTabMouseLeave(tab);
    if (dragging_ || pressed_) {
        dragging_ = false;
        pressed_ = false;
        dragOffset_ = 0;
    }
    if (!Child->ComponentState().Contains(csDestroying))
        Child->RemoveFreeNotification(this);
    tabs_.erase(tabs_.begin() + i);
    ActiveTab = -1;
    OldActiveTab = -1;
    DownTab = -1;
    Invalidate();
}

void TskSkinMDITabsBar::ClearTabs()
{
    while (!tabs_.empty())
        DeleteTab(tabs_.back()->Child);
}

void TskSkinMDITabsBar::UpdateActiveTab()
{
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    TCustomForm* active = main ? main->ActiveMDIChild() : nullptr;
    bool changed = false;
    for (auto& tab : tabs_) {
        const bool now = tab->Child == active;
        changed = changed || now != tab->Active;
        tab->Active = now;
    }
    if (changed)
        Invalidate();
}

void TskSkinMDITabsBar::ArrangeTabs()
{
    const std::vector<TRect> rects = LayoutMDITabs(Width(), Height(), TabCount(), DefaultTabWidth);
    for (int i = 0; i < TabCount(); ++i)
        Tabs(i)->ObjectRect = rects[static_cast<std::size_t>(i)];
}

int TskSkinMDITabsBar::TabAtPos(int X, int Y) const
{
    for (int i = 0; i < TabCount(); ++i) {
        const TRect& r = Tabs(i)->ObjectRect;
        if (X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom)
            return i;
    }
    return -1;
}

TskMDITab* TskSkinMDITabsBar::TabAt(int X, int Y) const { return Tabs(TabAtPos(X, Y)); }

int TskSkinMDITabsBar::DropIndex() const
{
    const TskMDITab* dragged = Tabs(DownTab);
    if (!dragging_ || !dragged || dragOffset_ == 0)
        return -1;
    TRect r = OffsetRect(dragged->ObjectRect, dragOffset_, 0);
    const int w = r.Width();
    r.Left = std::clamp(r.Left, 0, std::max(Width() - w, 0));
    r.Right = r.Left + w;
    int found = -1;
    if (dragOffset_ > 0) {
        for (int i = DownTab + 1; i < TabCount(); ++i) {
            const TRect& t = Tabs(i)->ObjectRect;
            if (t.Left + t.Width() / 2 < r.Right)
                found = i;
        }
    } else {
        for (int i = 0; i < DownTab && found < 0; ++i) {
            const TRect& t = Tabs(i)->ObjectRect;
            if (t.Left + t.Width() / 2 > r.Left)
                found = i;
        }
    }
    return found;
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TskSkinMDITabsBar::SetHover(int Index)
{
    if (Index == ActiveTab)
        return;
    OldActiveTab = ActiveTab;
    ActiveTab = Index;
    if (TskMDITab* old = Tabs(OldActiveTab)) {
        old->MouseIn = false;
        Invalidate();
        if (OnTabMouseLeave)
            OnTabMouseLeave(old);
    }
    if (TskMDITab* now = Tabs(ActiveTab)) {
        now->MouseIn = true;
        Invalidate();
        if (OnTabMouseEnter)
            OnTabMouseEnter(now);
    }
}

void TskSkinMDITabsBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseMove(Shift, X, Y);
    if (pressed_ && MoveTabs && DownTab >= 0 && (dragging_ || X != downX_)) {
        dragging_ = true;
        dragOffset_ = X - downX_;
        Invalidate();
        return;
    }
    ArrangeTabs();
    SetHover(TabAtPos(X, Y));
}

void TskSkinMDITabsBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseDown(Button, Shift, X, Y);
    ArrangeTabs();
    const int index = TabAtPos(X, Y);
    TskMDITab* tab = Tabs(index);
    if (!tab)
        return;
    TCustomForm* child = tab->Child;
    if (Button == mbLeft) {
        ShowMDIChild(child);
        UpdateActiveTab();
        pressed_ = true;
        DownTab = MoveTabs ? IndexOfChild(child) : -1;
        downX_ = X;
        dragOffset_ = 0;
    } else if (Button == mbRight && SupportChildMenus && frame_) {
        OpenChildMenu(tab, X, Y);
    }
    if (Tabs(index) == tab && OnTabMouseDown)
        OnTabMouseDown(Button, Shift, tab);
}

void TskSkinMDITabsBar::OpenChildMenu(TskMDITab* Tab, int X, int Y)
{
    TskSkinFrame* childFrame = GetFormSkinComponent(Tab->Child);
    if (!childFrame || !frame_->SkinMenu())
        return;
    childFrame->BuildDefaultSystemMenu();
    cl::TPopupMenu* menu = childFrame->SystemMenu ? childFrame->SystemMenu : childFrame->DefaultSystemMenu();
    if (!menu)
        return;
    const TPoint p = ClientToScreen({X, Y});
    if (frame_->SkinMenu()->Visible)
        frame_->SkinMenu()->CloseAll();
    frame_->SkinMenuOpen();
    frame_->SkinMenu()->Popup(nullptr, frame_->SkinDataForMenus(), false, menu->Items(), cl::Rect(p.X, p.Y, p.X, p.Y),
                              0);
    if (frame_ && frame_->SkinMenu() && !frame_->SkinMenu()->Visible)
        frame_->SkinMenuClose();
}

void TskSkinMDITabsBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    pressed_ = false;
    if (dragging_) {
        const int drop = DropIndex();
        if (drop >= 0 && drop != DownTab) {
            std::unique_ptr<TskMDITab> moved = std::move(tabs_[static_cast<std::size_t>(DownTab)]);
            tabs_.erase(tabs_.begin() + DownTab);
            tabs_.insert(tabs_.begin() + drop, std::move(moved));
        }
        dragging_ = false;
        dragOffset_ = 0;
        DownTab = -1;
        Invalidate();
    } else if (OnTabMouseUp) {
        ArrangeTabs();
        if (TskMDITab* tab = TabAt(X, Y))
            OnTabMouseUp(Button, Shift, tab);
    }
    TskSkinControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinMDITabsBar::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; break;
    case CM_MOUSELEAVE:
        TskSkinControl::Dispatch(Message);
        SetHover(-1);
        break;
    default: TskSkinControl::Dispatch(Message);
    }
}

// ---------------------------------------------------------------------------------------------
// Skin and painting

TskDataSkinTabControl* TskSkinMDITabsBar::TabDescription() const
{
    return dynamic_cast<TskDataSkinTabControl*>(Description());
}

void TskSkinMDITabsBar::GetSkinData()
{
    TskSkinControl::GetSkinData();
    if (index_ != -1 && !TabDescription())
        index_ = -1;
    tabPicture_ = nullptr;
    if (TskDataSkinTabControl* d = TabDescription())
        tabPicture_ = SkinPicture(SkinData(), d->PictureIndex);
    if (!tabPicture_)
        index_ = -1;
}

void TskSkinMDITabsBar::ChangeSkinData()
{
    GetSkinData();
    TskDataSkinTabControl* d = TabDescription();
    if (d && UseSkinSize && !IsNullRect(d->TabRect))
        SetHeight(std::max(d->TabRect.Height(), IsNullRect(d->TabsBGRect) ? 0 : d->TabsBGRect.Height()));
    else if (defaultHeight_ > 0)
        SetHeight(defaultHeight_);
    Invalidate();
}

void TskSkinMDITabsBar::PaintBackground(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    TskDataSkinTabControl* d = TabDescription();
    if (!d || IsNullRect(d->TabsBGRect)) {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(cl::Rect(0, 0, Width(), Height()));
        return;
    }
    // Tiled across the bar and kept to its bottom.
    const TRect& s = d->TabsBGRect;
    const int top = Height() - s.Height();
    if (top > 0) {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(cl::Rect(0, 0, Width(), top));
    }
    TileRect(c->Handle(), cl::Rect(0, top, Width(), top + s.Height()), {0, top}, tabPicture_, s);
}

void TskSkinMDITabsBar::SelectTabFont(TCanvas* Canvas, const TskDataSkinTabControl* D)
{
    if (UseSkinFont) {
        Canvas->Font()->SetName(D->FontName);
        Canvas->Font()->SetHeight(D->FontHeight);
        Canvas->Font()->SetStyle(D->FontStyle);
    } else {
        Canvas->Font()->Assign(&defaultFont_);
    }
}

void TskSkinMDITabsBar::PaintTab(TCanvas* Canvas, TskMDITab* Tab, const TRect& R)
{
    TskDataSkinTabControl* d = TabDescription();
    const bool hot = Tab->MouseIn && !Tab->Active;
    TColor textColor = clBtnText;
    if (!d) {
        Canvas->Brush()->SetColor(Tab->Active ? clSkinDefaultDownFill : hot ? clSkinDefaultHotFill : clBtnFace);
        Canvas->FillRect(R);
        Canvas->Brush()->SetColor(clBtnShadow);
        Canvas->FrameRect(R);
        Canvas->Font()->Assign(&defaultFont_);
    } else if (tabKind_ == sktkButton &&
               DrawResizeButtonPlate(Canvas, SkinData(), R, Tab->Active || hot, Tab->Active, textColor)) {
        // A button in its state: pressed for the active child, lit under the mouse.
        SelectTabFont(Canvas, d);
    } else {
        const TRect active = IsNullRect(d->ActiveTabRect) ? d->TabRect : d->ActiveTabRect;
        const TRect mouseIn = IsNullRect(d->MouseInTabRect) ? d->TabRect : d->MouseInTabRect;
        const TRect src = Tab->Active ? active : hot ? mouseIn : d->TabRect;
        TBitmap strip;
        if (UseSkinSize) {
            ComposeHSkinStrip(d->TabLeftOffset, d->TabRightOffset, &strip, tabPicture_, src, R.Width(), src.Height(),
                              d->TabStretchEffect);
            // A bar at the form's bottom shows its tabs upside down.
            if (Align() == alBottom)
                StretchBlt(strip.Canvas()->Handle(), 0, strip.Height() - 1, strip.Width(), -strip.Height(),
                           strip.Canvas()->Handle(), 0, 0, strip.Width(), strip.Height(), SRCCOPY);
            Canvas->Draw(R.Left, R.Bottom - strip.Height(), &strip);
        } else {
            strip.SetSize(src.Width(), src.Height());
            strip.Canvas()->CopyRect(cl::Rect(0, 0, src.Width(), src.Height()), tabPicture_->Canvas(), src);
            Canvas->StretchDraw(R, &strip);
        }
        SelectTabFont(Canvas, d);
        textColor = Tab->Active ? d->ActiveFontColor : hot ? d->MouseInFontColor : d->FontColor;
    }
    if (TskResourceStrData* strings = SkinData() ? SkinData()->ResourceStrData() : nullptr)
        Canvas->Font()->SetCharset(strings->CharSet());
    Canvas->Font()->SetColor(textColor);
    Canvas->Brush()->SetStyle(bsClear);
    // A child's caption is data: no mnemonic, and an ellipsis when it is too long.
    TRect tr = cl::Rect(R.Left + 4, R.Top, R.Right - 4, R.Bottom);
    DrawSkinText(Canvas, StringToWide(Tab->Child->Caption()), tr,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    Canvas->Brush()->SetStyle(bsSolid);
}

void TskSkinMDITabsBar::PaintDropMarker(TCanvas* Canvas)
{
    const TskMDITab* target = Tabs(DropIndex());
    if (!target)
        return;
    // A small arrow of short lines pointing down at the target's edge.
    const int x = DropIndex() > DownTab ? target->ObjectRect.Right - 4 : target->ObjectRect.Left + 4;
    Canvas->Pen()->SetColor(clBtnText);
    for (int i = 0; i < 4; ++i) {
        Canvas->MoveTo(x - 3 + i, 1 + i);
        Canvas->LineTo(x + 4 - i, 1 + i);
    }
}

void TskSkinMDITabsBar::PaintTabs(TBitmap* B)
{
    PaintBackground(B);
    ArrangeTabs();
    TCanvas* c = B->Canvas();
    for (int i = 0; i < TabCount(); ++i)
        if (!(dragging_ && i == DownTab))
            PaintTab(c, Tabs(i), Tabs(i)->ObjectRect);
    if (TskMDITab* dragged = dragging_ ? Tabs(DownTab) : nullptr) {
        TRect r = OffsetRect(dragged->ObjectRect, dragOffset_, 0);
        const int w = r.Width();
        r.Left = std::clamp(r.Left, 0, std::max(Width() - w, 0));
        r.Right = r.Left + w;
        PaintTab(c, dragged, r);
        PaintDropMarker(c);
    }
}

void TskSkinMDITabsBar::CreateControlDefaultImage(TBitmap* B) { PaintTabs(B); }

void TskSkinMDITabsBar::CreateControlSkinImage(TBitmap* B) { PaintTabs(B); }

}  // namespace sk
