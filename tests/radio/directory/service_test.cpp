// The directory-service client over real HTTP to the local service (tools/dirservice).
#include <gtest/gtest.h>

#include <windows.h>

#include "radio/directory/ServiceFixture.h"
#include "classlib/platform/XmlDoc.h"
#include "radio/directory/RadioChannelManager.h"
#include "radio/directory/RadioUtils.h"
#include "radio/directory/RegistryManager.h"

namespace {

using namespace directorytest;

class DirectoryServiceTest : public TDirectoryServiceTest {
protected:
    std::vector<std::string> Names(const TRadioChannelCategory* category)
    {
        std::vector<std::string> names;
        for (TRadioChannel* channel : category->Channels())
            names.push_back(channel->Name);
        return names;
    }
    // The directory holds the service's normal list.
    void ExpectNormalList(const TRadioChannelManager& directory)
    {
        ASSERT_EQ(directory.CategoryCount(), 4);
        EXPECT_EQ(directory.Categories(0)->GetName(), "Rock");
        EXPECT_EQ(directory.Categories(1)->GetName(), "Jazz");
        EXPECT_EQ(directory.Categories(2)->GetName(), "rock");
        EXPECT_EQ(directory.Categories(3)->GetName(), "");
        EXPECT_EQ(Names(directory.Categories(0)),
                  (std::vector<std::string>{"Radio Paradise", "Caf\xe9 \"M\xfcller\" '\xd6l'", "Classic Rock FM"}));
        EXPECT_EQ(Names(directory.Favorites()),
                  (std::vector<std::string>{"Radio Paradise", "Smooth Jazz", "lower rock"}));
        EXPECT_EQ(directory.Categories(1)->Channels()[0]->Name, "Jazz & Blues <24/7>");
    }
};

}  // namespace

TEST_F(DirectoryServiceTest, DownloadGroupsTheListAndWritesTheCache)
{
    {
        TRadioChannelManager directory(folder_.Path());
        directory.DownloadChannels(kUser, kPassword);
        ExpectNormalList(directory);
        EXPECT_EQ(directory.Categories(0)->Channels()[2]->StreamURL,
                  service::BaseURL() + "/stream/classic.mp3?a=1&b=<2>");
    }
    // What the cache holds comes back byte for byte.
    TRadioChannelManager fromCache(folder_.Path());
    ExpectNormalList(fromCache);
    std::vector<std::string> requests = service::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind(std::string("GET ") + kListPath + "?user=listener&password=S3cretPw&action=11&x=", 0),
              0u)
        << requests[0];
}

TEST_F(DirectoryServiceTest, ByteOrderMarkAndSurroundingBlanksAreNoObstacle)
{
    service::Scenario("bom");
    TRadioChannelManager directory(folder_.Path());
    directory.DownloadChannels(kUser, kPassword);
    ExpectNormalList(directory);
}

TEST_F(DirectoryServiceTest, AnEmptyReplyEmptiesTheDirectoryOnlyForAnAcceptedAccount)
{
    {
        TRadioChannelManager directory(folder_.Path());
        directory.DownloadChannels(kUser, kPassword);
        const std::string cache = folder_.ReadFile(kCache);
        service::Scenario("empty-ws");
        // The service's "0" for an account it does not know, and one that fails at the check.
        EXPECT_THROW(directory.DownloadChannels(kUser, "mistyped"), EAccountRefused);
        service::Reply(kAccountPath, L"1", 500);
        EXPECT_THROW(directory.DownloadChannels(kUser, kPassword), EDirectoryServiceError);
        ExpectNormalList(directory);
        EXPECT_EQ(folder_.ReadFile(kCache), cache);

        service::Reply(kAccountPath, L" 1\r\n");
        directory.DownloadChannels(kUser, kPassword);
        EXPECT_EQ(directory.CategoryCount(), 0);
        EXPECT_TRUE(directory.Favorites()->Channels().empty());
    }
    // Stored when the directory goes.
    TRadioChannelManager fromCache(folder_.Path());
    EXPECT_EQ(fromCache.CategoryCount(), 0);
    EXPECT_EQ(fromCache.LastCacheError(), "");
}

TEST_F(DirectoryServiceTest, HttpErrorsRaiseAndChangeNeitherDirectoryNorCache)
{
    TRadioChannelManager directory(folder_.Path());
    directory.DownloadChannels(kUser, kPassword);
    std::string cache = folder_.ReadFile(kCache);
    for (const char* scenario : {"404", "500"}) {
        service::Scenario(scenario);
        try {
            directory.DownloadChannels(kUser, kPassword);
            ADD_FAILURE() << "no error for " << scenario;
        } catch (const EDirectoryServiceError& e) {
            EXPECT_NE(e.Message().find(std::string("status ") + scenario), std::string::npos) << e.Message();
        }
        ExpectNormalList(directory);
        EXPECT_EQ(folder_.ReadFile(kCache), cache);
    }
}

