#pragma once
// A small SMTP server for the mail tests, on 127.0.0.1 in a thread of its own. It answers like
// a real one where the client's faults show: multi-line replies, one AUTH per connection, a
// message ended by a "." line (whose other dot lines it un-stuffs), and the refusals a test asks for.
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <winsock2.h>

#include "support/LoopbackSocket.h"

struct TSmtpBehaviour {
    bool RequireAuth = false;     // MAIL FROM before AUTH gets 530
    std::string User = "user";    // the credentials AUTH LOGIN accepts (else 535)
    std::string Password = "secret";
    std::string RefuseRecipient;  // RCPT TO of this address gets 550
    std::string CloseAt;          // a command starting so gets 421 and the connection closes
    bool Silent = false;          // says nothing after connecting
    int ReplyDelay = 0;           // milliseconds before each reply
    bool StopReadingInData = false;  // after DATA's 354 reads nothing more while it lives
};

struct TReceivedMail {
    std::string From, To, Data;
};

class TFakeSmtpServer {
public:
    explicit TFakeSmtpServer(TSmtpBehaviour behaviour);
    ~TFakeSmtpServer();
    unsigned short Port() const { return static_cast<unsigned short>(listener_.Port()); }

    // What the clients sent (outside message data), one line each, and the accepted mail.
    std::vector<std::string> Commands();
    std::vector<TReceivedMail> Mails();
    int Connections() const { return connections_; }

private:
    void Serve();
    void Talk(SOCKET client);

    TSmtpBehaviour behaviour_;
    test_support::TLoopbackSocket listener_{4};
    std::thread thread_;
    std::mutex lock_;
    std::vector<std::string> commands_;
    std::vector<TReceivedMail> mails_;
    std::atomic<int> connections_{0};
    std::atomic<bool> stopping_{false};
};
