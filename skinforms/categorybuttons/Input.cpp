// The category-buttons control: mouse, wheel, keyboard, selection by input, and dragging
// buttons and categories to reorder or copy them.
#include "skinforms/categorybuttons/Control.h"

#include <algorithm>
#include <cstdlib>

#include "classlib/controls/Forms.h"
#include "classlib/controls/HintWindow.h"
#include "skinforms/categorybuttons/Navigation.h"

using namespace cl;
using namespace sk;

namespace {

// The copy cursor from the program's resources, registered as its screen cursor on first use.
HCURSOR DragCopyCursor()
{
    static const HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), "SK_CAT_DRAG_COPY");
    if (cursor && Screen && Screen->Cursors(TskSkinCategoryButtons::crCategoryDragCopy) != cursor)
        Screen->SetCursors(TskSkinCategoryButtons::crCategoryDragCopy, cursor);
    return cursor;
}

bool ControlDown() { return GetKeyState(VK_CONTROL) < 0; }

// How far the pointer moves with the button held before a press becomes a drag.
constexpr int DragThreshold = 5;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinCategoryButtons::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONUP: WMLButtonUp(Message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; break;
    case WM_MOUSELEAVE: WMMouseLeave(Message, true); break;
    case CM_MOUSELEAVE: WMMouseLeave(Message, true); break;
    case WM_TIMER: WMTimer(Message); break;
    case CM_HINTSHOW: CMHintShow(Message); break;
    case WM_NCCALCSIZE: WMNCCalcSize(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case WM_SIZE:
        TskSkinControl::Dispatch(Message);
        if (showBorder_)
            PaintBorder();
        break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED: WMCancelMode(Message); break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskSkinControl::Dispatch(Message);
        if (TskButtonItem* mark = FocusMarkButton())
            InvalidateButton(mark);
        break;
    default: TskSkinControl::Dispatch(Message);
    }
}

// The caption lines take their height from the font.
void TskSkinCategoryButtons::CMFontChanged(TMessage& Message)
{
    TskSkinControl::Dispatch(Message);
    CalcTextMetrics();
    Relayout();
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TskSkinCategoryButtons::SetHot(TskButtonItem* Button)
{
    if (Button == hot_)
        return;
    if (hot_)
        InvalidateButton(hot_);
    hot_ = Button;
    if (hot_)
        InvalidateButton(hot_);
    if (OnHotButton)
        OnHotButton(this, Button);
}

void TskSkinCategoryButtons::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskSkinControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft)
        return;
    dragging_ = false;
    dragCancelled_ = false;
    pressed_ = GetButtonAt(X, Y);
    if (!Focused() && CanFocus()) {
        SetFocus();
        if (!*alive)
            return;
    }
    dragButton_ = nullptr;
    dragCategory_ = nullptr;
    if (pressed_) {
        dragButton_ = pressed_;
        pressPoint_ = {X, Y};
        InvalidateButton(pressed_);
    } else if (MayReorder()) {
        if (TskButtonCategory* c = GetCategoryAt(X, Y)) {
            dragCategory_ = c;
            pressPoint_ = {X, Y};
        }
    }
}

void TskSkinCategoryButtons::MouseMove(TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskSkinControl::MouseMove(Shift, X, Y);
    if (!*alive)
        return;
    mouseInside_ = true;
    if (MayReorder() && (dragButton_ || dragCategory_) && ControlState().Contains(csLButtonDown)) {
        if (std::abs(X - pressPoint_.X) >= DragThreshold || std::abs(Y - pressPoint_.Y) >= DragThreshold) {
            pressPoint_ = {X, Y};
            if (pressed_)
                InvalidateButton(pressed_);
            pressed_ = nullptr;
            SetHot(nullptr);
            if (!*alive)
                return;
            StartDrag();
            return;
        }
    }
    SetHot(GetButtonAt(X, Y));
}

