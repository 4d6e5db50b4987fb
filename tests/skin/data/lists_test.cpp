// The description lists [SKINOBJECTS] and [SKINCONTROLS].
#include <gtest/gtest.h>

#include "skin/data/Lists.h"
#include "skin/data/helpers.h"

using namespace sk;
using sktest::IniOf;
using sktest::Lines;

namespace {

TEST(DescriptionLists, EntriesOutsideTheTableAreSkipped)
{
    auto ini = IniOf(Lines({"[SKINCONTROLS]", "count=5", "0=ok:button", "1=other:toolbutton", "2=twice:but:ton",
                            "3=nocolon", "4=", "[ok]", "skinrect=1,2,3,4"}));
    TskDataSkinControlList list;
    LoadSkinControls(*ini, list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0]->IDName, "ok");
    EXPECT_EQ(list[0]->SkinRect, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(list[1], nullptr);
}

TEST(DescriptionLists, SplitEntryCutsAtTheFirstColon)
{
    std::string name, word;
    SplitEntry("a:b:c", name, word);
    EXPECT_EQ(name, "a");
    EXPECT_EQ(word, "b:c");
    SplitEntry("abc", name, word);
    EXPECT_EQ(name, "");
    EXPECT_EQ(word, "");
    SplitEntry(":button", name, word);
    EXPECT_EQ(name, "");
    EXPECT_EQ(word, "button");
}

TEST(DescriptionLists, SectionsAreFoundInAnyCaseAndKeepTheEntryOrder)
{
    auto ini = IniOf(Lines({"[SKINOBJECTS]", "count=3", "0=MENUITEM:menuitem", "1=close:stdbutton",
                            "2=cap:caption", "[menuitem]", "fontheight=11", "[CLOSE]", "command=cmclose"}));
    TskDataSkinObjectList list;
    LoadSkinObjects(*ini, list);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0]->IDName, "MENUITEM");
    EXPECT_EQ(dynamic_cast<TskDataSkinMenuItem&>(*list[0]).FontHeight, 11);
    EXPECT_EQ(dynamic_cast<TskDataSkinStdButton&>(*list[1]).Command, cmClose);
    EXPECT_NE(dynamic_cast<TskDataSkinCaption*>(list[2]), nullptr);
}

TEST(DescriptionLists, MissingOrAbsurdCountsGiveShortLists)
{
    auto missing = IniOf(Lines({"[VERSION]", "skinname=x"}));
    TskDataSkinControlList empty;
    LoadSkinControls(*missing, empty);
    EXPECT_EQ(empty.Count(), 0);

    auto negative = IniOf(Lines({"[SKINCONTROLS]", "count=-3", "0=a:button"}));
    LoadSkinControls(*negative, empty);
    EXPECT_EQ(empty.Count(), 0);

    // A count of 2^31-1 with two entries reads those two and returns at once.
    auto huge = IniOf(Lines({"[SKINCONTROLS]", "count=2147483647", "0=a:button", "1=b:panel"}));
    TskDataSkinControlList two;
    LoadSkinControls(*huge, two);
    EXPECT_EQ(two.Count(), 2);

    // An entry far past the others is still read when the count covers it.
    auto sparse = IniOf(Lines({"[SKINCONTROLS]", "count=1000", "999=last:edit"}));
    TskDataSkinControlList one;
    LoadSkinControls(*sparse, one);
    ASSERT_EQ(one.Count(), 1);
    EXPECT_EQ(one[0]->IDName, "last");
}

TEST(DescriptionLists, ABadRectangleInADescriptionEndsTheLoad)
{
    auto ini = IniOf(Lines({"[SKINCONTROLS]", "count=1", "0=b:button", "[b]", "skinrect=1,2"}));
    TskDataSkinControlList list;
    EXPECT_THROW(LoadSkinControls(*ini, list), cl::EConvertError);
}

}  // namespace
