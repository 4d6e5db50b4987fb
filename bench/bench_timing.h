#pragma once
// Timing helpers of every benchmark: medians of repeated runs, printed one figure a line as
// BENCH <name> value=<v> unit=<u> ref=<r> ratio=<v/r> target=<t>.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

// Median seconds of one call of F over Runs runs (after one warm-up call).
template <class F>
double Median(int Runs, F&& Fn)
{
    Fn();
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        Fn();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Median milliseconds of one call of Work over Runs runs, without a warm-up call.
template <class F>
double MedianMilliseconds(int Runs, F&& Work)
{
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        Work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The middle value of a set of samples.
inline double MedianOf(std::vector<double> Values)
{
    if (Values.empty())
        return 0;
    std::sort(Values.begin(), Values.end());
    return Values[Values.size() / 2];
}

inline void Report(const std::string& Name, double Value, const char* Unit, double Ref, const std::string& Target)
{
    std::printf("BENCH %s value=%.4g unit=%s ref=%.4g ratio=%.3g target=%s\n", Name.c_str(), Value, Unit, Ref,
                Ref > 0 ? Value / Ref : 0.0, Target.c_str());
    std::fflush(stdout);
}

// A figure in milliseconds.
inline void Report(const std::string& Name, double Value, double Ref, const std::string& Target)
{
    Report(Name, Value, "ms", Ref, Target);
}

}  // namespace bench
