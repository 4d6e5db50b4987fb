// The main window's browser pages: the page tabs, the service pages with their encoded
// values, new windows, the loading overlay and the reload after an editing page.
#include <gtest/gtest.h>

#include <functional>

#include "classlib/controls/support.h"
#include "radio/forms/MainWindowTestSupport.h"
#include "radio/directory/RadioUtils.h"
#include "radio/directory/RegistryManager.h"
#include "radio/forms/Loading.h"

using namespace mainwin_test;

namespace {

void SelectTab(TfrmRadioMain* form, int Index)
{
    form->tabControl->SetTabIndex(Index);
    form->tabControl->OnChange(form->tabControl);
}

}  // namespace

TEST(MainWindowPages, PlayListFallsBackToTheWebSiteAndWithoutEitherStays)
{
    TMainWindowScene scene(StreamOf("b"));
    scene.Create();
    SelectTab(scene.form, 1);
    EXPECT_EQ(scene.Requested().back(), "http://127.0.0.1:9/b.m3u");
    scene.ClickStation("E");
    SelectTab(scene.form, 1);
    EXPECT_EQ(scene.Requested().back(), "http://127.0.0.1:9/e.html");
    scene.ClickStation("C & D");
    const auto pages = scene.Requested().size();
    SelectTab(scene.form, 1);
    SelectTab(scene.form, 0);
    EXPECT_EQ(scene.Requested().size(), pages);
    EXPECT_TRUE(scene.browser->Visible());
}

TEST(MainWindowPages, ServicePagesCarryTheCredentialsPercentEncoded)
{
    TMainWindowScene scene;
    TRegManager reg;
    reg.SetUserName("a&b=c");
    reg.SetPassword("p%q+r s");
    scene.Create();
    const std::string base = TRadioUtils::ServiceURL();
    const std::string query = "username=a%26b%3Dc&password=p%25q%2Br%20s";
    SelectTab(scene.form, 2);
    EXPECT_EQ(scene.Requested().back(), base + "/qsradio30.html?" + query);
    SelectTab(scene.form, 3);
    EXPECT_EQ(scene.Requested().back(), base + "/qs-best-radio30.html?" + query);
    SelectTab(scene.form, 4);
    EXPECT_EQ(scene.Requested().back(), base + "/qs-recent.html?" + query);
    scene.form->skSkinSpeedButton2->Click();
    EXPECT_EQ(scene.Requested().back(), base + "/suggest30.html?" + query);
    scene.form->skSkinSpeedButton4->Click();
    EXPECT_EQ(scene.Requested().back(), base + "/qs-broken.html?" + query);
}

TEST(MainWindowPages, RateAfterLaunchSendsTheTypedAddressEncoded)
{
    TMainWindowScene scene;
    TRegManager reg;
    reg.SetUserName("u");
    reg.SetPassword("p");
    scene.Create();
    scene.form->URL->SetText("http://h/s?x=1&y=2");
    scene.form->btnLaunch->Click();
    scene.form->btnRate2->Click();
    EXPECT_EQ(scene.form->tabControl->TabIndex(), 5);
    EXPECT_EQ(scene.Requested().back(), TRadioUtils::ServiceURL() +
                                            "/qs-rate-radio30.html?username=u&password=p&stream_url="
                                            "http%3A%2F%2Fh%2Fs%3Fx%3D1%26y%3D2");
}

TEST(MainWindowPages, NewWindowsAreCancelled)
{
    TMainWindowScene scene;
    scene.Create();
    SelectTab(scene.form, 2);
    ASSERT_NE(scene.browser, nullptr);
    EXPECT_FALSE(scene.browser->RequestNewWindow());
}

