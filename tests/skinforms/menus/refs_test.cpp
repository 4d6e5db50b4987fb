// The components a skinned menu names but does not own, none of them in the menu's own tree of
// owners: each is forgotten the moment it is freed, also while the menu is open and after two of
// the menu's references named the same component.
#include "skinforms/menus/support.h"

namespace {

using namespace menutest;

TEST(SkinMenuReferences, AControlFreedWhileTheMenuIsOpenForItIsForgottenAtOnce)
{
    TMenuScene scene;
    skctrltest::TTestSkin skin;
    scene.frame->Skin = skin.Data;
    scene.AddItems(2);
    auto* probe = new visual_test::TProbe(nullptr);
    probe->SetParent(scene.form.Form);
    scene.popup->PopupForControl(probe, 100, 100);
    ASSERT_EQ(scene.Levels(), 1);
    ASSERT_EQ(scene.Menu()->PopupControl(), probe);
    probe->Free();
    EXPECT_EQ(scene.Menu()->NotifyControl(), nullptr);
    EXPECT_EQ(scene.Menu()->PopupControl(), nullptr);
    scene.Key(VK_ESCAPE);
    EXPECT_EQ(scene.Levels(), 0);

    // Closed, the menu goes on naming the control it reports to, which it named twice while
    // it closed: freeing the control still clears it.
    auto* told = new visual_test::TProbe(nullptr);
    told->SetParent(scene.form.Form);
    scene.popup->PopupForControl(told, 100, 100);
    scene.Key(VK_ESCAPE);
    ASSERT_EQ(scene.Levels(), 0);
    ASSERT_EQ(scene.Menu()->NotifyControl(), told);
    told->Free();
    EXPECT_EQ(scene.Menu()->NotifyControl(), nullptr);
}

TEST(SkinMenuReferences, ThePopupMenuForgetsItsFreedSkinDataAndForm)
{
    TMenuScene scene;
    auto* owner = new TComponent(nullptr);
    auto* skin = new TskSkinData(owner);
    auto* other = new TForm(owner);
    scene.popup->SetSkinData(skin);
    scene.popup->SetComponentForm(other);
    skin->Free();
    EXPECT_EQ(scene.popup->SkinData(), nullptr);
    EXPECT_EQ(scene.popup->ComponentForm(), other);
    other->Free();
    EXPECT_EQ(scene.popup->ComponentForm(), nullptr);
    owner->Free();
}

}  // namespace
