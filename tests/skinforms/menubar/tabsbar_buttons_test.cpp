// The MDI tabs bar's button kind: each child's tab drawn as the skin's resizable button in its
// state (pressed for the active child, lit under the mouse), on real windows and into memory.
#include "skin/bases/support.h"
#include "skinforms/frame/mdi_support.h"

namespace {

using namespace mditest;

constexpr TColor TabFace = 0x00A000;
constexpr TColor ActiveTabFace = 0x0060FF;
constexpr TColor Border = 0x202020;
constexpr TColor Normal = 0xC0C0C0;
constexpr TColor Lit = 0xFFC0C0;
constexpr TColor Pressed = 0x8080FF;

// One picture: the tab faces at the left, the button's three 30 by 21 faces at (40, 0), (40,
// 21) and (40, 42), each a flat centre inside a 3-pixel border.
struct TButtonTabsScene : TMdiScene {
    skctrltest::TTestSkin skin;
    TskDataSkinButtonControl* button = nullptr;

    TButtonTabsScene()
    {
        TBitmap* p = skin.Picture();
        p->SetSize(80, 63);
        p->Fill(0x302010);
        skctrltest::FillZone(p, TabFace, 0, 0, 30, 21);
        skctrltest::FillZone(p, ActiveTabFace, 0, 21, 30, 42);
        const TColor faces[] = {Normal, Lit, Pressed};
        for (int i = 0; i < 3; ++i) {
            skctrltest::FillZone(p, Border, 40, 21 * i, 70, 21 * i + 21);
            skctrltest::FillZone(p, faces[i], 43, 21 * i + 3, 67, 21 * i + 18);
        }
        auto* tab = skin.Add<TskDataSkinTabControl>("tab");
        tab->PictureIndex = 0;
        tab->TabRect = cl::Rect(0, 0, 30, 21);
        tab->ActiveTabRect = cl::Rect(0, 21, 30, 42);
        tab->TabStretchEffect = true;
        button = skin.Add<TskDataSkinButtonControl>("resizebutton");
        button->PictureIndex = 0;
        button->SkinRect = cl::Rect(40, 0, 70, 21);
        button->ActiveSkinRect = cl::Rect(40, 21, 70, 42);
        button->DownSkinRect = cl::Rect(40, 42, 70, 63);
        button->LTPoint = {3, 3};
        button->RTPoint = {27, 3};
        button->LBPoint = {3, 18};
        button->RBPoint = {27, 18};
        button->ClRect = cl::Rect(3, 3, 27, 18);
        tabs->SetSkinData(skin.Data);
        tabs->SetTabKind(sktkButton);
        Show();
    }
    // Before the scene frees its form: the tabs bar lets go of the skin first.
    ~TButtonTabsScene() { tabs->SetSkinData(nullptr); }
    std::unique_ptr<TBitmap> Shot() { return skctrltest::Snapshot(tabs); }
    TRect TabRect(int Index)
    {
        tabs->ArrangeTabs();
        return tabs->Tabs(Index)->ObjectRect;
    }
    // Inside the tab's left end, clear of its caption.
    TColor FaceOf(TBitmap& B, int Index) { return B.Canvas()->Pixels(TabRect(Index).Left + 5, TabRect(Index).Top + 5); }
};

TEST(MDITabButtons, EachTabIsTheSkinsButtonPressedForTheActiveChildAndKeepsItsBorderAtBothEnds)
{
    TButtonTabsScene scene;
    scene.AddChild("Alpha");
    scene.AddChild("Beta");
    EXPECT_EQ(scene.tabs->Height(), 21);
    auto b = scene.Shot();
    EXPECT_EQ(scene.FaceOf(*b, 0), Normal);
    EXPECT_EQ(scene.FaceOf(*b, 1), Pressed);
    // The button is stretched in nine parts: its border stays at both ends of a wide tab.
    const TRect r = scene.TabRect(0);
    ASSERT_GT(r.Width(), 60);
    EXPECT_EQ(b->Canvas()->Pixels(r.Left + 1, r.Top + 1), Border);
    EXPECT_EQ(b->Canvas()->Pixels(r.Right - 2, r.Bottom - 2), Border);
    EXPECT_EQ(b->Canvas()->Pixels(r.Right - 5, r.Top + 5), Normal);
    // Under the mouse an inactive tab lights; the active one stays pressed.
    const LPARAM over = MAKELPARAM(r.Left + 5, r.Top + 5);
    SendMessageA(scene.tabs->Handle(), WM_MOUSEMOVE, 0, over);
    b = scene.Shot();
    EXPECT_EQ(scene.FaceOf(*b, 0), Lit);
    EXPECT_EQ(scene.FaceOf(*b, 1), Pressed);
    scene.ClickTab(0);
    b = scene.Shot();
    EXPECT_EQ(scene.FaceOf(*b, 0), Pressed);
    EXPECT_EQ(scene.FaceOf(*b, 1), Normal);
}

TEST(MDITabButtons, TheTabKindDrawsTabsAndASkinWithoutAButtonKeepsTheTabs)
{
    TButtonTabsScene scene;
    scene.AddChild("Alpha");
    scene.AddChild("Beta");
    scene.tabs->SetTabKind(sktkTab);
    auto b = scene.Shot();
    EXPECT_EQ(scene.FaceOf(*b, 0), TabFace);
    EXPECT_EQ(scene.FaceOf(*b, 1), ActiveTabFace);
    // Back to buttons, then a skin that has no button to draw them with.
    scene.tabs->SetTabKind(sktkButton);
    EXPECT_EQ(scene.FaceOf(*scene.Shot(), 1), Pressed);
    scene.button->IDName = "anotherbutton";
    b = scene.Shot();
    EXPECT_EQ(scene.FaceOf(*b, 0), TabFace);
    EXPECT_EQ(scene.FaceOf(*b, 1), ActiveTabFace);
    // Without a skin both kinds use the built-in look.
    scene.tabs->SetSkinData(nullptr);
    b = scene.Shot();
    EXPECT_EQ(scene.FaceOf(*b, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(scene.FaceOf(*b, 1), TColor(0xB59385));
}

}  // namespace
