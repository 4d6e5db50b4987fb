// Tab and page controls over the platform's tab control: events in order, hidden tabs,
// sheets shown and hidden, state kept across re-creation.
#include "classlib/stdctrls/ComCtrls.h"
#include "classlib/controls/support.h"

#include <commctrl.h>

using namespace cl;
using namespace visual_test;

namespace {

struct ComCtrlsTest : TFormTest<> {
    std::vector<std::string> events;
    // A real click in the middle of a tab.
    static void ClickTab(TCustomTabControl* Control, int Index)
    {
        const TRect r = Control->TabRect(Index);
        const LPARAM at = MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        SendMessageA(Control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(Control->Handle(), WM_LBUTTONUP, 0, at);
    }
    // A tab control on the form with the tabs One, Two and Three, the first selected.
    TTabControl* ThreeTabs()
    {
        auto* tabs = new TTabControl(form);
        tabs->SetBounds(10, 10, 300, 200);
        tabs->SetParent(form);
        for (const char* s : {"One", "Two", "Three"})
            tabs->Tabs()->Add(s);
        tabs->SetTabIndex(0);
        return tabs;
    }
    // A page control without sheets on the form, with room for its tabs and a page.
    TPageControl* PageControl()
    {
        auto* pages = new TPageControl(form);
        pages->SetBounds(10, 10, 300, 200);
        pages->SetParent(form);
        return pages;
    }
    TTabSheet* Sheet(TPageControl* Pages, const char* Caption)
    {
        auto* sheet = new TTabSheet(form);
        sheet->SetCaption(Caption);
        sheet->SetPageControl(Pages);
        return sheet;
    }
};

}  // namespace

TEST_F(ComCtrlsTest, ClickOnATabAsksFirstThenChangesAndARefusalKeepsTheTab)
{
    TTabControl* tabs = ThreeTabs();
    bool allow = true;
    tabs->OnChanging = [&](TObject*, bool& AllowChange) {
        events.push_back("changing " + std::to_string(tabs->TabIndex()));
        AllowChange = allow;
    };
    tabs->OnChange = [&](TObject*) { events.push_back("change " + std::to_string(tabs->TabIndex())); };
    ClickTab(tabs, 2);
    EXPECT_EQ(events, (std::vector<std::string>{"changing 0", "change 2"}));
    allow = false;
    events.clear();
    ClickTab(tabs, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"changing 2"}));
    EXPECT_EQ(tabs->TabIndex(), 2);
    // Setting the index in code is no user's change: no events.
    events.clear();
    tabs->SetTabIndex(1);
    EXPECT_TRUE(events.empty());
    tabs->SetTabIndex(9);
    EXPECT_EQ(tabs->TabIndex(), -1);
}

TEST_F(ComCtrlsTest, TabsAndIndexSurviveRecreateAndDisplayRectLiesInsideTheStrip)
{
    auto* tabs = new TTabControl(form);
    tabs->SetBounds(10, 10, 300, 200);
    for (const char* s : {"A", "B"})
        tabs->Tabs()->Add(s);
    tabs->SetTabIndex(1);
    tabs->SetParent(form);
    EXPECT_EQ(tabs->TabIndex(), 1);
    tabs->SetTabPosition(tpBottom);
    tabs->SetHotTrack(true);
    EXPECT_EQ(tabs->Tabs()->Count(), 2);
    EXPECT_EQ(tabs->Tabs()->Get(1), "B");
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_TRUE(GetWindowLongA(tabs->Handle(), GWL_STYLE) & TCS_BOTTOM);
    const TRect display = tabs->DisplayRect();
    const TRect tab = tabs->TabRect(0);
    EXPECT_GT(display.Width(), 0);
    EXPECT_LE(display.Bottom, tab.Top) << "bottom tabs lie below the display area";
    EXPECT_EQ(tabs->TabRect(5), TRect{});
    EXPECT_THROW(tabs->Tabs()->Get(2), EListError);
}

