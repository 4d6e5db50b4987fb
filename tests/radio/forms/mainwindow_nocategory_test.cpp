// Stations that the directory service gives no category (or a blank one) are shown in a group
// of their own with a name one can read, and play like any other; categories whose groups
// would show the same caption are one group.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/forms/MainTexts.h"
#include "radio/forms/MainWindowTestSupport.h"

using namespace mainwin_test;

namespace {

using Strings = std::vector<std::string>;

std::string Station(const std::string& Name, const std::string& Attributes)
{
    return "<Station Name=\"" + Name + "\" StreamURL=\"" + StreamOf(Name) + "\" " + Attributes + "/>";
}

Strings GroupCaptions(TMainWindowScene& Scene)
{
    Strings captions;
    TskButtonCategories* categories = Scene.form->scbRadioStations->Categories();
    for (int c = 0; c < categories->Count(); ++c)
        captions.push_back(categories->Items(c)->Caption());
    return captions;
}

Strings ButtonCaptions(TskButtonCategory* Group)
{
    Strings captions;
    for (int i = 0; i < Group->Items()->Count(); ++i)
        captions.push_back(Group->Items()->Items(i)->Caption());
    return captions;
}

}  // namespace

TEST(MainWindowNoCategory, StationsWithoutACategoryShareOneReadableGroupAndPlay)
{
    TMainWindowScene scene("", false);
    scene.directory.LoadFromXmlString(
        "<Stations>" + Station("rock1", "Category=\"Rock\"") + Station("lost", "FavoriteOrder=\"0\"") +
        Station("empty", "Category=\"\"") + Station("blank", "Category=\"  \"") +
        Station("named", "Category=\"(No category)\"") + Station("served", "Category=\"Favorites\"") + "</Stations>");
    scene.Create();
    const std::string none = radio_texts::SNoCategory;
    EXPECT_EQ(GroupCaptions(scene), (Strings{"Favorites", "Rock", none}));

    // The user's favourites and the service's "Favorites" are one group, the only one open.
    TskButtonCategories* groups = scene.form->scbRadioStations->Categories();
    EXPECT_EQ(ButtonCaptions(groups->Items(0)), (Strings{"lost", "served"}));
    EXPECT_FALSE(groups->Items(0)->Collapsed());
    EXPECT_TRUE(groups->Items(1)->Collapsed());

    // The group's stations carry their buttons as any other group's, and one plays on a click.
    TskButtonCategory* group = groups->Items(2);
    EXPECT_EQ(ButtonCaptions(group), (Strings{"lost", "empty", "blank", "named"}));
    EXPECT_TRUE(group->Collapsed());
    scene.ClickStation("empty");
    EXPECT_EQ(scene.player->URL(), StreamOf("empty"));

    // The directory keeps the station's category as the service gave it.
    EXPECT_EQ(scene.directory.GetCurrentCategory(), "");
}
