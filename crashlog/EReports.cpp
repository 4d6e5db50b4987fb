#include "crashlog/EReports.h"

#include "classlib/system/KernelHandles.h"

namespace crashlog {

namespace {

// One place per thread with reports under way. Plain zero-initialized data, with nothing to
// construct or destroy: it serves faults from the first moment of the process to its last.
struct TThreadReports {
    volatile LONG Thread;
    volatile LONG Depth;    // reports of the thread under way, a counted fault among them
    volatile LONG Counted;  // a fault was counted that no report has taken on yet
};

// More threads than this reporting at once are not counted: they only lose the wait for them.
constexpr int MaxReportingThreads = 64;
TThreadReports reporting[MaxReportingThreads];

LONG Me()
{
    return static_cast<LONG>(GetCurrentThreadId());
}

TThreadReports* PlaceOf(LONG thread, bool take)
{
    for (TThreadReports& r : reporting)
        if (r.Thread == thread)
            return &r;
    if (take)
        for (TThreadReports& r : reporting)
            if (InterlockedCompareExchange(&r.Thread, thread, 0) == 0)
                return &r;
    return nullptr;
}

}  // namespace

bool ThreadEnded(DWORD thread)
{
    const cl::TOwnedHandle handle(OpenThread(SYNCHRONIZE, FALSE, thread));
    return !handle || WaitForSingleObject(handle.get(), 0) == WAIT_OBJECT_0;
}

void CountFault()
{
    TThreadReports* place = PlaceOf(Me(), true);
    if (place && !place->Counted) {
        InterlockedIncrement(&place->Depth);
        InterlockedExchange(&place->Counted, 1);
    }
}

void BeginReport()
{
    TThreadReports* place = PlaceOf(Me(), true);
    if (!place)
        return;
    if (place->Counted)
        InterlockedExchange(&place->Counted, 0);
    else
        InterlockedIncrement(&place->Depth);
}

void EndReport()
{
    EndReportOf(GetCurrentThreadId());
}

void EndReportOf(DWORD thread)
{
    TThreadReports* place = PlaceOf(static_cast<LONG>(thread), false);
    if (!place || place->Depth <= 0)
        return;
    if (InterlockedDecrement(&place->Depth) == 0 && !place->Counted)
        InterlockedExchange(&place->Thread, 0);
}

bool OtherReportsUnderway()
{
    const LONG me = Me();
    bool underway = false;
    for (TThreadReports& r : reporting) {
        const LONG thread = r.Thread;
        if (thread == 0 || thread == me || r.Depth <= 0)
            continue;
        // A thread that ended (the process ends it, or it was ended from outside) finishes nothing.
        if (ThreadEnded(static_cast<DWORD>(thread))) {
            r.Depth = 0;
            r.Counted = 0;
            InterlockedCompareExchange(&r.Thread, 0, thread);
            continue;
        }
        underway = true;
    }
    return underway;
}

void WaitForOtherReports(DWORD bound)
{
    const DWORD start = GetTickCount();
    while (OtherReportsUnderway() && GetTickCount() - start < bound)
        Sleep(10);
}

}  // namespace crashlog
