// Glyphs rendered into a bitmap and compared with the pixels their line lists give (the end
// point of each line left out); text fitting measured, never hard-coded; system helpers.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Canvas.h"
#include "skin/drawing/Utils.h"

using cl::TBitmap;
using TPixels = std::set<std::pair<int, int>>;

namespace {

constexpr cl::TColor Ink = 0x0000C0;

// The pixels of Bitmap that carry the ink.
TPixels Inked(const TBitmap& Bitmap)
{
    TPixels out;
    for (int y = 0; y < Bitmap.Height(); ++y)
        for (int x = 0; x < Bitmap.Width(); ++x)
            if (Bitmap.Pixels(x, y) == Ink)
                out.insert({x, y});
    return out;
}

TPixels VLine(int X, int Y0, int Y1)  // rows Y0..Y1, both included
{
    TPixels out;
    for (int y = Y0; y <= Y1; ++y)
        out.insert({X, y});
    return out;
}

TPixels HLine(int Y, int X0, int X1)
{
    TPixels out;
    for (int x = X0; x <= X1; ++x)
        out.insert({x, Y});
    return out;
}

TPixels Join(std::initializer_list<TPixels> Parts)
{
    TPixels out;
    for (const TPixels& p : Parts)
        out.insert(p.begin(), p.end());
    return out;
}

struct TGlyphCanvas {
    TBitmap Bitmap;
    TGlyphCanvas() { Bitmap.SetSize(16, 16); }
    cl::TCanvas* Canvas() { return Bitmap.Canvas(); }
};

}  // namespace

TEST(Glyphs, ArrowsPointTheirWayAndOtherDirectionsDrawNothing)
{
    const cl::TRect r = cl::Rect(0, 0, 10, 10);  // centre (5, 5)
    TGlyphCanvas left, right, up, down, none;
    sk::DrawArrowImage(left.Canvas(), r, Ink, sk::adLeft);
    EXPECT_EQ(Inked(left.Bitmap), Join({VLine(3, 5, 5), VLine(4, 4, 6), VLine(5, 3, 7), VLine(6, 2, 8)}));
    sk::DrawArrowImage(right.Canvas(), r, Ink, sk::adRight);
    EXPECT_EQ(Inked(right.Bitmap), Join({VLine(7, 5, 5), VLine(6, 4, 6), VLine(5, 3, 7), VLine(4, 2, 8)}));
    sk::DrawArrowImage(up.Canvas(), r, Ink, sk::adUp);
    EXPECT_EQ(Inked(up.Bitmap), Join({HLine(3, 5, 5), HLine(4, 4, 6), HLine(5, 3, 7), HLine(6, 2, 8)}));
    sk::DrawArrowImage(down.Canvas(), r, Ink, sk::adDown);
    EXPECT_EQ(Inked(down.Bitmap), Join({HLine(7, 5, 5), HLine(6, 4, 6), HLine(5, 3, 7), HLine(4, 2, 8)}));
    for (int direction : {0, 5, -1})
        sk::DrawArrowImage(none.Canvas(), r, Ink, direction);
    EXPECT_TRUE(Inked(none.Bitmap).empty());
}

TEST(Glyphs, CheckMarkIsThreePixelsThick)
{
    TGlyphCanvas g;
    sk::DrawCheckMark(g.Canvas(), 2, 3, Ink);
    TPixels want;
    for (int i = 0; i <= 2; ++i)
        for (auto [x, y] : {std::pair{0, 5}, {1, 6}, {2, 7}, {3, 6}, {4, 5}, {5, 4}, {6, 3}})
            want.insert({2 + x, 3 + y - i});
    EXPECT_EQ(Inked(g.Bitmap), want);
}

TEST(Glyphs, CrossRadioSquareAndTriangles)
{
    TGlyphCanvas cross;
    sk::DrawCrossGlyph(cross.Canvas(), 0, 0, Ink);
    TPixels want;
    for (int i = 0; i < 8; ++i) {
        want.insert({1 + i, 1 + i});
        want.insert({9 - i, 1 + i});
        want.insert({2 + i, 1 + i});
        want.insert({8 - i, 1 + i});
    }
    EXPECT_EQ(Inked(cross.Bitmap), want);

    TGlyphCanvas centred;
    sk::DrawCenteredGlyph(centred.Canvas(), cl::Rect(0, 0, 16, 16), Ink);  // cell at (3, 3)
    TPixels shifted;
    for (auto [x, y] : want)
        shifted.insert({x + 3, y + 3});
    EXPECT_EQ(Inked(centred.Bitmap), shifted);

    TGlyphCanvas radio;
    sk::DrawRadioMark(radio.Canvas(), 4, 5, Ink);
    TPixels square;
    for (int y = 5; y < 11; ++y)
        square.merge(HLine(y, 4, 9));
    EXPECT_EQ(Inked(radio.Bitmap), square);

    TGlyphCanvas down, up;
    sk::DrawDownTriangleGlyph(down.Canvas(), 0, 0, Ink);
    EXPECT_EQ(Inked(down.Bitmap), Join({HLine(2, 1, 8), HLine(3, 2, 7), HLine(4, 3, 6), HLine(5, 4, 5)}));
    sk::DrawUpTriangleGlyph(up.Canvas(), 0, 0, Ink);
    EXPECT_EQ(Inked(up.Bitmap), Join({HLine(6, 1, 8), HLine(5, 2, 7), HLine(4, 3, 6), HLine(3, 4, 5)}));
}

