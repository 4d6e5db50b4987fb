#include "radio/player/StreamTestServer.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <random>

#include "radio/player/MpegFrame.h"

namespace player_test {

namespace {

std::vector<std::uint8_t> ReadFixture(const char* name)
{
    std::ifstream in(std::string(PLAYER_TEST_AUDIO_DIR) + "/" + name, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The frames of a whole file, each with its bytes.
std::vector<std::vector<std::uint8_t>> Frames(const std::vector<std::uint8_t>& file)
{
    radio::TMpegFrameFinder finder;
    finder.Append(file.data(), file.size());
    std::vector<std::vector<std::uint8_t>> frames;
    radio::TMpegFrame frame;
    while (finder.Next(frame))
        frames.emplace_back(frame.Data, frame.Data + frame.Size);
    return frames;
}

const char kAudioHeader[] = "HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\nicy-name: Test tone\r\n"
                            "Cache-Control: no-cache\r\n\r\n";
const char kChunkedHeader[] = "HTTP/1.1 200 OK\r\nContent-Type: audio/mpeg\r\nTransfer-Encoding: chunked\r\n\r\n";
// About a second of the 1000 Hz tone: 38 frames of 418 bytes.
constexpr std::size_t kSecondBytes = 38 * 418;
// A drip's pace: far slower than any bound the tests set lets a reply take as a whole.
constexpr DWORD kDripMs = 20;

// The bytes of data one after another, from the start again at its end, one per call.
std::string NextByte(const std::vector<std::uint8_t>& data, std::size_t& at)
{
    return std::string(1, static_cast<char>(data[at++ % data.size()]));
}

// Bytes that never hold an MPEG frame's sync.
std::vector<std::uint8_t> Junk(std::size_t size, unsigned seed)
{
    std::vector<std::uint8_t> junk(size);
    std::mt19937 random(seed);
    for (auto& b : junk)
        b = static_cast<std::uint8_t>(random() & 0x7F);
    return junk;
}

}  // namespace

TStreamTestServer::TStreamTestServer(bool answerTls)
    : answerTls_(answerTls), tone1000_(ReadFixture("tone-1000hz-mpeg1-stereo.mp3")),
      tone440_(ReadFixture("tone-440hz-mpeg2-mono.mp3"))
{
    acceptThread_ = std::thread([this] { AcceptLoop(); });
}

TStreamTestServer::~TStreamTestServer()
{
    stopping_ = true;
    listener_.Close();
    acceptThread_.join();
    {
        std::lock_guard<std::mutex> lock(lock_);
        for (SOCKET s : clients_)
            shutdown(s, SD_BOTH);
        heldChanged_.notify_all();
    }
    for (std::thread& t : threads_)
        t.join();
}

std::string TStreamTestServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(listener_.Port()) + path;
}

void TStreamTestServer::ReleaseHeld()
{
    std::lock_guard<std::mutex> lock(lock_);
    heldReleased_ = true;
    heldChanged_.notify_all();
}

int TStreamTestServer::Open() const
{
    std::lock_guard<std::mutex> lock(lock_);
    return static_cast<int>(clients_.size());
}

void TStreamTestServer::AcceptLoop()
{
    for (;;) {
        const SOCKET client = accept(listener_.Handle(), nullptr, nullptr);
        if (client == INVALID_SOCKET)
            return;
        ++accepted_;
        std::lock_guard<std::mutex> lock(lock_);
        if (stopping_) {
            closesocket(client);
            return;
        }
        clients_.insert(client);
        threads_.emplace_back([this, client] {
            Serve(client);
            std::lock_guard<std::mutex> lock(lock_);
            clients_.erase(client);
            closesocket(client);
        });
    }
}

bool TStreamTestServer::SendAll(SOCKET client, const void* data, std::size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const int n = send(client, p, static_cast<int>(std::min<std::size_t>(size, 4096)), 0);
        if (n <= 0 || stopping_)
            return false;
        bytesSent_ += static_cast<std::uint64_t>(n);
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

void TStreamTestServer::SendLoop(SOCKET client, const std::vector<std::uint8_t>& audio,
                                 std::size_t metaInterval)
{
    std::size_t at = 0;
    std::size_t block = 0;
    for (;;) {
        const std::size_t piece = metaInterval ? metaInterval : 4096;
        std::vector<std::uint8_t> out;
        while (out.size() < piece) {
            const std::size_t take = std::min(piece - out.size(), audio.size() - at);
            out.insert(out.end(), audio.begin() + at, audio.begin() + at + take);
            at = (at + take) % audio.size();
        }
        if (metaInterval) {
            // Every other block carries a title; the others the empty block.
            if (block++ % 2 == 0) {
                std::string text = "StreamTitle='Test tone " + std::to_string(block) + "';";
                text.resize((text.size() + 15) / 16 * 16, '\0');
                out.push_back(static_cast<std::uint8_t>(text.size() / 16));
                out.insert(out.end(), text.begin(), text.end());
            } else {
                out.push_back(0);
            }
        }
        if (!SendAll(client, out.data(), out.size()))
            return;
    }
}

void TStreamTestServer::SendChunked(SOCKET client, const std::vector<std::uint8_t>& audio)
{
    static const std::size_t sizes[] = {1000, 1, 4093, 17};
    std::size_t at = 0;
    for (std::size_t i = 0;; ++i) {
        const std::size_t size = std::min(sizes[i % 4], audio.size() - at);
        char line[32];
        std::snprintf(line, sizeof line, "%zx\r\n", size);
        if (!SendText(client, line) || !SendAll(client, audio.data() + at, size) ||
            !SendText(client, "\r\n"))
            return;
        at = (at + size) % audio.size();
    }
}

void TStreamTestServer::SendWithGarbage(SOCKET client, const std::vector<std::uint8_t>& audio)
{
    const auto frames = Frames(audio);
    std::mt19937 random(5);
    for (std::size_t i = 0;; ++i) {
        const auto& f = frames[i % frames.size()];
        if (!SendAll(client, f.data(), f.size()))
            return;
        if (i % 10 == 9) {
            std::vector<std::uint8_t> junk(50);
            for (auto& b : junk)
                b = static_cast<std::uint8_t>(random());
            if (!SendAll(client, junk.data(), junk.size()))
                return;
        }
    }
}

void TStreamTestServer::Drip(SOCKET client, const std::function<std::string()>& next)
{
    for (;;) {
        const std::string piece = next();
        if (piece.empty() || !SendText(client, piece))
            return;
        Sleep(kDripMs);
    }
}

void TStreamTestServer::Hold(SOCKET client)
{
    char buffer[256];
    while (!stopping_ && recv(client, buffer, sizeof buffer, 0) > 0) {
    }
}

void TStreamTestServer::Serve(SOCKET client)
{
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 16384) {
        const int n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0)
            return;
        request.append(buffer, static_cast<std::size_t>(n));
        if (request[0] == '\x16' && answerTls_) {  // a TLS handshake record
            SendText(client, "HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\n\r\n");
            shutdown(client, SD_SEND);
            return;
        }
    }
    const std::size_t space = request.find(' ');
    const std::string path = request.substr(space + 1, request.find(' ', space + 1) - space - 1);
    const bool wantsMetadata = Lower(request).find("\nicy-metadata: 1") != std::string::npos;
    const std::string base = Url("");
    const std::size_t second = std::min(tone1000_.size(), kSecondBytes);

