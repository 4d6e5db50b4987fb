// The media player control's adapter.
#include "classlib/ole/MediaPlayerControl.h"

#include <wmp.h>
#include <wmpids.h>

#include <algorithm>

#include "classlib/system/CoreConsts.h"
#include "classlib/graphics/Error.h"
#include "classlib/ole/Container.h"

namespace cl {

namespace {
// A window nobody sees, for the control to live in.
class THiddenHost {
public:
    THiddenHost()
        : wnd_(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr))
    {
        if (!wnd_)
            throw EOutOfResources(consts::SOutOfResources);
    }
    ~THiddenHost() { DestroyWindow(wnd_); }
    THiddenHost(const THiddenHost&) = delete;
    THiddenHost& operator=(const THiddenHost&) = delete;
    HWND Handle() const { return wnd_; }

private:
    HWND wnd_;
};
}  // namespace

struct TMediaPlayerControl::TImpl {
    // Destroyed in reverse: the sink leaves first, the control closes before its window goes.
    THiddenHost host;
    std::unique_ptr<TOleContainer> container;
    TComPtr<IWMPPlayer4> player;
    TComPtr<IWMPSettings> settings;
    TComPtr<TEventSink> sink;
    AnsiString url;
    int volume = 50;
    bool mute = false;

    ~TImpl()
    {
        if (sink)
            sink->Disconnect();
    }
};

TMediaPlayerControl::TMediaPlayerControl() : impl_(std::make_unique<TImpl>())
{
    impl_->container = std::make_unique<TOleContainer>(impl_->host.Handle(), CLSID_WindowsMediaPlayer);
    impl_->player = impl_->container->Query<IWMPPlayer4>(IID_IWMPPlayer4);
    if (!impl_->player)
        OleError(E_NOINTERFACE);
    OleCheck(impl_->player->get_settings(impl_->settings.Put()));
    // Each of these may be missing on a platform; the player plays without them.
    impl_->settings->put_autoStart(VARIANT_TRUE);
    impl_->settings->put_enableErrorDialogs(VARIANT_FALSE);
    impl_->settings->put_volume(50);
    TBStr invisible(L"invisible");
    impl_->player->put_uiMode(invisible.Get());
    try {
        impl_->sink = TEventSink::Connect(impl_->player.Get(), IID__WMPOCXEvents, [this](DISPID id, DISPPARAMS*) {
            if (id == DISPID_WMPCOREEVENT_STATUSCHANGE && OnStatusChange)
                OnStatusChange(this);
        });
    } catch (const EOleException&) {
        // A control without events still plays; only the status line stays still.
    }
}

TMediaPlayerControl::~TMediaPlayerControl() = default;

AnsiString TMediaPlayerControl::URL() const
{
    TBStr url;
    if (SUCCEEDED(impl_->player->get_URL(url.Put())) && url.Get())
        return url.ToString();
    return impl_->url;
}

void TMediaPlayerControl::SetURL(const AnsiString& url)
{
    TBStr value = TBStr::FromString(url);
    OleCheck(impl_->player->put_URL(value.Get()));
    impl_->url = url;
}

AnsiString TMediaPlayerControl::Status() const
{
    TBStr status;
    if (SUCCEEDED(impl_->player->get_status(status.Put())))
        return status.ToString();
    return {};
}

bool TMediaPlayerControl::StatusReadable() const
{
    TBStr status;
    return SUCCEEDED(impl_->player->get_status(status.Put()));
}

int TMediaPlayerControl::Volume() const
{
    long volume = 0;
    if (SUCCEEDED(impl_->settings->get_volume(&volume)))
        return static_cast<int>(volume);
    return impl_->volume;
}

void TMediaPlayerControl::SetVolume(int volume)
{
    volume = std::clamp(volume, 0, 100);
    OleCheck(impl_->settings->put_volume(volume));
    impl_->volume = volume;
}

bool TMediaPlayerControl::Mute() const
{
    VARIANT_BOOL mute = VARIANT_FALSE;
    if (SUCCEEDED(impl_->settings->get_mute(&mute)))
        return mute != VARIANT_FALSE;
    return impl_->mute;
}

void TMediaPlayerControl::SetMute(bool mute)
{
    if (SUCCEEDED(impl_->settings->put_mute(mute ? VARIANT_TRUE : VARIANT_FALSE)))
        impl_->mute = mute;
}

namespace {

// Whether a bare player object, not hosted anywhere, reads its status: answered without the
// hidden window and the in-place activation that hosting costs, so that a platform whose
// control falls short (Wine's) is passed over at a fraction of the price.
bool BarePlayerReadsStatus()
{
    TComPtr<IWMPPlayer4> player;
    if (FAILED(CoCreateInstance(CLSID_WindowsMediaPlayer, nullptr, CLSCTX_INPROC_SERVER, IID_IWMPPlayer4,
                                player.PutVoid())))
        return false;
    TBStr status;
    return SUCCEEDED(player->get_status(status.Put()));
}

}  // namespace

std::unique_ptr<TMediaPlayer> CreateMediaPlayerControl(bool Forced)
{
    try {
        if (!Forced && !BarePlayerReadsStatus())
            return nullptr;
        auto player = std::make_unique<TMediaPlayerControl>();
        if (!Forced && !player->StatusReadable())
            return nullptr;
        return player;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace cl
