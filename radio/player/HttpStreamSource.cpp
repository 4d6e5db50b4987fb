#include "radio/player/HttpStreamSource.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <string_view>

#include "radio/player/Errors.h"
#include "radio/player/RefusedServers.h"
#include "radio/player/Status.h"

namespace radio {

DWORD THttpStreamSource::TimeoutMs = 10000;

namespace {

// A radio server that sends nothing for this long has gone away.
constexpr DWORD kReceiveTimeoutMs = 15000;
constexpr std::size_t kReceiveBytes = 16 * 1024;

struct TAddressList {
    addrinfo* first = nullptr;
    ~TAddressList()
    {
        if (first)
            freeaddrinfo(first);
    }
};

}  // namespace

THttpStreamSource::THttpStreamSource(const TStreamUrl& url, HANDLE stopEvent, std::string_view method,
                                     const TTimeBound* limit)
    : stopEvent_(stopEvent), limit_(limit), networkEvent_(WSACreateEvent()), host_(url.Host)
{
    if (!networkEvent_)
        throw EStreamPlayerError(status::Internal("no event for the network"));
    Connect(url);
    if (url.Secure()) {
        try {
            Handshake();
        } catch (const ECertificateRefused& e) {
            NoteRefusedServer(url, e.what());
            throw;
        }
    }
    SendRequest(url, method);
    ReadHeader();
}

void THttpStreamSource::ThrowIfStopped() const
{
    if (WaitForSingleObject(stopEvent_, 0) == WAIT_OBJECT_0)
        throw TStopRequested{};
}

void THttpStreamSource::WaitForNetwork(const TTimeBound& bound)
{
    const HANDLE handles[2] = {stopEvent_, networkEvent_.get()};
    const DWORD result = WaitForMultipleObjects(2, handles, FALSE, bound.LeftMs());
    if (result == WAIT_OBJECT_0)
        throw TStopRequested{};
    if (result == WAIT_TIMEOUT)
        throw EStreamPlayerError(bound.Status());
    if (result != WAIT_OBJECT_0 + 1)
        throw EStreamPlayerError(status::Internal("waiting for the network failed"));
}

void THttpStreamSource::WaitForConnectedSocket(const TTimeBound& bound)
{
    if (WSAGetLastError() != WSAEWOULDBLOCK)
        throw EStreamPlayerError(status::ConnectionLost());
    WaitForNetwork(bound);
    // Reading the events resets the event object, so the next wait sees only new ones.
    WSANETWORKEVENTS events{};
    WSAEnumNetworkEvents(socket_.Get(), networkEvent_.get(), &events);
}

void THttpStreamSource::Connect(const TStreamUrl& url)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    TAddressList addresses;
    const std::string port = std::to_string(url.Port);
    if (getaddrinfo(url.Host.c_str(), port.c_str(), &hints, &addresses.first) != 0 ||
        !addresses.first)
        throw EStreamPlayerError(status::HostNotFound(url.Host));
    ThrowIfStopped();

    for (const addrinfo* a = addresses.first; a; a = a->ai_next) {
        cl::TOwnedSocket s(socket(a->ai_family, a->ai_socktype, a->ai_protocol));
        if (!s)
            continue;
        // Event selection makes the socket non-blocking: every wait goes through
        // WaitForNetwork, which also watches the stop event.
        if (WSAEventSelect(s.Get(), networkEvent_.get(), FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) != 0)
            continue;
        if (connect(s.Get(), a->ai_addr, static_cast<int>(a->ai_addrlen)) == 0) {
            socket_ = std::move(s);
            return;
        }
        if (WSAGetLastError() != WSAEWOULDBLOCK)
            continue;
        const TTimeBound bound = Bound(TimeoutMs, status::CannotConnect(url.HostField()));
        for (;;) {
            WaitForNetwork(bound);
            WSANETWORKEVENTS events{};
            if (WSAEnumNetworkEvents(s.Get(), networkEvent_.get(), &events) != 0)
                break;
            if (events.lNetworkEvents & FD_CONNECT) {
                if (events.iErrorCode[FD_CONNECT_BIT] == 0)
                    socket_ = std::move(s);
                break;
            }
        }
        if (socket_)
            return;
    }
    throw EStreamPlayerError(status::CannotConnect(url.HostField()));
}

void THttpStreamSource::SendRequest(const TStreamUrl& url, std::string_view method)
{
    // HTTP/1.1 so that name-based servers find the station; metadata is asked for because
    // some servers send their stream only to clients that accept it.
    const std::string request = std::string(method) + " " + url.Target + " HTTP/1.1\r\n"
                                "Host: " + url.HostField() + "\r\n"
                                "User-Agent: TrebanixRadio/4.1\r\n"
                                "Accept: */*\r\n"
                                "Icy-MetaData: 1\r\n"
                                "Connection: close\r\n\r\n";
    if (!secure_) {
        SendAll(request.data(), request.size());
        return;
    }
    std::vector<std::uint8_t> sealed;
    secure_->Encrypt(request.data(), request.size(), sealed);
    SendAll(reinterpret_cast<const char*>(sealed.data()), sealed.size());
}

void THttpStreamSource::SendAll(const char* data, std::size_t size)
{
    const TTimeBound bound = Bound(kReceiveTimeoutMs, status::NoReply());
    std::size_t sent = 0;
    while (sent < size) {
        const int n = send(socket_.Get(), data + sent, static_cast<int>(size - sent), 0);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        WaitForConnectedSocket(bound);
    }
}

