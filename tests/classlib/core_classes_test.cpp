// Classes: component ownership and notification, streams, string lists.
#include <gtest/gtest.h>

#include "classlib/Classes.h"

using namespace cl;

namespace {

std::vector<std::string>* gLog = nullptr;

class TProbe : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* Ref = nullptr;
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        if (gLog && Operation == opRemove)
            gLog->push_back(Name() + " told " + AComponent->Name() + " goes");
        if (Operation == opRemove && AComponent == Ref)
            Ref = nullptr;
        TComponent::Notification(AComponent, Operation);
    }
};

}  // namespace

TEST(CoreClasses, OwnerFreesLastFirstAndNotifies)
{
    std::vector<std::string> log;
    gLog = &log;
    auto* form = new TProbe(nullptr);
    form->SetName("Form");
    auto* a = new TProbe(form);
    a->SetName("A");
    auto* b = new TProbe(form);
    b->SetName("B");
    auto* outside = new TProbe(nullptr);
    outside->SetName("Outside");
    outside->Ref = b;
    b->FreeNotification(outside);
    EXPECT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(form->Components(0), a);
    EXPECT_EQ(form->FindComponent("b"), b);
    form->Free();
    EXPECT_EQ(outside->Ref, nullptr);
    ASSERT_FALSE(log.empty());
    // B (created last) goes first: its owner forwards to B and A; then the outside partner.
    EXPECT_EQ(log[0], "Form told B goes");
    outside->Free();
    gLog = nullptr;
}

TEST(CoreClasses, FreeRemovesFromOwner)
{
    TComponent owner(nullptr);
    auto* c = new TComponent(&owner);
    EXPECT_EQ(owner.ComponentCount(), 1);
    c->Free();
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(CoreClasses, ReadBufferRaisesAtEnd)
{
    TMemoryStream s;
    s.WriteString("abc");
    s.SetPosition(0);
    char buf[8];
    EXPECT_THROW(s.ReadBuffer(buf, 4), EReadError);
}

TEST(CoreClasses, StringListNamesValues)
{
    TStringList l;
    l.SetText("Key = 1\r\nname=Two=2\nplain\r\n");
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(l.Values("NAME"), "Two=2");
    EXPECT_EQ(l.IndexOfName("key "), 0);
    EXPECT_EQ(l.IndexOfName("key"), -1);
    EXPECT_EQ(l.Text(), "Key = 1\r\nname=Two=2\r\nplain\r\n");
}
