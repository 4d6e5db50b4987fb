#pragma once
// The logger's own SMTP client over Windows Sockets. Every socket error raises
// EVozozoSocketError (and is told to the error event first); AUTH LOGIN sends the credentials in
// base64, which is no encryption: they are as safe as the connection to the server.
#include <functional>
#include <string>
#include <vector>

#include "classlib/system/SocketHandles.h"
#include "crashlog/EErrors.h"

namespace crashlog {

CL_DECLARE_EXCEPTION(EVozozoSocketError, Exception);

class TVozozoClientSocket {
public:
    // Starts Windows Sockets (raises on failure).
    TVozozoClientSocket(std::string host, unsigned timeout, unsigned short port);
    virtual ~TVozozoClientSocket();
    TVozozoClientSocket(const TVozozoClientSocket&) = delete;
    TVozozoClientSocket& operator=(const TVozozoClientSocket&) = delete;

    virtual void Connect();
    virtual void Disconnect();
    bool Connected() const { return static_cast<bool>(socket_); }

    void SendString(const std::string& text);
    // One line of the server's reply, without its line break; waits at most the time-out.
    std::string ReceiveLine();

    // What was sent and received, one line each; credentials are never in it.
    const std::string& Transcript() const { return transcript_; }
    std::function<void(const std::string&)> OnError;
    // Called again and again while the socket waits for the server, so that the calling thread's
    // windows go on painting.
    std::function<void()> OnWait;
    // Bounds the whole conversation from now on, whatever each reply's own bound leaves.
    void LimitTotal(unsigned milliseconds);

protected:
    [[noreturn]] void Fail(const std::string& text);
    // How long a wait that began at `start` with the time-out `bound` may still last.
    unsigned Left(DWORD start, unsigned bound) const;
    // Waits at most `wait` milliseconds, in short steps that call OnWait, for the socket to be
    // readable (or writable); true when it is.
    bool WaitFor(bool writable, unsigned wait);
    void Note(const std::string& line) { transcript_ += line + "\r\n"; }

    std::string host_;
    unsigned timeout_;
    unsigned short port_;
    // Before the socket, so that the socket is closed while the library still runs.
    cl::TWinsockUser winsock_;
    cl::TOwnedSocket socket_;

private:
    bool limited_ = false;
    DWORD totalStart_ = 0;
    unsigned total_ = 0;
    std::string transcript_;
    std::string pending_;  // received bytes not yet returned as lines
};

class TVozozoClientSMTP : public TVozozoClientSocket {
public:
    using TVozozoClientSocket::TVozozoClientSocket;
    // Connects and waits for the greeting (220).
    void Connect() override;
    // Reads a whole reply (every "NNN-" line up to the "NNN " one); true when its code is one of
    // `accepted`. The code of the last reply is kept.
    bool WaitReply(std::initializer_list<int> accepted);
    bool SendCommand(const std::string& line, std::initializer_list<int> accepted);
    // A command whose text the transcript must not show (the credentials).
    bool SendSecret(const std::string& line, std::initializer_list<int> accepted);
    int LastCode() const { return lastCode_; }
    const std::string& LastReply() const { return lastReply_; }

private:
    int lastCode_ = 0;
    std::string lastReply_;
};

// The text of a Windows Sockets error code.
std::string SocketErrorText(int code);

}  // namespace crashlog