void TskSkinCategoryButtons::WMLButtonUp(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    // The capture goes inside the class library's handling: that is no cancelled drag.
    releasing_ = true;
    TskSkinControl::Dispatch(Message);
    if (!*alive)
        return;
    releasing_ = false;
    const int x = Message.XPos();
    const int y = Message.YPos();
    if (dragCancelled_) {
        // The release that ends a cancelled drag is no click.
        dragCancelled_ = false;
        return;
    }
    TskButtonItem* button = pressed_;
    pressed_ = nullptr;
    dragButton_ = nullptr;
    dragCategory_ = nullptr;
    if (button) {
        InvalidateButton(button);
        if (button == GetButtonAt(x, y)) {
            SetSelectedItem(button);
            if (!*alive)
                return;
            // The handlers may refill the list: the button is not touched afterwards.
            ReportButtonClick(button);
            if (!*alive)
                return;
            button = nullptr;
            if (OnClick)
                OnClick(this);
            if (*alive)
                dragging_ = false;
            return;
        }
    }
    if (TskButtonCategory* c = GetCategoryAt(x, y))
        if (c->Items()->Count() > 0) {
            c->SetCollapsed(!c->Collapsed());
            if (!*alive)
                return;
            Relayout();
        }
    if (OnClick)
        OnClick(this);
    if (*alive)
        dragging_ = false;
}

void TskSkinCategoryButtons::ReportButtonClick(TskButtonItem* Button)
{
    if (Button->OnClick)
        Button->OnClick(this);
    else if (OnButtonClicked)
        OnButtonClicked(this, Button);
}

void TskSkinCategoryButtons::WMMouseLeave(TMessage& Message, bool Notify)
{
    if (hot_) {
        InvalidateButton(hot_);
        hot_ = nullptr;
        if (OnHotButton)
            OnHotButton(this, nullptr);
    }
    // The platform's leave and the class library's may both come: the event fires once.
    if (Notify && mouseInside_) {
        mouseInside_ = false;
        if (OnMouseLeave && !Designing())
            OnMouseLeave(this);
    }
}

void TskSkinCategoryButtons::WMCancelMode(TMessage& Message)
{
    TskSkinControl::Dispatch(Message);
    if (releasing_)
        return;
    // Starting a drag hands the mouse to the drag, which ends itself.
    if (dragging_ || TControl::Dragging())
        return;
    // The mouse was taken away: a press ends without a click.
    if (pressed_) {
        InvalidateButton(pressed_);
        pressed_ = nullptr;
    }
    dragButton_ = nullptr;
    dragCategory_ = nullptr;
}

void TskSkinCategoryButtons::WMMouseWheel(TMessage& Message)
{
    const WORD keys = LOWORD(Message.WParam);
    const int delta = static_cast<short>(HIWORD(Message.WParam));
    Message.Result = 1;
    if (delta == 0)
        return;
    // The class library's wheel event comes first; what it handles is done.
    if (OnMouseWheel) {
        const TAliveFlag alive = alive_;
        bool handled = false;
        OnMouseWheel(this, KeysToShiftState(keys), delta, {Message.XPos(), Message.YPos()}, handled);
        if (!*alive || handled)
            return;
    }
    if (hot_) {
        InvalidateButton(hot_);
        hot_ = nullptr;
    }
    if (keys & MK_SHIFT) {
        TskButtonItem* current = selected_ ? selected_ : focused_;
        if (TskButtonItem* found = NeighbourButton(categories_, current, delta < 0))
            SelectFound(found);
        return;
    }
    if (max_ <= 0)
        return;
    if (keys & MK_CONTROL)
        ScrollBy(delta > 0 ? 2 : 3);
    else
        ScrollBy(delta > 0 ? 0 : 1);
}

