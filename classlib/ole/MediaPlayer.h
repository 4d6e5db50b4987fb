#pragma once
// The few operations the radio asks of a media player: set the address (which starts playing;
// an empty one stops), read the status text, write the volume, read and write mute, and be told
// when the status changes. The media player control and our own stream player both stand
// behind it, so the windows never know which one plays.
#include "classlib/classes/Classes.h"
#include "classlib/system/SysUtils.h"

namespace cl {

class TMediaPlayer : public TObject {
public:
    // Players stop and free everything they hold when destroyed.
    ~TMediaPlayer() override = default;

    virtual AnsiString URL() const = 0;
    virtual void SetURL(const AnsiString& url) = 0;

    // A text for the listener ("Playing", "Buffering...", the cause of a failure); empty when
    // the player cannot say.
    virtual AnsiString Status() const = 0;

    // 0 to 100; values outside are clamped.
    virtual int Volume() const = 0;
    virtual void SetVolume(int volume) = 0;

    virtual bool Mute() const = 0;
    virtual void SetMute(bool mute) = 0;

    // Raised on the thread that created the player, once for every status change; Status()
    // then gives the new text.
    TNotifyEvent OnStatusChange;
};

}  // namespace cl