TEST(MainWindowPages, TheBrowserIsMadeWhenTheFirstPageOpensOrItFirstShowsAndThenServesEveryPage)
{
    {
        TMainWindowScene scene;
        scene.Create();
        // No page at the start: no browser, and no loading overlay.
        EXPECT_EQ(scene.browser, nullptr);
        EXPECT_EQ(scene.form->Browser(), nullptr);
        EXPECT_EQ(scene.form->frmLoading, nullptr);
        SelectTab(scene.form, 2);
        cl::TRecordingWebBrowser* first = scene.browser;
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(scene.form->Browser(), first);
        TfrmLoading* overlay = scene.form->frmLoading;
        ASSERT_NE(overlay, nullptr);
        EXPECT_FALSE(overlay->Visible());  // the page completed at once
        SelectTab(scene.form, 3);
        scene.ClickStation("E");
        EXPECT_EQ(scene.browser, first);
        EXPECT_EQ(scene.form->frmLoading, overlay);
        ASSERT_EQ(first->Requested.size(), 3u);
        EXPECT_EQ(first->Requested.back(), "http://127.0.0.1:9/e.html");
        EXPECT_TRUE(first->Visible());
    }
    {
        // A station without pages shows the browser all the same, as it stands.
        TMainWindowScene scene;
        scene.Create();
        scene.ClickStation("C & D");
        ASSERT_NE(scene.browser, nullptr);
        EXPECT_TRUE(scene.browser->Requested.empty());
        EXPECT_TRUE(scene.browser->Visible());
    }
}

TEST(MainWindowPages, TheLoadingOverlayHidesOnCompletionOnErrorAndAfterItsTimeOut)
{
    visual_test::TClockScope clock;
    TMainWindowScene scene(StreamOf("b"));
    scene.Create();
    TfrmLoading* overlay = scene.form->frmLoading;
    ASSERT_NE(overlay, nullptr);
    EXPECT_FALSE(overlay->Visible());  // the start page completed at once
    scene.browser->CompleteAtOnce = false;

    scene.ClickStation("E");
    EXPECT_TRUE(overlay->Visible());
    EXPECT_EQ(overlay->panLoading->Left(), 5);
    EXPECT_EQ(overlay->panLoading->Width(), overlay->ClientWidth() - 10);
    EXPECT_EQ(overlay->labLoading->Left(), overlay->panLoading->Width() / 2 - overlay->labLoading->Width() / 2);
    scene.browser->FailNavigation("http://127.0.0.1:9/e.html");
    EXPECT_FALSE(overlay->Visible());

    // A page that never says it finished: the overlay goes after its time-out.
    scene.ClickStation("B");
    EXPECT_TRUE(overlay->Visible());
    clock.clock.Advance(TfrmLoading::TimeoutMs - 1);
    EXPECT_TRUE(overlay->Visible());
    clock.clock.Advance(1);
    EXPECT_FALSE(overlay->Visible());
}

TEST(MainWindowPages, WithoutAnAccountReloadSaysSoAndAsksNothing)
{
    REQUIRE_DIRECTORY_SERVICE();
    service::Reset();
    TMainWindowScene scene;
    TRegManager reg;
    reg.SetUserName("demo");
    reg.SetPassword("");
    scene.Create();
    scene.form->skSkinSpeedButton11->Click();
    EXPECT_EQ(scene.messages, std::vector<std::string>{"Username or password of Lumra Account not found"});
    EXPECT_TRUE(service::Requests().empty());
}

TEST(MainWindowPages, ReloadRefreshesTheStationListAndShowsTheHomePage)
{
    REQUIRE_DIRECTORY_SERVICE();
    service::Reset();
    service::AddAccount("u &=%+", "p w");
    TMainWindowScene scene(StreamOf("b"));
    TRegManager reg;
    reg.SetUserName("u &=%+");
    reg.SetPassword("p w");
    scene.Create();
    ASSERT_NE(scene.Button("B"), nullptr);
    scene.form->skSkinSpeedButton11->Click();
    // The service's normal list replaced ours.
    EXPECT_EQ(scene.Button("B"), nullptr);
    EXPECT_NE(scene.Button("Radio Paradise"), nullptr);
    EXPECT_EQ(scene.form->scbRadioStations->Categories()->Items(0)->Caption(), "Favorites");
    EXPECT_EQ(scene.SelectedCaption(), "-");
    EXPECT_EQ(scene.Requested().back(), TRadioUtils::ServiceURL() + "/");
    EXPECT_EQ(cl::Screen->Cursor(), cl::crDefault);
}

