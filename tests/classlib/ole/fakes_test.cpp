// The recording player and browser that stand in for the controls in tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/ole/WebBrowser.h"
#include "support/RecordingMediaPlayer.h"
#include "support/RecordingWebBrowser.h"

using namespace cl;

TEST(RecordingPlayers, FakesRecordWhatTheyAreToldAndRaiseTheirEvents)
{
    TRecordingMediaPlayer player;
    int changes = 0;
    player.OnStatusChange = [&](TObject*) { ++changes; };
    player.SetURL("http://127.0.0.1/a");
    player.SetVolume(120);
    player.SetStatus("Playing");
    EXPECT_EQ(player.URLs.size(), 1u);
    EXPECT_EQ(player.Volume(), 100);
    EXPECT_EQ(changes, 1);

    TRecordingWebBrowser browser;
    browser.OnBeforeNavigate2 = [](TObject*, const AnsiString& URL, bool& Cancel) { Cancel = URL.find("ads") != AnsiString::npos; };
    browser.OnNewWindow2 = [](TObject*, bool& Cancel) { Cancel = true; };
    std::vector<std::string> completed;
    browser.OnDocumentComplete = [&](TObject*, const AnsiString& URL) { completed.push_back(URL); };
    browser.Navigate("http://127.0.0.1/page");
    browser.Navigate("http://127.0.0.1/ads");
    EXPECT_EQ(browser.Requested.size(), 2u);
    EXPECT_EQ(completed, (std::vector<std::string>{"http://127.0.0.1/page"}));
    EXPECT_FALSE(browser.RequestNewWindow());
}