    if (path == "/tone.mp3") {
        if (SendText(client, kAudioHeader))
            SendLoop(client, tone1000_, 0);
    } else if (path == "/tone22.mp3") {
        if (SendText(client, kAudioHeader))
            SendLoop(client, tone440_, 0);
    } else if (path == "/icy.mp3") {
        const std::size_t interval = wantsMetadata ? 8000 : 0;
        std::string header = "ICY 200 OK\r\nicy-name: Test tone\r\ncontent-type: audio/mpeg\r\n";
        if (interval)
            header += "icy-metaint: " + std::to_string(interval) + "\r\n";
        if (SendText(client, header + "\r\n"))
            SendLoop(client, tone1000_, interval);
    } else if (path == "/icy-plain.mp3") {
        // An old server that ignores the request for metadata.
        if (SendText(client, "ICY 200 OK\r\nicy-name: Test tone\r\ncontent-type: audio/mpeg\r\n\r\n"))
            SendLoop(client, tone1000_, 0);
    } else if (path == "/mixed.mp3") {
        // The stream changes its sample rate and channels at each file boundary.
        std::vector<std::uint8_t> both(tone1000_);
        both.insert(both.end(), tone440_.begin(), tone440_.end());
        if (SendText(client, kAudioHeader))
            SendLoop(client, both, 0);
    } else if (path == "/chunked.mp3") {
        if (SendText(client, kChunkedHeader))
            SendChunked(client, tone1000_);
    } else if (path == "/cut-chunk.mp3") {
        // A second of sound in chunks, then a chunk that the connection's end cuts.
        char line[32];
        std::snprintf(line, sizeof line, "%zx\r\n", second);
        if (SendText(client, kChunkedHeader + std::string(line)) && SendAll(client, tone1000_.data(), second) &&
            SendText(client, "\r\n3e8\r\n"))
            SendAll(client, tone1000_.data(), 100);
    } else if (path == "/bad-chunk.mp3") {
        SendText(client, kChunkedHeader + std::string("zz\r\n") + std::string(100, 'x'));
    } else if (path == "/junk-after.mp3") {
        // A second of sound, then bytes without a frame for ever, at the pace the client reads.
        const std::vector<std::uint8_t> junk = Junk(4096, 7);
        if (SendText(client, kAudioHeader) && SendAll(client, tone1000_.data(), second))
            while (SendAll(client, junk.data(), junk.size())) {
            }
        return;
    } else if (path == "/drip-junk-after.mp3") {
        // A second of sound, then bytes without a frame, dripped.
        const std::vector<std::uint8_t> junk = Junk(4096, 11);
        std::size_t at = 0;
        if (SendText(client, kAudioHeader) && SendAll(client, tone1000_.data(), second))
            Drip(client, [&] { return NextByte(junk, at); });
        return;
    } else if (path == "/drip.mp3") {
        std::size_t at = 0;
        if (SendText(client, kAudioHeader))
            Drip(client, [&] { return NextByte(tone1000_, at); });
        return;
    } else if (path == "/byte-chunks.mp3") {
        std::size_t at = 0;
        if (SendText(client, kChunkedHeader))
            Drip(client, [&] { return "1\r\n" + NextByte(tone1000_, at) + "\r\n"; });
        return;
    } else if (path == "/drip-chunkline.mp3") {
        // A chunk-size line that never ends, each byte well within any bound.
        if (SendText(client, kChunkedHeader))
            Drip(client, [] { return std::string("0"); });
        return;
    } else if (path == "/drip.pls") {
        const std::string body = "[playlist]\r\nNumberOfEntries=1\r\nFile1=" + base + "/tone.mp3\r\n";
        std::size_t at = 0;
        if (SendText(client, "HTTP/1.0 200 OK\r\nContent-Type: audio/x-scpls\r\n\r\n"))
            Drip(client, [&] { return at < body.size() ? body.substr(at++, 1) : std::string("\n"); });
        return;
    } else if (path == "/huge.pls") {
        // Claims more than any playlist, then waits for the client to read it.
        const std::string body = "[playlist]\r\nNumberOfEntries=1\r\nFile1=" + base + "/tone.mp3\r\n";
        if (SendText(client, "HTTP/1.0 200 OK\r\nContent-Type: audio/x-scpls\r\nContent-Length: 50000000\r\n\r\n" +
                                 body))
            Hold(client);
        return;
    } else if (path == "/garbage.mp3") {
        if (SendText(client, kAudioHeader))
            SendWithGarbage(client, tone1000_);
    } else if (path == "/short.mp3") {
        // One second and a half frame, then the server goes away.
        const std::size_t cut = std::min(tone1000_.size(), second + 200);
        if (SendText(client, kAudioHeader))
            SendAll(client, tone1000_.data(), cut);
    } else if (path == "/page.html") {
        SendText(client, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 44\r\n\r\n"
                         "<html><body>Not a stream here</body></html>");
    } else if (path == "/stray1.mp3" || path == "/stray2.mp3") {
        // A burst on connect that starts inside a frame: stray bytes before the first whole
        // one that look like the start of a page, or of an AAC frame.
        const std::string stray = path == "/stray1.mp3" ? std::string("<") : std::string("\xFF\xF1", 2);
        if (SendText(client, kAudioHeader + stray))
            SendLoop(client, tone1000_, 0);
    } else if (path == "/ogg") {
        // A server that does not say what it sends.
        std::string body = "OggS";
        body.resize(4096, '\x01');
        SendText(client, "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n\r\n" + body);
    } else if (path == "/aac") {
        std::string body;
        for (int i = 0; i < 100; ++i)
            body += std::string("\xFF\xF1\x50\x80\x02\x1F\xFC", 7) + std::string(9, '\0');
        SendText(client, "HTTP/1.0 200 OK\r\nContent-Type: audio/aacp\r\n\r\n" + body);
    } else if (path == "/layer2.mp3") {
        // MPEG-1 layer II frames at 128 kbit/s and 44.1 kHz: 417 bytes each.
        std::string body;
        for (int i = 0; i < 20; ++i)
            body += std::string("\xFF\xFD\x80\x04", 4) + std::string(413, '\0');
        SendText(client, std::string(kAudioHeader) + body);
    } else if (path == "/noise") {
        const std::vector<std::uint8_t> body = Junk(200000, 3);
        if (SendText(client, kAudioHeader))
            SendAll(client, body.data(), body.size());
    } else if (path == "/silent") {
        // Headers, then nothing ever again, while the connection stays open.
        if (SendText(client, kAudioHeader))
            Hold(client);
        return;
    } else if (path == "/endless-tag.mp3") {
        // A tag header that claims 256 MB, followed by noise for ever.
        std::string body = std::string("ID3\x04\x00\x00\x7F\x7F\x7F\x7F", 10);
        body.resize(65536, 'x');
        if (SendText(client, kAudioHeader))
            while (SendText(client, body)) {
            }
        return;
    } else if (path == "/list.pls") {
        const std::string body = "[playlist]\r\nNumberOfEntries=1\r\nFile1=" + base + "/tone.mp3\r\n";
        SendText(client, "HTTP/1.0 200 OK\r\nContent-Type: audio/x-scpls\r\n\r\n" + body);
    } else if (path == "/list.m3u") {
        SendText(client, "HTTP/1.0 200 OK\r\nContent-Type: audio/x-mpegurl\r\n\r\n"
                         "#EXTM3U\r\n#EXTINF:-1,Test\r\nicy.mp3\r\n");
    } else if (path == "/empty.pls") {
        SendText(client, "HTTP/1.0 200 OK\r\nContent-Type: audio/x-scpls\r\n\r\n[playlist]\r\n");
    } else if (path == "/held") {
        heldArrived_ = true;
        {
            std::unique_lock<std::mutex> lock(lock_);
            heldChanged_.wait(lock, [this] { return heldReleased_ || stopping_; });
        }
        SendText(client, "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 1\r\n"
                         "Connection: close\r\n\r\n1");
    } else if (path == "/redirect") {
        SendText(client, "HTTP/1.1 302 Found\r\nLocation: /tone.mp3\r\nContent-Length: 0\r\n\r\n");
    } else if (path == "/redirect-ftp") {
        SendText(client, "HTTP/1.1 302 Found\r\nLocation: FTP://127.0.0.1/secret/tone.mp3\r\n"
                         "Content-Length: 0\r\n\r\n");
    } else if (path == "/loop") {
        SendText(client, "HTTP/1.1 302 Found\r\nLocation: /loop\r\nContent-Length: 0\r\n\r\n");
    } else {
        SendText(client, "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\n"
                         "Content-Length: 9\r\n\r\nNot found");
    }
    shutdown(client, SD_SEND);
}

}  // namespace player_test
