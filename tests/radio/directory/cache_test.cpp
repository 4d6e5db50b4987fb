// The station directory: grouping a reply, favourites, the buttons and the cache file.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <thread>

#include "radio/directory/TestSupport.h"
#include "classlib/platform/XmlDoc.h"
#include "radio/directory/RadioChannelManager.h"
#include "skinforms/categorybuttons/Model.h"

namespace {

const char* const kCache = "data\\qsRadioChannels.xml";
const std::string kAwkward = "Caf\xe9 & <M\xfcller> \"Oh\" 'la'";

// Stations that are not adjacent, "Rock" and "rock", one without a category.
std::string Reply()
{
    return "<?xml version=\"1.0\"?>\r\n<Stations>\r\n"
           "  <Station Name='R1' Category='Rock' FavoriteOrder='0' StreamURL='http://127.0.0.1/r1?a=1&amp;b=2'/>\r\n"
           "  <Station Name='J1' Category='Jazz' FavoriteOrder='-1'/>\r\n"
           "  <!-- between stations -->\r\n"
           "  <Station Name='Caf&#233; &amp; &lt;M&#252;ller&gt; &quot;Oh&quot; &apos;la&apos;' Category='Rock'/>\r\n"
           "  <Station Name='r1' Category='rock' FavoriteOrder='5'/>\r\n"
           "  <Station Name='none'/>\r\n"
           "  <Station Name='J2' Category='Jazz' FavoriteOrder='-3'/>\r\n"
           "</Stations>\r\n";
}

std::vector<std::string> Names(const TRadioChannelCategory* category)
{
    std::vector<std::string> names;
    for (TRadioChannel* channel : category->Channels())
        names.push_back(channel->Name);
    return names;
}

std::vector<std::string> CategoryNames(const TRadioChannelManager& directory)
{
    std::vector<std::string> names;
    for (int i = 0; i < directory.CategoryCount(); ++i)
        names.push_back(directory.Categories(i)->GetName());
    return names;
}

// Every station as "<category>: <name> <stream> <favourite order>", the categories in order.
std::vector<std::string> Stations(const TRadioChannelManager& directory)
{
    std::vector<std::string> stations;
    for (int i = 0; i < directory.CategoryCount(); ++i)
        for (TRadioChannel* channel : directory.Categories(i)->Channels())
            stations.push_back(directory.Categories(i)->GetName() + ": " + channel->Name + " " + channel->StreamURL +
                               " " + std::to_string(channel->FavoriteOrder));
    return stations;
}

class DirectoryCacheTest : public ::testing::Test {
protected:
    cl::TComApartment apartment_;
    TTempFolder folder_;
};

using Strings = std::vector<std::string>;

}  // namespace

TEST_F(DirectoryCacheTest, AReplyIsGroupedInOrderOfFirstAppearance)
{
    TRadioChannelManager directory(folder_.Path());
    directory.LoadFromXmlString(Reply());
    EXPECT_EQ(CategoryNames(directory), (Strings{"Rock", "Jazz", "rock", ""}));
    EXPECT_EQ(Names(directory.Categories(0)), (Strings{"R1", kAwkward}));
    EXPECT_EQ(Names(directory.Categories(1)), (Strings{"J1", "J2"}));
    EXPECT_EQ(Names(directory.Categories(3)), Strings{"none"});
    EXPECT_EQ(directory.Categories(3)->Channels()[0]->FavoriteOrder, -1);
    // Favourites in category order, then station order.
    EXPECT_EQ(Names(directory.Favorites()), (Strings{"R1", "J2", "r1"}));
    EXPECT_EQ(directory.Categories(0)->Channels()[0]->StreamURL, "http://127.0.0.1/r1?a=1&b=2");
}

TEST_F(DirectoryCacheTest, TheCacheHoldsEveryCategoryButFavoritesAndReadsBackTheSame)
{
    // Both writes: the one a reply makes at once, and the directory's own when it goes.
    auto directory = std::make_unique<TRadioChannelManager>(folder_.Path());
    directory->LoadFromXmlString(Reply());
    for (bool fromReply : {true, false}) {
        if (!fromReply)
            directory.reset();
        std::string bytes = folder_.ReadFile(kCache);
        EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\"?>", 0), 0u);
        EXPECT_EQ(bytes.find("Favorites"), std::string::npos);
        EXPECT_NE(bytes.find("<RadioChannels>"), std::string::npos);
        EXPECT_NE(bytes.find("<RadioChannelCategory Name=\"Rock\">"), std::string::npos);

        TRadioChannelManager again(folder_.Path());
        EXPECT_EQ(again.LastCacheError(), "");
        EXPECT_EQ(Stations(again), (Strings{"Rock: R1 http://127.0.0.1/r1?a=1&b=2 0", "Rock: " + kAwkward + "  -1",
                                            "Jazz: J1  -1", "Jazz: J2  -3", "rock: r1  5", ": none  -1"}))
            << fromReply;
        EXPECT_EQ(Names(again.Favorites()), (Strings{"R1", "J2", "r1"}));
    }
}

