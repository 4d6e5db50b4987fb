#pragma once
// Whether a secure server's certificate is one to talk to: its chain up to a root this system
// trusts, its validity, and the name or address it was asked for. The chain is built only from
// what the system holds and what the server sent: an issuer the server left out is never
// fetched from the address its certificate names, a fetch that no stop or deadline would end.
#include <windows.h>
#include <wincrypt.h>

#include <string>

namespace radio {

// Throws ECertificateRefused with the refusal's reason: not trusted, self-signed, expired (or not
// yet valid), or issued for another name. host: a DNS name, or an IPv4 or IPv6 address, which
// the certificate must then name as an address.
void CheckServerCertificate(PCCERT_CONTEXT certificate, const std::string& host);

}  // namespace radio
