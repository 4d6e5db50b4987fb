// TPersistent and TComponent: ownership, names and free notifications.
#include "classlib/classes/Classes.h"
#include "classlib/classes/ComponentRef.h"
#include "classlib/classes/OwnedLists.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace cl {

using namespace detail;

void TPersistent::Assign(TPersistent* Source)
{
    if (Source)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    Dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* Source)
{
    std::string sourceName = Source ? Source->ClassName() : std::string("nil");
    throw EConvertError(Format(consts::SAssignError, sourceName, ClassName()));
}

std::string TPersistent::GetNamePath() const
{
    return ClassName();
}

// ---------------------------------------------------------------------------------------------
// TComponent

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    TearDown();
}

void TComponent::BeforeDestruction()
{
    TearDown();
}

void TComponent::TearDown()
{
    if (tornDown_)
        return;
    tornDown_ = true;
    if (!state_.Contains(csDestroying))
        Destroying();
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
    RemoveFreeNotifications();
}

void TComponent::Destroying()
{
    if (state_.Contains(csDestroying))
        return;
    state_ += csDestroying;
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::DestroyComponents()
{
    FreeFromBack(components_);
}

TComponent* TComponent::Components(int Index) const
{
    return ItemAt(components_, Index);
}

int TComponent::ComponentIndex() const
{
    return owner_ ? IndexIn(owner_->components_, this) : -1;
}

void TComponent::SetComponentIndex(int Value)
{
    if (!owner_)
        return;
    auto& list = owner_->components_;
    int current = ComponentIndex();
    if (current < 0)
        return;
    if (Value < 0)
        Value = 0;
    if (Value >= int(list.size()))
        Value = int(list.size()) - 1;
    if (Value == current)
        return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + Value, this);
}

TComponent* TComponent::FindComponent(std::string_view AName) const
{
    if (AName.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, AName))
            return c;
    return nullptr;
}

namespace {

bool IsValidIdent(const std::string& s)
{
    if (s.empty())
        return false;
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(s[0]))
        return false;
    for (char c : s)
        if (!alpha(c) && !(c >= '0' && c <= '9'))
            return false;
    return true;
}

}  // namespace

void TComponent::ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName) const
{
    if (NewName.empty() || SameText(CurName, NewName))
        return;
    TComponent* other = FindComponent(NewName);
    if (other && other != AComponent)
        throw EComponentError(Format(consts::SDuplicateName, NewName));
}

void TComponent::SetName(const std::string& NewName)
{
    if (name_ == NewName)
        return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError(Format(consts::SInvalidName, NewName));
    if (owner_)
        owner_->ValidateRename(this, name_, NewName);
    name_ = NewName;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->owner_ == this)
        return;
    // Owning oneself or one's own owner would make the tear-down recurse forever.
    for (const TComponent* c = this; c; c = c->owner_)
        if (c == AComponent)
            throw EComponentError(consts::SOwnershipCycle);
    ValidateRename(AComponent, std::string(), AComponent->name_);
    if (AComponent->owner_)
        AComponent->owner_->RemoveComponent(AComponent);
    components_.push_back(AComponent);
    AComponent->owner_ = this;
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->owner_ != this)
        return;
    Notification(AComponent, opRemove);
    auto it = std::find(components_.begin(), components_.end(), AComponent);
    if (it != components_.end())
        components_.erase(it);
    AComponent->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    if (!owner_ || AComponent->owner_ != owner_) {
        if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end())
            freeNotifies_.push_back(AComponent);
        auto& theirs = AComponent->freeNotifies_;
        if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
            theirs.push_back(this);
        AComponent->state_ += csFreeNotification;
    }
    state_ += csFreeNotification;
}

bool TComponent::RefersTo(const TComponent* Target) const
{
    return std::any_of(refs_.begin(), refs_.end(), [&](const TComponentRefBase* r) { return r->named_ == Target; });
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (!AComponent || RefersTo(AComponent) || AComponent->RefersTo(this))
        return;
    auto drop = [](std::vector<TComponent*>& list, TComponent* c) {
        list.erase(std::remove(list.begin(), list.end(), c), list.end());
    };
    drop(freeNotifies_, AComponent);
    drop(AComponent->freeNotifies_, this);
    if (freeNotifies_.empty())
        state_ -= csFreeNotification;
    if (AComponent->freeNotifies_.empty())
        AComponent->state_ -= csFreeNotification;
}

void TComponent::RemoveFreeNotifications()
{
    while (!freeNotifies_.empty()) {
        TComponent* partner = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = partner->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        partner->Notification(this, opRemove);
    }
    state_ -= csFreeNotification;
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    // Forward to everything this component owns, last first; the list may shrink meanwhile.
    int i = int(components_.size()) - 1;
    while (i >= 0) {
        components_[std::size_t(i)]->Notification(AComponent, Operation);
        --i;
        if (i >= int(components_.size()))
            i = int(components_.size()) - 1;
    }
}

void TComponent::Loaded()
{
    state_ -= csLoading;
}

void TComponent::SetComponentStateFlag(TComponentStateFlag Flag, bool On)
{
    if (On)
        state_ += Flag;
    else
        state_ -= Flag;
}

// ---------------------------------------------------------------------------------------------

}  // namespace cl
