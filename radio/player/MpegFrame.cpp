#include "radio/player/MpegFrame.h"

#include <algorithm>
#include <cstring>

namespace radio {

namespace {

// kbit/s by [MPEG-1 or not][layer - 1][index]; index 0 (free format) and 15 are refused.
constexpr int kBitrates[2][3][16] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}}};

constexpr int kSampleRates[3][3] = {{44100, 48000, 32000},   // MPEG-1
                                    {22050, 24000, 16000},   // MPEG-2
                                    {11025, 12000, 8000}};   // MPEG-2.5

constexpr std::size_t kId3HeaderBytes = 10;
// Beyond this, already consumed bytes are dropped from the front of the buffer.
constexpr std::size_t kCompactAfter = 64 * 1024;

}  // namespace

std::optional<TMpegHeader> ParseMpegHeader(const std::uint8_t* p)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return std::nullopt;
    const int versionBits = (p[1] >> 3) & 3;
    const int layerBits = (p[1] >> 1) & 3;
    const int bitrateIndex = p[2] >> 4;
    const int rateIndex = (p[2] >> 2) & 3;
    if (versionBits == 1 || layerBits == 0 || rateIndex == 3 || (p[3] & 3) == 2)
        return std::nullopt;

    TMpegHeader h;
    h.Version = versionBits == 3 ? TMpegVersion::Mpeg1
              : versionBits == 2 ? TMpegVersion::Mpeg2
                                 : TMpegVersion::Mpeg25;
    h.Layer = 4 - layerBits;
    const bool mpeg1 = h.Version == TMpegVersion::Mpeg1;
    h.BitrateKbps = kBitrates[mpeg1 ? 0 : 1][h.Layer - 1][bitrateIndex];
    if (h.BitrateKbps == 0)
        return std::nullopt;
    h.SampleRate = kSampleRates[static_cast<int>(h.Version)][rateIndex];
    h.Padding = (p[2] >> 1) & 1;
    h.Channels = (p[3] >> 6) == 3 ? 1 : 2;
    const int bitsPerSecond = h.BitrateKbps * 1000;
    switch (h.Layer) {
    case 1:
        h.SamplesPerFrame = 384;
        h.FrameBytes = (12 * bitsPerSecond / h.SampleRate + (h.Padding ? 1 : 0)) * 4;
        break;
    case 2:
        h.SamplesPerFrame = 1152;
        h.FrameBytes = 144 * bitsPerSecond / h.SampleRate + (h.Padding ? 1 : 0);
        break;
    default:
        h.SamplesPerFrame = mpeg1 ? 1152 : 576;
        h.FrameBytes = (mpeg1 ? 144 : 72) * bitsPerSecond / h.SampleRate + (h.Padding ? 1 : 0);
        break;
    }
    return h;
}

void TMpegFrameFinder::Append(const std::uint8_t* data, std::size_t size)
{
    const std::size_t dropped = std::min(size, tagBytesPending_);
    tagBytesPending_ -= dropped;
    buffer_.insert(buffer_.end(), data + dropped, data + size);
}

void TMpegFrameFinder::Compact()
{
    if (pos_ < kCompactAfter)
        return;
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(pos_));
    pos_ = 0;
}

// An "ID3" tag header at the read position: skip the whole tag, however much of it is here.
bool TMpegFrameFinder::SkipId3Tag()
{
    const std::uint8_t* p = buffer_.data() + pos_;
    if (std::memcmp(p, "ID3", 3) != 0 || p[3] < 2 || p[3] > 4 || p[4] == 0xFF ||
        ((p[6] | p[7] | p[8] | p[9]) & 0x80))
        return false;
    std::size_t size = (std::size_t(p[6]) << 21) | (std::size_t(p[7]) << 14) |
                       (std::size_t(p[8]) << 7) | p[9];
    size += kId3HeaderBytes + ((p[5] & 0x10) ? kId3HeaderBytes : 0);  // footer
    const std::size_t here = buffer_.size() - pos_;
    if (size > here) {
        tagBytesPending_ = size - here;
        pos_ = buffer_.size();
    } else {
        pos_ += size;
    }
    return true;
}

bool TMpegFrameFinder::Next(TMpegFrame& frame)
{
    Compact();
    for (;;) {
        const std::size_t avail = buffer_.size() - pos_;
        if (avail < 4)
            return false;
        const std::uint8_t* p = buffer_.data() + pos_;

        if (locked_) {
            const auto h = ParseMpegHeader(p);
            if (h && h->SameStream(*locked_)) {
                if (avail < static_cast<std::size_t>(h->FrameBytes))
                    return false;
                frame = {*h, p, static_cast<std::size_t>(h->FrameBytes)};
                pos_ += frame.Size;
                return true;
            }
            // Lost: look at the same byte again as a stranger (it may start a tag).
            locked_.reset();
            continue;
        }

        if (p[0] == 'I') {
            if (avail < kId3HeaderBytes)
                return false;
            if (SkipId3Tag())
                continue;
        }
        if (p[0] != 0xFF) {
            // Up to the next byte that may start a frame or a tag.
            std::size_t step = 1;
            while (step < avail && p[step] != 0xFF && p[step] != 'I')
                ++step;
            pos_ += step;
            skipped_ += step;
            continue;
        }
        const auto h = ParseMpegHeader(p);
        if (h) {
            // Locked only where three headers in a row agree: a stream joined mid-frame, or
            // stray bytes before it, may hold a byte pair that passes for one header, rarely
            // for two, practically never for three.
            const std::size_t length = static_cast<std::size_t>(h->FrameBytes);
            if (avail < length + 4)
                return false;
            const auto second = ParseMpegHeader(p + length);
            if (second && second->SameStream(*h)) {
                const std::size_t both = length + static_cast<std::size_t>(second->FrameBytes);
                if (avail < both + 4)
                    return false;
                const auto third = ParseMpegHeader(p + both);
                if (third && third->SameStream(*h)) {
                    locked_ = h;
                    frame = {*h, p, length};
                    pos_ += length;
                    return true;
                }
            }
        }
        ++pos_;
        ++skipped_;
    }
}

}  // namespace radio
