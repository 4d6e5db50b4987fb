// The skinned list box on a real window: the skinned bars mirroring the inner list's native
// range as items come and go, the wide-item bar, rows, caption buttons with their repeat,
// out-of-range indices, a 100,000-item list, both looks of the items, and a page scrolled by
// a click on the bar as the screen shows it.
#include "skin/bases/support.h"
#include "support/UserInput.h"

#include "classlib/graphics/ImgList.h"
#include "skinforms/controls/ListBox.h"
#include "skinforms/frame/Messages.h"

using namespace cl;
using namespace sk;
using namespace skctrltest;

namespace {

struct ListBox : ::testing::Test {
    TTestForm form;
    TskSkinListBox* box = nullptr;
    void SetUp() override
    {
        box = new TskSkinListBox(form.Form);
        box->SetParent(form.Form);
        box->SetBounds(10, 10, 150, 104);  // five rows of 20 in the default look
        box->HandleNeeded();
    }
    HWND List() { return box->ListBox()->Handle(); }
    void Tick() { SendMessageA(box->Handle(), WM_TIMER, TskSkinListBox::RepeatTimerId, 0); }
    SCROLLINFO Native()
    {
        SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(List(), SB_VERT, &si);
        return si;
    }
};

// What the screen shows of a window.
std::unique_ptr<TBitmap> OnScreen(TWinControl* Control)
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(Control->Width(), Control->Height());
    HDC dc = GetWindowDC(Control->Handle());
    BitBlt(b->Canvas()->Handle(), 0, 0, Control->Width(), Control->Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(Control->Handle(), dc);
    GdiFlush();
    return b;
}

// Counts the paints a window is sent, between Watch and the end of its life or Stop.
struct TPaintCount {
    static inline int Paints = 0;
    static inline WNDPROC Old = nullptr;
    HWND Wnd = nullptr;
    static LRESULT CALLBACK Proc(HWND W, UINT M, WPARAM WP, LPARAM LP)
    {
        if (M == WM_PAINT)
            ++Paints;
        return CallWindowProcA(Old, W, M, WP, LP);
    }
    explicit TPaintCount(HWND W) : Wnd(W)
    {
        Paints = 0;
        Old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(W, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    ~TPaintCount() { SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Old)); }
};

}  // namespace

