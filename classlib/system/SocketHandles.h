#pragma once
// Owners of Windows Sockets: a socket, closed once on every path, and the use of the sockets
// library, which counts its users. Whoever includes this links ws2_32.
#include <winsock2.h>
#include <windows.h>

namespace cl {

class TOwnedSocket {
public:
    TOwnedSocket() = default;
    explicit TOwnedSocket(SOCKET Socket) : socket_(Socket) {}
    TOwnedSocket(TOwnedSocket&& Other) noexcept : socket_(Other.Release()) {}
    TOwnedSocket& operator=(TOwnedSocket&& Other) noexcept
    {
        Reset(Other.Release());
        return *this;
    }
    TOwnedSocket(const TOwnedSocket&) = delete;
    TOwnedSocket& operator=(const TOwnedSocket&) = delete;
    ~TOwnedSocket() { Reset(); }

    SOCKET Get() const { return socket_; }
    explicit operator bool() const { return socket_ != INVALID_SOCKET; }
    SOCKET Release()
    {
        const SOCKET s = socket_;
        socket_ = INVALID_SOCKET;
        return s;
    }
    void Reset(SOCKET Socket = INVALID_SOCKET)
    {
        if (socket_ != INVALID_SOCKET)
            closesocket(socket_);
        socket_ = Socket;
    }

private:
    SOCKET socket_ = INVALID_SOCKET;
};

// One user of the sockets library for the life of this object; each thread that uses sockets
// holds one.
class TWinsockUser {
public:
    TWinsockUser()
    {
        WSADATA data;
        error_ = WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~TWinsockUser()
    {
        if (Started())
            WSACleanup();
    }
    TWinsockUser(const TWinsockUser&) = delete;
    TWinsockUser& operator=(const TWinsockUser&) = delete;
    bool Started() const { return error_ == 0; }
    // Why the library did not start (0 when it did).
    int Error() const { return error_; }

private:
    int error_ = 0;
};

}  // namespace cl
