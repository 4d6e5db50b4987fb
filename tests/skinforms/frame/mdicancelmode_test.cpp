// The closing messages of an MDI form's window reach its combo boxes and edits too: a dropped
// list closes when the form is deactivated, cancelled or pressed elsewhere, while a press on
// the combo box's own button still closes its list rather than opening it again.
#include <algorithm>

#include "skinforms/frame/mdi_support.h"
#include "skinforms/controls/ComboBox.h"
#include "skinforms/controls/Edit.h"

namespace {

using namespace mditest;

struct TCancelScene : TMdiScene {
    TskSkinComboBox* combo = new TskSkinComboBox(main);
    TskSkinEdit* edit = new TskSkinEdit(main);
    std::vector<TControl*> editSenders;

    TCancelScene()
    {
        combo->SetParent(main);
        combo->SetAlign(alBottom);
        for (int i = 0; i < 5; ++i)
            combo->Items()->Add("item " + std::to_string(i));
        edit->SetParent(main);
        edit->SetAlign(alBottom);
        edit->OnEditCancelMode = [this](TControl* Sender) { editSenders.push_back(Sender); };
        Show();
        AddChild("Alpha");
    }
    // The log goes before the form does.
    ~TCancelScene() { edit->OnEditCancelMode = nullptr; }
    bool Drop()
    {
        combo->DropDown();
        Application->ProcessMessages();
        return combo->DroppedDown();
    }
    // A real press and release of the left button at a client point of a control.
    void Click(TControl* Control, int X, int Y)
    {
        const TPoint p = Control->ClientToScreen({X, Y});
        ClickAtScreen(p.X, p.Y);
    }
};

TEST(MDICancelMode, TheFormsClosingMessagesCloseADroppedListAndTellItsEdits)
{
    TCancelScene scene;
    ASSERT_TRUE(scene.Drop());
    scene.editSenders.clear();
    SendMessageA(scene.main->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(scene.combo->DroppedDown());
    EXPECT_EQ(scene.editSenders, (std::vector<TControl*>{nullptr}));
    ASSERT_TRUE(scene.Drop());
    SendMessageA(scene.main->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(scene.combo->DroppedDown());
    ASSERT_TRUE(scene.Drop());
    scene.main->SetBounds(scene.main->Left() + 10, scene.main->Top(), scene.main->Width(), scene.main->Height());
    Application->ProcessMessages();
    EXPECT_FALSE(scene.combo->DroppedDown());
    // Hidden or disabled controls are left alone.
    scene.editSenders.clear();
    scene.edit->SetEnabled(false);
    SendMessageA(scene.main->Handle(), WM_CANCELMODE, 0, 0);
    scene.edit->SetEnabled(true);
    scene.edit->SetVisible(false);
    SendMessageA(scene.main->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_TRUE(scene.editSenders.empty());
}

TEST(MDICancelMode, APressOnTheComboBoxsButtonClosesItsListAndAPressElsewhereToo)
{
    TCancelScene scene;
    // Two presses apart by more than the double-click distance: each one a press of its own.
    const TRect button = scene.combo->ButtonRect();
    ASSERT_GT(button.Width(), 2 * GetSystemMetrics(SM_CXDOUBLECLK) + 2);
    const int y = (button.Top + button.Bottom) / 2;
    const int left = button.Left + 1;
    const int right = button.Right - 2;
    scene.Click(scene.combo, left, y);
    ASSERT_TRUE(scene.combo->DroppedDown());
    scene.Click(scene.combo, right, y);
    EXPECT_FALSE(scene.combo->DroppedDown());
    // Open again, then a press on the edit beside it.
    scene.Click(scene.combo, left, y);
    ASSERT_TRUE(scene.combo->DroppedDown());
    scene.editSenders.clear();
    scene.Click(scene.edit, 5, 5);
    EXPECT_FALSE(scene.combo->DroppedDown());
    // The edit hears that the press was its own.
    EXPECT_NE(std::find(scene.editSenders.begin(), scene.editSenders.end(), scene.edit), scene.editSenders.end());
}

}  // namespace
