// The station groups built from the directory's categories: one group per caption shown, the
// user's favourites first and alone open.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "radio/forms/MainTexts.h"
#include "radio/forms/StationGroups.h"
#include "skinforms/categorybuttons/Model.h"

namespace {

using Strings = std::vector<std::string>;

struct StationGroups : ::testing::Test {
    TRadioChannelCategory favorites{radio_texts::SFavorites, false};
    std::vector<std::unique_ptr<TRadioChannelCategory>> owned;
    TskButtonCategories groups{nullptr};

    // A category of the service with one station per name; a name ending in "*" is a favourite.
    TRadioChannelCategory* Category(const std::string& Name, const Strings& Stations)
    {
        owned.push_back(std::make_unique<TRadioChannelCategory>(Name, true));
        for (const std::string& name : Stations) {
            TRadioChannel station;
            station.Name = name;
            station.Category = Name;
            station.FavoriteOrder = name.ends_with("*") ? 0 : -1;
            owned.back()->AddChannelCopy(station);
        }
        return owned.back().get();
    }
    void Fill()
    {
        std::vector<TRadioChannelCategory*> categories;
        favorites.Clear();
        for (const auto& category : owned) {
            categories.push_back(category.get());
            TRadioChannelList found;
            category->GetFavorites(found);
            favorites.AddChannels(found);
        }
        FillStationGroups(&groups, &favorites, categories);
    }
    Strings Captions() const
    {
        Strings captions;
        for (int i = 0; i < groups.Count(); ++i)
            captions.push_back(groups.Items(i)->Caption());
        return captions;
    }
    Strings Buttons(int Group) const
    {
        Strings names;
        TskButtonCollection* buttons = groups.Items(Group)->Items();
        for (int i = 0; i < buttons->Count(); ++i)
            names.push_back(buttons->Items(i)->Caption());
        return names;
    }
    int OpenGroups() const
    {
        int open = 0;
        for (int i = 0; i < groups.Count(); ++i)
            open += groups.Items(i)->Collapsed() ? 0 : 1;
        return open;
    }
};

}  // namespace

TEST_F(StationGroups, NamesThatShowTheSameCaptionShareOneGroup)
{
    const std::string none = radio_texts::SNoCategory;
    TRadioChannelCategory* empty = Category("", {"e1"});
    Category("Rock", {"r1"});
    Category(none, {"n1", "n2"});
    Category(" ", {"b1"});
    Category("\t \r\n", {"t1"});
    Category("Rock", {"r2"});
    Fill();
    EXPECT_EQ(Captions(), (Strings{"Favorites", none, "Rock"}));
    EXPECT_EQ(Buttons(1), (Strings{"e1", "n1", "n2", "b1", "t1"}));
    EXPECT_EQ(Buttons(2), (Strings{"r1", "r2"}));
    EXPECT_EQ(groups.Items(1)->Data(), empty) << "the group belongs to the category that made it";
    EXPECT_TRUE(groups.Items(1)->Collapsed());
    // Each button still carries its own category's station.
    EXPECT_EQ(groups.Items(1)->Items()->Items(4)->Data(), owned[4]->Channels()[0]);
}

TEST_F(StationGroups, AServiceCategoryNamedFavoritesJoinsTheUsersOneOpenGroup)
{
    Category("Rock", {"r1*", "r2"});
    TRadioChannelCategory* service = Category("Favorites", {"f1", "f2*"});
    Category("favorites", {"lower"});
    Fill();
    EXPECT_EQ(Captions(), (Strings{"Favorites", "Rock", "favorites"}));
    EXPECT_EQ(groups.Items(0)->Data(), &favorites);
    EXPECT_FALSE(groups.Items(0)->Collapsed());
    EXPECT_EQ(OpenGroups(), 1);
    // The user's favourites first; a favourite of the service's category is shown once.
    EXPECT_EQ(Buttons(0), (Strings{"r1*", "f2*", "f1"}));
    EXPECT_EQ(groups.Items(0)->Items()->Items(2)->Data(), service->Channels()[0]);

    // Filled again, the old groups go and the same groups come back.
    Fill();
    EXPECT_EQ(Captions(), (Strings{"Favorites", "Rock", "favorites"}));
    EXPECT_EQ(Buttons(0), (Strings{"r1*", "f2*", "f1"}));
    EXPECT_EQ(OpenGroups(), 1);
}

TEST_F(StationGroups, CaptionsThatDifferStayApartInTheirOrder)
{
    Category("Rock ", {"a"});
    Category("Rock", {"b"});
    Category("rock", {"c"});
    Fill();
    EXPECT_EQ(Captions(), (Strings{"Favorites", "Rock ", "Rock", "rock"}));
    EXPECT_TRUE(Buttons(0).empty());
    EXPECT_EQ(OpenGroups(), 1);
}
