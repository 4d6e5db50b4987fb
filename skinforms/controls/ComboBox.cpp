// The skinned combo box: properties, layout, the drop-down list, the mouse and the keys of the
// fixed style.
#include "skinforms/controls/ComboBox.h"

#include <algorithm>

#include "classlib/system/CoreConsts.h"
#include "classlib/controls/Forms.h"
#include "classlib/system/SysUtils.h"
#include "skin/drawing/System.h"

namespace sk {

using namespace cl;

// ---------------------------------------------------------------------------------------------
// The drop-down list

TskPopupListBox::TskPopupListBox(TComponent* AOwner) : TskSkinListBox(AOwner)
{
    SetVisible(false);
    SetControlStyle(ControlStyle() + csNoDesignVisible + csReplicatable);
    ListBox()->SetTabStop(false);
}

void TskPopupListBox::CreateParams(TCreateParams& Params)
{
    TskSkinListBox::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPCHILDREN;
    Params.ExStyle = WS_EX_TOOLWINDOW;
    // The combo box owns the popup: it goes and hides with the combo box's window.
    Params.WndParent = combo_ && combo_->HandleAllocated() ? combo_->Handle() : Application->Handle();
    Params.WindowClass.style |= CS_SAVEBITS;
    if (IsWindowsXP()) {
        Params.WindowClass.style |= CS_DROPSHADOW;
        Params.WinClassName += "XP";
    }
}

TRect TskPopupListBox::ListScreenRect()
{
    RECT r{};
    if (ListBox() && ListBox()->HandleAllocated())
        GetWindowRect(ListBox()->Handle(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

void TskPopupListBox::Dispatch(TMessage& Message)
{
    // The focus stays with the combo box (or its edit) while the list is used.
    if (Message.Msg == WM_MOUSEACTIVATE) {
        Message.Result = MA_NOACTIVATE;
        return;
    }
    TskSkinListBox::Dispatch(Message);
}

bool TskPopupListBox::ListMessageTaken(TMessage& Message)
{
    if (!combo_)
        return false;
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return true;
    case WM_MOUSEMOVE: combo_->ListMouseMove(Message.XPos(), Message.YPos()); return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: combo_->ListMouseDown(Message.XPos(), Message.YPos()); return true;
    // The native list would take the focus on a press and choose on a release: the combo box
    // decides both.
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: return true;
    default: return false;
    }
}

TskDropDownPlace PlaceDropDown(const TRect& Box, int W, int Rows, const TRect& WorkArea,
                               const std::function<int(int)>& HeightFor)
{
    TskDropDownPlace place;
    const int below = WorkArea.Bottom - Box.Bottom;
    const int above = Box.Top - WorkArea.Top;
    int rows = std::max(1, Rows);
    int h = HeightFor(rows);
    if (h > below && h <= above) {
        place.Above = true;
    } else if (h > below) {
        // Neither side holds every row: the roomier side, with the rows that fit there.
        place.Above = above > below;
        const int room = place.Above ? above : below;
        while (rows > 1 && h > room)
            h = HeightFor(--rows);
    }
    int left = std::min(Box.Left, WorkArea.Right - W);
    left = std::max(left, WorkArea.Left);
    int top = place.Above ? Box.Top - h : Box.Bottom;
    // Even one row may not fit a tiny work area: it is kept on the screen at least.
    top = std::max(WorkArea.Top, std::min(top, WorkArea.Bottom - h));
    place.Bounds = {left, top, left + W, top + h};
    place.Rows = rows;
    return place;
}

// ---------------------------------------------------------------------------------------------
// The combo box

TskSkinCustomComboBox::TskSkinCustomComboBox(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    // OnClick tells of a choice, not of a click on the box.
    SetControlStyle(ControlStyle() + csCaptureMouse + csOpaque + csSetCaption - csClickEvents);
    SetTabStop(true);
    Font()->SetName("Arial");
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    SetSkinDataName("combobox");
    list_ = new TskPopupListBox(this);
    list_->SetComboBox(this);
    list_->OnCheckButtonClick = TNotifyEvent(this, &TskSkinCustomComboBox::ListCheckButtonClick);
    SetBounds(Left(), Top(), 120, 20);
    CalcRects();
}

TskSkinCustomComboBox::~TskSkinCustomComboBox()
{
    StopScrollTimer();
    if (list_)
        list_->SetComboBox(nullptr);
    FreeEdit();
}

void TskSkinCustomComboBox::CreateParams(TCreateParams& Params)
{
    TskSkinCustomControl::CreateParams(Params);
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TskSkinCustomComboBox::CreateWnd()
{
    TskSkinCustomControl::CreateWnd();
    // The popup's window was owned by the window before this one.
    if (list_ && list_->HandleAllocated())
        list_->RecreateWnd();
}

void TskSkinCustomComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TskSkinCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == list_)
        list_ = nullptr;
    if (AComponent == edit_)
        edit_ = nullptr;
}

unsigned TskSkinCustomComboBox::Ticks() const { return GetTickCount(); }

TskDataSkinComboBox* TskSkinCustomComboBox::ComboDescription() const
{
    return index_ != -1 ? dynamic_cast<TskDataSkinComboBox*>(Description()) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Properties

void TskSkinCustomComboBox::SetStyle(TskSkinCustomComboBoxStyle Value)
{
    if (Value == style_)
        return;
    style_ = Value;
    if (style_ == skcbEditStyle)
        CreateEdit();
    else
        FreeEdit();
    CalcRects();
    Repaint();
}

void TskSkinCustomComboBox::SetItems(TStrings* Value)
{
    list_->SetItems(Value);
    Repaint();
}

void TskSkinCustomComboBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= ItemCount())
        throw EListError(Format(consts::SListIndexError, Value));
    const TAliveFlag alive = alive_;
    list_->SetItemIndex(Value);
    if (Value != -1)
        ChooseText(Items()->Get(Value));
    if (!*alive)
        return;
    savedIndex_ = Value;
    if (style_ == skcbFixedStyle)
        Repaint();
    if (ComponentState().Contains(csLoading) || Designing())
        return;
    if (OnClick)
        OnClick(this);
    if (*alive)
        ChoiceMade();
}

void TskSkinCustomComboBox::SetDropDownCount(int Value)
{
    if (Value >= 1)
        dropDownCount_ = Value;
}

void TskSkinCustomComboBox::SetHideSelection(bool Value)
{
    hideSelection_ = Value;
    if (edit_)
        edit_->SetHideSelection(Value);
}

void TskSkinCustomComboBox::SetCharCase(TEditCharCase Value)
{
    charCase_ = Value;
    if (edit_)
        edit_->SetCharCase(Value);
}

void TskSkinCustomComboBox::SetDefaultColor(TColor Value)
{
    defaultColor_ = Value;
    ApplyEditLook();
    Repaint();
}

void TskSkinCustomComboBox::SetUseSkinSize(bool Value)
{
    useSkinSize_ = Value;
    GetSkinData();
    CalcRects();
    Repaint();
}

void TskSkinCustomComboBox::SetImages(TCustomImageList* Value)
{
    list_->SetImages(Value);
    Repaint();
}

void TskSkinCustomComboBox::SetImageIndex(int Value)
{
    list_->SetImageIndex(Value);
    Repaint();
}

bool TskSkinCustomComboBox::DroppedDown() const { return list_ && list_->HandleAllocated() && list_->Visible(); }

void TskSkinCustomComboBox::ChooseText(const AnsiString& Text)
{
    if (edit_ && !editPushing_) {
        edit_->SetText(Text);
        edit_->SelectAll();
    }
    SetText(Text);
}

// ---------------------------------------------------------------------------------------------
// Skin and layout

void TskSkinCustomComboBox::DefaultFontChanged()
{
    if (index_ == -1)
        Font()->Assign(DefaultFont());
}

void TskSkinCustomComboBox::CalcSize(int& W, int& H)
{
    TskSkinCustomControl::CalcSize(W, H);
    // The picture's height unless the skin may be stretched.
    if (index_ != -1 && useSkinSize_)
        H = RectHeight(SkinRect);
}

void TskSkinCustomComboBox::ChangeSkinData()
{
    TskSkinCustomControl::ChangeSkinData();
    CalcRects();
    ApplyEditLook();
    if (list_)
        list_->SetSkinData(SkinData());
    Repaint();
}

void TskSkinCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    CalcRects();
}

