// The live-handle counts of the leak tests see what is created and what is given back, through
// the same calls the program makes; a leak test built on them fails when something leaks.
#include <gtest/gtest.h>

#include <windows.h>

#include <process.h>

#include <string>
#include <vector>

#include "support/LiveHandles.h"

using test_support::CountLiveHandles;
using test_support::TLiveHandles;

namespace {

unsigned __stdcall ReturnAtOnce(void*)
{
    return 0;
}

DWORD WINAPI ReturnAtOnceToo(LPVOID)
{
    return 0;
}

LRESULT CALLBACK PlainWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    return DefWindowProcW(w, m, wp, lp);
}

const wchar_t* PlainWindowClass()
{
    static const ATOM atom = [] {
        WNDCLASSW c = {};
        c.lpfnWndProc = PlainWindowProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"LiveHandlesTestWindow";
        return RegisterClassW(&c);
    }();
    return atom ? L"LiveHandlesTestWindow" : nullptr;
}

}  // namespace

TEST(LiveHandles, BrushesPensFontsBitmapsRegionsAndDcsComeAndGo)
{
    const TLiveHandles before = CountLiveHandles();
    std::vector<HGDIOBJ> objects;
    for (int i = 0; i < 100; ++i)
        objects.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    objects.push_back(CreatePen(PS_SOLID, 1, 0));
    objects.push_back(CreateFontA(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma"));
    objects.push_back(CreateRectRgn(0, 0, 5, 5));
    HDC screen = GetDC(nullptr);
    objects.push_back(CreateCompatibleBitmap(screen, 4, 4));
    HDC memory = CreateCompatibleDC(screen);
    EXPECT_EQ((CountLiveHandles() - before).Gdi, 100 + 4 + 2);

    ReleaseDC(nullptr, screen);
    DeleteDC(memory);
    for (HGDIOBJ o : objects)
        DeleteObject(o);
    EXPECT_EQ(CountLiveHandles() - before, TLiveHandles{});

    // Deleting twice, or deleting what was never counted, does not make the count drift.
    HBRUSH once = CreateSolidBrush(0);
    DeleteObject(once);
    DeleteObject(once);
    DeleteObject(GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(CountLiveHandles() - before, TLiveHandles{});
}

TEST(LiveHandles, ARegionGivenToAWindowLeavesTheCount)
{
    HWND window = CreateWindowExW(0, PlainWindowClass(), L"", WS_POPUP, 0, 0, 20, 20, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(window);
    const TLiveHandles before = CountLiveHandles();
    SetWindowRgn(window, CreateRectRgn(0, 0, 10, 10), FALSE);
    EXPECT_EQ((CountLiveHandles() - before).Gdi, 0);
    DestroyWindow(window);
}

TEST(LiveHandles, WindowsAreCountedWithTheirChildrenUntilDestroyed)
{
    // A thread's first window brings a window and a handle of the system's own (the input
    // method's), which stay while the thread has windows: made before the count starts.
    HWND first = CreateWindowExW(0, PlainWindowClass(), L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(first);
    const TLiveHandles before = CountLiveHandles();
    HWND parent = CreateWindowExW(0, PlainWindowClass(), L"", WS_POPUP, 0, 0, 50, 50, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(parent);
    for (int i = 0; i < 9; ++i)
        CreateWindowExW(0, PlainWindowClass(), L"", WS_CHILD, 0, 0, 5, 5, parent, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
    HWND messageOnly = CreateWindowExW(0, PlainWindowClass(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(messageOnly);
    EXPECT_EQ((CountLiveHandles() - before).User, 11);

    // The children go with their parent, without a call of their own.
    DestroyWindow(parent);
    DestroyWindow(messageOnly);
    EXPECT_EQ(CountLiveHandles() - before, TLiveHandles{});
    DestroyWindow(first);
}

TEST(LiveHandles, EventsThreadsFilesAndKeysAreKernelHandles)
{
    const TLiveHandles before = CountLiveHandles();
    std::vector<HANDLE> handles;
    for (int i = 0; i < 50; ++i)
        handles.push_back(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    handles.push_back(CreateThread(nullptr, 0, ReturnAtOnceToo, nullptr, 0, nullptr));
    handles.push_back(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ReturnAtOnce, nullptr, 0, nullptr)));
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    const std::string file = std::string(path) + "live-handles-test.tmp";
    handles.push_back(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    HANDLE copy = nullptr;
    DuplicateHandle(GetCurrentProcess(), handles[0], GetCurrentProcess(), &copy, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    handles.push_back(copy);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ((CountLiveHandles() - before).Kernel, 50 + 2 + 1 + 1 + 1);

    RegCloseKey(key);
    WaitForMultipleObjects(2, &handles[50], TRUE, 10000);
    for (HANDLE h : handles)
        CloseHandle(h);
    EXPECT_EQ(CountLiveHandles() - before, TLiveHandles{});
}
