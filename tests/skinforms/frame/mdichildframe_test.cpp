// An MDI child's frame as a user meets it: the system menu that a right click on its tab opens,
// maximized and not, and its magnetic edges while its caption is dragged in the MDI client.
#include "skinforms/frame/mdi_support.h"

#include "classlib/menus/Menus.h"

namespace {

using namespace mditest;

// Right click on a tab: the rows of the menu it opens, each as its name and its key.
std::vector<std::string> TabMenuRows(TMdiScene& Scene, int Tab)
{
    Scene.tabs->ArrangeTabs();
    const TRect r = Scene.tabs->Tabs(Tab)->ObjectRect;
    const TPoint p = Scene.tabs->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    frametest::ClickAtScreen(p.X, p.Y, mbRight);
    std::vector<std::string> rows;
    TskSkinMenu* menu = Scene.frame->SkinMenu();
    if (!menu->Visible || menu->LevelCount() < 1) {
        frametest::ParkPointer();
        return rows;
    }
    TskSkinPopupWindow* level = menu->Levels(0);
    for (int i = 0; i < level->ItemCount(); ++i) {
        TMenuItem* item = level->Items(i)->MenuItem;
        if (item && !item->IsLine())
            rows.push_back(item->Name() + (item->ShortCut() ? " " + ShortCutToText(item->ShortCut()) : ""));
    }
    menu->CloseAll();
    frametest::ParkPointer();
    return rows;
}

}  // namespace

TEST(MDIChildFrame, AChildsSystemMenuClosesWithCtrlF4AndOffersNoRollUpWhileMaximized)
{
    TMdiScene scene;
    scene.Show();
    scene.AddChild("Alpha");
    TMdiChildForm* beta = scene.AddChild("Beta");
    EXPECT_EQ(TabMenuRows(scene, 1),
              (std::vector<std::string>{"BSF_MINITEM", "BSF_MAXITEM", "BSF_ROLLUP", "BSF_CLOSE Ctrl+F4"}));
    ShowWindow(beta->Handle(), SW_MAXIMIZE);
    Application->ProcessMessages();
    EXPECT_EQ(TabMenuRows(scene, 1),
              (std::vector<std::string>{"BSF_MINITEM", "BSF_RESTORE", "BSF_CLOSE Ctrl+F4"}));
}

TEST(MDIChildFrame, ADraggedChildSnapsToTheEdgesOfTheMDIClient)
{
    TMdiScene scene;
    scene.Show();
    TskSkinFrame* frame = nullptr;
    TMdiChildForm* child = scene.AddChild("Alpha", &frame);
    frame->Magnetic = true;
    const RECT client = scene.ClientRect();
    // Two steps of the caption bring the child's right and bottom edges 3 or 4 pixels short of
    // the client's.
    const int dx = (client.right - 3 - child->Left() - child->Width()) / 2;
    const int dy = (client.bottom - 3 - child->Top() - child->Height()) / 2;
    RECT w{};
    GetWindowRect(child->Handle(), &w);
    frametest::TRealDrag drag{child->Handle(), {w.left + 60, w.top + 8}, dx, dy, 2, false};
    EXPECT_TRUE(drag.Run()) << drag.Failure;
    EXPECT_EQ(child->Left(), client.right - child->Width());
    EXPECT_EQ(child->Top(), client.bottom - child->Height());
}
