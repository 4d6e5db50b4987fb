// What the stream player reads before any sound: frames, metadata, replies, addresses,
// playlists and formats, fed the way a network delivers them (in pieces of any size).
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "radio/player/HttpResponse.h"
#include "radio/player/IcyMetadata.h"
#include "radio/player/MpegFrame.h"
#include "radio/player/Playlist.h"
#include "radio/player/StreamFormat.h"
#include "radio/player/StreamUrl.h"
#include "radio/player/TextUtils.h"

using namespace radio;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFixture(const char* name)
{
    std::ifstream in(std::string(PLAYER_TEST_AUDIO_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes ToBytes(std::string_view s) { return Bytes(s.begin(), s.end()); }

// Feeds the finder in pieces of the given size and collects the frames it finds.
std::vector<Bytes> FindFrames(const Bytes& stream, std::size_t piece)
{
    TMpegFrameFinder finder;
    std::vector<Bytes> frames;
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        finder.Append(stream.data() + at, std::min(piece, stream.size() - at));
        TMpegFrame frame;
        while (finder.Next(frame))
            frames.emplace_back(frame.Data, frame.Data + frame.Size);
    }
    return frames;
}

}  // namespace

TEST(MpegFrames, HeadersOfBothFixturesDecode)
{
    const Bytes mpeg1 = ReadFixture("tone-1000hz-mpeg1-stereo.mp3");
    const Bytes mpeg2 = ReadFixture("tone-440hz-mpeg2-mono.mp3");
    ASSERT_GT(mpeg1.size(), 4u);
    ASSERT_GT(mpeg2.size(), 4u);
    const auto h1 = ParseMpegHeader(mpeg1.data());
    ASSERT_TRUE(h1);
    EXPECT_EQ(h1->Version, TMpegVersion::Mpeg1);
    EXPECT_EQ(h1->Layer, 3);
    EXPECT_EQ(h1->BitrateKbps, 128);
    EXPECT_EQ(h1->SampleRate, 44100);
    EXPECT_EQ(h1->Channels, 2);
    EXPECT_EQ(h1->FrameBytes, 417 + (h1->Padding ? 1 : 0));
    EXPECT_EQ(h1->SamplesPerFrame, 1152);
    const auto h2 = ParseMpegHeader(mpeg2.data());
    ASSERT_TRUE(h2);
    EXPECT_EQ(h2->Version, TMpegVersion::Mpeg2);
    EXPECT_EQ(h2->SampleRate, 22050);
    EXPECT_EQ(h2->Channels, 1);
    EXPECT_EQ(h2->FrameBytes, 104 + (h2->Padding ? 1 : 0));
    EXPECT_EQ(h2->SamplesPerFrame, 576);

    // Reserved version, reserved layer, free format, bad bitrate and rate indices.
    for (Bytes bad : {Bytes{0xFF, 0xEB, 0x90, 0x64}, Bytes{0xFF, 0xF9, 0x90, 0x64},
                      Bytes{0xFF, 0xFB, 0x00, 0x64}, Bytes{0xFF, 0xFB, 0xF0, 0x64},
                      Bytes{0xFF, 0xFB, 0x9C, 0x64}, Bytes{0xFF, 0xFB, 0x90, 0x66}})
        EXPECT_FALSE(ParseMpegHeader(bad.data()));
}

TEST(MpegFrames, WholeFileFoundInPiecesOfAnySize)
{
    const Bytes file = ReadFixture("tone-1000hz-mpeg1-stereo.mp3");
    const std::vector<Bytes> whole = FindFrames(file, file.size());
    // Every byte of the file belongs to a frame: once locked, the last one needs no follower.
    std::size_t total = 0;
    for (const Bytes& f : whole)
        total += f.size();
    EXPECT_EQ(total, file.size());
    for (std::size_t piece : {1u, 3u, 417u, 1000u})
        EXPECT_EQ(FindFrames(file, piece), whole) << "piece " << piece;
}

TEST(MpegFrames, TagsGarbageAndFalseSyncAreSkipped)
{
    const Bytes file = ReadFixture("tone-440hz-mpeg2-mono.mp3");
    const std::vector<Bytes> frames = FindFrames(file, file.size());
    ASSERT_GT(frames.size(), 20u);

    // An ID3v2 tag (with a footer) larger than the pieces it arrives in, then garbage that
    // holds a valid-looking header not followed by another one, then the frames with noise
    // between some of them.
    Bytes stream = ToBytes("ID3");
    stream.insert(stream.end(), {4, 0, 0x10, 0, 0, 1, 0});  // 128 bytes of tag body
    stream.insert(stream.end(), 128 + 10, 0xFF);
    stream.insert(stream.end(), {'x', 0xFF, 0xF3, 0x40, 0xC4, 'y', 'z'});
    std::mt19937 random(7);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        stream.insert(stream.end(), frames[i].begin(), frames[i].end());
        if (i % 5 == 4)
            for (int n = 0; n < 37; ++n)
                stream.push_back(static_cast<std::uint8_t>(random() & 0x7F));
    }
    for (std::size_t piece : {1u, 50u, 4096u}) {
        const std::vector<Bytes> found = FindFrames(stream, piece);
        // Noise after a frame costs at most the frame before it (unconfirmed) once sync is lost.
        EXPECT_GE(found.size(), frames.size() * 3 / 4) << "piece " << piece;
        for (const Bytes& f : found)
            EXPECT_NE(std::find(frames.begin(), frames.end(), f), frames.end());
    }
}

