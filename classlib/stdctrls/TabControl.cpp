// TCustomTabControl over SysTabControl32. The window holds the tabs while it exists; before
// and between windows the object holds them.
#include "classlib/stdctrls/ComCtrls.h"
#include "classlib/system/CoreConsts.h"
#include "classlib/graphics/GdiHandles.h"
#include "classlib/stdctrls/NativeItemList.h"

#include <commctrl.h>

namespace cl {

class TTabStrings : public TNativeItemList {
public:
    explicit TTabStrings(TCustomTabControl* Control) : TNativeItemList(Control, Control->saved_), control_(Control) {}

    void Put(int Index, const std::string& S) override
    {
        if (!Live()) {
            Saved().Put(Index, S);
            return;
        }
        CheckIndex(Index);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(S.c_str());
        control_->Send(TCM_SETITEMA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item));
        control_->Realign();
    }

protected:
    int NativeCount() const override { return static_cast<int>(control_->Send(TCM_GETITEMCOUNT)); }

    std::string NativeGet(int Index) const override
    {
        CheckIndex(Index);
        char buffer[4096] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = sizeof(buffer);
        control_->Send(TCM_GETITEMA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item));
        return item.pszText ? std::string(item.pszText) : std::string();
    }

    TObject* NativeGetObject(int Index) const override
    {
        CheckIndex(Index);
        TCITEMA item{};
        item.mask = TCIF_PARAM;
        control_->Send(TCM_GETITEMA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item));
        return reinterpret_cast<TObject*>(item.lParam);
    }

    void NativePutObject(int Index, TObject* AObject) override
    {
        TCITEMA item{};
        item.mask = TCIF_PARAM;
        item.lParam = reinterpret_cast<LPARAM>(AObject);
        control_->Send(TCM_SETITEMA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item));
    }

    void NativeInsert(int Index, const std::string& S, TObject* AObject) override
    {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<char*>(S.c_str());
        item.lParam = reinterpret_cast<LPARAM>(AObject);
        if (control_->Send(TCM_INSERTITEMA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item)) < 0)
            throw EOutOfResources(consts::SOutOfResources);
        control_->Realign();
    }

    void NativeDelete(int Index) override
    {
        control_->Send(TCM_DELETEITEM, static_cast<WPARAM>(Index));
        control_->Realign();
    }

    void NativeClear() override
    {
        control_->Send(TCM_DELETEALLITEMS);
        control_->Realign();
    }

private:
    TCustomTabControl* control_;
};

// ---------------------------------------------------------------------------------------------

TCustomTabControl::TCustomTabControl(TComponent* AOwner)
    : TWinControl(AOwner), tabs_(std::make_unique<TTabStrings>(this)), saved_(std::make_unique<TStringList>())
{
    SetControlStyle({csAcceptsControls, csDoubleClicks});
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

TCustomTabControl::~TCustomTabControl()
{
    if (HandleAllocated())
        DestroyHandle();
}

LRESULT TCustomTabControl::Send(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    return SendMessageA(Handle(), Msg, WParam, LParam);
}

void TCustomTabControl::CreateParams(TCreateParams& Params)
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_TAB_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)registered;
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TABCONTROLA);
    Params.Style |= WS_CLIPCHILDREN;
    static const DWORD styles[] = {TCS_TABS, TCS_BUTTONS, TCS_BUTTONS | TCS_FLATBUTTONS};
    Params.Style |= styles[style_];
    // Tabs at a side only exist in several rows.
    if (multiLine_ || tabPosition_ == tpLeft || tabPosition_ == tpRight)
        Params.Style |= TCS_MULTILINE;
    switch (tabPosition_) {
    case tpTop: break;
    case tpBottom: Params.Style |= TCS_BOTTOM; break;
    case tpLeft: Params.Style |= TCS_VERTICAL; break;
    case tpRight: Params.Style |= TCS_VERTICAL | TCS_RIGHT; break;
    }
    if (hotTrack_)
        Params.Style |= TCS_HOTTRACK;
    if (raggedRight_)
        Params.Style |= TCS_RAGGEDRIGHT;
    if (scrollOpposite_)
        Params.Style |= TCS_SCROLLOPPOSITE;
    if (ownerDraw_)
        Params.Style |= TCS_OWNERDRAWFIXED;
    if (tabWidth_ > 0)
        Params.Style |= TCS_FIXEDWIDTH;
    // The class's redraw bits would repaint the whole control on every resize.
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomTabControl::CreateWnd()
{
    TWinControl::CreateWnd();
    SetItemSize();
    static_cast<TTabStrings*>(tabs_.get())->RestoreSavedItems();
    SetTabIndex(savedTabIndex_);
}

void TCustomTabControl::DestroyWnd()
{
    if (HandleAllocated()) {
        savedTabIndex_ = TabIndex();
        static_cast<TTabStrings*>(tabs_.get())->SaveNativeItems();
    }
    TWinControl::DestroyWnd();
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    images_.Forget(AComponent, Operation);
}

