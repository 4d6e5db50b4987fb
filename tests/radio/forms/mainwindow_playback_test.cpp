// The main window playing through our own stream player, end to end: real HTTP from the
// in-process stream server, real decoding and real sound, recorded back from the sound
// server's monitor.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "radio/player/StreamTestServer.h"
#include "radio/player/ToneAnalysis.h"
#include "radio/forms/MainWindowTestSupport.h"
#include "radio/player/Choice.h"
#include "radio/directory/RegistryManager.h"
#include "radio/player/StreamPlayer.h"
#include "support/RecordingMediaPlayer.h"

using namespace mainwin_test;

namespace {

// Handles messages (the player reports through them) until done() or a bound that fails the
// test instead of hanging it.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 20000)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs)
            return false;
        cl::Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Listens in short pieces until the tone is the louder one, or gives the last piece.
bool Hears(double frequency, double other)
{
    for (int attempt = 0; attempt < 15; ++attempt) {
        PumpUntil([] { return false; }, 50);
        const auto samples = player_test::Record(400);
        if (samples.empty())
            return false;
        if (player_test::ToneAmplitude(samples, frequency) > 2000 &&
            player_test::ToneAmplitude(samples, other) < player_test::ToneAmplitude(samples, frequency) / 10)
            return true;
    }
    return false;
}

std::string StationXml(const std::string& Name, const std::string& Stream)
{
    return "<Station Name=\"" + Name + "\" StreamURL=\"" + Stream + "\" Category=\"Tones\"/>";
}

}  // namespace

TEST(MainWindowPlayback, TheStoredStationPlaysAndAClickSwitchesTheSound)
{
    player_test::TStreamTestServer server;
    TMainWindowScene scene(server.Url("/tone.mp3"), false);
    scene.directory.LoadFromXmlString("<Stations>" + StationXml("Tone 1000", server.Url("/tone.mp3")) +
                                      StationXml("Tone 440", server.Url("/tone22.mp3")) +
                                      StationXml("Gone", server.Url("/missing")) + "</Stations>");
    scene.Create([] { return std::unique_ptr<cl::TMediaPlayer>(new radio::TStreamPlayer()); });
    auto* status = scene.form->labWMPState;
    ASSERT_EQ(scene.SelectedCaption(), "Tone 1000");
    ASSERT_TRUE(PumpUntil([&] { return status->Caption() == "Playing"; })) << status->Caption();
    EXPECT_TRUE(Hears(1000, 440)) << "the first station is not heard";

    scene.ClickStation("Tone 440");
    EXPECT_EQ(TRegManager().GetLastRadioURL(), server.Url("/tone22.mp3"));
    ASSERT_TRUE(PumpUntil([&] { return status->Caption() == "Playing"; })) << status->Caption();
    EXPECT_TRUE(Hears(440, 1000)) << "the second station is not heard";
    EXPECT_EQ(scene.form->labCurrent->Caption(), "Tone 440");

    // A dead stream says so in the status line, and the window goes on working.
    scene.ClickStation("Gone");
    EXPECT_TRUE(PumpUntil([&] { return status->Caption().rfind("Error", 0) == 0; })) << status->Caption();
    scene.ClickStation("Tone 1000");
    EXPECT_TRUE(PumpUntil([&] { return status->Caption() == "Playing"; })) << status->Caption();
}

TEST(MainWindowPlayback, ThePlayerIsChosenOnceTheWindowHasPaintedNotAtTheFirstClick)
{
    TMainWindowScene scene;
    // The choice tries the control; what the window looks like then is noted.
    int made = 0;
    bool paintedThen = false;
    scene.Create([&] {
        return radio::CreateMediaPlayer([&](bool) {
            ++made;
            const HWND window = scene.form->Handle();
            paintedThen = IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE);
            return std::unique_ptr<cl::TMediaPlayer>(new cl::TRecordingMediaPlayer());
        });
    });
    EXPECT_EQ(made, 0);
    scene.form->Show();
    ASSERT_TRUE(PumpUntil([&] { return made > 0; }, 5000));
    EXPECT_TRUE(paintedThen);
    // The first click plays on the player chosen then.
    scene.ClickStation("A");
    EXPECT_EQ(made, 1);
    EXPECT_EQ(scene.form->WindowsMediaPlayer()->URL(), StreamOf("a"));
}
