// Actions and their links.
#include "classlib/ActnList.h"

#include <algorithm>

namespace cl {

TBasicAction::~TBasicAction()
{
    for (TActionLink* link : links_)
        link->action_ = nullptr;
}

void TBasicAction::BeforeDestruction()
{
    // Clients hear of it through their link's OnChange after the link lost the action.
    const auto links = links_;
    links_.clear();
    for (TActionLink* link : links)
        link->action_ = nullptr;
    TBasicAction::SetActionComponent(nullptr);
    TComponent::BeforeDestruction();
}

void TBasicAction::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == actionComponent_)
        actionComponent_ = nullptr;
}

void TBasicAction::SetActionComponent(TComponent* Value)
{
    if (actionComponent_ == Value)
        return;
    if (actionComponent_)
        actionComponent_->RemoveFreeNotification(this);
    actionComponent_ = Value;
    if (Value)
        Value->FreeNotification(this);
}

bool TBasicAction::Execute()
{
    if (!OnExecute)
        return false;
    OnExecute(this);
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
    const auto links = links_;
    for (TActionLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end() && link->OnChange)
            link->OnChange(this);
}

// ---------------------------------------------------------------------------------------------

void TCustomAction::SetCaption(const AnsiString& Value)
{
    if (Value == caption_)
        return;
    caption_ = Value;
    Change();
}

void TCustomAction::SetChecked(bool Value)
{
    if (Value == checked_)
        return;
    checked_ = Value;
    if (Value && groupIndex_ > 0 && Owner())
        for (int i = 0; i < Owner()->ComponentCount(); ++i) {
            auto* other = dynamic_cast<TCustomAction*>(Owner()->Components(i));
            if (other && other != this && other->groupIndex_ == groupIndex_)
                other->SetChecked(false);
        }
    Change();
}

void TCustomAction::SetEnabled(bool Value)
{
    if (Value == enabled_)
        return;
    enabled_ = Value;
    Change();
}

void TCustomAction::SetVisible(bool Value)
{
    if (Value == visible_)
        return;
    visible_ = Value;
    Change();
}

void TCustomAction::SetHint(const AnsiString& Value)
{
    if (Value == hint_)
        return;
    hint_ = Value;
    Change();
}

void TCustomAction::SetImageIndex(int Value)
{
    if (Value == imageIndex_)
        return;
    imageIndex_ = Value;
    Change();
}

void TCustomAction::SetShortCut(unsigned short Value)
{
    if (Value == shortCut_)
        return;
    shortCut_ = Value;
    Change();
}

void TCustomAction::SetGroupIndex(int Value)
{
    if (Value == groupIndex_)
        return;
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
    // A disabled action does nothing, but it counts as handled: its clients must not run
    // their own handlers in its place.
    if (!enabled_)
        return true;
    if (autoCheck_)
        SetChecked(!checked_);
    return TBasicAction::Execute();
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
    action_->SetActionComponent(AComponent ? AComponent : client_);
    TBasicAction* action = action_;
    const bool done = action->Execute();
    // The handler may have freed the action's client; the action forgets it by notification.
    action->SetActionComponent(nullptr);
    return done;
}

bool TActionLink::Update() { return action_ && action_->Update(); }

}  // namespace cl
