// The whole program under Wine, run as a child process from a copy in a temporary folder:
// start-up to its painted main window (splash wait off) against a minimal Win32 program that
// shows one window, both when no last station is stored (the "Configure" page opens) and when
// the last station is in the list (it plays and its site opens, the usual start), and
// (reported) the shut-down of each after its window closes; its working
// set with 10,000 stations against an empty list; and how often its process wakes up while it
// sits idle, playing nothing, against the minimal program's, with the pointer off its windows
// and resting on its caption bar. A wake-up is counted as a context
// switch of the Unix process under Wine: every message the program takes costs a few round
// trips to the Wine server, so one timer message shows as a dozen or more switches, while a
// program that truly sleeps shows none. The Unix process is the one whose command line carries
// the tag this run gave the child (an argument both programs ignore): neither a path nor a
// Windows process id tells it from a program that another run, in another Wine prefix with the
// same process ids and so the same folder names, started meanwhile.
#include <windows.h>
#include <psapi.h>

#include <cctype>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "radio/player/StreamTestServer.h"
#include "bench/bench_service.h"
#include "bench/bench_timing.h"
#include "classlib/ole/ComObj.h"
#include "classlib/system/SysUtils.h"
#include "radio/directory/RadioChannelManager.h"
#include "radio/directory/RegistryManager.h"

#ifndef TREBANIX_PROGRAM_EXE
#define TREBANIX_PROGRAM_EXE ""
#endif
#ifndef MINIMAL_WINDOW_EXE
#define MINIMAL_WINDOW_EXE ""
#endif

namespace {

constexpr DWORD kPatienceMs = 30000;
constexpr int kStartRuns = 7;
// Idle is sampled once start-up's own work is over: its loading overlay gone (it hides itself
// within its own time-out), then a settling pause.
constexpr DWORD kOverlayPatienceMs = 20000;
constexpr DWORD kSettleMs = 3000;
constexpr DWORD kIdleSampleMs = 5000;

std::string WindowsPath(std::string Path)
{
    for (char& c : Path)
        if (c == '/')
            c = '\\';
    return Path;
}

std::string NewFolder(const char* Name)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = cl::Format("%strebanix-bench-%u-%s\\", temp, unsigned(GetCurrentProcessId()), Name);
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "data").c_str(), nullptr);
    return folder;
}

void RemoveFolder(const std::string& Folder)
{
    for (const char* name : {"data\\qsRadioChannels.xml", "TrebanixRadio.exe", "MinimalWindow.exe"})
        DeleteFileA((Folder + name).c_str());
    RemoveDirectoryA((Folder + "data").c_str());
    RemoveDirectoryA(Folder.c_str());
}

// A child program and its top-level window of one class.
class TChild {
public:
    // Tag, when given, is the child's one argument.
    TChild(const std::string& Exe, const char* WindowClass, const std::string& Tag = {}) : class_(WindowClass)
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string command = "\"" + Exe + "\"";
        if (!Tag.empty())
            command += " " + Tag;
        if (!CreateProcessA(Exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &info_))
            throw cl::Exception("cannot start " + Exe);
        CloseHandle(info_.hThread);
    }
    ~TChild()
    {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            if (!Close())
                TerminateProcess(info_.hProcess, 255);
            WaitForSingleObject(info_.hProcess, kPatienceMs);
        }
        CloseHandle(info_.hProcess);
    }
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;

    // Waits until the window is visible, neither it nor any of its visible controls has
    // anything left to paint, and its thread answers; false when that does not happen within
    // the bound.
    bool WaitPainted()
    {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < kPatienceMs) {
            window_ = FindWindowOfProcess();
            DWORD_PTR answer = 0;
            if (window_ && IsWindowVisible(window_) && !HasUnpaintedPart(window_) &&
                SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &answer))
                return true;
            Sleep(1);
        }
        return false;
    }
    // Closes the window and waits for the process to end; false when it did not within the
    // bound.
    bool Close()
    {
        if (window_)
            PostMessageA(window_, WM_CLOSE, 0, 0);
        return WaitForSingleObject(info_.hProcess, kPatienceMs) == WAIT_OBJECT_0;
    }
    HANDLE Process() const { return info_.hProcess; }
    DWORD ProcessId() const { return info_.dwProcessId; }
    HWND Window() const { return window_; }
    // Waits while a visible window of the class belongs to the child; false at the bound.
    bool WaitWhileShown(const char* WindowClass, DWORD Bound) const
    {
        const DWORD start = GetTickCount();
        while (ShowsWindowOf(WindowClass)) {
            if (GetTickCount() - start >= Bound)
                return false;
            Sleep(50);
        }
        return true;
    }

