#pragma once
// A media player for tests of the windows that drive one: it plays nothing, records what it
// was told, and raises the status change at once when the test says so.
#include <algorithm>
#include <vector>

#include "classlib/MediaPlayer.h"

namespace cl {

class TRecordingMediaPlayer : public TMediaPlayer {
public:
    AnsiString URL() const override { return url_; }
    void SetURL(const AnsiString& url) override
    {
        url_ = url;
        URLsSet.push_back(url);
    }
    AnsiString Status() const override { return status_; }
    int Volume() const override { return volume_; }
    void SetVolume(int volume) override
    {
        volume_ = std::clamp(volume, 0, 100);
        VolumesSet.push_back(volume_);
    }
    bool Mute() const override { return mute_; }
    void SetMute(bool mute) override
    {
        mute_ = mute;
        MutesSet.push_back(mute);
    }

    // What a real player does when its status changes, synchronously.
    void ChangeStatus(const AnsiString& status)
    {
        status_ = status;
        if (OnStatusChange)
            OnStatusChange(this);
    }

    std::vector<AnsiString> URLsSet;
    std::vector<int> VolumesSet;
    std::vector<bool> MutesSet;

private:
    AnsiString url_;
    AnsiString status_;
    int volume_ = 50;  // the control's stored initial volume
    bool mute_ = false;
};

}  // namespace cl
