// The stream player end to end under Wine: real HTTP from an in-process server on 127.0.0.1,
// real ACM decoding, real waveOut into the sound server's null sink, recorded back from its
// monitor.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "radio/directory/TestSupport.h"
#include "radio/player/StreamTestServer.h"
#include "radio/player/ToneAnalysis.h"
#include "classlib/ole/MediaPlayerControl.h"
#include "support/RecordingMediaPlayer.h"
#include "radio/player/Choice.h"
#include "radio/player/StreamPlayer.h"
#include "radio/player/HttpStreamSource.h"
#include "radio/player/StreamSession.h"
#include "radio/player/WaveOutput.h"
#include "radio/directory/RadioUtils.h"
#include "support/LiveHandles.h"
#include "support/ProcessThreads.h"

using namespace radio;
using player_test::TStreamTestServer;

namespace {

// Upper bound of every wait: a player that never gets there fails instead of hanging.
constexpr DWORD kPatienceMs = 20000;

// Pumps the thread's messages (the player's events come through them) until done() or the
// bound above.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = kPatienceMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs)
            return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    PumpUntil([&] { return GetTickCount() - start >= ms; }, ms + 1000);
}

bool Settled(const std::string& status)
{
    return status == "Playing" || status == "Stream ended" || status.rfind("Error", 0) == 0;
}

// Sets the bound of connection, handshake, header and chunk framing for the scope, and the
// session's wait for sound.
struct TNetworkBound {
    explicit TNetworkBound(DWORD ms, DWORD audioWaitMs = TStreamSession::AudioWaitMs)
    {
        THttpStreamSource::TimeoutMs = ms;
        TStreamSession::AudioWaitMs = audioWaitMs;
    }
    ~TNetworkBound()
    {
        THttpStreamSource::TimeoutMs = saved;
        TStreamSession::AudioWaitMs = savedAudioWait;
    }
    const DWORD saved = THttpStreamSource::TimeoutMs;
    const DWORD savedAudioWait = TStreamSession::AudioWaitMs;
};

// A player whose status changes are recorded, with the thread each arrived on.
struct TWatchedPlayer {
    explicit TWatchedPlayer(UINT device = WAVE_MAPPER) : player(device)
    {
        player.OnStatusChange = [this](cl::TObject* sender) {
            EXPECT_EQ(sender, &player);
            EXPECT_EQ(GetCurrentThreadId(), ownerThread);
            statuses.push_back(player.Status());
        };
    }
    // Once the switch returns, the station before has fallen silent and the new one has not
    // yet begun: no sound device is open.
    void Switch(const std::string& url)
    {
        player.SetURL(url);
        devicesAfterSwitch = std::max(devicesAfterSwitch, TWaveOutput::OpenCount());
    }
    // Plays url and waits for the first settled status; returns the statuses seen.
    std::vector<std::string> Play(const std::string& url)
    {
        statuses.clear();
        Switch(url);
        PumpUntil([&] { return !statuses.empty() && Settled(statuses.back()); });
        return statuses;
    }
    // Plays url until it ends or fails.
    std::vector<std::string> PlayToEnd(const std::string& url)
    {
        statuses.clear();
        Switch(url);
        PumpUntil([&] { return Settled(Last()) && Last() != "Playing"; });
        return statuses;
    }
    std::string Last() const { return statuses.empty() ? "" : statuses.back(); }

    DWORD ownerThread = GetCurrentThreadId();
    TStreamPlayer player;
    std::vector<std::string> statuses;
    int devicesAfterSwitch = 0;
};

class StreamPlayer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new TStreamTestServer; }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    // A stopped session's thread is not always waited for: a test waits here until the threads
    // of its sessions have ended, so that none of them gives its handles back during the next
    // test.
    void TearDown() override
    {
        PumpUntil([] { return TStreamSession::RunningThreads() == 0; });
    }
    // The server sees a connection close only when its next send fails.
    static bool AllConnectionsClosed()
    {
        return PumpUntil([] { return server->Open() == 0; });
    }
    static TStreamTestServer* server;
};
TStreamTestServer* StreamPlayer::server = nullptr;

