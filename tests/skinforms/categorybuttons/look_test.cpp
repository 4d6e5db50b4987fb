// The category-buttons control's default look in detail: the collapse glyphs, the frame around
// the list, drawing handlers, erase requests, and the other flow.
#include "skinforms/categorybuttons/support.h"

using namespace cl;
using namespace cattest;
using skctrltest::Rgb;
using skctrltest::Snapshot;

namespace {

struct CategoryLook : ::testing::Test, TCategoryScene {
    // The top of category C's band in the control.
    int BandTop(int C) { return control->GetCategoryBounds(Category(C), Category(C)->LayoutStart).Band.Top; }
};

}  // namespace

TEST_F(CategoryLook, ChevronsPointDownWhileCollapsedAndUpWhileExpanded)
{
    Fill({3, 2, 0});
    auto shot = Snapshot(control);
    const TColor shadow = Rgb(clBtnShadow);
    const TColor face = Rgb(clBtnFace);
    // Collapsed: the wide row first; reference point (8, top + 6), the second chevron 5 lower.
    const int b = BandTop(1) + 6;
    for (int chevron = 0; chevron < 2; ++chevron) {
        const int y = b + 5 * chevron;
        EXPECT_EQ(shot->Pixels(7, y), shadow);
        EXPECT_EQ(shot->Pixels(13, y), shadow);
        EXPECT_EQ(shot->Pixels(10, y), face);
        EXPECT_EQ(shot->Pixels(10, y + 3), shadow);
        EXPECT_EQ(shot->Pixels(7, y + 3), face);
    }
    // Expanded: the narrow row first.
    const int e = BandTop(0) + 6;
    EXPECT_EQ(shot->Pixels(10, e), shadow);
    EXPECT_EQ(shot->Pixels(7, e), face);
    EXPECT_EQ(shot->Pixels(7, e + 3), shadow);
    // No buttons, no glyph.
    const int n = BandTop(2) + 6;
    EXPECT_EQ(shot->Pixels(10, n + 3), face);
    EXPECT_EQ(shot->Pixels(7, n), face);
}

TEST_F(CategoryLook, PlusWhileCollapsedMinusWhileExpanded)
{
    control->SetButtonOptions(control->ButtonOptions() + skboUsePlusMinus);
    Fill({3, 2});
    auto shot = Snapshot(control);
    const int c = BandTop(1);
    EXPECT_EQ(shot->Pixels(6, c + 6), Rgb(clBtnShadow)) << "the box";
    EXPECT_EQ(shot->Pixels(7, c + 7), Rgb(clWindow));
    EXPECT_EQ(shot->Pixels(8, c + 10), Rgb(clWindowText)) << "the bar across";
    EXPECT_EQ(shot->Pixels(10, c + 8), Rgb(clWindowText)) << "and up: a plus";
    const int e = BandTop(0);
    EXPECT_EQ(shot->Pixels(8, e + 10), Rgb(clWindowText));
    EXPECT_EQ(shot->Pixels(10, e + 8), Rgb(clWindow)) << "a minus";
}

TEST_F(CategoryLook, DrawingHandlersReplaceOrSurroundTheDefaultLook)
{
    Fill({3});
    std::vector<std::string> calls;
    control->OnBeforeDrawButton = [&](TObject*, TskButtonItem* b, TCanvas*, TRect, TskButtonDrawState) {
        calls.push_back("before " + b->Caption());
    };
    control->OnAfterDrawButton = [&](TObject*, TskButtonItem* b, TCanvas* c, TRect r, TskButtonDrawState) {
        calls.push_back("after " + b->Caption());
        EXPECT_EQ(r, control->GetButtonRect(b)) << "the whole rectangle, as it was given";
    };
    Snapshot(control);
    EXPECT_EQ(calls, (std::vector<std::string>{"before c0b0", "after c0b0", "before c0b1", "after c0b1",
                                               "before c0b2", "after c0b2"}));
    form.Form->Show();
    Application->ProcessMessages();
    ValidateRect(Wnd(), nullptr);
    control->SetOnDrawButton([&](TObject*, TskButtonItem*, TCanvas* c, TRect r, TskButtonDrawState) {
        c->Brush()->SetColor(0x00FF00);
        c->FillRect(r);
    });
    EXPECT_TRUE(GetUpdateRect(Wnd(), nullptr, FALSE)) << "setting the handler repaints";
    calls.clear();
    auto shot = Snapshot(control);
    EXPECT_TRUE(calls.empty());
    const TRect r = control->GetButtonRect(Button(0, 1));
    EXPECT_EQ(shot->Pixels(r.Left, r.Top), 0x00FF00);
}

