// The program's player: which player plays is settled on first use, not when the window that
// holds it is made.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "radio/player/Choice.h"
#include "radio/player/StreamPlayer.h"
#include "support/RecordingMediaPlayer.h"

using namespace radio;

namespace {

// A control factory that hands out recording players, at a volume of their own, and remembers
// each it made.
constexpr int kMadeVolume = 37;

struct TRecordingFactory {
    TControlPlayerFactory Factory()
    {
        return [this](bool) -> std::unique_ptr<cl::TMediaPlayer> {
            auto player = std::make_unique<cl::TRecordingMediaPlayer>();
            player->SetVolume(kMadeVolume);
            made.push_back(player.get());
            return player;
        };
    }
    std::vector<cl::TRecordingMediaPlayer*> made;
};

}  // namespace

TEST(PlayerChosenOnFirstUse, NothingIsChosenUntilSomethingPlays)
{
    TRecordingFactory factory;
    auto player = CreateMediaPlayer(factory.Factory());
    auto* first = dynamic_cast<TPlayerChosenOnFirstUse*>(player.get());
    ASSERT_NE(first, nullptr);
    // What the window asks while it is made, and a stop with nothing playing.
    EXPECT_EQ(player->URL(), "");
    EXPECT_EQ(player->Status(), "");
    player->SetURL("");
    EXPECT_TRUE(factory.made.empty());
    EXPECT_EQ(first->Chosen(), nullptr);

    std::vector<cl::TObject*> senders;
    player->OnStatusChange = [&](cl::TObject* Sender) { senders.push_back(Sender); };
    player->SetURL("http://127.0.0.1:1/a.mp3");
    ASSERT_EQ(factory.made.size(), 1u);
    EXPECT_EQ(first->Chosen(), factory.made[0]);
    EXPECT_EQ(factory.made[0]->URLs, (std::vector<cl::AnsiString>{"http://127.0.0.1:1/a.mp3"}));
    EXPECT_EQ(player->URL(), "http://127.0.0.1:1/a.mp3");

    // The chosen player's status is the one the window reads and is told of.
    factory.made[0]->SetStatus("Playing");
    EXPECT_EQ(player->Status(), "Playing");
    EXPECT_EQ(senders, (std::vector<cl::TObject*>{player.get()}));

    // Later uses go to the same player; a stop now reaches it.
    player->SetURL("");
    player->SetVolume(20);
    EXPECT_EQ(factory.made.size(), 1u);
    EXPECT_EQ(factory.made[0]->URLs.back(), "");
    EXPECT_EQ(factory.made[0]->Volume(), 20);
}

TEST(PlayerChosenOnFirstUse, TheSoundIsTheChosenPlayersFromTheFirstAsk)
{
    // Volume and mute asked or set before anything plays are the chosen player's own, not a
    // guess kept aside.
    TRecordingFactory asked;
    auto reading = CreateMediaPlayer(asked.Factory());
    EXPECT_EQ(reading->Volume(), kMadeVolume);
    ASSERT_EQ(asked.made.size(), 1u);
    EXPECT_FALSE(reading->Mute());

    TRecordingFactory set;
    auto setting = CreateMediaPlayer(set.Factory());
    setting->SetMute(true);
    ASSERT_EQ(set.made.size(), 1u);
    EXPECT_TRUE(set.made[0]->Mute());
    EXPECT_TRUE(setting->Mute());

    // A player destroyed unused never made one.
    TRecordingFactory unused;
    CreateMediaPlayer(unused.Factory()).reset();
    EXPECT_TRUE(unused.made.empty());
}

TEST(PlayerChosenOnFirstUse, TheSettingAndTheFallbackHoldAtTheChoice)
{
    TRecordingFactory factory;
    auto player = CreateMediaPlayer(factory.Factory());
    // The setting counts when the choice is made, as it did when the window was made.
    SetEnvironmentVariableA("TREBANIX_PLAYER", "stream");
    player->SetVolume(30);
    SetEnvironmentVariableA("TREBANIX_PLAYER", nullptr);
    auto* first = dynamic_cast<TPlayerChosenOnFirstUse*>(player.get());
    ASSERT_NE(first, nullptr);
    EXPECT_NE(dynamic_cast<TStreamPlayer*>(first->Chosen()), nullptr);
    EXPECT_TRUE(factory.made.empty());
    EXPECT_EQ(player->Volume(), 30);

    // Without a control the stream player plays.
    auto plain = CreateMediaPlayer();
    plain->SetMute(true);
    EXPECT_NE(dynamic_cast<TStreamPlayer*>(dynamic_cast<TPlayerChosenOnFirstUse*>(plain.get())->Chosen()), nullptr);
}
