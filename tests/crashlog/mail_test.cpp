// The SMTP client against a local server started by each test, and Simple MAPI and mailto
// through a fake client library and a recording program registered where the system looks.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>

#include <windows.h>

#include "crashlog/EMail.h"
#include "crashlog/EOptions.h"
#include "smtp_server.h"

using namespace crashlog;
namespace fs = std::filesystem;

namespace {

// Points the client at the test's server for the test's duration.
class TMailTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = MailSettings();
        MailSettings().SmtpTimeout = 20000;  // a bound against a hang only
        options_.SMTPHost = "127.0.0.1";
    }
    void TearDown() override { MailSettings() = saved_; }

    bool Send(TFakeSmtpServer& server, const std::string& addresses, const std::string& body = "A report.",
              const TMailAttachment* attachment = nullptr)
    {
        MailSettings().SmtpPort = server.Port();
        return SendEmailBySMTP(options_, SplitRecipients(addresses), "Crash", body, attachment, results_, error_);
    }

    static long Count(const std::vector<std::string>& lines, const std::string& prefix)
    {
        return std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& l) { return l.compare(0, prefix.size(), prefix) == 0; });
    }

    TMailSettings saved_{};
    TVozozoModuleOptions options_{"prog.exe"};
    std::vector<TRecipientResult> results_;
    std::string error_;
};

}  // namespace

TEST_F(TMailTest, TwoRecipientsAuthenticateOnceOnOneConnection)
{
    TFakeSmtpServer server({.RequireAuth = true});
    options_.SMTPUserID = "user";
    options_.SMTPPassword = "secret";
    ASSERT_TRUE(Send(server, " a@example.org ; b@example.org ")) << error_;
    EXPECT_EQ(server.Connections(), 1);
    const std::vector<std::string> commands = server.Commands();
    EXPECT_EQ(Count(commands, "EHLO "), 1);
    EXPECT_EQ(Count(commands, "AUTH LOGIN"), 1);
    EXPECT_EQ(Count(commands, "QUIT"), 0);
    EXPECT_NE(std::find(commands.begin(), commands.end(), "dXNlcg=="), commands.end());
    EXPECT_NE(std::find(commands.begin(), commands.end(), "c2VjcmV0"), commands.end());
    const std::vector<TReceivedMail> mails = server.Mails();
    ASSERT_EQ(mails.size(), 2u);
    EXPECT_EQ(mails[0].To, "a@example.org");
    EXPECT_EQ(mails[1].To, "b@example.org");
    EXPECT_NE(mails[1].Data.find("To: <b@example.org>\r\n"), std::string::npos);
    ASSERT_EQ(results_.size(), 2u);
    EXPECT_TRUE(results_[0].Sent && results_[1].Sent);
    // The password is in no text the client keeps.
    EXPECT_EQ(error_.find("secret"), std::string::npos);
}

TEST_F(TMailTest, AUserWithAnEmptyPasswordStillAuthenticates)
{
    TFakeSmtpServer server({.Password = ""});
    options_.SMTPUserID = "user";
    ASSERT_TRUE(Send(server, "a@example.org")) << error_;
    const std::vector<std::string> commands = server.Commands();
    EXPECT_EQ(Count(commands, "EHLO "), 1);
    EXPECT_EQ(Count(commands, "AUTH LOGIN"), 1);
}

TEST_F(TMailTest, WithoutAUserTheClientSaysHelo)
{
    TFakeSmtpServer server({});
    ASSERT_TRUE(Send(server, "a@example.org")) << error_;
    const std::vector<std::string> commands = server.Commands();
    EXPECT_EQ(Count(commands, "HELO "), 1);
    EXPECT_EQ(Count(commands, "AUTH"), 0);
}

