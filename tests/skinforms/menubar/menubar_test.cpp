// The main menu bar on a shown framed form: layout and overflow, drop-downs opened and followed
// by the mouse, commands, keyboard mode, and its pictures.
#include "skinforms/menubar/support.h"

namespace {

using namespace menubartest;

TEST(MenuBarLayout, ItemsRunLeftToRightAtTheirCaptionWidthsOnTheFormsTop)
{
    TMenuBarScene scene;
    scene.AddStandardItems();
    scene.Show();
    EXPECT_EQ(scene.bar->Height(), 22);
    EXPECT_EQ(scene.bar->Top(), 0);
    EXPECT_EQ(scene.bar->Width(), scene.form->ClientWidth());
    ASSERT_EQ(scene.bar->ObjectCount(), 5);
    EXPECT_FALSE(scene.bar->Overflow());
    TBitmap probe;
    probe.SetSize(10, 10);
    int x = 2;
    for (int i = 0; i < 5; ++i) {
        TskSkinMainMenuBarItem* item = scene.Item(i);
        EXPECT_TRUE(item->Visible);
        EXPECT_EQ(item->ObjectRect.Left, x) << i;
        EXPECT_EQ(item->ObjectRect.Top, 2);
        EXPECT_EQ(item->ObjectRect.Bottom, 20);
        // The caption's width and 12 pixels.
        EXPECT_EQ(item->ObjectRect.Width(), item->CalcWidth(probe.Canvas())) << i;
        EXPECT_GT(item->ObjectRect.Width(), 12);
        x = item->ObjectRect.Right;
    }
    // An invisible top-level item gets no place.
    scene.menu->Items()->Items(1)->SetVisible(false);
    scene.bar->SetMainMenu(scene.menu);
    EXPECT_EQ(scene.bar->ObjectCount(), 4);
}

TEST(MenuBarLayout, ABarNarrowerThanItsItemsHidesTheTailAndItsMarkListsExactlyThoseItems)
{
    TMenuBarScene scene;
    scene.AddStandardItems();
    scene.Show();
    const int goRight = scene.Item(3)->ObjectRect.Right;
    // Room for File, Edit, View and part of Go.
    scene.form->SetWidth(scene.form->Width() - scene.bar->Width() + goRight - 3);
    scene.Repaint();
    EXPECT_TRUE(scene.bar->Overflow());
    EXPECT_TRUE(scene.Item(2)->Visible);
    EXPECT_FALSE(scene.Item(3)->Visible);
    EXPECT_FALSE(scene.Item(4)->Visible);
    EXPECT_EQ(scene.bar->ShownItemCount(), 3);
    // The last shown item ends left of the 5-pixel mark.
    const TRect mark = scene.bar->TrackMarkRect();
    EXPECT_EQ(mark.Width(), 5);
    EXPECT_EQ(mark.Right, scene.bar->Width() - 2);
    EXPECT_LE(scene.Item(2)->ObjectRect.Right, mark.Left);
    // A hidden item cannot be reached by its letter.
    scene.AltKey('G');
    EXPECT_EQ(scene.Log(), "");
    // A press on the mark opens the hidden items, and only them.
    SendMessageA(scene.bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(mark.Left + 2, mark.Top + 5));
    Application->ProcessMessages();
    EXPECT_EQ(scene.OpenCaptions(), "Go,Help");
    EXPECT_TRUE(scene.frame->InSkinMenu());
    scene.Key(VK_RETURN);
    EXPECT_EQ(scene.Log(), "click &Go");
    EXPECT_FALSE(scene.frame->InSkinMenu());

    // A disabled item that was hidden comes back disabled; the others come back enabled.
    scene.menu->Items()->Items(4)->SetEnabled(false);
    scene.bar->SetMainMenu(scene.menu);
    scene.Repaint();
    scene.form->SetWidth(600);
    scene.Repaint();
    EXPECT_FALSE(scene.bar->Overflow());
    EXPECT_TRUE(IsNullRect(scene.bar->TrackMarkRect()));
    EXPECT_TRUE(scene.Item(3)->Visible);
    EXPECT_TRUE(scene.Item(3)->IsEnabled());
    EXPECT_TRUE(scene.Item(4)->Visible);
    EXPECT_FALSE(scene.Item(4)->IsEnabled());
}

TEST(MenuBarLayout, WithoutScrollMenuNoMarkShowsAndTheItemsMayUseTheWholeWidth)
{
    TMenuBarScene scene;
    scene.AddStandardItems();
    scene.bar->ScrollMenu = false;
    scene.Show();
    const int goRight = scene.Item(3)->ObjectRect.Right;
    // Exactly as wide as Go needs: with the mark's room it would not fit.
    scene.form->SetWidth(scene.form->Width() - scene.bar->Width() + goRight + 2);
    scene.Repaint();
    EXPECT_TRUE(scene.Item(3)->Visible);
    EXPECT_FALSE(scene.Item(4)->Visible);
    EXPECT_TRUE(IsNullRect(scene.bar->TrackMarkRect()));
    scene.bar->ScrollMenu = true;
    scene.Repaint();
    EXPECT_FALSE(scene.Item(3)->Visible);
}

TEST(MenuBarMouse, APressOpensTheDropDownAndTheMouseCarriesItToTheNeighbour)
{
    TMenuBarScene scene;
    scene.AddStandardItems();
    scene.Show();
    scene.Press(scene.Item(0));
    EXPECT_EQ(scene.OpenCaptions(), "New,Open");
    EXPECT_TRUE(scene.Item(0)->Down);
    EXPECT_TRUE(scene.bar->MenuMode());
    EXPECT_TRUE(scene.frame->InSkinMenu());
    EXPECT_EQ(scene.Log(), "enter");
    EXPECT_EQ(menutest::ShownMenuWindows().size(), 1u);
    // The drop-down opens below the item.
    const TRect item = scene.bar->ObjectScreenRect(scene.Item(0));
    RECT r{};
    GetWindowRect(scene.Menu()->Levels(0)->Handle(), &r);
    EXPECT_EQ(r.left, item.Left);
    EXPECT_EQ(r.top, item.Bottom);

    // Over Edit, without a click.
    scene.PointAt(scene.Item(1));
    EXPECT_EQ(scene.OpenCaptions(), "Cut,Copy");
    EXPECT_FALSE(scene.Item(0)->Down);
    EXPECT_FALSE(scene.Item(0)->Active);
    EXPECT_TRUE(scene.Item(1)->Down);
    EXPECT_EQ(menutest::ShownMenuWindows().size(), 1u);
    // Leaving the bar for the menu keeps Edit open.
    visual_test::PointAt(scene.bar, 30, 60);
    scene.time.clock.Advance(100);
    EXPECT_TRUE(scene.Item(1)->Down);
    EXPECT_EQ(scene.OpenCaptions(), "Cut,Copy");
    // Choosing a row ends everything before its command runs.
    scene.Key(VK_DOWN);
    scene.Key(VK_RETURN);
    EXPECT_EQ(scene.Log(), "click &Copy");
    EXPECT_FALSE(scene.bar->MenuMode());
    EXPECT_FALSE(scene.Item(1)->Down);
    EXPECT_FALSE(scene.frame->InSkinMenu());
    EXPECT_TRUE(menutest::ShownMenuWindows().empty());
}

TEST(MenuBarMouse, AnItemWithoutChildrenRunsItsCommandOncePressedAfterMenuModeEnds)
{
    TMenuBarScene scene;
    scene.AddStandardItems();
    scene.Show();
    // From an open drop-down too.
    scene.Press(scene.Item(0));
    scene.Log();
    scene.Press(scene.Item(3));
    EXPECT_EQ(scene.Log(), "click &Go");
    EXPECT_FALSE(scene.Menu()->Visible);
    EXPECT_FALSE(scene.bar->MenuMode());
    // A disabled one does nothing; the state is read when pressed.
    scene.menu->Items()->Items(3)->SetEnabled(false);
    scene.bar->SetMainMenu(scene.menu);
    scene.Repaint();
    scene.Press(scene.Item(3));
    EXPECT_EQ(scene.Log(), "");
}

TEST(MenuBarMouse, AMenuItemDisabledOrEnabledAfterTheBarWasBuiltCountsAtOnce)
{
    TMenuBarScene scene;
    scene.AddStandardItems();
    scene.Show();
    TMenuItem* edit = scene.menu->Items()->Items(1);
    TMenuItem* go = scene.menu->Items()->Items(3);
    edit->SetEnabled(false);
    go->SetEnabled(false);
    scene.Press(scene.Item(1));
    scene.Press(scene.Item(3));
    EXPECT_FALSE(scene.Menu()->Visible);
    EXPECT_EQ(scene.Log(), "");
    // The keys pass over them and their letters do nothing.
    scene.ToggleKeyboardMode();
    scene.Key(VK_RIGHT);
    EXPECT_EQ(scene.bar->MouseInObject, 2);
    scene.Key('G');
    scene.Key(VK_ESCAPE);
    EXPECT_EQ(scene.Log(), "enter; exit");
    // Enabled again, they work without a rebuild.
    edit->SetEnabled(true);
    go->SetEnabled(true);
    scene.Press(scene.Item(3));
    EXPECT_EQ(scene.Log(), "click &Go");
    scene.Press(scene.Item(1));
    EXPECT_EQ(scene.OpenCaptions(), "Cut,Copy");
}

TEST(MenuBarMouse, ASecondPressOnTheOpenItemClosesItsDropDown)
{
    TMenuBarScene scene;
    scene.AddStandardItems();
    scene.Show();
    scene.Press(scene.Item(2));
    ASSERT_EQ(scene.OpenCaptions(), "Zoom");
    scene.Press(scene.Item(2));
    EXPECT_FALSE(scene.Menu()->Visible);
    EXPECT_FALSE(scene.Item(2)->Down);
    EXPECT_FALSE(scene.bar->MenuMode());
    EXPECT_FALSE(scene.frame->InSkinMenu());
    EXPECT_EQ(scene.Log(), "enter");
}

TEST(MenuBarKeyboard, AltEntersTheBarArrowsMoveAndWrapEscapeLeaves)
{
    TMenuBarScene scene;
    scene.AddStandardItems();
    scene.Show();
    // Alt pressed and released alone, as the platform delivers it.
    PostMessageA(scene.form->Handle(), WM_SYSKEYDOWN, VK_MENU, 1 | (1 << 29));
    PostMessageA(scene.form->Handle(), WM_SYSKEYUP, VK_MENU, 1 | (1u << 30) | (1u << 31));
    Application->ProcessMessages();
    ASSERT_TRUE(scene.frame->InMainMenuBar());
    EXPECT_TRUE(scene.bar->MenuMode());
    EXPECT_EQ(scene.bar->MouseInObject, 0);
    EXPECT_TRUE(scene.Item(0)->Active);
    EXPECT_EQ(scene.Log(), "enter");
    scene.Key(VK_RIGHT);
    EXPECT_EQ(scene.bar->MouseInObject, 1);
    EXPECT_FALSE(scene.Item(0)->Active);
    scene.Key(VK_LEFT);
    scene.Key(VK_LEFT);
    EXPECT_EQ(scene.bar->MouseInObject, 4);
    scene.Key(VK_RIGHT);
    EXPECT_EQ(scene.bar->MouseInObject, 0);
    // A disabled item is passed over.
    scene.menu->Items()->Items(1)->SetEnabled(false);
    scene.Item(1)->Enabled = false;
    scene.Key(VK_RIGHT);
    EXPECT_EQ(scene.bar->MouseInObject, 2);
    // Nothing else hears the keys meanwhile, and no menu is open.
    EXPECT_FALSE(scene.Menu()->Visible);
    scene.Key(VK_ESCAPE);
    EXPECT_FALSE(scene.frame->InMainMenuBar());
    EXPECT_FALSE(scene.bar->MenuMode());
    EXPECT_FALSE(scene.Item(2)->Active);
    EXPECT_EQ(scene.Log(), "exit");
    // F10 enters as well, and Alt again leaves.
    PostMessageA(scene.form->Handle(), WM_SYSKEYDOWN, VK_F10, 1);
    PostMessageA(scene.form->Handle(), WM_SYSKEYUP, VK_F10, 1 | (1u << 30) | (1u << 31));
    Application->ProcessMessages();
    EXPECT_TRUE(scene.frame->InMainMenuBar());
    scene.ToggleKeyboardMode();
    EXPECT_FALSE(scene.frame->InMainMenuBar());
    EXPECT_EQ(scene.Log(), "enter; exit");
}

TEST(MenuBarKeyboard, DownOpensRightSwitchesTheOpenDropDownEnterChoosesEscapeCloses)
{
    TMenuBarScene scene;
    scene.AddStandardItems();
    scene.Show();
    scene.ToggleKeyboardMode();
    scene.Log();
    scene.Key(VK_DOWN);
    EXPECT_EQ(scene.OpenCaptions(), "New,Open");
    scene.Key(VK_RIGHT);
    EXPECT_EQ(scene.OpenCaptions(), "Cut,Copy");
    EXPECT_TRUE(scene.Item(1)->Down);
    EXPECT_TRUE(scene.frame->InMainMenuBar());
    // Go has no drop-down: moving to it closes the open one and lights Go.
    scene.Key(VK_RIGHT);
    scene.Key(VK_RIGHT);
    EXPECT_FALSE(scene.Menu()->Visible);
    EXPECT_TRUE(scene.Item(3)->Active);
    EXPECT_TRUE(scene.frame->InMainMenuBar());
    scene.Key(VK_RETURN);
    EXPECT_EQ(scene.Log(), "exit; click &Go");
    EXPECT_FALSE(scene.frame->InMainMenuBar());

    // Escape in an open drop-down closes it and ends the keyboard mode.
    scene.ToggleKeyboardMode();
    scene.Key(VK_RETURN);
    EXPECT_EQ(scene.OpenCaptions(), "New,Open");
    scene.Key(VK_ESCAPE);
    EXPECT_FALSE(scene.Menu()->Visible);
    EXPECT_FALSE(scene.frame->InMainMenuBar());
    EXPECT_FALSE(scene.bar->MenuMode());
    EXPECT_FALSE(scene.Item(0)->Down);
    EXPECT_EQ(scene.Log(), "enter; exit");
}

TEST(MenuBarKeyboard, AltWithALetterOpensItsItemAndLettersChooseInKeyboardMode)
{
    TMenuBarScene scene;
    scene.AddStandardItems();
    scene.Show();
    scene.AltKey('E');
    EXPECT_EQ(scene.OpenCaptions(), "Cut,Copy");
    // The drop-down's own letters now.
    scene.Key('T');
    EXPECT_EQ(scene.Log(), "enter; click Cu&t");
    EXPECT_FALSE(scene.Menu()->Visible);
    // A letter with Alt that marks nothing is left to others.
    scene.AltKey('Q');
    EXPECT_FALSE(scene.Menu()->Visible);
    EXPECT_FALSE(scene.frame->InMainMenuBar());
    // In keyboard mode a plain letter presses its item.
    scene.ToggleKeyboardMode();
    scene.Key('G');
    EXPECT_EQ(scene.Log(), "enter; exit; click &Go");
    scene.ToggleKeyboardMode();
    scene.Key('H');
    EXPECT_EQ(scene.OpenCaptions(), "About");
    // A letter that marks nothing leaves the bar as it is.
    SendMessageA(scene.form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'z');
    scene.Log();
}

TEST(MenuBarKeyboard, AClickElsewhereOnTheFormLeavesKeyboardMode)
{
    TMenuBarScene scene;
    scene.AddStandardItems();
    scene.Show();
    scene.ToggleKeyboardMode();
    ASSERT_TRUE(scene.frame->InMainMenuBar());
    SendMessageA(scene.form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 100));
    EXPECT_FALSE(scene.frame->InMainMenuBar());
    EXPECT_FALSE(scene.bar->MenuMode());
    // Keys reach the form again.
    scene.Key(VK_RIGHT);
    EXPECT_EQ(scene.bar->MouseInObject, -1);
}

