#include "radio/player/IcyMetadata.h"

#include <algorithm>

namespace radio {

void TIcyMetadataStripper::Feed(const std::uint8_t* data, std::size_t size,
                                std::vector<std::uint8_t>& audio)
{
    if (interval_ == 0) {
        audio.insert(audio.end(), data, data + size);
        return;
    }
    const std::uint8_t* end = data + size;
    while (data < end) {
        const std::size_t here = static_cast<std::size_t>(end - data);
        if (!inMetadata_) {
            const std::size_t take = std::min(audioLeft_, here);
            audio.insert(audio.end(), data, data + take);
            data += take;
            audioLeft_ -= take;
            if (audioLeft_ == 0)
                inMetadata_ = true, metadataLeft_ = 0;
            continue;
        }
        if (metadataLeft_ == 0) {
            // The length byte; a zero length is the common "no new title" block.
            metadataLeft_ = std::size_t(*data++) * 16;
            if (metadataLeft_ == 0) {
                inMetadata_ = false;
                audioLeft_ = interval_;
            }
            continue;
        }
        const std::size_t skip = std::min(metadataLeft_, here);
        data += skip;
        metadataLeft_ -= skip;
        if (metadataLeft_ == 0) {
            inMetadata_ = false;
            audioLeft_ = interval_;
        }
    }
}

}  // namespace radio
