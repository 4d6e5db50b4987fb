#pragma once
// MPEG layer III to 16-bit PCM through the system's audio codecs (ACM), which every Windows
// ships and Wine provides. Frames are gathered into batches: one conversion per frame would
// cost more calls than decoding.
#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <cstdint>
#include <vector>

#include "radio/player/MpegFrame.h"

namespace radio {

class TMp3Decoder {
public:
    // Throws EStreamPlayerError when no codec takes this format.
    explicit TMp3Decoder(const TMpegHeader& format);
    ~TMp3Decoder();
    TMp3Decoder(const TMp3Decoder&) = delete;
    TMp3Decoder& operator=(const TMp3Decoder&) = delete;

    const WAVEFORMATEX& PcmFormat() const { return pcm_; }
    const TMpegHeader& Format() const { return format_; }

    // Takes one frame; appends the PCM of each completed batch to pcm.
    void Decode(const std::uint8_t* frame, std::size_t size, std::vector<std::uint8_t>& pcm);
    // Decodes what is left at the end of a stream.
    void Flush(std::vector<std::uint8_t>& pcm);

private:
    void Convert(std::vector<std::uint8_t>& pcm, DWORD flags);

    TMpegHeader format_;
    WAVEFORMATEX pcm_{};
    HACMSTREAM stream_ = nullptr;
    std::vector<std::uint8_t> input_;
    std::vector<std::uint8_t> output_;
    ACMSTREAMHEADER header_{};
    bool prepared_ = false;
    std::size_t inputUsed_ = 0;
    std::size_t batchBytes_ = 0;
    bool started_ = false;
};

}  // namespace radio
