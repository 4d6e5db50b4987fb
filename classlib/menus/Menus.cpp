// Menu items, menus and popup menus as data.
#include "classlib/menus/Menus.h"

#include <algorithm>
#include <atomic>

#include "classlib/graphics/Bitmap.h"
#include "classlib/system/CoreConsts.h"

namespace cl {

namespace {
std::atomic<unsigned> nextCommand{1};
}

// ---------------------------------------------------------------------------------------------
// TMenuItem: life and properties

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), command_(nextCommand++) {}

TMenuItem::~TMenuItem()
{
    // Deleted without Free: children and parent must not keep pointers to this item.
    DetachFromParent();
    for (TMenuItem* child : items_)
        child->parent_ = nullptr;
}

void TMenuItem::BeforeDestruction()
{
    DetachFromParent();
    // Sub-items go with their item, whoever owns them.
    while (!items_.empty()) {
        TMenuItem* child = items_.back();
        child->DetachFromParent();
        child->Free();
    }
    actionLink_.reset();
    TComponent::BeforeDestruction();
}

void TMenuItem::DetachFromParent()
{
    if (!parent_)
        return;
    TMenuItem* parent = parent_;
    std::erase(parent->items_, this);
    parent_ = nullptr;
    parent->MenuChanged(true);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && actionLink_ && AComponent == actionLink_->Action())
        actionLink_.reset();
}

void TMenuItem::SetCaption(const AnsiString& Value)
{
    if (Value == caption_)
        return;
    caption_ = Value;
    MenuChanged(true);
}

