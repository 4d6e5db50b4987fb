// The caption glyph of the panel and the roll-up panel: the first frame while enabled, the
// second while disabled, before the text and placed by the caption's alignment.
#include "skin/controls/support.h"

#include "skin/controls/ExPanel.h"
#include "skin/controls/Panel.h"

using namespace controltest;

namespace {

constexpr TColor FrameOne = 0x2080E0;
constexpr TColor FrameTwo = 0x806020;

// Two 10 by 10 frames side by side, each a colour inside a fuchsia edge that is left out.
std::unique_ptr<TBitmap> TwoFrameGlyph()
{
    auto g = std::make_unique<TBitmap>();
    g->SetSize(20, 10);
    g->Fill(0xFF00FF);
    for (int y = 1; y < 9; ++y)
        for (int x = 1; x < 9; ++x) {
            g->SetPixels(x, y, FrameOne);
            g->SetPixels(10 + x, y, FrameTwo);
        }
    return g;
}

struct TCount {
    int One = 0, Two = 0, Left = 1 << 30;
};

TCount CountFrames(TWinControl* C, int Bottom)
{
    auto shot = skctrltest::Snapshot(C);
    TCount n;
    for (int y = 0; y < Bottom; ++y)
        for (int x = 0; x < C->Width(); ++x) {
            const TColor p = shot->Pixels(x, y);
            n.One += p == FrameOne;
            n.Two += p == FrameTwo;
            if (p == FrameOne || p == FrameTwo)
                n.Left = std::min(n.Left, x);
        }
    return n;
}

}  // namespace

TEST(CaptionGlyph, APanelDrawsTheFrameOfItsStateWhereItsAlignmentPutsIt)
{
    skctrltest::TTestForm form;
    auto* panel = new TskSkinPanel(form.Form);
    panel->SetParent(form.Form);
    panel->SetBounds(10, 10, 200, 100);
    panel->SetCaptionMode(true);
    panel->SetGlyph(TwoFrameGlyph().get());
    panel->SetNumGlyphs(2);
    TCount n = CountFrames(panel, panel->DefaultCaptionHeight());
    EXPECT_EQ(n.One, 64);
    EXPECT_EQ(n.Two, 0);
    // The strip's two frames end at 2; the text starts 2 further; the frame's edge is left out.
    EXPECT_EQ(n.Left, 2 + 2 + 1) << "at the strip's text start";
    panel->SetEnabled(false);
    n = CountFrames(panel, panel->DefaultCaptionHeight());
    EXPECT_EQ(n.One, 0);
    EXPECT_EQ(n.Two, 64) << "the disabled frame";
    panel->SetEnabled(true);
    panel->SetDefaultAlignment(taRightJustify);
    n = CountFrames(panel, panel->DefaultCaptionHeight());
    // Right-aligned, the glyph and its spacing end at the strip's right.
    EXPECT_EQ(n.Left, 200 - 2 - 10 - panel->Spacing() + 1);
    panel->SetNumGlyphs(1);
    n = CountFrames(panel, panel->DefaultCaptionHeight());
    EXPECT_EQ(n.One, 64);
    EXPECT_EQ(n.Two, 64) << "one frame: the whole strip";
}

TEST(CaptionGlyph, ARollUpPanelDrawsTheFrameOfItsState)
{
    skctrltest::TTestForm form;
    auto* panel = new TskSkinExPanel(form.Form);
    panel->SetParent(form.Form);
    panel->SetBounds(10, 10, 200, 100);
    panel->SetGlyph(TwoFrameGlyph().get());
    panel->SetNumGlyphs(2);
    TCount n = CountFrames(panel, panel->DefaultCaptionHeight());
    EXPECT_EQ(n.One, 64);
    EXPECT_EQ(n.Two, 0);
    panel->SetEnabled(false);
    n = CountFrames(panel, panel->DefaultCaptionHeight());
    EXPECT_EQ(n.One, 0);
    EXPECT_EQ(n.Two, 64);
}
