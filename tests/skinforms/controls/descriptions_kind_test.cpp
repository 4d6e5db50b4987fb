// The edit, the tab control and the standard label take the description of their name only
// when it is of their own kind: one of another kind, an empty skin or none leaves them in their
// default look.
#include "skin/bases/support.h"

#include "skin/data/Controls.h"
#include "skin/controls/StdLabel.h"
#include "skinforms/controls/Edit.h"
#include "skinforms/controls/Tabs.h"

using namespace cl;
using namespace sk;

namespace {

template <class TControl, class TDescription>
struct TKind {
    using Control = TControl;
    using Description = TDescription;
};

template <class T>
struct DescriptionKind : ::testing::Test {};

using Kinds = ::testing::Types<TKind<TskSkinEdit, TskDataSkinEditControl>,
                               TKind<TskSkinTabControl, TskDataSkinTabControl>,
                               TKind<TskSkinStdLabel, TskDataSkinStdLabelControl>>;
TYPED_TEST_SUITE(DescriptionKind, Kinds);

}  // namespace

TYPED_TEST(DescriptionKind, OnlyADescriptionOfTheControlsOwnKindIsTaken)
{
    skctrltest::TTestForm form;
    skctrltest::TTestSkin other;
    skctrltest::TTestSkin own;
    auto* c = new typename TypeParam::Control(form.Form);
    c->SetParent(form.Form);
    c->SetSkinDataName("probe");

    other.Add<TskDataSkinPanelControl>("probe");
    c->SetSkinData(other.Data);
    c->GetSkinData();
    EXPECT_EQ(c->DescriptionIndex(), -1) << "a panel's description under the control's name";

    own.Add<TskDataSkinPanelControl>("another");
    own.Add<typename TypeParam::Description>("probe");
    c->SetSkinData(own.Data);
    c->GetSkinData();
    EXPECT_EQ(c->DescriptionIndex(), 1);

    own.Data->Empty = true;
    c->GetSkinData();
    EXPECT_EQ(c->DescriptionIndex(), -1) << "an empty skin";
    c->SetSkinData(nullptr);
    c->GetSkinData();
    EXPECT_EQ(c->DescriptionIndex(), -1) << "no skin";
}