TEST_F(TMailTest, LinesStartingWithAPointArriveUnchanged)
{
    TFakeSmtpServer server({});
    const std::string body = "first\r\n.x starts with a point\r\n.\r\n..two\r\nlast";
    ASSERT_TRUE(Send(server, "a@example.org", body)) << error_;
    const std::vector<TReceivedMail> mails = server.Mails();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_NE(mails[0].Data.find("\r\n\r\n" + body + "\r\n"), std::string::npos) << mails[0].Data;
    // Bare line feeds and returns are line breaks too.
    ASSERT_TRUE(Send(server, "a@example.org", "first\n.second\r.third\n")) << error_;
    ASSERT_EQ(server.Mails().size(), 2u);
    EXPECT_NE(server.Mails()[1].Data.find("\r\n\r\nfirst\r\n.second\r\n.third\r\n\r\n"), std::string::npos)
        << server.Mails()[1].Data;
}

TEST_F(TMailTest, RefusedCredentialsSendNothing)
{
    TFakeSmtpServer server({.RequireAuth = true});
    options_.SMTPUserID = "user";
    options_.SMTPPassword = "wrong";
    EXPECT_FALSE(Send(server, "a@example.org;b@example.org"));
    EXPECT_EQ(error_.rfind("535", 0), 0u) << error_;
    EXPECT_EQ(Count(server.Commands(), "MAIL FROM"), 0);
    EXPECT_TRUE(server.Mails().empty());
    EXPECT_EQ(error_.find("wrong"), std::string::npos);
}

TEST_F(TMailTest, AServerThatRequiresAuthenticationRefusesAnonymousMail)
{
    TFakeSmtpServer server({.RequireAuth = true});
    EXPECT_FALSE(Send(server, "a@example.org"));
    ASSERT_EQ(results_.size(), 1u);
    EXPECT_FALSE(results_[0].Sent);
    EXPECT_EQ(results_[0].Reply.rfind("530", 0), 0u) << results_[0].Reply;
}

TEST_F(TMailTest, ARefusedRecipientDoesNotStopTheNextButFailsTheCall)
{
    TFakeSmtpServer server({.RefuseRecipient = "a@example.org"});
    EXPECT_FALSE(Send(server, "a@example.org,b@example.org"));
    ASSERT_EQ(results_.size(), 2u);
    EXPECT_FALSE(results_[0].Sent);
    EXPECT_EQ(results_[0].Reply.rfind("550", 0), 0u);
    EXPECT_TRUE(results_[1].Sent);
    ASSERT_EQ(server.Mails().size(), 1u);
    EXPECT_EQ(server.Mails()[0].To, "b@example.org");
}

TEST_F(TMailTest, AServerClosingTheConnectionFailsTheRestWithoutResending)
{
    TFakeSmtpServer server({.CloseAt = "RCPT TO:<a@"});
    EXPECT_FALSE(Send(server, "a@example.org;b@example.org"));
    ASSERT_EQ(results_.size(), 2u);
    EXPECT_FALSE(results_[0].Sent);
    EXPECT_FALSE(results_[1].Sent);
    EXPECT_EQ(error_.rfind("421", 0), 0u) << error_;
    EXPECT_EQ(Count(server.Commands(), "RCPT TO:<b@"), 0);
    EXPECT_EQ(server.Connections(), 1);
}

TEST_F(TMailTest, NoServerIsAConnectionError)
{
    // A port that was just free: nothing listens there.
    unsigned short port;
    {
        TFakeSmtpServer gone({});
        port = gone.Port();
    }
    MailSettings().SmtpPort = port;
    EXPECT_FALSE(SendEmailBySMTP(options_, {"a@example.org"}, "Crash", "body", nullptr, results_, error_));
    EXPECT_EQ(error_.rfind("Connection error: \"", 0), 0u) << error_;
}

TEST_F(TMailTest, ASilentServerEndsInATimeOut)
{
    TFakeSmtpServer server({.Silent = true});
    MailSettings().SmtpTimeout = 300;
    EXPECT_FALSE(Send(server, "a@example.org"));
    EXPECT_EQ(error_, "Socket timeout.");
}

namespace {

// A window of this thread that paints itself in the colour another thread chose.
class TPaintedWindow {
public:
    TPaintedWindow()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "MailTestPainted";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(WS_EX_TOPMOST, "MailTestPainted", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 60, nullptr,
                                  nullptr, wc.hInstance, nullptr);
        UpdateWindow(window_);
    }
    ~TPaintedWindow() { DestroyWindow(window_); }
    TPaintedWindow(const TPaintedWindow&) = delete;
    TPaintedWindow& operator=(const TPaintedWindow&) = delete;
    HWND Handle() const { return window_; }
    static inline std::atomic<COLORREF> Colour{RGB(255, 255, 255)};

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l)
    {
        if (message != WM_PAINT)
            return DefWindowProcA(window, message, w, l);
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH brush = CreateSolidBrush(Colour);
        FillRect(dc, &paint.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    HWND window_;
};

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

}  // namespace

