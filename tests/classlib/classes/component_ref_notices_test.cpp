// A component reference against free notifications cancelled by hand: whoever cancels the
// notice between two components, a reference that still names one of them keeps hearing of its
// freeing and reads nothing afterwards, never the freed component.
#include <gtest/gtest.h>

#include "classlib/classes/ComponentRef.h"

using namespace cl;

namespace {

class THolder : public TComponent {
public:
    using TComponent::TComponent;
    TComponentRef<TComponent> target{this};

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        target.Forget(AComponent, Operation);
    }
};

}  // namespace

TEST(ComponentRefNotices, ANoticeCancelledByHandStillReachesTheReference)
{
    // Cancelled from the holder's side and from the target's, before and after a hand-made
    // request of its own.
    for (const int way : {0, 1, 2}) {
        auto* holder = new THolder(nullptr);
        auto* target = new TComponent(nullptr);
        holder->target.Set(target);
        if (way == 2)
            holder->FreeNotification(target);
        if (way == 1)
            target->RemoveFreeNotification(holder);
        else
            holder->RemoveFreeNotification(target);
        EXPECT_TRUE(target->ComponentState().Contains(csFreeNotification)) << way;
        target->Free();
        EXPECT_EQ(holder->target.Get(), nullptr) << way;
        holder->Free();
    }
}

TEST(ComponentRefNotices, ATargetThatNamesItsHolderKeepsTheNoticeWhenTheHolderLetsGo)
{
    // Each names the other; one letting go must not silence the other's reference.
    auto* a = new THolder(nullptr);
    auto* b = new THolder(nullptr);
    a->target.Set(b);
    b->target.Set(a);
    a->target.Set(nullptr);
    a->Free();
    EXPECT_EQ(b->target.Get(), nullptr);
    b->Free();
}

TEST(ComponentRefNotices, WithoutAReferenceAHandMadeCancelEndsTheNotice)
{
    auto* holder = new THolder(nullptr);
    auto* watched = new TComponent(nullptr);
    holder->FreeNotification(watched);
    holder->RemoveFreeNotification(watched);
    EXPECT_FALSE(watched->ComponentState().Contains(csFreeNotification));
    EXPECT_FALSE(holder->ComponentState().Contains(csFreeNotification));

    // The reference let go and the hand-made request was cancelled: nothing is left to hear.
    holder->target.Set(watched);
    holder->FreeNotification(watched);
    holder->target.Set(nullptr);
    holder->RemoveFreeNotification(watched);
    EXPECT_FALSE(watched->ComponentState().Contains(csFreeNotification));
    watched->Free();
    holder->Free();
}
