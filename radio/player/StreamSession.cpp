#include "radio/player/StreamSession.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "radio/player/HttpStreamSource.h"
#include "radio/player/IcyMetadata.h"
#include "radio/player/Mp3Decoder.h"
#include "radio/player/MpegFrame.h"
#include "radio/player/Playlist.h"
#include "radio/player/StreamFormat.h"
#include "radio/player/Errors.h"
#include "radio/player/Status.h"
#include "radio/player/StreamUrl.h"
#include "radio/player/TimeBound.h"
#include "radio/player/WaveOutput.h"

namespace radio {

namespace {

constexpr int kMaxRedirects = 5;
constexpr int kMaxPlaylistDepth = 3;
constexpr std::size_t kMaxPlaylistBytes = 64 * 1024;
// Bytes looked at before deciding what the body is.
constexpr std::size_t kSniffBytes = 64;
// This much body without one MPEG frame in it is not an MP3 stream, or no longer one.
constexpr std::uint64_t kMaxBytesWithoutFrame = 64 * 1024;

// Reads the body until it holds at least wanted bytes or ends.
void ReadAtLeast(TStreamSource& source, std::vector<std::uint8_t>& body, std::size_t wanted)
{
    while (body.size() < wanted && source.Read(body)) {
    }
}

// Follows redirections and playlists to the stream itself, all within limit, which ends with
// what each server did: no reply, or a reply without sound. body receives the first bytes.
std::unique_ptr<TStreamSource> OpenStream(TStreamUrl url, TStopSignal& stop, TTimeBound& limit,
                                          std::vector<std::uint8_t>& body)
{
    int redirects = 0;
    int playlists = 0;
    for (;;) {
        limit.SetStatus(status::NoReply());
        std::unique_ptr<TStreamSource> source =
            std::make_unique<THttpStreamSource>(url, stop.Event(), "GET", &limit);
        const THttpResponseHeader& header = source->Header();
        limit.SetStatus(status::SendsNoAudio());
        if (header.IsRedirect()) {
            const std::string location = header.Field("Location");
            const auto next = ResolveStreamUrl(url, location);
            if (!next)
                throw EStreamPlayerError(status::RedirectNotFollowed(ReferenceScheme(location)));
            if (++redirects > kMaxRedirects)
                throw EStreamPlayerError(status::TooManyRedirects());
            url = *next;
            continue;
        }
        if (header.StatusCode != 200)
            throw EStreamPlayerError(status::HttpStatus(header.StatusCode, header.Reason));

        body.clear();
        ReadAtLeast(*source, body, kSniffBytes);
        const std::string_view first(reinterpret_cast<const char*>(body.data()), body.size());
        const TPlaylistKind kind = DetectPlaylist(header.ContentType(), url.Target, first);
        if (kind == TPlaylistKind::None)
            return source;

        // A declared length over the room is refused before anything more is read.
        if (const auto length = header.ContentLength(); length && *length > kMaxPlaylistBytes)
            throw EStreamPlayerError(status::PlaylistTooLarge());
        ReadAtLeast(*source, body, kMaxPlaylistBytes + 1);
        if (body.size() > kMaxPlaylistBytes)
            throw EStreamPlayerError(status::PlaylistTooLarge());
        const std::string text(body.begin(), body.end());
        const std::string entry = FirstPlaylistEntry(kind, text);
        if (entry.empty())
            throw EStreamPlayerError(status::EmptyPlaylist());
        const auto next = ResolveStreamUrl(url, entry);
        if (!next)
            throw EStreamPlayerError(status::InvalidAddress());
        if (++playlists > kMaxPlaylistDepth)
            throw EStreamPlayerError(status::TooManyRedirects());
        url = *next;
    }
}

}  // namespace

// Every wait of the thread watches the stop signal, so it ends within a few milliseconds of
// it; one that has not ended by then is stuck in a system call that watches nothing (a name
// look-up), and the caller, often the user-interface thread, does not wait for that.
constexpr DWORD kStopWaitMs = 50;

DWORD TStreamSession::AudioWaitMs = 15000;
std::atomic<int> TStreamSession::runningThreads_{0};

TStreamSession::TState::TState(std::string url, UINT waveDevice, std::shared_ptr<TStreamSessionHost> host)
    : Url(std::move(url)), WaveDevice(waveDevice), Host(std::move(host))
{
}

void TStreamSession::TState::StartSound()
{
    std::lock_guard<std::mutex> lock(soundLock_);
    if (Stop.Signalled())
        throw TStopRequested{};
    sounding_ = true;
}

bool TStreamSession::TState::Sounding()
{
    std::lock_guard<std::mutex> lock(soundLock_);
    return sounding_;
}

TStreamSession::TStreamSession(std::string url, UINT waveDevice,
                               std::shared_ptr<TStreamSessionHost> host)
    : state_(std::make_shared<TState>(std::move(url), waveDevice, std::move(host)))
{
    if (!state_->Stop.Valid()) {
        state_->Host->ReportStatus(status::Internal("cannot create the player's stop event"));
        return;
    }
    auto* threadState = new std::shared_ptr<TState>(state_);
    ++runningThreads_;
    thread_.reset(CreateThread(nullptr, 0, &ThreadEntry, threadState, 0, nullptr));
    if (!thread_) {
        --runningThreads_;
        delete threadState;
        state_->Host->ReportStatus(status::Internal("cannot start the player thread"));
    }
}

TStreamSession::~TStreamSession()
{
    if (thread_) {
        state_->Stop.Signal();
        // Read after the stop: from then on the thread opens no device.
        WaitForSingleObject(thread_.get(), state_->Sounding() ? INFINITE : kStopWaitMs);
    }
}

namespace {

// Decodes the stream's MP3 frames and plays them; a new sample rate or channel count gets a new
// decoder and device.
class TMp3Playback {
public:
    TMp3Playback(TStreamSession::TState& state, std::function<void()> started)
        : state_(state), started_(std::move(started))
    {
    }
    void Play(const TMpegFrame& frame);
    // What the decoder still holds, played to the end.
    void Finish();
    // Once the first sound has gone to the device.
    bool Started() const { return playing_; }

private:
    void PlayPcm();

