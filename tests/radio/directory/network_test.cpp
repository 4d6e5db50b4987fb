// The directory-service client against a service that misbehaves on the network: loops, goes
// silent, drips, is not there, cuts its replies short or answers with something else.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>

#include <string>
#include <vector>

#include "radio/directory/ServiceFixture.h"
#include "support/LoopbackSocket.h"
#include "radio/directory/ImportSlotHook.h"
#include "classlib/platform/XmlDoc.h"
#include "radio/directory/RadioChannelManager.h"
#include "radio/directory/RadioUtils.h"
#include "radio/player/HttpStreamSource.h"
#include "radio/directory/RegistryManager.h"
#include "support/ProcessThreads.h"

namespace {

using namespace directorytest;

// Longer than any of these tests may take: a failure that comes is not the time-out's.
const unsigned kNeverMs = 60000;

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// A port of the loopback address where nothing listens: bound, so nobody else takes it, but
// never listening, so a connection is refused.
class TRefusingPort : public test_support::TLoopbackSocket {
public:
    TRefusingPort() : TLoopbackSocket(0) {}
};

class DirectoryNetworkTest : public TDirectoryServiceTest {
protected:
    // Downloads and returns the error's message; "" (and a failure) when there was none.
    template <class E>
    std::string DownloadError(TRadioChannelManager& directory)
    {
        try {
            directory.DownloadChannels(kUser, kPassword);
        } catch (const E& e) {
            EXPECT_FALSE(Contains(e.Message(), kPassword)) << e.Message();
            return e.Message();
        }
        ADD_FAILURE() << "no error";
        return "";
    }
    // The directory as the normal list left it: four categories, and the cache of it.
    void ExpectUnchanged(const TRadioChannelManager& directory, const std::string& cache)
    {
        EXPECT_EQ(directory.CategoryCount(), 4);
        EXPECT_EQ(directory.Favorites()->Channels().size(), 3u);
        EXPECT_EQ(folder_.ReadFile(kCache), cache);
    }
};

}  // namespace

TEST_F(DirectoryNetworkTest, ARedirectLoopEndsAfterFiveHopsAndNothingGoesOn)
{
    TRadioUtils::RequestTimeoutMs = kNeverMs;
    service::Scenario("redirect");
    TRadioChannelManager directory(folder_.Path());
    EXPECT_TRUE(Contains(DownloadError<EDirectoryServiceError>(directory), "redirected the request more than 5 times"));
    // The first request and five redirections, each on a connection that is closed now.
    EXPECT_EQ(service::Requests().size(), 6u);
    EXPECT_TRUE(service::AllConnectionsClosed());
    // Nothing is left that could go on asking.
    Sleep(300);
    EXPECT_EQ(service::Requests().size(), 6u);
}

TEST_F(DirectoryNetworkTest, ASilentOrDrippingServiceIsLeftAtTheBoundWithItsConnectionClosed)
{
    TRadioUtils::RequestTimeoutMs = 1000;
    TRadioChannelManager directory(folder_.Path());
    service::Scenario("slow", "delay_ms=30000");
    EXPECT_EQ(DownloadError<EDirectoryServiceError>(directory), "The directory service did not answer within 1000 ms");
    EXPECT_TRUE(service::AllConnectionsClosed());

    // Twenty seconds of reply, a byte at a time.
    service::Reply(kListPath, std::wstring(200, L' ') + L"0", 200, 0, 100);
    EXPECT_EQ(DownloadError<EDirectoryServiceError>(directory), "The directory service did not answer within 1000 ms");
    EXPECT_TRUE(service::AllConnectionsClosed());
    EXPECT_EQ(service::Requests().size(), 2u);
}

TEST_F(DirectoryNetworkTest, ARefusedConnectionFailsAtOnceNotAtTheBound)
{
    TRadioUtils::RequestTimeoutMs = kNeverMs;
    TRefusingPort port;
    TServiceAddress address(cl::Format("http://127.0.0.1:%d", port.Port()));
    StoreCredentials(kUser, kPassword);
    const DWORD start = GetTickCount();
    TRadioChannelManager directory(folder_.Path());
    const std::string refused = cl::Format("could not be reached: cannot connect to 127.0.0.1:%d", port.Port());
    EXPECT_TRUE(Contains(DownloadError<EDirectoryServiceError>(directory), refused));
    try {
        TRadioUtils::ValidateAccount();
        ADD_FAILURE() << "no error";
    } catch (const EDirectoryServiceError& e) {
        EXPECT_TRUE(Contains(e.Message(), refused)) << e.Message();
    }
    EXPECT_LT(GetTickCount() - start, kNeverMs);
    EXPECT_EQ(directory.CategoryCount(), 0);
}

