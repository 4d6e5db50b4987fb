// The recording media player.
#include "support/RecordingMediaPlayer.h"

#include <algorithm>

namespace cl {

void TRecordingMediaPlayer::SetURL(const AnsiString& url)
{
    url_ = url;
    URLs.push_back(url);
}

void TRecordingMediaPlayer::SetVolume(int volume) { volume_ = std::clamp(volume, 0, 100); }

void TRecordingMediaPlayer::SetStatus(const AnsiString& Status)
{
    status_ = Status;
    if (OnStatusChange)
        OnStatusChange(this);
}

}  // namespace cl
