#include "radio/RadioUtils.h"

#include <windows.h>

#include <memory>

#include "classlib/XmlDoc.h"
#include "radio/RegistryManager.h"

#ifndef TREBANIX_SERVICE_URL
#define TREBANIX_SERVICE_URL "http://127.0.0.1:8765"
#endif

unsigned TRadioUtils::RequestTimeoutMs = 20000;

namespace {

// What the caller and the request thread share. The caller may give up on a thread that does
// not end; the thread then still owns its half.
struct TRequest {
    std::wstring url;
    DWORD timeoutMs = 0;
    HRESULT failure = S_OK;
    bool timedOut = false;
    long status = 0;
    std::wstring text;
};

void PumpOwnMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Runs on a thread of its own, in an apartment of its own: the request object needs messages
// pumped while it works, and these are the only messages this thread has.
void PerformRequest(TRequest& request)
{
    cl::TComApartment apartment;
    cl::TComPtr<IXMLHTTPRequest> http = cl::CreateXmlHttpRequest();
    cl::TVariant async(true), none(std::wstring_view(L""));
    cl::OleCheck(http->open(cl::TBStr(L"Get").Get(), cl::TBStr(request.url).Get(), async.In(), none.In(), none.In()));
    cl::OleCheck(http->send(none.In()));
    DWORD start = GetTickCount();
    for (;;) {
        long state = 0;
        cl::OleCheck(http->get_readyState(&state));
        if (state == 4)
            break;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= request.timeoutMs) {
            request.timedOut = true;
            http->abort();
            return;
        }
        // Progress normally arrives as messages; the short cap keeps us looking even when a
        // state change comes without one.
        DWORD wait = request.timeoutMs - elapsed;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait < 50 ? wait : 50, QS_ALLINPUT);
        PumpOwnMessages();
    }
    cl::OleCheck(http->get_status(&request.status));
    if (request.status == 200) {
        cl::TBStr text;
        cl::OleCheck(http->get_responseText(text.Put()));
        request.text = TRadioUtils::TrimReply(text.ToWide());
    }
}

DWORD WINAPI RequestThread(void* parameter)
{
    std::unique_ptr<std::shared_ptr<TRequest>> holder(static_cast<std::shared_ptr<TRequest>*>(parameter));
    TRequest& request = **holder;
    // Nothing may unwind into the system's thread start.
    try {
        PerformRequest(request);
    } catch (const cl::EOleSysError& e) {
        request.failure = e.ErrorCode() ? e.ErrorCode() : E_FAIL;
    } catch (...) {
        request.failure = E_UNEXPECTED;
    }
    return 0;
}

}  // namespace

std::wstring TRadioUtils::TrimReply(const std::wstring& text)
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
    auto request = std::make_shared<TRequest>();
    request->url = cl::StringToWide(url);
    request->timeoutMs = RequestTimeoutMs;
    auto* holder = new std::shared_ptr<TRequest>(request);
    HANDLE thread = CreateThread(nullptr, 0, RequestThread, holder, 0, nullptr);
    if (!thread) {
        delete holder;
        throw EDirectoryServiceError("The directory service request could not be started");
    }
    // The thread gives up by itself at the time-out; the margin covers a request object that
    // does not come back from abort at once.
    DWORD waited = WaitForSingleObject(thread, RequestTimeoutMs + 5000);
    CloseHandle(thread);
    if (waited != WAIT_OBJECT_0 || request->timedOut)
        throw EDirectoryServiceError(
            cl::Format("The directory service did not answer within %d ms", int(RequestTimeoutMs)));
    if (FAILED(request->failure))
        throw EDirectoryServiceError(
            cl::Format("The directory service could not be reached (error %.8x: %s)",
                       unsigned(request->failure), cl::SysErrorMessage(std::uint32_t(request->failure))));
    THttpReply reply;
    reply.Status = request->status;
    reply.Text = std::move(request->text);
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
    THttpReply reply = HttpGet(AccountCheckURL(user, password, random));
    return reply.Status == 200 && reply.Text == L"1";
}