const std::vector<std::string> kGoodSequence = {"Connecting...", "Buffering...", "Playing"};

}  // namespace

TEST_F(StreamPlayer, EveryKindOfGoodStreamPlays)
{
    // Plain HTTP, ICY with and without metadata, chunked, MPEG-2 at 22 kHz mono, garbage
    // between frames, stray bytes before the first frame, a redirection, and .pls and .m3u playlists (the .m3u names the ICY stream
    // relatively).
    for (const char* path : {"/tone.mp3", "/icy.mp3", "/icy-plain.mp3", "/chunked.mp3", "/tone22.mp3",
                             "/garbage.mp3", "/stray1.mp3", "/stray2.mp3", "/redirect", "/list.pls",
                             "/list.m3u"}) {
        TWatchedPlayer watched;
        EXPECT_EQ(watched.Play(server->Url(path)), kGoodSequence) << path;
        EXPECT_EQ(watched.player.URL(), server->Url(path));
        // Still playing a while later: no error from what follows the first buffers.
        PumpFor(300);
        EXPECT_EQ(watched.Last(), "Playing") << path;
        watched.player.SetURL("");
        PumpUntil([&] { return watched.Last() == "Stopped"; });
        EXPECT_EQ(watched.Last(), "Stopped") << path;
        EXPECT_EQ(watched.player.Status(), "Stopped");
        EXPECT_EQ(watched.player.URL(), "");
    }
    EXPECT_TRUE(AllConnectionsClosed());
}

TEST_F(StreamPlayer, BadAddressesAndStreamsEndInAClearStatus)
{
    const struct {
        std::string url;
        std::string status;
    } cases[] = {
        {"http://no-such-station.invalid/live", "Error: host not found (no-such-station.invalid)"},
        {"http://127.0.0.1:1/live", "Error: cannot connect to 127.0.0.1:1"},
        {server->Url("/missing"), "Error: HTTP 404 Not Found"},
        {server->Url("/page.html"), "Error: not an audio stream (text/html)"},
        {server->Url("/ogg"), "Error: unsupported format (Ogg)"},
        {server->Url("/aac"), "Error: unsupported format (AAC)"},
        {server->Url("/layer2.mp3"), "Error: unsupported format (MPEG layer 2)"},
        {server->Url("/noise"), "Error: unsupported format (no MP3 audio found)"},
        {server->Url("/endless-tag.mp3"), "Error: unsupported format (no MP3 audio found)"},
        {server->Url("/empty.pls"), "Error: the playlist names no stream"},
        {server->Url("/loop"), "Error: too many redirections"},
        {server->Url("/redirect-ftp"), "Error: redirection not followed (to ftp://)"},
        {server->Url("/huge.pls"), "Error: the playlist is too large"},
        {server->Url("/bad-chunk.mp3"), "Error: the server's reply is damaged"},
        // Streams that play and then stop: what came is played, then the status says why.
        {server->Url("/short.mp3"), "Stream ended"},
        {server->Url("/cut-chunk.mp3"), "Error: connection lost"},
        {server->Url("/junk-after.mp3"), "Error: the stream carries no audio"},
        {"https://127.0.0.1:1/live", "Error: cannot connect to 127.0.0.1:1"},
        {"https" + server->Url("/tone.mp3").substr(4), "Error: secure connection failed"},
        {"ftp://127.0.0.1/x.mp3", "Error: not a stream address (http:// or https://)"},
        {"just words", "Error: not a stream address (http:// or https://)"},
    };
    // What ends here ends by itself, not at the wait for sound.
    TNetworkBound bound(THttpStreamSource::TimeoutMs, 60000);
    TWatchedPlayer watched;
    for (const auto& c : cases) {
        const auto statuses = watched.PlayToEnd(c.url);
        ASSERT_FALSE(statuses.empty()) << c.url;
        EXPECT_EQ(statuses.front(), "Connecting...") << c.url;
        EXPECT_EQ(statuses.back(), c.status) << c.url;
        EXPECT_EQ(watched.player.Status(), c.status);
    }
    EXPECT_TRUE(AllConnectionsClosed());
}

