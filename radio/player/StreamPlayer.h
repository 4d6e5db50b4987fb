#pragma once
// Our own player of Internet-radio streams (MP3 over HTTP and HTTPS, ICY servers and
// playlists included), for systems whose media player control does not stream. Setting the URL
// starts a session on a thread of its own; status changes come back to the thread that created
// the player through a message-only window, never as calls from the player's thread.
#include <windows.h>
#include <mmsystem.h>

#include <memory>
#include <string>

#include "classlib/ole/MediaPlayer.h"
#include "radio/player/StreamSession.h"

namespace radio {

class TStreamPlayerChannel;

class TStreamPlayer : public cl::TMediaPlayer {
public:
    // waveDevice: the sound device to play on (the system's choice by default).
    explicit TStreamPlayer(UINT waveDevice = WAVE_MAPPER);
    ~TStreamPlayer() override;

    cl::AnsiString URL() const override { return url_; }
    void SetURL(const cl::AnsiString& url) override;
    cl::AnsiString Status() const override { return status_; }
    int Volume() const override;
    void SetVolume(int volume) override;
    bool Mute() const override;
    void SetMute(bool mute) override;

private:
    void DeliverNextStatus();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT waveDevice_;
    HWND window_ = nullptr;
    std::string url_;
    std::string status_;
    std::shared_ptr<TStreamPlayerChannel> channel_;
    std::unique_ptr<TStreamSession> session_;
};

}  // namespace radio
