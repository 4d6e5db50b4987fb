// The page start-up opens when the last station is gone: it opens in the browser, and behind a
// compact window that the user switched to while start-up ran.
#include <gtest/gtest.h>

#include "radio/MainWindowTestSupport.h"
#include "radio/RadioUtils.h"

using namespace mainwin_test;

TEST(MainWindowStartPage, ThePageOpensWithTheWindowToTheFrontOrLeavesTheWindowsAsTheyAre)
{
    TMainWindowScene scene;
    scene.Create();
    scene.form->tabControl->SetTabIndex(2);
    ASSERT_FALSE(scene.form->Visible());

    scene.form->ChangeTabs(false);
    EXPECT_FALSE(scene.form->Visible());
    ASSERT_EQ(scene.Requested().size(), 1u);
    EXPECT_EQ(scene.Requested().back().rfind(TRadioUtils::ServiceURL() + "/qsradio30.html?", 0), 0u);
    EXPECT_TRUE(scene.browser->Visible());

    scene.form->ChangeTabs();
    EXPECT_TRUE(scene.form->Visible());
    EXPECT_EQ(scene.Requested().size(), 2u);
}
