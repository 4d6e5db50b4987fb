#include "crashlog/ESockets.h"

#include <algorithm>
#include <cstdio>

#include <ws2tcpip.h>

#include "crashlog/EConsts.h"
#include "crashlog/EMailTexts.h"

namespace crashlog {

std::string SocketErrorText(int code)
{
    char text[512] = "";
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, static_cast<DWORD>(code),
                        0, text, sizeof text, nullptr))
        std::snprintf(text, sizeof text, "Socket error %d", code);
    std::string s = text;
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' '))
        s.pop_back();
    return s;
}

TVozozoClientSocket::TVozozoClientSocket(std::string host, unsigned timeout, unsigned short port)
    : host_(std::move(host)), timeout_(timeout), port_(port)
{
    if (!winsock_.Started())
        Fail(FormatS(SWSAStartupError, {SocketErrorText(winsock_.Error())}));
}

TVozozoClientSocket::~TVozozoClientSocket() = default;

void TVozozoClientSocket::Fail(const std::string& text)
{
    if (OnError)
        OnError(text);
    throw EVozozoSocketError(text);
}

void TVozozoClientSocket::LimitTotal(unsigned milliseconds)
{
    limited_ = true;
    totalStart_ = GetTickCount();
    total_ = milliseconds;
}

unsigned TVozozoClientSocket::Left(DWORD start, unsigned bound) const
{
    const DWORD now = GetTickCount();
    const auto remaining = [now](DWORD since, unsigned limit) {
        const auto spent = static_cast<unsigned>(now - since);
        return spent >= limit ? 0u : limit - spent;
    };
    unsigned left = remaining(start, bound);
    if (limited_)
        left = std::min(left, remaining(totalStart_, total_));
    return left;
}

bool TVozozoClientSocket::WaitFor(bool writable, unsigned wait)
{
    // Short steps: the windows are painted between them.
    constexpr unsigned Step = 20;
    const DWORD start = GetTickCount();
    for (;;) {
        if (OnWait)
            OnWait();
        const auto spent = static_cast<unsigned>(GetTickCount() - start);
        const unsigned slice = std::min(Step, spent >= wait ? 0u : wait - spent);
        fd_set ready, failed;
        FD_ZERO(&ready);
        FD_SET(socket_.Get(), &ready);
        FD_ZERO(&failed);
        FD_SET(socket_.Get(), &failed);
        timeval time{0, static_cast<long>(slice * 1000)};
        const int n = writable ? select(0, nullptr, &ready, &failed, &time) : select(0, &ready, nullptr, nullptr, &time);
        if (n == SOCKET_ERROR)
            Fail(FormatS(writable ? SConnectionError : SRecvError, {SocketErrorText(WSAGetLastError())}));
        if (n > 0) {
            if (writable) {
                // A refused connection shows as failed, or on some systems as writable with an error.
                int error = 0, size = sizeof error;
                getsockopt(socket_.Get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
                if (error || FD_ISSET(socket_.Get(), &failed))
                    Fail(FormatS(SConnectionError, {SocketErrorText(error ? error : WSAECONNREFUSED)}));
            }
            return true;
        }
        if (slice == 0)
            return false;
    }
}

void TVozozoClientSocket::Connect()
{
    socket_.Reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!socket_)
        Fail(std::string(SInvalidSocket));
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int resolved = getaddrinfo(host_.c_str(), std::to_string(port_).c_str(), &hints, &found);
    if (resolved != 0 || !found)
        Fail(FormatS(SConnectionError, {SocketErrorText(resolved ? resolved : WSAHOST_NOT_FOUND)}));
    sockaddr_in address = *reinterpret_cast<sockaddr_in*>(found->ai_addr);
    freeaddrinfo(found);
    // Never blocking, so that a server that never answers, or stops reading what is sent, is
    // given up at the bound.
    u_long nonBlocking = 1;
    ioctlsocket(socket_.Get(), FIONBIO, &nonBlocking);
    const DWORD start = GetTickCount();
    if (connect(socket_.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == SOCKET_ERROR) {
        const int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK)
            Fail(FormatS(SConnectionError, {SocketErrorText(error)}));
        if (!WaitFor(true, Left(start, timeout_)))
            Fail(std::string(SSocketTimeout));
    }
    const auto* b = reinterpret_cast<const unsigned char*>(&address.sin_addr);
    char line[96];
    std::snprintf(line, sizeof line, "Connected to %d.%d.%d.%d port %d", b[0], b[1], b[2], b[3], port_);
    Note(line);
}

void TVozozoClientSocket::Disconnect()
{
    if (!socket_)
        return;
    if (closesocket(socket_.Release()) == SOCKET_ERROR)
        Fail(FormatS(SCloseSocketError, {SocketErrorText(WSAGetLastError())}));
}

void TVozozoClientSocket::SendString(const std::string& text)
{
    // Sending a command has the bound of waiting for a reply.
    const DWORD start = GetTickCount();
    std::size_t sent = 0;
    while (sent < text.size()) {
        const int n = send(socket_.Get(), text.data() + sent, static_cast<int>(text.size() - sent), 0);
        if (n != SOCKET_ERROR) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        const int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK)
            Fail(FormatS(SSendError, {SocketErrorText(error)}));
        const unsigned left = Left(start, timeout_);
        if (left == 0 || !WaitFor(true, left))
            Fail(std::string(SSocketTimeout));
    }
}

std::string TVozozoClientSocket::ReceiveLine()
{
    const DWORD start = GetTickCount();
    for (;;) {
        const std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return line;
        }
        const unsigned left = Left(start, timeout_);
        if (left == 0 || !WaitFor(false, left))
            Fail(std::string(SSocketTimeout));
        char buffer[1024];
        const int n = recv(socket_.Get(), buffer, sizeof buffer, 0);
        if (n == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK)
            continue;
        if (n == SOCKET_ERROR)
            Fail(FormatS(SRecvError, {SocketErrorText(WSAGetLastError())}));
        if (n == 0)
            Fail(FormatS(SRecvError, {SocketErrorText(WSAECONNRESET)}));
        pending_.append(buffer, static_cast<std::size_t>(n));
    }
}

void TVozozoClientSMTP::Connect()
{
    TVozozoClientSocket::Connect();
    if (!WaitReply({220}))
        Fail(FormatS(SConnectionError, {lastReply_}));
}

bool TVozozoClientSMTP::WaitReply(std::initializer_list<int> accepted)
{
    // A reply may run over several lines: "250-first", "250-second", "250 last".
    std::string line;
    do {
        line = ReceiveLine();
        Note(line);
    } while (line.size() >= 4 && line[3] == '-');
    lastReply_ = line;
    lastCode_ = 0;
    for (char c : line) {
        if (c < '0' || c > '9')
            break;
        lastCode_ = lastCode_ * 10 + (c - '0');
    }
    for (int code : accepted)
        if (code == lastCode_)
            return true;
    return false;
}

bool TVozozoClientSMTP::SendCommand(const std::string& line, std::initializer_list<int> accepted)
{
    Note(line);
    SendString(line + "\r\n");
    return WaitReply(accepted);
}

bool TVozozoClientSMTP::SendSecret(const std::string& line, std::initializer_list<int> accepted)
{
    Note(std::string(SHiddenCredential));
    SendString(line + "\r\n");
    return WaitReply(accepted);
}

}  // namespace crashlog
