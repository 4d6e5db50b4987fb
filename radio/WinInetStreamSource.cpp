#include "radio/WinInetStreamSource.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "radio/StreamPlayerErrors.h"
#include "radio/StreamPlayerStatus.h"

namespace radio {

namespace {

// Where the system honours them, no call blocks longer than this.
constexpr DWORD kTimeoutMs = 10000;
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

TWinInetStreamSource::TWinInetStreamSource(const TStreamUrl& url, TStopSignal& stop) : stop_(stop)
{
    root_.reset(InternetOpenA("TrebanixRadio/4.1", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (root_) {
        DWORD timeout = kTimeoutMs;
        InternetSetOptionA(root_.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
        InternetSetOptionA(root_.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
        InternetSetOptionA(root_.get(), INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof timeout);
        connection_.reset(InternetConnectA(root_.get(), url.Host.c_str(), static_cast<INTERNET_PORT>(url.Port),
                                           nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    }
    if (connection_) {
        // Redirections are followed by the session, with one limit for both kinds of source.
        const DWORD flags = INTERNET_FLAG_SECURE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                            INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;
        request_.reset(HttpOpenRequestA(connection_.get(), "GET", url.Target.c_str(), nullptr, nullptr,
                                        nullptr, flags, 0));
    }
    if (!request_)
        throw EStreamPlayerError(status::Internal("the system's internet functions failed"));
    const HINTERNET request = request_.get();

    const char extra[] = "Icy-MetaData: 1\r\n";
    if (!HttpSendRequestA(request, extra, static_cast<DWORD>(sizeof extra - 1), nullptr, 0))
        Fail(url);

    DWORD length = 0;
    HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &length, nullptr);
    std::string raw(length + 1, '\0');
    length = static_cast<DWORD>(raw.size());
    if (!HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, raw.data(), &length, nullptr))
        Fail(url);
    raw.resize(std::min<std::size_t>(length, raw.size()));
    const auto header = ParseHttpResponseHeader(raw);
    if (!header)
        throw EStreamPlayerError(status::BadReply());
    header_ = *header;
    // WinINet has taken the chunks apart already.
    std::erase_if(header_.Fields, [](const auto& field) { return IsTransferEncoding(field.first); });
}

void TWinInetStreamSource::Fail(const TStreamUrl& url)
{
    const DWORD error = GetLastError();
    if (stop_.Signalled())
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
    const std::size_t before = out.size();
    out.resize(before + kReadBytes);
    DWORD read = 0;
    const BOOL ok = InternetReadFile(request_.get(), out.data() + before, kReadBytes, &read);
    out.resize(before + (ok ? read : 0));
    if (stop_.Signalled())
        throw TStopRequested{};
    if (!ok)
        throw EStreamPlayerError(GetLastError() == ERROR_INTERNET_TIMEOUT ? status::NoReply()
                                                                          : status::ConnectionLost());
    return read > 0;
}

}  // namespace radio
