// The MDI form's window list: an item per shown child under the main form's window menu, the
// active child's item checked, and a chosen item bringing its child to the front, opened and
// chosen through the menu bar's skinned drop-down with real keys.
#include "skinforms/frame/mdi_support.h"
#include "skinforms/frame/WindowList.h"

namespace {

using namespace mditest;

struct TWindowListScene : TMdiScene {
    TMenuItem* window = menu->Items()->Items(0);

    TWindowListScene()
    {
        main->SetWindowMenu(window);
        Show();
    }
    // The window menu's captions after its own command, each marked "*" when checked.
    std::string ListCaptions()
    {
        std::string s;
        for (int i = 1; i < window->Count(); ++i)
            s += (s.empty() ? "" : ",") + std::string(window->Items(i)->Caption()) +
                 (window->Items(i)->Checked() ? "*" : "");
        return s;
    }
    // Exactly one item is checked, the active child's.
    bool MarksOnlyTheActiveChild()
    {
        int checked = 0;
        for (int i = 1; i < window->Count(); ++i) {
            auto* item = dynamic_cast<TskMDIWindowListItem*>(window->Items(i));
            if (!item || item->Checked() != (item->Child() == Active()))
                return false;
            checked += item->Checked();
        }
        return checked == 1;
    }
    TskMDIWindowListItem* ListItem(int Index) { return dynamic_cast<TskMDIWindowListItem*>(window->Items(Index + 1)); }
    // The window menu dropped from the bar.
    void OpenWindowMenu()
    {
        bar->Repaint();
        Application->ProcessMessages();
        const TRect r = bar->Objects(bar->SysButtonCount())->ObjectRect;
        const LPARAM at = MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, at);
        Application->ProcessMessages();
    }
    TskSkinPopupWindow* OpenLevel() { return frame->SkinMenu()->Visible ? frame->SkinMenu()->Levels(0) : nullptr; }
    // Keys go through the application's loop, where the open menu takes them.
    void Key(WORD VKey, int Times = 1)
    {
        for (int i = 0; i < Times; ++i) {
            PostMessageA(main->Handle(), WM_KEYDOWN, VKey, 1);
            Application->ProcessMessages();
        }
    }
};

TEST(MDIWindowList, EachShownChildIsListedAndTheActiveOneChecked)
{
    TWindowListScene scene;
    EXPECT_EQ(scene.window->Count(), 1);
    TMdiChildForm* a = scene.AddChild("Alpha");
    TMdiChildForm* b = scene.AddChild("Beta");
    TMdiChildForm* c = scene.AddChild("Gamma");
    EXPECT_EQ(scene.ListCaptions(), "Alpha,Beta,Gamma*");
    EXPECT_EQ(scene.ListItem(0)->Name(), "_BSFCHILDITEM");
    EXPECT_EQ(scene.ListItem(2)->Child(), c);
    // Activation by other means moves the mark.
    scene.ClickTab(0);
    EXPECT_EQ(scene.Active(), a);
    EXPECT_EQ(scene.ListCaptions(), "Alpha*,Beta,Gamma");
    scene.main->Next();
    Application->ProcessMessages();
    EXPECT_NE(scene.Active(), a);
    EXPECT_TRUE(scene.MarksOnlyTheActiveChild());
    // A renamed child renames its item.
    b->SetCaption("Bravo");
    EXPECT_EQ(scene.ListItem(1)->Caption(), "Bravo");
    // A hidden child leaves the list and comes back at its end when shown again.
    b->Hide();
    Application->ProcessMessages();
    EXPECT_EQ(scene.window->Count(), 3);
    b->Show();
    Application->ProcessMessages();
    EXPECT_EQ(scene.ListItem(2)->Child(), b);
    EXPECT_TRUE(scene.MarksOnlyTheActiveChild());
    // A freed child takes its item along and the next active child gets the mark.
    b->Free();
    Application->ProcessMessages();
    EXPECT_EQ(scene.window->Count(), 3);
    ASSERT_NE(scene.Active(), nullptr);
    EXPECT_TRUE(scene.MarksOnlyTheActiveChild());
    // Without a window menu nothing is listed.
    scene.main->SetWindowMenu(nullptr);
    scene.AddChild("Delta");
    EXPECT_EQ(scene.window->Count(), 3);
}