TEST_F(ListBox, TheSkinnedBarComesWhenTheRowsNoLongerFitAndMirrorsTheNativeRange)
{
    RECT client{};
    for (int i = 0; i < 5; ++i)
        box->Items()->Add("item " + std::to_string(i));
    EXPECT_EQ(box->ScrollBar(), nullptr) << "five rows fit";
    box->Items()->Add("item 5");
    ASSERT_NE(box->ScrollBar(), nullptr);
    GetClientRect(List(), &client);
    EXPECT_EQ(client.right, box->ListBox()->Width()) << "the native bar never takes room";
    EXPECT_EQ(box->ScrollBar()->Left(), 150 - 20);
    EXPECT_EQ(box->ListBox()->Width(), 150 - 20 - 2);
    const SCROLLINFO si = Native();
    EXPECT_EQ(box->ScrollBar()->Min(), si.nMin);
    EXPECT_EQ(box->ScrollBar()->Max(), si.nMax);
    EXPECT_EQ(box->ScrollBar()->PageSize(), 5);
    // The bar scrolls the list, and a wheel on the list moves the bar.
    box->ScrollBar()->SetPosition(1);
    EXPECT_EQ(box->TopIndex(), 1);
    SendMessageA(List(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(box->TopIndex(), 0);
    EXPECT_EQ(box->ScrollBar()->Position(), 0);
    box->Items()->Delete(5);
    EXPECT_EQ(box->ScrollBar(), nullptr);
    EXPECT_EQ(box->ListBox()->Width(), 150 - 4);
}

TEST_F(ListBox, RowCountSizesTheControlAndAMatchingCountNeedsNoBar)
{
    box->SetRowCount(3);
    EXPECT_EQ(box->Height(), 3 * 20 + 4);
    for (int i = 0; i < 3; ++i)
        box->Items()->Add("x");
    EXPECT_EQ(box->ScrollBar(), nullptr);
    box->Items()->Add("y");
    EXPECT_NE(box->ScrollBar(), nullptr);
}

TEST_F(ListBox, AWideItemBringsTheExtentBarWhichCarriesTheCornerMarker)
{
    box->SetHorizontalExtent(true);
    box->Items()->Add("short");
    EXPECT_EQ(box->ExtentScrollBar(), nullptr);
    box->Items()->Add(std::string(60, 'W'));
    ASSERT_NE(box->ExtentScrollBar(), nullptr);
    EXPECT_FALSE(box->ExtentScrollBar()->Both());
    for (int i = 0; i < 10; ++i)
        box->Items()->Add("more");
    ASSERT_NE(box->ScrollBar(), nullptr);
    box->UpdateScrollBars();
    EXPECT_LE(box->ScrollBar()->Top() + box->ScrollBar()->Height(), box->ExtentScrollBar()->Top() + 1)
        << "the vertical bar ends above the horizontal one";
    // Right scrolls the wide item.
    box->ListBox()->SetFocus();
    SendMessageA(List(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_GT(box->ListBox()->HorizontalOffset(), 0);
    box->Items()->Delete(1);
    EXPECT_EQ(box->ExtentScrollBar(), nullptr);
    EXPECT_EQ(box->ListBox()->HorizontalOffset(), 0);
}

TEST_F(ListBox, AnIndexOutsideTheItemsIsAClearError)
{
    box->Items()->Add("a");
    EXPECT_THROW(box->SetItemIndex(1), EListError);
    EXPECT_THROW(box->SetItemIndex(-2), EListError);
    box->SetItemIndex(0);
    EXPECT_EQ(box->ItemIndex(), 0);
    box->SetItemIndex(-1);
    EXPECT_EQ(box->ItemIndex(), -1);
    EXPECT_THROW(box->Items()->Get(5), EListError);
}

TEST_F(ListBox, HoldingTheCaptionsDownButtonStepsAfterTheFirstTickAndStopsAtTheLastItem)
{
    box->SetCaptionMode(true);
    for (int i = 0; i < 4; ++i)
        box->Items()->Add("i");
    box->SetItemIndex(0);
    const TRect down = box->CaptionButtonRect(TskSkinListBox::DownButton);
    EXPECT_EQ(box->CaptionButtonRect(TskSkinListBox::UpButton), (TRect{150 - 17 - 2, 2, 148, 18}));
    const LPARAM at = At(down.Left + 3, down.Top + 3);
    SendMessageA(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    Tick();  // only re-armed
    EXPECT_EQ(box->ItemIndex(), 0);
    Tick();
    EXPECT_EQ(box->ItemIndex(), 1);
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(box->ItemIndex(), 3) << "no step past the last item";
    SendMessageA(box->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(box->ItemIndex(), 3);
    // Released away from the button, a press still steps.
    const TRect up = box->CaptionButtonRect(TskSkinListBox::UpButton);
    SendMessageA(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(up.Left + 3, up.Top + 3));
    SendMessageA(box->Handle(), WM_LBUTTONUP, 0, At(5, 60));
    EXPECT_EQ(box->ItemIndex(), 2);
    // With the event assigned a click only fires it.
    int clicks = 0;
    box->OnDownButtonClick = [&](TObject*) { ++clicks; };
    SendMessageA(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    Tick();
    Tick();
    SendMessageA(box->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(box->ItemIndex(), 2);
}

TEST_F(ListBox, AHundredThousandItemsFillInABracketAndTheLastPageShows)
{
    box->Items()->BeginUpdate();
    for (int i = 0; i < 100000; ++i)
        box->Items()->Add("station " + std::to_string(i));
    box->Items()->EndUpdate();
    Application->ProcessMessages();
    ASSERT_EQ(box->Items()->Count(), 100000);
    ASSERT_NE(box->ScrollBar(), nullptr);
    EXPECT_EQ(box->ScrollBar()->Max(), Native().nMax);
    box->ScrollBar()->SetPosition(box->ScrollBar()->Max());
    EXPECT_GE(box->TopIndex(), 100000 - 5);
    box->SetItemIndex(99999);
    EXPECT_EQ(box->Items()->Get(99999), "station 99999");
    auto shot = Snapshot(box->ListBox());
    const TRect last = box->ListBox()->ItemRect(99999);
    EXPECT_EQ(shot->Pixels(last.Left + 1, last.Top + 1), Rgb(clHighlight));
}

TEST_F(ListBox, DefaultLookDrawsItemsSelectionAndTheEmptyArea)
{
    box->Items()->Add("one");
    box->Items()->Add("two");
    box->SetItemIndex(1);
    auto shot = Snapshot(box->ListBox());
    EXPECT_EQ(shot->Pixels(1, 1), Rgb(clWindow));
    EXPECT_EQ(shot->Pixels(1, 21), Rgb(clHighlight));
    EXPECT_EQ(shot->Pixels(1, 70), Rgb(clWindow)) << "below the last item";
    int drawn = 0;
    box->OnDrawItem = [&](TCanvas* C, int Index, int W, int H, TRect, TOwnerDrawState) {
        ++drawn;
        C->Brush()->SetColor(0x00C0C0);
        C->FillRect(Rect(0, 0, W, H));
    };
    shot = Snapshot(box->ListBox());
    EXPECT_EQ(drawn, 2);
    EXPECT_EQ(shot->Pixels(5, 5), 0x00C0C0);
    // An empty list answers the private request with its background.
    box->Items()->Clear();
    TBitmap b;
    b.SetSize(10, 10);
    EXPECT_EQ(SendMessageA(List(), WM_PAINTEMPTYLISTINTODC, reinterpret_cast<WPARAM>(b.Canvas()->Handle()),
                           PaintIntoDCAnswer),
              PaintIntoDCAnswer);
    EXPECT_EQ(b.Pixels(5, 5), Rgb(clWindow));
}

TEST_F(ListBox, ItemsShowTheImageOfTheirOwnIndexOrTheOneChosenForAllAndTheirTextAfterIt)
{
    constexpr TColor Red = 0x0000FF, Blue = 0xFF0000;
    auto* images = new TImageList(nullptr);
    for (TColor colour : {Red, Blue}) {
        TBitmap b;
        b.SetSize(16, 16);
        b.Fill(colour);
        images->AddMasked(&b, clFuchsia);
    }
    for (const char* item : {"a", "b", "c"})
        box->Items()->Add(item);
    constexpr TColor none = clNone;
    const struct {
        bool withImages;
        int imageIndex;
        TColor shown[3];
    } cases[] = {
        {false, -1, {none, none, none}},
        {true, -1, {Red, Blue, none}},  // the item's own index; the third has no image
        {true, 0, {Red, Red, Red}},
        {true, 1, {Blue, Blue, Blue}},
        {true, 2, {none, none, none}},  // past the list
        {true, -2, {none, none, none}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.withImages ? "images" : "no images") << ", index " << c.imageIndex);
        box->SetImages(c.withImages ? images : nullptr);
        box->SetImageIndex(c.imageIndex);
        auto shot = Snapshot(box->ListBox());
        for (int i = 0; i < 3; ++i) {
            RECT r{};
            SendMessageA(List(), LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
            // The image stands at the text's left, two pixels in, centred on the item's height;
            // without one the text starts there.
            const TColor at = shot->Pixels(r.left + 9, (r.top + r.bottom) / 2);
            // The text's first dark column: after the image and two pixels, or where the image
            // would stand when the list holds none for the item.
            int text = -1;
            for (int x = r.left; x < r.left + 40 && text < 0; ++x)
                for (int y = r.top; y < r.bottom && text < 0; ++y)
                    if (const TColor p = shot->Pixels(x, y);
                        p != Red && p != Blue && (p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF) < 384)
                        text = x;
            ASSERT_GE(text, 0) << "item " << i;
            if (c.shown[i] == none) {
                EXPECT_TRUE(at != Red && at != Blue) << "item " << i;
                EXPECT_LT(text, r.left + 2 + 8) << "item " << i;
            } else {
                EXPECT_EQ(at, c.shown[i]) << "item " << i;
                EXPECT_GE(text, r.left + 2 + 16 + 2) << "item " << i;
            }
        }
    }
    images->Free();
}

TEST_F(ListBox, SkinnedLookTakesTheItemPiecesTheItemHeightAndTheClientPart)
{
    TTestSkin skin;
    TBitmap* p = skin.Picture();
    p->SetSize(200, 100);
    p->Fill(0x303030);
    auto paint = [&](int L, int T, int R, int B, TColor C) {
        for (int y = T; y < B; ++y)
            for (int x = L; x < R; ++x)
                p->SetPixels(x, y, C);
    };
    paint(3, 3, 57, 57, 0xE0E0E0);        // client part
    paint(100, 0, 160, 18, 0x20A020);     // item
    paint(100, 20, 160, 38, 0xA02020);    // active item
    paint(100, 40, 160, 58, 0x2020A0);    // focused item
    auto* d = skin.Add<TskDataSkinListBox>("listbox");
    d->PictureIndex = 0;
    d->SkinRect = {0, 0, 60, 60};
    d->ClRect = {3, 3, 57, 57};
    d->LTPoint = {3, 3};
    d->RTPoint = {57, 3};
    d->LBPoint = {3, 57};
    d->RBPoint = {57, 57};
    d->ItemRect = {100, 0, 160, 18};
    d->ActiveItemRect = {100, 20, 160, 38};
    d->FocusItemRect = {100, 40, 160, 58};
    d->ItemTextRect = {4, 0, 56, 18};
    box->Items()->Add("a");
    box->Items()->Add("b");
    box->SetSkinData(skin.Data);
    ASSERT_NE(box->DescriptionIndex(), -1);
    EXPECT_EQ(box->ListBox()->ItemHeight(), 18);
    EXPECT_EQ(box->ListBox()->Left(), 3);
    box->SetItemIndex(1);
    auto shot = Snapshot(box->ListBox());
    EXPECT_EQ(shot->Pixels(1, 1), 0x20A020);
    EXPECT_EQ(shot->Pixels(1, 19), 0xA02020);
    EXPECT_EQ(shot->Pixels(1, 60), 0xE0E0E0) << "the client part below the items";
    form.Form->Show();
    box->ListBox()->SetFocus();
    EXPECT_EQ(Snapshot(box->ListBox())->Pixels(1, 19), 0x2020A0);
    // A skin whose client part has no area: plain window colour, not a division by zero.
    d->ClRect = {3, 3, 3, 57};
    EXPECT_EQ(Snapshot(box->ListBox())->Pixels(1, 60), Rgb(clWindow));
}

TEST_F(ListBox, TheCaptionGlyphStandsBeforeTheTextByAlignmentWithItsDisabledFrame)
{
    // Two frames of 10 x 8, red and blue; the bottom-left pixel of each is the transparent one.
    TBitmap glyph;
    glyph.SetSize(20, 8);
    glyph.Fill(0x0000C0);
    for (int y = 0; y < 8; ++y)
        for (int x = 10; x < 20; ++x)
            glyph.SetPixels(x, y, 0xC00000);
    glyph.SetPixels(0, 7, 0xFF00FF);
    glyph.SetPixels(10, 7, 0xFF00FF);
    box->SetCaptionMode(true);
    box->SetGlyph(&glyph);
    box->SetNumGlyphs(2);
    EXPECT_EQ(box->Spacing(), 2);
    // Left: at the caption's left edge, centred on the caption bar one pixel higher.
    auto shot = Snapshot(box);
    EXPECT_EQ(shot->Pixels(5, 6), 0x0000C0);
    EXPECT_EQ(shot->Pixels(3, 4), 0x0000C0);
    EXPECT_NE(shot->Pixels(3, 3), 0x0000C0);
    EXPECT_NE(shot->Pixels(3, 11), 0x0000C0) << "the transparent corner";
    box->SetEnabled(false);
    EXPECT_EQ(Snapshot(box)->Pixels(5, 6), 0xC00000) << "the second frame while disabled";
    box->SetEnabled(true);
    // Right: the glyph and the (empty) text end at the caption's right edge, left of the buttons.
    box->SetAlignment(cl::taRightJustify);
    const int b = 17;
    const int right = 150 - 3 * b - 3;
    shot = Snapshot(box);
    EXPECT_EQ(shot->Pixels(right - 12 + 1, 6), 0x0000C0);
    EXPECT_NE(shot->Pixels(5, 6), 0x0000C0);
    // A glyph wider than the caption stays out of the buttons.
    TBitmap wide;
    wide.SetSize(400, 8);
    wide.Fill(0x0000C0);
    wide.SetPixels(0, 7, 0xFF00FF);
    box->SetNumGlyphs(1);
    box->SetAlignment(cl::taLeftJustify);
    box->SetGlyph(&wide);
    shot = Snapshot(box);
    const TRect check = box->CaptionButtonRect(TskSkinListBox::CheckButton);
    ASSERT_GT(check.Left, right);
    EXPECT_EQ(shot->Pixels(right - 1, 6), 0x0000C0);
    EXPECT_NE(shot->Pixels(right, 6), 0x0000C0) << "nothing between the caption and the buttons";
}

TEST_F(ListBox, APageScrolledByAClickInTheBarShowsAsTheSamePageDrawnAfreshAndDrawsTheBarOnce)
{
    // The same page in a list that never showed another one.
    auto* fresh = new TskSkinListBox(form.Form);
    fresh->SetParent(form.Form);
    fresh->SetBounds(200, 10, 150, 104);
    for (int i = 0; i < 20; ++i) {
        box->Items()->Add("station " + std::to_string(i));
        fresh->Items()->Add("station " + std::to_string(i));
    }
    fresh->SetTopIndex(5);
    form.Form->Show();
    Application->ProcessMessages();
    // The last row of the first page chosen by a click: the item drawn last before the page
    // goes is the chosen one with the focus, in the colours of the selection.
    realinput::ClickWindow(List(), 10, 4 * 20 + 10);
    ASSERT_EQ(box->ItemIndex(), 4);
    ASSERT_EQ(GetFocus(), List());
    ASSERT_NE(box->ScrollBar(), nullptr);
    HWND bar = box->ScrollBar()->Handle();
    {
        const TPaintCount barPaints(bar);
        // In the track, below the thumb: one page down.
        realinput::ClickWindow(bar, 9, box->ScrollBar()->Height() - 25);
        EXPECT_EQ(TPaintCount::Paints, 1) << "the bar is drawn once for a page";
    }
    ASSERT_EQ(box->TopIndex(), 5);
    const auto scrolled = OnScreen(box->ListBox());
    const auto drawnAfresh = OnScreen(fresh->ListBox());
    int differ = 0;
    for (int y = 0; y < scrolled->Height(); ++y)
        for (int x = 0; x < scrolled->Width(); ++x)
            differ += scrolled->Pixels(x, y) != drawnAfresh->Pixels(x, y);
    EXPECT_EQ(differ, 0) << "pixels that differ from the page drawn afresh";
}