TEST(MainWindowPages, TwoEditingPagesWithinASecondReloadOnceASecondAfterTheSecond)
{
    REQUIRE_DIRECTORY_SERVICE();
    service::Reset();
    service::AddAccount("u", "p");
    visual_test::TClockScope clock;
    TMainWindowScene scene;
    TRegManager reg;
    reg.SetUserName("u");
    reg.SetPassword("p");
    scene.Create();
    SelectTab(scene.form, 2);
    const std::string edit = TRadioUtils::ServiceURL() + "/video/editradiostations.html";
    scene.browser->Navigate(edit);
    clock.clock.Advance(500);
    scene.browser->Navigate(TRadioUtils::ServiceURL() + "/video/myconfig.html");
    // A query after the page name is another address.
    scene.browser->Navigate(edit + "?x=1");
    clock.clock.Advance(999);
    EXPECT_TRUE(service::Requests().empty());
    clock.clock.Advance(1);
    EXPECT_EQ(service::Requests().size(), 1u);
    EXPECT_NE(scene.Button("Radio Paradise"), nullptr);
    clock.clock.Advance(3000);
    EXPECT_EQ(service::Requests().size(), 1u);
}

TEST(MainWindowPages, AFirstRunWithoutCacheFetchesTheListOnceAndOnlyThen)
{
    REQUIRE_DIRECTORY_SERVICE();
    service::Reset();
    service::AddAccount("u", "p");
    TRegManager reg;
    {
        TMainWindowScene scene("", false);
        reg.SetUserName("u");
        reg.SetPassword("p");
        scene.Create();
        scene.form->FetchStationListWhenNoneCached();
        EXPECT_NE(scene.Button("Radio Paradise"), nullptr);
        EXPECT_EQ(service::Requests().size(), 1u);
    }
    service::Reset();
    {
        // A cached list is what the listener sees: nothing is asked.
        TMainWindowScene scene;
        reg.SetUserName("u");
        reg.SetPassword("p");
        scene.Create();
        scene.form->FetchStationListWhenNoneCached();
        EXPECT_TRUE(service::Requests().empty());
        EXPECT_NE(scene.Button("B"), nullptr);
    }
}

TEST(MainWindowPages, AFirstRunWithADeadServiceSaysSoInTheStatusLineUntilAReloadSucceeds)
{
    REQUIRE_DIRECTORY_SERVICE();
    service::Reset();
    service::AddAccount("u", "p");
    TMainWindowScene scene("", false);
    TRegManager reg;
    reg.SetUserName("u");
    reg.SetPassword("p");
    scene.Create();
    scene.Show();
    {
        TServiceAddress address("http://127.0.0.1:9");
        scene.form->FetchStationListWhenNoneCached();
    }
    sk::TskSkinStdLabel* status = scene.form->labWMPState;
    EXPECT_EQ(status->Caption().rfind("The station list could not be loaded: ", 0), 0u) << status->Caption();
    EXPECT_EQ(scene.form->scbRadioStations->Categories()->Count(), 1);
    // Longer than the line: it ends in "..." there, and the whole of it is the line's hint.
    EXPECT_TRUE(status->EndEllipsis());
    EXPECT_TRUE(status->ShowHint());
    EXPECT_EQ(status->Hint(), status->Caption());

    scene.PressOn(scene.form->skSkinSpeedButton11);
    ASSERT_TRUE(scene.messages.empty()) << scene.messages[0];
    EXPECT_NE(scene.Button("Radio Paradise"), nullptr);
    EXPECT_EQ(status->Caption(), scene.player->Status());
}

namespace {

// A scene whose stored account the local service knows, shown on the screen.
struct TReloadScene : TMainWindowScene {
    TReloadScene() : TMainWindowScene(StreamOf("b"))
    {
        service::Reset();
        service::AddAccount("u", "p");
        TRegManager reg;
        reg.SetUserName("u");
        reg.SetPassword("p");
        Create();
        Show();
    }
    void PressReload() { PressOn(form->skSkinSpeedButton11); }
};

}  // namespace