void TMenuItem::SetChecked(bool Value)
{
    if (Value == checked_)
        return;
    checked_ = Value;
    if (Value && radioItem_)
        TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::TurnSiblingsOff()
{
    if (!parent_)
        return;
    for (TMenuItem* other : parent_->items_)
        if (other != this && other->radioItem_ && other->groupIndex_ == groupIndex_ && other->checked_) {
            other->checked_ = false;
            other->MenuChanged(false);
        }
}

void TMenuItem::SetEnabled(bool Value)
{
    if (Value == enabled_)
        return;
    enabled_ = Value;
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool Value)
{
    if (Value == visible_)
        return;
    visible_ = Value;
    MenuChanged(true);
}

void TMenuItem::SetRadioItem(bool Value)
{
    if (Value == radioItem_)
        return;
    radioItem_ = Value;
    if (checked_ && radioItem_)
        TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetDefault(bool Value)
{
    if (Value == default_)
        return;
    if (Value && parent_)
        for (TMenuItem* other : parent_->items_)
            other->default_ = false;
    default_ = Value;
    MenuChanged(true);
}

void TMenuItem::SetImageIndex(int Value)
{
    if (Value == imageIndex_)
        return;
    imageIndex_ = Value;
    MenuChanged(true);
}

TBitmap* TMenuItem::Bitmap()
{
    if (!bitmap_)
        bitmap_ = std::make_unique<TBitmap>();
    return bitmap_.get();
}

void TMenuItem::SetBitmap(TBitmap* Value)
{
    if (!Value) {
        bitmap_.reset();
    } else {
        Bitmap()->Assign(Value);
    }
    MenuChanged(true);
}

void TMenuItem::SetShortCut(TShortCut Value)
{
    if (Value == shortCut_)
        return;
    shortCut_ = Value;
    MenuChanged(true);
}

void TMenuItem::SetGroupIndex(int Value)
{
    if (Value == groupIndex_)
        return;
    groupIndex_ = Value;
    if (checked_ && radioItem_)
        TurnSiblingsOff();
    MenuChanged(false);
}

// ---------------------------------------------------------------------------------------------
// Children

TMenuItem* TMenuItem::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EMenuError(Format(consts::SMenuIndexError, Index));
    return items_[static_cast<std::size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
    if (!Item)
        throw EMenuError(consts::SMenuItemNil);
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == Item)
            throw EMenuError(consts::SMenuReinserted);
    if (Item->parent_ == this)
        throw EMenuError(consts::SMenuReinserted);
    if (Index < 0 || Index > Count())
        throw EMenuError(Format(consts::SMenuIndexError, Index));
    Item->DetachFromParent();
    items_.insert(items_.begin() + Index, Item);
    Item->parent_ = this;
    if (Item->checked_ && Item->radioItem_)
        Item->TurnSiblingsOff();
    MenuChanged(true);
}

void TMenuItem::Delete(int Index) { Items(Index)->DetachFromParent(); }

void TMenuItem::Remove(TMenuItem* Item)
{
    const int index = IndexOf(Item);
    if (index < 0)
        throw EMenuError(consts::SMenuNotFound);
    Delete(index);
}

void TMenuItem::Clear()
{
    while (!items_.empty()) {
        TMenuItem* child = items_.back();
        child->DetachFromParent();
        child->Free();
    }
}

int TMenuItem::IndexOf(const TMenuItem* Item) const
{
    auto it = std::find(items_.begin(), items_.end(), Item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const AnsiString& ACaption) const
{
    const AnsiString wanted = StripHotKey(ACaption);
    for (TMenuItem* item : items_)
        if (SameText(StripHotKey(item->caption_), wanted))
            return item;
    return nullptr;
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int Value)
{
    if (!parent_)
        return;
    TMenuItem* parent = parent_;
    const int count = parent->Count();
    Value = std::clamp(Value, 0, count - 1);
    const int current = MenuIndex();
    if (Value == current)
        return;
    parent->items_.erase(parent->items_.begin() + current);
    parent->items_.insert(parent->items_.begin() + Value, this);
    parent->MenuChanged(true);
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* root = this;
    while (root->parent_)
        root = root->parent_;
    return root->menu_;
}

bool TMenuItem::RethinkLines()
{
    TMenu* menu = GetParentMenu();
    if (menu && !menu->AutoLineReduction())
        return false;
    bool changed = false;
    auto setVisible = [&](TMenuItem* item, bool value) {
        if (item->visible_ != value) {
            item->visible_ = value;
            changed = true;
        }
    };
    // A separator shows only between two shown items that are not separators.
    TMenuItem* pendingLine = nullptr;
    bool seenItem = false;
    for (TMenuItem* item : items_) {
        if (item->IsLine()) {
            setVisible(item, false);
            if (seenItem && !pendingLine)
                pendingLine = item;
            continue;
        }
        if (!item->visible_)
            continue;
        if (pendingLine) {
            setVisible(pendingLine, true);
            pendingLine = nullptr;
        }
        seenItem = true;
    }
    if (changed)
        MenuChanged(true);
    return changed;
}

// ---------------------------------------------------------------------------------------------
// Actions, clicks, drawing

namespace {
// A menu item shows what its action shows, property by property, while the item's value
// still equals the action's (a value the item was given itself is kept).
class TMenuActionLink : public TActionLink {
public:
    explicit TMenuActionLink(TMenuItem* Item) : TActionLink(Item), item_(Item) {}

    bool IsCaptionLinked() override { return TActionLink::IsCaptionLinked() && item_->Caption() == Custom()->Caption(); }
    bool IsCheckedLinked() override { return TActionLink::IsCheckedLinked() && item_->Checked() == Custom()->Checked(); }
    bool IsEnabledLinked() override { return TActionLink::IsEnabledLinked() && item_->Enabled() == Custom()->Enabled(); }
    bool IsHintLinked() override { return TActionLink::IsHintLinked() && item_->Hint() == Custom()->Hint(); }
    bool IsImageIndexLinked() override
    {
        return TActionLink::IsImageIndexLinked() && item_->ImageIndex() == Custom()->ImageIndex();
    }
    bool IsShortCutLinked() override { return TActionLink::IsShortCutLinked() && item_->ShortCut() == Custom()->ShortCut(); }
    bool IsVisibleLinked() override { return TActionLink::IsVisibleLinked() && item_->Visible() == Custom()->Visible(); }
    bool IsGroupIndexLinked() override
    {
        return TActionLink::IsGroupIndexLinked() && item_->GroupIndex() == Custom()->GroupIndex();
    }

    void SetCaption(const AnsiString& Value) override { if (IsCaptionLinked()) item_->SetCaption(Value); }
    void SetChecked(bool Value) override { if (IsCheckedLinked()) item_->SetChecked(Value); }
    void SetEnabled(bool Value) override { if (IsEnabledLinked()) item_->SetEnabled(Value); }
    void SetHint(const AnsiString& Value) override { if (IsHintLinked()) item_->SetHint(Value); }
    void SetImageIndex(int Value) override { if (IsImageIndexLinked()) item_->SetImageIndex(Value); }
    void SetShortCut(unsigned short Value) override { if (IsShortCutLinked()) item_->SetShortCut(Value); }
    void SetVisible(bool Value) override { if (IsVisibleLinked()) item_->SetVisible(Value); }
    void SetGroupIndex(int Value) override { if (IsGroupIndexLinked()) item_->SetGroupIndex(Value); }

private:
    TCustomAction* Custom() const { return static_cast<TCustomAction*>(Action()); }
    TMenuItem* item_;
};
}  // namespace

void TMenuItem::SetAction(TBasicAction* Value)
{
    if (!Value) {
        actionLink_.reset();
        return;
    }
    if (!actionLink_)
        actionLink_ = std::make_unique<TMenuActionLink>(this);
    actionLink_->SetAction(Value);
    Value->FreeNotification(this);
    ActionChange(Value, ComponentState().Contains(csLoading));
}

void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action)
        return;
    // While loading, what the item itself was given wins over the action.
    if (!CheckDefaults || caption_.empty())
        SetCaption(action->Caption());
    if (!CheckDefaults || !checked_)
        SetChecked(action->Checked());
    if (!CheckDefaults || enabled_)
        SetEnabled(action->Enabled());
    if (!CheckDefaults || hint_.empty())
        SetHint(action->Hint());
    if (!CheckDefaults || imageIndex_ == -1)
        SetImageIndex(action->ImageIndex());
    if (!CheckDefaults || shortCut_ == scNone)
        SetShortCut(action->ShortCut());
    if (!CheckDefaults || visible_)
        SetVisible(action->Visible());
    if (!CheckDefaults || groupIndex_ == 0)
        SetGroupIndex(action->GroupIndex());
}

