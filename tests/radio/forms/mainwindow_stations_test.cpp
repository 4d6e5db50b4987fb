// The main window's station list and playback: resuming the last station, station clicks,
// launching a typed address, volume, mute and the status line.
#include <gtest/gtest.h>

#include <memory>

#include "radio/forms/MainWindowTestSupport.h"
#include "radio/directory/RegistryManager.h"

using namespace mainwin_test;

TEST(MainWindowStations, StartsTheStoredLastStationSelectedPlayingAndItsPageRequested)
{
    TMainWindowScene scene(StreamOf("b"));
    scene.Create();
    EXPECT_EQ(scene.SelectedCaption(), "B");
    EXPECT_FALSE(scene.form->scbRadioStations->SelectedItem()->GetCategory()->Collapsed());
    EXPECT_EQ(scene.player->URL(), StreamOf("b"));
    EXPECT_EQ(scene.Requested(), std::vector<std::string>{"http://127.0.0.1:9/b.html"});
    EXPECT_EQ(scene.directory.GetCurrentStreamURL(), StreamOf("b"));
    EXPECT_EQ(scene.form->tabControl->TabIndex(), 0);
    EXPECT_EQ(scene.form->tbcTabs->ActivePage(), scene.form->tsLaunch);
    EXPECT_FALSE(scene.form->tsLaunch->TabVisible());
    // Nothing is written to the player at start but the address.
    EXPECT_EQ(scene.player->VolumeWrites, 0);
}

TEST(MainWindowStations, AFavouriteIsFoundInFavoritesFirst)
{
    TMainWindowScene scene(StreamOf("a"));
    scene.Create();
    TskButtonItem* selected = scene.form->scbRadioStations->SelectedItem();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->GetCategory(), scene.form->scbRadioStations->Categories()->Items(0));
    EXPECT_EQ(scene.form->FindChannelCategoryButton(StreamOf("a")), selected);
}

TEST(MainWindowStations, ALastAddressNoLongerInTheDirectoryStartsNothing)
{
    TMainWindowScene scene("http://127.0.0.1:9/gone.mp3");
    scene.Create();
    EXPECT_EQ(scene.SelectedCaption(), "-");
    EXPECT_TRUE(scene.player->URLs.empty());
    EXPECT_TRUE(scene.Requested().empty());
    // Letter case counts.
    EXPECT_EQ(scene.form->FindChannelCategoryButton("HTTP://127.0.0.1:9/stream/b.mp3"), nullptr);
}

TEST(MainWindowStations, AnEmptyDirectoryGivesAnEmptyFavoritesGroupAndNoStation)
{
    TMainWindowScene scene(StreamOf("b"), false);
    scene.Create();
    EXPECT_EQ(scene.form->scbRadioStations->Categories()->Count(), 1);
    EXPECT_TRUE(scene.player->URLs.empty());
}

TEST(MainWindowStations, ClickingAnotherStationSwitchesTheStreamAndStoresIt)
{
    TMainWindowScene scene(StreamOf("a"));
    scene.Create();
    scene.form->tabControl->SetTabIndex(3);
    scene.ClickStation("B");
    EXPECT_EQ(scene.player->URL(), StreamOf("b"));
    EXPECT_EQ(TRegManager().GetLastRadioURL(), StreamOf("b"));
    EXPECT_EQ(scene.Requested().back(), "http://127.0.0.1:9/b.html");
    EXPECT_EQ(scene.form->tabControl->TabIndex(), 0);
    EXPECT_EQ(scene.directory.GetCurrentStreamURL(), StreamOf("b"));

    // The playing station again: nothing but the launch page.
    const auto urls = scene.player->URLs.size();
    const auto pages = scene.Requested().size();
    scene.ClickStation("B");
    EXPECT_EQ(scene.player->URLs.size(), urls);
    EXPECT_EQ(scene.Requested().size(), pages);
}

