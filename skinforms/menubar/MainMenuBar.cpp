// The main menu bar's objects, items, mouse and keyboard. Layout and drawing are in
// Paint.cpp.
#include "skinforms/menubar/MainMenuBar.h"

#include <algorithm>

#include "skinforms/frame/Frame.h"
#include "skinforms/menus/Menus.h"

namespace sk {

using namespace cl;

namespace {

constexpr unsigned TrackInterval = 50;
constexpr unsigned MorphInterval = 25;
constexpr unsigned AnimateInterval = 25;

TTimer* MakeTimer(TComponent* Owner, unsigned Interval, TNotifyEvent Handler)
{
    auto* timer = new TTimer(Owner);
    timer->SetEnabled(false);
    timer->SetInterval(Interval);
    timer->OnTimer = std::move(Handler);
    return timer;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskMenuBarObject

TskMenuBarObject::TskMenuBarObject(TskSkinMainMenuBar* AParent, TskDataSkinObject* AData) : Parent(AParent)
{
    if (!AData)
        return;
    IDName = AData->IDName;
    SkinRect = AData->SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    DownSkinRect = AData->ActiveSkinRect;
    Morphing = AData->Morphing;
    MorphKind = AData->MorphKind;
    ObjectRect = SkinRect;
    if (TskSkinData* data = Parent->SkinData(); data && AData->ActivePictureIndex != -1)
        Picture = data->ActivePictures.Items(AData->ActivePictureIndex);
    if (IsNullRect(ActiveSkinRect))
        Morphing = false;
}

bool TskMenuBarObject::MorphingApplies() const
{
    const TskSkinData* data = Parent->SkinData();
    return Morphing && data && !data->Empty && data->EnableSkinEffects;
}

void TskMenuBarObject::ReDraw()
{
    // A morphing object is drawn by the morph's ticks.
    if (MorphingApplies())
        FollowState();
    else
        Parent->DrawObject(this);
}

void TskMenuBarObject::MouseEnter()
{
    Active = true;
    MouseIn = true;
    ReDraw();
}

void TskMenuBarObject::MouseLeave()
{
    Active = false;
    MouseIn = false;
    ReDraw();
}

bool TskMenuBarObject::CanMorphing() const
{
    if (Down && !IsNullRect(DownSkinRect))
        return false;
    return (Active && MorphKf < 1) || (!Active && MorphKf > 0);
}

// ---------------------------------------------------------------------------------------------
// TskSkinMainMenuBarItem

TskSkinMainMenuBarItem::TskSkinMainMenuBarItem(TskSkinMainMenuBar* AParent, TskDataSkinMainMenuBarItem* AData,
                                               TMenuItem* AMenuItem)
    : TskMenuBarObject(AParent, AData), MenuItem(AMenuItem), Data(AData)
{
    HasDescription = AData != nullptr;
    if (AData)
        DownSkinRect = !IsNullRect(AData->DownRect)         ? AData->DownRect
                       : !IsNullRect(AData->ActiveSkinRect) ? AData->ActiveSkinRect
                                                            : AData->SkinRect;
    IDName = AMenuItem ? AMenuItem->Name() : std::string();
    Enabled = AMenuItem != nullptr;
    SavedEnabled = AMenuItem && AMenuItem->Enabled();
}

void TskSkinMainMenuBarItem::MouseEnter()
{
    TskSkinMainMenuBar* bar = Parent;
    const int open = bar->OpenItem();
    if (open >= 0 && bar->Objects(open) != this) {
        // A drop-down is open: it follows the mouse to this item at once.
        MouseIn = true;
        bar->OpenItemMenu(this);
        return;
    }
    for (int i = 0; i < bar->ObjectCount(); ++i)
        if (TskMenuBarObject* o = bar->Objects(i); o != this && o->Active && !o->Down)
            o->MouseLeave();
    TskMenuBarObject::MouseEnter();
    if (bar->OnItemMouseEnter)
        bar->OnItemMouseEnter(MenuItem);
    if (MenuItem)
        bar->SetHint(MenuItem->Hint());
}

void TskSkinMainMenuBarItem::MouseLeave()
{
    MouseIn = false;
    // The item whose drop-down is open stays lit while the mouse goes to its menu.
    if (Down)
        return;
    Active = false;
    ReDraw();
    if (Parent->OnItemMouseLeave)
        Parent->OnItemMouseLeave(MenuItem);
}

void TskSkinMainMenuBarItem::MouseDown(int, int, TMouseButton Button)
{
    if (Button != mbLeft || !IsEnabled())
        return;
    TskSkinMainMenuBar* bar = Parent;
    if (HasChildren()) {
        if (Down) {
            // A second press on the open item closes its drop-down.
            if (TskSkinFrame* frame = bar->skSkinFrame(); frame && frame->SkinMenu() && frame->SkinMenu()->Visible)
                frame->SkinMenu()->CloseAll();
            return;
        }
        if (bar->closedByPress_ == bar->IndexOfObject(this))
            return;
        bar->OpenItemMenu(this);
        return;
    }
    bar->RunItem(this);
}

// ---------------------------------------------------------------------------------------------
// TskSkinMainMenuBarButton

TskSkinMainMenuBarButton::TskSkinMainMenuBarButton(TskSkinMainMenuBar* AParent, TskDataSkinMainMenuBarButton* AData,
                                                   TskMenuBarCommand ACommand)
    : TskMenuBarObject(AParent, AData), Command(ACommand)
{
    HasDescription = AData != nullptr;
    if (AData)
        DownSkinRect = AData->DownRect;
}

void TskSkinMainMenuBarButton::MouseDown(int, int, TMouseButton Button)
{
    if (Button != mbLeft || !Enabled)
        return;
    Down = true;
    if (MorphingApplies())
        MorphKf = 1;
    Parent->DrawObject(this);
    if (Command != mbcSysMenu)
        return;
    TskSkinFrame* frame = Parent->skSkinFrame();
    TskSkinFrame* child = GetActiveMDIChildSkinForm();
    if (!frame || !frame->SkinMenu() || !child)
        return;
    child->BuildDefaultSystemMenu();
    cl::TPopupMenu* menu = child->SystemMenu ? child->SystemMenu : child->DefaultSystemMenu();
    if (!menu)
        return;
    frame->SkinMenuOpen();
    TskSkinData* skin = frame->MenusSkinData() ? frame->MenusSkinData() : frame->SkinData();
    frame->SkinMenu()->Popup(Parent, skin, Parent->PopupToUp, menu->Items(), Parent->ObjectScreenRect(this), 0);
    if (!frame->SkinMenu()->Visible)
        frame->SkinMenuClose();
}

void TskSkinMainMenuBarButton::MouseUp(int X, int Y, TMouseButton Button)
{
    if (Button != mbLeft || !Down || Command == mbcSysMenu)
        return;
    Down = false;
    Parent->DrawObject(this);
    if (!PointInRect(ObjectRect, {X, Y}))
        return;
    TskSkinFrame* child = GetActiveMDIChildSkinForm();
    if (!child)
        return;
    switch (Command) {
    case mbcRestore: child->MDIChildRestore(); break;
    case mbcMinimize: child->MDIChildMinimize(); break;
    case mbcClose: child->Form()->Close(); break;
    default: break;
    }
}

void TskSkinMainMenuBarButton::DblClick()
{
    if (Command != mbcSysMenu)
        return;
    TskSkinFrame* frame = Parent->skSkinFrame();
    if (frame && frame->SkinMenu() && frame->SkinMenu()->Visible)
        frame->SkinMenu()->CloseAll();
    if (TskSkinFrame* child = GetActiveMDIChildSkinForm())
        child->Form()->Close();
}

// ---------------------------------------------------------------------------------------------
// TskSkinMainMenuBar: lifetime and properties

TskSkinMainMenuBar::TskSkinMainMenuBar(TComponent* AOwner) : TskSkinControl(AOwner)
{
    SetSkinDataName("mainmenubar");
    defItemFont_.SetName("Arial");
    defItemFont_.SetHeight(14);
    defItemFont_.SetColor(clBtnText);
    trackTimer_ = MakeTimer(this, TrackInterval, TNotifyEvent(this, &TskSkinMainMenuBar::TrackTimerTick));
    morphTimer_ = MakeTimer(this, MorphInterval, TNotifyEvent(this, &TskSkinMainMenuBar::MorphTimerTick));
    animateTimer_ = MakeTimer(this, AnimateInterval, TNotifyEvent(this, &TskSkinMainMenuBar::AnimateTimerTick));
    SetAlign(alTop);
    SetHeight(defaultHeight_);
}

TskSkinMainMenuBar::~TskSkinMainMenuBar()
{
    *alive_ = false;
    if (frame_ && frame_->MainMenuBar() == this)
        frame_->SetMainMenuBar(nullptr);
    SetskSkinFrame(nullptr);
    SetMainMenu(nullptr);
    objects_.clear();
}

void TskSkinMainMenuBar::Notification(TComponent* AComponent, TOperation Operation)
{
    // A skin freed under the bar, with no change announced first, leaves nothing to point into.
    if (Operation == opRemove && AComponent && AComponent == SkinData()) {
        BeforeChangeSkinData();
        Invalidate();
    }
    TskSkinControl::Notification(AComponent, Operation);
    frame_.Forget(AComponent, Operation);
    if (Operation == opRemove && mainMenu_ && AComponent == mainMenu_.Get()) {
        mainMenu_.Forget(AComponent, Operation);
        ClearObjects();
    }
}

void TskSkinMainMenuBar::SetDefItemFont(TFont* Value)
{
    defItemFont_.Assign(Value);
    Invalidate();
}

void TskSkinMainMenuBar::SetDefaultWidth(int Value)
{
    defaultWidth_ = Value;
    if (index_ == -1 && Value >= 1)
        SetWidth(Value);
}

void TskSkinMainMenuBar::SetDefaultHeight(int Value)
{
    defaultHeight_ = Value;
    if (index_ == -1 && Value >= 1)
        SetHeight(Value);
}

void TskSkinMainMenuBar::SetskSkinFrame(TskSkinFrame* Value)
{
    if (frame_ != Value)
        frame_.Set(Value);
}

void TskSkinMainMenuBar::SetMainMenu(TMainMenu* Value)
{
    if (mainMenu_ != Value)
        mainMenu_.Set(Value);
    if (*alive_) {
        CreateMenuItems();
        Invalidate();
    }
}

TskMenuBarObject* TskSkinMainMenuBar::Objects(int Index) const
{
    return Index >= 0 && Index < ObjectCount() ? objects_[static_cast<std::size_t>(Index)].get() : nullptr;
}

int TskSkinMainMenuBar::IndexOfObject(const TskMenuBarObject* Object) const
{
    for (int i = 0; i < ObjectCount(); ++i)
        if (objects_[static_cast<std::size_t>(i)].get() == Object)
            return i;
    return -1;
}

TskSkinMainMenuBarItem* TskSkinMainMenuBar::ItemAt(int Index) const
{
    return dynamic_cast<TskSkinMainMenuBarItem*>(Objects(Index));
}

TskDataSkinMainMenuBar* TskSkinMainMenuBar::BarDescription() const
{
    return dynamic_cast<TskDataSkinMainMenuBar*>(Description());
}

TskDataSkinObject* TskSkinMainMenuBar::FindObjectData(const std::string& Name) const
{
    TskSkinData* data = SkinData();
    if (!data || data->Empty || Name.empty())
        return nullptr;
    return data->ObjectList.Items(data->IndexOfObject(Name));
}

TskSkinData* TskSkinMainMenuBar::MenuSkin() const
{
    if (SkinData())
        return SkinData();
    return frame_ ? frame_->SkinDataForMenus() : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Items

void TskSkinMainMenuBar::ClearObjects()
{
    objects_.clear();
    mergedMenu_ = nullptr;
    childMenuMerged_ = false;
    sysButtonCount_ = 0;
    MouseInObject = -1;
    OldMouseInObject = -1;
    DownObject = -1;
}

TMainMenu* TskSkinMainMenuBar::GetChildMainMenu() const
{
    if (!frame_ || frame_->Form()->FormStyle() != fsMDIForm || !Application || !Application->MainForm())
        return nullptr;
    TCustomForm* child = Application->MainForm()->ActiveMDIChild();
    // A child on its way out lends nothing any more.
    if (!child || child->ComponentState().Contains(csDestroying))
        return nullptr;
    for (int i = 0; i < child->ComponentCount(); ++i)
        if (auto* menu = dynamic_cast<TMainMenu*>(child->Components(i)); menu && !menu->ComponentState().Contains(csDestroying))
            return menu;
    return nullptr;
}

void TskSkinMainMenuBar::CreateMenuItems()
{
    ClearObjects();
    if (!mainMenu_)
        return;
    TMainMenu* child = GetChildMainMenu();
    mergedMenu_ = child;
    auto* itemData = dynamic_cast<TskDataSkinMainMenuBarItem*>(
        FindObjectData(BarDescription() ? BarDescription()->MenuBarItem : std::string()));
    childMenuMerged_ = child != nullptr;
    std::vector<TMenuItem*> items;
    TMenuItem* root = mainMenu_->Items();
    if (child) {
        ScrollMenu = false;
        TMenuItem* childRoot = child->Items();
        auto inChild = [childRoot](int Group) {
            for (int i = 0; i < childRoot->Count(); ++i)
                if (childRoot->Items(i)->GroupIndex() == Group)
                    return true;
            return false;
        };
        for (int i = 0; i < root->Count(); ++i)
            if (!inChild(root->Items(i)->GroupIndex()))
                items.push_back(root->Items(i));
        for (int i = 0; i < childRoot->Count(); ++i)
            items.push_back(childRoot->Items(i));
        std::stable_sort(items.begin(), items.end(),
                         [](TMenuItem* A, TMenuItem* B) { return A->GroupIndex() < B->GroupIndex(); });
    } else {
        for (int i = 0; i < root->Count(); ++i)
            items.push_back(root->Items(i));
    }
    for (TMenuItem* item : items)
        if (item->Visible())
            objects_.push_back(std::make_unique<TskSkinMainMenuBarItem>(this, itemData, item));
    if (childMaximized_)
        AddSystemButtons();
}

void TskSkinMainMenuBar::CheckChildMenu()
{
    if (GetChildMainMenu() != mergedMenu_ || (!mergedMenu_ && childMenuMerged_))
        UpdateMenuItems();
}

void TskSkinMainMenuBar::UpdateMenuItems()
{
    CreateMenuItems();
    Invalidate();
    MouseInObject = -1;
    trackTimer_->SetEnabled(true);
}

void TskSkinMainMenuBar::AddSystemButtons()
{
    TskDataSkinMainMenuBar* d = BarDescription();
    struct TButtonSource {
        TskMenuBarCommand Command;
        std::string SkinName;
        const char* DefaultName;
    };
    const TButtonSource sources[] = {{mbcSysMenu, d ? d->SysMenuButton : "", "SysMenuButton"},
                                     {mbcClose, d ? d->CloseButton : "", "CloseButton"},
                                     {mbcRestore, d ? d->MaxButton : "", "MaxButton"},
                                     {mbcMinimize, d ? d->MinButton : "", "MinButton"}};
    std::vector<std::unique_ptr<TskMenuBarObject>> buttons;
    for (const TButtonSource& s : sources) {
        auto* data = dynamic_cast<TskDataSkinMainMenuBarButton*>(FindObjectData(s.SkinName));
        auto button = std::make_unique<TskSkinMainMenuBarButton>(this, data, s.Command);
        if (!data)
            button->IDName = s.DefaultName;
        buttons.push_back(std::move(button));
    }
    objects_.insert(objects_.begin(), std::make_move_iterator(buttons.begin()), std::make_move_iterator(buttons.end()));
    sysButtonCount_ = 4;
    UpdateSystemButtons();
}

void TskSkinMainMenuBar::UpdateSystemButtons()
{
    TskSkinFrame* child = GetActiveMDIChildSkinForm();
    for (int i = 0; i < sysButtonCount_; ++i) {
        auto* b = static_cast<TskSkinMainMenuBarButton*>(Objects(i));
        if (b->Command == mbcMinimize)
            b->Enabled = child && child->BorderIcons().Contains(biMinimize);
        else if (b->Command == mbcSysMenu)
            b->Enabled = child && child->BorderIcons().Contains(biSystemMenu);
    }
}

void TskSkinMainMenuBar::MDIChildMaximize()
{
    if (childMaximized_) {
        UpdateSystemButtons();
        Invalidate();
        return;
    }
    childMaximized_ = true;
    MouseInObject = -1;
    DownObject = -1;
    AddSystemButtons();
    Invalidate();
}

void TskSkinMainMenuBar::MDIChildRestore()
{
    if (!childMaximized_)
        return;
    childMaximized_ = false;
    objects_.erase(objects_.begin(), objects_.begin() + sysButtonCount_);
    sysButtonCount_ = 0;
    MouseInObject = -1;
    OldMouseInObject = -1;
    DownObject = -1;
    Invalidate();
}

int TskSkinMainMenuBar::OpenItem() const
{
    for (int i = sysButtonCount_; i < ObjectCount(); ++i)
        if (Objects(i)->Down)
            return i;
    return -1;
}

int TskSkinMainMenuBar::ShownItemCount() const
{
    int n = 0;
    for (int i = sysButtonCount_; i < ObjectCount(); ++i)
        if (Objects(i)->Visible)
            ++n;
    return n;
}

void TskSkinMainMenuBar::OpenItemMenu(TskSkinMainMenuBarItem* Item)
{
    if (!frame_ || !frame_->SkinMenu() || !Item->MenuItem)
        return;
    const TAliveFlag alive = alive_;
    TskSkinMenu* menu = frame_->SkinMenu();
    // The old item goes back to rest before the new one opens.
    for (int i = sysButtonCount_; i < ObjectCount(); ++i) {
        TskMenuBarObject* o = Objects(i);
        if (o != Item && (o->Down || o->Active)) {
            o->Down = false;
            o->Active = false;
            o->MouseIn = false;
            DrawObject(o);
        }
    }
    const bool entering = !menuMode_;
    menuMode_ = true;
    if (entering && !frame_->InSkinMenu() && !frame_->InMainMenuBar() && frame_->OnMainMenuEnter)
        frame_->OnMainMenuEnter(frame_);
    if (!*alive)
        return;
    Item->Active = true;
    Item->Down = true;
    MouseInObject = IndexOfObject(Item);
    DrawObject(Item);
    frame_->SkinMenuOpen();
    switching_ = true;
    menu->Popup(this, MenuSkin(), PopupToUp, Item->MenuItem, ObjectScreenRect(Item), 0);
    if (!*alive)
        return;
    switching_ = false;
    if (!menu->Visible) {
        // Nothing to show: the item is pressed and released at once.
        Item->Down = false;
        DrawObject(Item);
    }
}

void TskSkinMainMenuBar::RunItem(TskSkinMainMenuBarItem* Item)
{
    if (!frame_ || !Item->MenuItem)
        return;
    // Everything the command needs is read first: leaving menu mode and the command itself may
    // rebuild or free the bar.
    TMenu* menu = Item->MenuItem->GetParentMenu();
    TMenuItem* menuItem = Item->MenuItem;
    const unsigned command = menuItem->Command();
    const TAliveFlag alive = alive_;
    if (frame_->SkinMenu() && frame_->SkinMenu()->Visible)
        frame_->SkinMenu()->CloseAll();
    if (!*alive)
        return;
    if (frame_ && (frame_->InSkinMenu() || frame_->InMainMenuBar()))
        frame_->SkinMenuClose();
    if (!*alive)
        return;
    LeaveMenuMode();
    if (menu)
        menu->DispatchCommand(command);
    else
        menuItem->Click();
}

void TskSkinMainMenuBar::OpenOverflowMenu()
{
    if (!frame_ || !frame_->SkinMenu() || !mainMenu_)
        return;
    const int n = ShownItemCount();
    const TRect mark = TrackMarkRect();
    const TPoint tl = ClientToScreen(mark.TopLeft());
    const TPoint br = ClientToScreen(mark.BottomRight());
    frame_->SkinMenuOpen();
    // The hidden items are those from the n-th on in the order the bar shows them.
    if (childMenuMerged_) {
        if (TMainMenu* child = GetChildMainMenu())
            frame_->SkinMenu()->Popup2(this, MenuSkin(), PopupToUp, mainMenu_->Items(), child->Items(),
                                       cl::Rect(tl.X, tl.Y, br.X, br.Y), n);
    } else {
        frame_->SkinMenu()->Popup(this, MenuSkin(), PopupToUp, mainMenu_->Items(), cl::Rect(tl.X, tl.Y, br.X, br.Y), n);
    }
    if (frame_ && frame_->SkinMenu() && !frame_->SkinMenu()->Visible)
        frame_->SkinMenuClose();
}

// ---------------------------------------------------------------------------------------------
// Keyboard

void TskSkinMainMenuBar::EnterMenuMode()
{
    menuMode_ = true;
    int hot = -1;
    for (int i = sysButtonCount_; i < ObjectCount(); ++i)
        if (Objects(i)->Active && Objects(i)->Visible && Objects(i)->IsEnabled())
            hot = i;
    if (hot < 0)
        for (int i = sysButtonCount_; i < ObjectCount() && hot < 0; ++i)
            if (Objects(i)->Visible && Objects(i)->IsEnabled())
                hot = i;
    SetHot(hot);
    if (frame_ && !frame_->InMainMenuBar())
        frame_->EnterMainMenuBar();
}

void TskSkinMainMenuBar::RestoreMenuItem()
{
    for (int i = sysButtonCount_; i < ObjectCount(); ++i)
        if (Objects(i)->Down) {
            Objects(i)->Down = false;
            DrawObject(Objects(i));
        }
}

void TskSkinMainMenuBar::LeaveMenuMode()
{
    menuMode_ = false;
    for (int i = 0; i < ObjectCount(); ++i) {
        TskMenuBarObject* o = Objects(i);
        if (o->Down || o->Active) {
            o->Down = false;
            o->Active = false;
            o->MouseIn = false;
            DrawObject(o);
        }
    }
    MouseInObject = -1;
    OldMouseInObject = -1;
    DownObject = -1;
}

void TskSkinMainMenuBar::SetHot(int Index)
{
    for (int i = 0; i < ObjectCount(); ++i) {
        TskMenuBarObject* o = Objects(i);
        if (i != Index && o->Active && !o->Down) {
            o->Active = false;
            DrawObject(o);
        }
    }
    MouseInObject = Index;
    if (TskMenuBarObject* o = Objects(Index)) {
        o->Active = true;
        DrawObject(o);
    }
}

void TskSkinMainMenuBar::MoveHot(bool Forward)
{
    const int first = sysButtonCount_;
    const int count = ObjectCount() - first;
    if (count <= 0)
        return;
    int from = OpenItem();
    if (from < 0)
        from = MouseInObject >= first ? MouseInObject : (Forward ? first - 1 : first);
    const bool wasOpen = OpenItem() >= 0;
    // At most one round: an item that is hidden or disabled is passed over.
    for (int step = 1; step <= count; ++step) {
        const int i = first + (((from - first) + (Forward ? step : -step)) % count + count) % count;
        TskMenuBarObject* o = Objects(i);
        if (!o->Visible || !o->IsEnabled())
            continue;
        if (wasOpen && ItemAt(i)->HasChildren())
            OpenItemMenu(ItemAt(i));
        else {
            if (wasOpen && frame_ && frame_->SkinMenu() && frame_->SkinMenu()->Visible) {
                switching_ = true;
                frame_->SkinMenu()->CloseMenu(0);
                switching_ = false;
                RestoreMenuItem();
            }
            SetHot(i);
        }
        return;
    }
}

void TskSkinMainMenuBar::NextMainMenuItem() { MoveHot(true); }

void TskSkinMainMenuBar::PrevMainMenuItem() { MoveHot(false); }

bool TskSkinMainMenuBar::FindHotKeyItem(WORD Key)
{
    if (!frame_ || !frame_->Form()->Visible())
        return false;
    for (int i = sysButtonCount_; i < ObjectCount(); ++i) {
        TskSkinMainMenuBarItem* item = ItemAt(i);
        if (!item->Visible || !item->IsEnabled() || !item->MenuItem || !IsAccel(Key, item->MenuItem->Caption()))
            continue;
        const bool open = OpenItem() >= 0;
        if (open && item->HasChildren()) {
            if (!item->Down)
                OpenItemMenu(item);
            return true;
        }
        SetHot(i);
        if (item->HasChildren())
            OpenItemMenu(item);
        else
            RunItem(item);
        return true;
    }
    return false;
}

bool TskSkinMainMenuBar::CheckMenuItem()
{
    TskSkinMainMenuBarItem* item = ItemAt(MouseInObject);
    if (!item || !item->IsEnabled() || !item->Visible)
        return false;
    if (item->HasChildren())
        OpenItemMenu(item);
    else
        RunItem(item);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TskSkinMainMenuBar::TestObject(TPoint P)
{
    if (DownObject >= 0)
        return;
    int found = -1;
    for (int i = 0; i < ObjectCount() && found < 0; ++i) {
        TskMenuBarObject* o = Objects(i);
        if (o->Visible && o->IsEnabled() && PointInRect(o->ObjectRect, P))
            found = i;
    }
    if (found < 0 && menuMode_)
        return;
    if (found == MouseInObject)
        return;
    OldMouseInObject = MouseInObject;
    MouseInObject = found;
    if (TskMenuBarObject* old = Objects(OldMouseInObject); old && old->IsEnabled())
        old->MouseLeave();
    if (!*alive_)
        return;
    if (TskMenuBarObject* now = Objects(MouseInObject); now && now->IsEnabled())
        now->MouseEnter();
}

void TskSkinMainMenuBar::TrackCursor()
{
    if (!HandleAllocated())
        return;
    POINT sp{};
    GetCursorPos(&sp);
    const TPoint p = ScreenToClient({sp.x, sp.y});
    const bool inside = p.X >= 0 && p.Y >= 0 && p.X < Width() && p.Y < Height() && WindowFromPoint(sp) == Handle();
    if (!inside) {
        if (!menuMode_) {
            trackTimer_->SetEnabled(false);
            if (TskMenuBarObject* o = Objects(MouseInObject); o && !o->Down)
                o->MouseLeave();
            MouseInObject = -1;
        }
        if (TrackMarkHot) {
            TrackMarkHot = false;
            Invalidate();
        }
        return;
    }
    const bool markHot = overflow_ && ScrollMenu && PointInRect(TrackMarkRect(), p);
    if (markHot != TrackMarkHot) {
        TrackMarkHot = markHot;
        Invalidate();
    }
    TestObject(p);
}

void TskSkinMainMenuBar::TrackTimerTick(TObject*) { TrackCursor(); }

void TskSkinMainMenuBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseMove(Shift, X, Y);
    if (!trackTimer_->Enabled())
        trackTimer_->SetEnabled(true);
    const bool markHot = overflow_ && ScrollMenu && PointInRect(TrackMarkRect(), {X, Y});
    if (markHot != TrackMarkHot) {
        TrackMarkHot = markHot;
        Invalidate();
    }
    TestObject({X, Y});
}

void TskSkinMainMenuBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseDown(Button, Shift, X, Y);
    const TAliveFlag alive = alive_;
    TestObject({X, Y});
    if (!*alive)
        return;
    TskMenuBarObject* hot = Objects(MouseInObject);
    if (hot && PointInRect(hot->ObjectRect, {X, Y})) {
        DownObject = MouseInObject;
        hot->MouseDown(X, Y, Button);
        if (*alive && Shift.Contains(ssDouble) && Objects(DownObject) == hot)
            hot->DblClick();
    } else if (overflow_ && ScrollMenu && Button == mbLeft && PointInRect(TrackMarkRect(), {X, Y})) {
        OpenOverflowMenu();
    }
    if (*alive)
        closedByPress_ = -1;
}

void TskSkinMainMenuBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TAliveFlag alive = alive_;
    if (TskMenuBarObject* down = Objects(DownObject)) {
        DownObject = -1;
        down->MouseUp(X, Y, Button);
        if (!*alive)
            return;
    }
    DownObject = -1;
    TskSkinControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinMainMenuBar::CMMouseLeave(TMessage&)
{
    if (!menuMode_) {
        if (TskMenuBarObject* o = Objects(MouseInObject); o && !o->Down)
            o->MouseLeave();
        MouseInObject = -1;
        trackTimer_->SetEnabled(false);
    }
    if (TrackMarkHot) {
        TrackMarkHot = false;
        Invalidate();
    }
}

// A drop-down of the bar closed. While one replaces another nothing else changes.
void TskSkinMainMenuBar::WMSkinMenuClosed(TMessage&)
{
    if (switching_)
        return;
    // The press that is being handled closed it: that press must not open it again.
    closedByPress_ = GetKeyState(VK_LBUTTON) < 0 ? OpenItem() : -1;
    for (int i = 0; i < ObjectCount(); ++i) {
        TskMenuBarObject* o = Objects(i);
        if (!o->Down)
            continue;
        o->Down = false;
        if (i < sysButtonCount_ && !o->MouseIn)
            o->Active = false;
        DrawObject(o);
    }
}

void TskSkinMainMenuBar::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SKINMENUCLOSED: WMSkinMenuClosed(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case CM_MOUSELEAVE:
        TskSkinControl::Dispatch(Message);
        CMMouseLeave(Message);
        break;
    default: TskSkinControl::Dispatch(Message);
    }
}

void TskSkinMainMenuBar::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TskSkinMainMenuBar::WMSize(TMessage& Message)
{
    TskSkinControl::Dispatch(Message);
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Skin

void TskSkinMainMenuBar::GetSkinData()
{
    TskSkinControl::GetSkinData();
    if (index_ != -1 && !dynamic_cast<TskDataSkinMainMenuBar*>(Description()))
        index_ = -1;
    barPicture_ = nullptr;
    if (TskDataSkinMainMenuBar* d = BarDescription())
        barPicture_ = SkinPicture(SkinData(), d->PictureIndex);
}

void TskSkinMainMenuBar::BeforeChangeSkinData()
{
    TskSkinControl::BeforeChangeSkinData();
    barPicture_ = nullptr;
    morphTimer_->SetEnabled(false);
    animateTimer_->SetEnabled(false);
    ForgetSkinObjects();
}

void TskSkinMainMenuBar::ForgetSkinObjects()
{
    // The objects point into the skin that is going: its pictures and its item descriptions.
    for (auto& o : objects_) {
        o->Picture = nullptr;
        if (auto* item = dynamic_cast<TskSkinMainMenuBarItem*>(o.get()))
            item->Data = nullptr;
    }
}

void TskSkinMainMenuBar::ChangeSkinData()
{
    GetSkinData();
    CreateMenuItems();
    if (TskDataSkinMainMenuBar* d = BarDescription(); d && !IsNullRect(d->SkinRect))
        SetHeight(d->SkinRect.Height());
    else if (defaultHeight_ >= 1)
        SetHeight(defaultHeight_);
    Invalidate();
}

}  // namespace sk