TEST_F(DirectoryServiceTest, MalformedRepliesRaiseAndChangeNothing)
{
    TRadioChannelManager directory(folder_.Path());
    directory.DownloadChannels(kUser, kPassword);
    std::string cache = folder_.ReadFile(kCache);
    service::Scenario("malformed");
    EXPECT_THROW(directory.DownloadChannels(kUser, kPassword), cl::EDOMParseError);
    service::Scenario("badfav");
    EXPECT_THROW(directory.DownloadChannels(kUser, kPassword), cl::EConvertError);
    service::Reply(kListPath, L"<Stations><Station Name='half' Category='Rock'/>");
    EXPECT_THROW(directory.DownloadChannels(kUser, kPassword), cl::EDOMParseError);
    ExpectNormalList(directory);
    EXPECT_EQ(folder_.ReadFile(kCache), cache);
}

TEST_F(DirectoryServiceTest, CredentialsArePercentEncoded)
{
    const std::string user = "a b&c=d", password = "p%w#d?&\xe9+";
    service::AddAccount(user, password);
    TRadioChannelManager directory(folder_.Path());
    directory.DownloadChannels(user, password);
    // The service recognised the account, so it got the credentials whole.
    ExpectNormalList(directory);
    std::vector<std::string> requests = service::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NE(requests[0].find("?user=a%20b%26c%3Dd&password=p%25w%23d%3F%26%C3%A9%2B&action=11&x="),
              std::string::npos)
        << requests[0];
}

TEST_F(DirectoryServiceTest, ASlowDrippingOrRedirectingServiceEndsInAnErrorWithoutThePassword)
{
    TRadioUtils::RequestTimeoutMs = 1000;
    TRadioChannelManager directory(folder_.Path());
    directory.DownloadChannels(kUser, kPassword);
    for (const char* scenario : {"slow", "drip", "redirect"}) {
        SCOPED_TRACE(scenario);
        if (std::string(scenario) == "drip")
            service::Reply(kListPath, L"<Stations/>", 200, 0, 300);
        else
            service::Scenario(scenario, "delay_ms=5000");
        try {
            directory.DownloadChannels(kUser, kPassword);
            ADD_FAILURE() << "no error";
        } catch (const EDirectoryServiceError& e) {
            EXPECT_EQ(e.Message().find(kPassword), std::string::npos) << e.Message();
        }
        ExpectNormalList(directory);
    }
}

TEST_F(DirectoryServiceTest, ADeadServiceEndsInAnErrorWithoutThePassword)
{
    std::string saved = cl::GetEnvVar("TREBANIX_SERVICE_URL");
    // Nothing listens on port 9 of the loopback address.
    TRadioUtils::RequestTimeoutMs = 3000;
    SetEnvironmentVariableA("TREBANIX_SERVICE_URL", "http://127.0.0.1:9");
    TRadioChannelManager directory(folder_.Path());
    try {
        directory.DownloadChannels(kUser, kPassword);
        ADD_FAILURE() << "no error";
    } catch (const EDirectoryServiceError& e) {
        EXPECT_EQ(e.Message().find(kPassword), std::string::npos) << e.Message();
    }
    SetEnvironmentVariableA("TREBANIX_SERVICE_URL", saved.c_str());
    EXPECT_EQ(directory.CategoryCount(), 0);
}

TEST_F(DirectoryServiceTest, TheAccountCheckWantsExactlyOne)
{
    StoreCredentials(kUser, kPassword);
    EXPECT_TRUE(TRadioUtils::ValidateAccount());
    std::vector<std::string> requests = service::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind(std::string("GET ") + kAccountPath + "?user=listener&password=S3cretPw&action=1&x=", 0),
              0u)
        << requests[0];

    service::Reply(kAccountPath, L" 1\r\n");
    EXPECT_TRUE(TRadioUtils::ValidateAccount());
    service::Reply(kAccountPath, L"1", 200, 0, 0, true);
    EXPECT_TRUE(TRadioUtils::ValidateAccount());
    for (const wchar_t* reply : {L"01", L"1x", L"0", L"", L"1 1"}) {
        service::Reply(kAccountPath, reply);
        EXPECT_FALSE(TRadioUtils::ValidateAccount()) << cl::WideToUtf8(reply);
    }
    // Only the service saying no is a wrong account; a failing service is no answer at all.
    service::Reply(kAccountPath, L"1", 500);
    EXPECT_THROW(TRadioUtils::ValidateAccount(), EDirectoryServiceError);
    service::Reply(kAccountPath, L"0", 404);
    EXPECT_THROW(TRadioUtils::ValidateAccount(), EDirectoryServiceError);
    service::Reply(kAccountPath, L"<!DOCTYPE html><html><body>Sign in to the network</body></html>");
    EXPECT_THROW(TRadioUtils::ValidateAccount(), EDirectoryServiceError);
}

TEST_F(DirectoryServiceTest, AnUnknownAccountIsRefused)
{
    StoreCredentials(kUser, "wrong");
    EXPECT_FALSE(TRadioUtils::ValidateAccount());
    // Nothing stored at all.
    cl::TRegistry reg;
    reg.DeleteKey("\\Software\\Lumra");
    EXPECT_FALSE(TRadioUtils::ValidateAccount());
}