void TCustomTabControl::SetImages(TCustomImageList* Value)
{
    images_.Set(Value);
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Properties

int TCustomTabControl::TabIndex()
{
    if (!HandleAllocated())
        return savedTabIndex_;
    return static_cast<int>(Send(TCM_GETCURSEL));
}

void TCustomTabControl::SetTabIndex(int Value)
{
    if (Value < -1 || Value >= tabs_->Count())
        Value = -1;
    if (!HandleAllocated()) {
        savedTabIndex_ = Value;
        return;
    }
    Send(TCM_SETCURSEL, static_cast<WPARAM>(Value));
}

void TCustomTabControl::SetItemSize()
{
    if (HandleAllocated() && (tabWidth_ > 0 || tabHeight_ > 0))
        Send(TCM_SETITEMSIZE, 0, MAKELPARAM(tabWidth_, tabHeight_));
    Realign();
}

void TCustomTabControl::SetStyle(TTabStyle Value)
{
    if (Value == style_)
        return;
    style_ = Value;
    RecreateWnd();
}

void TCustomTabControl::SetTabPosition(TTabPosition Value)
{
    if (Value == tabPosition_)
        return;
    tabPosition_ = Value;
    RecreateWnd();
    Realign();
}

void TCustomTabControl::SetMultiLine(bool Value)
{
    if (Value == multiLine_)
        return;
    multiLine_ = Value;
    RecreateWnd();
    Realign();
}

void TCustomTabControl::SetHotTrack(bool Value)
{
    if (Value == hotTrack_)
        return;
    hotTrack_ = Value;
    RecreateWnd();
}

void TCustomTabControl::SetRaggedRight(bool Value)
{
    if (Value == raggedRight_)
        return;
    raggedRight_ = Value;
    RecreateWnd();
}

void TCustomTabControl::SetScrollOpposite(bool Value)
{
    if (Value == scrollOpposite_)
        return;
    scrollOpposite_ = Value;
    RecreateWnd();
}

void TCustomTabControl::SetOwnerDraw(bool Value)
{
    if (Value == ownerDraw_)
        return;
    ownerDraw_ = Value;
    RecreateWnd();
}

void TCustomTabControl::SetTabWidth(int Value)
{
    Value = std::max(Value, 0);
    if (Value == tabWidth_)
        return;
    const bool restyle = (tabWidth_ == 0) != (Value == 0);
    tabWidth_ = Value;
    if (restyle)
        RecreateWnd();
    SetItemSize();
}

void TCustomTabControl::SetTabHeight(int Value)
{
    Value = std::max(Value, 0);
    if (Value == tabHeight_)
        return;
    tabHeight_ = Value;
    SetItemSize();
}

// ---------------------------------------------------------------------------------------------
// Geometry

TRect TCustomTabControl::DisplayRect()
{
    TRect client = TControl::ClientRect();
    if (!HandleAllocated())
        return client;
    RECT r{};
    GetClientRect(Handle(), &r);
    Perform(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return {r.left, r.top, r.right, r.bottom};
}

void TCustomTabControl::AdjustClientRect(TRect& Rect)
{
    Rect = DisplayRect();
}

TRect TCustomTabControl::TabRect(int Index)
{
    if (!HandleAllocated() || Index < 0 || Index >= tabs_->Count())
        return {};
    RECT r{};
    if (!Perform(TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r)))
        return {};
    return {r.left, r.top, r.right, r.bottom};
}

int TCustomTabControl::IndexOfTabAt(int X, int Y)
{
    if (!HandleAllocated())
        return -1;
    TCHITTESTINFO hit{{X, Y}, 0};
    return static_cast<int>(Send(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

// ---------------------------------------------------------------------------------------------
// Messages

void TCustomTabControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    case CN_DRAWITEM: CNDrawItem(Message); break;
    default: TWinControl::Dispatch(Message);
    }
}

void TCustomTabControl::CNNotify(TMessage& Message)
{
    const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    switch (header->code) {
    case TCN_SELCHANGING:
        // Non-zero keeps the current tab.
        Message.Result = CanChange() ? FALSE : TRUE;
        break;
    case TCN_SELCHANGE: Change(); break;
    }
}

void TCustomTabControl::CNDrawItem(TMessage& Message)
{
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
    // Whatever the drawing leaves selected or set in the DC is undone on the way out.
    const TSavedDCState savedState(draw->hDC);
    canvas_.SetHandle(draw->hDC);
    canvas_.Font()->Assign(Font());
    const TRect rect{draw->rcItem.left, draw->rcItem.top, draw->rcItem.right, draw->rcItem.bottom};
    const TAliveFlag alive = alive_;
    try {
        DrawTab(static_cast<int>(draw->itemID), rect, (draw->itemState & ODS_SELECTED) != 0);
    } catch (...) {
        if (*alive)
            canvas_.SetHandle(nullptr);
        throw;
    }
    if (*alive)
        canvas_.SetHandle(nullptr);
    Message.Result = TRUE;
}

void TCustomTabControl::DrawTab(int TabIndex, const TRect& Rect, bool Active)
{
    if (OnDrawTab) {
        OnDrawTab(this, TabIndex, Rect, Active);
        return;
    }
    canvas_.FillRect(Rect);
}

int TCustomTabControl::GetImageIndex(int TabIndex)
{
    int index = TabIndex;
    if (OnGetImageIndex)
        OnGetImageIndex(this, TabIndex, index);
    return index;
}

void TCustomTabControl::KeyDown(WORD& Key, TShiftState Shift)
{
    TWinControl::KeyDown(Key, Shift);
    // The platform's button-style tabs move only a focus mark with the arrow keys; the user
    // expects the page to turn, as it does with ordinary tabs.
    if (style_ == tsTabs || !Shift.Empty() || tabs_->Count() == 0)
        return;
    int step = 0;
    switch (Key) {
    case VK_LEFT:
    case VK_UP: step = -1; break;
    case VK_RIGHT:
    case VK_DOWN: step = 1; break;
    default: return;
    }
    Key = 0;
    const int next = TabIndex() + step;
    if (next < 0 || next >= tabs_->Count() || !CanChange())
        return;
    SetTabIndex(next);
    Send(TCM_SETCURFOCUS, static_cast<WPARAM>(next));
    Change();
}

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change()
{
    if (OnChange)
        OnChange(this);
}

}  // namespace cl
