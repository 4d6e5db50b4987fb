// TCustomListBox over the platform's LISTBOX window. The window holds the items while it
// exists; before it exists and between a destroy and a re-create, the object holds them.
#include <algorithm>

#include "classlib/system/CoreConsts.h"
#include "classlib/graphics/GdiHandles.h"
#include "classlib/stdctrls/NativeControlColors.h"
#include "classlib/stdctrls/NativeItemList.h"
#include "classlib/stdctrls/StdCtrls.h"

namespace cl {

class TListBoxStrings : public TNativeItemList {
public:
    explicit TListBoxStrings(TCustomListBox* ListBox) : TNativeItemList(ListBox, ListBox->saved_), listBox_(ListBox) {}

    void Put(int Index, const std::string& S) override
    {
        // Replace keeps the object and, where possible, the selection.
        TObject* object = GetObjectAt(Index);
        const int selected = listBox_->ItemIndex();
        Delete(Index);
        InsertObject(Index, S, object);
        if (selected == Index)
            listBox_->SetItemIndex(selected);
    }

    int Add(const std::string& S) override { return AddObject(S, nullptr); }

    int AddObject(const std::string& S, TObject* AObject) override
    {
        if (!Live()) {
            return Saved().AddObject(S, AObject);
        }
        const LRESULT index = listBox_->Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(S.c_str()));
        if (index < 0)
            throw EOutOfResources(consts::SOutOfResources);
        listBox_->Send(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(AObject));
        return static_cast<int>(index);
    }

protected:
    int NativeCount() const override { return static_cast<int>(listBox_->Send(LB_GETCOUNT)); }

    std::string NativeGet(int Index) const override
    {
        const LRESULT length = listBox_->Send(LB_GETTEXTLEN, static_cast<WPARAM>(Index));
        if (length == LB_ERR)
            throw EListError(Format(consts::SListIndexError, Index));
        std::string s(static_cast<std::size_t>(length) + 1, '\0');
        const LRESULT got = listBox_->Send(LB_GETTEXT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(s.data()));
        s.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
        return s;
    }

    TObject* NativeGetObject(int Index) const override
    {
        const LRESULT data = listBox_->Send(LB_GETITEMDATA, static_cast<WPARAM>(Index));
        if (data == LB_ERR && (Index < 0 || Index >= Count()))
            throw EListError(Format(consts::SListIndexError, Index));
        return reinterpret_cast<TObject*>(data);
    }

    void NativePutObject(int Index, TObject* AObject) override
    {
        listBox_->Send(LB_SETITEMDATA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(AObject));
    }

    void NativeInsert(int Index, const std::string& S, TObject* AObject) override
    {
        const LRESULT index = listBox_->Send(LB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str()));
        if (index < 0)
            throw EOutOfResources(consts::SOutOfResources);
        listBox_->Send(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(AObject));
    }

    void NativeDelete(int Index) override { listBox_->Send(LB_DELETESTRING, static_cast<WPARAM>(Index)); }

    void NativeClear() override { listBox_->Send(LB_RESETCONTENT); }

    // A sorted list box keeps its saved items sorted too.
    void SavedInsert(int Index, const std::string& S, TObject* AObject) override
    {
        if (Saved().Sorted())
            Saved().AddObject(S, AObject);
        else
            Saved().InsertObject(Index, S, AObject);
    }

private:
    TCustomListBox* listBox_;
};

