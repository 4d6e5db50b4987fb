// A caption accelerator on a real form: the push button and the check box take the focus and
// then click or toggle, only for their own letter and only while they may take the focus; one
// that taking the focus frees does nothing afterwards.
#include "skin/controls/support.h"

#include "skin/controls/Button.h"
#include "skin/controls/CheckRadioBox.h"

using namespace controltest;

namespace {

struct Accelerator : ::testing::Test {
    visual_test::TClockScope clock;
    skctrltest::TTestForm form;
    // Holds the focus before the accelerator, so that taking it is a change.
    TskSkinButton* other = Add<TskSkinButton>(10, 60, "Other");
    int clicks = 0;

    template <class C>
    C* Add(int X, int Y, const std::string& Caption)
    {
        auto* c = new C(form.Form);
        c->SetParent(form.Form);
        c->SetBounds(X, Y, 120, 25);
        c->SetCaption(Caption);
        c->OnClick = [this](TObject*) { ++clicks; };
        return c;
    }
    void SetUp() override
    {
        form.Form->Show();
        other->SetFocus();
        ASSERT_TRUE(other->Focused());
    }
    LRESULT Char(TWinControl* C, char Key) { return C->Perform(CM_DIALOGCHAR, static_cast<WPARAM>(Key), 0); }
};

}  // namespace

TEST_F(Accelerator, TheButtonTakesTheFocusAndClicksForItsOwnLetterOnly)
{
    auto* button = Add<TskSkinButton>(10, 10, "&Go");
    EXPECT_EQ(Char(button, 'x'), 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(other->Focused());

    EXPECT_NE(Char(button, 'g'), 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(button->Focused());

    // One that may not take the focus leaves the letter to others.
    other->SetFocus();
    button->SetCanFocused(false);
    EXPECT_EQ(Char(button, 'g'), 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(other->Focused());
}

TEST_F(Accelerator, TheCheckBoxTakesTheFocusAndTogglesForItsOwnLetterOnly)
{
    auto* box = Add<TskSkinCheckRadioBox>(10, 10, "&Loud");
    EXPECT_EQ(Char(box, 'x'), 0);
    EXPECT_FALSE(box->Checked());

    EXPECT_NE(Char(box, 'L'), 0);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(box->Focused());
    EXPECT_NE(Char(box, 'l'), 0);
    EXPECT_FALSE(box->Checked());

    other->SetFocus();
    box->SetCanFocused(false);
    EXPECT_EQ(Char(box, 'l'), 0);
    EXPECT_FALSE(box->Checked());
    EXPECT_TRUE(other->Focused());
}

TEST_F(Accelerator, AControlFreedByTakingTheFocusDoesNotActAfterwards)
{
    visual_test::TCaughtExceptions caught;
    auto* button = Add<TskSkinButton>(10, 10, "&Go");
    auto* box = Add<TskSkinCheckRadioBox>(10, 35, "&Loud");
    // The focused control's exit frees the one the accelerator names.
    TWinControl* doomed = button;
    other->OnExit = [&](TObject*) { doomed->Free(); };
    EXPECT_NE(Char(button, 'g'), 0);
    other->SetFocus();
    doomed = box;
    EXPECT_NE(Char(box, 'l'), 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(caught.Messages.empty());
    EXPECT_EQ(form.Form->ControlCount(), 1);
}
