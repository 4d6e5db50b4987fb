#include "radio/PlayerChoice.h"

#include <windows.h>

#include <string>

#include "radio/StreamPlayer.h"

namespace radio {

namespace {

std::string PlayerSetting()
{
    char value[32] = {};
    const DWORD n = GetEnvironmentVariableA("TREBANIX_PLAYER", value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

}  // namespace

std::unique_ptr<cl::TMediaPlayer> CreateMediaPlayer(const TControlPlayerFactory& createControl)
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

}  // namespace radio
