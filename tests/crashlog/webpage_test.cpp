// The error page, its headers, the WinCGI settings and the ISAPI answer through a hand-built
// extension control block.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "crashlog/EOptions.h"
#include "crashlog/EWebPage.h"

using namespace crashlog;
namespace fs = std::filesystem;

TEST(WebPage, TextBecomesHtmlWithMarkupEscaped)
{
    EXPECT_EQ(TextToHTML("a b\r\nc"), "a&nbsp;b<br>c");
    EXPECT_EQ(TextToHTML("<script>x & \"y\"</script>"), "&lt;script&gt;x&nbsp;&amp;&nbsp;&quot;y&quot;&lt;/script&gt;");
}

TEST(WebPage, PageAndHeaders)
{
    TVozozoModuleOptions options("prog.exe");
    options.SetCustomizedText(2, "Error <1>");
    options.SetCustomizedText(3, "Sorry.");
    const std::string page = BuildWebPage(options, "Type: <b>");
    EXPECT_EQ(page,
              "<html><head><title>Error &lt;1&gt;</title></head><body>"
              "<p><small><font face=\"Lucida Console,Courier\">Sorry.<br><br>Type:&nbsp;&lt;b&gt;"
              "</font></small></p></body></html>");
    EXPECT_EQ(WebPageHeaders(TWebKind::CGI, 12),
              "Status: 500 Error\r\nContent-Type: text/html\r\nContent-Length: 12\r\nContent:\r\n\r\n");
    EXPECT_EQ(WebPageHeaders(TWebKind::ISAPI, 7), "Content-Type: text/html\r\nContent-Length: 7\r\nContent:\r\n\r\n");
}

namespace {

fs::path TempFolder(const char* name)
{
    const fs::path dir = fs::temp_directory_path() / (std::string(name) + std::to_string(GetCurrentProcessId()));
    fs::create_directories(dir);
    return dir;
}

void WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(WebPage, WinCGIProfileUpToItsSizeLimit)
{
    const fs::path dir = TempFolder("crashlog-wincgi-");
    const fs::path profile = dir / "request.ini", output = dir / "out.htm";
    WriteFile(output, "");
    std::string text = "[CGI]\r\nRequest Method=GET\r\n[System]\r\nOutput File=" + output.string() + "\r\n";
    text += ";" + std::string(102400 - text.size() - 3, 'x') + "\r\n";
    WriteFile(profile, text);
    std::string found;
    EXPECT_TRUE(IsWinCGI({profile.string()}, found));  // 102400 bytes
    EXPECT_EQ(found, output.string());
    WriteFile(profile, text + "x");
    EXPECT_FALSE(IsWinCGI({profile.string()}, found));  // 102401 bytes
    WriteFile(profile, "[CGI]\r\nRequest Method=\r\n");
    EXPECT_FALSE(IsWinCGI({profile.string(), "", output.string()}, found));

    ASSERT_TRUE(SendWebPageToFile(output.string(), "<html></html>"));
    EXPECT_EQ(ReadFile(output),
              "Status: 500 Error\r\nContent-Type: text/html\r\nContent-Length: 13\r\nContent:\r\n\r\n<html></html>");
    fs::remove_all(dir);
}

namespace {

std::string headerSent, statusSent, bodySent;

BOOL WINAPI FakeSupport(HCONN, DWORD request, LPVOID buffer, LPDWORD, LPDWORD data)
{
    if (request != HSE_REQ_SEND_RESPONSE_HEADER)
        return FALSE;
    statusSent = static_cast<const char*>(buffer);
    headerSent = reinterpret_cast<const char*>(data);
    return TRUE;
}

BOOL WINAPI FakeWrite(HCONN, LPVOID buffer, LPDWORD size, DWORD)
{
    bodySent.assign(static_cast<const char*>(buffer), *size);
    return TRUE;
}

}  // namespace

TEST(WebPage, ISAPIAnswersWithStatus500)
{
    EXTENSION_CONTROL_BLOCK ecb{};
    ecb.cbSize = sizeof ecb;
    ecb.ServerSupportFunction = FakeSupport;
    ecb.WriteClient = FakeWrite;
    ASSERT_TRUE(SendWebPageToServer(&ecb, "<html>x</html>"));
    EXPECT_EQ(ecb.dwHttpStatusCode, 500u);
    EXPECT_EQ(statusSent, "500 Error");
    EXPECT_EQ(headerSent, "Content-Type: text/html\r\nContent-Length: 14\r\nContent:\r\n\r\n");
    EXPECT_EQ(bodySent, "<html>x</html>");
    EXPECT_FALSE(SendWebPageToServer(nullptr, "x"));
}