TEST(MainWindowPages, AReloadWhoseListCannotBeStoredShowsTheNewListSaysSoOnceAndItsStationsPlay)
{
    REQUIRE_DIRECTORY_SERVICE();
    TReloadScene scene;
    // A folder where the cache file goes.
    const std::string cache = scene.directory.CacheFileName();
    ASSERT_TRUE(DeleteFileA(cache.c_str()));
    ASSERT_TRUE(CreateDirectoryA(cache.c_str(), nullptr));

    scene.PressReload();
    ASSERT_EQ(scene.messages.size(), 1u);
    EXPECT_EQ(scene.messages[0].rfind("The new station list is shown, but it could not be stored on this computer: ", 0),
              0u)
        << scene.messages[0];
    EXPECT_EQ(scene.Button("B"), nullptr);
    scene.PressStation("Radio Paradise");
    EXPECT_EQ(scene.SelectedCaption(), "Radio Paradise");
    EXPECT_EQ(scene.directory.CurrentChannel().Name, "Radio Paradise");
    EXPECT_EQ(scene.player->URL(), scene.directory.GetCurrentStreamURL());
}

TEST(MainWindowPages, AFailedReloadSaysWhyOnceAndKeepsTheList)
{
    REQUIRE_DIRECTORY_SERVICE();
    TReloadScene scene;
    const std::string cache = scene.folder.ReadFile("data\\qsRadioChannels.xml");
    struct {
        int status;
        const wchar_t* body;
        const char* said;
    } replies[] = {{500, L"server error", "status 500"},
                   {200, L"<!DOCTYPE html>\r\n<html><body><p>Log in first</p></body></html>", "not a station list"}};
    for (const auto& reply : replies) {
        SCOPED_TRACE(reply.said);
        service::Reply("/files/video/radioserver30.html", reply.body, reply.status);
        scene.messages.clear();
        scene.PressReload();
        ASSERT_EQ(scene.messages.size(), 1u);
        EXPECT_EQ(scene.messages[0].rfind("The station list could not be loaded: ", 0), 0u) << scene.messages[0];
        EXPECT_NE(scene.messages[0].find(reply.said), std::string::npos) << scene.messages[0];
        EXPECT_EQ(scene.SelectedCaption(), "B");
        EXPECT_EQ(scene.folder.ReadFile("data\\qsRadioChannels.xml"), cache);
    }
}

TEST(MainWindowPages, AReloadKeepsThePlayingStationMarkedWithoutStartingItAgain)
{
    REQUIRE_DIRECTORY_SERVICE();
    TReloadScene scene;
    const std::size_t started = scene.player->URLs.size();
    service::Reply("/files/video/radioserver30.html", cl::StringToWide(StationListXml()));
    scene.PressReload();
    ASSERT_TRUE(scene.messages.empty()) << scene.messages[0];
    ASSERT_EQ(scene.SelectedCaption(), "B");
    EXPECT_FALSE(scene.form->scbRadioStations->SelectedItem()->GetCategory()->Collapsed());
    EXPECT_EQ(scene.player->URLs.size(), started);
}

TEST(MainWindowPages, AnEmptyListForARefusedAccountKeepsTheStationsAndAsksForAnotherAccount)
{
    REQUIRE_DIRECTORY_SERVICE();
    TReloadScene scene;
    const std::string cache = scene.folder.ReadFile("data\\qsRadioChannels.xml");
    service::Scenario("empty");
    TRegManager().SetUserName("mistyped");
    int asked = 0;
    scene.form->OnAccountRefused = [&] { return ++asked, false; };
    scene.PressReload();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(scene.messages.empty());
    EXPECT_EQ(scene.SelectedCaption(), "B");
    EXPECT_EQ(scene.folder.ReadFile("data\\qsRadioChannels.xml"), cache);

    // Put right in the dialog: the list is fetched again, and the accepted account has none.
    scene.form->OnAccountRefused = [&] {
        TRegManager().SetUserName("u");
        return ++asked, true;
    };
    scene.PressReload();
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(scene.messages.empty());
    EXPECT_EQ(scene.form->scbRadioStations->Categories()->Count(), 1);
    EXPECT_EQ(scene.directory.CategoryCount(), 0);
}

