// The level the playback tests read from a recording: the one the tone holds for most of it,
// which gaps (late buffers under load) do not lower.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "radio/player/ToneAnalysis.h"

using namespace player_test;

namespace {

// Milliseconds of a tone of the given frequency and amplitude at the recording rate.
std::vector<std::int16_t> Tone(int Milliseconds, double Frequency, double Amplitude)
{
    std::vector<std::int16_t> s(static_cast<std::size_t>(kRecordRate) * Milliseconds / 1000);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<std::int16_t>(Amplitude * std::sin(2 * std::numbers::pi * Frequency * i / kRecordRate));
    return s;
}

std::vector<std::int16_t> Joined(std::vector<std::int16_t> A, const std::vector<std::int16_t>& B)
{
    A.insert(A.end(), B.begin(), B.end());
    return A;
}

}  // namespace

TEST(ToneAnalysis, GapsDoNotLowerTheSteadyLevel)
{
    const auto steady = Tone(400, 1000, 8000);
    EXPECT_NEAR(ToneAmplitude(steady, 1000), 8000, 200);
    EXPECT_NEAR(SteadyToneAmplitude(steady, 1000), 8000, 200);

    // Late buffers: three gaps of 30 ms. The whole is a fifth too quiet; the steady level is not.
    std::vector<std::int16_t> gapped;
    for (int i = 0; i < 3; ++i)
        gapped = Joined(Joined(gapped, Tone(100, 1000, 8000)), Tone(30, 1000, 0));
    EXPECT_LT(ToneAmplitude(gapped, 1000), 7000);
    EXPECT_NEAR(SteadyToneAmplitude(gapped, 1000), 8000, 200);

    // Mostly at half the level: the steady level is the half.
    const auto lowered = Joined(Tone(60, 1000, 8000), Tone(340, 1000, 4000));
    EXPECT_NEAR(SteadyToneAmplitude(lowered, 1000), 4000, 200);
    EXPECT_EQ(SteadyToneAmplitude({}, 1000), 0);
}
