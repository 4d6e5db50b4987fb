#pragma once
// The drawing benchmarks' parts, each in a file of its own; timing in bench_timing.h.
#include <string>

#include "bench/bench_timing.h"

namespace bench {

void RunEffects();
#ifdef _WIN32
void RunComposers();
void RunRegions();
#endif

}  // namespace bench
