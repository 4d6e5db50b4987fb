// A parent's background painted into a child's canvas, at the child's place.
#include <gtest/gtest.h>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Canvas.h"
#include "classlib/controls/Controls.h"
#include "skin/drawing/Parent.h"

namespace {

cl::TColor Code(int X, int Y)
{
    return cl::RGBColor(static_cast<std::uint8_t>(X), static_cast<std::uint8_t>(Y), 0x33);
}

// A 40 by 30 parent whose pixel (x, y) has the colour Code(x, y).
class TPatternPanel : public cl::TCustomControl {
public:
    explicit TPatternPanel(cl::TComponent* AOwner) : cl::TCustomControl(AOwner) { SetBounds(0, 0, 40, 30); }
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                Canvas()->SetPixels(x, y, Code(x, y));
    }
};

// A windowless child without a background: it shows its parent's.
class TSeeThrough : public cl::TGraphicControl {
public:
    using cl::TGraphicControl::TGraphicControl;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        sk::DrawParentImage(this, Canvas());
    }
};

struct TScene {
    TPatternPanel Panel{nullptr};
    TSeeThrough Child{nullptr};
    cl::TBitmap Image;
    TScene(int X, int Y)
    {
        Child.SetParent(&Panel);
        Child.SetBounds(X, Y, 8, 6);
        Image.SetSize(8, 6);
    }
    ~TScene() { Child.SetParent(nullptr); }
};

}  // namespace

TEST(ParentImage, PaintsTheParentUnderTheControl)
{
    TScene s(10, 5);
    sk::DrawParentImage(&s.Child, s.Image.Canvas());
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(s.Image.Pixels(x, y), Code(10 + x, 5 + y)) << x << "," << y;
    EXPECT_FALSE(s.Panel.ControlState().Contains(cl::csPaintCopy));
}

TEST(ParentImage, ExShiftsByTheCanvasOrigin)
{
    TScene s(10, 5);
    sk::DrawParentImageEx(&s.Child, cl::Rect(2, 3, 8, 6), s.Image.Canvas());
    EXPECT_EQ(s.Image.Pixels(0, 0), Code(12, 8));
    EXPECT_EQ(s.Image.Pixels(5, 2), Code(17, 10));
}

TEST(ParentImage, ClippedToTheParentsClientArea)
{
    TScene s(36, 26);
    sk::DrawParentImage(&s.Child, s.Image.Canvas());
    EXPECT_EQ(s.Image.Pixels(3, 3), Code(39, 29));
    EXPECT_EQ(s.Image.Pixels(4, 3), cl::clWhite);
    EXPECT_EQ(s.Image.Pixels(3, 4), cl::clWhite);
}

TEST(ParentImage, NothingWithoutParentAndNoEndlessRecursion)
{
    TSeeThrough orphan(nullptr);
    cl::TBitmap image;
    image.SetSize(4, 4);
    sk::DrawParentImage(&orphan, image.Canvas());
    sk::DrawParentImage(nullptr, image.Canvas());
    EXPECT_EQ(image.Pixels(0, 0), cl::clWhite);

    // The parent paints its windowless children too; the child, asking for the parent again
    // from inside that copy, gets nothing and the copy ends.
    TScene s(10, 5);
    sk::DrawParentImage(&s.Child, s.Image.Canvas());
    EXPECT_GE(s.Child.Paints, 1);
    EXPECT_LE(s.Child.Paints, 2);
    EXPECT_EQ(s.Image.Pixels(0, 0), Code(10, 5));
}

namespace {

TPatternPanel* recognised = nullptr;

bool PaintBlue(cl::TWinControl* Parent, HDC DC)
{
    if (Parent != recognised)
        return false;
    RECT r{0, 0, 40, 30};
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(DC, &r, blue);
    DeleteObject(blue);
    return true;
}

}  // namespace

TEST(ParentImage, RegisteredPainterComesFirst)
{
    TScene s(10, 5);
    recognised = &s.Panel;
    sk::RegisterParentBackgroundPainter(PaintBlue);
    sk::DrawParentImage(&s.Child, s.Image.Canvas());
    sk::UnregisterParentBackgroundPainter(PaintBlue);
    EXPECT_EQ(s.Image.Pixels(3, 3), cl::clBlue);
    EXPECT_EQ(s.Panel.Paints, 0);

    sk::DrawParentImage(&s.Child, s.Image.Canvas());
    EXPECT_EQ(s.Image.Pixels(3, 3), Code(13, 8));
    recognised = nullptr;
}