TEST_F(StreamPlayer, StationChangesDoNotWaitForAServerThatHangs)
{
    // A server that sent its header and then nothing, and one that never answers a secure
    // client's greeting: leaving either returns at once (the old session's thread used to be
    // waited for two seconds), with no error shown, and closes its connection.
    TStreamTestServer hanging(false);
    TWatchedPlayer watched;
    for (const std::string& url : {server->Url("/silent"), "https" + hanging.Url("/tone.mp3").substr(4)}) {
        watched.statuses.clear();
        const int openBefore = server->Open() + hanging.Open();
        watched.player.SetURL(url);
        ASSERT_TRUE(PumpUntil([&] { return server->Open() + hanging.Open() == openBefore + 1; })) << url;
        PumpFor(200);
        const DWORD start = GetTickCount();
        watched.player.SetURL("");
        const DWORD stopMs = GetTickCount() - start;
        // Far above what a stop takes, far below the old wait: load on the machine cannot
        // make this fail, the old wait always did.
        EXPECT_LT(stopMs, 1000u) << url;
        PumpUntil([&] { return watched.Last() == "Stopped"; });
        EXPECT_EQ(watched.statuses.front(), "Connecting...") << url;
        EXPECT_EQ(watched.Last(), "Stopped") << url;
        for (const std::string& s : watched.statuses)
            EXPECT_EQ(s.rfind("Error", 0), std::string::npos) << url << ": " << s;
    }
    EXPECT_TRUE(PumpUntil([&] { return server->Open() + hanging.Open() == 0; }));
}

namespace {

std::string SecureUrl(int port, const std::string& path, const char* host = "127.0.0.1")
{
    return "https://" + std::string(host) + ":" + std::to_string(port) + path;
}

}  // namespace

TEST_F(StreamPlayer, SecureServersThatNeverAnswerOrNeverAcceptEndInTheirErrorAtTheBound)
{
    REQUIRE_DIRECTORY_SERVICE();
    cl::TComApartment apartment;  // for the service's control requests
    const service::TSecurePorts ports = service::SecurePorts();
    TWatchedPlayer watched;
    std::vector<std::string> silent;
    std::vector<std::string> unaccepting;
    {
        // Well within the patience of the wait. A server that took the connection and says
        // nothing failed the secure connection; one that never took it cannot be reached.
        TNetworkBound bound(1000);
        silent = watched.Play(SecureUrl(ports.Silent, "/tone.mp3"));
        unaccepting = watched.Play(SecureUrl(ports.Unaccepting, "/tone.mp3"));
    }
    EXPECT_EQ(silent, (std::vector<std::string>{"Connecting...", "Error: secure connection failed"}));
    EXPECT_EQ(unaccepting, (std::vector<std::string>{"Connecting...", "Error: cannot connect to 127.0.0.1:" +
                                                                          std::to_string(ports.Unaccepting)}));
    EXPECT_TRUE(service::AllConnectionsClosed());
}

