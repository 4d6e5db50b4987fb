#pragma once
// Timing helpers of the benchmarks that draw through GDI and run a message queue (Windows only);
// bench_timing.h holds the portable ones.
#include <windows.h>

#include "bench/bench_timing.h"

namespace bench {

// Median milliseconds of one call of Work over Runs runs, each timed to the end of its drawing:
// GDI batches its calls, and a run that stopped the clock before the batch went out would
// leave its drawing to the next.
template <class F>
double MedianFlushedMilliseconds(int Runs, F&& Work)
{
    return MedianMilliseconds(Runs, [&] {
        Work();
        GdiFlush();
    });
}

// Handles every message waiting in this thread's queue.
inline void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace bench