// ---------------------------------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(std::make_unique<TListBoxStrings>(this)), saved_(std::make_unique<TStringList>())
{
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomListBox::~TCustomListBox()
{
    // The strings object must not reach a half-destroyed list box through the window.
    if (HandleAllocated())
        DestroyHandle();
}

LRESULT TCustomListBox::Send(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    return SendMessageA(Handle(), Msg, WParam, LParam);
}

void TCustomListBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "LISTBOX");
    Params.Style |= WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_HASSTRINGS;
    if (!integralHeight_)
        Params.Style |= LBS_NOINTEGRALHEIGHT;
    if (sorted_)
        Params.Style |= LBS_SORT;
    if (multiSelect_)
        Params.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (columns_ > 0)
        Params.Style |= LBS_MULTICOLUMN;
    if (style_ == lbOwnerDrawFixed)
        Params.Style |= LBS_OWNERDRAWFIXED;
    else if (style_ == lbOwnerDrawVariable)
        Params.Style |= LBS_OWNERDRAWVARIABLE;
    if (borderStyle_ == bsSingle)
        Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    if (style_ != lbStandard)
        Send(LB_SETITEMHEIGHT, 0, itemHeight_);
    ApplyColumnWidth();
    static_cast<TListBoxStrings*>(items_.get())->RestoreSavedItems();
    if (multiSelect_) {
        for (int i : savedSelection_)
            Send(LB_SETSEL, TRUE, i);
        if (savedItemIndex_ >= 0)
            Send(LB_SETCARETINDEX, static_cast<WPARAM>(savedItemIndex_), FALSE);
    } else {
        Send(LB_SETCURSEL, static_cast<WPARAM>(savedItemIndex_));
    }
    Send(LB_SETTOPINDEX, static_cast<WPARAM>(savedTopIndex_));
    savedSelection_.clear();
}

void TCustomListBox::DestroyWnd()
{
    if (HandleAllocated()) {
        savedItemIndex_ = ItemIndex();
        savedTopIndex_ = TopIndex();
        savedSelection_.clear();
        // In the window's order: the saved list must not sort them again.
        saved_->SetSorted(false);
        static_cast<TListBoxStrings*>(items_.get())->SaveNativeItems();
        const int count = saved_->Count();
        for (int i = 0; multiSelect_ && i < count; ++i)
            if (Send(LB_GETSEL, static_cast<WPARAM>(i)) > 0)
                savedSelection_.push_back(i);
    }
    TWinControl::DestroyWnd();
}

// ---------------------------------------------------------------------------------------------
// Properties

int TCustomListBox::ItemIndex()
{
    if (!HandleAllocated())
        return savedItemIndex_;
    if (multiSelect_) {
        // The caret is the current item; with nothing selected there is none.
        if (Send(LB_GETSELCOUNT) <= 0)
            return -1;
        return static_cast<int>(Send(LB_GETCARETINDEX));
    }
    return static_cast<int>(Send(LB_GETCURSEL));
}

void TCustomListBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= Count())
        Value = -1;
    if (!HandleAllocated()) {
        savedItemIndex_ = Value;
        return;
    }
    if (multiSelect_) {
        if (Value >= 0) {
            Send(LB_SETSEL, TRUE, Value);
            Send(LB_SETCARETINDEX, static_cast<WPARAM>(Value), FALSE);
        } else {
            Send(LB_SETSEL, FALSE, -1);
        }
    } else {
        Send(LB_SETCURSEL, static_cast<WPARAM>(Value));
    }
}

int TCustomListBox::TopIndex()
{
    return HandleAllocated() ? static_cast<int>(Send(LB_GETTOPINDEX)) : savedTopIndex_;
}

