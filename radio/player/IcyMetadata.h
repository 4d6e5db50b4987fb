#pragma once
// Internet-radio servers that were asked for metadata ("Icy-MetaData: 1") put a block of text
// into the audio every icy-metaint bytes: one length byte (in 16-byte units), then the text.
// The decoder must never see those blocks.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace radio {

class TIcyMetadataStripper {
public:
    // interval 0: the stream carries no metadata and passes unchanged.
    explicit TIcyMetadataStripper(std::size_t interval) : interval_(interval), audioLeft_(interval) {}

    // Appends the audio bytes of [data, data + size) to audio.
    void Feed(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& audio);

private:
    std::size_t interval_;
    std::size_t audioLeft_;      // audio bytes before the next length byte
    std::size_t metadataLeft_ = 0;
    bool inMetadata_ = false;
};

}  // namespace radio