// Every reply within its own bound, but all of them together past the bound of the whole; the
// sending thread's window is drawn again meanwhile. The bounds are those of the program scaled
// down (20 s per reply against 30 s and 60 s).
TEST_F(TMailTest, ASlowServerIsLeftAtTheBoundOfTheWholeWhileTheWindowsPaint)
{
    TFakeSmtpServer server({.ReplyDelay = 600});
    MailSettings().SmtpTimeout = 900;
    MailSettings().SmtpTotalTimeout = 1800;
    TPaintedWindow window;
    TPaintedWindow::Colour = RGB(255, 255, 255);
    std::atomic<bool> sending{true}, repainted{false};
    // Once the conversation runs, the window is asked for a new colour and watched on the screen.
    std::thread watcher([&] {
        while (sending && server.Commands().empty())
            Sleep(10);
        TPaintedWindow::Colour = RGB(200, 0, 0);
        InvalidateRect(window.Handle(), nullptr, FALSE);
        while (sending && !repainted) {
            repainted = ScreenPixel(30, 30) == RGB(200, 0, 0) && sending;
            Sleep(10);
        }
    });
    const bool sent = Send(server, "a@example.org");
    sending = false;
    watcher.join();
    EXPECT_FALSE(sent);
    EXPECT_EQ(error_, "Socket timeout.");
    EXPECT_TRUE(server.Mails().empty());
    EXPECT_TRUE(repainted);
}

// A server that stops reading during the message: sending is given up at the bound, as waiting
// for a reply is, with a message larger than what both ends of the connection can hold. The
// bound is the send's own, or what is left of the whole conversation's when that is less (a
// send's own bound of ten minutes here).
TEST_F(TMailTest, AServerThatStopsReadingDuringTheMessageIsLeftAtTheBound)
{
    const std::string line = std::string(78, 'x') + "\r\n";
    std::string body;
    body.reserve(300000 * line.size());
    for (int i = 0; i < 300000; ++i)
        body += line;
    for (const unsigned ownBound : {900u, 600000u}) {
        SCOPED_TRACE(ownBound);
        auto server = std::make_unique<TFakeSmtpServer>(TSmtpBehaviour{.StopReadingInData = true});
        MailSettings().SmtpTimeout = ownBound;
        MailSettings().SmtpTotalTimeout = 1800;
        std::atomic<bool> done{false};
        bool sent = true;
        std::thread sender([&] {
            sent = Send(*server, "a@example.org", body);
            done = true;
        });
        // A bound only against a send that never ends: then the server goes, which ends it.
        for (int i = 0; i < 6000 && !done; ++i)
            Sleep(10);
        const bool ended = done;
        server.reset();
        sender.join();
        EXPECT_TRUE(ended);
        EXPECT_FALSE(sent);
        EXPECT_EQ(error_, "Socket timeout.");
    }
}

TEST_F(TMailTest, TheLogFileTravelsAsAnAttachment)
{
    TFakeSmtpServer server({});
    TMailAttachment attachment{"C:\\logs\\prog.elf", "line one\r\n.line two\r\n"};
    ASSERT_TRUE(Send(server, "a@example.org", "See the log.", &attachment)) << error_;
    ASSERT_EQ(server.Mails().size(), 1u);
    const std::string data = server.Mails()[0].Data;
    EXPECT_NE(data.find("Content-Type: multipart/mixed; boundary=\"=_xcjvnxkbhvfkxzhfdbvzldjhfv\";\r\n"),
              std::string::npos);
    EXPECT_NE(data.find("        filename=\"prog.elf\"\r\n\r\nline one\r\n.line two\r\n--=_xcjvnxkbhvfkxzhfdbvzldjhfv--\r\n"),
              std::string::npos)
        << data;
}

