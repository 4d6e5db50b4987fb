#pragma once
// How many GDI objects, windows and kernel handles this process holds, for leak tests and
// benchmarks. Wine's GetGuiResources and GetProcessHandleCount always return 0, so the counts
// come from the program's own calls instead: the first call of CountLiveHandles redirects the
// program's imports of the creating and deleting functions (CreateSolidBrush ... DeleteObject,
// CreateCompatibleDC/GetDC ... DeleteDC/ReleaseDC, CreateEvent/CreateThread/CreateFile ...
// CloseHandle, icons ... DestroyIcon) and from then on keeps every handle they return until it
// is given back. Windows are counted as they are: every window of the process, message-only
// windows included.
//
// Use: take a count, do the work, take another count and compare.
//
//     const auto before = test_support::CountLiveHandles();
//     ... create and free things ...
//     const auto leaked = test_support::CountLiveHandles() - before;
//     EXPECT_EQ(leaked.Gdi, 0) << leaked;
//
// Only what is created after the first call is counted: take the first count before the work
// (objects made earlier and freed during the work do not make the difference negative). Objects
// that the system creates for itself (inside its own DLLs) are not seen, nor those the threading
// runtime makes and keeps for itself (the event of a contended mutex, the record of a thread it
// did not start; found by the executable's symbol table). Handles given to the system for good
// (SetWindowRgn, SetClipboardData) leave the count when they are given.
#include <ostream>

namespace test_support {

struct TLiveHandles {
    long Gdi = 0;     // GDI objects and DCs created or fetched by the program
    long User = 0;    // windows of the process, plus icons and cursors the program made
    long Kernel = 0;  // events, mutexes, semaphores, threads, processes, files, pipes, finds ...

    TLiveHandles operator-(const TLiveHandles& Other) const
    {
        return {Gdi - Other.Gdi, User - Other.User, Kernel - Other.Kernel};
    }
    bool operator==(const TLiveHandles&) const = default;
};

TLiveHandles CountLiveHandles();

// How often the program deleted a GDI object after giving it to the system for good (a
// window's region, clipboard data): each one is a fault, as the system deletes it itself.
// Counted from the first call of either function on.
long CountDeletesOfGivenHandles();

inline std::ostream& operator<<(std::ostream& Out, const TLiveHandles& Counts)
{
    return Out << "GDI " << Counts.Gdi << ", user " << Counts.User << ", kernel " << Counts.Kernel;
}

}  // namespace test_support
