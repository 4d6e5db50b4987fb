#include "smtp_server.h"

#include "crashlog/EMailText.h"

namespace {

bool ReadLine(SOCKET s, std::string& pending, std::string& line)
{
    for (;;) {
        const std::size_t end = pending.find("\r\n");
        if (end != std::string::npos) {
            line = pending.substr(0, end);
            pending.erase(0, end + 2);
            return true;
        }
        char buffer[1024];
        const int n = recv(s, buffer, sizeof buffer, 0);
        if (n <= 0)
            return false;
        pending.append(buffer, static_cast<std::size_t>(n));
    }
}

void Send(SOCKET s, const std::string& text)
{
    const std::string line = text + "\r\n";
    send(s, line.data(), static_cast<int>(line.size()), 0);
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return !prefix.empty() && text.compare(0, prefix.size(), prefix) == 0;
}

std::string Between(const std::string& text)
{
    const std::size_t open = text.find('<'), close = text.find('>');
    return open == std::string::npos || close == std::string::npos ? std::string() : text.substr(open + 1, close - open - 1);
}

}  // namespace

TFakeSmtpServer::TFakeSmtpServer(TSmtpBehaviour behaviour) : behaviour_(std::move(behaviour))
{
    thread_ = std::thread([this] { Serve(); });
}

TFakeSmtpServer::~TFakeSmtpServer()
{
    stopping_ = true;
    listener_.Close();
    thread_.join();
}

std::vector<std::string> TFakeSmtpServer::Commands()
{
    std::lock_guard<std::mutex> guard(lock_);
    return commands_;
}

std::vector<TReceivedMail> TFakeSmtpServer::Mails()
{
    std::lock_guard<std::mutex> guard(lock_);
    return mails_;
}

void TFakeSmtpServer::Serve()
{
    while (!stopping_) {
        SOCKET client = accept(listener_.Handle(), nullptr, nullptr);
        if (client == INVALID_SOCKET)
            return;
        ++connections_;
        Talk(client);
        closesocket(client);
    }
}

void TFakeSmtpServer::Talk(SOCKET client)
{
    if (behaviour_.Silent) {
        // Holds the connection open until the client gives up.
        std::string pending, line;
        while (ReadLine(client, pending, line)) {
        }
        return;
    }
    Sleep(behaviour_.ReplyDelay);
    Send(client, "220-localhost ESMTP test server");
    Send(client, "220 ready");
    std::string pending, line, from, to;
    bool authenticated = false;
    while (ReadLine(client, pending, line)) {
        {
            std::lock_guard<std::mutex> guard(lock_);
            commands_.push_back(line);
        }
        Sleep(behaviour_.ReplyDelay);
        if (StartsWith(line, behaviour_.CloseAt)) {
            Send(client, "421 4.3.2 Service shutting down");
            return;
        }
        if (StartsWith(line, "EHLO ")) {
            Send(client, "250-localhost greets you");
            Send(client, "250-AUTH LOGIN PLAIN");
            Send(client, "250 8BITMIME");
        } else if (StartsWith(line, "HELO ")) {
            Send(client, "250 localhost");
        } else if (line == "RSET") {
            from.clear();
            to.clear();
            Send(client, "250 2.0.0 OK");
        } else if (line == "AUTH LOGIN") {
            if (authenticated) {
                Send(client, "503 5.5.1 Error: already authenticated");
                continue;
            }
            std::string user, password;
            Send(client, "334 VXNlcm5hbWU6");
            if (!ReadLine(client, pending, user))
                return;
            Send(client, "334 UGFzc3dvcmQ6");
            if (!ReadLine(client, pending, password))
                return;
            {
                std::lock_guard<std::mutex> guard(lock_);
                commands_.push_back(user);
                commands_.push_back(password);
            }
            if (user == crashlog::EncodeBase64(behaviour_.User) &&
                password == crashlog::EncodeBase64(behaviour_.Password)) {
                authenticated = true;
                Send(client, "235 2.7.0 Authentication successful");
            } else {
                Send(client, "535 5.7.8 Authentication credentials invalid");
            }
        } else if (StartsWith(line, "MAIL FROM:")) {
            if (behaviour_.RequireAuth && !authenticated) {
                Send(client, "530 5.7.0 Authentication required");
                continue;
            }
            from = Between(line);
            Send(client, "250 2.1.0 OK");
        } else if (StartsWith(line, "RCPT TO:")) {
            if (from.empty()) {
                Send(client, "503 5.5.1 Error: need MAIL command");
            } else if (Between(line) == behaviour_.RefuseRecipient) {
                Send(client, "550 5.1.1 No such user");
            } else {
                to = Between(line);
                Send(client, "251-forwarded");
                Send(client, "250 2.1.5 OK");
            }
        } else if (line == "DATA") {
            if (to.empty()) {
                Send(client, "503 5.5.1 Error: need RCPT command");
                continue;
            }
            Send(client, "354 End data with <CR><LF>.<CR><LF>");
            while (behaviour_.StopReadingInData && !stopping_)
                Sleep(10);
            std::string data, dataLine;
            for (;;) {
                if (!ReadLine(client, pending, dataLine))
                    return;
                if (dataLine == ".")
                    break;
                if (!dataLine.empty() && dataLine[0] == '.')
                    dataLine.erase(0, 1);
                data += dataLine + "\r\n";
            }
            {
                std::lock_guard<std::mutex> guard(lock_);
                mails_.push_back({from, to, data});
            }
            Sleep(behaviour_.ReplyDelay);
            Send(client, "250 2.0.0 Ok: queued");
        } else if (line == "QUIT") {
            Send(client, "221 2.0.0 Bye");
            return;
        } else {
            Send(client, "502 5.5.2 Error: command not recognized");
        }
    }
}