TEST_F(DirectoryNetworkTest, TheListComesOverTlsOnlyFromAServiceTrustedForItsNameAndARefusalSaysWhy)
{
    const unsigned bound = 5000;
    TRadioUtils::RequestTimeoutMs = bound;
    const service::TSecurePorts ports = service::SecurePorts();
    TRadioChannelManager directory(folder_.Path());
    const auto url = [](int port, const char* host) { return cl::Format("https://%s:%d", host, port); };
    const struct {
        std::string url;
        std::string why;
    } refused[] = {
        // Not from a trusted root, also when the issuer is to be fetched from a host that
        // never answers: refused at once, not at the bound.
        {url(ports.Untrusted, "localhost"), "not trusted"},
        {url(ports.Fetching, "localhost"), "not trusted"},
        {url(ports.SelfSigned, "localhost"), "self-signed"},
        {url(ports.Expired, "localhost"), "expired"},
        // Trusted, but not for the name or the address asked for.
        {url(ports.Secure, "127.0.0.1"), "issued for another name"},
        {url(ports.Address, "localhost"), "issued for another name"},
    };
    for (const auto& r : refused) {
        TServiceAddress address(r.url);
        const DWORD start = GetTickCount();
        const std::string error = DownloadError<EDirectoryServiceError>(directory);
        EXPECT_TRUE(Contains(error, "could not be reached: secure connection failed (certificate " + r.why + ")"))
            << r.url << ": " << error;
        EXPECT_LT(GetTickCount() - start, bound) << r.url;
    }
    // The name, and the address named as an address.
    for (const std::string& good : {url(ports.Secure, "localhost"), url(ports.Address, "127.0.0.1")}) {
        TServiceAddress address(good);
        directory.DownloadChannels(kUser, kPassword);
        EXPECT_EQ(directory.CategoryCount(), 4) << good;
    }
    EXPECT_EQ(service::Requests().size(), 2u);
    EXPECT_TRUE(service::AllConnectionsClosed());
}

TEST_F(DirectoryNetworkTest, RepliesThatNeverEndEndWithinTheBoundAndLeaveNothingBehind)
{
    const unsigned bound = 2000;
    TRadioUtils::RequestTimeoutMs = bound;
    TRadioChannelManager directory(folder_.Path());
    const int threads = test_support::CountProcessThreads();
    const struct {
        std::string kind;
        std::string error;
    } cases[] = {
        {"header", "answered, but its answer could not be read: the reply header is too large"},
        {"trailer", "answered, but its answer could not be read: the reply header is too large"},
        {"chunkline", "answered, but its answer could not be read: the server's reply is damaged"},
        {"drip", "did not answer within 2000 ms"},
    };
    for (const auto& c : cases) {
        service::ReplyWith(kListPath, L"<Stations/>", "endless=" + c.kind);
        const DWORD start = GetTickCount();
        const std::string error = DownloadError<EDirectoryServiceError>(directory);
        // What a loaded machine adds to the bound; far below what an unbounded reply takes.
        EXPECT_LT(GetTickCount() - start, bound + 3000) << c.kind;
        EXPECT_TRUE(Contains(error, c.error)) << c.kind << ": " << error;
        EXPECT_TRUE(service::AllConnectionsClosed()) << c.kind;
    }
    EXPECT_EQ(test_support::CountProcessThreads(), threads);
}

TEST_F(DirectoryNetworkTest, SecureServicesThatNeverAnswerOrNeverAcceptLeaveNothingBehind)
{
    const service::TSecurePorts ports = service::SecurePorts();
    TRadioChannelManager directory(folder_.Path());
    const int threads = test_support::CountProcessThreads();
    // Five reloads against a service that takes the connection and never answers the greeting.
    TRadioUtils::RequestTimeoutMs = 300;
    {
        TServiceAddress address(cl::Format("https://127.0.0.1:%d", ports.Silent));
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(DownloadError<EDirectoryServiceError>(directory), "The directory service did not answer within 300 ms");
    }
    EXPECT_EQ(service::OpenConnections(), 0);
    EXPECT_EQ(test_support::CountProcessThreads(), threads);

    // One that never takes the connection cannot be reached.
    TRadioUtils::RequestTimeoutMs = kNeverMs;
    const DWORD saved = radio::THttpStreamSource::TimeoutMs;
    radio::THttpStreamSource::TimeoutMs = 300;
    std::string error;
    {
        TServiceAddress address(cl::Format("https://127.0.0.1:%d", ports.Unaccepting));
        error = DownloadError<EDirectoryServiceError>(directory);
    }
    radio::THttpStreamSource::TimeoutMs = saved;
    EXPECT_TRUE(Contains(error, cl::Format("could not be reached: cannot connect to 127.0.0.1:%d", ports.Unaccepting)))
        << error;
    EXPECT_EQ(test_support::CountProcessThreads(), threads);
}

