#pragma once
// PCM to the sound device through waveOut, with a few buffers in flight. Volume and mute act
// on the samples as they are copied into a buffer, so they work whatever the device's mixer.
#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "classlib/system/KernelHandles.h"
#include "classlib/system/SocketHandles.h"

namespace radio {

class TWaveOutput {
public:
    // Throws EStreamPlayerError when no device opens. Waits are cut short by stopEvent
    // (TStopRequested).
    TWaveOutput(const WAVEFORMATEX& format, UINT device, HANDLE stopEvent);
    ~TWaveOutput();
    TWaveOutput(const TWaveOutput&) = delete;
    TWaveOutput& operator=(const TWaveOutput&) = delete;

    // gain: 0 (silent) to 65536 (unchanged). Blocks while every buffer is queued.
    void Write(const std::uint8_t* pcm, std::size_t bytes, int gain);
    // Queues the partly filled buffer and waits until everything has been played.
    void Drain();
    // True once a buffer has been handed to the device.
    bool Started() const { return started_; }

    static constexpr int kFullGain = 65536;
    // The devices that the process's outputs hold open now.
    static int OpenCount() { return openCount_; }

private:
    struct TBuffer {
        std::vector<std::uint8_t> Data;
        WAVEHDR Header{};
        bool Prepared = false;
    };
    static constexpr std::size_t kBufferCount = 4;

    void Close();
    TBuffer* FreeBuffer();
    void Queue(TBuffer& buffer, std::size_t bytes);
    bool AllDone() const;

    static std::atomic<int> openCount_;

    HANDLE stopEvent_;
    cl::TOwnedHandle doneEvent_;
    HWAVEOUT device_ = nullptr;
    std::array<TBuffer, kBufferCount> buffers_;
    TBuffer* filling_ = nullptr;
    std::size_t filled_ = 0;
    bool started_ = false;
};

}  // namespace radio