void TMenuItem::Click()
{
    if (!enabled_)
        return;
    if (autoCheck_ && !(actionLink_ && actionLink_->Action()))
        SetChecked(!checked_);
    TBasicAction* action = Action();
    // An own handler that differs from the action's wins; otherwise the action runs.
    if (OnClick && (!action || !(OnClick == action->OnExecute()))) {
        OnClick(this);
    } else if (action) {
        actionLink_->Execute(this);
    } else if (OnClick) {
        OnClick(this);
    }
}

bool TMenuItem::DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected)
{
    if (!OnDrawItem)
        return false;
    OnDrawItem(this, ACanvas, ARect, Selected);
    return true;
}

void TMenuItem::MenuChanged(bool Rebuild)
{
    TMenu* menu = GetParentMenu();
    if (menu && !(menu->ComponentState().Contains(csDestroying)))
        menu->MenuChanged(this, Rebuild);
}

// ---------------------------------------------------------------------------------------------
// TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(nullptr))
{
    items_->menu_ = this;
}

TMenu::~TMenu()
{
    if (items_) {
        items_->menu_ = nullptr;
        items_->Free();
    }
}

void TMenu::BeforeDestruction()
{
    SetComponentStateFlag(csDestroying, true);
    TMenuItem* root = items_;
    items_ = nullptr;
    root->menu_ = nullptr;
    root->Free();
    TComponent::BeforeDestruction();
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    images_.Forget(AComponent, Operation);
}

void TMenu::MenuChanged(TMenuItem* Source, bool Rebuild)
{
    if (OnChange)
        OnChange(this, Source, Rebuild);
}

namespace {
template <class Pred>
TMenuItem* FindIn(TMenuItem* Item, const Pred& pred)
{
    for (int i = 0; i < Item->Count(); ++i) {
        TMenuItem* child = Item->Items(i);
        if (pred(child))
            return child;
        if (TMenuItem* found = FindIn(child, pred))
            return found;
    }
    return nullptr;
}
}  // namespace

TMenuItem* TMenu::FindItemByCommand(unsigned ACommand) const
{
    if (!items_)
        return nullptr;
    return FindIn(items_, [&](TMenuItem* item) { return item->Command() == ACommand; });
}

TMenuItem* TMenu::FindItemByShortCut(TShortCut ShortCut) const
{
    if (!items_ || ShortCut == scNone)
        return nullptr;
    return FindIn(items_, [&](TMenuItem* item) { return item->ShortCut() == ShortCut; });
}

bool TMenu::DispatchCommand(unsigned ACommand)
{
    TMenuItem* item = FindItemByCommand(ACommand);
    if (!item)
        return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(TShortCut ShortCut)
{
    if (!items_ || ShortCut == scNone)
        return false;
    // Only reachable items count: a hidden or disabled parent hides its whole branch.
    std::vector<TMenuItem*> pending{items_};
    while (!pending.empty()) {
        TMenuItem* item = pending.back();
        pending.pop_back();
        for (int i = item->Count() - 1; i >= 0; --i) {
            TMenuItem* child = item->Items(i);
            if (!child->Visible() || !child->Enabled())
                continue;
            if (child->ShortCut() == ShortCut) {
                child->Click();
                return true;
            }
            pending.push_back(child);
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// TPopupMenu

void TPopupMenu::Popup(int X, int Y)
{
    popupPoint_ = {X, Y};
    DoPopup(this);
}

void TPopupMenu::DoPopup(TObject* Sender)
{
    if (OnPopup)
        OnPopup(Sender);
}

void TPopupMenu::SetPopupComponent(TComponent* Value)
{
    if (popupComponent_ == Value)
        return;
    if (popupComponent_)
        popupComponent_->RemoveFreeNotification(this);
    popupComponent_ = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popupComponent_)
        popupComponent_ = nullptr;
}

}  // namespace cl