// Whoever answered with a certificate the program refused may be anyone: no page that would
// carry the account goes there, whichever way it is asked for.
TEST(MainWindowPages, NoPageCarryingTheAccountOpensOnAServiceWhoseCertificateWasRefused)
{
    REQUIRE_DIRECTORY_SERVICE();
    const service::TSecurePorts ports = service::SecurePorts();
    const struct {
        std::string service;
        const char* why;
    } refused[] = {{cl::Format("https://localhost:%d", ports.Expired), "certificate expired"},
                   {cl::Format("https://127.0.0.1:%d", ports.Secure), "certificate issued for another name"},
                   {cl::Format("https://localhost:%d", ports.Untrusted), "certificate not trusted"}};
    for (const auto& r : refused) {
        SCOPED_TRACE(r.service);
        TReloadScene scene;
        TServiceAddress address(r.service);
        scene.PressReload();
        ASSERT_EQ(scene.messages.size(), 1u);
        EXPECT_NE(scene.messages[0].find(r.why), std::string::npos) << scene.messages[0];
        TfrmRadioMain* form = scene.form;
        const std::function<void()> pages[] = {
            [&] { SelectTab(form, 2); },          [&] { SelectTab(form, 3); },
            [&] { SelectTab(form, 4); },          [&] { SelectTab(form, 5); },
            [&] { scene.PressOn(form->btnRate2); }, [&] { scene.PressOn(form->skSkinSpeedButton2); },
            [&] { scene.PressOn(form->skSkinSpeedButton4); }};
        for (const auto& open : pages) {
            const std::size_t before = scene.Requested().size();
            open();
            ASSERT_EQ(scene.Requested().size(), before + 1);
            const std::string page = scene.Requested().back();
            EXPECT_EQ(page.rfind("about:", 0), 0u) << page;
            EXPECT_NE(page.find(TRadioUtils::EncodeQueryValue(r.why)), std::string::npos) << page;
            EXPECT_EQ(page.find("password"), std::string::npos) << page;
        }
    }
}

TEST(MainWindowPages, AfterADamagedCacheTheFetchedListResumesTheLastStation)
{
    REQUIRE_DIRECTORY_SERVICE();
    cl::TComApartment apartment;
    service::Reset();
    service::AddAccount("u", "p");
    std::string last;
    {
        // Where the service's first favourite streams from.
        TTempFolder other;
        TRadioChannelManager probe(other.Path());
        probe.DownloadChannels("u", "p");
        ASSERT_FALSE(probe.Favorites()->Channels().empty());
        last = probe.Favorites()->Channels()[0]->StreamURL;
    }
    TMainWindowScene scene(last, false);
    ASSERT_TRUE(CreateDirectoryA((scene.folder.Path() + "data").c_str(), nullptr));
    scene.folder.WriteFile("data\\qsRadioChannels.xml", "<RadioChannels><RadioChannelCategory");
    scene.directory.LoadFromFile();
    ASSERT_NE(scene.directory.LastCacheError(), "");
    TRegManager reg;
    reg.SetUserName("u");
    reg.SetPassword("p");
    scene.Create();
    EXPECT_TRUE(scene.player->URLs.empty());

    scene.form->FetchStationListWhenNoneCached();
    EXPECT_EQ(scene.SelectedCaption(), "Radio Paradise");
    EXPECT_EQ(scene.player->URL(), last);
    EXPECT_EQ(scene.directory.GetCurrentStreamURL(), last);
    EXPECT_EQ(scene.Requested(), std::vector<std::string>{scene.directory.GetCurrentWebsiteURL()});
}
