#pragma once
// The reports under way, by thread. A thread that ends the process first lets the reports of the
// other threads finish (within a bound), never waiting for its own; and a fault is counted from
// the first handler that sees it, so that the process never ends between another thread's fault
// and the start of its report.
#include <windows.h>

namespace crashlog {

// The first handler has seen a fault of this thread: a report is under way from here, and the
// report that takes the fault on (BeginReport) counts no second one.
void CountFault();
void BeginReport();
void EndReport();
// Ends the report of a thread that waits while another thread (its exception thread) makes it.
void EndReportOf(DWORD thread);
// Waits while threads other than this one have reports under way, at most `bound` ms; a thread
// that ended meanwhile counts no more.
void WaitForOtherReports(DWORD bound);
// Whether another thread has a report under way.
bool OtherReportsUnderway();
// The thread has ended, or is no longer there to ask.
bool ThreadEnded(DWORD thread);

}  // namespace crashlog
