#pragma once
// One HTTPS request for a stream through WinINet, which brings the system's TLS and
// certificate checks. Its calls block and watch no stop event (closing the handle from another
// thread blocks that thread too under Wine), so they are bounded by time-outs, and a session
// stuck in one is left to end by itself.
#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "radio/HttpResponse.h"
#include "radio/StopSignal.h"
#include "radio/StreamSource.h"
#include "radio/StreamUrl.h"

namespace radio {

struct TInternetHandleCloser {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};
using TInternetHandle = std::unique_ptr<void, TInternetHandleCloser>;

class TWinInetStreamSource : public TStreamSource {
public:
    // Throws EStreamPlayerError (host not found, cannot connect, certificate, no reply) or
    // TStopRequested.
    TWinInetStreamSource(const TStreamUrl& url, TStopSignal& stop);

    const THttpResponseHeader& Header() const override { return header_; }
    bool Read(std::vector<std::uint8_t>& out) override;

private:
    [[noreturn]] void Fail(const TStreamUrl& url);

    TStopSignal& stop_;
    TInternetHandle root_;
    TInternetHandle connection_;
    TInternetHandle request_;
    THttpResponseHeader header_;
};

}  // namespace radio