private:
    // The window or one of its visible descendants still waits for its paint.
    static bool HasUnpaintedPart(HWND Window)
    {
        if (GetUpdateRect(Window, nullptr, FALSE))
            return true;
        bool unpainted = false;
        EnumChildWindows(Window, &NoteUnpaintedChild, reinterpret_cast<LPARAM>(&unpainted));
        return unpainted;
    }
    static BOOL CALLBACK NoteUnpaintedChild(HWND Child, LPARAM Found)
    {
        if (IsWindowVisible(Child) && GetUpdateRect(Child, nullptr, FALSE)) {
            *reinterpret_cast<bool*>(Found) = true;
            return FALSE;
        }
        return TRUE;
    }

    HWND FindWindowOfProcess() const
    {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, class_, nullptr)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == info_.dwProcessId)
                return window;
        }
        return nullptr;
    }
    bool ShowsWindowOf(const char* WindowClass) const
    {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, WindowClass, nullptr)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == info_.dwProcessId && IsWindowVisible(window))
                return true;
        }
        return false;
    }

    const char* class_;
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
};

// One program to start: its copy and the class of the window it shows.
struct TStartedProgram {
    std::string Exe;
    const char* WindowClass;
};

struct TStartAndEnd {
    double StartMs;     // from the start of the process to its painted, answering window
    double ShutDownMs;  // from the close of that window to the end of the process
};

// One start and end of the program.
TStartAndEnd StartAndEnd(const TStartedProgram& Program)
{
    using TClock = std::chrono::steady_clock;
    auto since = [](TClock::time_point Start) {
        return std::chrono::duration<double, std::milli>(TClock::now() - Start).count();
    };
    const TClock::time_point start = TClock::now();
    TChild child(Program.Exe, Program.WindowClass);
    if (!child.WaitPainted())
        throw cl::Exception("no painted window of " + Program.Exe);
    const double started = since(start);
    const TClock::time_point close = TClock::now();
    if (!child.Close())
        throw cl::Exception("no end of " + Program.Exe + " after its window closed");
    return {started, since(close)};
}

// Medians over the runs, one run of each program in turn, so that a busy moment of the shared
// machine falls on all of them alike. The clock stops at the painted window: the program's
// shut-down, which every run waits for before the next starts, is timed on its own.
std::vector<TStartAndEnd> StartUpMilliseconds(const std::vector<TStartedProgram>& Programs)
{
    std::vector<std::vector<double>> starts(Programs.size()), ends(Programs.size());
    for (int run = 0; run < kStartRuns; ++run)
        for (std::size_t p = 0; p < Programs.size(); ++p) {
            const TStartAndEnd one = StartAndEnd(Programs[p]);
            starts[p].push_back(one.StartMs);
            ends[p].push_back(one.ShutDownMs);
        }
    std::vector<TStartAndEnd> medians;
    for (std::size_t p = 0; p < Programs.size(); ++p)
        medians.push_back({bench::MedianOf(starts[p]), bench::MedianOf(ends[p])});
    return medians;
}

// A station cache written by the directory itself: the service's list for this scenario.
void PrepareCache(const std::string& Folder, const std::string& Scenario)
{
    TServiceForBench::Control("/_control/scenario?name=" + Scenario);
    TRadioChannelManager directory(Folder);
    directory.DownloadChannels("demo", "demo");
}

