#pragma once
// A stream server for the player's tests and benchmark, on 127.0.0.1 at a port of its own,
// in a thread of the test program. It plays the fixture tones endlessly the ways real radio
// servers do (plain HTTP, ICY with metadata, chunked) and serves the bad cases. It also holds
// a short reply until the test lets it go, for what a client does while it waits.
#include <winsock2.h>

#include "support/LoopbackSocket.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace player_test {

class TStreamTestServer {
public:
    // answerTls false: a secure client's greeting gets no answer at all, as from a server
    // that hangs; otherwise an HTTP error, which ends the handshake at once.
    explicit TStreamTestServer(bool answerTls = true);
    ~TStreamTestServer();
    TStreamTestServer(const TStreamTestServer&) = delete;
    TStreamTestServer& operator=(const TStreamTestServer&) = delete;

    std::string Url(const std::string& path) const;
    // Connections accepted so far, and those still open.
    int Accepted() const { return accepted_; }
    int Open() const;
    // Bytes sent so far on all connections.
    std::uint64_t BytesSent() const { return bytesSent_; }
    // "/held" answers "1" as plain text only once ReleaseHeld is called (or the server stops);
    // HeldArrived tells that such a request has come.
    bool HeldArrived() const { return heldArrived_; }
    void ReleaseHeld();

private:
    void AcceptLoop();
    void Serve(SOCKET client);
    bool SendAll(SOCKET client, const void* data, std::size_t size);
    bool SendText(SOCKET client, const std::string& text) { return SendAll(client, text.data(), text.size()); }
    void SendLoop(SOCKET client, const std::vector<std::uint8_t>& audio, std::size_t metaInterval);
    void SendChunked(SOCKET client, const std::vector<std::uint8_t>& audio);
    void SendWithGarbage(SOCKET client, const std::vector<std::uint8_t>& audio);
    // Sends each piece that next() gives one at a time, a drip apart, until the client goes.
    void Drip(SOCKET client, const std::function<std::string()>& next);
    // Sends nothing more until the client goes.
    void Hold(SOCKET client);

    bool answerTls_;
    std::vector<std::uint8_t> tone1000_;
    std::vector<std::uint8_t> tone440_;
    test_support::TLoopbackSocket listener_{16};
    std::atomic<bool> stopping_{false};
    std::atomic<int> accepted_{0};
    std::atomic<std::uint64_t> bytesSent_{0};
    mutable std::mutex lock_;
    std::set<SOCKET> clients_;
    std::atomic<bool> heldArrived_{false};
    bool heldReleased_ = false;  // guarded by lock_
    std::condition_variable heldChanged_;
    std::vector<std::thread> threads_;
    std::thread acceptThread_;
};

}  // namespace player_test