    TStreamSession::TState& state_;
    std::function<void()> started_;
    std::optional<TMp3Decoder> decoder_;
    std::optional<TWaveOutput> output_;
    std::vector<std::uint8_t> pcm_;
    bool playing_ = false;
};

void TMp3Playback::Play(const TMpegFrame& frame)
{
    if (frame.Header.Layer != 3)
        throw EStreamPlayerError(status::UnsupportedFormat("MPEG layer " + std::to_string(frame.Header.Layer)));
    if (!decoder_ || !decoder_->Format().SameStream(frame.Header)) {
        if (decoder_) {
            decoder_->Flush(pcm_);
            PlayPcm();
            output_->Drain();
        }
        output_.reset();
        decoder_.reset();
        decoder_.emplace(frame.Header);
        state_.StartSound();
        output_.emplace(decoder_->PcmFormat(), state_.WaveDevice, state_.Stop.Event());
    }
    decoder_->Decode(frame.Data, frame.Size, pcm_);
    PlayPcm();
}

void TMp3Playback::Finish()
{
    decoder_->Flush(pcm_);
    PlayPcm();
    output_->Drain();
}

void TMp3Playback::PlayPcm()
{
    if (pcm_.empty())
        return;
    output_->Write(pcm_.data(), pcm_.size(), state_.Host->Gain());
    pcm_.clear();
    if (!playing_ && output_->Started()) {
        playing_ = true;
        started_();
    }
}

// Only an MPEG stream is played; a page or another kind of audio gets its own error.
void CheckStreamFormat(const THttpResponseHeader& header, const std::vector<std::uint8_t>& audio)
{
    const TStreamFormat format = SniffStreamFormat(header.ContentType(), audio.data(), audio.size());
    if (format == TStreamFormat::Text)
        throw EStreamPlayerError(status::NotAudio(header.ContentType()));
    if (format != TStreamFormat::MaybeMpeg)
        throw EStreamPlayerError(status::UnsupportedFormat(StreamFormatName(format)));
}

class TSessionRun {
public:
    explicit TSessionRun(TStreamSession::TState& state) : state_(state) {}
    void Run() noexcept;

private:
    void Play();
    void Report(const std::string& status)
    {
        // Once stopped, the session has nothing more to say: the player reports the stop itself.
        if (!state_.Stop.Signalled())
            state_.Host->ReportStatus(status);
    }

