#pragma once
// One HTTP request for a stream over Winsock, read on the player thread; for https:// over
// TLS on that same socket. Every read and every wait also watches the session's stop event, so
// a station change never waits for the network, however fast or slowly the server sends; and
// the socket is ours: closing it ends the request at once, a secure handshake in progress
// included. What comes before the body and between its chunks is bounded in size and time.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "radio/player/HttpResponse.h"
#include "radio/player/SecureChannel.h"
#include "classlib/system/KernelHandles.h"
#include "classlib/system/SocketHandles.h"
#include "radio/player/StreamSource.h"
#include "radio/player/StreamUrl.h"
#include "radio/player/TimeBound.h"

namespace radio {

class THttpStreamSource : public TStreamSource {
public:
    // Connects, sends the request and reads the reply header. Throws EStreamPlayerError (host
    // not found, cannot connect, secure connection failed, certificate, no reply, not HTTP,
    // header too large) or TStopRequested. The stop event may be any waitable object: a timer set to a deadline
    // bounds the whole request. limit, when given, bounds every wait of the request, the
    // body's reads included, and ends it with its own status; the caller may move it on.
    THttpStreamSource(const TStreamUrl& url, HANDLE stopEvent, std::string_view method = "GET",
                      const TTimeBound* limit = nullptr);

    const THttpResponseHeader& Header() const override { return header_; }
    bool Read(std::vector<std::uint8_t>& out) override;
    bool Complete() const override;

    // The longest wait for the connection, for the secure handshake as a whole, for the reply's
    // header as a whole, and for each chunk-size line and the trailer of a chunked body.
    static DWORD TimeoutMs;

private:
    // A bound of this request, within the caller's limit.
    TTimeBound Bound(DWORD limitMs, std::string status) const
    {
        return TTimeBound(limitMs, std::move(status), limit_);
    }
    void Connect(const TStreamUrl& url);
    void Handshake();
    void SendAll(const char* data, std::size_t size);
    // Bytes as they come over the socket into `into`; false when the server closed it.
    bool ReceiveRaw(std::vector<std::uint8_t>& into, const TTimeBound& bound);
    void SendRequest(const TStreamUrl& url, std::string_view method);
    // Hands out at most what is left of a body of known length.
    void Deliver(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out);
    void ReadHeader();
    // Bytes of the reply (decrypted) into raw_; false when the server closed the connection.
    bool Receive(const TTimeBound& bound);
    void ThrowIfStopped() const;
    void WaitForNetwork(const TTimeBound& bound);
    // After a send or receive on the connected socket failed: waits until it is ready again when
    // the call would only have blocked, else the connection is lost.
    void WaitForConnectedSocket(const TTimeBound& bound);

    HANDLE stopEvent_;
    const TTimeBound* limit_;
    cl::TOwnedHandle networkEvent_;
    cl::TOwnedSocket socket_;
    std::string host_;
    std::unique_ptr<TSecureChannel> secure_;
    std::vector<std::uint8_t> sealed_;  // received over a secure connection, not decrypted yet
    THttpResponseHeader header_;
    std::vector<std::uint8_t> raw_;  // received, not handed out yet
    bool chunked_ = false;
    bool ended_ = false;
    std::optional<std::uint64_t> bodyLeft_;  // of a body with a declared length
    THttpChunkedDecoder chunks_;
};

}  // namespace radio
