// One open level of a skinned menu: building its rows, its size and place, showing it without
// taking the focus, and following the mouse and the keys.
#include <algorithm>

#include "classlib/graphics/GdiHandles.h"
#include "classlib/graphics/ImgList.h"
#include "skin/drawing/Utils.h"
#include "skinforms/menus/Menus.h"
#include "skinforms/menus/Look.h"

namespace sk {

using namespace cl;

TskSkinPopupWindow::TskSkinPopupWindow(TComponent* AOwner, TskSkinMenu* ASkinMenu, bool UseDescription)
    : TCustomControl(AOwner), skinMenu_(ASkinMenu), useDescription_(UseDescription)
{
    SetVisible(false);
    SetControlStyle(ControlStyle() + csAcceptsControls + csNoDesignVisible + csReplicatable);
    TrackTimer = new TTimer(this);
    TrackTimer->SetEnabled(false);
    TrackTimer->SetInterval(MenuTrackInterval);
    TrackTimer->OnTimer = TNotifyEvent(this, &TskSkinPopupWindow::TrackTimerTick);
    AnimTimer = new TTimer(this);
    AnimTimer->SetEnabled(false);
    AnimTimer->SetInterval(MenuAnimInterval);
    AnimTimer->OnTimer = TNotifyEvent(this, &TskSkinPopupWindow::AnimTimerTick);
}

TskSkinPopupWindow::~TskSkinPopupWindow()
{
    Dismiss();
}

void TskSkinPopupWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    TCustomForm* form = skinMenu_->ForForm();
    Params.WndParent = form && form->HandleAllocated() ? form->Handle() : Application->Handle();
    Params.WindowClass.style |= CS_SAVEBITS;
    if (IsWindowsXP()) {
        Params.WindowClass.style |= CS_DROPSHADOW;
        Params.WinClassName += "XP";
    }
}

TskSkinData* TskSkinPopupWindow::SkinData() const
{
    return skinMenu_->SkinData();
}

TskSkinMenuItem* TskSkinPopupWindow::Items(int Index) const
{
    return Index >= 0 && Index < ItemCount() ? ItemList[static_cast<std::size_t>(Index)].get() : nullptr;
}

int TskSkinPopupWindow::IndexOfItem(const TskSkinMenuItem* Item) const
{
    for (int i = 0; i < ItemCount(); ++i)
        if (ItemList[static_cast<std::size_t>(i)].get() == Item)
            return i;
    return -1;
}

void TskSkinPopupWindow::Dismiss()
{
    TrackTimer->SetEnabled(false);
    AnimTimer->SetEnabled(false);
    ScrollCode = 0;
    scrollTimer_.Stop();
    if (HandleAllocated()) {
        SetVisible(false);
        DestroyHandle();
    }
    SetVisible(false);
}

// ---------------------------------------------------------------------------------------------
// Building and showing

void TskSkinPopupWindow::BuildItems(TMenuItem* AItem, TMenuItem* AItem2, int StartIndex)
{
    ItemList.clear();
    ActiveItem = -1;
    OldActiveItem = -1;
    TMenu* menu = AItem->GetParentMenu();
    if (menu && menu->AutoLineReduction())
        AItem->RethinkLines();
    Images = menu ? menu->Images() : nullptr;
    auto addChildren = [this](TMenuItem* Parent, int From) {
        for (int i = std::max(0, From); i < Parent->Count(); ++i) {
            TMenuItem* child = Parent->Items(i);
            if (!child->Visible())
                continue;
            if (TBasicAction* action = child->Action())
                action->Update();
            skinMenu_->WatchMenuItem(child);
            ItemList.push_back(std::make_unique<TskSkinMenuItem>(this, child));
        }
    };
    addChildren(AItem, StartIndex);
    if (AItem2)
        addChildren(AItem2, StartIndex - AItem->Count());
}

std::vector<int> TskSkinPopupWindow::RowHeights()
{
    const TLook look = CurrentLook();
    std::vector<int> heights;
    heights.reserve(ItemList.size());
    for (const auto& item : ItemList) {
        if (look.Item)
            heights.push_back(item->IsSeparator() ? look.Item->DividerRect.Height() : look.Item->SkinRect.Height());
        else
            heights.push_back(item->IsSeparator() ? MenuSeparatorHeight : skinMenu_->DefMenuItemHeight);
    }
    return heights;
}

