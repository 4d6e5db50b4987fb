// The frame on an MDI form and its children, the tabs bar and the menu bar's child buttons, on
// real windows.
#include "skinforms/frame/mdi_support.h"

namespace {

using namespace mditest;

TEST(MDITabsLayout, TabsShareTheBarUpToTheirWidthAndTheLastOneTakesTheRest)
{
    auto widths = [](int W, int N) {
        std::vector<int> w;
        for (const TRect& r : LayoutMDITabs(W, 21, N, 100))
            w.push_back(r.Width());
        return w;
    };
    EXPECT_EQ(widths(150, 3), (std::vector<int>{50, 50, 50}));
    EXPECT_EQ(widths(300, 1), (std::vector<int>{100}));
    EXPECT_EQ(widths(150, 4), (std::vector<int>{37, 37, 37, 39}));
    EXPECT_TRUE(LayoutMDITabs(150, 21, 0, 100).empty());
    EXPECT_EQ(LayoutMDITabs(150, 21, 2, 100)[1], cl::Rect(75, 0, 150, 21));
}

TEST(MDIFrame, AnMDIFormWithNoChildrenShowsItsClientBelowItsBars)
{
    TMdiScene scene;
    scene.Show();
    ASSERT_NE(scene.Client(), nullptr);
    char name[32]{};
    GetClassNameA(scene.Client(), name, sizeof(name));
    EXPECT_STREQ(name, "MDIClient");
    EXPECT_EQ(scene.main->MDIChildCount(), 0);
    EXPECT_EQ(scene.Active(), nullptr);
    EXPECT_EQ(GetActiveMDIChildSkinForm(), nullptr);
    EXPECT_EQ(GetMaximizeMDIChild(), nullptr);
    EXPECT_EQ(scene.tabs->TabCount(), 0);
    // The client starts below the menu bar and the tabs bar and fills the rest.
    RECT r{};
    GetWindowRect(scene.Client(), &r);
    POINT tl{r.left, r.top};
    ScreenToClient(scene.main->Handle(), &tl);
    EXPECT_EQ(tl.y, scene.bar->Height() + scene.tabs->Height());
    EXPECT_EQ(tl.x, 0);
    EXPECT_EQ(r.right - r.left, scene.main->ClientWidth());
    EXPECT_EQ(tl.y + (r.bottom - r.top), scene.main->ClientHeight());
    // No border of its own: its client is its whole window.
    const RECT c = scene.ClientRect();
    EXPECT_EQ(c.right, r.right - r.left);
    // Without a skin the client shows the application workspace colour.
    TBitmap b;
    b.SetSize(c.right, c.bottom);
    SendMessageA(scene.Client(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0);
    EXPECT_EQ(b.Canvas()->Pixels(5, 5), ColorToRGB(clAppWorkSpace));
    // Arrangements and the keys that need children do nothing without them.
    scene.main->Cascade();
    scene.main->Tile();
    scene.main->Next();
    scene.tabs->UpdateActiveTab();
    scene.bar->MDIChildRestore();
    EXPECT_EQ(scene.bar->SysButtonCount(), 0);
}

TEST(MDIFrame, EachShownChildGetsATabThatFollowsActivationAndCaption)
{
    TMdiScene scene;
    scene.Show();
    TMdiChildForm* a = scene.AddChild("Alpha");
    TMdiChildForm* b = scene.AddChild("Beta");
    TMdiChildForm* c = scene.AddChild("Gamma");
    EXPECT_EQ(scene.main->MDIChildCount(), 3);
    EXPECT_EQ(scene.TabCaptions(), "Alpha,Beta,Gamma");
    EXPECT_EQ(scene.Active(), c);
    EXPECT_TRUE(scene.tabs->Tabs(2)->Active);
    EXPECT_FALSE(scene.tabs->Tabs(0)->Active);
    EXPECT_EQ(GetActiveMDIChildSkinForm(), GetFormSkinComponent(c));
    // A left press on a tab brings its child to the front.
    scene.ClickTab(0);
    EXPECT_EQ(scene.Active(), a);
    EXPECT_TRUE(scene.tabs->Tabs(0)->Active);
    EXPECT_FALSE(scene.tabs->Tabs(2)->Active);
    // The class library's own switch moves the mark too.
    scene.main->Next();
    Application->ProcessMessages();
    EXPECT_NE(scene.Active(), a);
    EXPECT_TRUE(scene.tabs->Tabs(scene.tabs->IndexOfChild(scene.Active()))->Active);
    // A hidden child loses its tab, shown again it gets one at the end.
    b->Hide();
    Application->ProcessMessages();
    EXPECT_EQ(scene.TabCaptions(), "Alpha,Gamma");
    b->Show();
    Application->ProcessMessages();
    EXPECT_EQ(scene.TabCaptions(), "Alpha,Gamma,Beta");
    // Three tabs of 560 - frame: each 100 wide, the default look fills the active one.
    scene.tabs->ArrangeTabs();
    EXPECT_EQ(scene.tabs->Tabs(0)->ObjectRect.Width(), 100);
    scene.ClickTab(1);
    auto shot = skctrltest::Snapshot(scene.tabs);
    const TRect r = scene.tabs->Tabs(1)->ObjectRect;
    EXPECT_EQ(shot->Canvas()->Pixels(r.Left + 2, r.Top + 2), 0xB59385);
    // The caption stands on the fill: no outline colour behind its letters.
    int outlineInside = 0;
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
        for (int x = r.Left + 1; x < r.Right - 1; ++x)
            outlineInside += shot->Canvas()->Pixels(x, y) == ColorToRGB(clBtnShadow);
    EXPECT_EQ(outlineInside, 0);
    const TRect other = scene.tabs->Tabs(0)->ObjectRect;
    EXPECT_EQ(shot->Canvas()->Pixels(other.Left + 2, other.Top + 2), ColorToRGB(clBtnFace));
}

TEST(MDIFrame, AMaximizedChildFillsTheClientWithoutFrameAndLendsTheBarItsButtons)
{
    TMdiScene scene;
    scene.Show();
    TskSkinFrame* af = nullptr;
    TskSkinFrame* bf = nullptr;
    scene.AddChild("Alpha", &af);
    TMdiChildForm* b = scene.AddChild("Beta", &bf);
    bf->SetBorderIcons({sk::biSystemMenu, sk::biMaximize});
    ShowWindow(b->Handle(), SW_MAXIMIZE);
    Application->ProcessMessages();
    EXPECT_EQ(bf->WindowState, fwsMaximized);
    EXPECT_EQ(GetMaximizeMDIChild(), bf);
    // The platform's frame procedure names the child in the main form's caption, which the
    // frame paints.
    EXPECT_EQ(std::string(scene.main->Caption()), "Main - [Beta]");
    b->SetCaption("Beta 2");
    EXPECT_EQ(std::string(scene.main->Caption()), "Main - [Beta 2]");
    const RECT c = scene.ClientRect();
    EXPECT_EQ(b->Left(), 0);
    EXPECT_EQ(b->Top(), 0);
    EXPECT_EQ(b->Width(), c.right);
    EXPECT_EQ(b->Height(), c.bottom);
    EXPECT_EQ(b->ClientWidth(), c.right);
    EXPECT_EQ(b->ClientHeight(), c.bottom);
    // The bar: system menu at the left, close, restore, minimize from the right; a child that
    // cannot be minimized gets a disabled minimize button.
    ASSERT_EQ(scene.bar->SysButtonCount(), 4);
    auto button = [&](int I) { return static_cast<TskSkinMainMenuBarButton*>(scene.bar->Objects(I)); };
    EXPECT_EQ(button(0)->Command, mbcSysMenu);
    EXPECT_EQ(button(1)->Command, mbcClose);
    EXPECT_EQ(button(2)->Command, mbcRestore);
    EXPECT_EQ(button(3)->Command, mbcMinimize);
    EXPECT_FALSE(button(3)->Enabled);
    EXPECT_TRUE(button(0)->Enabled);
    scene.bar->Repaint();
    Application->ProcessMessages();
    EXPECT_EQ(button(0)->ObjectRect.Left, 2);
    EXPECT_EQ(button(1)->ObjectRect.Right, scene.bar->Width() - 2);
    EXPECT_LT(button(2)->ObjectRect.Right, button(1)->ObjectRect.Left);
    // The main window grows with the client: the child follows.
    scene.main->SetWidth(scene.main->Width() + 40);
    Application->ProcessMessages();
    EXPECT_EQ(b->Width(), scene.ClientRect().right);
    // Restore on the bar gives the child its frame back and takes the buttons away.
    const TRect restore = button(2)->ObjectRect;
    const LPARAM at = MAKELPARAM((restore.Left + restore.Right) / 2, (restore.Top + restore.Bottom) / 2);
    SendMessageA(scene.bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(scene.bar->Handle(), WM_LBUTTONUP, 0, at);
    Application->ProcessMessages();
    EXPECT_EQ(bf->WindowState, fwsNormal);
    EXPECT_EQ(GetMaximizeMDIChild(), nullptr);
    EXPECT_EQ(std::string(scene.main->Caption()), "Main");
    EXPECT_EQ(scene.bar->SysButtonCount(), 0);
    EXPECT_LT(b->Width(), scene.ClientRect().right);
    EXPECT_LT(b->ClientWidth(), b->Width());
}

TEST(MDIFrame, AChildsOwnCaptionButtonsMaximizeAndRestoreItInTheClient)
{
    TMdiScene scene;
    scene.Show();
    TskSkinFrame* af = nullptr;
    TMdiChildForm* a = scene.AddChild("Alpha", &af);
    int maximized = 0;
    af->OnMaximize = [&](TObject*) { ++maximized; };
    af->DoMaximize();
    Application->ProcessMessages();
    EXPECT_TRUE(IsZoomed(a->Handle()));
    EXPECT_EQ(af->WindowState, fwsMaximized);
    EXPECT_EQ(maximized, 1);
    EXPECT_EQ(a->Left(), 0);
    EXPECT_EQ(a->Width(), scene.ClientRect().right);
    EXPECT_EQ(scene.bar->SysButtonCount(), 4);
    EXPECT_TRUE(scene.frame->ChildMaximized());
    af->DoMaximize();
    Application->ProcessMessages();
    EXPECT_FALSE(IsZoomed(a->Handle()));
    EXPECT_EQ(af->WindowState, fwsNormal);
    EXPECT_EQ(scene.bar->SysButtonCount(), 0);
    EXPECT_FALSE(scene.frame->ChildMaximized());
    af->DoMinimize();
    Application->ProcessMessages();
    EXPECT_TRUE(IsIconic(a->Handle()));
    EXPECT_EQ(af->WindowState, fwsMinimized);
    // Inside the client, not on the desktop's work area.
    EXPECT_EQ(GetParent(a->Handle()), scene.Client());
}

TEST(MDIFrame, ClosingAChildFromItsOwnTabsMenuLeavesTheOthersAndTheBarsSound)
{
    TMdiScene scene;
    scene.Show();
    TMdiChildForm* a = scene.AddChild("Alpha");
    TMdiChildForm* b = scene.AddChild("Beta");
    b->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
    scene.AddChild("Gamma");
    // The right button on Beta's tab opens Beta's system menu through the main form's frame.
    scene.ClickTab(1, mbRight);
    ASSERT_TRUE(scene.frame->SkinMenu()->Visible);
    TskSkinPopupWindow* level = scene.frame->SkinMenu()->Levels(0);
    int close = -1;
    for (int i = 0; i < level->ItemCount(); ++i)
        if (level->Items(i)->MenuItem && level->Items(i)->MenuItem->Name() == "BSF_CLOSE")
            close = i;
    ASSERT_GE(close, 0);
    // The pointer rests on Beta's tab: it is hot when its child goes.
    scene.tabs->Tabs(1)->MouseIn = true;
    scene.tabs->ActiveTab = 1;
    const TRect row = level->Items(close)->ObjectRect;
    SendMessageA(level->Handle(), WM_LBUTTONUP, 0, MAKELPARAM((row.Left + row.Right) / 2, (row.Top + row.Bottom) / 2));
    // Freed later, once the menu's code has returned.
    for (int i = 0; i < 20 && scene.main->MDIChildCount() == 3; ++i)
        Application->ProcessMessages();
    EXPECT_EQ(scene.main->MDIChildCount(), 2);
    EXPECT_EQ(scene.TabCaptions(), "Alpha,Gamma");
    EXPECT_EQ(scene.Log(), "leave Beta");
    EXPECT_EQ(scene.tabs->ActiveTab, -1);
    EXPECT_FALSE(scene.frame->SkinMenu()->Visible);
    EXPECT_FALSE(scene.frame->InSkinMenu());
    EXPECT_NE(scene.Active(), nullptr);
    EXPECT_TRUE(scene.tabs->Tabs(scene.tabs->IndexOfChild(scene.Active()))->Active);
    // The bars still work.
    scene.ClickTab(0);
    EXPECT_EQ(scene.Active(), a);
    scene.tabs->Repaint();
    Application->ProcessMessages();
}

TEST(MDIFrame, AMaximizedChildClosedPassesItsStateOnOrGivesTheBarItsItemsBack)
{
    TMdiScene scene;
    scene.Show();
    TskSkinFrame* af = nullptr;
    TMdiChildForm* a = scene.AddChild("Alpha", &af);
    TMdiChildForm* b = scene.AddChild("Beta");
    b->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
    ShowWindow(b->Handle(), SW_MAXIMIZE);
    Application->ProcessMessages();
    ASSERT_EQ(scene.bar->SysButtonCount(), 4);
    // Close on the bar.
    scene.bar->Repaint();
    const TRect close = scene.bar->Objects(1)->ObjectRect;
    const LPARAM at = MAKELPARAM((close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2);
    SendMessageA(scene.bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(scene.bar->Handle(), WM_LBUTTONUP, 0, at);
    for (int i = 0; i < 20 && scene.main->MDIChildCount() == 2; ++i)
        Application->ProcessMessages();
    EXPECT_EQ(scene.main->MDIChildCount(), 1);
    EXPECT_EQ(scene.TabCaptions(), "Alpha");
    // The platform maximizes the child it activates next: the bar keeps the buttons, for it.
    EXPECT_EQ(scene.Active(), a);
    EXPECT_EQ(GetMaximizeMDIChild(), af);
    EXPECT_EQ(scene.bar->SysButtonCount(), 4);
    // The last maximized child freed: the bar shows its items alone again.
    a->Free();
    Application->ProcessMessages();
    EXPECT_EQ(scene.main->MDIChildCount(), 0);
    EXPECT_EQ(GetMaximizeMDIChild(), nullptr);
    EXPECT_FALSE(scene.frame->ChildMaximized());
    EXPECT_EQ(scene.bar->SysButtonCount(), 0);
    EXPECT_EQ(scene.bar->ObjectCount(), 1);
    EXPECT_EQ(scene.tabs->TabCount(), 0);
}

TEST(MDIFrame, DraggingATabMovesItAndADropWhereItBeganMovesNothing)
{
    TMdiScene scene;
    scene.Show();
    scene.AddChild("Alpha");
    scene.AddChild("Beta");
    scene.AddChild("Gamma");
    scene.tabs->ArrangeTabs();
    const HWND w = scene.tabs->Handle();
    const int y = 10;
    // Alpha (0..100) dragged right by 120: its right edge passes Beta's and Gamma's middles? Only
    // Beta's (150); Gamma's middle is 250.
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, y));
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(170, y));
    EXPECT_TRUE(scene.tabs->Dragging());
    EXPECT_EQ(scene.tabs->DropIndex(), 1);
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(170, y));
    EXPECT_EQ(scene.TabCaptions(), "Beta,Alpha,Gamma");
    // Back and forth to where it began.
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, y));
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, y));
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, y));
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(250, y));
    EXPECT_EQ(scene.TabCaptions(), "Beta,Alpha,Gamma");
    // Gamma dragged far left lands first.
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, y));
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, y));
    EXPECT_EQ(scene.tabs->DropIndex(), 0);
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(20, y));
    EXPECT_EQ(scene.TabCaptions(), "Gamma,Beta,Alpha");
}

