#pragma once
// The one place that decides which player the program uses: the media player control where
// the system implements it, our own stream player otherwise.
#include <functional>
#include <memory>

#include "classlib/ole/MediaPlayer.h"

namespace radio {

// Creates the control's player. With forced false it answers nothing unless the control is
// created and its status can be read; with forced true, whenever the control is created.
using TControlPlayerFactory = std::function<std::unique_ptr<cl::TMediaPlayer>(bool forced)>;

// The environment variable TREBANIX_PLAYER set to "control" or "stream" forces a player;
// without a control factory the stream player plays.
std::unique_ptr<cl::TMediaPlayer> ChooseMediaPlayer(const TControlPlayerFactory& createControl = {});

// The player the program holds from its start: the choice above is made when its holder says
// nothing waits (Prepare) or the first time it is asked to play or to read or set its sound,
// whichever comes first, so that making the window neither creates the media player control
// nor loads what the control needs. Until then it has no address and nothing to say.
class TPlayerChosenOnFirstUse : public cl::TMediaPlayer {
public:
    explicit TPlayerChosenOnFirstUse(TControlPlayerFactory createControl);

    cl::AnsiString URL() const override;
    // An empty address stops: with nothing chosen yet nothing plays, and nothing is chosen.
    void SetURL(const cl::AnsiString& url) override;
    cl::AnsiString Status() const override;
    int Volume() const override;
    void SetVolume(int volume) override;
    bool Mute() const override;
    void SetMute(bool mute) override;

    // Makes the choice now, at a moment when nothing waits for it, so that the first play
    // does not wait for it either.
    void Prepare() { Choose(); }

    // The player chosen so far; null before the first use.
    cl::TMediaPlayer* Chosen() const { return chosen_.get(); }

private:
    cl::TMediaPlayer& Choose() const;

    TControlPlayerFactory createControl_;
    mutable std::unique_ptr<cl::TMediaPlayer> chosen_;
};

// The program's player: a TPlayerChosenOnFirstUse over the given control factory.
std::unique_ptr<cl::TMediaPlayer> CreateMediaPlayer(const TControlPlayerFactory& createControl = {});

}  // namespace radio