TEST(MainWindowStations, KeysMoveTheSelectionButStartNothing)
{
    TMainWindowScene scene(StreamOf("a"));
    scene.Create();
    const auto urls = scene.player->URLs.size();
    HWND wnd = scene.form->scbRadioStations->Handle();
    scene.form->scbRadioStations->SetFocusedItem(scene.Button("B"));
    SendMessageA(wnd, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(wnd, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(wnd, WM_KEYDOWN, VK_HOME, 0);
    SendMessageA(wnd, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(scene.player->URLs.size(), urls);
    EXPECT_EQ(scene.player->URL(), StreamOf("a"));
}

TEST(MainWindowStations, AStationWithoutPagesPlaysAndLeavesTheBrowserWhereItWas)
{
    TMainWindowScene scene(StreamOf("b"));
    scene.Create();
    scene.ClickStation("C & D");
    EXPECT_EQ(scene.player->URL(), StreamOf("c"));
    EXPECT_EQ(scene.Requested(), std::vector<std::string>{"http://127.0.0.1:9/b.html"});
    // The status line names the station as the directory does, "&" and all.
    scene.player->SetStatus("Playing");
    EXPECT_EQ(scene.form->labWMPState->Caption(), "Playing");
    EXPECT_EQ(scene.form->labCurrent->Caption(), "C & D");
    EXPECT_FALSE(scene.form->labCurrent->ShowAccelChar());
}

// The address that plays already is set again, as a new one is.
TEST(MainWindowStations, LaunchPlaysTheTypedAddressAndMakesItTheCurrentStation)
{
    for (const std::string& address : {StreamOf("b"), std::string("http://127.0.0.1:9/typed.mp3?a=1&b=2")}) {
        TMainWindowScene scene(StreamOf("b"));
        scene.Create();
        scene.Show();
        ASSERT_EQ(scene.player->URL(), StreamOf("b"));
        scene.player->SetStatus("Playing");
        ASSERT_EQ(scene.form->labCurrent->Caption(), "B");
        const std::size_t set = scene.player->URLs.size();
        TRegManager().SetLastRadioURL("elsewhere");
        scene.form->URL->SetText(address);
        scene.PressOn(scene.form->btnLaunch);
        EXPECT_EQ(scene.player->URLs.size(), set + 1) << address;
        EXPECT_EQ(scene.player->URL(), address);
        EXPECT_EQ(TRegManager().GetLastRadioURL(), address);
        EXPECT_EQ(scene.form->labCurrent->Caption(), "") << address;
        // The player's status as the typed address plays names no station either.
        scene.player->SetStatus("Playing");
        EXPECT_EQ(scene.form->labCurrent->Caption(), "") << address;
        EXPECT_EQ(scene.SelectedCaption(), "-") << address;
        EXPECT_EQ(scene.directory.GetCurrentStreamURL(), address);
        EXPECT_FALSE(scene.directory.HasWebsiteURL()) << address;
    }
}

TEST(MainWindowStations, OneSliderChangeWritesTheVolumeOnce)
{
    TMainWindowScene scene;
    scene.Create();
    HWND wnd = scene.form->trbVolume->Handle();
    const int x = scene.form->trbVolume->Width() * 3 / 4;
    const int y = scene.form->trbVolume->Height() / 2;
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    EXPECT_EQ(scene.player->VolumeWrites, 1);
    EXPECT_GT(scene.form->trbVolume->Value(), 50);
    EXPECT_EQ(scene.player->Volume(), scene.form->trbVolume->Value());
    // The same value again writes nothing.
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    EXPECT_EQ(scene.player->VolumeWrites, 1);
}

TEST(MainWindowStations, MuteSwitchesThePlayersMuteAndKeepsTheCaption)
{
    TMainWindowScene scene;
    scene.Create();
    scene.form->btnMute->Click();
    EXPECT_TRUE(scene.player->Mute());
    scene.form->btnMute->Click();
    EXPECT_FALSE(scene.player->Mute());
    EXPECT_EQ(scene.form->btnMute->Caption(), "Mute");
}

namespace {

// Notes what the settings held as the last address when each address reached the player,
// and refuses the addresses that say so.
class TSettingsWatchingPlayer : public TCountingPlayer {
public:
    void SetURL(const cl::AnsiString& url) override
    {
        StoredWhenSet.push_back(TRegManager().GetLastRadioURL());
        if (url.find("refused") != std::string::npos)
            throw cl::Exception("refused");
        TCountingPlayer::SetURL(url);
    }
    std::vector<std::string> StoredWhenSet;
};

}  // namespace

TEST(MainWindowStations, AStationIsStoredAsTheLastAddressBeforeItPlaysALaunchedAddressOnlyOnceItPlays)
{
    TMainWindowScene scene(StreamOf("a"));
    TSettingsWatchingPlayer* player = nullptr;
    scene.Create([&] {
        auto made = std::make_unique<TSettingsWatchingPlayer>();
        player = made.get();
        return std::unique_ptr<cl::TMediaPlayer>(std::move(made));
    });
    scene.Show();

    scene.PressStation("B");
    ASSERT_EQ(player->URL(), StreamOf("b"));
    EXPECT_EQ(player->StoredWhenSet.back(), StreamOf("b"));
    // The station that plays already is not stored again.
    TRegManager().SetLastRadioURL("elsewhere");
    scene.PressStation("B");
    EXPECT_EQ(TRegManager().GetLastRadioURL(), "elsewhere");
    TRegManager().SetLastRadioURL(StreamOf("b"));

    const std::string typed = " http://127.0.0.1:9/typed.mp3?a=1 ";
    scene.form->URL->SetText(typed);
    scene.PressOn(scene.form->btnLaunch);
    ASSERT_EQ(player->URL(), typed);
    EXPECT_EQ(player->StoredWhenSet.back(), StreamOf("b"));
    EXPECT_EQ(TRegManager().GetLastRadioURL(), typed);

    // An address the player refuses is not remembered.
    scene.form->URL->SetText("http://127.0.0.1:9/refused.mp3");
    scene.PressOn(scene.form->btnLaunch);
    EXPECT_EQ(player->StoredWhenSet.size(), 4u);
    EXPECT_EQ(TRegManager().GetLastRadioURL(), typed);
}
