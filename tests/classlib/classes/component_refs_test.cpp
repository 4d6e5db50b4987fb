// References between components that do not own each other: each is cleared when its target is
// freed, and a target taken back out is no longer watched.
#include <gtest/gtest.h>

#include "classlib/menus/ActnList.h"
#include "classlib/stdctrls/ComCtrls.h"
#include "classlib/graphics/ImgList.h"
#include "classlib/menus/Menus.h"
#include "classlib/stdctrls/StdCtrls.h"

using namespace cl;

TEST(ComponentRefs, EachReferenceIsClearedWhenItsTargetIsFreed)
{
    auto* label = new TLabel(nullptr);
    auto* tabs = new TTabControl(nullptr);
    auto* actions = new TActionList(nullptr);
    auto* menu = new TPopupMenu(nullptr);
    auto* action = new TAction(nullptr);

    auto* edit = new TEdit(nullptr);
    label->SetFocusControl(edit);
    auto* images = new TImageList(nullptr);
    tabs->SetImages(images);
    actions->SetImages(images);
    menu->SetImages(images);
    auto* component = new TComponent(nullptr);
    action->SetActionComponent(component);
    ASSERT_EQ(label->FocusControl(), edit);
    ASSERT_EQ(tabs->Images(), images);
    ASSERT_EQ(actions->Images(), images);
    ASSERT_EQ(menu->Images(), images);
    ASSERT_EQ(action->ActionComponent(), component);

    edit->Free();
    images->Free();
    component->Free();
    EXPECT_EQ(label->FocusControl(), nullptr);
    EXPECT_EQ(tabs->Images(), nullptr);
    EXPECT_EQ(actions->Images(), nullptr);
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_EQ(action->ActionComponent(), nullptr);

    action->Free();
    menu->Free();
    actions->Free();
    tabs->Free();
    label->Free();
}

TEST(ComponentRefs, OnlyTheTargetsRemovalClearsTheReference)
{
    auto* label = new TLabel(nullptr);
    auto* edit = new TEdit(nullptr);
    label->SetFocusControl(edit);
    // The label hears of the removal of every component it owns.
    auto* owned = new TComponent(label);
    owned->Free();
    EXPECT_EQ(label->FocusControl(), edit);
    label->Free();
    edit->Free();
}

namespace {

// A holder with two references that may name the same target.
class TTwoRefs : public TComponent {
public:
    using TComponent::TComponent;
    TComponentRef<TComponent> first{this};
    TComponentRef<TComponent> second{this};

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        first.Forget(AComponent, Operation);
        second.Forget(AComponent, Operation);
    }
};

}  // namespace

TEST(ComponentRefs, AReferenceLettingGoKeepsTheNoticeAnotherOfItsHolderNeeds)
{
    // Reset to nothing and moved to another target: either way the other reference still names
    // the first target and must hear of its freeing.
    for (const bool moveAway : {false, true}) {
        auto* holder = new TTwoRefs(nullptr);
        auto* target = new TComponent(nullptr);
        auto* other = new TComponent(nullptr);
        holder->first.Set(target);
        holder->second.Set(target);
        holder->first.Set(moveAway ? other : nullptr);
        target->Free();
        EXPECT_EQ(holder->second.Get(), nullptr) << "moved away: " << moveAway;
        EXPECT_EQ(holder->first.Get(), moveAway ? other : nullptr);

        // Once the last reference lets go, the target is no longer watched.
        auto* last = new TComponent(nullptr);
        holder->second.Set(last);
        holder->second.Set(nullptr);
        EXPECT_FALSE(last->ComponentState().Contains(csFreeNotification));
        last->Free();
        holder->Free();
        other->Free();
    }
}
