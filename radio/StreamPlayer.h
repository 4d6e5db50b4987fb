#pragma once
// Our own player of Internet-radio streams (MP3 over HTTP, ICY servers and playlists
// included), for systems whose media player control does not stream. Setting the URL starts a
// session on a thread of its own; status changes come back to the thread that created the
// player through a message-only window, never as calls from the player's thread.
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "classlib/MediaPlayer.h"
#include "radio/StreamSession.h"

namespace radio {

class TStreamPlayer : public cl::TMediaPlayer, private TStreamSessionHost {
public:
    // waveDevice: the sound device to play on (the system's choice by default).
    explicit TStreamPlayer(UINT waveDevice = WAVE_MAPPER);
    ~TStreamPlayer() override;

    cl::AnsiString URL() const override { return url_; }
    void SetURL(const cl::AnsiString& url) override;
    cl::AnsiString Status() const override { return status_; }
    int Volume() const override { return volume_; }
    void SetVolume(int volume) override;
    bool Mute() const override { return mute_; }
    void SetMute(bool mute) override { mute_ = mute; }

private:
    void ReportStatus(const std::string& status) override;
    int Gain() const override;

    void DeliverNextStatus();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT waveDevice_;
    HWND window_ = nullptr;
    std::string url_;
    std::string status_;
    std::atomic<int> volume_{50};
    std::atomic<bool> mute_{false};

    std::mutex statusLock_;
    std::deque<std::string> pendingStatuses_;  // reported, not yet delivered
    std::string lastReported_;

    std::unique_ptr<TStreamSession> session_;
};

}  // namespace radio