TEST_F(StreamPlayer, StoppedSecureAttemptsLeaveNoThreadHandleOrConnection)
{
    REQUIRE_DIRECTORY_SERVICE();
    cl::TComApartment apartment;  // for the service's control requests
    const service::TSecurePorts ports = service::SecurePorts();
    TWatchedPlayer watched;
    // Stops one attempt once it waits for the server: at the handshake for the silent server
    // (which holds the connection then), at the connection for the other.
    const auto stoppedAttempt = [&](int port, bool accepted) {
        watched.statuses.clear();
        watched.player.SetURL(SecureUrl(port, "/live"));
        // At least one: the service may not yet have noticed the close of the attempt before.
        if (accepted)
            ASSERT_TRUE(PumpUntil([] { return service::OpenConnections() >= 1; }));
        else
            PumpFor(30);
        watched.player.SetURL("");
        ASSERT_TRUE(PumpUntil([&] { return watched.Last() == "Stopped"; }));
    };
    // What the first attempts bring for good (the network's and TLS's own set-up) is no leak.
    stoppedAttempt(ports.Silent, true);
    stoppedAttempt(ports.Unaccepting, false);
    PumpFor(1000);
    const int threads = test_support::CountProcessThreads();
    const auto handles = test_support::CountLiveHandles();

    for (const auto& [port, accepted] : {std::pair{ports.Silent, true}, std::pair{ports.Unaccepting, false}}) {
        for (int i = 0; i < 25; ++i)
            stoppedAttempt(port, accepted);
        PumpFor(1000);
        EXPECT_EQ(test_support::CountProcessThreads(), threads) << port;
        EXPECT_EQ((test_support::CountLiveHandles() - handles).Kernel, 0) << port;
        EXPECT_TRUE(service::AllConnectionsClosed()) << port;
    }
}

namespace {

// The fixture tone as the service's reply settings: served from its file, as audio.
std::string ToneReply()
{
    const std::string tone = std::string(PLAYER_TEST_AUDIO_DIR "/tone-1000hz-mpeg1-stereo.mp3").substr(2);
    return "type=audio/mpeg&file=" + TRadioUtils::EncodeQueryValue(tone);
}

// Above what a bound's end takes to show on a loaded machine, far below any wait it replaces.
constexpr DWORD kMarginMs = 3000;

}  // namespace

TEST_F(StreamPlayer, EachFailureOfASecureOrMisbehavingServerSaysWhy)
{
    REQUIRE_DIRECTORY_SERVICE();
    cl::TComApartment apartment;  // for the service's control requests
    service::Reset();
    service::ReplyWith("/tone.mp3", L"", ToneReply());
    service::ReplyWith("/cut.mp3", L"", ToneReply() + "&cut=30000");
    const std::string reason = std::string("Busy\x01\x07\tnow ") + std::string(200, 'z');
    service::ReplyWith("/busy", L"", "status=503&reason=" + TRadioUtils::EncodeQueryValue(reason));
    service::ReplyWith("/header", L"", "endless=header");
    const service::TSecurePorts ports = service::SecurePorts();
    const std::string refused = "Error: secure connection failed (certificate ";
    const struct {
        std::string url;
        std::string status;
    } cases[] = {
        // Not from a root this system trusts, even with the issuer's address in it.
        {SecureUrl(ports.Untrusted, "/tone.mp3", "localhost"), refused + "not trusted)"},
        {SecureUrl(ports.Fetching, "/tone.mp3", "localhost"), refused + "not trusted)"},
        {SecureUrl(ports.SelfSigned, "/tone.mp3", "localhost"), refused + "self-signed)"},
        {SecureUrl(ports.Expired, "/tone.mp3", "localhost"), refused + "expired)"},
        // Trusted, but for a name, or an address, that was not asked for.
        {SecureUrl(ports.Secure, "/tone.mp3"), refused + "issued for another name)"},
        {SecureUrl(ports.Address, "/tone.mp3", "localhost"), refused + "issued for another name)"},
        {SecureUrl(ports.Secure, "/tone.mp3", "localhost"), "Playing"},
        {SecureUrl(ports.Address, "/tone.mp3"), "Playing"},
        {SecureUrl(ports.Secure, "/cut.mp3", "localhost"), "Error: connection lost"},
        {service::BaseURL() + "/busy", "Error: HTTP 503 Busy now " + std::string(55, 'z') + "..."},
        {service::BaseURL() + "/header", "Error: the reply header is too large"},
    };
    TNetworkBound bound(5000);
    TWatchedPlayer watched;
    for (const auto& c : cases) {
        watched.statuses.clear();
        const DWORD start = GetTickCount();
        watched.player.SetURL(c.url);
        // Past "Playing" unless that is what is expected: a stream cut later says so then.
        PumpUntil([&] { return watched.Last() == c.status || (Settled(watched.Last()) && watched.Last() != "Playing"); });
        EXPECT_EQ(watched.Last(), c.status) << c.url;
        EXPECT_LT(GetTickCount() - start, THttpStreamSource::TimeoutMs + kMarginMs) << c.url;
    }
    watched.player.SetURL("");
    EXPECT_TRUE(service::AllConnectionsClosed());
}