TEST_F(DirectoryCacheTest, ZeroEmptiesTheDirectoryAndLeavesOneEmptyFavoritesGroup)
{
    TRadioChannelManager directory(folder_.Path());
    directory.LoadFromXmlString(Reply());
    std::string before = folder_.ReadFile(kCache);
    directory.LoadFromXmlString(std::string(" 0\r\n"));
    EXPECT_EQ(directory.CategoryCount(), 0);
    EXPECT_TRUE(directory.Favorites()->Channels().empty());
    // Written at the end of the run, not now.
    EXPECT_EQ(folder_.ReadFile(kCache), before);

    TskButtonCategories buttons(nullptr);
    directory.FillCategoryButtons(&buttons);
    ASSERT_EQ(buttons.Count(), 1);
    EXPECT_EQ(buttons.Items(0)->Caption(), "Favorites");
    EXPECT_FALSE(buttons.Items(0)->Collapsed());
    EXPECT_EQ(buttons.Items(0)->Items()->Count(), 0);
}

TEST_F(DirectoryCacheTest, ButtonsPutFavoritesFirstAndCarryTheirStations)
{
    TRadioChannelManager directory(folder_.Path());
    directory.LoadFromXmlString(Reply());
    TskButtonCategories buttons(nullptr);
    buttons.Add()->SetCaption("left over");
    directory.FillCategoryButtons(&buttons);
    ASSERT_EQ(buttons.Count(), 5);
    EXPECT_EQ(buttons.Items(0)->Data(), directory.Favorites());
    EXPECT_FALSE(buttons.Items(0)->Collapsed());
    for (int i = 1; i < 5; ++i) {
        EXPECT_TRUE(buttons.Items(i)->Collapsed());
        EXPECT_EQ(buttons.Items(i)->Data(), directory.Categories(i - 1));
    }
    TskBaseButtonItem* second = buttons.Items(1)->Items()->Items(1);
    EXPECT_EQ(second->Caption(), kAwkward);
    EXPECT_EQ(second->Data(), directory.Categories(0)->Channels()[1]);
    // A favourite's button carries the station the category owns, not a copy.
    EXPECT_EQ(buttons.Items(0)->Items()->Items(0)->Data(), directory.Categories(0)->Channels()[0]);
}

TEST_F(DirectoryCacheTest, ABadReplyLeavesDirectoryCacheAndButtonsAsTheyWere)
{
    TRadioChannelManager directory(folder_.Path());
    directory.LoadFromXmlString(Reply());
    TskButtonCategories buttons(nullptr);
    directory.FillCategoryButtons(&buttons);
    std::string before = folder_.ReadFile(kCache);
    auto* station = static_cast<TRadioChannel*>(buttons.Items(1)->Items()->Items(0)->Data());

    EXPECT_THROW(directory.LoadFromXmlString(std::string("<Stations><Station Name='cut")), cl::EDOMParseError);
    EXPECT_THROW(directory.LoadFromXmlString(std::string("<S><Station Name='x' FavoriteOrder='abc'/></S>")),
                 cl::EConvertError);
    EXPECT_THROW(directory.LoadFromXmlString(std::string("")), cl::EDOMParseError);
    EXPECT_THROW(directory.LoadFromXmlString(std::string("00")), cl::EDOMParseError);

    EXPECT_EQ(CategoryNames(directory), (Strings{"Rock", "Jazz", "rock", ""}));
    EXPECT_EQ(directory.Favorites()->Channels().size(), 3u);
    EXPECT_EQ(folder_.ReadFile(kCache), before);
    // The station behind the button is still the directory's own.
    EXPECT_EQ(station, directory.Categories(0)->Channels()[0]);
    EXPECT_EQ(station->Name, "R1");
}

