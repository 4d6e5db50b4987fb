#pragma once
// Listening to what the player really played: a recording of the default capture device
// (the sound server's monitor of the output during the tests) and the strength of one
// frequency in it.
#include <cstdint>
#include <vector>

namespace player_test {

constexpr int kRecordRate = 44100;

// Mono samples of the default capture device; empty when none opens.
std::vector<std::int16_t> Record(int milliseconds);

// Amplitude (0..32768) of the given frequency in the samples.
double ToneAmplitude(const std::vector<std::int16_t>& samples, double frequency);

// The amplitude the frequency holds for most of the samples: measured in 20 ms windows, the
// median of their levels. Gaps (late buffers under load) lower only the windows
// they fall in, so they do not lower this level as they lower ToneAmplitude of the whole.
double SteadyToneAmplitude(const std::vector<std::int16_t>& samples, double frequency);

// Root mean square of the samples.
double Loudness(const std::vector<std::int16_t>& samples);

}  // namespace player_test
