#pragma once
// A reference from a component (the holder) to another that it does not own and that may be
// freed first. Setting it asks the new target for a free notification and cancels the old
// target's; the holder's Notification passes every notice to Forget, which clears the reference
// when its target is the one going.
#include "classlib/Classes.h"

namespace cl {

template <class T>
class TComponentRef {
public:
    explicit TComponentRef(TComponent* Holder) : holder_(Holder) {}
    TComponentRef(const TComponentRef&) = delete;
    TComponentRef& operator=(const TComponentRef&) = delete;

    T* Get() const { return target_; }
    operator T*() const { return target_; }
    T* operator->() const { return target_; }

    void Set(T* Value)
    {
        if (target_)
            target_->RemoveFreeNotification(holder_);
        target_ = Value;
        if (Value)
            Value->FreeNotification(holder_);
    }

    void Forget(TComponent* AComponent, TOperation Operation)
    {
        if (Operation == opRemove && target_ && AComponent == target_)
            target_ = nullptr;
    }

private:
    TComponent* holder_;
    T* target_ = nullptr;
};

}  // namespace cl