TEST(Glyphs, SystemColoursAreResolved)
{
    TGlyphCanvas g;
    sk::DrawSquareGlyph(g.Canvas(), 0, 0, cl::clBtnShadow);
    const cl::TColor shadow = static_cast<cl::TColor>(GetSysColor(COLOR_BTNSHADOW));
    for (int y = 2; y < 7; ++y)
        for (int x = 2; x < 7; ++x)
            EXPECT_EQ(g.Bitmap.Pixels(x, y), shadow) << x << "," << y;
    EXPECT_EQ(g.Bitmap.Pixels(7, 7), cl::clWhite);
}

TEST(Glyphs, BoxGlyphsAreOutlines)
{
    TGlyphCanvas max;
    max.Canvas()->Brush()->SetColor(cl::clLime);  // must not fill the box
    sk::DrawMaximizeGlyph(max.Canvas(), 1, 1, Ink);
    const TPixels box = Join({HLine(1, 1, 11), HLine(2, 1, 11), HLine(10, 1, 11), VLine(1, 1, 10), VLine(11, 1, 10)});
    EXPECT_EQ(Inked(max.Bitmap), box);
    EXPECT_EQ(max.Bitmap.Pixels(5, 5), cl::clWhite);

    TGlyphCanvas under;
    sk::DrawUnderlineGlyph(under.Canvas(), 0, 0, Ink);
    EXPECT_EQ(Inked(under.Bitmap), Join({HLine(8, 1, 8), HLine(9, 1, 8)}));
}

namespace {

struct TTextCanvas {
    TBitmap Bitmap;
    TTextCanvas()
    {
        Bitmap.SetSize(200, 40);
        Bitmap.Canvas()->Font()->SetName("Tahoma");
        Bitmap.Canvas()->Font()->SetHeight(-11);
    }
    cl::TCanvas* Canvas() { return Bitmap.Canvas(); }
};

}  // namespace

TEST(SkinText, MeasuresWithTheCanvasFont)
{
    TTextCanvas t;
    const int narrow = sk::GetTextWidth(t.Canvas(), L"iii");
    const int wide = sk::GetTextWidth(t.Canvas(), L"WWWWWW");
    EXPECT_GT(narrow, 0);
    EXPECT_GT(wide, narrow);
    EXPECT_GT(sk::GetTextHeight(t.Canvas(), L"Ag"), 0);
    EXPECT_EQ(sk::GetTextWidth(t.Canvas(), L""), 0);
    t.Canvas()->Font()->SetHeight(-30);
    EXPECT_GT(sk::GetTextWidth(t.Canvas(), L"WWWWWW"), wide);
}

TEST(SkinText, FitTextToWidth)
{
    TTextCanvas t;
    std::wstring fits = L"Radio";
    sk::FitTextToWidth(t.Canvas(), fits, sk::GetTextWidth(t.Canvas(), fits));
    EXPECT_EQ(fits, L"Radio");  // no ellipsis when it fits

    std::wstring never = L"Radio";
    sk::FitTextToWidth(t.Canvas(), never, 1);
    EXPECT_EQ(never, L"...");

    const std::wstring text = L"Trebanix Web Radio";
    std::wstring cut = text;
    const int max = sk::GetTextWidth(t.Canvas(), L"Trebanix...");
    sk::FitTextToWidth(t.Canvas(), cut, max);
    ASSERT_GE(cut.size(), 3u);
    EXPECT_EQ(cut.substr(cut.size() - 3), L"...");
    EXPECT_LE(sk::GetTextWidth(t.Canvas(), cut), max);
    const std::wstring kept = cut.substr(0, cut.size() - 3);
    EXPECT_EQ(text.compare(0, kept.size(), kept), 0);
    // One more character would not have fitted.
    EXPECT_GT(sk::GetTextWidth(t.Canvas(), text.substr(0, kept.size() + 1) + L"..."), max);

    // A character outside the basic plane goes whole or not at all.
    std::wstring surrogate = L"ab\xD83D\xDE00\xD83D\xDE00";
    sk::FitTextToWidth(t.Canvas(), surrogate, sk::GetTextWidth(t.Canvas(), L"ab\xD83D\xDE00..."));
    const std::wstring rest = surrogate.substr(0, surrogate.size() - 3);
    ASSERT_FALSE(rest.empty());
    EXPECT_FALSE(rest.back() >= 0xD800 && rest.back() <= 0xDBFF);
}

