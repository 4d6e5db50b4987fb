// The category-buttons control: properties, layout and scrolling, and the model's notices.
#include "skinforms/categorybuttons/Control.h"

#include <algorithm>

using namespace cl;
using namespace sk;

TskSkinCategoryButtons::TskSkinCategoryButtons(TComponent* AOwner) : TskSkinControl(AOwner)
{
    SetControlStyle({csAcceptsControls, csCaptureMouse, csDoubleClicks, csDisplayDragImage, csOpaque});
    SetParentFont(false);
    Font()->SetName("Arial");
    SetTabStop(true);
    SetBounds(Left(), Top(), 100, 100);
    categories_ = CreateCategoriesCollection();
    imageLink_.OnChange = [this](TObject*) { Invalidate(); };
    dragImages_ = std::make_unique<TDragImageList>(nullptr);
}

TskSkinCategoryButtons::~TskSkinCategoryButtons()
{
    // The categories go first, while every part they might tell still exists.
    CancelDrag();
    hot_ = pressed_ = selected_ = focused_ = dragButton_ = nullptr;
    delete categories_;
    categories_ = nullptr;
    if (images_)
        images_->UnRegisterChanges(&imageLink_);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TskSkinCategoryButtons::SetCategories(TskButtonCategories* Value) { categories_->Assign(Value); }

void TskSkinCategoryButtons::SetButtonFlow(TskCatButtonFlow Value)
{
    if (Value == flow_)
        return;
    flow_ = Value;
    position_ = 0;
    if (scrollBar_) {
        // The bar turns with the flow, in place.
        scrollBar_->SetKind(Value == skcbfVertical ? sbVertical : sbHorizontal);
        scrollBar_->SetSkinDataName(Value == skcbfVertical ? "vscrollbar" : "hscrollbar");
        scrollBar_->SetDefaultWidth(Value == skcbfVertical ? 19 : 0);
        scrollBar_->SetDefaultHeight(Value == skcbfVertical ? 0 : 19);
        PlaceScrollBar();
    }
    CalcTextMetrics();
    Relayout();
}

void TskSkinCategoryButtons::SetButtonWidth(int Value)
{
    if (Value == buttonWidth_)
        return;
    buttonWidth_ = Value;
    Relayout();
}

void TskSkinCategoryButtons::SetButtonHeight(int Value)
{
    if (Value == buttonHeight_)
        return;
    buttonHeight_ = Value;
    Relayout();
}

void TskSkinCategoryButtons::SetButtonOptions(TskCatButtonOptions Value)
{
    if (Value == options_)
        return;
    options_ = Value;
    CalcTextMetrics();
    Relayout();
}

void TskSkinCategoryButtons::SetButtonsSkinDataName(const std::string& Value)
{
    buttonsSkinDataName_ = Value;
    Invalidate();
}

void TskSkinCategoryButtons::SetOnDrawButton(TskDrawButtonEvent Value)
{
    onDrawButton_ = std::move(Value);
    Invalidate();
}

void TskSkinCategoryButtons::SetUsesSkinFont(bool Value)
{
    usesSkinFont_ = Value;
    CalcTextMetrics();
    Relayout();
}

void TskSkinCategoryButtons::SetImages(TCustomImageList* Value)
{
    if (images_ == Value)
        return;
    if (images_)
        images_->UnRegisterChanges(&imageLink_);
    images_.Set(Value);
    if (images_)
        images_->RegisterChanges(&imageLink_);
    Invalidate();
}

void TskSkinCategoryButtons::SetHotButtonColor(TColor Value)
{
    hotButtonColor_ = Value;
    Invalidate();
}

void TskSkinCategoryButtons::SetSelectedButtonColor(TColor Value)
{
    selectedButtonColor_ = Value;
    Invalidate();
}

void TskSkinCategoryButtons::SetRegularButtonColor(TColor Value)
{
    regularButtonColor_ = Value;
    Invalidate();
}

void TskSkinCategoryButtons::Notification(TComponent* AComponent, TOperation Operation)
{
    TskSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == images_) {
        images_.Forget(AComponent, Operation);
        Invalidate();
    }
    if (AComponent == scrollBar_)
        scrollBar_ = nullptr;
    ReleaseAction(AComponent);
}

void TskSkinCategoryButtons::WatchAction(TBasicAction* Action)
{
    if (std::find(watchedActions_.begin(), watchedActions_.end(), Action) != watchedActions_.end())
        return;
    watchedActions_.push_back(Action);
    Action->FreeNotification(this);
}

