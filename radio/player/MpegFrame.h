#pragma once
// MPEG audio frames in a byte stream: header decoding and a frame finder that locks onto a
// stream only after three consecutive headers agree, so that stray 0xFF bytes in tags, metadata
// or garbage never pass for audio.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace radio {

enum class TMpegVersion : std::uint8_t { Mpeg1, Mpeg2, Mpeg25 };

struct TMpegHeader {
    TMpegVersion Version = TMpegVersion::Mpeg1;
    int Layer = 3;            // 1, 2 or 3
    int BitrateKbps = 0;
    int SampleRate = 0;       // Hz
    int Channels = 2;
    bool Padding = false;
    int FrameBytes = 0;       // the whole frame, header included
    int SamplesPerFrame = 0;  // per channel

    // Frames of one stream share these; bitrate and padding change from frame to frame.
    bool SameStream(const TMpegHeader& other) const
    {
        return Version == other.Version && Layer == other.Layer &&
               SampleRate == other.SampleRate && Channels == other.Channels;
    }
};

// Decodes the four header bytes at p; nothing for a byte run that is no valid header
// (free-format bitrates included, which no decoder we use accepts).
std::optional<TMpegHeader> ParseMpegHeader(const std::uint8_t* p);

struct TMpegFrame {
    TMpegHeader Header;
    const std::uint8_t* Data = nullptr;
    std::size_t Size = 0;
};

class TMpegFrameFinder {
public:
    void Append(const std::uint8_t* data, std::size_t size);

    // The next whole frame, or false when more bytes are needed. ID3v2 tags and bytes that
    // belong to no frame are skipped. The frame's bytes stay valid until the next call.
    bool Next(TMpegFrame& frame);

    bool Locked() const { return locked_.has_value(); }
    // Bytes that belonged to no frame (tags excluded), and bytes not looked at yet.
    std::uint64_t SkippedBytes() const { return skipped_; }
    std::size_t Buffered() const { return buffer_.size() - pos_; }

private:
    bool SkipId3Tag();
    void Compact();

    std::vector<std::uint8_t> buffer_;
    std::size_t pos_ = 0;
    std::size_t tagBytesPending_ = 0;  // rest of an ID3 tag that has not arrived yet
    std::optional<TMpegHeader> locked_;
    std::uint64_t skipped_ = 0;
};

}  // namespace radio