TEST_F(StreamPlayer, RepliesThatNeverEndEndAtTheirBoundAndAStopEndsThemAtOnce)
{
    REQUIRE_DIRECTORY_SERVICE();
    cl::TComApartment apartment;  // for the service's control requests
    service::Reset();
    const service::TSecurePorts ports = service::SecurePorts();
    const std::string endless = service::BaseURL() + "/endless";
    // Each ends at the bound of 1.5 s: the network's, while the wait for sound is far longer;
    // or the wait for sound, which covers everything up to the first sound as a whole, and
    // then the time from one frame to the next.
    constexpr DWORD kBoundMs = 1500;
    constexpr DWORD kLongMs = 60000;
    const struct {
        std::string kind;  // of the service's endless reply; none: url is our own server's
        std::string url;
        DWORD audioWaitMs;
        std::string status;
    } cases[] = {
        {"header", endless, kLongMs, "Error: the reply header is too large"},
        {"trailer", endless, kLongMs, "Error: the reply header is too large"},
        {"chunkline", endless, kLongMs, "Error: the server's reply is damaged"},
        {"drip", endless, kLongMs, "Error: the server does not answer"},
        {"", server->Url("/drip-chunkline.mp3"), kLongMs, "Error: the server does not answer"},
        {"", server->Url("/drip.pls"), kBoundMs, "Error: the server sends no audio"},
        {"", server->Url("/drip.mp3"), kBoundMs, "Error: the server sends no audio"},
        {"", server->Url("/byte-chunks.mp3"), kBoundMs, "Error: the server sends no audio"},
        // Once playing, from each frame to the next.
        {"", server->Url("/drip-junk-after.mp3"), kBoundMs, "Error: the stream carries no audio"},
    };
    TWatchedPlayer watched;
    for (const auto& c : cases) {
        TNetworkBound bound(kBoundMs, c.audioWaitMs);
        if (!c.kind.empty())
            service::ReplyWith("/endless", L"x", "endless=" + c.kind);
        const DWORD start = GetTickCount();
        watched.PlayToEnd(c.url);
        EXPECT_EQ(watched.Last(), c.status) << c.kind << " " << c.url;
        EXPECT_LT(GetTickCount() - start, kBoundMs + kMarginMs) << c.kind << " " << c.url;
    }
    watched.player.SetURL("");
    EXPECT_TRUE(service::AllConnectionsClosed());
    EXPECT_TRUE(AllConnectionsClosed());

    // A header dripped for ever, stopped while it lasts, and a certificate whose issuer would be
    // fetched from where nothing answers, which is refused at once (nothing is fetched) and then
    // stopped: either way the session's thread ends at once.
    TNetworkBound patient(60000, 60000);
    service::ReplyWith("/endless", L"x", "endless=drip");
    // The connections at the service once the attempt waits: the drip's; the secure one and
    // the fetch of the issuer, were one made.
    const std::pair<std::string, int> attempts[] = {{endless, 1},
                                                    {SecureUrl(ports.Fetching, "/tone.mp3", "localhost"), 2}};
    for (const auto& [url, connections] : attempts) {
        watched.statuses.clear();
        watched.player.SetURL(url);
        ASSERT_TRUE(PumpUntil([&] { return service::OpenConnections() >= connections || Settled(watched.Last()); }))
            << url;
        watched.player.SetURL("");
        EXPECT_TRUE(PumpUntil([] { return TStreamSession::RunningThreads() == 0; }, kMarginMs)) << url;
        EXPECT_TRUE(service::AllConnectionsClosed()) << url;
    }
}

