// The category-buttons model with a recording stand-in for the control.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skinforms/categorybuttons/Model.h"

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
    void WatchAction(cl::TBasicAction* action) override { watched.push_back(action); }
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
    std::vector<cl::TBasicAction*> watched;
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
    // A button already here moves within the list: -1 (or past the last) is the end.
    EXPECT_EQ(b->Items()->AddItem(moved, -1), moved);
    EXPECT_EQ(b->Items()->Count(), 3);
    EXPECT_EQ(moved->Index(), 2);
    b->Items()->AddItem(moved, 0);
    EXPECT_EQ(moved->Index(), 0);
    b->Items()->AddItem(moved, 7);
    EXPECT_EQ(moved->Index(), 2);
    b->Items()->AddItem(moved, 1);
    EXPECT_EQ(moved->Index(), 1);
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

namespace {

// Handlers with an identity, so that the link can tell the action's handler from another.
struct THandlers {
    int runs = 0;
    int others = 0;
    void Run(cl::TObject*) { ++runs; }
    void Other(cl::TObject*) { ++others; }
};

// An action as it stands while a form stream is still being read.
struct TLoadingAction : cl::TAction {
    using cl::TAction::TAction;
    void SetLoading(bool On) { SetComponentStateFlag(cl::csLoading, On); }
};

}  // namespace

TEST(CategoryModel, AButtonShowsItsActionAndFollowsItsChanges)
{
    RecordingHost host;
    THandlers handlers;
    cl::TAction action(nullptr);
    action.SetCaption("Play");
    action.SetHint("Plays the station");
    action.SetImageIndex(4);
    action.SetOnExecute(cl::TNotifyEvent(&handlers, &THandlers::Run));
    TskButtonCategory* category = AddCategory(host, "A", 2);
    TskBaseButtonItem* button = category->Items()->Items(1);
    host.Reset();
    button->SetAction(&action);
    EXPECT_EQ(button->Action(), &action);
    EXPECT_EQ(host.watched, std::vector<cl::TBasicAction*>{&action});
    EXPECT_EQ(button->Caption(), "Play");
    EXPECT_EQ(button->Hint(), "Plays the station");
    EXPECT_EQ(button->ImageIndex(), 4);
    EXPECT_TRUE(button->OnClick == action.OnExecute());
    EXPECT_FALSE(button->IsCaptionStored() || button->IsHintStored() || button->IsImageIndexStored() ||
                 button->IsOnClickStored())
        << "what the action supplies stays out of the form stream";
    EXPECT_FALSE(host.invalidated.empty()) << "the new caption repaints the button";

    action.SetCaption("Listen");
    action.SetImageIndex(7);
    action.SetOnExecute(cl::TNotifyEvent(&handlers, &THandlers::Other));
    EXPECT_EQ(button->Caption(), "Listen");
    EXPECT_EQ(button->ImageIndex(), 7);
    button->OnClick(nullptr);
    EXPECT_EQ(handlers.others, 1);
    EXPECT_EQ(category->Items()->Items(0)->Caption(), "A0") << "other buttons keep their own";

    // A handler of the same object but another method is the button's own.
    button->OnClick = cl::TNotifyEvent(&handlers, &THandlers::Run);
    EXPECT_TRUE(button->IsOnClickStored());
    button->SetCaption("Mine");
    EXPECT_TRUE(button->IsCaptionStored());
    EXPECT_FALSE(button->IsHintStored());

    // Letting go keeps what the button shows.
    button->SetAction(nullptr);
    EXPECT_EQ(button->Action(), nullptr);
    EXPECT_EQ(button->ActionLink(), nullptr);
    action.SetCaption("Later");
    EXPECT_EQ(button->Caption(), "Mine");
    EXPECT_TRUE(button->IsCaptionStored() && button->IsOnClickStored());
}

TEST(CategoryModel, WhileTheActionLoadsWhatTheButtonWasGivenWins)
{
    RecordingHost host;
    THandlers handlers;
    TLoadingAction action(nullptr);
    action.SetCaption("Action caption");
    action.SetHint("Action hint");
    action.SetImageIndex(3);
    action.SetOnExecute(cl::TNotifyEvent(&handlers, &THandlers::Run));
    action.SetLoading(true);
    TskBaseButtonItem* own = AddCategory(host, "A", 2)->Items()->Items(0);
    own->SetCaption("Own caption");
    own->SetImageIndex(1);
    own->OnClick = cl::TNotifyEvent(&handlers, &THandlers::Other);
    own->SetAction(&action);
    EXPECT_EQ(own->Caption(), "Own caption");
    EXPECT_EQ(own->Hint(), "Action hint") << "an empty hint takes the action's";
    EXPECT_EQ(own->ImageIndex(), 1);
    own->OnClick(nullptr);
    EXPECT_EQ(handlers.others, 1);
    EXPECT_EQ(handlers.runs, 0);

    // Loaded: a change of the action is taken whole.
    action.SetLoading(false);
    action.SetHint("New hint");
    EXPECT_EQ(own->Caption(), "Action caption");
    EXPECT_EQ(own->ImageIndex(), 3);
    own->OnClick(nullptr);
    EXPECT_EQ(handlers.runs, 1);

    // Outside loading, an action's values replace the button's at once.
    TskBaseButtonItem* other = own->ButtonCollection()->Items(1);
    other->SetCaption("Given");
    other->SetAction(&action);
    EXPECT_EQ(other->Caption(), "Action caption");
}

TEST(CategoryModel, ActionsAreNeitherCopiedNorKeptAfterTheyGo)
{
    RecordingHost host;
    TskButtonCategory* category = AddCategory(host, "A", 2);
    TskBaseButtonItem* source = category->Items()->Items(0);
    TskBaseButtonItem* target = category->Items()->Items(1);
    auto* action = new cl::TAction(nullptr);
    action->SetCaption("Act");
    source->SetAction(action);
    target->Assign(source);
    EXPECT_EQ(target->Caption(), "Act");
    EXPECT_EQ(target->Action(), nullptr) << "Assign does not copy the action";
    EXPECT_FALSE(target->OnClick);

    // Moved into another control's list, the button's action is watched there too.
    RecordingHost other;
    TskButtonCategory* elsewhere = AddCategory(other, "B", 0);
    TskBaseButtonItem* moved = AddCategory(host, "C", 1)->Items()->Items(0);
    moved->SetAction(action);
    elsewhere->Items()->AddItem(moved, -1);
    EXPECT_EQ(other.watched, std::vector<cl::TBasicAction*>{action});
    EXPECT_EQ(moved->Caption(), "Act");
    elsewhere->Items()->Clear();

    // A plain action has no caption to give; the button only keeps it.
    cl::TBasicAction basic(nullptr);
    target->SetAction(&basic);
    EXPECT_EQ(target->Action(), &basic);
    EXPECT_EQ(target->Caption(), "Act");

    action->Free();
    EXPECT_EQ(source->Action(), nullptr) << "the link forgets a freed action";
    EXPECT_EQ(source->Caption(), "Act");
    // A button freed while linked leaves its action cleanly.
    category->Items()->Delete(1);
    basic.SetOnExecute([](cl::TObject*) {});
}
