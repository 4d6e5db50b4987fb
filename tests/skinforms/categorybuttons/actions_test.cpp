// Buttons of the category-buttons control that carry actions: the hint offered to the action,
// clicks and Enter through the action's handler, and buttons letting go of a freed action.
#include "skinforms/categorybuttons/support.h"

#include "classlib/controls/HintWindow.h"

using namespace cl;
using namespace cattest;

namespace {

struct CategoryButtonActions : ::testing::Test, TCategoryScene {
    // The action's handler, with an identity as a form's method would have.
    std::vector<TObject*> executedBy;
    void Execute(TObject* Sender) { executedBy.push_back(Sender); }

    std::pair<LRESULT, THintInfo> Hint(TPoint P)
    {
        THintInfo info;
        info.CursorPos = P;
        const LRESULT r = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
        return {r, info};
    }
};

}  // namespace

TEST_F(CategoryButtonActions, TheHintIsOfferedToTheButtonsAction)
{
    Fill({3});
    TAction action(nullptr);
    int asked = 0;
    action.OnHint = [&](AnsiString& HintStr, bool&) {
        ++asked;
        HintStr = "[" + HintStr + "]";
    };
    Button(0, 0)->SetAction(&action);
    Button(0, 0)->SetHint("hint");
    Button(0, 1)->SetAction(&action);
    Button(0, 1)->SetCaption("caption");
    EXPECT_EQ(Hint(Centre(Button(0, 0))).second.HintStr, "[hint]");
    EXPECT_EQ(Hint(Centre(Button(0, 1))).second.HintStr, "[caption]") << "the caption stands in for an empty hint";
    EXPECT_EQ(Hint(Centre(Button(0, 2))).second.HintStr, "c0b2") << "a button without an action";
    EXPECT_EQ(asked, 2);

    control->OnGetHint = [](TObject*, TskButtonItem*, TskButtonCategory*, std::string& HintStr, bool& Handled) {
        HintStr = "from the control";
        Handled = true;
    };
    auto [r, info] = Hint(Centre(Button(0, 0)));
    EXPECT_EQ(r, 0);
    EXPECT_EQ(info.HintStr, "from the control");
    EXPECT_EQ(info.CursorRect, control->GetButtonRect(Button(0, 0)));
    EXPECT_EQ(asked, 2) << "a handled hint is not offered to the action";
}

TEST_F(CategoryButtonActions, AClickAndEnterRunTheActionsHandlerInsteadOfOnButtonClicked)
{
    Fill({3});
    TAction action(nullptr);
    action.SetCaption("Play");
    action.SetOnExecute(TNotifyEvent(this, &CategoryButtonActions::Execute));
    Button(0, 1)->SetAction(&action);
    Log();
    Click(Centre(Button(0, 1)));
    EXPECT_EQ(Log(), "select Play; click");
    EXPECT_EQ(executedBy, std::vector<TObject*>{control}) << "the handler hears of the control";
    Key(VK_RETURN);
    EXPECT_EQ(Log(), "") << "Enter runs the handler, not the control's OnClick";
    EXPECT_EQ(executedBy.size(), 2u);

    // An action without a handler leaves the button to OnButtonClicked.
    TAction quiet(nullptr);
    quiet.SetCaption("Quiet");
    Button(0, 2)->SetAction(&quiet);
    Click(Centre(Button(0, 2)));
    EXPECT_EQ(Log(), "select Quiet; button Quiet; click");
    // Given a handler later, the button takes it.
    quiet.SetOnExecute(TNotifyEvent(this, &CategoryButtonActions::Execute));
    Key(VK_RETURN);
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(executedBy.size(), 3u);
}

TEST_F(CategoryButtonActions, AFreedActionIsLetGoByEveryButtonThatUsedIt)
{
    Fill({2, 2}, false);
    // One action of nobody (a free notification) and one of the form (its owner tells).
    auto* loose = new TAction(nullptr);
    loose->SetCaption("Loose");
    auto* owned = new TAction(form.Form);
    owned->SetCaption("Owned");
    Button(0, 0)->SetAction(loose);
    Button(1, 1)->SetAction(loose);
    Button(0, 1)->SetAction(owned);
    Button(1, 0)->SetAction(owned);
    Button(1, 0)->SetAction(nullptr);
    loose->Free();
    EXPECT_EQ(Button(0, 0)->ActionLink(), nullptr);
    EXPECT_EQ(Button(1, 1)->ActionLink(), nullptr);
    EXPECT_EQ(Button(0, 0)->Caption(), "Loose") << "what the button showed stays";
    EXPECT_EQ(Button(0, 1)->Action(), owned);
    owned->Free();
    EXPECT_EQ(Button(0, 1)->ActionLink(), nullptr);
    // Clicks and hints on the former buttons touch nothing freed.
    Click(Centre(Button(0, 0)));
    Key(VK_RETURN);
    EXPECT_EQ(Hint(Centre(Button(1, 1))).second.HintStr, "Loose");
}

TEST_F(CategoryButtonActions, AButtonFreedBeforeItsActionLeavesNoLinkBehind)
{
    Fill({2});
    TAction action(nullptr);
    action.SetCaption("Play");
    Button(0, 0)->SetAction(&action);
    Button(0, 1)->SetAction(&action);
    control->Categories()->Clear();
    action.SetCaption("Again");
    Fill({1});
    EXPECT_EQ(Button(0, 0)->Caption(), "c0b0");
}
