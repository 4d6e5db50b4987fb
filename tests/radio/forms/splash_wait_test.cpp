// The splash stays on top exactly as long as start-up waits with it, on the test clock.
#include <gtest/gtest.h>

#include <windows.h>

#include "classlib/controls/support.h"
#include "radio/RadioProgram.h"
#include "radio/forms/Splash.h"

using namespace cl;
using namespace visual_test;

namespace {

// Sets the start-up wait in the process's environment for one test, as a parent process hands
// it down, and takes it away again.
class TSplashWait {
public:
    explicit TSplashWait(const char* Ms) { SetEnvironmentVariableA(kName, Ms); }
    ~TSplashWait() { SetEnvironmentVariableA(kName, nullptr); }
    TSplashWait(const TSplashWait&) = delete;
    TSplashWait& operator=(const TSplashWait&) = delete;

private:
    static constexpr const char* kName = "TREBANIX_SPLASH_MS";
};

// A shown splash on the test clock; true while it is still showing after Ms more milliseconds.
struct TShownSplash {
    TClockScope time;
    TfrmSplash* splash = new TfrmSplash(nullptr);
    TShownSplash() { splash->Show(); }
    ~TShownSplash() { splash->Free(); }
    bool ShowingAfter(unsigned Ms)
    {
        time.clock.Advance(Ms);
        return splash->Visible();
    }
};

TEST(SplashWait, AShortenedWaitShortensTheSplashAndNoneClosesItAtOnce)
{
    {
        TSplashWait wait("250");
        ASSERT_EQ(SplashWaitMs(), 250u);
        TShownSplash shown;
        EXPECT_EQ(shown.splash->Timer1->Interval(), 250u);
        EXPECT_TRUE(shown.ShowingAfter(249));
        EXPECT_FALSE(shown.ShowingAfter(1)) << "the splash outstays the program's wait";
    }
    {
        // A timer without an interval never fires: the splash would stay for good.
        TSplashWait wait("0");
        ASSERT_EQ(SplashWaitMs(), 0u);
        TShownSplash shown;
        EXPECT_FALSE(shown.ShowingAfter(1));
    }
    {
        // A wait the program refuses leaves its own.
        TSplashWait wait("soon");
        TShownSplash shown;
        EXPECT_EQ(shown.splash->Timer1->Interval(), TfrmSplash::ShowMs);
        EXPECT_TRUE(shown.ShowingAfter(TfrmSplash::ShowMs - 1));
        EXPECT_FALSE(shown.ShowingAfter(1));
    }
}

}  // namespace