namespace {

// A registry key of the test's own under the current user, deleted at the end.
class TTestKey {
public:
    explicit TTestKey(std::string path) : path_(std::move(path)) {}
    ~TTestKey()
    {
        for (const std::string& sub : subKeys_)
            RegDeleteKeyA(HKEY_CURRENT_USER, (path_ + "\\" + sub).c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
    }
    void Set(const std::string& subKey, const char* value, const std::string& data)
    {
        HKEY key = nullptr;
        const std::string full = subKey.empty() ? path_ : path_ + "\\" + subKey;
        if (!subKey.empty())
            subKeys_.push_back(subKey);
        RegCreateKeyExA(HKEY_CURRENT_USER, full.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1));
        RegCloseKey(key);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::vector<std::string> subKeys_;
};

std::string TestFolder()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path().string();
}

}  // namespace

TEST_F(TMailTest, SimpleMapiGoesThroughTheDefaultClientsLibrary)
{
    std::error_code ignored;
    fs::remove(TestFolder() + "\\crashlog_fakemapi.txt", ignored);
    TTestKey key("Software\\TrebanixTests\\Mail");
    key.Set("", nullptr, "Fake Mail");
    key.Set("Fake Mail", "DLLPath", TestFolder() + "\\crashlog_fakemapi.dll");
    MailSettings().MailClientsRoot = HKEY_CURRENT_USER;
    MailSettings().MailClientsKey = key.Path();
    ASSERT_TRUE(SendEmailByMAPI({"a@example.org", "b@example.org"}, "Crash", "See the log.", "C:\\logs\\prog.elf",
                                error_))
        << error_;
    // The library is freed after sending; what it was asked is in its record beside it.
    EXPECT_EQ(GetModuleHandleA("crashlog_fakemapi.dll"), nullptr);
    std::ifstream in(TestFolder() + "\\crashlog_fakemapi.txt", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    fs::remove(TestFolder() + "\\crashlog_fakemapi.txt");
    EXPECT_EQ(text,
              "logon ui\nresolve a@example.org\nresolve b@example.org\n"
              "send subject=Crash note=See the log. to=a@example.org,b@example.org files=prog.elf:C:\\logs\\prog.elf\n"
              "logoff\n");
}

TEST_F(TMailTest, SimpleMapiWithoutALibraryFails)
{
    TTestKey key("Software\\TrebanixTests\\NoMail");
    key.Set("", nullptr, "Gone");
    key.Set("Gone", "DLLPath", TestFolder() + "\\no-such-mapi.dll");
    MailSettings().MailClientsRoot = HKEY_CURRENT_USER;
    MailSettings().MailClientsKey = key.Path();
    EXPECT_FALSE(SendEmailByMAPI({"a@example.org"}, "Crash", "body", "", error_));
    EXPECT_EQ(error_, "Cannot open the MAPI dll.");
}

TEST_F(TMailTest, TheMailtoHandlerGetsOneEncodedAddress)
{
    const fs::path record = fs::temp_directory_path() / ("crashlog-mailto-" + std::to_string(GetCurrentProcessId()));
    std::error_code ignored;
    fs::remove(record, ignored);
    TTestKey key("Software\\TrebanixTests\\mailto");
    key.Set("", nullptr,
            "\"" + TestFolder() + "\\crashlog_crash.exe\" record-argument nolog \"" + record.string() + "\" %1");
    MailSettings().MailtoRoot = HKEY_CURRENT_USER;
    MailSettings().MailtoKey = key.Path();
    ASSERT_TRUE(SendEmailByShell("a@example.org; b@example.org", "Crash & burn", "line 1\r\n\"quoted\" 100%", error_))
        << error_;
    std::string text;
    // The handler runs on its own; a bound only against it never writing.
    for (int i = 0; i < 2000 && text.empty(); ++i) {
        std::ifstream in(record, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (text.empty())
            Sleep(10);
    }
    fs::remove(record, ignored);
    EXPECT_EQ(text,
              "mailto:a@example.org,b@example.org?Subject=Crash%20%20burn&Body=line%201%0D%0A%22quoted%22%20100%25\n");
}
