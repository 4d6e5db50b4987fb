// The page start-up opens: the last station's site, or, when the last station is gone, the
// "Configure" page, in the browser and behind a compact window that the user switched to while
// start-up ran; made and opened only once messages run, after the window is painted.
#include <gtest/gtest.h>

#include "classlib/controls/Forms.h"
#include "radio/forms/MainWindowTestSupport.h"
#include "radio/directory/RadioUtils.h"

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

TEST(MainWindowStartPage, ThePageAskedForAtStartOpensOnceMessagesRunAndAWindowGoneByThenOpensNone)
{
    const std::string configure = TRadioUtils::ServiceURL() + "/qsradio30.html?";
    struct {
        const char* name;
        std::string last;
        std::string page;
    } starts[] = {{"last station", StreamOf("b"), "http://127.0.0.1:9/b.html"}, {"Configure", "", configure}};
    for (const auto& start : starts) {
        SCOPED_TRACE(start.name);
        TMainWindowScene scene(start.last);
        scene.Build();
        if (start.last.empty()) {
            scene.form->tabControl->SetTabIndex(2);
            scene.form->ChangeTabs(false);
        }
        // What the user sees is there before the loop; the browser is not made yet.
        EXPECT_EQ(scene.SelectedCaption(), start.last.empty() ? "-" : "B");
        EXPECT_EQ(scene.player->URL(), start.last);
        EXPECT_EQ(scene.form->tabControl->TabIndex(), start.last.empty() ? 2 : 0);
        EXPECT_EQ(scene.browser, nullptr);

        scene.form->PostPageFill();
        cl::Application->ProcessMessages();
        ASSERT_NE(scene.browser, nullptr);
        ASSERT_EQ(scene.Requested().size(), 1u);
        EXPECT_EQ(scene.Requested()[0].rfind(start.page, 0), 0u) << scene.Requested()[0];
        EXPECT_TRUE(scene.browser->Visible());
    }

    TMainWindowScene scene(StreamOf("b"));
    scene.Build();
    scene.form->PostPageFill();
    scene.form->Free();
    scene.form = nullptr;
    cl::Application->ProcessMessages();
    EXPECT_EQ(scene.browser, nullptr);
}
