// An open skinned menu of the active MDI child's frame closes when the user turns to the MDI
// form itself: a press on its caption, the form cancelled or moved.
#include "skinforms/mdi_support.h"

namespace {

using namespace mditest;

// A real press and release of the left button at a screen point, pumped until handled.
void ClickAtScreen(int X, int Y)
{
    SetCursorPos(X, Y);
    for (int i = 0; i < 200; ++i) {
        POINT now{};
        GetCursorPos(&now);
        if (now.x == X && now.y == Y)
            break;
        Sleep(1);
    }
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    for (int i = 0; i < 200 && (GetAsyncKeyState(VK_LBUTTON) < 0 || GetQueueStatus(QS_MOUSEBUTTON)); ++i) {
        Sleep(2);
        Application->ProcessMessages();
    }
    Application->ProcessMessages();
}

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