TEST(MpegFrames, TruncatedStreamAndNoiseGiveNoFrame)
{
    const Bytes file = ReadFixture("tone-1000hz-mpeg1-stereo.mp3");
    // Two frames and half of the third: the third one's header confirms the first two, but
    // the half frame never reaches the decoder. With one frame less nothing is confirmed.
    const std::vector<Bytes> whole = FindFrames(file, file.size());
    ASSERT_GE(whole.size(), 3u);
    const std::size_t two = whole[0].size() + whole[1].size();
    const std::vector<Bytes> confirmed = FindFrames(Bytes(file.begin(), file.begin() + two + 200), 1);
    ASSERT_EQ(confirmed.size(), 2u);
    EXPECT_EQ(confirmed[0], whole[0]);
    EXPECT_EQ(confirmed[1], whole[1]);
    EXPECT_TRUE(FindFrames(Bytes(file.begin(), file.begin() + whole[0].size() + 200), 1).empty());

    std::mt19937 random(11);
    Bytes noise(200000);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    TMpegFrameFinder finder;
    finder.Append(noise.data(), noise.size());
    TMpegFrame frame;
    int found = 0;
    while (finder.Next(frame))
        ++found;
    EXPECT_LE(found, 2);  // two chance headers in a row are possible, a stream of them is not
    EXPECT_GT(finder.SkippedBytes(), noise.size() - 5000);
}

TEST(IcyMetadata, BlocksVanishWhereverTheReadsSplit)
{
    // Interval 10: audio, a length byte, 16*n bytes of text, audio, a zero length, audio.
    Bytes audio;
    Bytes stream;
    for (int block = 0; block < 6; ++block) {
        for (int i = 0; i < 10; ++i) {
            audio.push_back(static_cast<std::uint8_t>(block * 10 + i));
            stream.push_back(static_cast<std::uint8_t>(block * 10 + i));
        }
        const int units = block % 3;
        stream.push_back(static_cast<std::uint8_t>(units));
        std::string text = "StreamTitle='x';";
        for (int u = 0; u < units; ++u)
            stream.insert(stream.end(), text.begin(), text.end());
    }
    for (std::size_t piece = 1; piece <= stream.size(); ++piece) {
        TIcyMetadataStripper stripper(10);
        Bytes out;
        for (std::size_t at = 0; at < stream.size(); at += piece)
            stripper.Feed(stream.data() + at, std::min(piece, stream.size() - at), out);
        ASSERT_EQ(out, audio) << "piece " << piece;
    }
    TIcyMetadataStripper none(0);
    Bytes out;
    none.Feed(stream.data(), stream.size(), out);
    EXPECT_EQ(out, stream);
}

