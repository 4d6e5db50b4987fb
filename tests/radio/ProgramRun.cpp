#include "ProgramRun.h"

#include <fstream>
#include <iterator>

#include "classlib/platform/Registry.h"
#include "radio/directory/RadioChannelManager.h"
#include "radio/directory/RegistryManager.h"
#include "support/UserInput.h"

#ifndef TREBANIX_PROGRAM_EXE
#define TREBANIX_PROGRAM_EXE ""
#endif

namespace program_test {

std::string ProgramSource()
{
    std::string path = TREBANIX_PROGRAM_EXE;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

namespace {

constexpr const char* kKnownUser = "listener";
constexpr const char* kKnownPassword = "pass & word";

// An environment variable of this process set for the processes it starts meanwhile, and then
// put back as it was.
class TInheritedSetting {
public:
    TInheritedSetting(const char* Name, const char* Value) : name_(Name)
    {
        char old[256];
        const DWORD n = GetEnvironmentVariableA(Name, old, sizeof old);
        had_ = n > 0 && n < sizeof old;
        if (had_)
            old_.assign(old, n);
        SetEnvironmentVariableA(Name, Value);
    }
    ~TInheritedSetting() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }
    TInheritedSetting(const TInheritedSetting&) = delete;
    TInheritedSetting& operator=(const TInheritedSetting&) = delete;

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

std::string ClassOf(HWND Window)
{
    char name[256] = {};
    GetClassNameA(Window, name, sizeof name);
    return name;
}

std::string TextOf(HWND Window)
{
    char text[256] = {};
    GetWindowTextA(Window, text, sizeof text);
    return text;
}

}  // namespace

bool PollUntil(const std::function<bool()>& Done, DWORD MaxMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (Done())
            return true;
        if (GetTickCount() - start > MaxMs)
            return false;
        // Serves this thread's own messages meanwhile (the service's requests are COM calls).
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
}

TProgramRun::TProgramRun(const TTempFolder& Folder) : exe_(Folder.Path() + "TrebanixRadio.exe")
{
    if (GetFileAttributesA(exe_.c_str()) == INVALID_FILE_ATTRIBUTES)
        CopyFileA(ProgramSource().c_str(), exe_.c_str(), FALSE);
}

TProgramRun::~TProgramRun()
{
    if (!process_)
        return;
    if (Running()) {
        TerminateProcess(process_, 255);
        WaitForSingleObject(process_, kPatienceMs);
    }
    CloseHandle(process_);
}

void TProgramRun::Start()
{
    // The splash does not wait: a setting the program inherits, not left behind in the tests'
    // own process, whose splash must keep the program's wait.
    TInheritedSetting noSplashWait("TREBANIX_SPLASH_MS", "0");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string command = "\"" + exe_ + "\"";
    if (!CreateProcessA(exe_.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        throw std::runtime_error("cannot start " + exe_ + " (copied from " + ProgramSource() + ")");
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
}

bool TProgramRun::Running() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD TProgramRun::WaitForExit(DWORD MaxMs)
{
    if (!process_)
        return STILL_ACTIVE;
    if (!PollUntil([this] { return !Running(); }, MaxMs))
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_, &code);
    return code;
}

namespace {

struct TProcessSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND Window, LPARAM Data)
{
    auto* s = reinterpret_cast<TProcessSearch*>(Data);
    DWORD pid = 0;
    GetWindowThreadProcessId(Window, &pid);
    if (pid == s->pid)
        s->found.push_back(Window);
    return TRUE;
}

struct TChildSearch {
    const char* cls;
    const std::string& text;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND Window, LPARAM Data)
{
    auto* s = reinterpret_cast<TChildSearch*>(Data);
    if (ClassOf(Window) == s->cls && (s->text.empty() || TextOf(Window) == s->text)) {
        s->found = Window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> TProgramRun::Windows() const
{
    TProcessSearch search{pid_, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND TProgramRun::FindWindowOfClass(const char* ClassName) const
{
    HWND hidden = nullptr;
    for (HWND window : Windows()) {
        if (ClassOf(window) != ClassName)
            continue;
        if (IsWindowVisible(window))
            return window;
        hidden = hidden ? hidden : window;
    }
    return hidden;
}

HWND TProgramRun::WaitForVisibleWindow(const char* ClassName, DWORD MaxMs) const
{
    HWND found = nullptr;
    PollUntil(
        [&] {
            found = FindWindowOfClass(ClassName);
            return found && IsWindowVisible(found);
        },
        MaxMs);
    return found && IsWindowVisible(found) ? found : nullptr;
}

HWND FindChild(HWND Parent, const char* ClassName, const std::string& Text)
{
    TChildSearch search{ClassName, Text, nullptr};
    EnumChildWindows(Parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void ClickAt(HWND Window, int X, int Y) { realinput::ClickWindow(Window, X, Y); }

std::string WindowText(HWND Window) { return TextOf(Window); }

void PressKey(HWND Window, WORD Key)
{
    const UINT scan = MapVirtualKeyA(Key, 0);
    PostMessageA(Window, WM_KEYDOWN, Key, 1 | (scan << 16));
    PostMessageA(Window, WM_KEYUP, Key, 1 | (scan << 16) | 0xC0000000);
}

bool ClickUntil(HWND Window, int X, int Y, const std::function<bool()>& Effect)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kPatienceMs) {
        ClickAt(Window, X, Y);
        if (PollUntil(Effect, 1000))
            return true;
    }
    return false;
}

bool Shown(HWND Window) { return Window && IsWindowVisible(Window) && !IsIconic(Window); }

bool ClickToolButton(HWND Main, int Index, const std::function<bool()>& Effect)
{
    HWND toolbar = FindChild(Main, "TskSkinToolBar");
    if (!toolbar)
        return false;
    RECT client{};
    GetClientRect(toolbar, &client);
    return ClickUntil(toolbar, Index * kToolButtonWidth + kToolButtonWidth / 2, client.bottom / 2, Effect);
}

cl::TRect ScreenRect(HWND Window)
{
    RECT r{};
    GetWindowRect(Window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void ClearProgramSettings()
{
    for (int index : {rkGeneral, rkCommunication}) {
        cl::TRegistry reg;
        reg.SetRootKey(HKEY_CURRENT_USER);
        std::string path = TRegManager::KeyPath(index);
        if (!path.empty() && path[0] == '\\')
            path.erase(0, 1);
        reg.DeleteKey(path);
    }
}

void UseKnownAccount()
{
    service::AddAccount(kKnownUser, kKnownPassword);
    TRegManager settings;
    settings.SetUserName(kKnownUser);
    settings.SetPassword(kKnownPassword);
}

void UseUnknownAccount()
{
    TRegManager settings;
    settings.SetUserName("nobody-we-know");
    settings.SetPassword("wrong");
}

std::string StationCacheBytes(const std::string& Stations)
{
    const std::string stations =
        !Stations.empty() ? Stations
                          : "<Station Name=\"North\" StreamURL=\"http://127.0.0.1:1/north.mp3\" Category=\"Rock\" "
                            "FavoriteOrder=\"0\"/>"
                            "<Station Name=\"South &amp; West\" StreamURL=\"http://127.0.0.1:1/south.mp3\" "
                            "Category=\"Jazz\" FavoriteOrder=\"-1\"/>"
                            "<Station Name=\"East\" StreamURL=\"http://127.0.0.1:1/east.mp3\" Category=\"Rock\" "
                            "FavoriteOrder=\"-1\"/>";
    TTempFolder folder;
    {
        TRadioChannelManager directory(folder.Path());
        directory.LoadFromXmlString("<?xml version=\"1.0\"?><Stations>" + stations + "</Stations>");
    }
    return folder.ReadFile("data\\qsRadioChannels.xml");
}

void PlaceStationCache(const TTempFolder& Folder, const std::string& Bytes)
{
    CreateDirectoryA((Folder.Path() + "data").c_str(), nullptr);
    Folder.WriteFile("data\\qsRadioChannels.xml", Bytes);
}

std::string StationCacheOf(const TTempFolder& Folder)
{
    return Folder.ReadFile("data\\qsRadioChannels.xml");
}

}  // namespace program_test