void TskSkinCategoryButtons::CMHintShow(TMessage& Message)
{
    auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
    if (!info)
        return;
    const TPoint at = info->CursorPos;
    TskButtonCategory* category = GetCategoryAt(at.X, at.Y);
    TskButtonItem* button = category ? GetButtonAt(at.X, at.Y, category) : nullptr;
    std::string text;
    bool handled = false;
    const TAliveFlag alive = alive_;
    if (OnGetHint)
        OnGetHint(this, button, category, text, handled);
    if (!*alive)
        return;
    bool placed = false;
    if (button) {
        info->CursorRect = GetButtonRect(button);
        placed = true;
        if (!handled) {
            text = button->Hint().empty() ? button->Caption() : button->Hint();
            // The action's hint handler may change the text. It may also refill the list, so
            // the button is not touched after it.
            if (auto* action = dynamic_cast<TCustomAction*>(button->Action())) {
                action->DoHint(text);
                if (!*alive)
                    return;
            }
        }
    } else if (category) {
        if (!handled)
            text = category->Caption();
        TRect band = GetCategoryBounds(category, category->LayoutStart).Band;
        // Over an expanded category only its caption line shows the caption.
        if (!category->Collapsed()) {
            if (flow_ == skcbfVertical)
                band.Bottom = band.Top + ScrollUnit();
            else
                band.Right = band.Left + ScrollUnit();
        }
        info->CursorRect = band;
        placed = true;
    }
    if (placed || handled) {
        info->HintStr = text;
        Message.Result = 0;
    } else {
        Message.Result = 1;
    }
}

// ---------------------------------------------------------------------------------------------
// Keyboard

void TskSkinCategoryButtons::SelectFound(TskButtonItem* Button)
{
    if (hot_) {
        InvalidateButton(hot_);
        hot_ = nullptr;
    }
    SetSelectedItem(Button);
}

void TskSkinCategoryButtons::KeyDown(WORD& Key, TShiftState Shift)
{
    TskButtonItem* current = selected_ ? selected_ : focused_;
    TskButtonCategory* category = current ? current->GetCategory() : nullptr;
    const bool ctrl = Shift.Contains(ssCtrl);
    const TskCategoryButtonsMetrics m = Metrics();
    TskButtonItem* found = nullptr;
    switch (Key) {
    case VK_DOWN:
    case VK_UP: found = RowNeighbour(categories_, current, Key == VK_DOWN, m); break;
    case VK_LEFT:
        if (ctrl && category && !category->Collapsed()) {
            category->SetCollapsed(true);
            break;
        }
        found = ColumnNeighbour(categories_, current, false, m);
        break;
    case VK_RIGHT:
        if (ctrl && category && category->Collapsed()) {
            category->SetCollapsed(false);
            Relayout();
            break;
        }
        found = ColumnNeighbour(categories_, current, true, m);
        break;
    case VK_NEXT:
    case VK_PRIOR: found = PageNeighbour(categories_, current, Key == VK_NEXT, ScrollOffset(), m); break;
    case VK_HOME: found = FirstCategoryButton(categories_); break;
    case VK_END: found = LastCategoryButton(categories_); break;
    case VK_RETURN: {
        if (!current)
            break;
        const TAliveFlag alive = alive_;
        if (category && category->Collapsed()) {
            category->SetCollapsed(false);
            Relayout();
        }
        SetSelectedItem(current);
        // Enter reports the button's click; only a mouse release reports the control's.
        if (*alive)
            ReportButtonClick(current);
        return;
    }
    case VK_ESCAPE:
        if (TControl::Dragging()) {
            CancelDrag();
            // The button still held: its release is no click.
            dragCancelled_ = true;
            return;
        }
        TskSkinControl::KeyDown(Key, Shift);
        return;
    default: TskSkinControl::KeyDown(Key, Shift); return;
    }
    if (found)
        SelectFound(found);
}

// ---------------------------------------------------------------------------------------------
// Dragging

bool TskSkinCategoryButtons::CopyDrag() const
{
    return dragButton_ && options_.Contains(skboAllowCopyingButtons) && ControlDown();
}

void TskSkinCategoryButtons::StartDrag()
{
    dragging_ = true;
    MakeDragImage();
    SetDragCursor(CopyDrag() && DragCopyCursor() ? crCategoryDragCopy : crDrag);
    // The threshold is behind us: the drag starts at this very point.
    BeginDrag(true, 0);
}

