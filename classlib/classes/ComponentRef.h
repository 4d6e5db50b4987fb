#pragma once
// A reference from a component (the holder) to another that it does not own and that may be
// freed first. Setting it asks the new target for a free notification and cancels the old
// target's; the holder's Notification passes every notice to Forget, which clears the reference
// when its target is the one going.
//
// The free notification is one link per pair of components, while a holder may have several
// references to one target and the target may name the holder in turn: the component keeps the
// link while any reference of either names the other, whoever asks to cancel it (a reference
// letting go, or a hand-made RemoveFreeNotification), or the reference would be left dangling.
#include "classlib/classes/Classes.h"

namespace cl {

// The part that does not depend on the target's type: each reference is listed with its
// holder, so that letting go of a target can ask the others.
class TComponentRefBase {
public:
    TComponentRefBase(const TComponentRefBase&) = delete;
    TComponentRefBase& operator=(const TComponentRefBase&) = delete;

protected:
    explicit TComponentRefBase(TComponent* Holder) : holder_(Holder) { holder_->refs_.push_back(this); }
    ~TComponentRefBase() { std::erase(holder_->refs_, this); }

    // Names Value from now on, moving the free notification from the old target to it.
    void Retarget(TComponent* Value)
    {
        TComponent* old = named_;
        named_ = Value;
        if (old && old != Value)
            old->RemoveFreeNotification(holder_);
        if (Value)
            Value->FreeNotification(holder_);
    }

    void Clear() { named_ = nullptr; }

private:
    friend class TComponent;
    TComponent* holder_;
    TComponent* named_ = nullptr;
};

template <class T>
class TComponentRef : public TComponentRefBase {
public:
    explicit TComponentRef(TComponent* Holder) : TComponentRefBase(Holder) {}

    T* Get() const { return target_; }
    operator T*() const { return target_; }
    T* operator->() const { return target_; }

    void Set(T* Value)
    {
        target_ = Value;
        Retarget(Value);
    }

    void Forget(TComponent* AComponent, TOperation Operation)
    {
        if (Operation == opRemove && target_ && AComponent == target_) {
            target_ = nullptr;
            Clear();
        }
    }

private:
    T* target_ = nullptr;
};

}  // namespace cl
