#pragma once
// The one place that decides which player the program uses: the media player control where
// the system implements it, our own stream player otherwise.
#include <functional>
#include <memory>

#include "classlib/MediaPlayer.h"

namespace radio {

// Creates the control's player. With forced false it answers nothing unless the control is
// created and its status can be read; with forced true, whenever the control is created.
using TControlPlayerFactory = std::function<std::unique_ptr<cl::TMediaPlayer>(bool forced)>;

// The environment variable TREBANIX_PLAYER set to "control" or "stream" forces a player;
// without a control factory the stream player plays.
std::unique_ptr<cl::TMediaPlayer> CreateMediaPlayer(const TControlPlayerFactory& createControl = {});

}  // namespace radio