void TCustomListBox::SetTopIndex(int Value)
{
    savedTopIndex_ = std::max(Value, 0);
    if (HandleAllocated())
        Send(LB_SETTOPINDEX, static_cast<WPARAM>(savedTopIndex_));
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing)
{
    const int count = Count();
    if (HandleAllocated()) {
        RECT client{};
        GetClientRect(Handle(), &client);
        if (Pos.X >= 0 && Pos.Y >= 0 && Pos.X < client.right && Pos.Y < client.bottom) {
            for (int i = TopIndex(); i < count; ++i) {
                RECT r{};
                if (Send(LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
                    break;
                if (r.top >= client.bottom && columns_ == 0)
                    break;
                if (Pos.X >= r.left && Pos.X < r.right && Pos.Y >= r.top && Pos.Y < r.bottom)
                    return i;
            }
        }
    }
    return Existing ? -1 : count;
}

TRect TCustomListBox::ItemRect(int Index)
{
    RECT r{};
    if (!HandleAllocated() || Index < 0 || Index >= Count())
        return {};
    if (Send(LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
        return {};
    return {r.left, r.top, r.right, r.bottom};
}

int TCustomListBox::ItemHeight()
{
    if (HandleAllocated() && style_ == lbStandard)
        return static_cast<int>(Send(LB_GETITEMHEIGHT));
    return itemHeight_;
}

void TCustomListBox::SetItemHeight(int Value)
{
    if (Value <= 0 || Value > 255 || Value == itemHeight_)
        return;
    itemHeight_ = Value;
    if (HandleAllocated() && style_ != lbStandard) {
        Send(LB_SETITEMHEIGHT, 0, Value);
        Invalidate();
    }
}

void TCustomListBox::SetColumns(int Value)
{
    Value = std::max(Value, 0);
    if (Value == columns_)
        return;
    // Switching between one and several columns changes the window's style.
    const bool restyle = (columns_ == 0) != (Value == 0);
    columns_ = Value;
    if (restyle)
        RecreateWnd();
    else
        ApplyColumnWidth();
}

void TCustomListBox::ApplyColumnWidth()
{
    if (!HandleAllocated() || columns_ <= 0)
        return;
    RECT r{};
    GetClientRect(Handle(), &r);
    Send(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max<LONG>(1, (r.right - r.left) / columns_)));
}

void TCustomListBox::SetMultiSelect(bool Value)
{
    if (Value == multiSelect_)
        return;
    multiSelect_ = Value;
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value)
{
    if (Value == extendedSelect_)
        return;
    extendedSelect_ = Value;
    if (multiSelect_)
        RecreateWnd();
}

bool TCustomListBox::Selected(int Index)
{
    if (Index < 0 || Index >= Count())
        throw EListError(Format(consts::SListIndexError, Index));
    if (!HandleAllocated())
        return multiSelect_ ? std::find(savedSelection_.begin(), savedSelection_.end(), Index) != savedSelection_.end()
                            : Index == savedItemIndex_;
    if (!multiSelect_)
        return ItemIndex() == Index;
    return Send(LB_GETSEL, static_cast<WPARAM>(Index)) > 0;
}

void TCustomListBox::SetSelected(int Index, bool Value)
{
    if (Index < 0 || Index >= Count())
        throw EListError(Format(consts::SListIndexError, Index));
    if (!multiSelect_) {
        if (Value)
            SetItemIndex(Index);
        else if (ItemIndex() == Index)
            SetItemIndex(-1);
        return;
    }
    if (!HandleAllocated()) {
        std::erase(savedSelection_, Index);
        if (Value)
            savedSelection_.push_back(Index);
        return;
    }
    Send(LB_SETSEL, Value, Index);
}

int TCustomListBox::SelCount()
{
    if (!multiSelect_)
        return -1;
    if (!HandleAllocated())
        return static_cast<int>(savedSelection_.size());
    return static_cast<int>(Send(LB_GETSELCOUNT));
}

void TCustomListBox::SetSorted(bool Value)
{
    if (Value == sorted_)
        return;
    sorted_ = Value;
    if (!HandleAllocated()) {
        saved_->SetSorted(Value);
        return;
    }
    RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle Value)
{
    if (Value == style_)
        return;
    style_ = Value;
    RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool Value)
{
    if (Value == integralHeight_)
        return;
    integralHeight_ = Value;
    RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value)
{
    if (Value == borderStyle_)
        return;
    borderStyle_ = Value;
    RecreateWnd();
}

// ---------------------------------------------------------------------------------------------
// Messages

void TCustomListBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CN_DRAWITEM: CNDrawItem(Message); break;
    case CN_MEASUREITEM: CNMeasureItem(Message); break;
    case CN_CTLCOLORLISTBOX: CNCtlColor(Message); break;
    case WM_SIZE:
        TWinControl::Dispatch(Message);
        ApplyColumnWidth();
        break;
    default: TWinControl::Dispatch(Message);
    }
}

void TCustomListBox::CNCommand(TMessage& Message)
{
    switch (HIWORD(Message.WParam)) {
    case LBN_SELCHANGE: Click(); break;
    case LBN_DBLCLK: DblClick(); break;
    }
}

void TCustomListBox::CNCtlColor(TMessage& Message)
{
    Message.Result = AnswerControlColor(reinterpret_cast<HDC>(Message.WParam), Font()->Color(), Color(), brush_);
}

void TCustomListBox::CNMeasureItem(TMessage& Message)
{
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    measure->itemHeight = static_cast<UINT>(itemHeight_);
    Message.Result = TRUE;
}

void TCustomListBox::CNDrawItem(TMessage& Message)
{
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
    TOwnerDrawState state;
    if (draw->itemState & ODS_SELECTED) state += odSelected;
    if (draw->itemState & ODS_GRAYED) state += odGrayed;
    if (draw->itemState & ODS_DISABLED) state += odDisabled;
    if (draw->itemState & ODS_CHECKED) state += odChecked;
    if (draw->itemState & ODS_FOCUS) state += odFocused;
    if (draw->itemState & ODS_DEFAULT) state += odDefault;
    // Whatever the drawing leaves selected or set in the DC is undone on the way out.
    const TSavedDCState savedState(draw->hDC);
    canvas_.SetHandle(draw->hDC);
    canvas_.Font()->Assign(Font());
    canvas_.Brush()->SetColor(Color());
    const TRect rect{draw->rcItem.left, draw->rcItem.top, draw->rcItem.right, draw->rcItem.bottom};
    const TAliveFlag alive = alive_;
    try {
        // An empty list still gets a draw message for the focus rectangle: no item to draw.
        if (static_cast<int>(draw->itemID) >= 0 && static_cast<int>(draw->itemID) < Count())
            DrawItem(static_cast<int>(draw->itemID), rect, state);
        else if (state.Contains(odFocused))
            DrawFocusRect(draw->hDC, &draw->rcItem);
    } catch (...) {
        if (*alive)
            canvas_.SetHandle(nullptr);
        throw;
    }
    if (*alive)
        canvas_.SetHandle(nullptr);
    Message.Result = TRUE;
}

unsigned TCustomListBox::Ticks() const { return GetTickCount(); }

void TCustomListBox::KeyPress(char& Key)
{
    TWinControl::KeyPress(Key);
    if (!autoComplete_ || Key == 0 || !HandleAllocated())
        return;
    const unsigned now = Ticks();
    if (now - lastKeyTime_ >= AutoCompleteDelay)
        filter_.clear();
    lastKeyTime_ = now;
    if (Key == VK_BACK) {
        if (!filter_.empty())
            filter_.pop_back();
    } else if (static_cast<unsigned char>(Key) >= ' ') {
        filter_ += Key;
        Key = 0;  // the platform's own one-letter search would move the selection again
    } else {
        return;
    }
    if (filter_.empty())
        return;
    const LRESULT found = Send(LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(filter_.c_str()));
    if (found == LB_ERR)
        return;
    if (multiSelect_)
        Send(LB_SETSEL, FALSE, -1);
    SetItemIndex(static_cast<int>(found));
    Click();
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    if (State.Contains(odSelected)) {
        canvas_.Brush()->SetColor(clHighlight);
        canvas_.Font()->SetColor(clHighlightText);
    }
    canvas_.FillRect(Rect);
    canvas_.TextOut(Rect.Left + 2, Rect.Top, items_->Get(Index));
    if (State.Contains(odFocused))
        canvas_.DrawFocusRect(Rect);
}

}  // namespace cl