void TskSkinPopupWindow::Measure(const TLook& Look)
{
    TopIndex = 0;
    Scroll = false;
    ScrollByMax = false;
    ImageStripWidth = Images ? Images->Width() + 5 : MenuNoImagesStripWidth;

    TskMenuSizeInput input;
    input.RowHeights = RowHeights();
    input.ImageStripWidth = ImageStripWidth;
    input.RowHeight = Look.Item ? Look.Item->SkinRect.Height() : skinMenu_->DefMenuItemHeight;
    input.MaxItems = skinMenu_->MaxMenuItemsInWindow;
    input.WorkAreaHeight = skinMenu_->WorkArea.Height();
    input.TextWidth = 0;
    {
        TMemoryDC dc;
        TSelectedObject font(dc.Handle(), ItemFont.Handle());
        for (const auto& item : ItemList) {
            if (!item->MenuItem || item->IsSeparator())
                continue;
            AnsiString text = item->MenuItem->Caption();
            if (item->MenuItem->ShortCut() != scNone)
                text += "  " + ShortCutToText(item->MenuItem->ShortCut());
            RECT r{0, 0, 0, 0};
            DrawTextA(dc.Handle(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
            input.TextWidth = std::max(input.TextWidth, static_cast<int>(r.right - r.left) + 2);
        }
    }
    const TskMenuLook sizing = SizingLook(Look);
    const TskMenuSize size = MeasureMenu(sizing, input);
    Scroll = size.Scroll;
    ScrollByMax = size.ScrollByMax;
    SetBounds(Left(), Top(), size.Width, size.Height);
    ItemsRect = MenuItemsRect(sizing, size.Width, size.Height);
    if (Look.Frame) {
        const TskDataSkinPopupWindow& d = *Look.Frame;
        LTPoint = d.LTPoint;
        RTPoint = {size.Width - (sizing.PictureWidth - d.RTPoint.X), d.RTPoint.Y};
        LBPoint = {d.LBPoint.X, size.Height - (sizing.PictureHeight - d.LBPoint.Y)};
        RBPoint = {size.Width - (sizing.PictureWidth - d.RBPoint.X), size.Height - (sizing.PictureHeight - d.RBPoint.Y)};
    }
}

void TskSkinPopupWindow::ArrangeItems()
{
    const TskMenuRows rows = ArrangeMenuRows(RowHeights(), TopIndex, ItemsRect, Scroll);
    VisibleCount = rows.VisibleCount;
    for (int i = 0; i < ItemCount(); ++i) {
        TskSkinMenuItem* item = Items(i);
        item->ObjectRect = rows.Rects[static_cast<std::size_t>(i)];
        const bool shown = rows.Shown[static_cast<std::size_t>(i)];
        if (Scroll && !shown && item->Visible) {
            // Out of view: back to rest.
            item->MorphKf = 0;
            item->Active = false;
            item->Down = false;
        }
        item->Visible = shown || !Scroll;
    }
}

void TskSkinPopupWindow::ApplyRegion(const TLook& Look)
{
    if (!Look.MaskPicture || !Look.Frame)
        return;
    const TskDataSkinPopupWindow& d = *Look.Frame;
    const TskAreaPoints area{d.LTPoint, d.RTPoint, d.LBPoint, d.RBPoint, d.ItemsRect};
    const TskAreaPoints fitted{LTPoint, RTPoint, LBPoint, RBPoint, ItemsRect};
    TskRegion region = CreateSkinRegion(area, fitted, Look.MaskPicture, Width(), Height());
    // The window owns the region from here on.
    if (region && SetWindowRgn(Handle(), region.Handle(), TRUE))
        region.Release();
}

void TskSkinPopupWindow::ShowAt(const TRect& R, bool ASubMenu, bool APopupToUp)
{
    TskMenuPlacement how;
    how.SubMenu = ASubMenu;
    how.PopupToUp = APopupToUp;
    how.Scroll = Scroll;
    how.ScrollByMax = ScrollByMax;
    how.ItemsTop = ItemsRect.Top;
    const TPoint at = PlaceMenu(R, skinMenu_->WorkArea, Width(), Height(), how);
    PopupLeft = at.X;
    PopupTop = at.Y;
    SetBounds(PopupLeft, PopupTop, Width(), Height());
}

void TskSkinPopupWindow::Show(const TRect& R, TMenuItem* AItem, int StartIndex, bool ASubMenu, bool APopupToUp)
{
    ShowItems(R, AItem, nullptr, StartIndex, ASubMenu, APopupToUp);
}

void TskSkinPopupWindow::Show2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool ASubMenu,
                               bool APopupToUp)
{
    ShowItems(R, AItem, AItem2, StartIndex, ASubMenu, APopupToUp);
}

void TskSkinPopupWindow::ShowItems(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex,
                                   bool ASubMenu, bool APopupToUp)
{
    const TAliveFlag alive = alive_;
    TskSkinMenu* menu = skinMenu_;
    const bool layered = IsWindowsNT5() && menu->AlphaBlend;
    const bool fade = layered && menu->AlphaBlendAnimation && menu->FirstShow;
    if (fade) {
        Application->ProcessMessages();
        // What ran meanwhile may have closed this level.
        if (!*alive || menu->IndexOfWindow(this) < 0)
            return;
    }
    const TLook look = CurrentLook();
    BuildItems(AItem, AItem2, StartIndex);
    ApplyFont(look);
    Measure(look);
    ArrangeItems();
    ShowAt(R, ASubMenu, APopupToUp);
    HandleNeeded();
    ApplyRegion(look);
    if (layered) {
        SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
        SetAlphaBlendTransparent(Handle(), fade ? 0 : menu->AlphaBlendValue);
    }
    SetWindowPos(Handle(), HWND_TOPMOST, PopupLeft, PopupTop, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
    if (fade) {
        int alpha = 0;
        while (alpha < menu->AlphaBlendValue) {
            alpha = std::min(alpha + 3, static_cast<int>(menu->AlphaBlendValue));
            SetAlphaBlendTransparent(Handle(), static_cast<BYTE>(alpha));
        }
    }
    TrackTimer->SetEnabled(true);
    SelectFirstItem();
}

void TskSkinPopupWindow::SelectFirstItem()
{
    ActiveItem = -1;
    for (int i = 0; i < ItemCount(); ++i) {
        TskSkinMenuItem* item = Items(i);
        if (!item->Selectable())
            continue;
        item->AutoActive = true;
        ActiveItem = i;
        ActivateItem(item, true);
        return;
    }
}

// ---------------------------------------------------------------------------------------------
// Activation

void TskSkinPopupWindow::ActivateItem(TskSkinMenuItem* Item, bool ByKeyboard)
{
    const TLook look = CurrentLook();
    Item->Active = true;
    if (HasFrameAnimation(look))
        Item->FrameIndex = 0;
    for (const auto& other : ItemList)
        if (other.get() != Item && other->Down) {
            other->Down = false;
            RedrawItem(other.get());
        }
    if (Item->AutoActive && !ByKeyboard) {
        RedrawItem(Item);
    } else if (Item->Down) {
        const int level = skinMenu_->IndexOfWindow(this);
        if (level >= 0 && level + 2 < skinMenu_->LevelCount()) {
            skinMenu_->CloseMenu(level + 2);
            if (TskSkinPopupWindow* next = skinMenu_->Levels(level + 1))
                next->ClearDown();
        }
    } else {
        RedrawItem(Item);
        const TAliveFlag alive = alive_;
        skinMenu_->CheckItem(this, Item, ByKeyboard, false);
        if (!*alive)
            return;
    }
    if (Item->MenuItem)
        SetHint(Item->MenuItem->Hint());
    StartAnimation();
}

void TskSkinPopupWindow::DeactivateItem(TskSkinMenuItem* Item)
{
    const TLook look = CurrentLook();
    Item->Active = false;
    if (HasFrameAnimation(look))
        Item->FrameIndex = look.Item->FrameCount + 1;
    Item->AutoActive = false;
    if (!Item->Down)
        RedrawItem(Item);
    if (skinMenu_->WaitItem == Item) {
        skinMenu_->WaitTimer->SetEnabled(false);
        skinMenu_->WaitItem = nullptr;
    }
    StartAnimation();
}

void TskSkinPopupWindow::ClearDown()
{
    for (const auto& item : ItemList)
        if (item->Down) {
            item->Down = false;
            RedrawItem(item.get());
        }
}

void TskSkinPopupWindow::ForgetMenuItem(TMenuItem* MenuItem)
{
    for (int i = 0; i < ItemCount(); ++i) {
        TskSkinMenuItem* item = Items(i);
        if (item->MenuItem != MenuItem)
            continue;
        item->MenuItem = nullptr;
        item->Active = false;
        item->Down = false;
        item->AutoActive = false;
        if (ActiveItem == i)
            ActiveItem = -1;
        if (skinMenu_->WaitItem == item) {
            skinMenu_->WaitTimer->SetEnabled(false);
            skinMenu_->WaitItem = nullptr;
        }
    }
    // The menu item is being freed right now: paint later, from what is left.
    if (HandleAllocated())
        InvalidateRect(Handle(), nullptr, TRUE);
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TskSkinPopupWindow::TrackTimerTick(TObject*)
{
    const TskSkinMenu::TEntry entry(skinMenu_);
    TrackCursor();
}

void TskSkinPopupWindow::TrackCursor()
{
    if (!HandleAllocated())
        return;
    POINT screen{};
    GetCursorPos(&screen);
    const TPoint p = ScreenToClient({screen.x, screen.y});
    if (p == OldCursorPos)
        return;
    const TAliveFlag alive = alive_;
    if (WindowFromPoint(screen) == Handle()) {
        TestPoint(p);
        if (!*alive)
            return;
    } else if (Scroll && ScrollCode != 0) {
        StopScroll();
    }
    OldCursorPos = p;
}

void TskSkinPopupWindow::TestPoint(const TPoint& P)
{
    const TAliveFlag alive = alive_;
    if (Scroll) {
        const TLook look = CurrentLook();
        const TRect up = UpMarkerRect(look);
        const TRect down = DownMarkerRect(look);
        const bool inUp = PtInRect(up, P);
        const bool inDown = PtInRect(down, P);
        if (inUp && ScrollCode == 0 && TopIndex > 0)
            StartScroll(1);
        else if (inDown && ScrollCode == 0 && TopIndex + VisibleCount < ItemCount())
            StartScroll(2);
        else if (!inUp && !inDown && ScrollCode != 0)
            StopScroll();
    }
    OldActiveItem = ActiveItem;
    int hit = ActiveItem;
    for (int i = TopIndex; i < ItemCount(); ++i) {
        TskSkinMenuItem* item = Items(i);
        if (item->Visible && PtInRect(item->ObjectRect, P)) {
            hit = i;
            break;
        }
    }
    if (hit >= ItemCount())
        hit = -1;
    if (hit == OldActiveItem) {
        TskSkinMenuItem* item = Items(hit);
        if (item && item->AutoActive) {
            item->AutoActive = false;
            if (item->HasChildren() && item->Selectable())
                ActivateItem(item, false);
        }
        return;
    }
    if (TskSkinMenuItem* old = Items(OldActiveItem); old && old->Selectable())
        DeactivateItem(old);
    ActiveItem = hit;
    if (TskSkinMenuItem* item = Items(hit); item && item->Selectable())
        ActivateItem(item, false);
}

void TskSkinPopupWindow::StartScroll(int Code)
{
    ScrollCode = Code;
    RedrawMarkers();
    const int level = skinMenu_->IndexOfWindow(this);
    if (level >= 0)
        skinMenu_->CloseMenu(level + 1);
    scrollTimer_.Start(MenuScrollInterval);
}

void TskSkinPopupWindow::StopScroll()
{
    ScrollCode = 0;
    RedrawMarkers();
    scrollTimer_.Stop();
}

bool TskSkinPopupWindow::ScrollStep(bool Up)
{
    if (Up ? TopIndex <= 0 : TopIndex + VisibleCount >= ItemCount())
        return false;
    TopIndex += Up ? -1 : 1;
    ArrangeItems();
    if (HandleAllocated())
        InvalidateRect(Handle(), nullptr, TRUE);
    return true;
}

void TskSkinPopupWindow::WMTimer(TMessage& Message)
{
    if (!scrollTimer_.IsTick(Message)) {
        TCustomControl::Dispatch(Message);
        return;
    }
    if (ScrollCode == 0 || !ScrollStep(ScrollCode == 1))
        StopScroll();
}

void TskSkinPopupWindow::WMLButtonUp(TMessage& Message)
{
    const TAliveFlag alive = alive_;
    const TPoint p{Message.XPos(), Message.YPos()};
    TestPoint(p);
    if (!*alive)
        return;
    bool overShownItem = false;
    for (const auto& item : ItemList)
        if (item->Visible && PtInRect(item->ObjectRect, p))
            overShownItem = true;
    if (overShownItem)
        ClickActive();
}

void TskSkinPopupWindow::ClickActive()
{
    TskSkinMenuItem* item = Items(ActiveItem);
    if (item && !item->IsSeparator())
        ClickItem(item);
}

void TskSkinPopupWindow::ClickItem(TskSkinMenuItem* Item)
{
    Item->AutoActive = false;
    if (Item->Down || !Item->Enabled())
        return;
    skinMenu_->CheckItem(this, Item, false, true);
}

void TskSkinPopupWindow::WMMouseActivate(TMessage& Message)
{
    Message.Result = MA_NOACTIVATE;
}

// ---------------------------------------------------------------------------------------------
// Keys

void TskSkinPopupWindow::ProcessKey(WORD Key)
{
    if (!HandleAllocated() || !IsWindowVisible(Handle()))
        return;
    for (int i = 0; i < ItemCount(); ++i) {
        TskSkinMenuItem* item = Items(i);
        if (!item->MenuItem || !IsAccel(Key, item->MenuItem->Caption()))
            continue;
        if (!Enabled() || !IsWindowEnabled(Handle()))
            return;
        if (i != ActiveItem) {
            if (TskSkinMenuItem* old = Items(ActiveItem))
                DeactivateItem(old);
            ActiveItem = i;
            if (Scroll)
                EnsureShown(i);
            const TAliveFlag alive = alive_;
            if (item->Selectable())
                ActivateItem(item, false);
            if (!*alive || skinMenu_->IndexOfWindow(this) < 0)
                return;
        }
        ClickItem(item);
        return;
    }
    const TAliveFlag alive = alive_;
    switch (Key) {
    case VK_DOWN: KeyMove(true); break;
    case VK_UP: KeyMove(false); break;
    case VK_RETURN: ClickActive(); break;
    case VK_RIGHT:
        if (TskSkinMenuItem* item = Items(ActiveItem); item && item->HasChildren())
            ClickItem(item);
        break;
    case VK_LEFT:
        if (skinMenu_->LevelCount() > 1) {
            skinMenu_->CloseMenu(skinMenu_->LevelCount() - 1);
            if (TskSkinPopupWindow* last = skinMenu_->Levels(skinMenu_->LevelCount() - 1))
                last->ClearDown();
        }
        break;
    case VK_ESCAPE:
        if (skinMenu_->LevelCount() > 1) {
            skinMenu_->CloseMenu(skinMenu_->LevelCount() - 1);
            if (TskSkinPopupWindow* last = skinMenu_->Levels(skinMenu_->LevelCount() - 1))
                last->ClearDown();
        } else {
            // The last level: the whole menu closes and the form leaves menu mode.
            skinMenu_->CloseAll();
        }
        break;
    default: break;
    }
    (void)alive;
}

void TskSkinPopupWindow::KeyMove(bool Forward)
{
    std::vector<bool> selectable;
    selectable.reserve(ItemList.size());
    for (const auto& item : ItemList)
        selectable.push_back(item->Selectable());
    const int next = NextMenuRow(selectable, ActiveItem, Forward);
    if (next < 0)
        return;
    if (next == ActiveItem) {
        // The only selectable row: it stays, now chosen by the keyboard.
        Items(next)->AutoActive = false;
        return;
    }
    if (TskSkinMenuItem* old = Items(ActiveItem); old && old->Selectable())
        DeactivateItem(old);
    ActiveItem = next;
    if (Scroll)
        EnsureShown(next);
    ActivateItem(Items(next), true);
}

void TskSkinPopupWindow::EnsureShown(int Index)
{
    if (Index < 0 || Index >= ItemCount())
        return;
    const int before = TopIndex;
    if (Index < TopIndex)
        TopIndex = Index;
    ArrangeItems();
    while (!Items(Index)->Visible && TopIndex < Index) {
        ++TopIndex;
        ArrangeItems();
    }
    if (TopIndex != before && HandleAllocated())
        InvalidateRect(Handle(), nullptr, TRUE);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinPopupWindow::Dispatch(TMessage& Message)
{
    const TskSkinMenu::TEntry entry(skinMenu_);
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE: WMMouseActivate(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_TIMER: WMTimer(Message); break;
    case WM_LBUTTONUP: WMLButtonUp(Message); break;
    case WM_PRINTCLIENT: WMPrintClient(Message); break;
    default: TCustomControl::Dispatch(Message);
    }
}

void TskSkinPopupWindow::WMEraseBkgnd(TMessage& Message)
{
    if (Message.WParam)
        PaintMenu(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = 1;
}

void TskSkinPopupWindow::WMPrintClient(TMessage& Message)
{
    if (Message.WParam)
        PaintMenu(reinterpret_cast<HDC>(Message.WParam));
}

void TskSkinPopupWindow::Paint()
{
    // Everything is painted with the background.
}

}  // namespace sk
