#include "radio/player/StreamPlayer.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <exception>
#include <mutex>

#include "classlib/system/ExceptionHooks.h"
#include "radio/player/Status.h"

namespace radio {

namespace {

constexpr wchar_t kWindowClass[] = L"TrebanixStreamPlayerNotify";
constexpr UINT kStatusMessage = WM_APP + 1;
constexpr int kFullGain = 65536;

void RegisterWindowClass(WNDPROC windowProc)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpszClassName = kWindowClass;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpfnWndProc = windowProc;
    RegisterClassExW(&wc);  // fails harmlessly when already registered
}

}  // namespace

// What the player shares with its sessions' threads: the statuses on their way to the owner's
// thread, and the volume. A session may outlive the player; then nothing more is posted.
class TStreamPlayerChannel : public TStreamSessionHost {
public:
    explicit TStreamPlayerChannel(HWND window) : window_(window) {}

    void ReportStatus(const std::string& status) override
    {
        std::lock_guard<std::mutex> lock(lock_);
        if (!window_ || status == lastReported_)
            return;
        lastReported_ = status;
        pending_.push_back(status);
        // One message per status, so that the owner sees every step, in order.
        PostMessageW(window_, kStatusMessage, 0, 0);
    }

    bool TakeStatus(std::string& status)
    {
        std::lock_guard<std::mutex> lock(lock_);
        if (pending_.empty())
            return false;
        status = pending_.front();
        pending_.pop_front();
        return true;
    }

    void Detach()
    {
        std::lock_guard<std::mutex> lock(lock_);
        window_ = nullptr;
    }

    int Gain() const override { return mute_ ? 0 : volume_ * kFullGain / 100; }

    std::atomic<int> volume_{50};
    std::atomic<bool> mute_{false};

private:
    std::mutex lock_;
    HWND window_;
    std::deque<std::string> pending_;  // reported, not yet delivered
    std::string lastReported_;
};

TStreamPlayer::TStreamPlayer(UINT waveDevice) : waveDevice_(waveDevice)
{
    RegisterWindowClass(&WindowProc);
    window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (window_)
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    channel_ = std::make_shared<TStreamPlayerChannel>(window_);
}

TStreamPlayer::~TStreamPlayer()
{
    session_.reset();
    channel_->Detach();
    if (window_)
        DestroyWindow(window_);
}

void TStreamPlayer::SetURL(const cl::AnsiString& url)
{
    // The old station stops before the new one connects, so two never play at once.
    const bool wasPlaying = session_ != nullptr;
    session_.reset();
    url_ = url;
    if (!url.empty())
        session_ = std::make_unique<TStreamSession>(url, waveDevice_, channel_);
    else if (wasPlaying)
        channel_->ReportStatus(status::kStopped);
}

int TStreamPlayer::Volume() const
{
    return channel_->volume_;
}

void TStreamPlayer::SetVolume(int volume)
{
    channel_->volume_ = std::clamp(volume, 0, 100);
}

bool TStreamPlayer::Mute() const
{
    return channel_->mute_;
}

void TStreamPlayer::SetMute(bool mute)
{
    channel_->mute_ = mute;
}

void TStreamPlayer::DeliverNextStatus()
{
    if (!channel_->TakeStatus(status_))
        return;
    if (OnStatusChange)
        OnStatusChange(this);
}

LRESULT CALLBACK TStreamPlayer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* player = reinterpret_cast<TStreamPlayer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != kStatusMessage || !player)
        return DefWindowProcW(window, message, wParam, lParam);
    // Nothing may unwind into the system's frames: a failing handler goes to the logger.
    try {
        player->DeliverNextStatus();
    } catch (...) {
        if (const auto hook = cl::ExceptionHooks().OnException)
            hook(std::current_exception(), player, cl::TCatchPoint::Application);
    }
    return 0;
}

}  // namespace radio
