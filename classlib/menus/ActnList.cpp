// Actions, action lists and action links.
#include "classlib/menus/ActnList.h"
#include "classlib/system/CoreConsts.h"

#include <algorithm>

namespace cl {

TBasicAction::~TBasicAction()
{
    for (TActionLink* link : links_)
        link->action_ = nullptr;
}

void TBasicAction::BeforeDestruction()
{
    const auto links = links_;
    links_.clear();
    for (TActionLink* link : links)
        link->action_ = nullptr;
    SetActionComponent(nullptr);
    TComponent::BeforeDestruction();
}

void TBasicAction::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    actionComponent_.Forget(AComponent, Operation);
}

void TBasicAction::SetActionComponent(TComponent* Value)
{
    if (actionComponent_ == Value)
        return;
    actionComponent_.Set(Value);
}

void TBasicAction::SetOnExecute(const TNotifyEvent& Value)
{
    ForEachLink([&](TActionLink* link) { link->SetOnExecute(Value); });
    onExecute_ = Value;
    Change();
}

bool TBasicAction::Execute()
{
    if (!onExecute_)
        return false;
    onExecute_(this);
    return true;
}

bool TBasicAction::Update()
{
    if (!OnUpdate)
        return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::Change()
{
    ForEachLink([&](TActionLink* link) {
        if (link->OnChange)
            link->OnChange(this);
    });
}

// ---------------------------------------------------------------------------------------------

TCustomAction::~TCustomAction()
{
    if (actionList_)
        std::erase(actionList_->actions_, this);
}

void TCustomAction::Notification(TComponent* AComponent, TOperation Operation)
{
    TBasicAction::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == actionList_)
        actionList_ = nullptr;
}

void TCustomAction::SetActionList(TActionList* Value)
{
    if (Value == actionList_)
        return;
    if (actionList_) {
        std::erase(actionList_->actions_, this);
        actionList_->RemoveFreeNotification(this);
    }
    actionList_ = Value;
    if (Value) {
        Value->actions_.push_back(this);
        Value->FreeNotification(this);
    }
    Change();
}

void TCustomAction::SetCaption(const AnsiString& Value)
{
    if (Value == caption_)
        return;
    ForEachLink([&](TActionLink* link) { link->SetCaption(Value); });
    caption_ = Value;
    Change();
}

void TCustomAction::SetChecked(bool Value)
{
    if (Value == checked_)
        return;
    ForEachLink([&](TActionLink* link) { link->SetChecked(Value); });
    checked_ = Value;
    if (Value && groupIndex_ > 0) {
        std::vector<TCustomAction*> group;
        if (actionList_)
            group = actionList_->actions_;
        else if (Owner())
            for (int i = 0; i < Owner()->ComponentCount(); ++i)
                if (auto* other = dynamic_cast<TCustomAction*>(Owner()->Components(i)))
                    group.push_back(other);
        for (TCustomAction* other : group)
            if (other != this && other->groupIndex_ == groupIndex_)
                other->SetChecked(false);
    }
    Change();
}

void TCustomAction::SetEnabled(bool Value)
{
    if (Value == enabled_)
        return;
    ForEachLink([&](TActionLink* link) { link->SetEnabled(Value); });
    enabled_ = Value;
    Change();
}

void TCustomAction::SetVisible(bool Value)
{
    if (Value == visible_)
        return;
    ForEachLink([&](TActionLink* link) { link->SetVisible(Value); });
    visible_ = Value;
    Change();
}

void TCustomAction::SetHint(const AnsiString& Value)
{
    if (Value == hint_)
        return;
    ForEachLink([&](TActionLink* link) { link->SetHint(Value); });
    hint_ = Value;
    Change();
}

void TCustomAction::SetImageIndex(int Value)
{
    if (Value == imageIndex_)
        return;
    ForEachLink([&](TActionLink* link) { link->SetImageIndex(Value); });
    imageIndex_ = Value;
    Change();
}

void TCustomAction::SetShortCut(unsigned short Value)
{
    if (Value == shortCut_)
        return;
    ForEachLink([&](TActionLink* link) { link->SetShortCut(Value); });
    shortCut_ = Value;
    Change();
}

void TCustomAction::SetGroupIndex(int Value)
{
    if (Value == groupIndex_)
        return;
    ForEachLink([&](TActionLink* link) { link->SetGroupIndex(Value); });
    groupIndex_ = Value;
    Change();
}

bool TCustomAction::DoHint(AnsiString& HintStr)
{
    bool canShow = true;
    if (OnHint)
        OnHint(HintStr, canShow);
    return canShow;
}

bool TCustomAction::Execute()
{
    if (!enabled_)
        return true;
    if (autoCheck_)
        SetChecked(!checked_);
    return TBasicAction::Execute();
}

// ---------------------------------------------------------------------------------------------

TActionList::~TActionList()
{
    for (TCustomAction* action : actions_)
        action->actionList_ = nullptr;
}

void TActionList::BeforeDestruction()
{
    for (TCustomAction* action : actions_)
        action->actionList_ = nullptr;
    actions_.clear();
    TComponent::BeforeDestruction();
}

TCustomAction* TActionList::Actions(int Index) const
{
    if (Index < 0 || Index >= ActionCount())
        throw EListError(Format(consts::SListIndexError, Index));
    return actions_[static_cast<std::size_t>(Index)];
}

void TActionList::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    images_.Forget(AComponent, Operation);
}

// ---------------------------------------------------------------------------------------------

TActionLink::~TActionLink() { SetAction(nullptr); }

void TActionLink::SetAction(TBasicAction* Value)
{
    if (action_ == Value)
        return;
    if (action_)
        std::erase(action_->links_, this);
    action_ = Value;
    if (action_)
        action_->links_.push_back(this);
}

bool TActionLink::Execute(TComponent* AComponent)
{
    if (!action_)
        return false;
    TBasicAction* action = action_;
    action->SetActionComponent(AComponent ? AComponent : client_);
    const bool done = action->Execute();
    // The handler may have freed the action (then this link already forgot it).
    if (action_ == action)
        action->SetActionComponent(nullptr);
    return done;
}

bool TActionLink::Update() { return action_ && action_->Update(); }

bool TActionLink::IsCaptionLinked() { return dynamic_cast<TCustomAction*>(action_) != nullptr; }
bool TActionLink::IsCheckedLinked() { return dynamic_cast<TCustomAction*>(action_) != nullptr; }
bool TActionLink::IsEnabledLinked() { return dynamic_cast<TCustomAction*>(action_) != nullptr; }
bool TActionLink::IsHintLinked() { return dynamic_cast<TCustomAction*>(action_) != nullptr; }
bool TActionLink::IsImageIndexLinked() { return dynamic_cast<TCustomAction*>(action_) != nullptr; }
bool TActionLink::IsShortCutLinked() { return dynamic_cast<TCustomAction*>(action_) != nullptr; }
bool TActionLink::IsVisibleLinked() { return dynamic_cast<TCustomAction*>(action_) != nullptr; }
bool TActionLink::IsGroupIndexLinked() { return dynamic_cast<TCustomAction*>(action_) != nullptr; }
bool TActionLink::IsOnExecuteLinked() { return action_ != nullptr; }

}  // namespace cl