TEST(HttpReplies, RadioServerHeadersAreUnderstood)
{
    const std::string icy = "ICY 200 OK\r\nicy-name: Test\r\nICY-METAINT:8192\r\n"
                            "content-type: Audio/MPEG; charset=x\r\n\r\nAUDIO";
    const std::size_t end = FindHeaderEnd(icy);
    EXPECT_EQ(icy.substr(end), "AUDIO");
    const auto h = ParseHttpResponseHeader(std::string_view(icy).substr(0, end));
    ASSERT_TRUE(h);
    EXPECT_EQ(h->Protocol, "ICY");
    EXPECT_EQ(h->StatusCode, 200);
    EXPECT_EQ(h->IcyMetaInterval(), 8192u);
    EXPECT_EQ(h->ContentType(), "audio/mpeg");
    EXPECT_FALSE(h->Chunked());

    const std::string bare = "HTTP/1.1 404 Not Found\nTransfer-Encoding: Chunked\nicy-metaint: 12x\n\n";
    EXPECT_EQ(FindHeaderEnd(bare), bare.size());
    const auto b = ParseHttpResponseHeader(bare);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->StatusCode, 404);
    EXPECT_EQ(b->Reason, "Not Found");
    EXPECT_TRUE(b->Chunked());
    EXPECT_EQ(b->IcyMetaInterval(), 0u);
    EXPECT_FALSE(b->ContentLength());

    // A body's end is known only from a length that is a plain number.
    const auto sized = ParseHttpResponseHeader("HTTP/1.1 200 OK\r\nContent-Length:  44 \r\n\r\n");
    ASSERT_TRUE(sized);
    EXPECT_EQ(sized->ContentLength(), 44u);
    for (const char* length : {"4x", "-1", "", "0x10"}) {
        const auto odd = ParseHttpResponseHeader(std::string("HTTP/1.1 200 OK\r\nContent-Length: ") + length + "\r\n\r\n");
        ASSERT_TRUE(odd);
        EXPECT_FALSE(odd->ContentLength()) << length;
    }

    EXPECT_EQ(FindHeaderEnd("HTTP/1.0 200 OK\r\nX: y\r\n"), 0u);
    for (const char* bad : {"<html><body>", "HTTP/1.1 2000 OK\r\n\r\n", "HTTP/1.1\r\n\r\n",
                            "FTP/1.0 200 OK\r\n\r\n", ""})
        EXPECT_FALSE(ParseHttpResponseHeader(bad)) << bad;
}

TEST(HttpReplies, ChunkedBodyDecodesWhereverTheReadsSplit)
{
    const std::string body = "5;ext=1\r\nhello\r\nA\r\n0123456789\r\n0\r\nTrailer: x\r\n\r\nNEXT";
    for (std::size_t piece = 1; piece <= body.size(); ++piece) {
        THttpChunkedDecoder decoder;
        Bytes out;
        for (std::size_t at = 0; at < body.size(); at += piece) {
            const Bytes part = ToBytes(std::string_view(body).substr(at, piece));
            ASSERT_TRUE(decoder.Feed(part.data(), part.size(), out));
        }
        EXPECT_EQ(std::string(out.begin(), out.end()), "hello0123456789");
        EXPECT_TRUE(decoder.Finished());
    }
    for (const char* bad : {"zz\r\nab\r\n", "5\r\nhelloXX\r\n", "-1\r\n"}) {
        THttpChunkedDecoder decoder;
        Bytes out;
        const Bytes part = ToBytes(bad);
        EXPECT_FALSE(decoder.Feed(part.data(), part.size(), out)) << bad;
    }
    THttpChunkedDecoder endless;
    Bytes out;
    const Bytes longLine(5000, '1');
    EXPECT_FALSE(endless.Feed(longLine.data(), longLine.size(), out));
    EXPECT_FALSE(endless.TrailerTooLarge());
    // A trailer of short lines that never ends is refused at the room of a header.
    std::string trailer = "0\r\n";
    while (trailer.size() <= kMaxHttpHeaderBytes)
        trailer += "X-Trailer: y\r\n";
    THttpChunkedDecoder endlessTrailer;
    const Bytes trailerBytes = ToBytes(trailer);
    EXPECT_FALSE(endlessTrailer.Feed(trailerBytes.data(), trailerBytes.size(), out));
    EXPECT_TRUE(endlessTrailer.TrailerTooLarge());
}

