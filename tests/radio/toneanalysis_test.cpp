// What the playback tests take as a reference level: only a steady stretch of a recording, never
// one with a gap (a late buffer under load) or a change of volume in it.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "ToneAnalysis.h"

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

TEST(ToneAnalysis, OnlyASteadyStretchIsAReference)
{
    const auto steady = Tone(400, 1000, 8000);
    EXPECT_NEAR(ToneAmplitude(steady, 1000), 8000, 200);
    EXPECT_TRUE(Steady(steady, 1000));

    // 80 ms of silence in the middle: loud enough for a threshold, yet a fifth too quiet.
    const auto gapped = Joined(Joined(Tone(160, 1000, 8000), Tone(80, 1000, 0)), Tone(160, 1000, 8000));
    EXPECT_GT(ToneAmplitude(gapped, 1000), 3000);
    EXPECT_LT(ToneAmplitude(gapped, 1000), 7000);
    EXPECT_FALSE(Steady(gapped, 1000));

    // The volume changed halfway.
    EXPECT_FALSE(Steady(Joined(Tone(200, 1000, 8000), Tone(200, 1000, 4000)), 1000));
    // Too short to judge.
    EXPECT_FALSE(Steady({}, 1000));
}