void TskSkinCategoryButtons::ReleaseAction(TComponent* Action)
{
    // Only watched actions walk the buttons: any other component going costs nothing here.
    auto watched = std::find(watchedActions_.begin(), watchedActions_.end(), Action);
    if (watched == watchedActions_.end())
        return;
    watchedActions_.erase(watched);
    if (!categories_)
        return;
    for (int c = 0; c < categories_->Count(); ++c) {
        TskButtonCollection* items = categories_->Items(c)->Items();
        for (int i = 0; i < items->Count(); ++i) {
            TskBaseButtonItem* button = items->Items(i);
            if (!button->ActionLink())
                continue;
            // A freed action has already left its links, so a link without one goes too.
            TBasicAction* action = button->ActionLink()->Action();
            if (!action || static_cast<TComponent*>(action) == Action)
                button->SetAction(nullptr);
        }
    }
}

TskButtonItem* TskSkinCategoryButtons::InsertMark(TskButtonDrawStateFlag Mark) const
{
    switch (Mark) {
    case skbdsInsertLeft: return markLeft_;
    case skbdsInsertTop: return markTop_;
    case skbdsInsertRight: return markRight_;
    case skbdsInsertBottom: return markBottom_;
    default: return nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// Geometry

TskCategoryButtonsMetrics TskSkinCategoryButtons::Metrics() const
{
    TskCategoryButtonsMetrics m;
    m.Flow = flow_;
    m.Options = options_;
    m.ButtonWidth = buttonWidth_;
    m.ButtonHeight = buttonHeight_;
    m.TextHeight = textHeight_;
    auto* self = const_cast<TskSkinCategoryButtons*>(this);
    m.ClientWidth = self->ClientWidth();
    m.ClientHeight = self->ClientHeight();
    if (scrollBar_)
        m.ScrollBarSize = flow_ == skcbfVertical ? scrollBar_->Width() : scrollBar_->Height();
    return m;
}

TskButtonItem* TskSkinCategoryButtons::GetButtonAt(int X, int Y, TskButtonCategory* Category) const
{
    return ::GetButtonAt(categories_, X, Y, Category, Width(), Height(), ScrollOffset(), Metrics());
}

TskButtonCategory* TskSkinCategoryButtons::GetCategoryAt(int X, int Y) const
{
    return ::GetCategoryAt(categories_, X, Y, Width(), Height(), ScrollOffset(), Metrics());
}

TRect TskSkinCategoryButtons::GetButtonRect(TskButtonItem* Button) const
{
    return ::GetButtonRect(Button, ScrollOffset(), Metrics());
}

TskCategoryBounds TskSkinCategoryButtons::GetCategoryBounds(TskButtonCategory* Category, int Start) const
{
    return ::GetCategoryBounds(Category, Start - ScrollOffset(), Metrics());
}

// ---------------------------------------------------------------------------------------------
// Layout and scrolling

void TskSkinCategoryButtons::CreateWnd()
{
    TskSkinControl::CreateWnd();
    CalcTextMetrics();
    Relayout();
}

void TskSkinCategoryButtons::DestroyWnd()
{
    StopAutoScroll();
    TskSkinControl::DestroyWnd();
}

void TskSkinCategoryButtons::Relayout()
{
    if (!HandleAllocated() || ScrollUnit() == 0 || layingOut_)
        return;
    layingOut_ = true;
    try {
        UpdateScrollRange();
    } catch (...) {
        layingOut_ = false;
        throw;
    }
    layingOut_ = false;
    Invalidate();
}

void TskSkinCategoryButtons::UpdateScrollRange()
{
    TskCategoryButtonsMetrics m = Metrics();
    int total = LayOutCategories(categories_, m);
    TskCategoryScroll s = CalcCategoryScroll(total, m.View(), m.Unit(), position_);
    if (s.Needed != (scrollBar_ != nullptr)) {
        // The bar takes room across the flow: lay out again with or without it.
        if (s.Needed)
            CreateScrollBar();
        else
            RemoveScrollBar();
        m = Metrics();
        total = LayOutCategories(categories_, m);
        s = CalcCategoryScroll(total, m.View(), m.Unit(), position_);
    }
    position_ = s.Position;
    max_ = s.Max;
    page_ = s.Page;
    if (scrollBar_)
        scrollBar_->SetRange(0, s.Units, position_, s.Page);
}

void TskSkinCategoryButtons::CreateScrollBar()
{
    if (scrollBar_)
        return;
    auto* bar = new TskSkinScrollBar(this);
    bar->SetVisible(false);
    bar->SetParent(this);
    // The bar's own step on a page press would add to the control's page.
    bar->SetLargeChange(0);
    bar->OnChange = [this](TObject*) {
        if (scrollBar_)
            ScrollBy(4, scrollBar_->Position());
    };
    bar->OnUpButtonClick = [this](TObject*) { ScrollBy(1); };
    bar->OnDownButtonClick = [this](TObject*) { ScrollBy(0); };
    bar->OnPageUp = [this](TObject*) { ScrollBy(2); };
    bar->OnPageDown = [this](TObject*) { ScrollBy(3); };
    if (flow_ == skcbfVertical) {
        bar->SetKind(sbVertical);
        bar->SetSkinDataName("vscrollbar");
        bar->SetDefaultWidth(19);
    } else {
        bar->SetKind(sbHorizontal);
        bar->SetSkinDataName("hscrollbar");
        bar->SetDefaultHeight(19);
    }
    scrollBar_ = bar;
    PlaceScrollBar();
    bar->SetSkinData(SkinData());
    PlaceScrollBar();
    bar->SetVisible(true);
}

void TskSkinCategoryButtons::RemoveScrollBar()
{
    TskSkinScrollBar* bar = scrollBar_;
    if (!bar)
        return;
    scrollBar_ = nullptr;
    position_ = 0;
    bar->SetVisible(false);
    bar->Free();
}

void TskSkinCategoryButtons::PlaceScrollBar()
{
    if (!scrollBar_)
        return;
    if (flow_ == skcbfVertical) {
        const int w = scrollBar_->Width() > 0 && scrollBar_->Width() < ClientWidth() ? scrollBar_->Width() : 19;
        scrollBar_->SetBounds(ClientWidth() - w, 0, w, ClientHeight());
    } else {
        const int h = scrollBar_->Height() > 0 && scrollBar_->Height() < ClientHeight() ? scrollBar_->Height() : 19;
        scrollBar_->SetBounds(0, ClientHeight() - h, ClientWidth(), h);
    }
}

void TskSkinCategoryButtons::ScrollBy(int Code, int Value)
{
    const int old = position_;
    switch (Code) {
    case 0:
        if (position_ >= 1)
            --position_;
        break;
    case 1:
        if (position_ < max_)
            ++position_;
        break;
    case 2: position_ = std::max(0, position_ - page_); break;
    case 3: position_ = std::min(max_, position_ + page_); break;
    case 4:
    case 5: position_ = std::clamp(Value, 0, std::max(max_, 0)); break;
    case 6: position_ = 0; break;
    case 7: position_ = max_; break;
    default: break;
    }
    if (position_ != old) {
        if (scrollBar_)
            scrollBar_->SetRange(scrollBar_->Min(), scrollBar_->Max(), position_, scrollBar_->PageSize());
        Invalidate();
    }
    Relayout();
}

void TskSkinCategoryButtons::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TskSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (HandleAllocated() && buttonHeight_ > 0 && (buttonWidth_ > 0 || options_.Contains(skboFullSize))) {
        PlaceScrollBar();
        Relayout();
        PlaceScrollBar();
    }
}

void TskSkinCategoryButtons::Resize()
{
    TskSkinControl::Resize();
    if (HandleAllocated() && buttonHeight_ > 0 && (buttonWidth_ > 0 || options_.Contains(skboFullSize))) {
        PlaceScrollBar();
        Relayout();
        PlaceScrollBar();
    }
}

// ---------------------------------------------------------------------------------------------
// Skin

void TskSkinCategoryButtons::SetSkinData(TskSkinData* Value)
{
    TskSkinControl::SetSkinData(Value);
    if (scrollBar_)
        scrollBar_->SetSkinData(Value);
}

void TskSkinCategoryButtons::BeforeChangeSkinData()
{
    TskSkinControl::BeforeChangeSkinData();
    if (scrollBar_)
        scrollBar_->BeforeChangeSkinData();
}

void TskSkinCategoryButtons::ChangeSkinData()
{
    // The control has no description of its own: it reads the named ones as it paints.
    SetSkinDataName("");
    TskSkinControl::ChangeSkinData();
    if (scrollBar_)
        scrollBar_->SetSkinData(SkinData());
    // The frame's widths come from the skin: the client area is measured again.
    if (showBorder_ && HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    CalcTextMetrics();
    Relayout();
    PlaceScrollBar();
}

// ---------------------------------------------------------------------------------------------
// Model notices

void TskSkinCategoryButtons::InvalidateButton(TskBaseButtonItem* Item)
{
    auto* button = dynamic_cast<TskButtonItem*>(Item);
    if (!button || !HandleAllocated())
        return;
    TskButtonCategory* c = button->GetCategory();
    if (c && c->Collapsed()) {
        InvalidateCategoryBand(c);
        return;
    }
    const TRect r = GetButtonRect(button);
    const RECT rr{r.Left, r.Top, r.Right, r.Bottom};
    InvalidateRect(Handle(), &rr, FALSE);
}

void TskSkinCategoryButtons::InvalidateCategoryBand(TskButtonCategory* Category)
{
    if (!Category || !HandleAllocated())
        return;
    const TRect r = GetCategoryBounds(Category, Category->LayoutStart).Band;
    const RECT rr{r.Left, r.Top, r.Right, r.Bottom};
    InvalidateRect(Handle(), &rr, FALSE);
}

void TskSkinCategoryButtons::ScrollCategoryIntoView(TskButtonCategory* Category)
{
    if (!Category || !HandleAllocated())
        return;
    Relayout();
    const TskCategoryButtonsMetrics m = Metrics();
    ScrollSpanIntoView(m, GetCategoryBounds(Category, Category->LayoutStart).Band);
}

void TskSkinCategoryButtons::ScrollButtonIntoView(TskBaseButtonItem* Item)
{
    auto* button = dynamic_cast<TskButtonItem*>(Item);
    TskButtonCategory* c = button ? button->GetCategory() : nullptr;
    if (!c || !HandleAllocated())
        return;
    if (c->Collapsed()) {
        ScrollCategoryIntoView(c);
        return;
    }
    const TskCategoryButtonsMetrics m = Metrics();
    ScrollSpanIntoView(m, GetButtonRect(button));
}

void TskSkinCategoryButtons::ScrollSpanIntoView(const TskCategoryButtonsMetrics& M, const TRect& R)
{
    const int a = M.Vertical() ? R.Top : R.Left;
    const int b = M.Vertical() ? R.Bottom : R.Right;
    const int v = M.View();
    const int u = M.Unit();
    if (u <= 0)
        return;
    if (a < 0)
        ScrollBy(5, std::max(0, position_ - (-a + u - 1) / u));
    else if (a > v)
        ScrollBy(5, std::min(max_, position_ + ((b - a <= v ? b - v : a) + u - 1) / u));
    else if (b > v)
        ScrollBy(5, std::min(max_, position_ + (b - v + u - 1) / u));
}

void TskSkinCategoryButtons::CategoryCollapsed(TskButtonCategory* Category)
{
    if (OnCategoryCollapase)
        OnCategoryCollapase(this, Category);
}

void TskSkinCategoryButtons::CategoryReordered(TskButtonCategory* Source, TskButtonCategory* Target)
{
    if (OnReorderCategory)
        OnReorderCategory(this, Source, Target);
}

void TskSkinCategoryButtons::ForgetButton(TskBaseButtonItem* Item)
{
    if (hot_ == Item)
        hot_ = nullptr;
    if (pressed_ == Item)
        pressed_ = nullptr;
    if (focused_ == Item)
        focused_ = nullptr;
    if (dragButton_ == Item) {
        dragButton_ = nullptr;
        CancelDrag();
    }
    if (markLeft_ == Item)
        markLeft_ = nullptr;
    if (markTop_ == Item)
        markTop_ = nullptr;
    if (markRight_ == Item)
        markRight_ = nullptr;
    if (markBottom_ == Item)
        markBottom_ = nullptr;
}

void TskSkinCategoryButtons::ButtonDestroying(TskBaseButtonItem* Item)
{
    // Removing the button re-lays-out and repaints the list: only the references go here.
    ForgetButton(Item);
    if (selected_ == Item) {
        selected_ = nullptr;
        if (OnSelectedItemChange)
            OnSelectedItemChange(this, nullptr);
    }
}

void TskSkinCategoryButtons::CategoryDestroying(TskButtonCategory* Category)
{
    if (dragCategory_ == Category) {
        dragCategory_ = nullptr;
        CancelDrag();
    }
    TskButtonCollection* items = Category->Items();
    if (selected_ && selected_->GetCategory() == Category)
        SetSelectedItem(nullptr);
    for (int i = 0; i < items->Count(); ++i)
        ForgetButton(items->Items(i));
}

// ---------------------------------------------------------------------------------------------
// Selection

void TskSkinCategoryButtons::SetSelectedItem(TskButtonItem* Value)
{
    if (Value == selected_)
        return;
    if (focused_ && focused_ != Value)
        InvalidateButton(focused_);
    if (selected_)
        InvalidateButton(selected_);
    if (Value) {
        ScrollButtonIntoView(Value);
        focused_ = Value;
    }
    selected_ = Value;
    if (Value)
        InvalidateButton(Value);
    if (OnSelectedItemChange)
        OnSelectedItemChange(this, Value);
}

void TskSkinCategoryButtons::SetFocusedItem(TskButtonItem* Value)
{
    focused_ = Value;
    Invalidate();
}
