#pragma once
// The main window built with recording players and browsers, a station directory of its own
// in a temporary folder, and the settings it reads put back afterwards.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/ole/ComObj.h"
#include "support/RecordingMediaPlayer.h"
#include "support/RecordingWebBrowser.h"
#include "radio/directory/RadioChannelManager.h"
#include "radio/forms/RadioMain.h"
#include "radio/directory/TestSupport.h"

namespace mainwin_test {

// Counts the volume writes as well.
class TCountingPlayer : public cl::TRecordingMediaPlayer {
public:
    void SetVolume(int volume) override
    {
        ++VolumeWrites;
        TRecordingMediaPlayer::SetVolume(volume);
    }
    int VolumeWrites = 0;
};

// The settings the main window reads and writes, restored when the scope ends.
class TSavedSettings {
public:
    TSavedSettings();
    ~TSavedSettings();

private:
    std::string lastUrl_, user_, password_;
    int radioSkin_;
    bool storeSkin_;
};

// Stations of the directory: "A" (Rock, a favourite), "B" (Rock), "C & D" (Jazz, no pages),
// "E" (Jazz, a web site but no play list).
std::string StationListXml();
std::string StreamOf(const std::string& Name);

struct TMainWindowScene {
    cl::TComApartment apartment;
    TSavedSettings settings;
    TTempFolder folder;
    TRadioChannelManager directory{folder.Path()};
    TCountingPlayer* player = nullptr;
    cl::TRecordingWebBrowser* browser = nullptr;
    std::vector<std::string> messages;
    TfrmRadioMain* form = nullptr;

    explicit TMainWindowScene(const std::string& LastURL = "", bool Fill = true);
    ~TMainWindowScene();
    // Builds the window and runs its creation handler, then lets its page be filled, as the
    // application does. Player: the player to play with instead of a recording one.
    void Create(std::function<std::unique_ptr<cl::TMediaPlayer>()> Player = {});
    // Only builds the window and runs its creation handler: the page waits for its fill.
    void Build(std::function<std::unique_ptr<cl::TMediaPlayer>()> Player = {});

    TskButtonItem* Button(const std::string& Caption) const;
    // A left click (press and release) in the station list on that button.
    void ClickStation(const std::string& Caption);
    // The window on the screen, so that real input reaches it.
    void Show();
    // A real press and release of the left button at the middle of the control, or of the
    // station's button, on the shown window.
    void PressOn(cl::TControl* Control);
    void PressStation(const std::string& Caption);
    std::string SelectedCaption() const;
    std::vector<std::string> Requested() const;
};

}  // namespace mainwin_test
