#include "radio/player/WaveOutput.h"

#include <algorithm>
#include <cstring>

#include "radio/player/Errors.h"
#include "radio/player/Status.h"

namespace radio {

namespace {

// Each buffer holds this much sound: four of them keep the device fed through the network's
// hiccups while a volume change is heard within about half a second.
constexpr DWORD kBufferMs = 150;

}  // namespace

std::atomic<int> TWaveOutput::openCount_{0};

TWaveOutput::TWaveOutput(const WAVEFORMATEX& format, UINT device, HANDLE stopEvent)
    : stopEvent_(stopEvent), doneEvent_(CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
    if (!doneEvent_)
        throw EStreamPlayerError(status::Internal("no event for the sound device"));
    WAVEFORMATEX wanted = format;
    if (waveOutOpen(&device_, device, &wanted, reinterpret_cast<DWORD_PTR>(doneEvent_.get()), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        device_ = nullptr;
        throw EStreamPlayerError(status::NoAudioDevice());
    }
    ++openCount_;
    std::size_t bytes = format.nAvgBytesPerSec * kBufferMs / 1000;
    bytes -= bytes % format.nBlockAlign;
    for (TBuffer& b : buffers_) {
        b.Data.resize(bytes);
        b.Header.lpData = reinterpret_cast<LPSTR>(b.Data.data());
        b.Header.dwBufferLength = static_cast<DWORD>(bytes);
        if (waveOutPrepareHeader(device_, &b.Header, sizeof b.Header) != MMSYSERR_NOERROR) {
            Close();  // no destructor runs for a constructor that throws
            throw EStreamPlayerError(status::NoAudioDevice());
        }
        b.Prepared = true;
        // A prepared buffer that was never queued counts as played.
        b.Header.dwFlags |= WHDR_DONE;
    }
}

TWaveOutput::~TWaveOutput()
{
    Close();
}

void TWaveOutput::Close()
{
    if (!device_)
        return;
    waveOutReset(device_);  // returns every queued buffer at once
    for (TBuffer& b : buffers_)
        if (b.Prepared)
            waveOutUnprepareHeader(device_, &b.Header, sizeof b.Header);
    waveOutClose(device_);
    device_ = nullptr;
    --openCount_;
}

TWaveOutput::TBuffer* TWaveOutput::FreeBuffer()
{
    for (;;) {
        for (TBuffer& b : buffers_)
            if (b.Header.dwFlags & WHDR_DONE)
                return &b;
        const HANDLE handles[2] = {stopEvent_, doneEvent_.get()};
        if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0)
            throw TStopRequested{};
    }
}

bool TWaveOutput::AllDone() const
{
    return std::all_of(buffers_.begin(), buffers_.end(),
                       [](const TBuffer& b) { return (b.Header.dwFlags & WHDR_DONE) != 0; });
}

void TWaveOutput::Queue(TBuffer& buffer, std::size_t bytes)
{
    buffer.Header.dwBufferLength = static_cast<DWORD>(bytes);
    buffer.Header.dwFlags &= ~WHDR_DONE;
    if (waveOutWrite(device_, &buffer.Header, sizeof buffer.Header) != MMSYSERR_NOERROR) {
        buffer.Header.dwFlags |= WHDR_DONE;
        throw EStreamPlayerError(status::NoAudioDevice());
    }
    started_ = true;
}

void TWaveOutput::Write(const std::uint8_t* pcm, std::size_t bytes, int gain)
{
    while (bytes >= 2) {
        if (!filling_) {
            filling_ = FreeBuffer();
            filled_ = 0;
        }
        const std::size_t room = filling_->Data.size() - filled_;
        const std::size_t take = std::min(room, bytes & ~std::size_t(1));
        std::uint8_t* to = filling_->Data.data() + filled_;
        if (gain >= kFullGain) {
            std::memcpy(to, pcm, take);
        } else {
            // Little-endian 16-bit samples, scaled in fixed point.
            for (std::size_t i = 0; i < take; i += 2) {
                const int sample = static_cast<std::int16_t>(pcm[i] | (pcm[i + 1] << 8));
                const int scaled = (sample * gain) >> 16;
                to[i] = static_cast<std::uint8_t>(scaled);
                to[i + 1] = static_cast<std::uint8_t>(scaled >> 8);
            }
        }
        pcm += take;
        bytes -= take;
        filled_ += take;
        if (filled_ == filling_->Data.size()) {
            Queue(*filling_, filled_);
            filling_ = nullptr;
        }
    }
}

void TWaveOutput::Drain()
{
    if (filling_ && filled_ > 0)
        Queue(*filling_, filled_);
    filling_ = nullptr;
    while (!AllDone()) {
        const HANDLE handles[2] = {stopEvent_, doneEvent_.get()};
        if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0)
            throw TStopRequested{};
    }
}

}  // namespace radio
