#include "radio/StreamPlayer.h"

#include <algorithm>
#include <exception>

#include "classlib/ExceptionHooks.h"
#include "radio/StreamPlayerStatus.h"

namespace radio {

namespace {

constexpr wchar_t kWindowClass[] = L"TrebanixStreamPlayerNotify";
constexpr UINT kStatusMessage = WM_APP + 1;

void RegisterWindowClass(WNDPROC windowProc)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpszClassName = kWindowClass;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpfnWndProc = windowProc;
    RegisterClassExW(&wc);            // fails harmlessly when already registered
}

}  // namespace

TStreamPlayer::TStreamPlayer(UINT waveDevice) : waveDevice_(waveDevice)
{
    RegisterWindowClass(&WindowProc);
    window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (window_)
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TStreamPlayer::~TStreamPlayer()
{
    session_.reset();
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
        session_ = std::make_unique<TStreamSession>(url, waveDevice_, static_cast<TStreamSessionHost&>(*this));
    else if (wasPlaying)
        ReportStatus(status::kStopped);
}

void TStreamPlayer::SetVolume(int volume)
{
    volume_ = std::clamp(volume, 0, 100);
}

int TStreamPlayer::Gain() const
{
    return mute_ ? 0 : volume_ * 65536 / 100;
}

void TStreamPlayer::ReportStatus(const std::string& status)
{
    {
        std::lock_guard<std::mutex> lock(statusLock_);
        if (status == lastReported_)
            return;
        lastReported_ = status;
        pendingStatuses_.push_back(status);
    }
    // One message per status, so that the owner sees every step, in order.
    if (window_)
        PostMessageW(window_, kStatusMessage, 0, 0);
}

void TStreamPlayer::DeliverNextStatus()
{
    {
        std::lock_guard<std::mutex> lock(statusLock_);
        if (pendingStatuses_.empty())
            return;
        status_ = pendingStatuses_.front();
        pendingStatuses_.pop_front();
    }
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