TEST(SkinText, ItemTextIsClippedAndEmptyTextDrawsNothing)
{
    TTextCanvas t;
    t.Canvas()->Brush()->SetColor(cl::clWhite);
    t.Canvas()->Font()->SetColor(Ink);
    sk::DrawItemText(t.Canvas(), "", cl::Rect(0, 0, 200, 40));
    sk::DrawTextInRect(t.Canvas(), "", cl::Rect(0, 0, 200, 40));
    EXPECT_TRUE(Inked(t.Bitmap).empty());
    sk::DrawItemTextEx(t.Canvas(), "WWWWWWWWWW", cl::Rect(10, 10, 40, 30), 5);
    const TPixels ink = Inked(t.Bitmap);
    ASSERT_FALSE(ink.empty());
    for (auto [x, y] : ink) {
        EXPECT_GE(x, 17);  // left + 2 + offset
        EXPECT_LT(x, 40);
        EXPECT_GE(y, 10);
        EXPECT_LT(y, 30);
    }
    TTextCanvas centred;
    centred.Canvas()->Font()->SetColor(Ink);
    sk::DrawTextInRect(centred.Canvas(), "W", cl::Rect(20, 0, 100, 40));
    int top = 40, bottom = 0, left = 200;
    for (auto [x, y] : Inked(centred.Bitmap)) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        left = std::min(left, x);
    }
    EXPECT_GE(left, 20);
    EXPECT_LE(std::abs((top + bottom) / 2 - 20), 3);  // vertically centred
}

namespace {

DWORD fakeVersion = 0;
DWORD FakeVersion()
{
    return fakeVersion;
}

struct TVersionScope {
    explicit TVersionScope(DWORD Version)
    {
        fakeVersion = Version;
        sk::SetWindowsVersionSource(FakeVersion);
    }
    ~TVersionScope() { sk::SetWindowsVersionSource(nullptr); }
};

}  // namespace

TEST(SystemHelpers, VersionTests)
{
    struct {
        DWORD version;
        bool xp, nt5;
    } cases[] = {{0x0005, false, true}, {0x0105, true, true}, {0x0205, false, true},
                 {0x0305, false, false}, {0x0006, false, false}, {0x0104, false, false}};
    for (const auto& c : cases) {
        TVersionScope scope(c.version);
        EXPECT_EQ(sk::IsWindowsXP(), c.xp) << std::hex << c.version;
        EXPECT_EQ(sk::IsWindowsNT5(), c.nt5) << std::hex << c.version;
    }
    int major = 0, minor = 0;
    {
        TVersionScope scope(0x1DB10105);  // build number in the high word
        sk::GetWindowsVersion(major, minor);
    }
    EXPECT_EQ(major, 5);
    EXPECT_EQ(minor, 1);
    sk::GetWindowsVersion(major, minor);
    EXPECT_EQ(major, LOBYTE(LOWORD(GetVersion())));
}

TEST(SystemHelpers, WorkAreasOnOneMonitor)
{
    ASSERT_FALSE(sk::IsMultiMonitor());
    const cl::TRect screen = sk::GetDesktopWorkArea(false);
    EXPECT_EQ(screen, cl::Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    cl::TRect r = cl::Rect(1, 2, 3, 4);
    sk::GetMonitorWorkArea(GetDesktopWindow(), false, r);
    EXPECT_EQ(r, screen);
    sk::GetMonitorWorkArea(nullptr, true, r);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(r, cl::Rect(work.left, work.top, work.right, work.bottom));
    // Asked in one question, the monitor's areas are the same as asked one by one.
    for (HWND wnd : {HWND(nullptr), GetDesktopWindow()}) {
        cl::TRect workArea, whole;
        bool primary = false;
        ASSERT_TRUE(sk::GetMonitorAreas(wnd, workArea, whole, primary));
        EXPECT_TRUE(primary);
        EXPECT_EQ(whole, screen);
        EXPECT_EQ(workArea, cl::Rect(work.left, work.top, work.right, work.bottom));
    }
}

TEST(SystemHelpers, LayeredAlpha)
{
    HWND wnd = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(wnd, nullptr);
    sk::SetAlphaBlendTransparent(wnd, 77);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 77);
    EXPECT_TRUE(flags & LWA_ALPHA);
    DestroyWindow(wnd);
}
