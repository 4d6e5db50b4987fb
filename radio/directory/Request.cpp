#include "radio/directory/Request.h"

#include <winsock2.h>
#include <windows.h>

#include <cctype>
#include <vector>

#include "radio/directory/Texts.h"
#include "radio/player/HttpStreamSource.h"
#include "radio/directory/RadioUtils.h"
#include "radio/player/Errors.h"
#include "radio/player/Status.h"
#include "classlib/system/KernelHandles.h"
#include "classlib/system/SocketHandles.h"
#include "radio/player/StreamUrl.h"

namespace radio {

namespace {

// The method as the service's clients have always named it; on the wire it is the standard
// verb, as the system's request object sends it.
const char* const kRequestMethod = "Get";
// The largest station lists are a few megabytes; far more is no reply of the service.
constexpr std::size_t kMaxReplyBytes = 32u * 1024 * 1024;

std::string WireMethod()
{
    std::string method = kRequestMethod;
    for (char& c : method)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return method;
}

// A waitable timer that fires at the request's deadline. The sources watch it as their stop
// event, so every wait of theirs (connect, send, receive) ends there at the latest.
cl::TOwnedHandle StartDeadline(unsigned timeoutMs)
{
    cl::TOwnedHandle timer(CreateWaitableTimerW(nullptr, TRUE, nullptr));
    LARGE_INTEGER due;
    due.QuadPart = -10000LL * static_cast<LONGLONG>(timeoutMs);
    if (!timer || !SetWaitableTimer(timer.get(), &due, 0, nullptr, nullptr, FALSE))
        throw EDirectoryServiceError(directory_text::Unreachable("no timer for the request"));
    return timer;
}

std::vector<std::uint8_t> ReadBody(TStreamSource& source)
{
    std::vector<std::uint8_t> body;
    while (source.Read(body)) {
        if (body.size() > kMaxReplyBytes)
            throw EDirectoryServiceError(directory_text::AnswerUnreadable(directory_text::kReplyTooLarge));
    }
    if (!source.Complete())
        throw EDirectoryServiceError(directory_text::AnswerUnreadable(directory_text::kReplyCut));
    return body;
}

// UTF-8 unless a UTF-16 byte-order mark says otherwise; the UTF-8 mark stays for the trimming.
std::wstring DecodeBody(const std::vector<std::uint8_t>& body)
{
    if (body.size() >= 2 && body[0] == 0xFF && body[1] == 0xFE) {
        std::wstring text((body.size() - 2) / 2, L'\0');
        for (std::size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(body[2 + 2 * i] | (body[3 + 2 * i] << 8));
        return text;
    }
    if (body.empty())
        return {};
    const char* bytes = reinterpret_cast<const char*>(body.data());
    const int size = static_cast<int>(body.size());
    std::wstring text(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes, size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes, size, text.data(), static_cast<int>(text.size()));
    return text;
}

}  // namespace

TDirectoryReply DirectoryGet(const std::string& address, unsigned timeoutMs)
{
    auto url = ParseStreamUrl(address);
    if (!url)
        throw EDirectoryServiceError(directory_text::Unreachable(directory_text::kBadAddress));
    cl::TWinsockUser winsock;
    if (!winsock.Started())
        throw EDirectoryServiceError(directory_text::Unreachable(directory_text::kNoNetwork));
    const cl::TOwnedHandle deadline = StartDeadline(timeoutMs);
    // Once a reply began, the server of that hop was reached: what fails then is what it answered.
    bool answered = false;
    try {
        for (int hops = 0;; ++hops) {
            answered = false;
            THttpStreamSource source(*url, deadline.get(), WireMethod());
            answered = true;
            const THttpResponseHeader& header = source.Header();
            if (header.IsRedirect()) {
                const auto next = ResolveStreamUrl(*url, header.Field("Location"));
                if (next && hops < kMaxDirectoryHops) {
                    url = next;
                    continue;
                }
                if (next)
                    throw EDirectoryServiceError(directory_text::TooManyRedirections(kMaxDirectoryHops));
            }
            TDirectoryReply reply;
            reply.Status = header.StatusCode;
            if (reply.Status == 200)
                reply.Body = DecodeBody(ReadBody(source));
            return reply;
        }
    } catch (const TStopRequested&) {
        throw EDirectoryServiceError(directory_text::NoAnswerWithin(timeoutMs));
    } catch (const EStreamPlayerError& e) {
        const std::string reason = status::ReasonOf(e.what());
        const bool unreadable = answered || e.what() == status::BadReply() || e.what() == status::HeaderTooLarge();
        throw EDirectoryServiceError(unreadable ? directory_text::AnswerUnreadable(reason)
                                                : directory_text::Unreachable(reason));
    }
}

}  // namespace radio
