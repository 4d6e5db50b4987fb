#include "crashlog/ESysInfo.h"

#include <cstdio>
#include <vector>

#include "crashlog/ELogText.h"
#include "crashlog/EOSName.h"
#include "classlib/system/LibraryProc.h"

namespace crashlog {

namespace {

bool QueryVersionValue(std::vector<char>& block, const char* path, void** value, UINT* length)
{
    return CL_LIBRARY_PROC("version.dll", VerQueryValueA)(block.data(), path, value, length) != FALSE;
}

// Empty when the file has no version resource, or the system cannot read one now (a report
// made in a process too broken to load the version library still goes on without it).
std::vector<char> VersionBlock(const std::string& fileName)
{
    try {
        DWORD handle = 0;
        const DWORD size = CL_LIBRARY_PROC("version.dll", GetFileVersionInfoSizeA)(fileName.c_str(), &handle);
        std::vector<char> block(size);
        if (size == 0 ||
            !CL_LIBRARY_PROC("version.dll", GetFileVersionInfoA)(fileName.c_str(), 0, size, block.data()))
            block.clear();
        return block;
    } catch (const std::exception&) {
        return {};
    }
}

std::string LanguageName()
{
    // The default language's locale whose abbreviated language name is set.
    static LANGID wanted;
    static LCID found;
    wanted = GetSystemDefaultLangID();
    found = 0;
    EnumSystemLocalesA(
        [](LPSTR text) -> BOOL CALLBACK {
            LCID lcid = 0;
            if (std::sscanf(text, "%lx", &lcid) != 1 || LANGIDFROMLCID(lcid) != wanted)
                return TRUE;
            char abbreviation[16] = "";
            if (GetLocaleInfoA(lcid, LOCALE_SABBREVLANGNAME, abbreviation, sizeof abbreviation) <= 1)
                return TRUE;
            found = lcid;
            return FALSE;
        },
        LCID_SUPPORTED);
    if (!found)
        return {};
    wchar_t wide[128] = L"";
    if (GetLocaleInfoW(found, LOCALE_SLANGUAGE, wide, 128) <= 1)
        return {};
    char name[256] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, name, sizeof name, nullptr, nullptr);
    return name;
}

}  // namespace

std::string GetFileVersionText(const std::string& fileName)
{
    std::vector<char> block = VersionBlock(fileName);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (block.empty() || !QueryVersionValue(block, "\\", reinterpret_cast<void**>(&fixed), &length) ||
        !fixed || length < sizeof *fixed)
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu", fixed->dwFileVersionMS >> 16,
                  fixed->dwFileVersionMS & 0xFFFF, fixed->dwFileVersionLS >> 16,
                  fixed->dwFileVersionLS & 0xFFFF);
    return text;
}

std::string GetFileDescription(const std::string& fileName)
{
    std::vector<char> block = VersionBlock(fileName);
    WORD* translation = nullptr;
    UINT length = 0;
    if (block.empty() ||
        !QueryVersionValue(block, "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < 4)
        return {};
    char path[64];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04X%04X\\FileDescription", translation[0],
                  translation[1]);
    char* value = nullptr;
    if (!QueryVersionValue(block, path, reinterpret_cast<void**>(&value), &length) || !value ||
        length == 0)
        return {};
    return std::string(value, strnlen(value, length));
}

TSystemInfo GetSystemInfoFields(const std::string& programFile)
{
    TSystemInfo info;
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof computer;
    if (GetComputerNameA(computer, &size))
        info.ComputerName = computer;

    MEMORYSTATUS memory{};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatus(&memory);
    info.TotalMemory = MegabytesText(memory.dwTotalPhys);
    info.FreeMemory = MegabytesText(memory.dwAvailPhys);

    using TGetDiskFreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    auto diskFree = reinterpret_cast<TGetDiskFreeSpaceEx>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA")));
    if (diskFree && programFile.size() >= 2 && programFile[1] == ':') {
        const std::string root = programFile.substr(0, 2) + "\\";
        ULARGE_INTEGER available{}, total{}, free{};
        if (diskFree(root.c_str(), &available, &total, &free)) {
            info.TotalDisk = GigabytesText(total.QuadPart);
            info.FreeDisk = GigabytesText(available.QuadPart);
        }
    }

    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExA(&version)) {
#pragma GCC diagnostic pop
        const TPlatform platform = version.dwPlatformId == VER_PLATFORM_WIN32_NT ? TPlatform::NT
                                   : version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS
                                       ? TPlatform::Win9x
                                       : TPlatform::Other;
        info.OSType = OperatingSystemName(platform, version.dwMajorVersion, version.dwMinorVersion,
                                          version.szCSDVersion);
        const DWORD build = platform == TPlatform::Win9x ? version.dwBuildNumber & 0xFFFF
                                                         : version.dwBuildNumber;
        info.OSBuild = std::to_string(build);
    }
    info.OSLanguage = LanguageName();
    return info;
}

bool IsConsoleProgram()
{
    static const bool console = [] {
        auto* base = reinterpret_cast<const std::uint8_t*>(GetModuleHandleA(nullptr));
        auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
        return nt->OptionalHeader.Subsystem == IMAGE_SUBSYSTEM_WINDOWS_CUI;
    }();
    return console;
}

HWND FindProcessMainWindow(DWORD processId)
{
    struct TSearch {
        DWORD ProcessId;
        HWND Found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL CALLBACK {
            auto* s = reinterpret_cast<TSearch*>(data);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid != s->ProcessId || !IsWindowVisible(window))
                return TRUE;
            HWND owner = GetWindow(window, GW_OWNER);
            if (owner && owner != GetDesktopWindow())
                return TRUE;
            const LONG style = GetWindowLongA(window, GWL_EXSTYLE);
            if ((style & WS_EX_TOOLWINDOW) && !(style & WS_EX_APPWINDOW))
                return TRUE;
            s->Found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

}  // namespace crashlog