// A cache of a few stations of the bench's stream server, the first a favourite; each station's
// site is the service's home page. The first one's stream address.
std::string PrepareCacheWithStreams(const std::string& Folder, const player_test::TStreamTestServer& Streams)
{
    const std::string site = TRadioUtils::ServiceURL() + "/";
    std::string xml = "<Stations>";
    for (int i = 0; i < 8; ++i)
        xml += cl::Format("<Station Name=\"Tone %d\" StreamURL=\"%s\" WebsiteURL=\"%s\" FavoriteOrder=\"%d\" "
                          "Category=\"Tones %d\"/>",
                          i, Streams.Url(i == 0 ? "/tone.mp3" : "/tone22.mp3").c_str(), site.c_str(),
                          i == 0 ? 0 : -1, i % 3);
    xml += "</Stations>";
    TRadioChannelManager directory(Folder);
    directory.LoadFromXmlString(xml);
    return Streams.Url("/tone.mp3");
}

// A tag no other child of this or any other run carries: a new GUID in hexadecimal digits, which
// never spell the words by which the logger's trace is switched on from the last argument.
std::string NewChildTag()
{
    GUID guid{};
    if (FAILED(CoCreateGuid(&guid)))
        throw cl::Exception("no tag for a child");
    char text[40];
    std::snprintf(text, sizeof text, "%08lx%04x%04x", static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3);
    std::string tag = text;
    for (unsigned char byte : guid.Data4) {
        std::snprintf(text, sizeof text, "%02x", byte);
        tag += text;
    }
    return tag;
}

// Whether the command line of the Unix process holds Tag.
bool CommandLineHolds(const std::string& ProcFolder, const std::string& Tag)
{
    FILE* f = std::fopen((ProcFolder + "cmdline").c_str(), "rb");
    if (!f)
        return false;
    char buffer[4096];
    const size_t got = std::fread(buffer, 1, sizeof buffer, f);
    std::fclose(f);
    return std::string(buffer, got).find(Tag) != std::string::npos;
}

// The Unix side of a child under Wine: /proc through drive Z:, the one process whose command
// line carries the child's tag. Empty unless exactly one does.
std::string UnixProcFolderOf(const std::string& Tag)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA("Z:\\proc\\*", &found);
    if (find == INVALID_HANDLE_VALUE)
        return {};
    std::vector<std::string> matches;
    do {
        if (!std::isdigit(static_cast<unsigned char>(found.cFileName[0])))
            continue;
        const std::string folder = std::string("Z:\\proc\\") + found.cFileName + "\\";
        if (CommandLineHolds(folder, Tag))
            matches.push_back(folder);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return matches.size() == 1 ? matches.front() : std::string();
}