TEST_F(CategoryLook, AnEraseRequestFromOutsidePaintsTheContent)
{
    Fill({3});
    control->SetSelectedItem(Button(0, 0));
    TBitmap b;
    b.SetSize(control->Width(), control->Height());
    b.Fill(0x123456);
    SendMessageA(Wnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0);
    GdiFlush();
    const TRect r = control->GetButtonRect(Button(0, 0));
    EXPECT_EQ(b.Pixels(r.Left + 3, r.Top + 3), 0xB59385);
}

TEST_F(CategoryLook, TheFrameInsetsTheListAndIsDrawnAroundIt)
{
    Fill({3});
    form.Form->Show();
    Application->ProcessMessages();
    control->SetShowBoder(true);
    EXPECT_EQ(control->ClientWidth(), 161 - 4);
    EXPECT_EQ(control->ClientHeight(), 200 - 4);
    EXPECT_EQ(control->GetButtonRect(Button(0, 0)).Right, 157 - 1 - 5);
    RedrawWindow(Wnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    TBitmap shot;
    shot.SetSize(control->Width(), control->Height());
    HDC dc = GetWindowDC(Wnd());
    BitBlt(shot.Canvas()->Handle(), 0, 0, control->Width(), control->Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(Wnd(), dc);
    GdiFlush();
    EXPECT_EQ(shot.Pixels(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(shot.Pixels(1, 1), Rgb(clBtnFace));
    EXPECT_EQ(shot.Pixels(160, 100), Rgb(clBtnShadow));
    control->SetShowBoder(false);
    EXPECT_EQ(control->ClientWidth(), 161);
}

TEST_F(CategoryLook, HorizontalFlowLaysCategoriesSideBySide)
{
    control->SetBounds(0, 0, 300, 120);
    control->SetButtonOptions({skboShowCaptions});
    control->SetButtonFlow(skcbfHorizontal);
    Fill({6, 2, 4}, false);
    // Rotated captions: the caption takes the top line (U), the buttons fill columns below it.
    EXPECT_EQ(Category(1)->LayoutStart, Category(0)->LayoutEnd);
    const TRect r0 = control->GetButtonRect(Button(0, 0));
    EXPECT_EQ(r0.Left, 8);
    EXPECT_EQ(r0.Top, control->ScrollUnit());
    EXPECT_EQ(control->GetButtonAt(r0.Left + 3, r0.Top + 3), Button(0, 0));
    auto shot = Snapshot(control);
    const TRect band1 = control->GetCategoryBounds(Category(1), Category(1)->LayoutStart).Band;
    EXPECT_EQ(shot->Pixels(band1.Left, 50), Rgb(clBtnShadow)) << "each category is a column of its own";
    EXPECT_EQ(shot->Pixels(r0.Left + 3, r0.Top + 3), Rgb(clBtnFace));
    if (Category(2)->LayoutEnd > 300) {
        ASSERT_NE(control->ScrollBar(), nullptr);
        EXPECT_EQ(control->ScrollBar()->Kind(), sk::sbHorizontal);
    }
}

TEST_F(CategoryLook, ButtonImagesComeFromTheImageListWhileItLives)
{
    control->SetButtonOptions({skboFullSize});
    Fill({2});
    auto* images = new TImageList(nullptr);
    TBitmap red;
    red.SetSize(16, 16);
    red.Fill(0x0000FF);
    images->AddMasked(&red, clFuchsia);
    control->SetImages(images);
    Button(0, 1)->SetImageIndex(0);
    const TRect r = control->GetButtonRect(Button(0, 1));
    // Without a caption the glyph sits in the middle of the button.
    const int cx = (r.Left + r.Right) / 2;
    const int cy = (r.Top + r.Bottom) / 2;
    auto shot = Snapshot(control);
    EXPECT_EQ(shot->Pixels(cx - 2, cy), 0x0000FF);
    EXPECT_EQ(shot->Pixels(r.Left + 3, cy), Rgb(clBtnFace));
    images->Free();
    EXPECT_EQ(control->Images(), nullptr);
    EXPECT_EQ(Snapshot(control)->Pixels(cx - 2, cy), Rgb(clBtnFace));
}