TEST_F(ComCtrlsTest, PagesShowOnlyTheActiveSheetAlignedToTheDisplayArea)
{
    TPageControl* pages = PageControl();
    TTabSheet* a = Sheet(pages, "A");
    TTabSheet* b = Sheet(pages, "B");
    TTabSheet* c = Sheet(pages, "C");
    pages->SetActivePage(a);
    EXPECT_TRUE(a->Visible());
    EXPECT_FALSE(b->Visible());
    EXPECT_EQ(a->BoundsRect(), pages->DisplayRect());
    pages->OnChange = [&](TObject*) { events.push_back("change"); };
    ClickTab(pages, 2);
    EXPECT_EQ(pages->ActivePage(), c);
    EXPECT_TRUE(c->Visible());
    EXPECT_FALSE(a->Visible());
    EXPECT_EQ(events, (std::vector<std::string>{"change"}));
    EXPECT_EQ(c->BoundsRect(), pages->DisplayRect());
}

TEST_F(ComCtrlsTest, HiddenTabsSeparateTabIndexFromPageIndex)
{
    TPageControl* pages = PageControl();
    TTabSheet* a = Sheet(pages, "A");
    TTabSheet* b = Sheet(pages, "B");
    TTabSheet* c = Sheet(pages, "C");
    b->SetTabVisible(false);
    EXPECT_EQ(pages->Pages(2), c);
    EXPECT_EQ(c->PageIndex(), 2);
    EXPECT_EQ(c->TabIndex(), 1);
    EXPECT_EQ(b->TabIndex(), -1);
    ClickTab(pages, 1);
    EXPECT_EQ(pages->ActivePage(), c);
    // A sheet whose tab is hidden can still be the one shown (a page control with no tabs).
    pages->SetActivePage(b);
    EXPECT_TRUE(b->Visible());
    EXPECT_EQ(pages->TabIndex(), -1);
    a->SetCaption("Renamed");
    EXPECT_EQ(pages->TabRect(0).Width() > 0, true);
    c->SetPageIndex(0);
    EXPECT_EQ(pages->Pages(0), c);
    EXPECT_EQ(c->TabIndex(), 0);
    // Freeing the active sheet activates another; a foreign sheet is refused.
    b->Free();
    EXPECT_NE(pages->ActivePage(), nullptr);
    auto* other = new TPageControl(form);
    other->SetParent(form);
    TTabSheet* foreign = Sheet(other, "X");
    TTabSheet* before = pages->ActivePage();
    pages->SetActivePage(foreign);
    EXPECT_EQ(pages->ActivePage(), before);
    // The page control goes before its sheets' owner: the sheets forget it.
    pages->Free();
    EXPECT_EQ(other->PageCount(), 1);
    EXPECT_EQ(foreign->PageControl(), other);
}

TEST_F(ComCtrlsTest, SideTabsComeInRowsAndPagesKeepTheirSheetAcrossRecreate)
{
    TPageControl* pages = PageControl();
    TTabSheet* a = Sheet(pages, "Stations");
    TTabSheet* b = Sheet(pages, "Web Site");
    pages->SetActivePage(b);
    pages->SetTabPosition(tpLeft);  // re-creates the window
    const LONG style = GetWindowLongA(pages->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & TCS_VERTICAL);
    EXPECT_TRUE(style & TCS_MULTILINE) << "tabs at a side only exist in rows";
    EXPECT_EQ(pages->TabRect(1).Width() > 0, true);
    EXPECT_EQ(pages->ActivePage(), b);
    EXPECT_EQ(pages->TabIndex(), 1);
    EXPECT_TRUE(b->Visible());
    EXPECT_FALSE(a->Visible());
    EXPECT_GE(pages->DisplayRect().Left, pages->TabRect(0).Right) << "the sheets lie beside the tabs";
    EXPECT_EQ(b->BoundsRect(), pages->DisplayRect());
}

