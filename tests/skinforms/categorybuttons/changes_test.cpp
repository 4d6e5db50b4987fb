// The category-buttons control follows what changes after it was made (a skin under its frame,
// its font), and draws station and category names as data: "&" as it is, inside their own
// rectangle, cut with an ellipsis. Text is judged by where ink lies, never by glyph pixels.
#include "skinforms/categorybuttons/support.h"

using namespace cl;
using namespace cattest;
using skctrltest::Snapshot;

namespace {

struct CategoryChanges : ::testing::Test, TCategoryScene {
    // Ink: the dark pixels of text drawn in the button text colour (black) on the light face,
    // smoothed edges included; the grey frames and the face are lighter.
    static bool IsInk(TColor C)
    {
        return (C & 0xFF) + ((C >> 8) & 0xFF) + ((C >> 16) & 0xFF) < 3 * 0x80;
    }
    // Columns of R in Shot that hold ink, as [first, last]; {-1, -1} when none.
    static std::pair<int, int> InkColumns(TBitmap& Shot, const TRect& R)
    {
        std::pair<int, int> span{-1, -1};
        for (int x = R.Left; x < R.Right; ++x)
            for (int y = R.Top; y < R.Bottom; ++y)
                if (IsInk(Shot.Pixels(x, y))) {
                    if (span.first < 0)
                        span.first = x;
                    span.second = x;
                    break;
                }
        return span;
    }
    // Rows of R that hold ink, as [first, last].
    static std::pair<int, int> InkRows(TBitmap& Shot, const TRect& R)
    {
        std::pair<int, int> span{-1, -1};
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                if (IsInk(Shot.Pixels(x, y))) {
                    if (span.first < 0)
                        span.first = y;
                    span.second = y;
                    break;
                }
        return span;
    }
};

}  // namespace

TEST_F(CategoryChanges, TheFrameFollowsASkinLoadedAfterIt)
{
    Fill({3});
    form.Form->Show();
    Application->ProcessMessages();
    control->SetShowBoder(true);
    ASSERT_EQ(control->ClientWidth(), 161 - 4);

    skctrltest::TTestSkin skin;
    skin.Picture()->SetSize(40, 40);
    auto* panel = skin.Add<sk::TskDataSkinPanelControl>("panel");
    panel->PictureIndex = 0;
    panel->SkinRect = {0, 0, 40, 40};
    panel->ClRect = {5, 6, 33, 31};  // insets 5, 6, 7, 9
    control->SetSkinData(skin.Data);
    EXPECT_EQ(control->ClientWidth(), 161 - 5 - 7);
    EXPECT_EQ(control->ClientHeight(), 200 - 6 - 9);
    EXPECT_EQ(control->GetButtonRect(Button(0, 0)).Right, 161 - 12 - 1 - 5) << "laid out in the new client area";

    // A change of the skin's own data, announced as skins announce it.
    panel->ClRect = {3, 3, 37, 37};
    control->BeforeChangeSkinData();
    control->ChangeSkinData();
    EXPECT_EQ(control->ClientWidth(), 161 - 6);
    skin.Remove();
    EXPECT_EQ(control->SkinData(), nullptr);
}

TEST_F(CategoryChanges, AFontChangeResizesTheCaptionLines)
{
    Fill({3, 2}, false);
    const int before = control->TextHeight();
    const int secondBand = Category(1)->LayoutStart;
    control->Font()->SetHeight(-40);
    EXPECT_GT(control->TextHeight(), before + 10);
    EXPECT_EQ(control->ScrollUnit(), control->TextHeight() + 5);
    EXPECT_GT(Category(1)->LayoutStart, secondBand) << "the first band grew with its caption line";
}

TEST_F(CategoryChanges, NamesAreDataAmpersandsAndAll)
{
    // Eight ampersands: as mnemonics they would show as four.
    control->SetButtonOptions({skboFullSize, skboShowCaptions});
    Fill({2});
    Button(0, 0)->SetCaption("&&&&&&&&");
    Button(0, 1)->SetCaption("");
    auto shot = Snapshot(control);
    const TRect r = control->GetButtonRect(Button(0, 0));
    const auto span = InkColumns(*shot, InflateRect(r, -2, -2));
    ASSERT_GE(span.first, 0) << "the caption is drawn";
    TBitmap probe;
    probe.SetSize(1, 1);
    probe.Canvas()->Font()->Assign(control->Font());
    const int eight = probe.Canvas()->TextWidth("&&&&&&&&");
    EXPECT_GT(span.second - span.first + 1, eight * 3 / 4) << "every ampersand is shown";

    // The category caption line too.
    Category(0)->SetCaption("&&&&&&&&");
    shot = Snapshot(control);
    const TRect band = control->GetCategoryBounds(Category(0), Category(0)->LayoutStart).Band;
    const TRect line{band.Left + 18, band.Top, band.Right, band.Top + control->ScrollUnit()};
    const auto caption = InkColumns(*shot, line);
    ASSERT_GE(caption.first, 0);
    EXPECT_GT(caption.second - caption.first + 1, eight * 3 / 4);
}

TEST_F(CategoryChanges, LongNamesStayInTheirButtonAndEndInAnEllipsis)
{
    // Two buttons side by side: a long name must not reach its neighbour.
    control->SetButtonOptions({skboShowCaptions});
    Fill({2});
    const std::string name(40, 'W');
    Button(0, 0)->SetCaption(name);
    Button(0, 1)->SetCaption("");
    const TRect r0 = control->GetButtonRect(Button(0, 0));
    const TRect r1 = control->GetButtonRect(Button(0, 1));
    ASSERT_EQ(r1.Top, r0.Top) << "side by side";
    auto shot = Snapshot(control);
    EXPECT_EQ(InkColumns(*shot, TRect{r0.Right, r0.Top, r1.Right, r1.Bottom}).first, -1)
        << "nothing of the name beyond its button";
    const auto span = InkColumns(*shot, r0);
    ASSERT_GE(span.first, 0);

    // The last ink is the ellipsis: dots on the base line, nothing in the upper half of the line
    // where every W reaches.
    const auto rows = InkRows(*shot, r0);
    ASSERT_GE(rows.first, 0);
    TBitmap probe;
    probe.SetSize(1, 1);
    probe.Canvas()->Font()->Assign(control->Font());
    const int dots = probe.Canvas()->TextWidth("...");
    const TRect tail{span.second - dots / 2, rows.first, span.second + 1, (rows.first + rows.second) / 2};
    EXPECT_EQ(InkColumns(*shot, tail).first, -1) << "the end of the name is an ellipsis";
}