TEST(HttpReplies, APeersTextIsShownOnOneLineAndCut)
{
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"Not Found", "Not Found"},
        {"  Busy\r\n\x01\x07\tnow \x7f", "Busy now"},
        {std::string(12, 'z'), "zzzzzzzzzz..."},
        // Never inside a character: "\xc3\xa9" is one.
        {"zzzzzzzzz\xc3\xa9", "zzzzzzzzz..."},
        {"zzzzzzzz\xc3\xa9z", "zzzzzzzz\xc3\xa9..."},
        {"\r\n", ""},
        // Printable text only: no terminal escape sequence, no C1 control.
        {"Not \x1b[31m Found\x1b[0m", "Not Found"},
        {"\x1b]0;title\x07ok\x1b]2;x\x1b\\!", "ok!"},
        {"a\xc2\x9b" "b\x1b" "c\x1b", "a b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownText(c.text, 10), c.shown) << c.text;
}

TEST(StreamAddresses, ParseAndResolve)
{
    auto u = ParseStreamUrl("  HTTP://Radio.Example:8000/live?x=1#frag \r\n");
    ASSERT_TRUE(u);
    EXPECT_EQ(u->Host, "radio.example");
    EXPECT_EQ(u->Port, 8000);
    EXPECT_EQ(u->Target, "/live?x=1");
    EXPECT_EQ(u->HostField(), "radio.example:8000");

    auto s = ParseStreamUrl("https://user:pw@[::1]");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Host, "::1");
    EXPECT_EQ(s->Port, 443);
    EXPECT_EQ(s->Target, "/");
    EXPECT_EQ(s->ToString(), "https://[::1]/");

    for (const char* bad : {"", "mms://host/x", "http://", "http://host:0/", "http://host:99999/",
                            "http://host:8x/", "http://ho st/", "file:///c:/x.mp3", "127.0.0.1:80/x"})
        EXPECT_FALSE(ParseStreamUrl(bad)) << bad;

    const TStreamUrl base = *ParseStreamUrl("http://h:81/dir/list.pls?a=b");
    EXPECT_EQ(ResolveStreamUrl(base, "stream.mp3")->ToString(), "http://h:81/dir/stream.mp3");
    EXPECT_EQ(ResolveStreamUrl(base, "/top")->ToString(), "http://h:81/top");
    EXPECT_EQ(ResolveStreamUrl(base, "//other/x")->ToString(), "http://other/x");
    EXPECT_EQ(ResolveStreamUrl(base, "https://o:9/")->ToString(), "https://o:9/");
    EXPECT_FALSE(ResolveStreamUrl(base, "  "));
    EXPECT_FALSE(ResolveStreamUrl(base, "ftp://x/"));
}

TEST(Playlists, DetectionAndFirstEntry)
{
    EXPECT_EQ(DetectPlaylist("text/plain", "/x", "\xEF\xBB\xBF  [Playlist]\r\n"), TPlaylistKind::Pls);
    EXPECT_EQ(DetectPlaylist("audio/mpeg", "/x.mp3", "#EXTM3U\n"), TPlaylistKind::M3u);
    EXPECT_EQ(DetectPlaylist("audio/x-scpls", "/x", "File1=..."), TPlaylistKind::Pls);
    EXPECT_EQ(DetectPlaylist("audio/mpegurl", "/x", "http://a/"), TPlaylistKind::M3u);
    EXPECT_EQ(DetectPlaylist("", "/listen.PLS?sid=1", "File1=http://a/"), TPlaylistKind::Pls);
    EXPECT_EQ(DetectPlaylist("text/plain", "/a.m3u", "http://a/"), TPlaylistKind::M3u);
    // The server's word that the body is audio holds over the address's extension.
    EXPECT_EQ(DetectPlaylist("audio/mpeg", "/stream.m3u", "\xFF\xFB"), TPlaylistKind::None);
    EXPECT_EQ(DetectPlaylist("text/html", "/index.html", "<html>"), TPlaylistKind::None);

    EXPECT_EQ(FirstPlaylistEntry(TPlaylistKind::Pls,
                                 "[playlist]\r\nNumberOfEntries=2\r\nFile2=http://second/\r\n"
                                 "Title1=One\r\nfile1 = http://first/ \r\nLength1=-1\r\n"),
              "http://first/");
    EXPECT_EQ(FirstPlaylistEntry(TPlaylistKind::Pls, "[playlist]\nFile1=\nFile3=http://c/\n"),
              "http://c/");
    EXPECT_EQ(FirstPlaylistEntry(TPlaylistKind::M3u,
                                 "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:-1,Name\r\n\r\n  http://m/x  \r\nhttp://n/"),
              "http://m/x");
    EXPECT_EQ(FirstPlaylistEntry(TPlaylistKind::M3u, "#EXTM3U\n# only comments\n"), "");
    EXPECT_EQ(FirstPlaylistEntry(TPlaylistKind::Pls, "[playlist]\nNumberOfEntries=0\n"), "");
}

