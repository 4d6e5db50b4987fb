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

// True when the frequency is as strong in each quarter of the samples as in the others (within
// Tolerance of the strongest): a recording with a gap in it (a late buffer under load) is no
// reference for a loudness.
bool Steady(const std::vector<std::int16_t>& samples, double frequency, double tolerance = 0.15);

// Root mean square of the samples.
double Loudness(const std::vector<std::int16_t>& samples);

}  // namespace player_test
