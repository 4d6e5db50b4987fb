// The category-buttons model with a recording stand-in for the control.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skinforms/skCategoryButtons.h"

namespace {

class RecordingHost : public TskCategoryButtonsHost {
public:
    RecordingHost() : categories(CreateCategoriesCollection()) {}
    ~RecordingHost() override { delete categories; }

    bool IsReordering() const override { return reordering; }
    void InvalidateButton(TskBaseButtonItem* item) override { invalidated.push_back(item); }
    // Like the control's layout pass, it reads every category and button.
    void Relayout() override
    {
        ++relayouts;
        laidOutButtons = 0;
        for (int i = 0; i < categories->Count(); ++i) {
            TskButtonCategory* category = categories->Items(i);
            for (int j = 0; j < category->Items()->Count(); ++j)
                laidOutButtons += category->Items()->Items(j)->Caption().empty() ? 1 : 1;
        }
    }
    void ScrollCategoryIntoView(TskButtonCategory* category) override { scrolledTo = category; }
    void CategoryCollapsed(TskButtonCategory* category) override { collapsed.push_back(category); }
    void CategoryReordered(TskButtonCategory* source, TskButtonCategory* target) override
    {
        reorders.push_back({source, target});
    }
    void CategoryDestroying(TskButtonCategory* category) override
    {
        for (int i = 0; i < category->Items()->Count(); ++i)
            if (category->Items()->Items(i) == selected)
                selected = nullptr;
        destroyedCategories.push_back(category);
    }
    void ButtonDestroying(TskBaseButtonItem* item) override
    {
        if (item == hot)
            hot = nullptr;
        destroyedButtons.push_back(item);
    }
    void Reset()
    {
        invalidated.clear();
        relayouts = 0;
        collapsed.clear();
        reorders.clear();
    }

    TskButtonCategories* categories;
    bool reordering = false;
    std::vector<TskBaseButtonItem*> invalidated;
    int relayouts = 0;
    int laidOutButtons = 0;
    TskButtonCategory* scrolledTo = nullptr;
    std::vector<TskButtonCategory*> collapsed;
    std::vector<std::pair<TskButtonCategory*, TskButtonCategory*>> reorders;
    std::vector<TskButtonCategory*> destroyedCategories;
    std::vector<TskBaseButtonItem*> destroyedButtons;
    TskBaseButtonItem* selected = nullptr;
    TskBaseButtonItem* hot = nullptr;
};

TskButtonCategory* AddCategory(RecordingHost& host, const char* caption, int buttons)
{
    TskButtonCategory* category = host.categories->Add();
    category->SetCaption(caption);
    for (int i = 0; i < buttons; ++i)
        category->Items()->Insert(i)->SetCaption(std::string(caption) + std::to_string(i));
    return category;
}

}  // namespace

TEST(CategoryModel, InsertPlacesButtonsAndNegativeMeansTheEnd)
{
    RecordingHost host;
    TskButtonCategory* category = host.categories->Add();
    TskBaseButtonItem* first = category->Items()->Insert(-1);
    EXPECT_EQ(first->Index(), 0);
    EXPECT_EQ(first->ImageIndex(), -1);
    category->Items()->Insert(-1);
    category->Items()->Insert(-1);
    TskBaseButtonItem* front = category->Items()->Insert(0);
    EXPECT_EQ(front->Index(), 0);
    EXPECT_EQ(category->Items()->Count(), 4);
    EXPECT_EQ(static_cast<TskButtonItem*>(front)->GetCategory(), category);
    EXPECT_EQ(front->ButtonGroup(), &host);
}

TEST(CategoryModel, AddItemMovesAButtonBetweenCategories)
{
    RecordingHost host;
    TskButtonCategory* a = AddCategory(host, "A", 3);
    TskButtonCategory* b = AddCategory(host, "B", 1);
    TskBaseButtonItem* moved = a->Items()->Items(2);
    int marker = 0;
    moved->SetData(&marker);
    EXPECT_EQ(b->Items()->AddItem(moved, 0), moved);
    EXPECT_EQ(a->Items()->Count(), 2);
    ASSERT_EQ(b->Items()->Count(), 2);
    EXPECT_EQ(b->Items()->Items(0), moved);
    EXPECT_EQ(moved->Data(), &marker);
    EXPECT_TRUE(host.destroyedButtons.empty());
    // Without an item it is Insert.
    EXPECT_EQ(b->Items()->AddItem(nullptr, -1)->Index(), 2);
}

TEST(CategoryModel, ItemChangesRepaintOneButtonAndStructureRelayouts)
{
    RecordingHost host;
    TskButtonCategory* category = AddCategory(host, "A", 2);
    host.Reset();
    TskBaseButtonItem* button = category->Items()->Items(1);
    button->SetCaption("new");
    button->SetCaption("new");
    button->SetImageIndex(3);
    EXPECT_EQ(host.invalidated, (std::vector<TskBaseButtonItem*>{button, button}));
    EXPECT_EQ(host.relayouts, 0);
    category->Items()->Insert(-1);
    EXPECT_EQ(host.relayouts, 1);
    category->SetCaption("renamed");
    EXPECT_EQ(host.relayouts, 2);
}

