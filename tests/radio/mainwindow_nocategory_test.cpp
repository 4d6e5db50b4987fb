// Stations that the directory service gives no category (or a blank one) are shown in a group
// of their own with a name one can read, and play like any other.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/MainFormTexts.h"
#include "radio/MainWindowTestSupport.h"

using namespace mainwin_test;

namespace {

std::string Station(const std::string& Name, const std::string& Attributes)
{
    return "<Station Name=\"" + Name + "\" StreamURL=\"" + StreamOf(Name) + "\" " + Attributes + "/>";
}

std::vector<std::string> GroupCaptions(TMainWindowScene& Scene)
{
    std::vector<std::string> captions;
    TskButtonCategories* categories = Scene.form->scbRadioStations->Categories();
    for (int c = 0; c < categories->Count(); ++c)
        captions.push_back(categories->Items(c)->Caption());
    return captions;
}

}  // namespace

TEST(MainWindowNoCategory, StationsWithoutACategoryAreShownUnderAReadableNameAndPlay)
{
    TMainWindowScene scene("", false);
    scene.directory.LoadFromXmlString("<Stations>" + Station("rock1", "Category=\"Rock\"") +
                                      Station("lost", "FavoriteOrder=\"0\"") + Station("empty", "Category=\"\"") +
                                      Station("blank", "Category=\"  \"") + "</Stations>");
    scene.Create();
    const std::string none = radio_texts::SNoCategory;
    EXPECT_EQ(GroupCaptions(scene), (std::vector<std::string>{"Favorites", "Rock", none, none}));

    // The group's stations carry their buttons as any other group's, and one plays on a click.
    TskButtonCategory* group = scene.form->scbRadioStations->Categories()->Items(2);
    ASSERT_EQ(group->Items()->Count(), 2);
    EXPECT_EQ(group->Items()->Items(0)->Caption(), "lost");
    EXPECT_EQ(group->Items()->Items(1)->Caption(), "empty");
    EXPECT_TRUE(group->Collapsed());
    scene.ClickStation("empty");
    EXPECT_EQ(scene.player->URL(), StreamOf("empty"));

    // The directory keeps the station's category as the service gave it.
    EXPECT_EQ(scene.directory.GetCurrentCategory(), "");
}
