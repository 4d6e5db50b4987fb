// Every skinned control of every program window draws from the program's one skin data, and
// finds its description there: walked over every control of every window once the skin has
// changed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/stdctrls/Image.h"
#include "radio/forms/MainWindowTestSupport.h"
#include "radio/forms/About.h"
#include "radio/forms/Loading.h"
#include "radio/forms/LumraAccount.h"
#include "radio/forms/Options.h"
#include "radio/forms/RadioSmall.h"
#include "radio/forms/Splash.h"
#include "skin/data/User.h"
#include "skinforms/controls/Tabs.h"

using namespace mainwin_test;

namespace {

// Every control at any depth that the window itself owns: the parts of a composite control
// (a combo box's edit and list) belong to that control and draw from its skin.
void CollectControls(cl::TControl* Control, cl::TComponent* Window, std::vector<cl::TControl*>& Out)
{
    if (Control->Owner() == Window)
        Out.push_back(Control);
    if (auto* parent = dynamic_cast<cl::TWinControl*>(Control))
        for (int i = 0; i < parent->ControlCount(); ++i)
            CollectControls(parent->Controls(i), Window, Out);
}

// What draws the control from a skin: the control itself, or for a page its page control.
sk::TskSkinDataUser* SkinnedBy(cl::TControl* Control)
{
    if (auto* page = dynamic_cast<sk::TskSkinCustomTabSheet*>(Control))
        return dynamic_cast<sk::TskSkinDataUser*>(page->PageControl());
    return dynamic_cast<sk::TskSkinDataUser*>(Control);
}

// The category buttons have no description of their own: they read the named ones as they
// paint.
bool DescribedWhilePainting(cl::TControl* Control) { return dynamic_cast<TskSkinCategoryButtons*>(Control) != nullptr; }

// The splash and about windows show the product picture, which no skin draws.
bool PlainByDesign(cl::TControl* Control) { return dynamic_cast<cl::TImage*>(Control) != nullptr; }

}  // namespace

TEST(ProgramSkinning, EverySkinnedControlOfEveryWindowDrawsFromTheProgramsSkinAfterASkinChange)
{
    TMainWindowScene scene;
    scene.Create();
    TfrmRadioMain* main = scene.form;
    sk::TskSkinData* data = main->skSkinData1;
    // The other windows, made as the program makes them when the user first asks for them.
    auto* options = new TfrmOptions(main, data);
    auto* account = new TfrmLumraAccount(main);
    account->SetSkinData(data);
    auto* compact = new TfrmRadioSmallForm(main);
    compact->SetSkinData(data);
    auto* about = new TfrmAbout(main);
    auto* splash = new TfrmSplash(main);
    scene.ClickStation("A");
    ASSERT_NE(main->frmLoading, nullptr);

    ASSERT_TRUE(main->SetStoredSkin(main->SkinList[33]));
    ASSERT_FALSE(data->Empty);
    for (cl::TForm* window : std::vector<cl::TForm*>{main, options, account, compact, main->frmLoading, about, splash}) {
        std::vector<cl::TControl*> controls;
        CollectControls(window, window, controls);
        for (cl::TControl* c : controls) {
            const std::string where = window->Caption() + ": " + c->ClassName() + " \"" + c->Name() + "\"";
            if (sk::TskSkinDataUser* skinned = SkinnedBy(c)) {
                EXPECT_EQ(skinned->SkinData(), data) << where;
                if (!DescribedWhilePainting(c)) {
                    EXPECT_NE(skinned->DescriptionIndex(), -1) << where << " draws its default look";
                }
            } else {
                EXPECT_TRUE(PlainByDesign(c)) << where << " has no skin";
            }
        }
    }
}
