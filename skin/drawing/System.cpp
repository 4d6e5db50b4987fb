#include "skin/drawing/System.h"

#include "classlib/system/KernelHandles.h"

namespace sk {

namespace {

TskVersionSource versionSource = nullptr;

// The monitor entry points of the already loaded user32, found once; either may be missing.
struct TMonitorApi {
    using TMonitorFromWindow = HMONITOR(WINAPI*)(HWND, DWORD);
    using TGetMonitorInfo = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
    TMonitorFromWindow MonitorFromWindow = nullptr;
    TGetMonitorInfo GetMonitorInfo = nullptr;

    TMonitorApi()
    {
        if (HMODULE user32 = GetModuleHandleA("user32.dll")) {
            MonitorFromWindow = reinterpret_cast<TMonitorFromWindow>(GetProcAddress(user32, "MonitorFromWindow"));
            GetMonitorInfo = reinterpret_cast<TGetMonitorInfo>(GetProcAddress(user32, "GetMonitorInfoA"));
        }
    }
};

const TMonitorApi& MonitorApi()
{
    static const TMonitorApi api;
    return api;
}

// A library loaded for one call and freed afterwards.
class TLoadedLibrary {
public:
    explicit TLoadedLibrary(const char* Name) : module_(LoadLibraryA(Name)) {}
    FARPROC Find(const char* Name) const { return module_ ? GetProcAddress(module_.get(), Name) : nullptr; }

private:
    cl::TOwnedModule module_;
};

}  // namespace

void SetWindowsVersionSource(TskVersionSource Source)
{
    versionSource = Source;
}

void GetWindowsVersion(int& Major, int& Minor)
{
    const DWORD version = versionSource ? versionSource() : GetVersion();
    Major = LOBYTE(LOWORD(version));
    Minor = HIBYTE(LOWORD(version));
}

bool IsWindowsXP()
{
    int major, minor;
    GetWindowsVersion(major, minor);
    return major == 5 && minor == 1;
}

bool IsWindowsNT5()
{
    int major, minor;
    GetWindowsVersion(major, minor);
    return major == 5 && minor <= 2;
}

void SetAlphaBlendTransparent(HWND Wnd, BYTE Alpha)
{
    using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    TLoadedLibrary user32("USER32");
    if (auto set = reinterpret_cast<TSetLayeredWindowAttributes>(user32.Find("SetLayeredWindowAttributes")))
        set(Wnd, 0, Alpha, LWA_ALPHA);
}

bool IsMultiMonitor()
{
    return GetSystemMetrics(SM_CMONITORS) >= 2 && MonitorApi().GetMonitorInfo != nullptr;
}

TRect GetDesktopWorkArea(bool WorkArea)
{
    if (WorkArea) {
        RECT r{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
        return {r.left, r.top, r.right, r.bottom};
    }
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void GetMonitorWorkArea(HWND Wnd, bool WorkArea, TRect& R)
{
    if (!IsMultiMonitor()) {
        R = GetDesktopWorkArea(WorkArea);
        return;
    }
    TRect work, whole;
    bool primary = false;
    if (GetMonitorAreas(Wnd, work, whole, primary))
        R = WorkArea ? work : whole;
}

bool GetMonitorAreas(HWND Wnd, TRect& WorkArea, TRect& Whole, bool& Primary)
{
    const TMonitorApi& api = MonitorApi();
    if (!api.MonitorFromWindow || !api.GetMonitorInfo)
        return false;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!api.GetMonitorInfo(api.MonitorFromWindow(Wnd, Wnd ? MONITOR_DEFAULTTONEAREST : MONITOR_DEFAULTTOPRIMARY), &info))
        return false;
    WorkArea = {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    Whole = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    Primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    return true;
}

}  // namespace sk
