// The whole program's start-up under Wine: the windows nobody sees at start are made when they
// are first asked for, and then serve every later use; with no last station the browser opens
// the service's "Configure" page once the program runs.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "classlib/ole/ComObj.h"
#include "ProgramRun.h"

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
