#include "radio/player/ToneAnalysis.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace player_test {

std::vector<std::int16_t> Record(int milliseconds)
{
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = kRecordRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = kRecordRate * 4;
    HWAVEIN device = nullptr;
    if (waveInOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR)
        return {};
    std::vector<std::int16_t> stereo(static_cast<std::size_t>(kRecordRate) * milliseconds / 1000 * 2);
    WAVEHDR header{};
    header.lpData = reinterpret_cast<LPSTR>(stereo.data());
    header.dwBufferLength = static_cast<DWORD>(stereo.size() * 2);
    waveInPrepareHeader(device, &header, sizeof header);
    waveInAddBuffer(device, &header, sizeof header);
    waveInStart(device);
    // Bounded: a device that never fills the buffer gives what it has.
    for (int waited = 0; !(header.dwFlags & WHDR_DONE) && waited < milliseconds * 3 + 2000; waited += 10)
        Sleep(10);
    waveInReset(device);
    waveInUnprepareHeader(device, &header, sizeof header);
    waveInClose(device);
    std::vector<std::int16_t> mono(header.dwBytesRecorded / 4);
    for (std::size_t i = 0; i < mono.size(); ++i)
        mono[i] = static_cast<std::int16_t>((stereo[2 * i] + stereo[2 * i + 1]) / 2);
    return mono;
}

double ToneAmplitude(const std::vector<std::int16_t>& samples, double frequency)
{
    if (samples.empty())
        return 0;
    // Goertzel: the one DFT bin of that frequency.
    const double w = 2 * std::numbers::pi * frequency / kRecordRate;
    const double coefficient = 2 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (std::int16_t x : samples) {
        const double s0 = x + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    return 2 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(samples.size());
}

double SteadyToneAmplitude(const std::vector<std::int16_t>& samples, double frequency)
{
    constexpr std::size_t kWindow = kRecordRate / 50;
    std::vector<double> levels;
    for (std::size_t at = 0; at + kWindow <= samples.size(); at += kWindow)
        levels.push_back(ToneAmplitude(
            std::vector<std::int16_t>(samples.begin() + static_cast<std::ptrdiff_t>(at),
                                      samples.begin() + static_cast<std::ptrdiff_t>(at + kWindow)),
            frequency));
    if (levels.empty())
        return 0;
    std::sort(levels.begin(), levels.end());
    return levels[levels.size() / 2];
}

double Loudness(const std::vector<std::int16_t>& samples)
{
    if (samples.empty())
        return 0;
    double sum = 0;
    for (std::int16_t x : samples)
        sum += double(x) * x;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

}  // namespace player_test