void TskSkinCategoryButtons::DoStartDrag(TDragObject*& DragObject)
{
    TskSkinControl::DoStartDrag(DragObject);
    if (dragging_)
        return;
    // Started by the class library (automatic mode): the button under the mouse is dragged.
    const TPoint p = ScreenToClient(Mouse->CursorPos());
    dragButton_ = GetButtonAt(p.X, p.Y);
    dragCategory_ = nullptr;
    pressed_ = nullptr;
    pressPoint_ = p;
    dragging_ = true;
    MakeDragImage();
}

void TskSkinCategoryButtons::MakeDragImage()
{
    dragImages_->Clear();
    TRect r;
    TBitmap picture;
    if (dragButton_) {
        r = GetButtonRect(dragButton_);
        picture.SetSize(r.Width(), r.Height());
        if (picture.Empty())
            return;
        picture.Canvas()->Brush()->SetColor(clBtnFace);
        picture.Canvas()->FillRect(cl::Rect(0, 0, r.Width(), r.Height()));
        TskButtonDrawState state{skbdsDragged};
        if (dragButton_ == selected_)
            state += skbdsSelected;
        DrawButton(dragButton_, picture.Canvas(), cl::Rect(0, 0, r.Width(), r.Height()), state);
    } else if (dragCategory_) {
        r = GetCategoryBounds(dragCategory_, dragCategory_->LayoutStart).Band;
        r.Right += 3;
        r.Bottom += 2;
        picture.SetSize(r.Width(), r.Height());
        if (picture.Empty())
            return;
        picture.Canvas()->Brush()->SetColor(clBtnFace);
        picture.Canvas()->FillRect(cl::Rect(0, 0, r.Width(), r.Height()));
        DrawCategory(picture.Canvas(), dragCategory_, 0, r.Width(), r.Height());
    } else {
        return;
    }
    dragImages_->SetWidth(picture.Width());
    dragImages_->SetHeight(picture.Height());
    dragImages_->Add(&picture, nullptr);
    dragImages_->SetDragImage(0, pressPoint_.X - r.Left, pressPoint_.Y - r.Top);
}

TDragImageList* TskSkinCategoryButtons::GetDragImages()
{
    return dragging_ && dragImages_->Count() > 0 ? dragImages_.get() : nullptr;
}

bool TskSkinCategoryButtons::IsOwnDrag(TObject* Source) const
{
    return Source == this && dragging_ && MayReorder();
}

void TskSkinCategoryButtons::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    if (!IsOwnDrag(Source)) {
        TskSkinControl::DragOver(Source, X, Y, State, Accept);
        return;
    }
    lastDragPoint_ = {X, Y};
    if (State == dsDragLeave) {
        // The edge scrolling follows the pointer: once it has left, nothing scrolls.
        StopAutoScroll();
        dragImages_->HideDragImage();
        ClearInsertMarks();
        UpdateWindow(Handle());
        dragImages_->ShowDragImage();
        Accept = false;
        return;
    }
    Accept = DragOverAt(X, Y);
}

void TskSkinCategoryButtons::DragDrop(TObject* Source, int X, int Y)
{
    if (!IsOwnDrag(Source)) {
        TskSkinControl::DragDrop(Source, X, Y);
        return;
    }
    DropAt(X, Y);
}

void TskSkinCategoryButtons::DoEndDrag(TObject* Target, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskSkinControl::DoEndDrag(Target, X, Y);
    if (*alive)
        FinishDrag();
}

void TskSkinCategoryButtons::FinishDrag()
{
    StopAutoScroll();
    dragging_ = false;
    dragButton_ = nullptr;
    dragCategory_ = nullptr;
    dragImages_->Clear();
    ClearInsertMarks();
    // The release went to the drag: the press is over.
    SetControlState(ControlState() - csLButtonDown);
}

void TskSkinCategoryButtons::CancelDrag()
{
    if (TControl::Dragging())
        EndDrag(false);
    if (dragging_)
        FinishDrag();
}

