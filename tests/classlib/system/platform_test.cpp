// The build targets 32-bit Windows; the native build runs the portable code on the host.
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>

#include <cstring>

#include "classlib/system/LibraryProc.h"
#endif

TEST(Platform, WindowsBuildIs32Bit)
{
#ifdef _WIN32
    EXPECT_EQ(sizeof(void*), 4u);
    // A real window can be created on the test display.
    HWND wnd = CreateWindowA("STATIC", "probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(DestroyWindow(wnd));
#else
    SUCCEED();
#endif
}

#ifdef _WIN32
// A library's procedure is found at its first call; a library or a procedure that is not there
// is the system's error, raised to the caller.
TEST(Platform, LibraryProceduresAreFoundAtTheirFirstCallOrRaised)
{
    EXPECT_EQ(CL_LIBRARY_PROC("kernel32.dll", GetCurrentProcessId)(), GetCurrentProcessId());
    const struct {
        const char* Library;
        const char* Name;
    } missing[] = {{"trebanix-no-such-library.dll", "GetVersion"}, {"kernel32.dll", "TrebanixNoSuchProcedure"}};
    for (const auto& m : missing)
        EXPECT_THROW(cl::LibraryProcAddress(m.Library, m.Name), cl::EOSError) << m.Library << " " << m.Name;
    // A library of that name left beside the program is not the system's: it is not loaded.
    char system[MAX_PATH], planted[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    lstrcatA(system, "\\version.dll");
    GetModuleFileNameA(nullptr, planted, MAX_PATH);
    *strrchr(planted, '\\') = '\0';
    lstrcatA(planted, "\\trebanix-planted.dll");
    ASSERT_TRUE(CopyFileA(system, planted, FALSE));
    EXPECT_THROW(cl::LibraryProcAddress("trebanix-planted.dll", "GetFileVersionInfoSizeA"), cl::EOSError);
    FreeLibrary(GetModuleHandleA("trebanix-planted.dll"));
    DeleteFileA(planted);
}
#endif
