// The build targets 32-bit Windows; the native build runs the portable code on the host.
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
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
