#pragma once
// A TCP socket of the test program's own on 127.0.0.1, at a port the system picks: bound, and
// listening unless asked not to (a port where nothing listens refuses every connection). Test
// servers and refusing ports need no Winsock set-up of their own. Closing it, or its end, wakes
// a thread blocked in accept on it.
#include <winsock2.h>

namespace test_support {

class TLoopbackSocket {
public:
    // Backlog 0: bound only, never listening.
    explicit TLoopbackSocket(int Backlog)
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int length = sizeof address;
        getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        if (Backlog > 0)
            listen(socket_, Backlog);
    }
    ~TLoopbackSocket()
    {
        Close();
        WSACleanup();
    }
    TLoopbackSocket(const TLoopbackSocket&) = delete;
    TLoopbackSocket& operator=(const TLoopbackSocket&) = delete;

    SOCKET Handle() const { return socket_; }
    int Port() const { return port_; }
    void Close()
    {
        if (socket_ != INVALID_SOCKET)
            closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }

private:
    SOCKET socket_ = INVALID_SOCKET;
    int port_ = 0;
};

}  // namespace test_support
