#include "radio/player/Mp3Decoder.h"

#include <algorithm>
#include <cstring>

#include "radio/player/Errors.h"
#include "radio/player/Status.h"
#include "classlib/system/LibraryProc.h"

namespace radio {

namespace {

constexpr int kFramesPerBatch = 8;
// Largest frame: MPEG-1 layer III at 320 kbit/s and 32 kHz is 1441 bytes.
constexpr std::size_t kMaxFrameBytes = 1441;

}  // namespace

TMp3Decoder::TMp3Decoder(const TMpegHeader& format) : format_(format)
{
    MPEGLAYER3WAVEFORMAT mp3{};
    mp3.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    mp3.wfx.nChannels = static_cast<WORD>(format.Channels);
    mp3.wfx.nSamplesPerSec = static_cast<DWORD>(format.SampleRate);
    mp3.wfx.nAvgBytesPerSec = static_cast<DWORD>(format.BitrateKbps * 1000 / 8);
    mp3.wfx.nBlockAlign = 1;
    mp3.wfx.wBitsPerSample = 0;
    mp3.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    mp3.wID = MPEGLAYER3_ID_MPEG;
    mp3.fdwFlags = MPEGLAYER3_FLAG_PADDING_ISO;
    mp3.nBlockSize = static_cast<WORD>(format.FrameBytes - (format.Padding ? 1 : 0));
    mp3.nFramesPerBlock = 1;
    mp3.nCodecDelay = 0;

    pcm_.wFormatTag = WAVE_FORMAT_PCM;
    pcm_.nChannels = static_cast<WORD>(format.Channels);
    pcm_.nSamplesPerSec = static_cast<DWORD>(format.SampleRate);
    pcm_.wBitsPerSample = 16;
    pcm_.nBlockAlign = static_cast<WORD>(format.Channels * 2);
    pcm_.nAvgBytesPerSec = pcm_.nSamplesPerSec * pcm_.nBlockAlign;

    if (CL_LIBRARY_PROC("msacm32.dll", acmStreamOpen)(&stream_, nullptr, &mp3.wfx, &pcm_, nullptr, 0, 0,
                      ACM_STREAMOPENF_NONREALTIME) != MMSYSERR_NOERROR) {
        stream_ = nullptr;
        throw EStreamPlayerError(status::NoCodec());
    }

    batchBytes_ = static_cast<std::size_t>(format.FrameBytes) * kFramesPerBatch;
    // Room for a whole batch on top of what the codec left unread, whatever the bitrate.
    input_.resize(2 * kMaxFrameBytes * kFramesPerBatch);
    DWORD outputBytes = 0;
    if (CL_LIBRARY_PROC("msacm32.dll", acmStreamSize)(stream_, static_cast<DWORD>(input_.size()), &outputBytes,
                      ACM_STREAMSIZEF_SOURCE) != MMSYSERR_NOERROR)
        outputBytes = 0;
    const std::size_t pcmPerFrame = static_cast<std::size_t>(format.SamplesPerFrame) * pcm_.nBlockAlign;
    output_.resize(std::max<std::size_t>(outputBytes, pcmPerFrame * kFramesPerBatch * 4));

    header_.cbStruct = sizeof header_;
    header_.pbSrc = input_.data();
    header_.cbSrcLength = static_cast<DWORD>(input_.size());
    header_.pbDst = output_.data();
    header_.cbDstLength = static_cast<DWORD>(output_.size());
    if (CL_LIBRARY_PROC("msacm32.dll", acmStreamPrepareHeader)(stream_, &header_, 0) != MMSYSERR_NOERROR) {
        CL_LIBRARY_PROC("msacm32.dll", acmStreamClose)(stream_, 0);
        stream_ = nullptr;
        throw EStreamPlayerError(status::NoCodec());
    }
    prepared_ = true;
}

TMp3Decoder::~TMp3Decoder()
{
    if (prepared_) {
        // A header must be unprepared with the lengths it was prepared with.
        header_.cbSrcLength = static_cast<DWORD>(input_.size());
        header_.cbDstLength = static_cast<DWORD>(output_.size());
        CL_LIBRARY_PROC("msacm32.dll", acmStreamUnprepareHeader)(stream_, &header_, 0);
    }
    if (stream_)
        CL_LIBRARY_PROC("msacm32.dll", acmStreamClose)(stream_, 0);
}

void TMp3Decoder::Decode(const std::uint8_t* frame, std::size_t size, std::vector<std::uint8_t>& pcm)
{
    size = std::min(size, kMaxFrameBytes);
    if (inputUsed_ + size > input_.size())
        Convert(pcm, 0);
    if (inputUsed_ + size > input_.size())
        inputUsed_ = 0;  // the codec takes nothing more: drop its backlog rather than stall
    std::memcpy(input_.data() + inputUsed_, frame, size);
    inputUsed_ += size;
    if (inputUsed_ >= batchBytes_)
        Convert(pcm, 0);
}

void TMp3Decoder::Flush(std::vector<std::uint8_t>& pcm)
{
    Convert(pcm, ACM_STREAMCONVERTF_END);
}

void TMp3Decoder::Convert(std::vector<std::uint8_t>& pcm, DWORD flags)
{
    if (!started_)
        flags |= ACM_STREAMCONVERTF_START;
    // The codec may keep part of the input for the next call; it stays at the front.
    for (int round = 0; round < 4 && inputUsed_ > 0; ++round) {
        header_.cbSrcLength = static_cast<DWORD>(inputUsed_);
        header_.cbSrcLengthUsed = 0;
        header_.cbDstLength = static_cast<DWORD>(output_.size());
        header_.cbDstLengthUsed = 0;
        if (CL_LIBRARY_PROC("msacm32.dll", acmStreamConvert)(stream_, &header_, flags) != MMSYSERR_NOERROR)
            throw EStreamPlayerError(status::DecoderFailed());
        started_ = true;
        flags &= ~ACM_STREAMCONVERTF_START;
        pcm.insert(pcm.end(), output_.data(), output_.data() + header_.cbDstLengthUsed);
        const std::size_t used = std::min<std::size_t>(header_.cbSrcLengthUsed, inputUsed_);
        std::memmove(input_.data(), input_.data() + used, inputUsed_ - used);
        inputUsed_ -= used;
        if (used == 0 && header_.cbDstLengthUsed == 0)
            break;
        // A full output buffer means more is waiting in the codec.
        if (header_.cbDstLengthUsed < output_.size() && inputUsed_ < batchBytes_)
            break;
    }
}

}  // namespace radio
