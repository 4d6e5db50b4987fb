// A new skin with other border widths on a form that keeps its size: the client area, the
// aligned and anchored children and the window's region follow the new frame.
#include "skinforms/frame/support.h"

#include "classlib/graphics/GdiHandles.h"
#include "classlib/controls/support.h"

using namespace cl;
using namespace sk;
using namespace frametest;
using namespace visual_test;

namespace {

// The form's client area in its window now, and the children's places in it.
struct TLayout {
    TFramedForm& form;
    TControl* top;
    TControl* rest;
    TControl* corner;
    void Expect(int W, int H)
    {
        RECT client{};
        GetClientRect(form.Wnd(), &client);
        EXPECT_EQ(client.right, W);
        EXPECT_EQ(client.bottom, H);
        EXPECT_EQ(form.Form->ClientWidth(), W);
        EXPECT_EQ(form.Form->ClientHeight(), H);
        EXPECT_EQ(top->BoundsRect(), Rect(0, 0, W, 30));
        EXPECT_EQ(rest->BoundsRect(), Rect(0, 30, W, H));
        // Anchored to the right and bottom, 10 pixels in from the client area's corner.
        EXPECT_EQ(corner->BoundsRect(), Rect(W - 30, H - 30, W - 10, H - 10));
    }
};

TEST(FrameFit, NewBorderWidthsMoveTheClientAreaTheAlignedChildrenAndTheRegion)
{
    TFrameSkin skin;
    TFramedForm form(skin.Data, 300, 200);
    auto* top = new TPanelProbe(form.Form);
    top->SetParent(form.Form);
    top->SetHeight(30);
    top->SetAlign(alTop);
    auto* rest = new TPanelProbe(form.Form, clBlue);
    rest->SetParent(form.Form);
    rest->SetAlign(alClient);
    auto* corner = new TPanelProbe(form.Form, clGreen);
    corner->SetParent(form.Form);
    form.Show();
    corner->SetBounds(form.Form->ClientWidth() - 30, form.Form->ClientHeight() - 30, 20, 20);
    corner->SetAnchors({akRight, akBottom});
    TLayout layout{form, top, rest, corner};
    {
        SCOPED_TRACE("borders of 5, 20, 5 and 5 pixels");
        layout.Expect(290, 175);
    }

    // Every skin here fits the window, which keeps its size.
    skin.Reload([&] { skin.Data->ClRect = Rect(12, 30, 88, 50); });
    Application->ProcessMessages();
    ASSERT_EQ(form.Form->BoundsRect(), Rect(40, 40, 340, 240));
    {
        SCOPED_TRACE("borders of 12, 30, 12 and 10 pixels");
        layout.Expect(276, 160);
    }

    // A mask with cut corners, then the same mask with wider cuts and new borders.
    skin.Reload([&] {
        skin.AddMask();
        skin.Data->ClRect = Rect(5, 20, 95, 55);
    });
    Application->ProcessMessages();
    ASSERT_FALSE(InRegion(form.Wnd(), 1, 1));
    ASSERT_TRUE(InRegion(form.Wnd(), 4, 4));
    skin.Reload([&] {
        skin.Data->ClRect = Rect(8, 24, 92, 52);
        skin.Data->Mask->Canvas()->Brush()->SetColor(0xFFFFFF);
        skin.Data->Mask->Canvas()->FillRect(Rect(0, 0, 6, 6));
    });
    Application->ProcessMessages();
    ASSERT_EQ(form.Form->BoundsRect(), Rect(40, 40, 340, 240));
    {
        SCOPED_TRACE("borders of 8, 24, 8 and 8 pixels");
        layout.Expect(284, 168);
    }
    EXPECT_FALSE(InRegion(form.Wnd(), 4, 4)) << "the region keeps the old skin's corner";
    EXPECT_TRUE(InRegion(form.Wnd(), 7, 7));
}

}  // namespace
