#pragma once
// One HTTPS request for a stream through WinINet, which brings the system's TLS and
// certificate checks. WinINet runs asynchronously here and every wait for it is ours: it
// watches the stop event and ends at TimeoutMs, because the system's own time-outs are not
// honoured everywhere (Wine blocks in a handshake with a server that never answers). A source
// given up on closes its handles at once; what WinINet's worker still does with them ends on
// its own, writing only into the shared state it keeps alive.
#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "radio/HttpResponse.h"
#include "radio/StreamSource.h"
#include "radio/StreamUrl.h"

namespace radio {

struct TInternetHandleCloser {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using TInternetHandle = std::unique_ptr<void, TInternetHandleCloser>;

class TWinInetStreamSource : public TStreamSource {
public:
    // Throws EStreamPlayerError (host not found, cannot connect, certificate, secure connection
    // failed, no reply) or TStopRequested.
    TWinInetStreamSource(const TStreamUrl& url, HANDLE stopEvent, std::string_view method = "GET");
    ~TWinInetStreamSource() override;

    const THttpResponseHeader& Header() const override { return header_; }
    bool Read(std::vector<std::uint8_t>& out) override;
    bool Complete() const override;

    // The longest wait for the connection, the handshake, the header or the next bytes.
    static DWORD TimeoutMs;

    // What an operation in progress and WinINet's worker share; public for the callback.
    struct TShared;

private:
    // After a call returned FALSE: waits for it when it went on in the background; false when
    // it failed (the error is then the thread's last error). A time-out throws timeoutStatus.
    bool Finish(BOOL result, const std::string& timeoutStatus);
    [[noreturn]] void Fail(const TStreamUrl& url, DWORD error);

    HANDLE stop_;
    std::shared_ptr<TShared> shared_;
    TInternetHandle root_;
    TInternetHandle connection_;
    TInternetHandle request_;
    THttpResponseHeader header_;
    std::optional<std::uint64_t> bodyLeft_;
};

}  // namespace radio
