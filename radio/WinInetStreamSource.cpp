#include "radio/WinInetStreamSource.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "radio/StreamPlayerErrors.h"
#include "radio/StreamPlayerStatus.h"

namespace radio {

DWORD TWinInetStreamSource::TimeoutMs = 10000;

namespace {

constexpr DWORD kReadBytes = 16 * 1024;

bool CertificateError(DWORD error)
{
    switch (error) {
    case ERROR_INTERNET_INVALID_CA:
    case ERROR_INTERNET_SEC_CERT_CN_INVALID:
    case ERROR_INTERNET_SEC_CERT_DATE_INVALID:
    case ERROR_INTERNET_SEC_CERT_ERRORS:
    case ERROR_INTERNET_SEC_CERT_REVOKED:
    case ERROR_INTERNET_SEC_INVALID_CERT:
        return true;
    default:
        return false;
    }
}

bool IsTransferEncoding(const std::string& name)
{
    static const char kName[] = "transfer-encoding";
    if (name.size() != sizeof kName - 1)
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[i])) != kName[i])
            return false;
    return true;
}

}  // namespace

struct TWinInetStreamSource::TShared {
    TShared() : done(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    ~TShared()
    {
        if (done)
            CloseHandle(done);
    }
    TShared(const TShared&) = delete;
    TShared& operator=(const TShared&) = delete;

    HANDLE done;  // set when an operation that went on in the background has ended
    DWORD result = 0;
    DWORD error = 0;
    // Where a read that goes on in the background puts its bytes and their count.
    std::vector<std::uint8_t> buffer = std::vector<std::uint8_t>(kReadBytes);
    DWORD read = 0;
};

namespace {

// WinINet's worker calls this; the request's context is a heap copy of the shared pointer,
// given back when the request handle is finally gone. Nothing may unwind out of here.
void CALLBACK StatusCallback(HINTERNET, DWORD_PTR context, DWORD status, void* info, DWORD) noexcept
{
    if (!context)
        return;
    auto* shared = reinterpret_cast<std::shared_ptr<TWinInetStreamSource::TShared>*>(context);
    if (status == INTERNET_STATUS_REQUEST_COMPLETE && info) {
        const auto* result = static_cast<const INTERNET_ASYNC_RESULT*>(info);
        (*shared)->result = static_cast<DWORD>(result->dwResult);
        (*shared)->error = result->dwError;
        SetEvent((*shared)->done);
    } else if (status == INTERNET_STATUS_HANDLE_CLOSING) {
        delete shared;
    }
}

}  // namespace

TWinInetStreamSource::TWinInetStreamSource(const TStreamUrl& url, HANDLE stopEvent, std::string_view method)
    : stop_(stopEvent), shared_(std::make_shared<TShared>())
{
    if (!shared_->done)
        throw EStreamPlayerError(status::Internal("no event for the network"));
    root_.reset(InternetOpenA("TrebanixRadio/4.1", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr,
                              INTERNET_FLAG_ASYNC));
    if (root_) {
        InternetSetStatusCallbackA(root_.get(), &StatusCallback);
        connection_.reset(InternetConnectA(root_.get(), url.Host.c_str(), static_cast<INTERNET_PORT>(url.Port),
                                           nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    }
    if (connection_) {
        // Redirections are followed by the caller, with one limit for both kinds of source.
        const DWORD flags = INTERNET_FLAG_SECURE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                            INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;
        auto* context = new std::shared_ptr<TShared>(shared_);
        request_.reset(HttpOpenRequestA(connection_.get(), std::string(method).c_str(), url.Target.c_str(),
                                        nullptr, nullptr, nullptr, flags, reinterpret_cast<DWORD_PTR>(context)));
        if (!request_)
            delete context;
    }
    if (!request_)
        throw EStreamPlayerError(status::Internal("the system's internet functions failed"));
    const HINTERNET request = request_.get();

    // The handshake is part of sending: a server that accepts and never answers it is a
    // secure connection that failed.
    const char extra[] = "Icy-MetaData: 1\r\n";
    if (!Finish(HttpSendRequestA(request, extra, static_cast<DWORD>(sizeof extra - 1), nullptr, 0),
                status::SecureFailed()))
        Fail(url, GetLastError());

    DWORD length = 0;
    HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &length, nullptr);
    std::string raw(length + 1, '\0');
    length = static_cast<DWORD>(raw.size());
    if (!HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, raw.data(), &length, nullptr))
        Fail(url, GetLastError());
    raw.resize(std::min<std::size_t>(length, raw.size()));
    const auto header = ParseHttpResponseHeader(raw);
    if (!header)
        throw EStreamPlayerError(status::BadReply());
    header_ = *header;
    // WinINet has taken the chunks apart already.
    std::erase_if(header_.Fields, [](const auto& field) { return IsTransferEncoding(field.first); });
    bodyLeft_ = header_.ContentLength();
}

TWinInetStreamSource::~TWinInetStreamSource()
{
    // The request first: an operation still going on then ends with it, or, where the system
    // cannot interrupt it, later and into the shared state only.
    request_.reset();
    connection_.reset();
    root_.reset();
}

bool TWinInetStreamSource::Finish(BOOL result, const std::string& timeoutStatus)
{
    if (result)
        return true;
    if (GetLastError() != ERROR_IO_PENDING)
        return false;
    const HANDLE handles[2] = {stop_, shared_->done};
    const DWORD waited = WaitForMultipleObjects(2, handles, FALSE, TimeoutMs);
    if (waited == WAIT_OBJECT_0)
        throw TStopRequested{};
    if (waited == WAIT_TIMEOUT)
        throw EStreamPlayerError(timeoutStatus);
    if (waited != WAIT_OBJECT_0 + 1)
        throw EStreamPlayerError(status::Internal("waiting for the network failed"));
    if (shared_->result)
        return true;
    SetLastError(shared_->error);
    return false;
}

void TWinInetStreamSource::Fail(const TStreamUrl& url, DWORD error)
{
    if (WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0)
        throw TStopRequested{};
    if (error == ERROR_INTERNET_NAME_NOT_RESOLVED)
        throw EStreamPlayerError(status::HostNotFound(url.Host));
    if (error == ERROR_INTERNET_CANNOT_CONNECT)
        throw EStreamPlayerError(status::CannotConnect(url.HostField()));
    if (error == ERROR_INTERNET_TIMEOUT)
        throw EStreamPlayerError(status::NoReply());
    if (CertificateError(error))
        throw EStreamPlayerError(status::CertificateRefused());
    throw EStreamPlayerError(status::SecureFailed());
}

bool TWinInetStreamSource::Read(std::vector<std::uint8_t>& out)
{
    // The bytes land in the shared buffer, which outlives us should the read outlive us.
    shared_->read = 0;
    const BOOL started = InternetReadFile(request_.get(), shared_->buffer.data(), kReadBytes, &shared_->read);
    if (!Finish(started, status::NoReply())) {
        const DWORD error = GetLastError();
        if (WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0)
            throw TStopRequested{};
        throw EStreamPlayerError(error == ERROR_INTERNET_TIMEOUT ? status::NoReply() : status::ConnectionLost());
    }
    const DWORD read = std::min<DWORD>(shared_->read, kReadBytes);
    out.insert(out.end(), shared_->buffer.begin(), shared_->buffer.begin() + read);
    if (bodyLeft_)
        *bodyLeft_ -= std::min<std::uint64_t>(*bodyLeft_, read);
    return read > 0;
}

bool TWinInetStreamSource::Complete() const
{
    // WinINet takes chunks apart itself and says nothing of a missing last one.
    return !bodyLeft_ || *bodyLeft_ == 0;
}

}  // namespace radio
