#pragma once
// Owners for the kernel and Winsock handles of the stream player, so that every path out of
// the player thread, an exception included, gives them back.
#include <winsock2.h>
#include <windows.h>

#include "classlib/KernelHandles.h"

namespace radio {

// Kernel handles: the class library's owner.
using TUniqueHandle = cl::TOwnedHandle;

class TUniqueSocket {
public:
    TUniqueSocket() = default;
    explicit TUniqueSocket(SOCKET socket) : socket_(socket) {}
    TUniqueSocket(TUniqueSocket&& other) noexcept : socket_(other.Release()) {}
    TUniqueSocket& operator=(TUniqueSocket&& other) noexcept
    {
        Reset(other.Release());
        return *this;
    }
    TUniqueSocket(const TUniqueSocket&) = delete;
    TUniqueSocket& operator=(const TUniqueSocket&) = delete;
    ~TUniqueSocket() { Reset(); }

    SOCKET Get() const { return socket_; }
    explicit operator bool() const { return socket_ != INVALID_SOCKET; }
    SOCKET Release()
    {
        const SOCKET s = socket_;
        socket_ = INVALID_SOCKET;
        return s;
    }
    void Reset(SOCKET socket = INVALID_SOCKET)
    {
        if (socket_ != INVALID_SOCKET)
            closesocket(socket_);
        socket_ = socket;
    }

private:
    SOCKET socket_ = INVALID_SOCKET;
};

// Winsock counts its users: each thread that uses sockets holds one of these.
class TWinsockUser {
public:
    TWinsockUser()
    {
        WSADATA data;
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~TWinsockUser()
    {
        if (started_)
            WSACleanup();
    }
    TWinsockUser(const TWinsockUser&) = delete;
    TWinsockUser& operator=(const TWinsockUser&) = delete;
    bool Started() const { return started_; }

private:
    bool started_ = false;
};

}  // namespace radio
