#include "radio/player/Choice.h"

#include <windows.h>

#include <string>
#include <utility>

#include "radio/player/StreamPlayer.h"

namespace radio {

namespace {

std::string PlayerSetting()
{
    char value[32] = {};
    const DWORD n = GetEnvironmentVariableA("TREBANIX_PLAYER", value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

}  // namespace

std::unique_ptr<cl::TMediaPlayer> ChooseMediaPlayer(const TControlPlayerFactory& createControl)
{
    const std::string setting = PlayerSetting();
    if (setting != "stream" && createControl) {
        // Start-up never fails on the control: whatever goes wrong, the stream player plays.
        try {
            if (auto control = createControl(setting == "control"))
                return control;
        } catch (...) {
        }
    }
    return std::make_unique<TStreamPlayer>();
}

TPlayerChosenOnFirstUse::TPlayerChosenOnFirstUse(TControlPlayerFactory createControl)
    : createControl_(std::move(createControl))
{
}

cl::TMediaPlayer& TPlayerChosenOnFirstUse::Choose() const
{
    if (!chosen_) {
        chosen_ = ChooseMediaPlayer(createControl_);
        // The chosen player's changes are this player's: the window knows only this one.
        auto* self = const_cast<TPlayerChosenOnFirstUse*>(this);
        chosen_->OnStatusChange = [self](cl::TObject*) {
            if (self->OnStatusChange)
                self->OnStatusChange(self);
        };
    }
    return *chosen_;
}

cl::AnsiString TPlayerChosenOnFirstUse::URL() const { return chosen_ ? chosen_->URL() : cl::AnsiString(); }

void TPlayerChosenOnFirstUse::SetURL(const cl::AnsiString& url)
{
    if (!chosen_ && url.empty())
        return;
    Choose().SetURL(url);
}

cl::AnsiString TPlayerChosenOnFirstUse::Status() const
{
    return chosen_ ? chosen_->Status() : cl::AnsiString();
}

int TPlayerChosenOnFirstUse::Volume() const { return Choose().Volume(); }

void TPlayerChosenOnFirstUse::SetVolume(int volume) { Choose().SetVolume(volume); }

bool TPlayerChosenOnFirstUse::Mute() const { return Choose().Mute(); }

void TPlayerChosenOnFirstUse::SetMute(bool mute) { Choose().SetMute(mute); }

std::unique_ptr<cl::TMediaPlayer> CreateMediaPlayer(const TControlPlayerFactory& createControl)
{
    return std::make_unique<TPlayerChosenOnFirstUse>(createControl);
}

}  // namespace radio