TEST(CategoryModel, CollapsingTheSameWayTwiceDoesNothing)
{
    RecordingHost host;
    TskButtonCategory* category = AddCategory(host, "A", 1);
    host.Reset();
    category->SetCollapsed(false);
    EXPECT_EQ(host.relayouts, 0);
    EXPECT_TRUE(host.collapsed.empty());
    category->SetCollapsed(true);
    EXPECT_EQ(host.relayouts, 1);
    EXPECT_EQ(host.collapsed, std::vector<TskButtonCategory*>{category});
}

TEST(CategoryModel, MovingACategoryReportsTheOneItDisplaced)
{
    RecordingHost host;
    TskButtonCategory* a = AddCategory(host, "A", 0);
    TskButtonCategory* b = AddCategory(host, "B", 0);
    TskButtonCategory* c = AddCategory(host, "C", 0);
    host.Reset();
    b->SetIndex(1);
    EXPECT_TRUE(host.reorders.empty());
    c->SetIndex(0);
    ASSERT_EQ(host.reorders.size(), 1u);
    EXPECT_EQ(host.reorders[0].first, c);
    EXPECT_EQ(host.reorders[0].second, a);
    EXPECT_EQ(host.scrolledTo, c);
    EXPECT_EQ(host.categories->Items(0), c);
    EXPECT_EQ(host.categories->Items(2), b);
}

TEST(CategoryModel, DeletingACategoryDropsTheControlsReferencesIntoIt)
{
    RecordingHost host;
    AddCategory(host, "A", 1);
    TskButtonCategory* b = AddCategory(host, "B", 2);
    host.selected = b->Items()->Items(1);
    host.hot = b->Items()->Items(0);
    host.Reset();
    host.categories->Delete(1);
    EXPECT_EQ(host.selected, nullptr);
    EXPECT_EQ(host.hot, nullptr);
    EXPECT_EQ(host.destroyedCategories.size(), 1u);
    EXPECT_EQ(host.destroyedButtons.size(), 2u);
    EXPECT_EQ(host.categories->Count(), 1);
    EXPECT_GE(host.relayouts, 1);
}

TEST(CategoryModel, AssignCopiesDataButNotHandlersOrButtons)
{
    RecordingHost host;
    TskButtonCategory* a = AddCategory(host, "A", 2);
    TskButtonCategory* b = AddCategory(host, "B", 1);
    int marker = 0;
    TskBaseButtonItem* source = a->Items()->Items(0);
    source->SetData(&marker);
    source->SetHint("hint");
    source->OnClick = [](cl::TObject*) {};
    TskBaseButtonItem* target = b->Items()->Items(0);
    target->Assign(source);
    EXPECT_EQ(target->Caption(), "A0");
    EXPECT_EQ(target->Hint(), "hint");
    EXPECT_EQ(target->Data(), &marker);
    EXPECT_FALSE(target->OnClick);

    a->SetData(&marker);
    a->SetCollapsed(true);
    b->Assign(a);
    EXPECT_EQ(b->Caption(), "A");
    EXPECT_TRUE(b->Collapsed());
    EXPECT_EQ(b->Data(), &marker);
    EXPECT_EQ(b->Items()->Count(), 1);
    EXPECT_EQ(b->Items()->Items(0)->Caption(), "A0");
}

TEST(CategoryModel, NothingRepaintsInsideAnUpdateUntilItEnds)
{
    RecordingHost host;
    AddCategory(host, "Old", 3);
    host.Reset();
    host.categories->BeginUpdate();
    host.categories->Clear();
    for (const char* name : {"Favorites", "Rock"}) {
        TskButtonCategory* category = host.categories->Add();
        category->SetCaption(name);
        for (int i = 0; i < 3; ++i)
            category->Items()->Insert(i)->SetCaption("x");
        category->SetCollapsed(std::string(name) != "Favorites");
    }
    EXPECT_EQ(host.relayouts, 0);
    EXPECT_TRUE(host.invalidated.empty());
    host.categories->EndUpdate();
    EXPECT_EQ(host.relayouts, 1);
    EXPECT_TRUE(host.invalidated.empty());
}

TEST(CategoryModel, ControlMovingAButtonRepaintsNothing)
{
    RecordingHost host;
    TskButtonCategory* a = AddCategory(host, "A", 2);
    host.Reset();
    host.reordering = true;
    a->Items()->Items(1)->SetIndex(0);
    a->Items()->Items(0)->SetCaption("moved");
    EXPECT_EQ(host.relayouts, 0);
    EXPECT_TRUE(host.invalidated.empty());
}

TEST(CategoryModel, AModelWithoutControlStandsAlone)
{
    TskButtonCategories categories(nullptr);
    TskButtonCategory* category = categories.Add();
    category->Items()->Insert(-1)->SetCaption("b");
    category->SetCollapsed(true);
    EXPECT_EQ(category->Host(), nullptr);
    categories.Clear();
    EXPECT_EQ(categories.Count(), 0);
}
