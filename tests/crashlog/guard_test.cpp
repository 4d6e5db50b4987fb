// A guarded call that fails comes back with the thread's chain of exception frames as it found
// it: a later fault, and a later guarded call, find the frames that are really there.
#include <gtest/gtest.h>

#include <windows.h>

#include "crashlog/EGuard.h"

namespace {

int* volatile nowhere = nullptr;

bool TakeAndCount(EXCEPTION_POINTERS*, void* taken)
{
    ++*static_cast<int*>(taken);
    return true;
}

int taken = 0;

void Faults(void*)
{
    *nowhere = 1;
}

// An inner call that fails inside an outer one, which goes on.
void FaultsInside(void* innerFailed)
{
    *static_cast<bool*>(innerFailed) = !crashlog::GuardedCall(Faults, nullptr, TakeAndCount, &taken);
}

}  // namespace

TEST(Guard, AFailedCallLeavesTheChainOfFramesAsItFoundIt)
{
    const DWORD chain = __readfsdword(0);
    taken = 0;
    for (int round = 0; round < 2; ++round) {
        EXPECT_FALSE(crashlog::GuardedCall(Faults, nullptr, TakeAndCount, &taken));
        EXPECT_EQ(__readfsdword(0), chain) << round;
        EXPECT_FALSE(crashlog::InsideGuardedCall());
    }
    bool innerFailed = false;
    EXPECT_TRUE(crashlog::GuardedCall(FaultsInside, &innerFailed, TakeAndCount, &taken));
    EXPECT_TRUE(innerFailed);
    EXPECT_EQ(__readfsdword(0), chain);
    EXPECT_EQ(taken, 3);
}
