#pragma once
// TLS for one connection through the system's security support provider (Schannel). It owns
// no network: the caller moves the bytes over a socket of its own, so closing that socket ends
// the connection at once, in the middle of a handshake too. The server's certificate is
// checked once the handshake is done (CertificateCheck.h).
#ifndef SECURITY_WIN32
#define SECURITY_WIN32
#endif
#include <windows.h>
#include <security.h>
#include <schannel.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace radio {

class TSecureChannel {
public:
    // Throws EStreamPlayerError when the system has no TLS for us.
    explicit TSecureChannel(const std::string& host);
    ~TSecureChannel();
    TSecureChannel(const TSecureChannel&) = delete;
    TSecureChannel& operator=(const TSecureChannel&) = delete;

    // The client's first handshake message.
    std::vector<std::uint8_t> Hello();
    // Takes from `in` what the handshake used and appends to `out` what is to be sent; true
    // once the connection is established and the certificate accepted (bytes left in `in` are
    // then the first records of data). False: more bytes from the server are needed. Throws
    // EStreamPlayerError (secure connection failed, or the certificate refused and why).
    bool Continue(std::vector<std::uint8_t>& in, std::vector<std::uint8_t>& out);

    // The records that carry data, appended to out.
    void Encrypt(const char* data, std::size_t size, std::vector<std::uint8_t>& out);

    enum class TRead { NeedMore, Data, Closed };
    // Decrypts the first whole record of `in` (removed from it) into out. Closed: the server
    // ended the secure session.
    TRead Decrypt(std::vector<std::uint8_t>& in, std::vector<std::uint8_t>& out);

private:
    void CheckCertificate();

    std::string host_;
    std::wstring wideHost_;
    CredHandle credentials_{};
    CtxtHandle context_{};
    bool haveCredentials_ = false;
    bool haveContext_ = false;
    SecPkgContext_StreamSizes sizes_{};
};

}  // namespace radio
