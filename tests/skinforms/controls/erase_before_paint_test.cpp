// Controls that draw their whole content when asked to erase: asked with their own window's
// device while a paint of theirs is still to come (as every control is when its window is first
// shown), they leave the drawing to that paint instead of drawing twice.
#include "skinforms/categorybuttons/support.h"

#include "skin/controls/Button.h"

using namespace cl;
using namespace cattest;

namespace {

constexpr COLORREF Marker = RGB(0x12, 0x34, 0x56);

// What an erase request with the window's own device leaves at (X, Y), the point marked first.
COLORREF AfterOwnErase(HWND Wnd, int X, int Y)
{
    HDC dc = GetDC(Wnd);
    SetPixel(dc, X, Y, Marker);
    SendMessageA(Wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    GdiFlush();
    const COLORREF seen = GetPixel(dc, X, Y);
    ReleaseDC(Wnd, dc);
    return seen;
}

struct EraseBeforePaint : ::testing::Test, TCategoryScene {
    void SetUp() override
    {
        Fill({3});
        control->SetSelectedItem(Button(0, 0));
        form.Form->Show();
        Application->ProcessMessages();
    }
};

}  // namespace

TEST_F(EraseBeforePaint, CategoryButtonsLeaveTheirOwnWindowToThePaintToCome)
{
    const TRect r = control->GetButtonRect(Button(0, 0));
    const int x = r.Left + 3, y = r.Top + 3;
    InvalidateRect(Wnd(), nullptr, FALSE);
    EXPECT_EQ(AfterOwnErase(Wnd(), x, y), Marker) << "the paint that follows draws it";
    Application->ProcessMessages();
    EXPECT_FALSE(GetUpdateRect(Wnd(), nullptr, FALSE));
    EXPECT_EQ(AfterOwnErase(Wnd(), x, y), COLORREF(0xB59385)) << "no paint to come: the erase draws";
}

TEST_F(EraseBeforePaint, AButtonLeavesItsOwnWindowToThePaintToCome)
{
    auto* button = new sk::TskSkinButton(form.Form);
    button->SetBounds(200, 20, 80, 24);
    button->SetParent(form.Form);
    Application->ProcessMessages();
    HWND wnd = button->Handle();
    InvalidateRect(wnd, nullptr, FALSE);
    EXPECT_EQ(AfterOwnErase(wnd, 1, 1), Marker);
    Application->ProcessMessages();
    EXPECT_NE(AfterOwnErase(wnd, 1, 1), Marker) << "no paint to come: the erase draws the button";
}