TEST_F(StreamPlayer, WithoutASoundDeviceTheStatusSaysSo)
{
    TWatchedPlayer watched(987);  // no such device
    EXPECT_EQ(watched.Play(server->Url("/tone.mp3")),
              (std::vector<std::string>{"Connecting...", "Buffering...", "Error: no audio device"}));
}

TEST_F(StreamPlayer, TenStationChangesInARowLeakNothing)
{
    TWatchedPlayer watched;
    // Warm up: the first play loads codecs and sound drivers for good.
    watched.Play(server->Url("/tone.mp3"));
    watched.player.SetURL("");
    ASSERT_TRUE(AllConnectionsClosed());
    const auto before = test_support::CountLiveHandles();

    const int acceptedBefore = server->Accepted();
    for (int i = 0; i < 10; ++i) {
        const std::string url = server->Url(i % 2 ? "/icy.mp3" : "/chunked.mp3");
        if (i % 3 == 2) {
            // Switching away before the station even started.
            watched.Switch(url);
            continue;
        }
        EXPECT_EQ(watched.Play(url).back(), "Playing") << i;
    }
    watched.Switch("");
    EXPECT_EQ(watched.devicesAfterSwitch, 0);
    PumpUntil([&] { return watched.Last() == "Stopped"; });
    EXPECT_EQ(watched.Last(), "Stopped");
    EXPECT_TRUE(AllConnectionsClosed());
    EXPECT_LE(server->Accepted() - acceptedBefore, 10);

    // A stopped session's thread is not waited for; it gives its handles back as it ends.
    PumpUntil([&] { return test_support::CountLiveHandles() - before == test_support::TLiveHandles{}; });
    const auto leaked = test_support::CountLiveHandles() - before;
    EXPECT_EQ(leaked, test_support::TLiveHandles{}) << leaked;
}

// A change is heard once the buffers queued before it have played: listens in short pieces
// until what is heard passes, or gives the last piece for the failure message.
std::vector<std::int16_t> ListenUntil(const std::function<bool(const std::vector<std::int16_t>&)>& heard)
{
    std::vector<std::int16_t> samples;
    for (int attempt = 0; attempt < 12; ++attempt) {
        PumpFor(50);
        samples = player_test::Record(400);
        if (samples.empty() || heard(samples))
            break;
    }
    return samples;
}

TEST_F(StreamPlayer, SoundReachesTheOutputWithVolumeAndMute)
{
    using player_test::Loudness;
    using player_test::SteadyToneAmplitude;
    using player_test::ToneAmplitude;
    TWatchedPlayer watched;
    watched.player.SetVolume(100);
    ASSERT_EQ(watched.Play(server->Url("/tone.mp3")), kGoodSequence);
    // Every level is the steady one of its recording: a gap of a late buffer would lower it.
    const auto full = ListenUntil([](const auto& s) { return SteadyToneAmplitude(s, 1000) > 3000; });
    ASSERT_FALSE(full.empty()) << "no capture device: is the sound server running?";
    const double tone = SteadyToneAmplitude(full, 1000);
    EXPECT_GT(tone, 3000) << "the 1000 Hz tone is not in the output";
    EXPECT_LT(ToneAmplitude(full, 440), tone / 20);

    // Volume scales the samples: half volume, half amplitude.
    watched.player.SetVolume(50);
    const auto half = ListenUntil([&](const auto& s) { return SteadyToneAmplitude(s, 1000) < tone * 0.6; });
    EXPECT_NEAR(SteadyToneAmplitude(half, 1000) / tone, 0.5, 0.1);

    watched.player.SetMute(true);
    EXPECT_TRUE(watched.player.Mute());
    EXPECT_EQ(watched.player.Volume(), 50);
    EXPECT_LT(Loudness(ListenUntil([](const auto& s) { return Loudness(s) < 50; })), 50);

    watched.player.SetMute(false);
    watched.player.SetVolume(250);
    EXPECT_EQ(watched.player.Volume(), 100);
    const auto again = ListenUntil([&](const auto& s) { return SteadyToneAmplitude(s, 1000) > tone * 0.9; });
    EXPECT_NEAR(SteadyToneAmplitude(again, 1000) / tone, 1.0, 0.1);

    // A stream that changes its sample rate and channels halfway: each part is heard.
    EXPECT_EQ(watched.Play(server->Url("/mixed.mp3")).back(), "Playing");
    EXPECT_GT(ToneAmplitude(ListenUntil([](const auto& s) { return ToneAmplitude(s, 440) > 3000; }), 440), 3000);
    EXPECT_GT(ToneAmplitude(ListenUntil([](const auto& s) { return ToneAmplitude(s, 1000) > 3000; }), 1000), 3000);
    EXPECT_EQ(watched.Last(), "Playing");

    // The other station's tone, from another sample rate and channel count.
    EXPECT_EQ(watched.Play(server->Url("/tone22.mp3")).back(), "Playing");
    const auto other = ListenUntil([](const auto& s) { return ToneAmplitude(s, 440) > 3000; });
    EXPECT_GT(ToneAmplitude(other, 440), 3000);
    EXPECT_LT(ToneAmplitude(other, 1000), 300);
    watched.player.SetVolume(-3);
    EXPECT_EQ(watched.player.Volume(), 0);
}