TEST(MDIFrame, ClickingAMinimizedChildsTabRestoresIt)
{
    TMdiScene scene;
    scene.Show();
    TskSkinFrame* af = nullptr;
    TMdiChildForm* a = scene.AddChild("Alpha", &af);
    scene.AddChild("Beta");
    ShowWindow(a->Handle(), SW_MINIMIZE);
    Application->ProcessMessages();
    EXPECT_TRUE(IsIconic(a->Handle()));
    EXPECT_EQ(af->WindowState, fwsMinimized);
    scene.ClickTab(scene.tabs->IndexOfChild(a));
    EXPECT_FALSE(IsIconic(a->Handle()));
    EXPECT_EQ(af->WindowState, fwsNormal);
    EXPECT_EQ(scene.Active(), a);
}

TEST(MDIFrame, AChildsMainMenuIsMergedIntoTheBarByGroup)
{
    TMdiScene scene;
    scene.Show();
    scene.menu->Items()->Items(0)->SetGroupIndex(9);
    auto* file = new TMenuItem(scene.menu);
    file->SetCaption("&File");
    scene.menu->Items()->Insert(0, file);
    // The child's menu is made before its window, as a form's components are.
    TMdiChildForm* a = new TMdiChildForm(scene.main);
    a->SetCaption("Alpha");
    auto* childMenu = new TMainMenu(a);
    auto* edit = new TMenuItem(childMenu);
    edit->SetCaption("&Edit");
    edit->SetGroupIndex(1);
    childMenu->Items()->Add(edit);
    new TskSkinFrame(a);
    a->Show();
    Application->ProcessMessages();
    ASSERT_EQ(scene.Active(), a);
    EXPECT_TRUE(scene.bar->ChildMenuMerged());
    EXPECT_FALSE(scene.bar->ScrollMenu);
    std::string captions;
    for (int i = 0; i < scene.bar->ObjectCount(); ++i)
        captions += static_cast<TskSkinMainMenuBarItem*>(scene.bar->Objects(i))->MenuItem->Caption() + " ";
    EXPECT_EQ(captions, "&File &Edit &Window ");
    // With the child gone, the main menu alone again.
    a->Free();
    Application->ProcessMessages();
    EXPECT_EQ(scene.bar->ObjectCount(), 2);
    EXPECT_FALSE(scene.bar->ChildMenuMerged());
}

}  // namespace
