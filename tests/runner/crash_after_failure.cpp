// A test program that fails a check and then crashes with a breakpoint-like exception, which
// Wine may turn into exit status 0: the runner must still call the run failed.
#include <gtest/gtest.h>
#include <windows.h>

TEST(RunnerProbe, FailsAndThenCrashes) {
  ADD_FAILURE() << "a failed check before the crash";
  RaiseException(0x80000001, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}