TEST(StreamFormats, OtherCodecsAndPagesAreRecognised)
{
    const Bytes ogg = ToBytes("OggS\0\2");
    const Bytes adts = {0xFF, 0xF1, 0x50, 0x80};
    const Bytes html = ToBytes("\r\n <!DOCTYPE html>");
    const Bytes mp3 = {0xFF, 0xFB, 0x90, 0x64};
    // Without a type, or with a generic one, the bytes decide.
    for (const char* type : {"", "application/octet-stream"}) {
        EXPECT_EQ(SniffStreamFormat(type, ogg.data(), ogg.size()), TStreamFormat::Ogg) << type;
        EXPECT_EQ(SniffStreamFormat(type, adts.data(), adts.size()), TStreamFormat::Aac) << type;
        EXPECT_EQ(SniffStreamFormat(type, html.data(), html.size()), TStreamFormat::Text) << type;
        EXPECT_EQ(SniffStreamFormat(type, mp3.data(), mp3.size()), TStreamFormat::MaybeMpeg) << type;
    }
    // A declared type decides whatever the first bytes look like: a stream joined mid-frame
    // may start with anything.
    for (const Bytes* first : {&ogg, &adts, &html, &mp3})
        EXPECT_EQ(SniffStreamFormat("audio/mpeg", first->data(), first->size()), TStreamFormat::MaybeMpeg);
    EXPECT_EQ(SniffStreamFormat("audio/aacp", mp3.data(), mp3.size()), TStreamFormat::Aac);
    EXPECT_EQ(SniffStreamFormat("audio/ogg", mp3.data(), mp3.size()), TStreamFormat::Ogg);
    EXPECT_EQ(SniffStreamFormat("text/plain", mp3.data(), mp3.size()), TStreamFormat::Text);
    EXPECT_EQ(SniffStreamFormat("audio/mpeg", mp3.data(), 0), TStreamFormat::MaybeMpeg);
}

TEST(StreamParsers, ArbitraryBytesInArbitraryPiecesAreSurvived)
{
    // What a hostile or broken server may send; under the sanitizers this finds any read past
    // a buffer.
    std::mt19937 random(2024);
    for (int round = 0; round < 200; ++round) {
        Bytes data(random() % 3000);
        for (auto& b : data)
            b = static_cast<std::uint8_t>(round % 2 ? random() : "\xFF\xFB\x90ID3\r\n:0"[random() % 9]);
        const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());

        TMpegFrameFinder finder;
        TIcyMetadataStripper stripper(1 + random() % 64);
        THttpChunkedDecoder chunks;
        Bytes audio, body;
        bool chunksOk = true;
        for (std::size_t at = 0; at < data.size();) {
            const std::size_t piece = std::min<std::size_t>(1 + random() % 500, data.size() - at);
            finder.Append(data.data() + at, piece);
            TMpegFrame frame;
            while (finder.Next(frame))
                ASSERT_EQ(frame.Size, static_cast<std::size_t>(frame.Header.FrameBytes));
            stripper.Feed(data.data() + at, piece, audio);
            if (chunksOk)
                chunksOk = chunks.Feed(data.data() + at, piece, body);
            at += piece;
        }
        EXPECT_LE(audio.size(), data.size());
        EXPECT_LE(body.size(), data.size());
        ParseHttpResponseHeader(text.substr(0, FindHeaderEnd(text)));
        ParseStreamUrl(text);
        for (auto kind : {TPlaylistKind::Pls, TPlaylistKind::M3u})
            FirstPlaylistEntry(kind, text);
        DetectPlaylist(text.substr(0, 20), text, text);
        SniffStreamFormat(text.substr(0, 10), data.data(), data.size());
    }
}
