#include "radio/player/CertificateCheck.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <memory>
#include <optional>
#include <vector>

#include "classlib/system/SysUtils.h"
#include "radio/player/Errors.h"
#include "radio/player/Status.h"
#include "classlib/system/LibraryProc.h"

namespace radio {

namespace {

struct TChainFree {
    void operator()(PCCERT_CHAIN_CONTEXT chain) const
    {
        CL_LIBRARY_PROC("crypt32.dll", CertFreeCertificateChain)(chain);
    }
};
using TChain = std::unique_ptr<const CERT_CHAIN_CONTEXT, TChainFree>;

struct TLocalFree {
    void operator()(void* memory) const { LocalFree(memory); }
};

[[noreturn]] void Refuse(const std::string& status)
{
    throw ECertificateRefused(status);
}

// The bytes of host when it is an address literal (4 for IPv4, 16 for IPv6), as a certificate
// stores an address.
std::optional<std::vector<BYTE>> AddressBytes(const std::string& host)
{
    addrinfo hints{};
    hints.ai_flags = AI_NUMERICHOST;
    hints.ai_family = AF_UNSPEC;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
        return std::nullopt;
    std::optional<std::vector<BYTE>> bytes;
    if (found->ai_family == AF_INET) {
        const auto* a = reinterpret_cast<const BYTE*>(&reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr);
        bytes.emplace(a, a + 4);
    } else if (found->ai_family == AF_INET6) {
        const auto* a = reinterpret_cast<const BYTE*>(&reinterpret_cast<const sockaddr_in6*>(found->ai_addr)->sin6_addr);
        bytes.emplace(a, a + 16);
    }
    freeaddrinfo(found);
    return bytes;
}

// Whether the certificate's alternative names hold this address as an address entry.
bool NamesAddress(PCCERT_CONTEXT certificate, const std::vector<BYTE>& address)
{
    const CERT_INFO& info = *certificate->pCertInfo;
    const CERT_EXTENSION* extension =
        CL_LIBRARY_PROC("crypt32.dll", CertFindExtension)(szOID_SUBJECT_ALT_NAME2, info.cExtension, info.rgExtension);
    if (!extension)
        return false;
    CERT_ALT_NAME_INFO* names = nullptr;
    DWORD size = 0;
    if (!CL_LIBRARY_PROC("crypt32.dll", CryptDecodeObjectEx)(X509_ASN_ENCODING, X509_ALTERNATE_NAME,
                                                             extension->Value.pbData, extension->Value.cbData,
                                                             CRYPT_DECODE_ALLOC_FLAG, nullptr, &names, &size) ||
        !names)
        return false;
    const std::unique_ptr<CERT_ALT_NAME_INFO, TLocalFree> owned(names);
    for (DWORD i = 0; i < names->cAltEntry; ++i) {
        const CERT_ALT_NAME_ENTRY& entry = names->rgAltEntry[i];
        if (entry.dwAltNameChoice == CERT_ALT_NAME_IP_ADDRESS && entry.IPAddress.cbData == address.size() &&
            std::equal(address.begin(), address.end(), entry.IPAddress.pbData))
            return true;
    }
    return false;
}

std::string TimeRefusal(PCCERT_CONTEXT certificate)
{
    return CL_LIBRARY_PROC("crypt32.dll", CertVerifyTimeValidity)(nullptr, certificate->pCertInfo) < 0
               ? status::CertificateNotYetValid()
               : status::CertificateExpired();
}

// What the chain's own verdict says is wrong; trust goes before time, since an untrusted
// certificate's dates say nothing.
void CheckTrust(const CERT_CHAIN_CONTEXT& chain, PCCERT_CONTEXT certificate)
{
    const DWORD errors = chain.TrustStatus.dwErrorStatus;
    if (errors == CERT_TRUST_NO_ERROR)
        return;
    if (errors & (CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_PARTIAL_CHAIN)) {
        const CERT_SIMPLE_CHAIN* simple = chain.cChain ? chain.rgpChain[0] : nullptr;
        const bool selfSigned = simple && simple->cElement == 1 &&
                                (simple->rgpElement[0]->TrustStatus.dwInfoStatus & CERT_TRUST_IS_SELF_SIGNED);
        Refuse(selfSigned ? status::CertificateSelfSigned() : status::CertificateUntrusted());
    }
    if (errors & CERT_TRUST_IS_NOT_TIME_VALID)
        Refuse(TimeRefusal(certificate));
    Refuse(status::CertificateUntrusted());
}

// The system's policy for servers; it matches DNS names only, so an address is matched here.
void CheckPolicy(const CERT_CHAIN_CONTEXT& chain, PCCERT_CONTEXT certificate, const std::string& host)
{
    const std::optional<std::vector<BYTE>> address = AddressBytes(host);
    std::wstring name = cl::Utf8ToWide(host);
    SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl{};
    ssl.cbSize = sizeof ssl;
    ssl.dwAuthType = AUTHTYPE_SERVER;
    ssl.pwszServerName = address ? nullptr : name.data();
    CERT_CHAIN_POLICY_PARA policy{};
    policy.cbSize = sizeof policy;
    policy.pvExtraPolicyPara = &ssl;
    CERT_CHAIN_POLICY_STATUS result{};
    result.cbSize = sizeof result;
    if (!CL_LIBRARY_PROC("crypt32.dll", CertVerifyCertificateChainPolicy)(CERT_CHAIN_POLICY_SSL, &chain, &policy,
                                                                          &result))
        Refuse(status::CertificateUntrusted());
    switch (static_cast<HRESULT>(result.dwError)) {
    case S_OK:
        break;
    case CERT_E_CN_NO_MATCH:
        Refuse(status::CertificateForAnotherName());
    case CERT_E_EXPIRED:
        Refuse(TimeRefusal(certificate));
    default:
        Refuse(status::CertificateUntrusted());
    }
    if (address && !NamesAddress(certificate, *address))
        Refuse(status::CertificateForAnotherName());
}

}  // namespace

void CheckServerCertificate(PCCERT_CONTEXT certificate, const std::string& host)
{
    char serverAuth[] = szOID_PKIX_KP_SERVER_AUTH;
    LPSTR usages[] = {serverAuth};
    CERT_CHAIN_PARA settings{};
    settings.cbSize = sizeof settings;
    settings.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
    settings.RequestedUsage.Usage.cUsageIdentifier = 1;
    settings.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
    // Nothing from the network: not the issuer the certificate names, not the system's root
    // updates. A chain that needs them is one the server should have sent.
    const DWORD flags = CERT_CHAIN_CACHE_ONLY_URL_RETRIEVAL | CERT_CHAIN_DISABLE_AUTH_ROOT_AUTO_UPDATE;
    PCCERT_CHAIN_CONTEXT built = nullptr;
    if (!CL_LIBRARY_PROC("crypt32.dll", CertGetCertificateChain)(nullptr, certificate, nullptr, certificate->hCertStore,
                                                                 &settings, flags, nullptr, &built) ||
        !built)
        Refuse(status::CertificateUntrusted());
    const TChain chain(built);
    // The chain's own verdict first: some systems' policy check passes a chain that ends short
    // of any root.
    CheckTrust(*chain, certificate);
    CheckPolicy(*chain, certificate, host);
}

}  // namespace radio