// Children without names (or with equal ones) are told apart by the items themselves.
TEST(MDIWindowList, ChoosingAnItemBringsItsOwnChildForwardAndRestoresAMinimizedOne)
{
    TWindowListScene scene;
    TskSkinFrame* af = nullptr;
    TMdiChildForm* a = scene.AddChild("Alpha", &af);
    TMdiChildForm* b = scene.AddChild("Beta");
    scene.AddChild("Gamma");
    ASSERT_EQ(a->Name(), b->Name());
    scene.OpenWindowMenu();
    ASSERT_NE(scene.OpenLevel(), nullptr);
    EXPECT_EQ(scene.OpenLevel()->ItemCount(), 4);
    // Cascade, Alpha, Beta: the third row.
    scene.Key(VK_DOWN, 2);
    scene.Key(VK_RETURN);
    EXPECT_FALSE(scene.frame->SkinMenu()->Visible);
    EXPECT_EQ(scene.Active(), b);
    EXPECT_EQ(scene.ListCaptions(), "Alpha,Beta*,Gamma");

    ShowWindow(a->Handle(), SW_MINIMIZE);
    Application->ProcessMessages();
    ASSERT_EQ(af->WindowState, fwsMinimized);
    scene.OpenWindowMenu();
    scene.Key(VK_DOWN);
    scene.Key(VK_RETURN);
    EXPECT_EQ(scene.Active(), a);
    EXPECT_FALSE(IsIconic(a->Handle()));
    EXPECT_EQ(af->WindowState, fwsNormal);
    EXPECT_EQ(scene.ListCaptions(), "Alpha*,Beta,Gamma");
}

// More children than the screen has room for: the drop-down takes the screen's height and
// scrolls, and the last child is reached by wrapping upwards.
TEST(MDIWindowList, AListTallerThanTheScreenScrollsAndReachesItsLastChild)
{
    TWindowListScene scene;
    const int screen = GetSystemMetrics(SM_CYSCREEN);
    const int count = screen / 20 + 5;
    std::vector<TMdiChildForm*> children;
    for (int i = 0; i < count; ++i)
        children.push_back(scene.AddChild("Child " + std::to_string(i + 1)));
    EXPECT_EQ(scene.window->Count(), count + 1);
    ShowMDIChild(children.front());
    Application->ProcessMessages();
    scene.OpenWindowMenu();
    TskSkinPopupWindow* level = scene.OpenLevel();
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->ItemCount(), count + 1);
    EXPECT_TRUE(level->Scroll);
    RECT r{};
    GetWindowRect(level->Handle(), &r);
    EXPECT_LE(r.bottom - r.top, screen);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.bottom, screen);
    scene.Key(VK_UP);
    EXPECT_EQ(level->ActiveItem, count);
    scene.Key(VK_RETURN);
    EXPECT_EQ(scene.Active(), children.back());
    EXPECT_TRUE(scene.ListItem(count - 1)->Checked());
    EXPECT_FALSE(scene.ListItem(0)->Checked());
}

TEST(MDIWindowList, TheWindowMenuFreedBeforeItsChildrenLeavesThemSound)
{
    TWindowListScene scene;
    TMdiChildForm* a = scene.AddChild("Alpha");
    scene.AddChild("Beta");
    scene.window->Free();
    EXPECT_EQ(scene.main->WindowMenu(), nullptr);
    a->SetCaption("Renamed");
    a->Hide();
    a->Show();
    a->Free();
    Application->ProcessMessages();
    EXPECT_EQ(scene.main->MDIChildCount(), 1);
}

}  // namespace
