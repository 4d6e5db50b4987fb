// Test programs that end badly, each in one way the runner must see through: the runner's own
// tests (tests/CMakeLists.txt) run one probe at a time and check the runner's verdict on it.
#include <gtest/gtest.h>
#include <windows.h>

// Fails a check and then crashes with a breakpoint-like exception, which Wine may turn into
// exit status 0.
TEST(RunnerProbe, FailsAndThenCrashes)
{
    ADD_FAILURE() << "a failed check before the crash";
    RaiseException(0x80000001, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}

TEST(RunnerProbe, Hangs)
{
    Sleep(INFINITE);
}

TEST(RunnerProbe, IsSkipped)
{
    GTEST_SKIP() << "skipped on purpose";
}

// Frees a pointer that it reads from a block already freed, as a destructor that runs after
// its storage went does.
TEST(RunnerProbe, FreesAPointerReadFromFreedMemory)
{
    HANDLE heap = GetProcessHeap();
    auto* holder = static_cast<void* volatile*>(HeapAlloc(heap, 0, sizeof(void*)));
    *holder = HeapAlloc(heap, 0, 16);
    HeapFree(heap, 0, *holder);
    HeapFree(heap, 0, const_cast<void**>(holder));
    HeapFree(heap, 0, *holder);
}

// Writes into a block after freeing it, which Wine's heap checking finds when it looks at the
// heap again.
TEST(RunnerProbe, WritesIntoAFreedBlock)
{
    HANDLE heap = GetProcessHeap();
    auto* block = static_cast<volatile unsigned char*>(HeapAlloc(heap, 0, 64));
    HeapFree(heap, 0, const_cast<unsigned char*>(block));
    for (int i = 16; i < 48; ++i)
        block[i] = 0x55;
    HeapValidate(heap, 0, nullptr);
    HeapFree(heap, 0, HeapAlloc(heap, 0, 64));
}

namespace {

LRESULT CALLBACK FaultingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE)
        *static_cast<volatile int*>(nullptr) = 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

// Faults inside a window procedure that the system calls back (the WM_SIZE that SetWindowPos
// sends), where Wine swallows the fault.
TEST(RunnerProbe, FaultsInAWindowProcedure)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = &FaultingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TrebanixRunnerProbe";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                                  nullptr);
    ASSERT_NE(window, nullptr);
    SetWindowPos(window, nullptr, 0, 0, 20, 20, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    DestroyWindow(window);
}