void TskSkinCategoryButtons::FindDropTarget(int X, int Y, TskButtonCategory*& Category, TskButtonItem*& Button) const
{
    const TskCategoryButtonsMetrics m = Metrics();
    Category = GetCategoryAt(X, Y);
    Button = Category ? GetButtonAt(X, Y, Category) : nullptr;
    const bool oneColumn = m.Vertical() && m.ButtonsPerLine() == 1;
    if (Button) {
        const TRect r = GetButtonRect(Button);
        const bool pastMiddle = oneColumn ? Y > (r.Top + r.Bottom) / 2 : X > (r.Left + r.Right) / 2;
        if (pastMiddle) {
            const int next = Button->Index() + 1;
            TskButtonCollection* items = Category->Items();
            Button = next < items->Count() ? static_cast<TskButtonItem*>(items->Items(next)) : nullptr;
        }
        return;
    }
    if (!Category || Category->Items()->Count() == 0 || Category->Collapsed())
        return;
    const TRect band = GetCategoryBounds(Category, Category->LayoutStart).Band;
    const bool before = oneColumn ? Y < (band.Top + band.Bottom) / 2 : X < m.ClientWidth / 2;
    if (before)
        Button = static_cast<TskButtonItem*>(Category->Items()->Items(0));
}

bool TskSkinCategoryButtons::AcceptsDrop(TskButtonCategory* Category, TskButtonItem* Target, bool Copy) const
{
    if (dragButton_) {
        if (Copy)
            return true;
        TskButtonCategory* own = dragButton_->GetCategory();
        if (Target)
            return Target != dragButton_ &&
                   !(Target->GetCategory() == own && Target->Index() == dragButton_->Index() + 1);
        return Category && Category != own;
    }
    if (dragCategory_) {
        if (Category)
            return Category != dragCategory_;
        return dragCategory_->Index() != categories_->Count() - 1;
    }
    return false;
}

void TskSkinCategoryButtons::SetInsertMarks(TskButtonItem* Left, TskButtonItem* Top, TskButtonItem* Right,
                                            TskButtonItem* Bottom)
{
    if (Left == markLeft_ && Top == markTop_ && Right == markRight_ && Bottom == markBottom_)
        return;
    for (TskButtonItem* b : {markLeft_, markTop_, markRight_, markBottom_})
        if (b)
            InvalidateButton(b);
    markLeft_ = Left;
    markTop_ = Top;
    markRight_ = Right;
    markBottom_ = Bottom;
    for (TskButtonItem* b : {markLeft_, markTop_, markRight_, markBottom_})
        if (b)
            InvalidateButton(b);
}

bool TskSkinCategoryButtons::DragOverAt(int X, int Y)
{
    if (!autoScroll_.Running())
        AutoScrollStep();
    TskButtonCategory* category = nullptr;
    TskButtonItem* target = nullptr;
    FindDropTarget(X, Y, category, target);
    const bool copy = CopyDrag();
    const bool accepted = AcceptsDrop(category, target, copy);
    SetDragCursor(copy && DragCopyCursor() ? crCategoryDragCopy : crDrag);
    if (!dragButton_ || !accepted) {
        ClearInsertMarks();
        return accepted;
    }
    const TskCategoryButtonsMetrics m = Metrics();
    const bool oneColumn = m.Vertical() && m.ButtonsPerLine() == 1;
    if (target) {
        TskButtonCollection* items = target->GetCategory()->Items();
        const int i = target->Index();
        auto* before = i > 0 ? static_cast<TskButtonItem*>(items->Items(i - 1)) : nullptr;
        if (oneColumn)
            SetInsertMarks(nullptr, target, nullptr, before);
        else
            SetInsertMarks(target, nullptr, before, nullptr);
    } else if (category && category->Items()->Count() > 0) {
        auto* last = static_cast<TskButtonItem*>(category->Items()->Items(category->Items()->Count() - 1));
        if (oneColumn)
            SetInsertMarks(nullptr, nullptr, nullptr, last);
        else
            SetInsertMarks(nullptr, nullptr, last, nullptr);
    } else {
        ClearInsertMarks();
    }
    return accepted;
}