TEST_F(DirectoryCacheTest, ACorruptCacheStartsEmptyAndIsKeptAside)
{
    CreateDirectoryA((folder_.Path() + "data").c_str(), nullptr);
    folder_.WriteFile(kCache, "<RadioChannels><RadioChannelCategory Name='x'>");
    {
        TRadioChannelManager directory(folder_.Path());
        EXPECT_EQ(directory.CategoryCount(), 0);
        EXPECT_NE(directory.LastCacheError(), "");
        EXPECT_EQ(folder_.ReadFile(std::string(kCache) + ".bad"), "<RadioChannels><RadioChannelCategory Name='x'>");
    }
    // The next start does not stumble over it again.
    TRadioChannelManager directory(folder_.Path());
    EXPECT_EQ(directory.LastCacheError(), "");
}

TEST_F(DirectoryCacheTest, CachesThatAreWellFormedButWrongAreKeptAsideToo)
{
    CreateDirectoryA((folder_.Path() + "data").c_str(), nullptr);
    for (const char* text : {"<Other/>", "<RadioChannels><RadioChannelCategory/></RadioChannels>",
                             "<RadioChannels><C Name='a'><S FavoriteOrder='1x'/></C></RadioChannels>"}) {
        folder_.WriteFile(kCache, text);
        TRadioChannelManager directory(folder_.Path());
        EXPECT_EQ(directory.CategoryCount(), 0) << text;
        EXPECT_NE(directory.LastCacheError(), "") << text;
        EXPECT_EQ(folder_.ReadFile(std::string(kCache) + ".bad"), text);
    }
}

TEST_F(DirectoryCacheTest, TheDataFolderIsCreatedWhenMissing)
{
    {
        TRadioChannelManager directory(folder_.Path());
        EXPECT_EQ(directory.LastCacheError(), "");
    }
    // Written at the end even though the folder was not there.
    EXPECT_NE(folder_.ReadFile(kCache).find("RadioChannels"), std::string::npos);
}

TEST_F(DirectoryCacheTest, AFailedWriteLeavesTheOldCacheWhole)
{
    TRadioChannelManager directory(folder_.Path());
    directory.LoadFromXmlString(Reply());
    std::string before = folder_.ReadFile(kCache);
    // The temporary file cannot be made: a folder stands in its way.
    ASSERT_TRUE(CreateDirectoryA((folder_.Path() + kCache + ".tmp").c_str(), nullptr));
    directory.Clear();
    EXPECT_ANY_THROW(directory.SaveToFile());
    EXPECT_EQ(folder_.ReadFile(kCache), before);
    RemoveDirectoryA((folder_.Path() + kCache + ".tmp").c_str());
}

TEST_F(DirectoryCacheTest, TheCurrentStationIsACopy)
{
    TRadioChannelManager directory(folder_.Path());
    directory.LoadFromXmlString(Reply());
    directory.SetCurrentChannel(*directory.Categories(0)->Channels()[0]);
    directory.LoadFromXmlString(std::string("0"));
    EXPECT_EQ(directory.GetCurrentStreamURL(), "http://127.0.0.1/r1?a=1&b=2");
    EXPECT_TRUE(directory.HasStreamURL());
    EXPECT_FALSE(directory.HasWebsiteURL());
    EXPECT_EQ(directory.GetCurrentCategory(), "Rock");
}

TEST_F(DirectoryCacheTest, ACacheThatCouldNotBeReadForWantOfMsxmlIsLeftAlone)
{
    {
        TRadioChannelManager directory(folder_.Path());
        directory.LoadFromXmlString(Reply());
    }
    std::string before = folder_.ReadFile(kCache);
    // A thread that never joined COM cannot make an XML document, unless some thread of this
    // process still stands in the multithreaded apartment, which every new thread then joins
    // implicitly. Threads the system starts for its own work stand there for a while after an
    // earlier test: wait up to ten seconds for them to end rather than skip at once.
    std::unique_ptr<TRadioChannelManager> unread;
    bool comReachable = true;
    for (int wait = 0; comReachable && wait < 100; ++wait) {
        if (wait)
            Sleep(100);
        std::thread([&] {
            IUnknown* context = nullptr;
            comReachable = SUCCEEDED(CoGetObjectContext(IID_IUnknown, reinterpret_cast<void**>(&context)));
            if (context)
                context->Release();
            if (!comReachable)
                unread = std::make_unique<TRadioChannelManager>(folder_.Path());
        }).join();
    }
    if (comReachable)
        GTEST_SKIP() << "every thread of this process reaches COM through an implicit apartment";
    EXPECT_NE(unread->LastCacheError(), "");
    // Freed where XML can be written again: what it could not read it must not overwrite with
    // the nothing it holds.
    unread.reset();
    EXPECT_EQ(folder_.ReadFile(kCache), before);
    EXPECT_EQ(folder_.ReadFile(std::string(kCache) + ".bad"), "");
}
