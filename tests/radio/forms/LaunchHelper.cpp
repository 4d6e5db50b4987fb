// A program for the launcher's tests: ends with the exit code given as its first argument,
// once the named event given as its second argument is set (at once without one). Half a
// minute without the event ends it with kNeverReleased, so that a failed test leaves nothing
// running and sees that the event never came.
#include <windows.h>

#include <cstdlib>

constexpr int kNeverReleased = 99;

int main(int argc, char** argv)
{
    const int code = argc > 1 ? std::atoi(argv[1]) : 0;
    if (argc > 2) {
        HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
        const bool released = event && WaitForSingleObject(event, 30000) == WAIT_OBJECT_0;
        if (event)
            CloseHandle(event);
        if (!released)
            return kNeverReleased;
    }
    return code;
}
