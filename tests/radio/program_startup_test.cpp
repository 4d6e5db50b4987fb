// The whole program's start-up under Wine: the windows nobody sees at start are made when they
// are first asked for, and then serve every later use; with no last station the browser opens
// the service's "Configure" page once the program runs.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classlib/ole/ComObj.h"
#include "classlib/system/KernelHandles.h"
#include "classlib/system/SysUtils.h"
#include "ProgramRun.h"
#include "radio/directory/RegistryManager.h"
#include "radio/player/StreamTestServer.h"

using namespace program_test;

namespace {

int WindowsOfClass(const TProgramRun& Run, const char* ClassName)
{
    int count = 0;
    for (HWND window : Run.Windows()) {
        char name[64] = "";
        GetClassNameA(window, name, sizeof name);
        count += std::string(name) == ClassName;
    }
    return count;
}

// The libraries the program's import table names, which the loader loads before its first line.
std::vector<std::string> ImportedLibraries(const std::string& Exe)
{
    std::vector<std::string> names;
    const cl::TOwnedModule image(LoadLibraryExA(Exe.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
    if (!image)
        return names;
    const auto* base = reinterpret_cast<const BYTE*>(image.get());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress)
        for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d)
            names.push_back(cl::LowerCase(reinterpret_cast<const char*>(base + d->Name)));
    return names;
}

bool LoadsLibrary(DWORD ProcessId, const std::string& Name)
{
    const cl::TOwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, ProcessId));
    if (snapshot.get() == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Module32First(snapshot.get(), &entry); more && !found; more = Module32Next(snapshot.get(), &entry))
        found = cl::LowerCase(entry.szModule) == Name;
    return found;
}

// The last station stored, put back when the test ends.
class TStoredLastStation {
public:
    explicit TStoredLastStation(const std::string& Url) : old_(TRegManager().GetLastRadioURL())
    {
        TRegManager().SetLastRadioURL(Url);
    }
    ~TStoredLastStation() { TRegManager().SetLastRadioURL(old_); }

private:
    std::string old_;
};

class ProgramStartUpTest : public TProgramTest {
protected:
    cl::TComApartment apartment_;
    TTempFolder folder_;
};

}  // namespace

TEST_F(ProgramStartUpTest, TheCompactAndAboutWindowsAreMadeWhenFirstAskedForAndServeEveryLaterUse)
{
    UseKnownAccount();
    PlaceStationCache(folder_, StationCacheBytes());
    TProgramRun run(folder_);
    run.Start();
    HWND main = run.WaitForVisibleWindow("TfrmRadioMain");
    ASSERT_TRUE(main);
    EXPECT_EQ(WindowsOfClass(run, "TfrmRadioSmallForm"), 0);
    EXPECT_EQ(WindowsOfClass(run, "TfrmAbout"), 0);
    EXPECT_TRUE(PollUntil([] {
        for (const std::string& request : service::Requests())
            if (request.rfind("GET /qsradio30.html?username=", 0) == 0)
                return true;
        return false;
    })) << "the \"Configure\" page was not asked for";

    HWND compact = nullptr;
    ASSERT_TRUE(ClickToolButton(main, kSmallButton, [&] {
        compact = run.FindWindowOfClass("TfrmRadioSmallForm");
        return Shown(compact) && !IsWindowVisible(main);
    })) << "\"Small\" showed no compact window";
    ASSERT_TRUE(ClickUntil(compact, kFullX, kFullY, [&] { return Shown(main) && !IsWindowVisible(compact); }));
    ASSERT_TRUE(ClickToolButton(main, kSmallButton, [&] { return Shown(compact) && !IsWindowVisible(main); }));
    EXPECT_EQ(WindowsOfClass(run, "TfrmRadioSmallForm"), 1);
    ASSERT_TRUE(ClickUntil(compact, kFullX, kFullY, [&] { return Shown(main) && !IsWindowVisible(compact); }));

    // "About Us" twice: the same window each time.
    HWND about = nullptr;
    for (int time = 0; time < 2; ++time) {
        ASSERT_TRUE(ClickToolButton(main, kAboutButton, [&] {
            about = run.FindWindowOfClass("TfrmAbout");
            return Shown(about);
        })) << "\"About Us\" showed nothing";
        // One click on its picture closes it.
        ClickAt(about, 260, 200);
        ASSERT_TRUE(PollUntil([&] { return !IsWindowVisible(about); }));
    }
    EXPECT_EQ(WindowsOfClass(run, "TfrmAbout"), 1);

    ASSERT_TRUE(ClickToolButton(main, kExitButton, [&] { return !run.Running(); }));
    EXPECT_EQ(run.WaitForExit(), 0u);
}

// The sockets and the sound output are loaded when first called, not with the program: the
// program does not name them among its imports, and resuming the last station still fetches it
// and plays it.
TEST_F(ProgramStartUpTest, SocketsAndSoundOutputLoadOnFirstCallAndTheLastStationStillPlays)
{
    const std::vector<std::string> imports = ImportedLibraries(ProgramSource());
    ASSERT_FALSE(imports.empty());
    for (const char* late : {"ws2_32.dll", "winmm.dll", "msimg32.dll"})
        EXPECT_EQ(std::count(imports.begin(), imports.end(), late), 0) << late;

    UseKnownAccount();
    player_test::TStreamTestServer streams;
    const std::string url = streams.Url("/tone.mp3");
    PlaceStationCache(folder_, StationCacheBytes("<Station Name=\"Tone\" StreamURL=\"" + url +
                                                 "\" Category=\"Tones\" FavoriteOrder=\"0\"/>"));
    const TStoredLastStation last(url);
    TProgramRun run(folder_);
    run.Start();
    ASSERT_TRUE(run.WaitForVisibleWindow("TfrmRadioMain"));
    // The sound system's device layer comes in only with the first output opened; the decoder
    // loads the sound library itself too, so that alone would tell nothing.
    EXPECT_TRUE(PollUntil([&] { return streams.BytesSent() > 0 && LoadsLibrary(run.ProcessId(), "mmdevapi.dll"); }))
        << "the last station was not fetched and played";
}
