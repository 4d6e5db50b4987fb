// Menus as data: shortcut text, accelerators, item trees, radio groups, actions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/menus/Menus.h"

using namespace cl;

namespace {
constexpr unsigned VkF4 = 0x73;
constexpr unsigned VkDelete = 0x2E;
constexpr unsigned VkReturn = 0x0D;
}  // namespace

TEST(MenusShortCut, TextOfModifiersInFixedOrderAndKeyNames)
{
    EXPECT_EQ(ShortCutToText(ShortCut(VkF4, scAlt)), "Alt+F4");
    EXPECT_EQ(ShortCutToText(ShortCut('S', scCtrl | scShift)), "Shift+Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VkDelete, scNone)), "Del");
    EXPECT_EQ(ShortCutToText(ShortCut(VkReturn, scCtrl | scAlt)), "Ctrl+Alt+Enter");
    // A key without a name gives no text, and a key beyond a byte no shortcut at all.
    EXPECT_EQ(ShortCutToText(ShortCut(0xE5, scCtrl)), "");
    EXPECT_EQ(ShortCut(0x1FF, scCtrl), scNone);
    EXPECT_EQ(ShortCutToText(scNone), "");
}

TEST(MenusShortCut, TextRoundTripsAndJunkGivesNone)
{
    for (TShortCut s : {ShortCut(VkF4, scAlt), ShortCut('Z', scCtrl), ShortCut(0x21, scShift)})
        EXPECT_EQ(TextToShortCut(ShortCutToText(s)), s) << ShortCutToText(s);
    EXPECT_EQ(TextToShortCut("ctrl+alt+del"), ShortCut(VkDelete, scCtrl | scAlt));
    EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
    EXPECT_EQ(TextToShortCut("Hyper+Q"), scNone);
    EXPECT_EQ(TextToShortCut(""), scNone);
}

TEST(MenusAccel, HotKeyAfterSingleAmpersandOnly)
{
    EXPECT_TRUE(IsAccel('F', "&File"));
    EXPECT_TRUE(IsAccel('f', "&File"));
    EXPECT_FALSE(IsAccel('I', "&File"));
    EXPECT_FALSE(IsAccel('S', "Save && &Quit") );
    EXPECT_TRUE(IsAccel('Q', "Save && &Quit"));
    EXPECT_FALSE(IsAccel('A', "Tom && Jerry"));
    EXPECT_FALSE(IsAccel('X', "Trailing&"));
    EXPECT_FALSE(IsAccel(0, "&File"));
    EXPECT_EQ(StripHotKey("Save && &Quit"), "Save & Quit");
}

namespace {
struct MenuFixture : ::testing::Test {
    TComponent owner{nullptr};
    TMenuItem* Item(const char* caption, TMenuItem* parent)
    {
        auto* item = new TMenuItem(&owner);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }
};
}  // namespace

TEST_F(MenuFixture, TreeKeepsOrderAndRefusesCyclesAndBadIndexes)
{
    auto* menu = new TPopupMenu(&owner);
    TMenuItem* file = Item("&File", menu->Items());
    TMenuItem* open = Item("Open", file);
    Item("-", file);
    TMenuItem* quit = Item("Quit", file);
    EXPECT_EQ(file->Count(), 3);
    EXPECT_TRUE(file->Items(1)->IsLine());
    EXPECT_EQ(quit->GetParentMenu(), menu);
    EXPECT_EQ(menu->Items()->Find("file"), file);
    EXPECT_THROW(open->Add(file), EMenuError);
    EXPECT_THROW(file->Add(file), EMenuError);
    EXPECT_THROW(file->Items(3), EMenuError);
    EXPECT_THROW(file->Insert(7, new TMenuItem(&owner)), EMenuError);
    quit->SetMenuIndex(0);
    EXPECT_EQ(file->Items(0), quit);
    // Moving an item to another parent takes it out of the first.
    menu->Items()->Add(open);
    EXPECT_EQ(file->IndexOf(open), -1);
    EXPECT_EQ(open->Parent(), menu->Items());
}

TEST_F(MenuFixture, FreeingAnItemOrTheMenuLeavesNoDanglingItems)
{
    auto* menu = new TPopupMenu(&owner);
    TMenuItem* file = Item("File", menu->Items());
    Item("Open", file);
    Item("Close", file);
    const int before = owner.ComponentCount();
    file->Free();  // its children go with it, and leave the owner
    EXPECT_EQ(menu->Items()->Count(), 0);
    EXPECT_EQ(owner.ComponentCount(), before - 3);
    TMenuItem* view = Item("View", menu->Items());
    Item("Zoom", view);
    menu->Free();
    EXPECT_EQ(owner.ComponentCount(), before - 4);
}

TEST_F(MenuFixture, RadioItemsOfOneGroupExcludeEachOtherOnly)
{
    auto* menu = new TMainMenu(&owner);
    TMenuItem* a = Item("A", menu->Items());
    TMenuItem* b = Item("B", menu->Items());
    TMenuItem* c = Item("C", menu->Items());
    for (TMenuItem* i : {a, b})
        i->SetRadioItem(true);
    c->SetRadioItem(true);
    c->SetGroupIndex(2);
    a->SetChecked(true);
    c->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(c->Checked());
    b->SetDefault(true);
    a->SetDefault(true);
    EXPECT_FALSE(b->Default());
}

TEST_F(MenuFixture, ShortCutsClickOnlyReachableItemsAndCommandsDispatch)
{
    auto* menu = new TPopupMenu(&owner);
    TMenuItem* file = Item("File", menu->Items());
    TMenuItem* save = Item("Save", file);
    TMenuItem* hidden = Item("Hidden", menu->Items());
    TMenuItem* inner = Item("Inner", hidden);
    std::vector<std::string> clicks;
    save->SetShortCut(ShortCut('S', scCtrl));
    inner->SetShortCut(ShortCut('H', scCtrl));
    save->OnClick = [&](TObject*) { clicks.push_back("save"); };
    inner->OnClick = [&](TObject*) { clicks.push_back("inner"); };
    hidden->SetVisible(false);
    EXPECT_TRUE(menu->IsShortCut(ShortCut('S', scCtrl)));
    EXPECT_FALSE(menu->IsShortCut(ShortCut('H', scCtrl)));
    EXPECT_FALSE(menu->IsShortCut(ShortCut('S', scAlt)));
    file->SetEnabled(false);
    EXPECT_FALSE(menu->IsShortCut(ShortCut('S', scCtrl)));
    EXPECT_TRUE(menu->DispatchCommand(inner->Command()));
    EXPECT_FALSE(menu->DispatchCommand(0));
    EXPECT_EQ(clicks, (std::vector<std::string>{"save", "inner"}));
}

TEST_F(MenuFixture, LinesAtTheEndsAndDoubledLinesAreHidden)
{
    auto* menu = new TPopupMenu(&owner);
    TMenuItem* root = menu->Items();
    TMenuItem* l1 = Item("-", root);
    Item("A", root);
    TMenuItem* l2 = Item("-", root);
    TMenuItem* l3 = Item("-", root);
    TMenuItem* b = Item("B", root);
    TMenuItem* l4 = Item("-", root);
    EXPECT_TRUE(root->RethinkLines());
    EXPECT_FALSE(l1->Visible());
    EXPECT_TRUE(l2->Visible());
    EXPECT_FALSE(l3->Visible());
    EXPECT_FALSE(l4->Visible());
    b->SetVisible(false);
    root->RethinkLines();
    EXPECT_FALSE(l2->Visible());
    menu->SetAutoLineReduction(false);
    EXPECT_FALSE(root->RethinkLines());
}

TEST_F(MenuFixture, ActionDrivesItemUntilTheItemIsGivenAValueOfItsOwn)
{
    auto* menu = new TPopupMenu(&owner);
    TMenuItem* item = Item("", menu->Items());
    auto* action = new TAction(&owner);
    int executed = 0;
    action->SetOnExecute([&](TObject* sender) {
        ++executed;
        EXPECT_EQ(static_cast<TBasicAction*>(sender)->ActionComponent(), item);
    });
    action->SetCaption("Play");
    item->SetAction(action);
    EXPECT_EQ(item->Caption(), "Play");
    action->SetEnabled(false);
    EXPECT_FALSE(item->Enabled());
    item->Click();
    EXPECT_EQ(executed, 0) << "a disabled item does nothing";
    action->SetEnabled(true);
    item->Click();
    EXPECT_EQ(executed, 1);
    // A caption of the item's own is no longer the action's to change.
    item->SetCaption("Listen");
    action->SetCaption("Play now");
    EXPECT_EQ(item->Caption(), "Listen");
    action->SetHint("Starts the station");
    EXPECT_EQ(item->Hint(), "Starts the station") << "equal hints are linked";
    item->SetHint("Own hint");
    action->SetHint("Starts");
    EXPECT_EQ(item->Hint(), "Own hint");
    // An own handler that differs from the action's wins.
    int own = 0;
    item->OnClick = [&](TObject*) { ++own; };
    item->Click();
    EXPECT_EQ(own, 1);
    EXPECT_EQ(executed, 1);
    // The action goes first: the item forgets it and keeps working.
    action->Free();
    EXPECT_EQ(item->Action(), nullptr);
    item->Click();
    EXPECT_EQ(own, 2);
}

TEST_F(MenuFixture, GroupedActionsOfOneListExcludeEachOtherAndTheListIsForgotten)
{
    auto* list = new TActionList(&owner);
    auto* a = new TAction(&owner);
    auto* b = new TAction(&owner);
    auto* other = new TAction(&owner);
    for (TAction* x : {a, b}) {
        x->SetActionList(list);
        x->SetGroupIndex(1);
    }
    other->SetGroupIndex(1);  // same group number, but in no list: not in the group
    other->SetChecked(true);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_EQ(list->ActionCount(), 2);
    b->SetAutoCheck(true);
    b->Execute();
    EXPECT_FALSE(b->Checked());
    list->Free();
    EXPECT_EQ(a->ActionList(), nullptr);
    a->Free();
    EXPECT_THROW(TActionList(nullptr).Actions(0), EListError);
}

TEST_F(MenuFixture, PopupNotesPointAndComponentIsForgottenWhenFreed)
{
    auto* menu = new TPopupMenu(&owner);
    auto* source = new TComponent(&owner);
    int popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    menu->SetPopupComponent(source);
    menu->Popup(10, 20);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(menu->PopupPoint(), (TPoint{10, 20}));
    source->Free();
    EXPECT_EQ(menu->PopupComponent(), nullptr);
}

TEST_F(MenuFixture, MenuHearsOfChangesWithWhetherItsLayoutMustBeRebuilt)
{
    auto* menu = new TPopupMenu(&owner);
    std::vector<std::pair<TMenuItem*, bool>> changes;
    menu->OnChange = [&](TObject*, TMenuItem* Source, bool Rebuild) { changes.emplace_back(Source, Rebuild); };
    TMenuItem* item = Item("Play", menu->Items());
    changes.clear();
    item->SetCaption("Stop");
    item->SetChecked(true);
    item->SetCaption("Stop");  // unchanged: no notice
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], std::make_pair(item, true));
    EXPECT_EQ(changes[1], std::make_pair(item, false));
    // An item outside any menu tells nobody.
    TMenuItem loose(nullptr);
    loose.SetCaption("x");
    EXPECT_EQ(loose.GetParentMenu(), nullptr);
}
