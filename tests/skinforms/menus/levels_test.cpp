// Sub-menus, scrolling levels, the skinned and the built-in look, and what happens when the
// menu's items, skin or form go away while it is open.
#include "skinforms/menus/support.h"
#include "skinforms/menus/skin.h"

#include "skin/drawing/Utils.h"
#include "support/LiveHandles.h"

namespace {

using namespace menutest;

// Moves the real pointer to a screen point and waits until the X server reports it there.
void PointAtScreen(TPoint P)
{
    SetCursorPos(P.X, P.Y);
    for (int i = 0; i < 200; ++i) {
        POINT now{};
        GetCursorPos(&now);
        if (now.x == P.X && now.y == P.Y)
            return;
        Sleep(5);
    }
}

TPoint RowCentre(TskSkinPopupWindow* Level, int Row)
{
    const TRect r = Level->Items(Row)->ObjectRect;
    return {Level->Left() + (r.Left + r.Right) / 2, Level->Top() + (r.Top + r.Bottom) / 2};
}

struct TSubMenuScene : TMenuScene {
    TMenuItem* parent;
    TSubMenuScene()
    {
        Add("a");
        parent = Add("sub");
        Add("s1", parent);
        Add("s2", parent);
        Add("b");
    }
};

TEST(SkinSubMenu, HoverOpensAfterTheDelayAndASiblingCancelsTheWait)
{
    TSubMenuScene scene;
    auto& time = scene.time;
    scene.Add("off")->SetEnabled(false);
    scene.popup->Popup(100, 100);
    TskSkinPopupWindow* level = scene.Level(0);
    scene.Log();
    PointAtScreen(RowCentre(level, 1));
    time.clock.Advance(MenuTrackInterval);
    EXPECT_EQ(level->ActiveItem, 1);
    time.clock.Advance(SubMenuDelay - 1);
    EXPECT_EQ(scene.Levels(), 1);
    time.clock.Advance(1);
    ASSERT_EQ(scene.Levels(), 2);
    EXPECT_EQ(scene.Log(), "click sub");
    EXPECT_TRUE(level->Items(1)->Down);
    // Beside the parent row, one pixel to its right, rows level with it.
    TskSkinPopupWindow* sub = scene.Level(1);
    EXPECT_EQ(sub->Left(), level->Left() + level->Items(1)->ObjectRect.Right + 1);
    EXPECT_EQ(sub->Top() + sub->ItemsRect.Top, level->Top() + level->Items(1)->ObjectRect.Top);
    // Onto a leaf sibling: the sub-menu closes at once.
    PointAtScreen(RowCentre(level, 2));
    time.clock.Advance(MenuTrackInterval);
    EXPECT_EQ(scene.Levels(), 1);
    EXPECT_FALSE(level->Items(1)->Down);

    // Back on the parent and away before the delay: nothing opens.
    PointAtScreen(RowCentre(level, 1));
    time.clock.Advance(MenuTrackInterval);
    time.clock.Advance(SubMenuDelay / 2);
    PointAtScreen(RowCentre(level, 0));
    time.clock.Advance(MenuTrackInterval);
    time.clock.Advance(SubMenuDelay * 2);
    EXPECT_EQ(scene.Levels(), 1);
    // Onto a disabled row, which does not become active: the wait ends all the same.
    PointAtScreen(RowCentre(level, 1));
    time.clock.Advance(MenuTrackInterval);
    time.clock.Advance(SubMenuDelay / 2);
    PointAtScreen(RowCentre(level, 3));
    time.clock.Advance(MenuTrackInterval);
    time.clock.Advance(SubMenuDelay * 2);
    EXPECT_EQ(scene.Levels(), 1);
    EXPECT_EQ(scene.Log(), "");
}

TEST(SkinSubMenu, RightAndEnterOpenAtOnceEscapeAndLeftCloseOneLevel)
{
    TSubMenuScene scene;
    scene.popup->Popup(100, 100);
    TskSkinPopupWindow* level = scene.Level(0);
    scene.Log();
    scene.Key(VK_DOWN);
    scene.Key(VK_RIGHT);
    ASSERT_EQ(scene.Levels(), 2);
    EXPECT_EQ(scene.Level(1)->ActiveItem, 0);
    EXPECT_EQ(scene.Log(), "click sub");
    // Clicking the parent row while its sub-menu is open does nothing.
    scene.ClickRow(0, 1);
    EXPECT_EQ(scene.Levels(), 2);
    EXPECT_EQ(scene.Log(), "");
    scene.Key(VK_ESCAPE);
    EXPECT_EQ(scene.Levels(), 1);
    EXPECT_TRUE(level->Items(1)->Active);
    EXPECT_FALSE(level->Items(1)->Down);
    EXPECT_TRUE(scene.frame->InMenuMode());
    scene.Key(VK_RETURN);
    EXPECT_EQ(scene.Levels(), 2);
    EXPECT_EQ(scene.Log(), "click sub");
    scene.Key(VK_LEFT);
    EXPECT_EQ(scene.Levels(), 1);
    // Left on the first level does nothing; a mnemonic of a parent opens it at once.
    scene.Key(VK_LEFT);
    EXPECT_EQ(scene.Levels(), 1);
    scene.parent->SetCaption("&sub");
    scene.Key('S');
    EXPECT_EQ(scene.Levels(), 2);
    // A leaf of the sub-menu closes everything and runs once.
    scene.Key(VK_DOWN);
    scene.Key(VK_RETURN);
    EXPECT_EQ(scene.Levels(), 0);
    EXPECT_EQ(scene.Log(), "click sub; menu close; form 1228; mode off; click s2");
}

TEST(SkinMenuScroll, TallerThanTheWorkAreaOpensAtItsTopAndScrollsRowByRow)
{
    TMenuScene scene;
    scene.Menu()->WorkAreaQuery = [] { return TRect{0, 0, 800, 600}; };
    scene.AddItems(40);
    scene.popup->Popup(100, 300);
    TskSkinPopupWindow* level = scene.Level(0);
    EXPECT_TRUE(level->Scroll);
    EXPECT_FALSE(level->ScrollByMax);
    EXPECT_EQ(level->Top(), 0);
    EXPECT_EQ(level->Height(), 600);
    // (600 - 4 - 2 markers of 10) / 20.
    EXPECT_EQ(level->VisibleCount, 28);
    EXPECT_EQ(level->ActiveItem, 0);
    for (int i = 0; i < 27; ++i)
        scene.Key(VK_DOWN);
    EXPECT_EQ(level->TopIndex, 0);
    scene.Key(VK_DOWN);
    EXPECT_EQ(level->ActiveItem, 28);
    EXPECT_EQ(level->TopIndex, 1);
    EXPECT_FALSE(level->Items(0)->Visible);
    EXPECT_TRUE(level->Items(28)->Visible);
    for (int i = 0; i < 11; ++i)
        scene.Key(VK_DOWN);
    EXPECT_EQ(level->ActiveItem, 39);
    EXPECT_EQ(level->TopIndex, 12);
    scene.Key(VK_DOWN);
    EXPECT_EQ(level->ActiveItem, 0);
    EXPECT_EQ(level->TopIndex, 0);
    scene.Key(VK_UP);
    EXPECT_EQ(level->ActiveItem, 39);
    EXPECT_EQ(level->TopIndex, 12);
    // The pointer on the upper marker: the tracking finds it, then a row every 100 ms.
    visual_test::PointAt(level, level->Width() / 2, 8);
    scene.time.clock.Advance(MenuTrackInterval);
    EXPECT_EQ(level->ScrollCode, 1);
    visual_test::ExpectStepsAt(scene.time.clock, [level] { return -level->TopIndex; }, {100, 200});
    EXPECT_EQ(level->TopIndex, 10);
    const TRect row = level->Items(20)->ObjectRect;
    visual_test::PointAt(level, level->Width() / 2, (row.Top + row.Bottom) / 2);
    scene.time.clock.Advance(MenuTrackInterval);
    EXPECT_EQ(level->ScrollCode, 0);
    scene.time.clock.Advance(200);
    EXPECT_EQ(level->TopIndex, 10) << "off the marker the scrolling stops";
    scene.Log();
    scene.ClickRow(0, 20);
    EXPECT_EQ(scene.Log(), "menu close; form 1228; mode off; click item20");
}

TEST(SkinMenuScroll, AnItemLimitShowsThatManyRowsPlacedLikeAnUnscrolledMenu)
{
    TMenuScene scene;
    scene.Menu()->MaxMenuItemsInWindow = 3;
    scene.AddItems(10);
    scene.popup->Popup(100, 300);
    TskSkinPopupWindow* level = scene.Level(0);
    EXPECT_EQ(level->Height(), 84);
    EXPECT_EQ(level->VisibleCount, 3);
    EXPECT_TRUE(level->ScrollByMax);
    EXPECT_EQ(level->Left(), 100);
    EXPECT_EQ(level->Top(), 300);
    scene.Key(VK_DOWN);
    scene.Key(VK_DOWN);
    scene.Key(VK_DOWN);
    EXPECT_EQ(level->TopIndex, 1);
    EXPECT_EQ(level->ActiveItem, 3);
}

// ---------------------------------------------------------------------------------------------
// Looks

TColor Rgb(TColor C) { return ColorToRGB(C); }

TEST(SkinMenuLook, BuiltInLookStripeRowsAndActiveRow)
{
    TMenuScene scene;
    scene.Add("a");
    scene.Add("-");
    scene.Add("b");
    scene.popup->Popup(100, 100);
    TskSkinPopupWindow* level = scene.Level(0);
    const auto shot = Snapshot(level);
    const int w = level->Width();
    EXPECT_EQ(shot->Pixels(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(shot->Pixels(1, 30), Rgb(clWindow));
    // The active first row: framed and filled.
    EXPECT_EQ(shot->Pixels(2, 2), Rgb(TColor(0x800000)));
    EXPECT_EQ(shot->Pixels(w - 6, 12), Rgb(TColor(0xD2BDB6)));
    // The separator: a line across from the stripe.
    EXPECT_EQ(shot->Pixels(w - 6, 22 + 2), Rgb(clBtnShadow));
    EXPECT_EQ(shot->Pixels(10, 22 + 2), Rgb(clBtnFace));
    // A normal row: stripe and window colour.
    EXPECT_EQ(shot->Pixels(10, 26 + 10), Rgb(clBtnFace));
    EXPECT_EQ(shot->Pixels(w - 6, 26 + 10), Rgb(clWindow));
}

TEST(SkinMenuLook, SkinnedFrameAndRowsFromTheDescriptions)
{
    TSkinnedMenuScene scene;
    scene.Add("a");
    scene.Add("-");
    scene.Add("b");
    scene.popup->Popup(100, 100);
    TskSkinPopupWindow* level = scene.Level(0);
    EXPECT_EQ(level->ItemsRect.Top, 4);
    // Frame 4 + rows 20 + 4 + 20 + frame 4.
    EXPECT_EQ(level->Height(), 52);
    const auto shot = Snapshot(level);
    const int w = level->Width();
    EXPECT_EQ(shot->Pixels(1, 1), Rgb(clRed));
    EXPECT_EQ(shot->Pixels(w - 2, level->Height() - 2), Rgb(clRed));
    EXPECT_EQ(shot->Pixels(w - 8, 4 + 10), Rgb(clYellow));
    EXPECT_EQ(shot->Pixels(w - 8, 24 + 2), Rgb(clGray));
    EXPECT_EQ(shot->Pixels(w - 8, 28 + 10), Rgb(clBlue));
    // The skin changes under the open menu without telling anyone: the next paint draws the
    // built-in look from what the level knows, nothing dangles.
    scene.skin.Data->ClearSkin();
    const auto after = Snapshot(level);
    EXPECT_EQ(after->Pixels(0, 0), Rgb(clBtnShadow));
    scene.Key(VK_DOWN);
    scene.Key(VK_ESCAPE);
    EXPECT_EQ(scene.Levels(), 0);
}

TEST(SkinMenuLook, AnnouncedSkinChangeClosesTheMenuAndAFreedSkinToo)
{
    TSkinnedMenuScene scene;
    scene.AddItems(3);
    scene.popup->Popup(100, 100);
    scene.Log();
    scene.skin.Data->BroadcastSkinMessage(WM_BEFORECHANGESKINDATA);
    EXPECT_EQ(scene.Levels(), 0);
    EXPECT_EQ(scene.Log(), "menu close; form 1228; mode off");

    scene.popup->Popup(100, 100);
    ASSERT_EQ(scene.Levels(), 1);
    scene.skin.Remove();
    scene.frame->Skin = nullptr;
    EXPECT_EQ(scene.Levels(), 0);
    EXPECT_EQ(scene.popup->SkinData(), nullptr);
    EXPECT_EQ(scene.Menu()->SkinData(), nullptr);
}

TEST(SkinMenuLook, LayeredAlphaOnlyWhereTheSystemIsOneOfItsVersions)
{
    TMenuScene scene;
    scene.AddItems(2);
    scene.Menu()->AlphaBlend = true;
    scene.popup->Popup(100, 100);
    EXPECT_FALSE(GetWindowLongPtrA(scene.Level(0)->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    SetWindowsVersionSource([]() -> DWORD { return 0x0105; });
    scene.Menu()->AlphaBlendAnimation = true;
    scene.Key(VK_ESCAPE);
    scene.popup->Popup(100, 100);
    SetWindowsVersionSource(nullptr);
    ASSERT_EQ(scene.Levels(), 1);
    HWND wnd = scene.Level(0)->Handle();
    EXPECT_TRUE(GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 150);
}

// ---------------------------------------------------------------------------------------------
// Things going away

TEST(SkinMenuLifetime, AMenuItemFreedWhileShownLeavesAnInertRow)
{
    TMenuScene scene;
    scene.AddItems(3);
    scene.popup->Popup(100, 100);
    TskSkinPopupWindow* level = scene.Level(0);
    scene.Key(VK_DOWN);
    scene.popup->Items()->Items(1)->Free();
    EXPECT_EQ(level->Items(1)->MenuItem, nullptr);
    EXPECT_EQ(level->ActiveItem, -1);
    Snapshot(level);
    Application->ProcessMessages();
    scene.ClickRow(0, 1);
    scene.Key(VK_RETURN);
    EXPECT_EQ(scene.Levels(), 1);
    scene.Key(VK_DOWN);
    EXPECT_EQ(level->ActiveItem, 2);
    scene.Log();
    scene.Key(VK_RETURN);
    EXPECT_EQ(scene.Log(), "menu close; form 1228; mode off; click item2");
}

TEST(SkinMenuLifetime, AParentFreedWithItsSubMenuOpenTakesItsRowsWithIt)
{
    TSubMenuScene scene;
    scene.popup->Popup(100, 100);
    scene.Key(VK_DOWN);
    scene.Key(VK_RIGHT);
    ASSERT_EQ(scene.Levels(), 2);
    scene.parent->Free();
    Application->ProcessMessages();
    Snapshot(scene.Level(1));
    scene.Key(VK_RETURN);
    scene.Key(VK_ESCAPE);
    scene.Key(VK_ESCAPE);
    EXPECT_EQ(scene.Levels(), 0);
}

TEST(SkinMenuLifetime, ACommandThatClosesItsFormOrOpensAnotherMenu)
{
    auto* form = new TForm(nullptr);
    form->HandleNeeded();
    auto* frame = new TTestMenuFrame(form);
    auto* popup = new TskSkinPopupMenu(form);
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
    int clicks = 0;
    auto* close = new TMenuItem(popup);
    close->SetCaption("close");
    close->OnClick = [&](TObject*) {
        ++clicks;
        form->Close();
    };
    popup->Items()->Add(close);
    popup->Popup(100, 100);
    ASSERT_EQ(frame->SkinMenu()->LevelCount(), 1);
    PostMessageA(form->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    Application->ProcessMessages();
    Application->ProcessMessages();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(ShownMenuWindows().empty());

    TMenuScene scene;
    scene.Add("again")->OnClick = [&](TObject*) { scene.popup->Popup(300, 300); };
    scene.popup->Popup(100, 100);
    scene.Key(VK_RETURN);
    ASSERT_EQ(scene.Levels(), 1);
    EXPECT_EQ(scene.Level(0)->Left(), 300);
    EXPECT_TRUE(scene.frame->InMenuMode());
    EXPECT_EQ(ShownMenuWindows().size(), 1u);
    scene.Key(VK_ESCAPE);
    EXPECT_EQ(scene.Levels(), 0);
}

TEST(SkinMenuLifetime, APopupControlFreedWhileOpenIsToldNothingAfterwards)
{
    TMenuScene scene;
    skctrltest::TTestSkin skin;
    scene.frame->Skin = skin.Data;
    auto* client = new TMenuClient(scene.form.Form, &scene.log);
    client->SetParent(scene.form.Form);
    scene.AddItems(2);
    scene.popup->PopupForControl(client, 100, 100);
    ASSERT_EQ(scene.Levels(), 1);
    scene.Log();
    // Its window going tells the form (WM_PARENTNOTIFY), which closes the menu.
    client->Free();
    EXPECT_EQ(scene.Levels(), 0);
    EXPECT_EQ(scene.Log(), "control 1228; menu close; form 1228; mode off");
    scene.Key(VK_RETURN);
    EXPECT_EQ(scene.Log(), "");

    // A windowless control leaves without any message to the form: the menu stays, and the
    // chosen item's command runs with nobody to tell.
    auto* probe = new visual_test::TProbe(scene.form.Form);
    probe->SetParent(scene.form.Form);
    scene.popup->PopupForControl(probe, 100, 100);
    ASSERT_EQ(scene.Levels(), 1);
    probe->Free();
    scene.Log();
    scene.Key(VK_RETURN);
    EXPECT_EQ(scene.Log(), "menu close; form 1228; mode off; click item0");
    EXPECT_EQ(scene.Menu()->NotifyControl(), nullptr);
}

}  // namespace

namespace {

TEST(SkinMenuLifetime, AHundredOpeningsHoldNoMoreHandlesThanOne)
{
    TSkinnedMenuScene scene;
    auto* mask = scene.skin.Data->ActivePictures.Add(std::make_unique<cl::TBitmap>());
    mask->SetSize(60, 40);
    mask->Fill(clBlack);
    scene.skin.Data->PopupWindow->MaskPictureIndex = 2;
    TMenuItem* sub = scene.Add("sub");
    scene.AddItems(3, sub);
    scene.AddItems(5);
    auto openAndClose = [&] {
        scene.popup->Popup(100, 100);
        scene.Key(VK_RIGHT);
        scene.Key(VK_DOWN);
        Snapshot(scene.Level(1));
        scene.Key(VK_ESCAPE);
        scene.Key(VK_ESCAPE);
    };
    // Counting starts here: what the closed levels of the first opening hold is seen going.
    test_support::CountLiveHandles();
    openAndClose();
    ASSERT_EQ(scene.Levels(), 0);
    const auto before = test_support::CountLiveHandles();
    for (int i = 0; i < 100; ++i)
        openAndClose();
    const auto leaked = test_support::CountLiveHandles() - before;
    EXPECT_EQ(leaked, test_support::TLiveHandles{}) << leaked;
}

}  // namespace