void TskSkinCustomComboBox::CalcRects()
{
    const int w = Width();
    const int h = Height();
    if (TskDataSkinComboBox* d = ComboDescription()) {
        const int dw = w - RectWidth(d->SkinRect);
        const int dh = h - RectHeight(d->SkinRect);
        buttonRect_ = d->ButtonRect;
        if (buttonRect_.Left >= RectWidth(d->SkinRect) - d->RTPoint.X)
            buttonRect_ = OffsetRect(buttonRect_, dw, 0);
        contentRect_ = d->ClRect;
        contentRect_.Right += dw;
        if (!useSkinSize_) {
            buttonRect_.Bottom += dh;
            contentRect_.Bottom += dh;
        }
    } else {
        buttonRect_ = Rect(w - 19, 2, w - 2, h - 2);
        contentRect_ = Rect(2, 2, buttonRect_.Left - 1, h - 2);
    }
    PlaceEdit();
}

// ---------------------------------------------------------------------------------------------
// Dropping down and closing up

void TskSkinCustomComboBox::DropDown()
{
    if (ItemCount() == 0 || !list_)
        return;
    const TAliveFlag alive = alive_;
    listPressed_ = false;
    StopScrollTimer();
    if (OnDropDown)
        OnDropDown(this);
    if (!*alive || ItemCount() == 0)
        return;
    // The skin names the list-box description of its drop-down lists.
    TskDataSkinComboBox* d = ComboDescription();
    list_->SetSkinDataName(d && !d->ListBoxName.empty() ? d->ListBoxName : "listbox");
    list_->SetSkinData(SkinData());
    list_->HandleNeeded();
    const int w = listBoxWidth_ > 0 ? listBoxWidth_ : Width();
    const TPoint origin = ClientToScreen({0, 0});
    const TRect box{origin.X, origin.Y, origin.X + Width(), origin.Y + Height()};
    TRect work = GetDesktopWorkArea(true);
    GetMonitorWorkArea(Handle(), true, work);
    const TskDropDownPlace place = PlaceDropDown(box, w, std::min(ItemCount(), dropDownCount_), work,
                                                 [this](int Rows) { return list_->HeightForRows(Rows); });
    list_->SetRowCount(place.Rows);
    list_->SetBounds(place.Bounds.Left, place.Bounds.Top, RectWidth(place.Bounds), RectHeight(place.Bounds));
    if (edit_ && edit_->CanFocus() && !edit_->Focused())
        edit_->SetFocus();
    savedIndex_ = ItemIndex();
    if (savedIndex_ >= 0)
        list_->SetTopIndex(std::max(0, savedIndex_ - place.Rows + 1));
    list_->UpdateScrollBars();
    HWND wnd = list_->Handle();
    const bool layered = IsWindowsNT5();
    if (layered) {
        LONG ex = GetWindowLongA(wnd, GWL_EXSTYLE);
        ex = alphaBlend_ ? (ex | WS_EX_LAYERED) : (ex & ~WS_EX_LAYERED);
        SetWindowLongA(wnd, GWL_EXSTYLE, ex);
        if (alphaBlend_)
            SetAlphaBlendTransparent(wnd, alphaBlendAnimation_ ? 0 : alphaBlendValue_);
    }
    SetWindowPos(wnd, HWND_TOP, place.Bounds.Left, place.Bounds.Top, RectWidth(place.Bounds),
                 RectHeight(place.Bounds), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    list_->SetVisible(true);
    if (layered && alphaBlend_ && alphaBlendAnimation_) {
        Application->ProcessMessages();
        if (!*alive)
            return;
        for (int a = 0; a <= alphaBlendValue_ && DroppedDown(); a += 2)
            SetAlphaBlendTransparent(wnd, static_cast<BYTE>(a));
        if (DroppedDown())
            SetAlphaBlendTransparent(wnd, alphaBlendValue_);
    }
    Repaint();
}

void TskSkinCustomComboBox::CloseUp(bool Accept)
{
    StopScrollTimer();
    if (!DroppedDown())
        return;
    const TAliveFlag alive = alive_;
    listPressed_ = listCaptured_ = false;
    if (MouseCapture())
        SetMouseCapture(false);
    SetWindowPos(list_->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
    list_->SetVisible(false);
    const int index = ItemIndex();
    const bool accepted = Accept && index >= 0 && index < ItemCount();
    if (accepted) {
        ChooseText(Items()->Get(index));
        if (!*alive)
            return;
        savedIndex_ = index;
        if (OnClick)
            OnClick(this);
        if (!*alive)
            return;
        ChoiceMade();
        if (!*alive)
            return;
    } else {
        list_->SetItemIndex(savedIndex_ < ItemCount() ? savedIndex_ : -1);
    }
    Repaint();
    if (accepted && OnCloseUp)
        OnCloseUp(this);
}

void TskSkinCustomComboBox::ListCheckButtonClick(TObject*) { CloseUp(true); }

bool TskSkinCustomComboBox::IsOwnPart(TControl* Control) const
{
    if (!Control)
        return false;
    if (Control == this || Control == edit_)
        return true;
    if (!list_)
        return false;
    return Control == list_ || list_->ContainsControl(Control);
}

void TskSkinCustomComboBox::CMCancelMode(TMessage& Message)
{
    if (!IsOwnPart(reinterpret_cast<TControl*>(Message.LParam)))
        CloseUp(false);
}

// ---------------------------------------------------------------------------------------------
// The mouse

bool TskSkinCustomComboBox::OverList(int X, int Y)
{
    if (!DroppedDown())
        return false;
    const TPoint p = ClientToScreen({X, Y});
    return PtInRect(list_->ListScreenRect(), p);
}

void TskSkinCustomComboBox::TrackListAt(int X, int Y)
{
    const TPoint screen = ClientToScreen({X, Y});
    const TRect r = list_->ListScreenRect();
    if (PtInRect(r, screen)) {
        StopScrollTimer();
        const int i = list_->ListBox()->ItemAtPos({screen.X - r.Left, screen.Y - r.Top}, true);
        if (i >= 0 && i != ItemIndex())
            list_->ListBox()->SetItemIndex(i);
        return;
    }
    // Held above or below the list: the selection moves on a timer that way.
    if (listPressed_ && screen.Y < r.Top)
        StartScrollTimer(-1);
    else if (listPressed_ && screen.Y >= r.Bottom)
        StartScrollTimer(1);
    else
        StopScrollTimer();
}

void TskSkinCustomComboBox::ListMouseMove(int X, int Y)
{
    const int i = list_->ListBox()->ItemAtPos({X, Y}, true);
    if (i >= 0 && i != ItemIndex())
        list_->ListBox()->SetItemIndex(i);
}

void TskSkinCustomComboBox::ListMouseDown(int X, int Y)
{
    ListMouseMove(X, Y);
    listPressed_ = true;
    SetMouseCapture(true);
}

void TskSkinCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!*alive || Button != mbLeft)
        return;
    if (style_ == skcbFixedStyle && !Focused() && CanFocus()) {
        SetFocus();
        if (!*alive)
            return;
    }
    buttonHot_ = PtInRect(buttonRect_, {X, Y});
    if (!buttonHot_ && (!PtInRect(contentRect_, {X, Y}) || style_ == skcbEditStyle)) {
        CloseUp(false);
        return;
    }
    buttonPressed_ = true;
    Repaint();
    if (DroppedDown()) {
        CloseUp(false);
        return;
    }
    DropDown();
    if (*alive && DroppedDown())
        listCaptured_ = true;
}

