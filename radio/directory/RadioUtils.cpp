#include "radio/directory/RadioUtils.h"

#include <windows.h>

#include "radio/directory/Request.h"
#include "radio/directory/Texts.h"
#include "radio/directory/PaintingWait.h"
#include "radio/directory/RegistryManager.h"

#ifndef TREBANIX_SERVICE_URL
#define TREBANIX_SERVICE_URL "http://127.0.0.1:8765"
#endif

// Short enough that the program's start, which asks twice, is no long freeze when the service
// has gone silent; a service that is simply down refuses at once.
unsigned TRadioUtils::RequestTimeoutMs = 5000;

std::wstring_view TRadioUtils::TrimReply(std::wstring_view text)
{
    size_t first = 0, last = text.size();
    if (first < last && text[first] == 0xFEFF)
        ++first;
    while (first < last && text[first] <= L' ')
        ++first;
    while (last > first && text[last - 1] <= L' ')
        --last;
    return text.substr(first, last - first);
}

std::string TRadioUtils::ServiceURL()
{
    std::string url = cl::GetEnvVar("TREBANIX_SERVICE_URL");
    if (url.empty())
        url = TREBANIX_SERVICE_URL;
    while (!url.empty() && url.back() == '/')
        url.pop_back();
    return url;
}

std::string TRadioUtils::EncodeQueryValue(std::string_view value)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string utf8 = cl::AnsiToUtf8(value);
    std::string result;
    result.reserve(utf8.size() * 3);
    for (unsigned char c : utf8) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            result += static_cast<char>(c);
        } else {
            result += '%';
            result += kHex[c >> 4];
            result += kHex[c & 15];
        }
    }
    return result;
}

std::string TRadioUtils::ChannelListURL(std::string_view user, std::string_view password, int random)
{
    return ServiceURL() + cl::Format("/files/video/radioserver30.html?user=%s&password=%s&action=11&x=%d",
                                     EncodeQueryValue(user), EncodeQueryValue(password), random);
}

std::string TRadioUtils::AccountCheckURL(std::string_view user, std::string_view password, int random)
{
    return ServiceURL() + cl::Format("/files/video/recserver20.html?user=%s&password=%s&action=1&x=%d",
                                     EncodeQueryValue(user), EncodeQueryValue(password), random);
}

THttpReply TRadioUtils::HttpGet(const std::string& url)
{
    radio::TDirectoryReply answer;
    const unsigned timeoutMs = RequestTimeoutMs;
    radio::RunWhilePainting([&] { answer = radio::DirectoryGet(url, timeoutMs); });
    THttpReply reply;
    reply.Status = answer.Status;
    reply.Text = std::wstring(TrimReply(answer.Body));
    return reply;
}

bool TRadioUtils::ValidateAccount()
{
    int random = cl::Random(999999);
    std::string user, password;
    {
        TRegManager settings;
        user = settings.GetUserName();
        password = settings.GetPassword();
    }
    return AccountAccepted(AccountCheckURL(user, password, random));
}

bool TRadioUtils::ValidateAccount(const std::string& user, const std::string& password)
{
    return AccountAccepted(AccountCheckURL(user, password, cl::Random(999999)));
}

bool TRadioUtils::AccountAccepted(const std::string& checkURL)
{
    THttpReply reply = HttpGet(checkURL);
    // Only the service itself saying no is a wrong account. Another status, or a page in place
    // of the answer (a captive portal's login, say), is a service that failed: the stored
    // account may well be right.
    if (reply.Status != 200)
        throw EDirectoryServiceError(radio::directory_text::AnsweredWithStatus(reply.Status));
    if (!reply.Text.empty() && reply.Text.front() == L'<')
        throw EDirectoryServiceError(radio::directory_text::kNoAccountAnswer);
    return reply.Text == L"1";
}
