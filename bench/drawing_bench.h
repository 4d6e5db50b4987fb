#pragma once
// Timing helpers of the drawing benchmarks: medians of repeated runs, printed as
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

inline void Report(const std::string& Name, double Value, const char* Unit, double Ref, const std::string& Target)
{
    std::printf("BENCH %s value=%.4g unit=%s ref=%.4g ratio=%.3g target=%s\n", Name.c_str(), Value, Unit, Ref,
                Ref > 0 ? Value / Ref : 0.0, Target.c_str());
    std::fflush(stdout);
}

void RunEffects();
#ifdef _WIN32
void RunComposers();
void RunRegions();
#endif

}  // namespace bench
