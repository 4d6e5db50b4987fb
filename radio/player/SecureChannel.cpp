#include "radio/player/SecureChannel.h"

#include <algorithm>
#include <memory>

#include "radio/player/CertificateCheck.h"
#include "classlib/system/SysUtils.h"
#include "radio/player/Errors.h"
#include "radio/player/Status.h"
#include "classlib/system/LibraryProc.h"

namespace radio {

namespace {

constexpr ULONG kContextFlags = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                                ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM | ISC_REQ_EXTENDED_ERROR;

// Secur32 loads with the first secure connection, not with the program: loading it makes the
// system start its Kerberos and NTLM packages, which every start would otherwise wait for before
// its first window. Once loaded it stays.
const SecurityFunctionTableW* LoadSecurityFunctions()
{
    try {
        return CL_LIBRARY_PROC("secur32.dll", InitSecurityInterfaceW)();
    } catch (const cl::EOSError&) {
        return nullptr;
    }
}

// The security provider's functions; without them a connection fails with its own error.
const SecurityFunctionTableW& Sspi()
{
    static const SecurityFunctionTableW* const functions = LoadSecurityFunctions();
    if (!functions)
        throw EStreamPlayerError(status::SecureFailed());
    return *functions;
}

struct TContextBufferFree {
    void operator()(void* buffer) const { Sspi().FreeContextBuffer(buffer); }
};
using TContextBuffer = std::unique_ptr<void, TContextBufferFree>;

struct TCertificateFree {
    void operator()(PCCERT_CONTEXT certificate) const
    {
        CL_LIBRARY_PROC("crypt32.dll", CertFreeCertificateContext)(certificate);
    }
};

// The provider's own word on a certificate, where it checks one itself.
std::string HandshakeStatus(SECURITY_STATUS status)
{
    switch (status) {
    case SEC_E_CERT_EXPIRED:
        return status::CertificateExpired();
    case SEC_E_WRONG_PRINCIPAL:
        return status::CertificateForAnotherName();
    case SEC_E_UNTRUSTED_ROOT:
    case SEC_E_CERT_UNKNOWN:
    case SEC_E_CERT_WRONG_USAGE:
        return status::CertificateUntrusted();
    default:
        return status::SecureFailed();
    }
}

[[noreturn]] void HandshakeFailed(SECURITY_STATUS status)
{
    throw EStreamPlayerError(HandshakeStatus(status));
}

// Appends the token the provider allocated and frees it.
void TakeToken(SecBuffer& token, std::vector<std::uint8_t>& out)
{
    const TContextBuffer owned(token.pvBuffer);
    if (token.pvBuffer && token.cbBuffer) {
        const auto* bytes = static_cast<const std::uint8_t*>(token.pvBuffer);
        out.insert(out.end(), bytes, bytes + token.cbBuffer);
    }
    token.pvBuffer = nullptr;
}

}  // namespace

TSecureChannel::TSecureChannel(const std::string& host) : host_(host), wideHost_(cl::Utf8ToWide(host))
{
    SCHANNEL_CRED settings{};
    settings.dwVersion = SCHANNEL_CRED_VERSION;
    // The certificate is checked by us, the same way on every system: some providers accept
    // any certificate when left to themselves.
    settings.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
    TimeStamp expiry{};
    const SECURITY_STATUS status =
        Sspi().AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND, nullptr,
                                  &settings, nullptr, nullptr, &credentials_, &expiry);
    if (status != SEC_E_OK)
        throw EStreamPlayerError(status::SecureFailed());
    haveCredentials_ = true;
}

TSecureChannel::~TSecureChannel()
{
    if (haveContext_)
        Sspi().DeleteSecurityContext(&context_);
    if (haveCredentials_)
        Sspi().FreeCredentialsHandle(&credentials_);
}

std::vector<std::uint8_t> TSecureChannel::Hello()
{
    SecBuffer token{0, SECBUFFER_TOKEN, nullptr};
    SecBufferDesc output{SECBUFFER_VERSION, 1, &token};
    ULONG attributes = 0;
    TimeStamp expiry{};
    const SECURITY_STATUS status =
        Sspi().InitializeSecurityContextW(&credentials_, nullptr, wideHost_.data(), kContextFlags, 0, 0, nullptr, 0, &context_,
                                   &output, &attributes, &expiry);
    std::vector<std::uint8_t> hello;
    TakeToken(token, hello);
    if (status != SEC_I_CONTINUE_NEEDED)
        HandshakeFailed(status);
    haveContext_ = true;
    return hello;
}