TEST_F(DirectoryNetworkTest, ACutOffReplyIsANetworkErrorAndChangesNothing)
{
    TRadioChannelManager directory(folder_.Path());
    directory.DownloadChannels(kUser, kPassword);
    const std::string cache = folder_.ReadFile(kCache);
    const std::wstring list = L"<Stations><Station Name='Only' Category='Rock'/></Stations>";
    const std::string cut = "answered, but its answer could not be read: the connection was closed before the reply "
                            "was complete";

    // Shorter than its length, and chunked without the last chunk.
    service::ReplyWith(kListPath, list, "length=500");
    EXPECT_TRUE(Contains(DownloadError<EDirectoryServiceError>(directory), cut));
    ExpectUnchanged(directory, cache);
    service::ReplyWith(kListPath, list + std::wstring(300, L' '), "chunked=1&unterminated=1");
    EXPECT_TRUE(Contains(DownloadError<EDirectoryServiceError>(directory), cut));
    ExpectUnchanged(directory, cache);

    // The whole chunked reply is read.
    service::ReplyWith(kListPath, list + std::wstring(300, L' '), "chunked=1");
    directory.DownloadChannels(kUser, kPassword);
    ASSERT_EQ(directory.CategoryCount(), 1);
    EXPECT_EQ(directory.Categories(0)->Channels()[0]->Name, "Only");

    // The account check does not take a cut-off "1" for a refusal.
    StoreCredentials(kUser, kPassword);
    service::ReplyWith(kAccountPath, L"1", "length=3");
    EXPECT_THROW(TRadioUtils::ValidateAccount(), EDirectoryServiceError);
    EXPECT_TRUE(service::AllConnectionsClosed());
}

TEST_F(DirectoryNetworkTest, AnUnreadableListIsNamedWithItsService)
{
    TRadioChannelManager directory(folder_.Path());
    service::Scenario("malformed");
    const std::string message = DownloadError<cl::EDOMParseError>(directory);
    EXPECT_TRUE(Contains(message, "station list")) << message;
    EXPECT_TRUE(Contains(message, service::BaseURL())) << message;
    service::Scenario("badfav");
    EXPECT_TRUE(Contains(DownloadError<cl::EConvertError>(directory), service::BaseURL()));
}

TEST_F(DirectoryNetworkTest, APageThatIsNoStationListChangesNothing)
{
    TRadioChannelManager directory(folder_.Path());
    directory.DownloadChannels(kUser, kPassword);
    const std::string cache = folder_.ReadFile(kCache);
    // A captive portal's login page, as HTML, as XHTML and with a document type, served with
    // status 200.
    for (const wchar_t* page :
         {L"<html><head><title>Sign in</title></head><body><form action='/login'><input name='user'/>"
          L"</form></body></html>",
          L"<?xml version='1.0'?><html xmlns='http://www.w3.org/1999/xhtml'><head><title>Wi-Fi</title></head>"
          L"<body><p>Please sign in</p></body></html>",
          L"<!DOCTYPE html>\r\n<html><head><title>Sign in</title></head><body><p>Sign in</p></body></html>"}) {
        service::Reply(kListPath, page);
        EXPECT_TRUE(Contains(DownloadError<cl::EDOMParseError>(directory), "not a station list"));
        ExpectUnchanged(directory, cache);
    }
    // A station known only by its address still makes a list, and an empty root empties it.
    service::Reply(kListPath, L"<Stations><!-- one --><Station StreamURL='http://127.0.0.1/a'/></Stations>");
    directory.DownloadChannels(kUser, kPassword);
    ASSERT_EQ(directory.CategoryCount(), 1);
    EXPECT_EQ(directory.Categories(0)->Channels()[0]->StreamURL, "http://127.0.0.1/a");
    service::Reply(kListPath, L"<Stations/>");
    directory.DownloadChannels(kUser, kPassword);
    EXPECT_EQ(directory.CategoryCount(), 0);
}

namespace {

// What reached the disk, in order: "flush" for each flushed file, "move <flags>" for each
// replacement.
std::vector<std::string> g_diskCalls;
TImportSlotHook* g_flushHook = nullptr;
TImportSlotHook* g_moveHook = nullptr;

BOOL WINAPI RecordingFlush(HANDLE file)
{
    g_diskCalls.push_back("flush");
    return g_flushHook->Original<decltype(&FlushFileBuffers)>()(file);
}

BOOL WINAPI RecordingMove(LPCSTR from, LPCSTR to, DWORD flags)
{
    g_diskCalls.push_back(cl::Format("move %d", int(flags)));
    return g_moveHook->Original<decltype(&MoveFileExA)>()(from, to, flags);
}

}  // namespace

TEST_F(DirectoryNetworkTest, TheNewCacheIsOnTheDiskBeforeItReplacesTheOld)
{
    TRadioChannelManager directory(folder_.Path());
    TImportSlotHook flush("kernel32.dll", "FlushFileBuffers", reinterpret_cast<void*>(&RecordingFlush));
    TImportSlotHook move("kernel32.dll", "MoveFileExA", reinterpret_cast<void*>(&RecordingMove));
    ASSERT_TRUE(flush.Installed() && move.Installed());
    g_flushHook = &flush;
    g_moveHook = &move;
    g_diskCalls.clear();
    directory.DownloadChannels(kUser, kPassword);
    const std::vector<std::string> calls = g_diskCalls;
    g_flushHook = g_moveHook = nullptr;
    EXPECT_EQ(calls, (std::vector<std::string>{
                         "flush", cl::Format("move %d", int(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))}));
    EXPECT_EQ(directory.CategoryCount(), 4);
}