TEST(MenuBarLifetime, TheMenuOrTheBarFreedWhileOpenLeavesNothingBehind)
{
    TMenuBarScene scene;
    scene.AddStandardItems();
    scene.Show();
    scene.Press(scene.Item(0));
    ASSERT_TRUE(scene.Menu()->Visible);
    scene.menu->Free();
    EXPECT_EQ(scene.bar->ObjectCount(), 0);
    EXPECT_EQ(scene.bar->MainMenu(), nullptr);
    Application->ProcessMessages();
    scene.Repaint();
    scene.ToggleKeyboardMode();
    EXPECT_FALSE(scene.frame->InMainMenuBar());
    scene.bar->Free();
    EXPECT_EQ(scene.frame->MainMenuBar(), nullptr);
    scene.AltKey('F');
    scene.ToggleKeyboardMode();
    EXPECT_FALSE(scene.frame->InMainMenuBar());
}

TEST(MenuBarLook, DefaultLookLightsTheHotItemAndFillsTheOpenOne)
{
    TMenuBarScene scene;
    scene.AddStandardItems();
    scene.Show();
    auto pixelIn = [&](int Index) {
        auto b = skctrltest::Snapshot(scene.bar);
        const TRect r = scene.Item(Index)->ObjectRect;
        return std::pair{b->Canvas()->Pixels(r.Left + 1, r.Top + 1), b->Canvas()->Pixels(r.Left, r.Top)};
    };
    EXPECT_EQ(pixelIn(1).first, ColorToRGB(clBtnFace));
    scene.ToggleKeyboardMode();
    scene.Key(VK_RIGHT);
    EXPECT_EQ(pixelIn(1), (std::pair<TColor, TColor>{0xD2BDB6, 0x800000}));
    scene.Key(VK_DOWN);
    EXPECT_EQ(pixelIn(1), (std::pair<TColor, TColor>{0xB59385, 0x800000}));
    // The caption stands on the fill: no frame colour behind its letters.
    {
        auto b = skctrltest::Snapshot(scene.bar);
        const TRect r = scene.Item(1)->ObjectRect;
        int frameInside = 0;
        for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
            for (int x = r.Left + 1; x < r.Right - 1; ++x)
                frameInside += b->Canvas()->Pixels(x, y) == 0x800000;
        EXPECT_EQ(frameInside, 0);
    }
    EXPECT_EQ(pixelIn(0).first, ColorToRGB(clBtnFace));
    scene.Key(VK_ESCAPE);
    // The mark: an arrow in the shadow colour while the mouse is away.
    scene.form->SetWidth(160);
    scene.Repaint();
    auto b = skctrltest::Snapshot(scene.bar);
    const TRect mark = scene.bar->TrackMarkRect();
    int shadow = 0;
    for (int y = mark.Top; y < mark.Bottom; ++y)
        for (int x = mark.Left; x < mark.Right; ++x)
            shadow += b->Canvas()->Pixels(x, y) == ColorToRGB(clBtnShadow);
    EXPECT_GT(shadow, 3);
}

