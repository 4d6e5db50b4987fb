// A press on the frame of an ordinary framed form (its caption, a border, a caption button)
// closes a list dropped by one of the form's combo boxes, as a press anywhere outside a plain
// drop-down list closes it: such a press reaches only the form, never the control.
#include "skinforms/frame/support.h"

#include <string>

#include "skinforms/controls/ComboBox.h"

using namespace cl;
using namespace sk;
using namespace frametest;

namespace {

constexpr int W = 300;
constexpr int H = 200;

struct TComboScene {
    TFramedForm form{nullptr, W, H};
    TskSkinComboBox* fixed = Add(10, TskSkinCustomComboBoxStyle::skcbFixedStyle);
    TskSkinComboBox* edited = Add(40, TskSkinCustomComboBoxStyle::skcbEditStyle);

    TComboScene()
    {
        // A pointer left over a caption button by an earlier test would hover on this form.
        ParkPointer();
        form.Frame->AlwaysActive = true;
        // A pointer that an earlier test left over the form would hover over the dropped lists.
        ParkPointer();
        form.Show();
        form.Paint();
    }
    TskSkinComboBox* Add(int Top, TskSkinCustomComboBoxStyle Style)
    {
        auto* combo = new TskSkinComboBox(form.Form);
        combo->SetParent(form.Form);
        combo->SetStyle(Style);
        combo->SetBounds(10, Top, 150, 20);
        for (int i = 0; i < 5; ++i)
            combo->Items()->Add("item " + std::to_string(i));
        return combo;
    }
    static bool Drop(TskSkinComboBox* Combo)
    {
        Combo->DropDown();
        Application->ProcessMessages();
        return Combo->DroppedDown() && IsWindowVisible(Combo->ListBox()->Handle());
    }
    // A press the platform has already queued the release of, as a real click leaves it for the
    // move, size or menu loop the press starts.
    void Press(UINT Msg, WPARAM Hit, int X, int Y)
    {
        PostMessageA(form.Wnd(), Msg == WM_NCRBUTTONDOWN ? WM_RBUTTONUP : WM_LBUTTONUP, 0, 0);
        const TPoint p = ScreenOf(form, X, Y);
        SendMessageA(form.Wnd(), Msg, Hit, MAKELPARAM(p.X, p.Y));
        Application->ProcessMessages();
    }
    TskActiveSkinObject* Find(const std::string& Name)
    {
        for (int i = 0; i < form.Frame->ObjectCount(); ++i)
            if (form.Frame->Objects(i)->IDName == Name)
                return form.Frame->Objects(i);
        return nullptr;
    }
};

// A real press and release of the left button at a frame point, pumped until handled.
void ClickAt(TFramedForm& F, int X, int Y)
{
    const TPoint p = ScreenOf(F, X, Y);
    ClickAtScreen(p.X, p.Y);
}

}  // namespace

TEST(FrameCancelMode, ARealPressOnTheCaptionClosesTheDroppedListOfEitherStyle)
{
    TComboScene scene;
    // Presses apart by more than the double-click distance: each one a press of its own.
    int x = 40;
    for (TskSkinComboBox* combo : {scene.fixed, scene.edited}) {
        ASSERT_EQ(scene.form.HitAt(x, 10), HTCAPTION);
        const int index = combo->ItemIndex();
        ASSERT_TRUE(TComboScene::Drop(combo));
        ClickAt(scene.form, x, 10);
        x += 2 * GetSystemMetrics(SM_CXDOUBLECLK) + 20;
        EXPECT_FALSE(combo->DroppedDown()) << combo->Style();
        EXPECT_FALSE(IsWindowVisible(combo->ListBox()->Handle()));
        EXPECT_EQ(combo->ItemIndex(), index) << "the list is abandoned, not accepted";
    }
}

TEST(FrameCancelMode, PressesOnABorderACaptionButtonAndTheCaptionsMenuCloseTheList)
{
    TComboScene scene;
    ASSERT_TRUE(TComboScene::Drop(scene.fixed));
    scene.Press(WM_NCLBUTTONDOWN, HTBOTTOM, W / 2, H - 1);
    EXPECT_FALSE(scene.fixed->DroppedDown()) << "a press on the bottom border";

    TskActiveSkinObject* min = scene.Find("minbutton");
    ASSERT_NE(min, nullptr);
    const TRect r = min->ObjectRect;
    ASSERT_TRUE(TComboScene::Drop(scene.fixed));
    PointerAt(scene.form, r.Left + 5, r.Top + 5);
    scene.Press(WM_NCLBUTTONDOWN, HTOBJECT, r.Left + 5, r.Top + 5);
    EXPECT_FALSE(scene.fixed->DroppedDown()) << "a press on a caption button";

    ASSERT_TRUE(TComboScene::Drop(scene.edited));
    scene.Press(WM_NCRBUTTONDOWN, HTCAPTION, W / 2, 10);
    EXPECT_FALSE(scene.edited->DroppedDown()) << "a right press on the caption";
    EXPECT_TRUE(scene.form.Frame->SkinMenu()->Visible) << "which opens the system menu all the same";
    scene.form.Frame->SkinMenu()->CloseAll();
    Application->ProcessMessages();
}
