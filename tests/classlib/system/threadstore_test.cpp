// Objects kept per thread: each is destroyed once, at the end of the thread that kept it, in
// whatever order the threads end; the first, middle and last of the store's list among them.
// Run again under Wine's heap check, under which a write into a record already freed shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "classlib/system/KernelHandles.h"
#include "classlib/system/ThreadStore.h"

namespace {

struct TEnds {
    volatile LONG Count = 0;
    volatile LONG Wrong = 0;  // destroyed on another thread than the one that kept it
};

TEnds ends;

struct TKept {
    DWORD Owner = GetCurrentThreadId();
    ~TKept()
    {
        InterlockedIncrement(&ends.Count);
        if (Owner != GetCurrentThreadId())
            InterlockedIncrement(&ends.Wrong);
    }
};

constinit cl::TThreadStore<TKept> store;

// A thread that keeps its object, says so, and ends when told.
struct TKeeper {
    cl::TOwnedHandle Kept{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    cl::TOwnedHandle End{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    cl::TOwnedHandle Thread;

    static DWORD WINAPI Run(void* data)
    {
        auto* self = static_cast<TKeeper*>(data);
        store.Get();
        SetEvent(self->Kept.get());
        WaitForSingleObject(self->End.get(), INFINITE);
        return 0;
    }
};

}  // namespace

TEST(ThreadStore, EachThreadsObjectIsDestroyedOnceAtItsEndInAnyOrder)
{
    // Kept in the order 0, 1, 2: the list holds them newest first. The orders end the middle one
    // first, then the first or the last.
    const int orders[][3] = {{1, 0, 2}, {1, 2, 0}, {0, 1, 2}, {2, 1, 0}};
    LONG expected = 0;
    for (const auto& order : orders) {
        std::vector<TKeeper> keepers(3);
        for (TKeeper& k : keepers) {
            k.Thread.reset(CreateThread(nullptr, 0, TKeeper::Run, &k, 0, nullptr));
            ASSERT_TRUE(k.Thread);
            // A bound only against a thread that never keeps its object.
            ASSERT_EQ(WaitForSingleObject(k.Kept.get(), 10000), WAIT_OBJECT_0);
        }
        for (int i : order) {
            SetEvent(keepers[i].End.get());
            ASSERT_EQ(WaitForSingleObject(keepers[i].Thread.get(), 10000), WAIT_OBJECT_0);
            EXPECT_EQ(ends.Count, ++expected);
        }
    }
    EXPECT_EQ(ends.Wrong, 0);
    // Under the heap check every freed block still holds its filler: nothing wrote into a record
    // of the list after its free.
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i)
        EXPECT_TRUE(HeapValidate(heaps[i], 0, nullptr)) << "heap " << i;
}