void THttpStreamSource::Handshake()
{
    secure_ = std::make_unique<TSecureChannel>(host_);
    const std::vector<std::uint8_t> hello = secure_->Hello();
    SendAll(reinterpret_cast<const char*>(hello.data()), hello.size());
    // One bound for the whole handshake: a server that accepts and then answers slowly or
    // never is a secure connection that failed.
    const TTimeBound bound = Bound(TimeoutMs, status::SecureFailed());
    for (;;) {
        std::vector<std::uint8_t> reply;
        const bool done = secure_->Continue(sealed_, reply);
        SendAll(reinterpret_cast<const char*>(reply.data()), reply.size());
        if (done)
            return;
        if (!ReceiveRaw(sealed_, bound))
            throw EStreamPlayerError(status::SecureFailed());
    }
}

bool THttpStreamSource::ReceiveRaw(std::vector<std::uint8_t>& into, const TTimeBound& bound)
{
    char buffer[kReceiveBytes];
    for (;;) {
        // Before every read, not only before a wait: a server that sends faster than we read
        // never makes us wait.
        ThrowIfStopped();
        bound.Check();
        const int n = recv(socket_.Get(), buffer, sizeof buffer, 0);
        if (n > 0) {
            into.insert(into.end(), buffer, buffer + n);
            return true;
        }
        if (n == 0)
            return false;
        WaitForConnectedSocket(bound);
    }
}

bool THttpStreamSource::Receive(const TTimeBound& bound)
{
    if (!secure_)
        return ReceiveRaw(raw_, bound);
    for (;;) {
        const std::size_t before = raw_.size();
        switch (secure_->Decrypt(sealed_, raw_)) {
        case TSecureChannel::TRead::Closed:
            return false;
        case TSecureChannel::TRead::Data:
            if (raw_.size() > before)
                return true;
            break;
        case TSecureChannel::TRead::NeedMore:
            // A server that closes without ending the secure session has still ended the
            // reply; whether all of it came, the length or the last chunk tells. Closed inside
            // a record, the connection broke.
            if (!ReceiveRaw(sealed_, bound)) {
                if (!sealed_.empty())
                    throw EStreamPlayerError(status::ConnectionLost());
                return false;
            }
            break;
        }
    }
}

void THttpStreamSource::ReadHeader()
{
    // The whole header, however it comes, within one bound of size and one of time.
    const TTimeBound bound = Bound(TimeoutMs, status::NoReply());
    std::size_t scanned = 0;
    for (;;) {
        const std::string_view text(reinterpret_cast<const char*>(raw_.data()), raw_.size());
        // Only what came since the last look, with the bytes an end could begin in before it.
        const std::size_t from = scanned > 2 ? scanned - 2 : 0;
        if (const std::size_t found = FindHeaderEnd(text.substr(from))) {
            const std::size_t end = from + found;
            if (end > kMaxHttpHeaderBytes)
                throw EStreamPlayerError(status::HeaderTooLarge());
            const auto header = ParseHttpResponseHeader(text.substr(0, end));
            if (!header)
                throw EStreamPlayerError(status::BadReply());
            header_ = *header;
            raw_.erase(raw_.begin(), raw_.begin() + static_cast<std::ptrdiff_t>(end));
            chunked_ = header_.Chunked();
            if (!chunked_)
                bodyLeft_ = header_.ContentLength();
            ended_ = bodyLeft_ == 0u;
            return;
        }
        scanned = raw_.size();
        // Without a status line in front this is no HTTP server.
        if (raw_.size() >= 4 && text.substr(0, 4) != "HTTP" && text.substr(0, 4) != "ICY ")
            throw EStreamPlayerError(status::BadReply());
        if (raw_.size() > kMaxHttpHeaderBytes)
            throw EStreamPlayerError(status::HeaderTooLarge());
        if (!Receive(bound))
            throw EStreamPlayerError(raw_.empty() ? status::NoReply() : status::BadReply());
    }
}

void THttpStreamSource::Deliver(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out)
{
    if (bodyLeft_) {
        // Whatever a server sends past its declared length belongs to no reply of ours.
        size = static_cast<std::size_t>(std::min<std::uint64_t>(size, *bodyLeft_));
        *bodyLeft_ -= size;
        if (*bodyLeft_ == 0)
            ended_ = true;
    }
    out.insert(out.end(), data, data + size);
}

bool THttpStreamSource::Read(std::vector<std::uint8_t>& out)
{
    // A chunk-size line or the trailer has to come whole within one bound; within a chunk's
    // data, or a body without chunks, the server may pause as any stream does.
    std::optional<TTimeBound> framing;
    for (;;) {
        if (!raw_.empty() && !ended_) {
            std::vector<std::uint8_t> raw;
            raw.swap(raw_);
            const std::size_t before = out.size();
            if (!chunked_) {
                Deliver(raw.data(), raw.size(), out);
            } else {
                if (!chunks_.Feed(raw.data(), raw.size(), out))
                    throw EStreamPlayerError(chunks_.TrailerTooLarge() ? status::HeaderTooLarge()
                                                                       : status::DamagedReply());
                if (chunks_.Finished())
                    ended_ = true;
            }
            if (out.size() > before)
                return true;
        }
        if (chunked_ && !chunks_.InData() && !framing)
            framing.emplace(Bound(TimeoutMs, status::NoReply()));
        if (ended_ || !Receive(framing ? *framing : Bound(kReceiveTimeoutMs, status::NoReply()))) {
            ended_ = true;
            return false;
        }
    }
}

bool THttpStreamSource::Complete() const
{
    if (chunked_)
        return chunks_.Finished();
    return !bodyLeft_ || *bodyLeft_ == 0;
}

}  // namespace radio
