// An open skinned menu of the active MDI child's frame closes when the user turns to the MDI
// form itself: a press on its caption, the form cancelled or moved.
#include "skinforms/frame/mdi_support.h"

namespace {

using namespace mditest;

struct TChildMenuScene : TMdiScene {
    TskSkinFrame* childFrame = nullptr;
    TMdiChildForm* child = nullptr;
    TChildMenuScene()
    {
        Show();
        child = AddChild("Alpha", &childFrame);
    }
    bool OpenChildMenu()
    {
        childFrame->OpenSystemMenu(Rect(300, 300, 300, 300));
        Application->ProcessMessages();
        return childFrame->SkinMenu()->Visible && childFrame->InSkinMenu();
    }
    bool ChildMenuClosed() { return !childFrame->SkinMenu()->Visible && !childFrame->InSkinMenu(); }
};

}  // namespace

TEST(MDIChildMenus, APressOnTheMDIFormsCaptionClosesTheActiveChildsMenu)
{
    TChildMenuScene scene;
    ASSERT_EQ(scene.Active(), scene.child);
    ASSERT_TRUE(scene.OpenChildMenu());
    RECT r{};
    GetWindowRect(scene.main->Handle(), &r);
    ClickAtScreen(r.left + 60, r.top + 8);
    EXPECT_TRUE(scene.ChildMenuClosed());
}

TEST(MDIChildMenus, TheMDIFormsClosingMessagesCloseTheActiveChildsMenu)
{
    TChildMenuScene scene;
    ASSERT_TRUE(scene.OpenChildMenu());
    SendMessageA(scene.main->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_TRUE(scene.ChildMenuClosed());
    ASSERT_TRUE(scene.OpenChildMenu());
    scene.main->SetBounds(scene.main->Left() + 10, scene.main->Top(), scene.main->Width(), scene.main->Height());
    Application->ProcessMessages();
    EXPECT_TRUE(scene.ChildMenuClosed());
}