void TskSkinCustomComboBox::MouseMove(TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    if ((listCaptured_ || listPressed_) && DroppedDown())
        TrackListAt(X, Y);
    const bool hot = PtInRect(buttonRect_, {X, Y});
    if (hot != buttonHot_) {
        buttonHot_ = hot;
        Repaint();
    }
    if (*alive)
        TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinCustomComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    StopScrollTimer();
    const bool pressedInList = listPressed_;
    const bool fromBox = listCaptured_;
    listPressed_ = listCaptured_ = false;
    if (buttonPressed_) {
        buttonPressed_ = false;
        Repaint();
    }
    if (Button == mbLeft && DroppedDown()) {
        // The message's point decides, not the pointer's position now: the same in real use.
        const bool over = OverList(X, Y);
        if (pressedInList || (fromBox && over)) {
            if (MouseCapture())
                SetMouseCapture(false);
            CloseUp(over);
            if (!*alive)
                return;
        }
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinCustomComboBox::StartScrollTimer(int Direction)
{
    if (scrollDirection_ == Direction && scrollTimer_.Running())
        return;
    scrollDirection_ = Direction;
    scrollTimer_.Start(ScrollInterval);
}

void TskSkinCustomComboBox::StopScrollTimer()
{
    scrollTimer_.Stop();
    scrollDirection_ = 0;
}

void TskSkinCustomComboBox::WMTimer(TMessage& Message)
{
    if (!scrollTimer_.IsTick(Message)) {
        TskSkinCustomControl::Dispatch(Message);
        return;
    }
    const int i = ItemIndex();
    if (scrollDirection_ < 0 && i > 0)
        list_->ListBox()->SetItemIndex(i - 1);
    else if (scrollDirection_ > 0 && i < ItemCount() - 1)
        list_->ListBox()->SetItemIndex(i + 1);
    list_->UpdateScrollBars();
}

void TskSkinCustomComboBox::MoveListSelection(int Index)
{
    if (Index < 0 || Index >= ItemCount())
        return;
    if (DroppedDown()) {
        list_->ListBox()->SetItemIndex(Index);
        list_->UpdateScrollBars();
    } else {
        SetItemIndex(Index);
    }
}

void TskSkinCustomComboBox::WMMouseWheel(TMessage& Message)
{
    const int delta = static_cast<short>(HIWORD(Message.WParam));
    Message.Result = 1;
    if (style_ != skcbFixedStyle || ItemCount() == 0)
        return;
    const int i = ItemIndex();
    MoveListSelection(delta < 0 ? std::min(i + 1, ItemCount() - 1) : std::max(i - 1, 0));
}

// ---------------------------------------------------------------------------------------------
// The keys of the fixed style

void TskSkinCustomComboBox::WMGetDlgCode(TMessage& Message)
{
    // The arrows choose; Enter and Escape belong to the list while it is open and to the
    // form's default and cancel buttons otherwise.
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (DroppedDown() ? DLGC_WANTALLKEYS : 0);
}

void TskSkinCustomComboBox::ChooseByKey(int Index)
{
    if (ItemCount() == 0)
        return;
    Index = std::clamp(Index, 0, ItemCount() - 1);
    if (Index != ItemIndex())
        SetItemIndex(Index);
}

void TskSkinCustomComboBox::KeyDown(WORD& Key, TShiftState Shift)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::KeyDown(Key, Shift);
    if (!*alive || style_ != skcbFixedStyle)
        return;
    const int i = ItemIndex();
    if (Shift.Contains(ssAlt)) {
        if ((Key == VK_DOWN || Key == VK_RIGHT) && !DroppedDown())
            DropDown();
        else if ((Key == VK_UP || Key == VK_LEFT) && DroppedDown())
            CloseUp(false);
        if (Key == VK_DOWN || Key == VK_RIGHT || Key == VK_UP || Key == VK_LEFT)
            Key = 0;
        return;
    }
    switch (Key) {
    case VK_F4:
        if (DroppedDown())
            CloseUp(true);
        else
            DropDown();
        break;
    case VK_RETURN:
        if (!DroppedDown())
            return;
        CloseUp(true);
        break;
    case VK_ESCAPE:
        if (!DroppedDown())
            return;
        CloseUp(false);
        break;
    case VK_PRIOR: ChooseByKey(i - (dropDownCount_ + 1)); break;
    case VK_NEXT: ChooseByKey(i + (dropDownCount_ - 1)); break;
    case VK_UP:
    case VK_LEFT:
        if (i > 0)
            SetItemIndex(i - 1);
        break;
    case VK_DOWN:
    case VK_RIGHT:
        if (i < ItemCount() - 1)
            SetItemIndex(i + 1);
        break;
    default: return;
    }
    Key = 0;
}

int TskSkinCustomComboBox::SearchItem(const AnsiString& Prefix, int After)
{
    if (Prefix.empty())
        return -1;
    // The items live in the list's window once it has one: the search is the platform's.
    list_->HandleNeeded();
    const LRESULT found = SendMessageA(list_->ListBox()->Handle(), LB_FINDSTRING, static_cast<WPARAM>(After),
                                       reinterpret_cast<LPARAM>(Prefix.c_str()));
    return found == LB_ERR ? -1 : static_cast<int>(found);
}

void TskSkinCustomComboBox::KeyPress(char& Key)
{
    const TAliveFlag alive = alive_;
    TskSkinCustomControl::KeyPress(Key);
    if (!*alive || style_ != skcbFixedStyle || static_cast<unsigned char>(Key) < ' ')
        return;
    const unsigned now = Ticks();
    if (autoComplete_ && searched_ && now - lastSearch_ < SearchDelay)
        prefix_ += Key;
    else
        prefix_ = AnsiString(1, Key);
    lastSearch_ = now;
    searched_ = true;
    Key = 0;
    const int found = SearchItem(prefix_, prefix_.size() == 1 ? ItemIndex() : -1);
    if (found >= 0)
        MoveListSelection(found);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinCustomComboBox::Dispatch(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    switch (Message.Msg) {
    case WM_TIMER: WMTimer(Message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case CM_CANCELMODE: CMCancelMode(Message); break;
    case WM_SETFOCUS:
        TskSkinCustomControl::Dispatch(Message);
        if (*alive)
            Repaint();
        break;
    case WM_KILLFOCUS:
        TskSkinCustomControl::Dispatch(Message);
        if (*alive && style_ == skcbFixedStyle)
            CloseUp(false);
        if (*alive)
            Repaint();
        break;
    case WM_SIZE:
        TskSkinCustomControl::Dispatch(Message);
        if (*alive)
            CalcRects();
        break;
    case CM_MOUSEENTER:
        TskSkinCustomControl::Dispatch(Message);
        if (!*alive)
            break;
        mouseIn_ = true;
        ApplyEditLook();
        Repaint();
        break;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::Dispatch(Message);
        if (!*alive)
            break;
        mouseIn_ = false;
        buttonHot_ = false;
        ApplyEditLook();
        Repaint();
        break;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        if (!*alive)
            break;
        if (edit_)
            edit_->SetEnabled(Enabled());
        ApplyEditLook();
        Repaint();
        break;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        if (!*alive)
            break;
        // The edit shows the text too, unless it is the one that changed it.
        if (edit_ && !editPushing_ && edit_->Text() != Text())
            edit_->SetText(Text());
        if (*alive && OnChange)
            OnChange(this);
        break;
    case WM_ERASEBKGND:
        // Painting into a given DC outside paint handling: the box and the edit.
        if (Message.WParam && !Painting())
            SendMessageA(Handle(), WM_PRINTCLIENT, Message.WParam, PRF_CLIENT);
        Message.Result = 1;
        break;
    default: TskSkinCustomControl::Dispatch(Message);
    }
}

}  // namespace sk