void TskSkinCategoryButtons::DropAt(int X, int Y)
{
    StopAutoScroll();
    TskButtonCategory* category = nullptr;
    TskButtonItem* target = nullptr;
    FindDropTarget(X, Y, category, target);
    const bool copy = CopyDrag();
    const bool accepted = AcceptsDrop(category, target, copy);
    ClearInsertMarks();
    if (!accepted)
        return;
    const TAliveFlag alive = alive_;
    if (dragCategory_) {
        TskButtonCategory* source = dragCategory_;
        dragCategory_ = nullptr;
        source->SetIndex(category ? category->Index() : categories_->Count() - 1);
        return;
    }
    TskButtonItem* source = dragButton_;
    if (!source)
        return;
    dragButton_ = nullptr;
    if (copy) {
        if (!category)
            return;
        auto* copied = static_cast<TskButtonItem*>(category->Items()->Add());
        if (target)
            copied->SetIndex(target->Index());
        copied->Assign(source);
        if (OnCopyButton)
            OnCopyButton(this, source, copied);
        return;
    }
    TskButtonCategory* sourceCategory = source->GetCategory();
    TskButtonCategory* targetCategory = target ? target->GetCategory() : category;
    reordering_ = true;
    try {
        if (target && targetCategory == sourceCategory) {
            int index = target->Index();
            if (source->Index() < index)
                --index;
            source->SetIndex(index);
        } else if (target) {
            targetCategory->Items()->AddItem(source, target->Index());
        } else if (targetCategory && targetCategory != sourceCategory) {
            targetCategory->Items()->AddItem(source, -1);
        } else {
            source->SetIndex(source->ButtonCollection()->Count() - 1);
        }
    } catch (...) {
        if (*alive)
            reordering_ = false;
        throw;
    }
    reordering_ = false;
    Relayout();
    Invalidate();
    if (OnReorderButton)
        OnReorderButton(this, source, sourceCategory, targetCategory);
}

// Edge scrolling: while the pointer stays near an end of the flow during a drag, the content
// scrolls a unit per step, faster the nearer the edge. Each step is its own timer tick, so the
// program keeps answering and a release ends it at once.
void TskSkinCategoryButtons::AutoScrollStep()
{
    const TskCategoryButtonsMetrics m = Metrics();
    const int zone = std::max(6, 2 * m.Unit());
    const bool vertical = m.Vertical();
    const int along = vertical ? lastDragPoint_.Y : lastDragPoint_.X;
    const int across = vertical ? lastDragPoint_.X : lastDragPoint_.Y;
    const int length = vertical ? Height() : Width();
    const int crossLength = vertical ? Width() : Height();
    int code = -1;
    int distance = 0;
    // Only a pointer inside the list scrolls it; beyond its end the pointer has left.
    if (dragging_ && across >= 0 && across < crossLength && along >= 0 && along < length) {
        if (along >= length - zone && position_ < max_) {
            code = 1;
            distance = std::max(0, length - along);
        } else if (along < zone && position_ > 0) {
            code = 0;
            distance = std::max(0, along);
        }
    }
    if (code < 0) {
        StopAutoScroll();
        return;
    }
    dragImages_->HideDragImage();
    ScrollBy(code);
    if (HandleAllocated())
        UpdateWindow(Handle());
    dragImages_->ShowDragImage();
    autoScroll_.Start(static_cast<UINT>(distance * 400 / zone) + 20);
}

void TskSkinCategoryButtons::StopAutoScroll()
{
    autoScroll_.Stop();
}

void TskSkinCategoryButtons::WMTimer(TMessage& Message)
{
    if (!autoScroll_.IsTick(Message)) {
        TskSkinControl::Dispatch(Message);
        return;
    }
    AutoScrollStep();
}
