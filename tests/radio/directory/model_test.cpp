// Stations and categories without XML or windows.
#include <gtest/gtest.h>

#include "radio/directory/RadioChannelCategory.h"
#include "skinforms/categorybuttons/Model.h"

namespace {

TRadioChannel Station(const char* name, int favorite)
{
    TRadioChannel s;
    s.Name = name;
    s.FavoriteOrder = favorite;
    return s;
}

}  // namespace

TEST(DirectoryModel, FavoriteOrderIsStrictDecimalWithin32Bits)
{
    EXPECT_EQ(TRadioChannel::StrToFavoriteOrder("0"), 0);
    EXPECT_EQ(TRadioChannel::StrToFavoriteOrder("-3"), -3);
    EXPECT_EQ(TRadioChannel::StrToFavoriteOrder("+5"), 5);
    EXPECT_EQ(TRadioChannel::StrToFavoriteOrder("2147483647"), 2147483647);
    EXPECT_EQ(TRadioChannel::StrToFavoriteOrder("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"abc", "", "-", " 5", "5 ", "0x1F", "$1F", "1e3", "2147483648", "-2147483649",
                            "99999999999999999999"}) {
        try {
            TRadioChannel::StrToFavoriteOrder(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const cl::EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid integer value");
        }
    }
}

TEST(DirectoryModel, EveryOrderButMinusOneIsAFavourite)
{
    TRadioChannelCategory category("Rock", true);
    for (int order : {0, 5, -3, -1, 7})
        category.AddChannelCopy(Station(std::to_string(order).c_str(), order));
    TRadioChannelList favorites;
    category.GetFavorites(favorites);
    ASSERT_EQ(favorites.size(), 4u);
    EXPECT_EQ(favorites[0]->Name, "0");
    EXPECT_EQ(favorites[1]->Name, "5");
    EXPECT_EQ(favorites[2]->Name, "-3");
    EXPECT_EQ(favorites[3]->Name, "7");
    // Copies, not the originals.
    TRadioChannel original = Station("x", 1);
    category.AddChannelCopy(original);
    EXPECT_NE(category.Channels().back(), &original);
}

// A long list is read a station at a time: its storage may move only as it doubles, not for
// every station, which would copy the list once per station.
TEST(DirectoryModel, AddingStationsMovesTheListOnlyAsItDoubles)
{
    TRadioChannelCategory category("Rock", true);
    int moves = 0;
    const void* storage = nullptr;
    for (int i = 0; i < 4096; ++i) {
        category.AddChannelCopy(Station("s", -1));
        if (category.Channels().data() != storage) {
            storage = category.Channels().data();
            ++moves;
        }
    }
    EXPECT_LE(moves, 16);
}

TEST(DirectoryModel, OnlyANonOwningCategoryTakesForeignStations)
{
    TRadioChannelCategory owner("Rock", true);
    owner.AddChannelCopy(Station("a", 0));
    TRadioChannelCategory owning("Other", true);
    EXPECT_THROW(owning.AddChannels(owner.Channels()), cl::EAssertionFailed);
    EXPECT_TRUE(owning.Channels().empty());
    {
        TRadioChannelCategory view("Favorites", false);
        view.AddChannels(owner.Channels());
        EXPECT_EQ(view.Channels().front(), owner.Channels().front());
    }
    // The view did not free what it only referred to.
    EXPECT_EQ(owner.Channels().front()->Name, "a");
}

TEST(DirectoryModel, FillingButtonsPointsThemAtTheStationsAndOnlyFavoritesStaysOpen)
{
    TskButtonCategories buttons(nullptr);
    TRadioChannelCategory favorites("Favorites", true), lower("favorites", true);
    favorites.AddChannelCopy(Station("one", 0));
    favorites.AddChannelCopy(Station("two", 0));
    TskButtonCategory* open = buttons.Add();
    favorites.FillButtonCategory(open);
    EXPECT_EQ(open->Caption(), "Favorites");
    EXPECT_FALSE(open->Collapsed());
    ASSERT_EQ(open->Items()->Count(), 2);
    EXPECT_EQ(open->Items()->Items(1)->Caption(), "two");
    EXPECT_EQ(open->Items()->Items(1)->Data(), favorites.Channels()[1]);
    TskButtonCategory* closed = buttons.Add();
    lower.FillButtonCategory(closed);
    EXPECT_TRUE(closed->Collapsed());
    EXPECT_EQ(closed->Items()->Count(), 0);
}
