#pragma once
// A media player that plays nothing and records what it is told, for tests of the windows
// that drive a player. Tests change its status with SetStatus, which raises OnStatusChange.
#include <vector>

#include "classlib/ole/MediaPlayer.h"

namespace cl {

class TRecordingMediaPlayer : public TMediaPlayer {
public:
    AnsiString URL() const override { return url_; }
    void SetURL(const AnsiString& url) override;
    AnsiString Status() const override { return status_; }
    int Volume() const override { return volume_; }
    void SetVolume(int volume) override;
    bool Mute() const override { return mute_; }
    void SetMute(bool mute) override { mute_ = mute; }

    void SetStatus(const AnsiString& Status);
    // Every address set, in order.
    std::vector<AnsiString> URLs;

private:
    AnsiString url_;
    AnsiString status_;
    int volume_ = 50;
    bool mute_ = false;
};

}  // namespace cl