namespace {

struct TPlayerSetting {
    explicit TPlayerSetting(const char* value) { SetEnvironmentVariableA("TREBANIX_PLAYER", value); }
    ~TPlayerSetting() { SetEnvironmentVariableA("TREBANIX_PLAYER", nullptr); }
};

bool IsStreamPlayer(const std::unique_ptr<cl::TMediaPlayer>& p)
{
    return dynamic_cast<TStreamPlayer*>(p.get()) != nullptr;
}

}  // namespace

TEST(PlayerChoice, ControlWhereItWorksStreamPlayerOtherwise)
{
    std::vector<bool> asked;
    const TControlPlayerFactory working = [&](bool forced) -> std::unique_ptr<cl::TMediaPlayer> {
        asked.push_back(forced);
        return std::make_unique<cl::TRecordingMediaPlayer>();
    };
    const TControlPlayerFactory broken = [](bool forced) -> std::unique_ptr<cl::TMediaPlayer> {
        return forced ? std::make_unique<cl::TRecordingMediaPlayer>() : nullptr;
    };
    const TControlPlayerFactory throwing = [](bool) -> std::unique_ptr<cl::TMediaPlayer> {
        throw std::runtime_error("no control");
    };

    EXPECT_TRUE(IsStreamPlayer(ChooseMediaPlayer()));
    EXPECT_FALSE(IsStreamPlayer(ChooseMediaPlayer(working)));
    EXPECT_TRUE(IsStreamPlayer(ChooseMediaPlayer(broken)));
    EXPECT_TRUE(IsStreamPlayer(ChooseMediaPlayer(throwing)));
    {
        TPlayerSetting setting("stream");
        EXPECT_TRUE(IsStreamPlayer(ChooseMediaPlayer(working)));
    }
    {
        TPlayerSetting setting("control");
        EXPECT_FALSE(IsStreamPlayer(ChooseMediaPlayer(broken)));
        EXPECT_TRUE(IsStreamPlayer(ChooseMediaPlayer()));
    }
    EXPECT_EQ(asked, (std::vector<bool>{false}));
}

TEST(PlayerChoice, UnderWineTheControlDoesNotStreamSoTheStreamPlayerPlays)
{
    // The control is created here but reads no status: only a forced choice takes it.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        const auto chosen = ChooseMediaPlayer(&cl::CreateMediaPlayerControl);
        EXPECT_TRUE(IsStreamPlayer(chosen));
        TPlayerSetting setting("control");
        const auto forced = ChooseMediaPlayer(&cl::CreateMediaPlayerControl);
        EXPECT_TRUE(dynamic_cast<cl::TMediaPlayerControl*>(forced.get()) != nullptr);
    }
    CoUninitialize();
}