bool TSecureChannel::Continue(std::vector<std::uint8_t>& in, std::vector<std::uint8_t>& out)
{
    while (!in.empty()) {
        SecBuffer inBuffers[2] = {{static_cast<ULONG>(in.size()), SECBUFFER_TOKEN, in.data()},
                                  {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc input{SECBUFFER_VERSION, 2, inBuffers};
        SecBuffer token{0, SECBUFFER_TOKEN, nullptr};
        SecBufferDesc output{SECBUFFER_VERSION, 1, &token};
        ULONG attributes = 0;
        TimeStamp expiry{};
        const SECURITY_STATUS status =
            Sspi().InitializeSecurityContextW(&credentials_, &context_, wideHost_.data(), kContextFlags, 0, 0, &input, 0,
                                       nullptr, &output, &attributes, &expiry);
        if (status == SEC_E_INCOMPLETE_MESSAGE) {
            TakeToken(token, out);
            return false;
        }
        TakeToken(token, out);
        if (status != SEC_E_OK && status != SEC_I_CONTINUE_NEEDED)
            HandshakeFailed(status);
        // What the step did not use is the start of the next message.
        const std::size_t extra = inBuffers[1].BufferType == SECBUFFER_EXTRA ? inBuffers[1].cbBuffer : 0;
        in.erase(in.begin(), in.end() - static_cast<std::ptrdiff_t>(std::min(extra, in.size())));
        if (status == SEC_E_OK) {
            CheckCertificate();
            if (Sspi().QueryContextAttributesW(&context_, SECPKG_ATTR_STREAM_SIZES, &sizes_) != SEC_E_OK)
                throw EStreamPlayerError(status::SecureFailed());
            return true;
        }
    }
    return false;
}

void TSecureChannel::CheckCertificate()
{
    PCCERT_CONTEXT remote = nullptr;
    if (Sspi().QueryContextAttributesW(&context_, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &remote) != SEC_E_OK || !remote)
        throw ECertificateRefused(status::CertificateUntrusted());
    const std::unique_ptr<const CERT_CONTEXT, TCertificateFree> certificate(remote);
    CheckServerCertificate(remote, host_);
}

void TSecureChannel::Encrypt(const char* data, std::size_t size, std::vector<std::uint8_t>& out)
{
    while (size > 0) {
        const std::size_t piece = std::min<std::size_t>(size, sizes_.cbMaximumMessage);
        std::vector<std::uint8_t> record(sizes_.cbHeader + piece + sizes_.cbTrailer);
        std::copy(data, data + piece, record.begin() + sizes_.cbHeader);
        SecBuffer buffers[4] = {
            {sizes_.cbHeader, SECBUFFER_STREAM_HEADER, record.data()},
            {static_cast<ULONG>(piece), SECBUFFER_DATA, record.data() + sizes_.cbHeader},
            {sizes_.cbTrailer, SECBUFFER_STREAM_TRAILER, record.data() + sizes_.cbHeader + piece},
            {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc message{SECBUFFER_VERSION, 4, buffers};
        if (Sspi().EncryptMessage(&context_, 0, &message, 0) != SEC_E_OK)
            throw EStreamPlayerError(status::ConnectionLost());
        const std::size_t used = buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer;
        out.insert(out.end(), record.begin(), record.begin() + static_cast<std::ptrdiff_t>(used));
        data += piece;
        size -= piece;
    }
}

TSecureChannel::TRead TSecureChannel::Decrypt(std::vector<std::uint8_t>& in, std::vector<std::uint8_t>& out)
{
    if (in.empty())
        return TRead::NeedMore;
    SecBuffer buffers[4] = {{static_cast<ULONG>(in.size()), SECBUFFER_DATA, in.data()},
                            {0, SECBUFFER_EMPTY, nullptr},
                            {0, SECBUFFER_EMPTY, nullptr},
                            {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc message{SECBUFFER_VERSION, 4, buffers};
    const SECURITY_STATUS status = Sspi().DecryptMessage(&context_, &message, 0, nullptr);
    if (status == SEC_E_INCOMPLETE_MESSAGE)
        return TRead::NeedMore;
    if (status == SEC_I_CONTEXT_EXPIRED)
        return TRead::Closed;
    // A server that wants to renegotiate is not followed: radio servers have no reason to.
    if (status != SEC_E_OK)
        throw EStreamPlayerError(status::ConnectionLost());
    std::size_t extra = 0;
    for (const SecBuffer& b : buffers) {
        if (b.BufferType == SECBUFFER_DATA && b.pvBuffer && b.cbBuffer) {
            const auto* bytes = static_cast<const std::uint8_t*>(b.pvBuffer);
            out.insert(out.end(), bytes, bytes + b.cbBuffer);
        } else if (b.BufferType == SECBUFFER_EXTRA) {
            extra = b.cbBuffer;
        }
    }
    in.erase(in.begin(), in.end() - static_cast<std::ptrdiff_t>(std::min(extra, in.size())));
    return TRead::Data;
}

}  // namespace radio
