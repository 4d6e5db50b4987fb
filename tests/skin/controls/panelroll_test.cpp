// Both kinds of roll-up panel: a rolled panel drops its size constraints and takes them back
// when it rolls down, and a child that left the panel while it was rolled stays where it went.
#include "skin/controls/support.h"

#include "skin/controls/ExPanel.h"
#include "skin/controls/Panel.h"

using namespace controltest;

namespace {

template <class TPanel>
struct PanelRoll : ::testing::Test {
    skctrltest::TTestForm form;
    TPanel* panel = nullptr;
    TPanel* stays = nullptr;
    TPanel* leaves = nullptr;
    void SetUp() override
    {
        panel = new TPanel(form.Form);
        panel->SetParent(form.Form);
        panel->SetBounds(10, 10, 200, 300);
        stays = Child(0);
        leaves = Child(40);
    }
    TPanel* Child(int Top)
    {
        auto* c = new TPanel(form.Form);
        c->SetParent(panel);
        c->SetBounds(0, Top, 20, 20);
        return c;
    }
    void Roll(bool Up)
    {
        if constexpr (std::is_same_v<TPanel, TskSkinPanel>)
            panel->SetRollUpState(Up);
        else
            panel->SetRollState(Up);
    }
};

using Panels = ::testing::Types<TskSkinPanel, TskSkinExPanel>;
TYPED_TEST_SUITE(PanelRoll, Panels);

}  // namespace

TYPED_TEST(PanelRoll, TheConstraintsStandAsideWhileRolledAndAChildThatLeftIsNotShownAgain)
{
    if constexpr (std::is_same_v<TypeParam, TskSkinPanel>) {
        this->panel->SetCaptionMode(true);
        this->panel->SetRollUpMode(true);
    }
    this->panel->Constraints()->SetMinHeight(250);
    this->Roll(true);
    EXPECT_LT(this->panel->Height(), 30) << "the minimum height does not hold a rolled panel open";
    EXPECT_EQ(this->panel->Constraints()->MinHeight(), 0);
    EXPECT_FALSE(this->stays->Visible());
    EXPECT_FALSE(this->leaves->Visible());
    this->leaves->SetParent(this->form.Form);

    this->Roll(false);
    EXPECT_EQ(this->panel->Height(), 300);
    EXPECT_EQ(this->panel->Constraints()->MinHeight(), 250);
    this->panel->SetHeight(100);
    EXPECT_EQ(this->panel->Height(), 250) << "the constraints hold again";
    EXPECT_TRUE(this->stays->Visible());
    EXPECT_FALSE(this->leaves->Visible()) << "only the children still on the panel come back";
}

// A panel outside roll-up mode that never rolled keeps the constraints its user gave it; one that
// rolled up before its mode was switched off gets its own back.
TEST(PanelRollUpState, OutsideRollUpModeOnlyARolledPanelTakesBackItsConstraints)
{
    skctrltest::TTestForm form;
    auto* panel = new TskSkinPanel(form.Form);
    panel->SetParent(form.Form);
    panel->SetBounds(10, 10, 200, 300);
    panel->SetCaptionMode(true);
    panel->Constraints()->SetMinHeight(120);
    panel->Constraints()->SetMaxWidth(400);
    panel->SetRollUpState(true);
    EXPECT_FALSE(panel->RollUpState());
    EXPECT_EQ(panel->Constraints()->MinHeight(), 120) << "nothing was put aside to come back";
    EXPECT_EQ(panel->Constraints()->MaxWidth(), 400);

    // Rolled and unrolled once, then given new constraints: the old ones are spent.
    panel->SetRollUpMode(true);
    panel->SetRollUpState(true);
    panel->SetRollUpState(false);
    panel->SetRollUpMode(false);
    panel->Constraints()->SetMinHeight(150);
    panel->SetRollUpState(true);
    EXPECT_EQ(panel->Constraints()->MinHeight(), 150);
    EXPECT_EQ(panel->Height(), 300);

    // Rolled up, then the mode switched off: leaving the rolled state brings its constraints back.
    panel->SetRollUpMode(true);
    panel->SetRollUpState(true);
    EXPECT_EQ(panel->Constraints()->MinHeight(), 0);
    panel->SetRollUpMode(false);
    panel->SetRollUpState(false);
    EXPECT_FALSE(panel->RollUpState());
    EXPECT_EQ(panel->Height(), 300);
    EXPECT_EQ(panel->Constraints()->MinHeight(), 150);
    EXPECT_EQ(panel->Constraints()->MaxWidth(), 400);
}