// A bar description and an item description cut from one picture of flat zones.
TEST(MenuBarLook, TheSkinsBarAndItemPicturesAreUsed)
{
    TMenuBarScene scene;
    skctrltest::TTestSkin skin;
    TBitmap* picture = skin.Picture();
    picture->SetSize(100, 60);
    picture->Fill(0x302010);
    skctrltest::FillZone(picture, 0x0000FF, 0, 0, 4, 26);    // the bar's left end
    skctrltest::FillZone(picture, 0x00FFFF, 96, 0, 100, 26); // and its right end
    skctrltest::FillZone(picture, 0x00A000, 0, 30, 40, 48);  // item, normal
    skctrltest::FillZone(picture, 0xA00000, 0, 48, 40, 60);  // item, hot: a different height does not matter
    auto* bar = skin.Add<TskDataSkinMainMenuBar>("mainmenubar");
    bar->PictureIndex = 0;
    bar->SkinRect = cl::Rect(0, 0, 100, 26);
    bar->ItemsRect = cl::Rect(4, 4, 96, 22);
    bar->MenuBarItem = "baritem";
    auto item = std::make_unique<TskDataSkinMainMenuBarItem>("baritem");
    item->ActivePictureIndex = 0;
    item->SkinRect = cl::Rect(0, 30, 40, 48);
    item->ActiveSkinRect = cl::Rect(0, 48, 40, 60);
    item->DownRect = cl::Rect(0, 48, 40, 60);
    item->TextRect = cl::Rect(5, 2, 35, 16);
    skin.Data->ObjectList.Add(std::move(item));
    scene.AddStandardItems();
    scene.bar->SetSkinData(skin.Data);
    scene.Show();
    EXPECT_EQ(scene.bar->Height(), 26);
    auto b = skctrltest::Snapshot(scene.bar);
    // The background keeps its ends and tiles its middle; the items stand on it.
    EXPECT_EQ(b->Canvas()->Pixels(1, 1), 0x0000FF);
    EXPECT_EQ(b->Canvas()->Pixels(scene.bar->Width() - 2, 24), 0x00FFFF);
    EXPECT_EQ(b->Canvas()->Pixels(scene.bar->Width() - 8, 24), 0x302010);
    TskSkinMainMenuBarItem* first = scene.Item(0);
    EXPECT_EQ(first->ObjectRect.Left, 4);
    EXPECT_EQ(first->ObjectRect.Top, 4);
    EXPECT_EQ(first->ObjectRect.Height(), 18);
    TBitmap probe;
    probe.SetSize(10, 10);
    // The skin's margins around the text area, and 2.
    EXPECT_EQ(first->ObjectRect.Width(), first->CalcWidth(probe.Canvas()));
    EXPECT_EQ(scene.Face(0), 0x00A000);
    scene.ToggleKeyboardMode();
    EXPECT_EQ(scene.Face(0), 0xA00000);
    scene.ToggleKeyboardMode();
    // The skin gone: the default look at the default height.
    skin.Remove();
    scene.bar->ChangeSkinData();
    EXPECT_EQ(scene.bar->Height(), 22);
}

}  // namespace
