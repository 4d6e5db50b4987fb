#pragma once
// The media player control behind the player interface: hosted invisibly in a hidden window
// of its own, started with automatic start on, volume 50 and its error dialogs off.
//
// Where the platform does not implement a call (under Wine: the status text and mute), the
// adapter answers empty text or keeps the last known value and never fails the caller.
#include <memory>

#include "classlib/ole/MediaPlayer.h"

namespace cl {

class TMediaPlayerControl : public TMediaPlayer {
public:
    // Raises EOleException when the control is not there or does not start.
    TMediaPlayerControl();
    ~TMediaPlayerControl() override;

    AnsiString URL() const override;
    void SetURL(const AnsiString& url) override;
    AnsiString Status() const override;
    int Volume() const override;
    void SetVolume(int volume) override;
    bool Mute() const override;
    void SetMute(bool mute) override;

    // True when the control reads its status (it implements the whole interface).
    bool StatusReadable() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};

// For the program's choice of player: the control's adapter, or nothing. Unless Forced, only
// a control that reads its status counts. Never raises.
std::unique_ptr<TMediaPlayer> CreateMediaPlayerControl(bool Forced);

}  // namespace cl