TEST_F(ComCtrlsTest, OwnerDrawnTabsAreDrawnByTheHandlerWithTheSelectedOneMarked)
{
    auto* tabs = new TTabControl(form);
    tabs->SetBounds(10, 10, 300, 200);
    tabs->SetOwnerDraw(true);
    tabs->SetParent(form);
    for (const char* s : {"One", "Two"})
        tabs->Tabs()->Add(s);
    tabs->SetTabIndex(1);
    std::vector<std::pair<int, bool>> drawn;
    tabs->OnDrawTab = [&](TCustomTabControl* Control, int Index, const TRect& Rect, bool Active) {
        drawn.emplace_back(Index, Active);
        Control->Canvas()->Brush()->SetColor(clLime);
        Control->Canvas()->FillRect(Rect);
    };
    form->Show();
    RedrawWindow(tabs->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_FALSE(drawn.empty());
    for (const auto& [index, active] : drawn)
        EXPECT_EQ(active, index == 1);
    EXPECT_EQ(tabs->GetImageIndex(1), 1);
    tabs->OnGetImageIndex = [](TObject*, int, int& ImageIndex) { ImageIndex = 7; };
    EXPECT_EQ(tabs->GetImageIndex(1), 7);
}

TEST_F(ComCtrlsTest, ATabClickReachesTheTabControlOnceWithOneEventOfEachKind)
{
    TTabControl* tabs = ThreeTabs();
    int downs = 0;
    tabs->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        events.push_back("down " + std::to_string(tabs->TabIndex()));
        ++downs;
    };
    tabs->OnChanging = [&](TObject*, bool&) { events.push_back("changing " + std::to_string(tabs->TabIndex())); };
    tabs->OnChange = [&](TObject*) { events.push_back("change " + std::to_string(tabs->TabIndex())); };
    ClickTab(tabs, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"changing 0", "change 1", "down 1"}))
        << "the tab changes in the control's own handling, before the layer's events";
    EXPECT_EQ(downs, 1);

    // Pages: one click, one page change.
    TPageControl* pages = PageControl();
    TTabSheet* a = Sheet(pages, "A");
    Sheet(pages, "B");
    TTabSheet* c = Sheet(pages, "C");
    pages->SetActivePage(a);
    events.clear();
    pages->OnChanging = [&](TObject*, bool& Allow) {
        events.push_back("changing");
        Allow = true;
    };
    pages->OnChange = [&](TObject*) { events.push_back("change"); };
    ClickTab(pages, 2);
    EXPECT_EQ(pages->ActivePage(), c);
    EXPECT_EQ(events, (std::vector<std::string>{"changing", "change"}));
}

TEST_F(ComCtrlsTest, TabsAndPagesSurviveTheirParentsRecreation)
{
    auto* panel = new TPanelProbe(form);
    panel->SetBounds(0, 0, 380, 260);
    panel->SetParent(form);
    auto* tabs = new TTabControl(form);
    tabs->SetBounds(10, 10, 300, 100);
    tabs->SetParent(panel);
    for (const char* s : {"One", "Two", "Three"})
        tabs->Tabs()->Add(s);
    ClickTab(tabs, 2);
    ASSERT_EQ(tabs->TabIndex(), 2);
    auto* pages = new TPageControl(form);
    pages->SetBounds(10, 120, 300, 130);
    pages->SetParent(panel);
    Sheet(pages, "A");
    TTabSheet* b = Sheet(pages, "B");
    ClickTab(pages, 1);
    ASSERT_EQ(pages->ActivePage(), b);

    form->RecreateWnd();
    ASSERT_TRUE(tabs->HandleAllocated());
    EXPECT_EQ(tabs->Tabs()->Count(), 3);
    EXPECT_EQ(tabs->Tabs()->Get(2), "Three");
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(TabCtrl_GetItemCount(pages->Handle()), 2);
    EXPECT_EQ(pages->ActivePage(), b);
    EXPECT_EQ(pages->TabIndex(), 1);
    EXPECT_TRUE(b->Visible());
}