    TStreamSession::TState& state_;
};

}  // namespace

DWORD WINAPI TStreamSession::ThreadEntry(void* state)
{
    {
        // The thread's own share of the state: it lives as long as the thread needs it.
        std::shared_ptr<TState> own;
        {
            auto* given = static_cast<std::shared_ptr<TState>*>(state);
            own = std::move(*given);
            delete given;
        }
        TSessionRun(*own).Run();
    }
    --runningThreads_;
    return 0;
}

void TSessionRun::Run() noexcept
{
    try {
        Play();
    } catch (const TStopRequested&) {
    } catch (const EStreamPlayerError& e) {
        Report(e.what());
    } catch (const std::bad_alloc&) {
        Report(status::Internal("out of memory"));
    } catch (const std::exception& e) {
        Report(status::Internal(e.what()));
    } catch (...) {
        Report(status::Internal("unexpected failure"));
    }
}

void TSessionRun::Play()
{
    Report(status::kConnecting);
    const auto url = ParseStreamUrl(state_.Url);
    if (!url)
        throw EStreamPlayerError(status::InvalidAddress());
    cl::TWinsockUser winsock;
    if (!winsock.Started())
        throw EStreamPlayerError(status::Internal("no network"));

    // One bound from the start to the first sound.
    TTimeBound audioWait(TStreamSession::AudioWaitMs, status::NoReply());
    std::vector<std::uint8_t> body;
    const auto source = OpenStream(*url, state_.Stop, audioWait, body);
    const THttpResponseHeader& header = source->Header();
    Report(status::kBuffering);

    TIcyMetadataStripper stripper(header.IcyMetaInterval());
    std::vector<std::uint8_t> audio;
    stripper.Feed(body.data(), body.size(), audio);
    CheckStreamFormat(header, audio);

    TMpegFrameFinder finder;
    TMp3Playback playback(state_, [this] { Report(status::kPlaying); });
    bool anyFrame = false;
    // Since the last frame. Counted here, not by the finder, so that a tag that claims to be
    // endless counts too.
    std::uint64_t bytesWithoutFrame = audio.size();
    for (;;) {
        finder.Append(audio.data(), audio.size());
        audio.clear();
        TMpegFrame frame;
        while (finder.Next(frame)) {
            anyFrame = true;
            bytesWithoutFrame = 0;
            playback.Play(frame);
            // Once playing, each frame starts the wait for the next: a server gone silent has
            // stopped answering.
            if (playback.Started())
                audioWait.Restart(TStreamSession::AudioWaitMs, status::NoReply());
        }
        if (bytesWithoutFrame > kMaxBytesWithoutFrame)
            throw EStreamPlayerError(anyFrame ? status::CarriesNoAudio()
                                              : status::UnsupportedFormat("no MP3 audio found"));
        // Bytes that carry no frame keep a playing stream silent; the wait then ends with that.
        if (playback.Started() && bytesWithoutFrame > 0)
            audioWait.SetStatus(status::CarriesNoAudio());

        body.clear();
        if (!source->Read(body))
            break;
        stripper.Feed(body.data(), body.size(), audio);
        bytesWithoutFrame += audio.size();
    }

    if (!anyFrame)
        throw EStreamPlayerError(status::UnsupportedFormat("no MP3 audio found"));
    playback.Finish();
    // A body cut short of its length or of its last chunk: the connection broke.
    if (!source->Complete())
        throw EStreamPlayerError(status::ConnectionLost());
    Report(status::kStreamEnded);
}

}  // namespace radio