// Context switches of each thread of the Unix process, by thread id: each is a wake-up.
std::map<std::string, double> ContextSwitches(const std::string& ProcFolder)
{
    std::map<std::string, double> byThread;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((ProcFolder + "task\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return byThread;
    do {
        if (!std::isdigit(static_cast<unsigned char>(found.cFileName[0])))
            continue;
        FILE* f = std::fopen((ProcFolder + "task\\" + found.cFileName + "\\status").c_str(), "rb");
        if (!f)
            continue;
        char line[256];
        double total = 0;
        while (std::fgets(line, sizeof line, f)) {
            unsigned long count = 0;
            if (std::sscanf(line, "voluntary_ctxt_switches: %lu", &count) == 1 ||
                std::sscanf(line, "nonvoluntary_ctxt_switches: %lu", &count) == 1)
                total += count;
        }
        std::fclose(f);
        byThread[found.cFileName] = total;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return byThread;
}

// Puts the pointer in the screen's bottom right corner and checks that no window of the child
// lies there.
void PutPointerOffWindowsOf(const TChild& Child)
{
    const POINT corner{GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1};
    if (!SetCursorPos(corner.x, corner.y))
        throw cl::Exception("cannot move the pointer");
    DWORD owner = 0;
    if (HWND under = WindowFromPoint(corner))
        GetWindowThreadProcessId(under, &owner);
    if (owner == Child.ProcessId())
        throw cl::Exception("a window of the program lies in the screen's corner");
}

// Puts the pointer on a caption button of the child's window and then on its caption bar, as a
// user's pointer comes to rest there from a button. The points are found by asking the
// window's own hit test along its top rows: the first caption point of a row, and the first
// point right of it that is no longer caption and lies clear of the right border (a button).
void PutPointerOnCaptionFromAButton(const TChild& Child)
{
    RECT r{};
    GetWindowRect(Child.Window(), &r);
    auto hit = [&](int X, int Y) {
        DWORD_PTR answer = HTNOWHERE;
        SendMessageTimeoutA(Child.Window(), WM_NCHITTEST, 0, MAKELPARAM(X, Y), SMTO_NORMAL, kPatienceMs, &answer);
        return static_cast<LRESULT>(answer);
    };
    constexpr int BorderClearance = 12;
    for (int y = r.top + 2; y < r.top + 60 && y < r.bottom; y += 2) {
        int caption = r.left;
        while (caption < r.right && hit(caption, y) != HTCAPTION)
            caption += 4;
        int button = caption;
        while (button < r.right && hit(button, y) == HTCAPTION)
            button += 2;
        if (caption >= r.right || button >= r.right - BorderClearance)
            continue;
        SetCursorPos(button + 3, y);
        hit(button + 3, y);
        Sleep(300);
        SetCursorPos(caption, y);
        return;
    }
    throw cl::Exception("no caption button of the program's window found");
}

// Context switches per second of a child that has shown its window and finished its start-up:
// with the pointer resting off its windows, and then on its caption bar.
struct TIdleWakeups {
    double OffWindows;
    double OnCaption;
};

TIdleWakeups IdleWakeupsPerSecond(const std::string& Exe, const char* WindowClass)
{
    const std::string tag = NewChildTag();
    TChild child(Exe, WindowClass, tag);
    if (!child.WaitPainted())
        throw cl::Exception("no painted window of " + Exe);
    const std::string proc = UnixProcFolderOf(tag);
    if (proc.empty())
        throw cl::Exception("cannot find the one Unix process of " + Exe);
    // Start-up's own work (the account check, the first page and its loading overlay, the
    // one-shot timers) is over once the overlay has gone and a moment has passed.
    if (!child.WaitWhileShown("TfrmLoading", kOverlayPatienceMs))
        throw cl::Exception("the loading overlay of " + Exe + " stays");
    // The pointer rests off the program's windows. Wine asks the cursor every 400 ms for as
    // long as it rests on a window that asked to hear when the mouse leaves it (every control
    // of the class library does), so where the display happened to leave the pointer would
    // decide the figure; Windows tells a window of the leave without such a poll.
    auto sample = [&] {
        Sleep(kSettleMs);
        const std::map<std::string, double> before = ContextSwitches(proc);
        Sleep(kIdleSampleMs);
        const std::map<std::string, double> after = ContextSwitches(proc);
        if (after.empty())
            throw cl::Exception("the Unix process of " + Exe + " is gone");
        // A thread that ended meanwhile takes its count with it: only the threads alive at the
        // end are compared, a new one from zero.
        double switches = 0;
        for (const auto& [thread, count] : after) {
            const auto was = before.find(thread);
            switches += count - (was != before.end() ? was->second : 0);
        }
        return switches * 1000.0 / kIdleSampleMs;
    };
    PutPointerOffWindowsOf(child);
    const double offWindows = sample();
    PutPointerOnCaptionFromAButton(child);
    return {offWindows, sample()};
}

// Working set in megabytes of the program once its start-up is over.
double SettledWorkingSetMB(const std::string& Exe)
{
    TChild child(Exe, "TfrmRadioMain");
    if (!child.WaitPainted())
        throw cl::Exception("no painted window of " + Exe);
    Sleep(1000);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(child.Window(), WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &answer);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(child.Process(), &counters, sizeof counters))
        throw cl::Exception("no memory figures of " + Exe);
    return double(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

}  // namespace

int main()
{
    try {
        cl::TComApartment apartment;
        TServiceForBench service;
        SetEnvironmentVariableA("TREBANIX_SPLASH_MS", "0");
        {
            TRegManager settings;
            settings.SetUserName("demo");
            settings.SetPassword("demo");
        }
        const std::string program = WindowsPath(TREBANIX_PROGRAM_EXE);
        const std::string minimal = WindowsPath(MINIMAL_WINDOW_EXE);

        const std::string demoFolder = NewFolder("demo");
        const std::string demoExe = demoFolder + "TrebanixRadio.exe";
        const std::string minimalExe = demoFolder + "MinimalWindow.exe";
        CopyFileA(program.c_str(), demoExe.c_str(), FALSE);
        CopyFileA(minimal.c_str(), minimalExe.c_str(), FALSE);
        PrepareCache(demoFolder, "normal");

        // The last station is stored for every copy: only the list in this folder holds it, so
        // this copy resumes it, while the one above opens the "Configure" page.
        player_test::TStreamTestServer streams;
        const std::string usualFolder = NewFolder("usual");
        const std::string usualExe = usualFolder + "TrebanixRadio.exe";
        CopyFileA(program.c_str(), usualExe.c_str(), FALSE);
        TRegManager().SetLastRadioURL(PrepareCacheWithStreams(usualFolder, streams));

        const std::vector<TStartAndEnd> runs = StartUpMilliseconds({{minimalExe, "TrebanixMinimalWindow"},
                                                                     {demoExe, "TfrmRadioMain"},
                                                                     {usualExe, "TfrmRadioMain"}});
        const TStartAndEnd& minimalRun = runs[0];
        const TStartAndEnd& configureRun = runs[1];
        const TStartAndEnd& usualRun = runs[2];
        bench::Report("program_startup_to_painted_main_window", configureRun.StartMs, minimalRun.StartMs, "2");
        bench::Report("program_startup_with_last_station_to_painted_main_window", usualRun.StartMs,
                      minimalRun.StartMs, "2");
        bench::Report("program_shutdown_after_close", configureRun.ShutDownMs, minimalRun.ShutDownMs, "-");

        const TIdleWakeups minimalIdle = IdleWakeupsPerSecond(minimalExe, "TrebanixMinimalWindow");
        const TIdleWakeups programIdle = IdleWakeupsPerSecond(demoExe, "TfrmRadioMain");
        // The minimal program's figure plus one: a reference that is not zero, and a bound that
        // lets the program wake once a second more than the minimal one at most.
        bench::Report("program_idle_context_switches_per_second", programIdle.OffWindows, "1/s",
                      minimalIdle.OffWindows + 1, "1");
        bench::Report("program_idle_on_caption_context_switches_per_second", programIdle.OnCaption, "1/s",
                      minimalIdle.OnCaption + 1, "1");

        const std::string emptyFolder = NewFolder("empty");
        const std::string emptyExe = emptyFolder + "TrebanixRadio.exe";
        CopyFileA(program.c_str(), emptyExe.c_str(), FALSE);
        PrepareCache(emptyFolder, "empty");
        const double emptyMB = SettledWorkingSetMB(emptyExe);

        const std::string bigFolder = NewFolder("big");
        const std::string bigExe = bigFolder + "TrebanixRadio.exe";
        CopyFileA(program.c_str(), bigExe.c_str(), FALSE);
        PrepareCache(bigFolder, "big&count=10000&categories=200");
        const double bigMB = SettledWorkingSetMB(bigExe);
        bench::Report("program_working_set_10000_stations", bigMB, "MB", emptyMB, "-");

        for (const std::string& folder : {demoFolder, usualFolder, emptyFolder, bigFolder})
            RemoveFolder(folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "program_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
