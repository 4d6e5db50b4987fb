// MDI forms of the class library: the client window, the children it holds and activates, its
// arrangements, and a child made where no MDI form exists.
#include <gtest/gtest.h>

#include "classlib/system/CoreConsts.h"
#include "classlib/controls/Forms.h"
#include "classlib/controls/support.h"

namespace {

using namespace cl;

class TMdiForm : public TForm {
public:
    explicit TMdiForm(TComponent* AOwner) : TForm(AOwner)
    {
        SetFormStyle(fsMDIForm);
        SetBounds(40, 40, 500, 360);
    }
};

class TMdiChild : public TForm {
public:
    explicit TMdiChild(TComponent* AOwner) : TForm(AOwner) { SetFormStyle(fsMDIChild); }
};

struct TMdiForms : ::testing::Test {
    visual_test::TCaughtExceptions caught;
    TMdiForm* main = new TMdiForm(nullptr);
    void SetUp() override
    {
        main->Show();
        Application->ProcessMessages();
    }
    void TearDown() override
    {
        main->Free();
        Application->ProcessMessages();
    }
    TMdiChild* Child(const char* Caption, int X)
    {
        auto* child = new TMdiChild(main);
        child->SetBounds(X, X, 180, 120);
        child->SetCaption(Caption);
        child->Show();
        Application->ProcessMessages();
        return child;
    }
};

TEST_F(TMdiForms, TheClientHoldsTheChildrenFrontFirstAndActivatesThemInTurn)
{
    ASSERT_NE(main->ClientHandle(), nullptr);
    EXPECT_EQ(GetParent(main->ClientHandle()), main->Handle());
    EXPECT_EQ(main->ActiveMDIChild(), nullptr);
    EXPECT_EQ(main->MDIChildren(0), nullptr);
    TMdiChild* a = Child("a", 0);
    TMdiChild* b = Child("b", 30);
    EXPECT_EQ(GetParent(a->Handle()), main->ClientHandle());
    EXPECT_TRUE(GetWindowLongA(a->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
    EXPECT_EQ(main->MDIChildCount(), 2);
    EXPECT_EQ(main->ActiveMDIChild(), b);
    EXPECT_EQ(main->MDIChildren(0), b);
    EXPECT_EQ(main->MDIChildren(1), a);
    EXPECT_EQ(main->MDIChildren(2), nullptr);
    EXPECT_EQ(main->MDIChildren(-1), nullptr);
    main->Next();
    Application->ProcessMessages();
    EXPECT_EQ(main->ActiveMDIChild(), a);
    main->Previous();
    Application->ProcessMessages();
    EXPECT_EQ(main->ActiveMDIChild(), b);
    // A child's own messages reach the platform's child procedure: it maximizes in the client.
    ShowWindow(a->Handle(), SW_MAXIMIZE);
    Application->ProcessMessages();
    EXPECT_TRUE(IsZoomed(a->Handle()));
    EXPECT_EQ(main->ActiveMDIChild(), a);
    ShowWindow(a->Handle(), SW_RESTORE);
    // Freed, a child leaves the client.
    a->Free();
    Application->ProcessMessages();
    EXPECT_EQ(main->MDIChildCount(), 1);
    EXPECT_EQ(main->ActiveMDIChild(), b);
    // Other forms have no client and no children.
    TForm plain(nullptr);
    EXPECT_EQ(plain.ClientHandle(), nullptr);
    EXPECT_EQ(plain.MDIChildCount(), 0);
    EXPECT_EQ(plain.ActiveMDIChild(), nullptr);
    EXPECT_TRUE(caught.Messages.empty());
}

TEST_F(TMdiForms, TileAndCascadeArrangeTheChildrenInTheClient)
{
    TMdiChild* a = Child("a", 5);
    TMdiChild* b = Child("b", 5);
    RECT client{};
    GetClientRect(main->ClientHandle(), &client);
    main->Tile();
    Application->ProcessMessages();
    // Side by side or one above the other, together covering the client without overlap.
    const RECT ra{a->Left(), a->Top(), a->Left() + a->Width(), a->Top() + a->Height()};
    const RECT rb{b->Left(), b->Top(), b->Left() + b->Width(), b->Top() + b->Height()};
    RECT overlap{};
    EXPECT_FALSE(IntersectRect(&overlap, &ra, &rb));
    const int area = client.right * client.bottom;
    EXPECT_GT((ra.right - ra.left) * (ra.bottom - ra.top) * 100, area * 45);
    EXPECT_GT((rb.right - rb.left) * (rb.bottom - rb.top) * 100, area * 45);
    main->Cascade();
    Application->ProcessMessages();
    EXPECT_NE(a->Left(), b->Left());
    EXPECT_NE(a->Top(), b->Top());
}

TEST_F(TMdiForms, TheClientFillsWhatTheAlignedControlsLeave)
{
    auto* top = new visual_test::TPanelProbe(main);
    top->SetAlign(alTop);
    top->SetHeight(30);
    top->SetParent(main);
    auto* left = new visual_test::TPanelProbe(main);
    left->SetAlign(alLeft);
    left->SetWidth(40);
    left->SetParent(main);
    Application->ProcessMessages();
    RECT r{};
    GetWindowRect(main->ClientHandle(), &r);
    POINT tl{r.left, r.top};
    ScreenToClient(main->Handle(), &tl);
    EXPECT_EQ(tl.x, 40);
    EXPECT_EQ(tl.y, 30);
    EXPECT_EQ(r.right - r.left, main->ClientWidth() - 40);
    EXPECT_EQ(r.bottom - r.top, main->ClientHeight() - 30);
    // And again when the form changes size.
    main->SetBounds(main->Left(), main->Top(), 420, 300);
    Application->ProcessMessages();
    GetWindowRect(main->ClientHandle(), &r);
    EXPECT_EQ(r.right - r.left, main->ClientWidth() - 40);
    EXPECT_EQ(r.bottom - r.top, main->ClientHeight() - 30);
    top->SetVisible(false);
    Application->ProcessMessages();
    GetWindowRect(main->ClientHandle(), &r);
    EXPECT_EQ(r.bottom - r.top, main->ClientHeight());
}

TEST(MdiFormsWithout, AChildWithoutAnMDIFormIsRefusedPlainly)
{
    auto* child = new TMdiChild(nullptr);
    try {
        child->HandleNeeded();
        ADD_FAILURE() << "made";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), consts::SNoMDIForm);
    }
    EXPECT_FALSE(child->HandleAllocated());
    child->Free();
}

}  // namespace
