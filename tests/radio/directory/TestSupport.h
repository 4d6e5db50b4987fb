#pragma once
// Test support for the station directory: a temporary program folder, and the control
// requests of the local directory service (tools/dirservice) that scripts/lib/run-tests starts.
#include <string>
#include <vector>

#include <windows.h>

#include "classlib/ole/ComObj.h"
#include "classlib/system/SysUtils.h"

// A fresh folder under %TEMP%, removed with everything in it.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    const std::string& Path() const { return path_; }  // with the trailing "\"
    std::string ReadFile(const std::string& name) const;
    void WriteFile(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

namespace service {

// False when no service was started for this run (TREBANIX_SERVICE_URL unset).
bool Available();
std::string BaseURL();
void Reset();
void AddAccount(const std::string& user, const std::string& password);
void Scenario(const std::string& name, const std::string& extraQuery = "");
// A fixed reply for one path; the body is sent as UTF-8.
void Reply(const std::string& path, const std::wstring& body, int status = 200, int delayMs = 0, int dripMs = 0,
           bool bom = false);
// The same with more of the reply's settings as query text ("length=99&chunked=1").
void ReplyWith(const std::string& path, const std::wstring& body, const std::string& settings);
// "GET <target>" per request the service got, control requests left out.
std::vector<std::string> Requests();
// Connections open at the service, not counting the one that asks.
int OpenConnections();
// Polls (bounded) until the service has no connection of ours open; false when one stays.
bool AllConnectionsClosed();

// The service's other ports: the same service over TLS (its certificate names "localhost"
// only, signed by the service's test root), the same with a certificate from an unknown root
// that it does not send, one that accepts and never answers a TLS greeting (its connections
// count as the service's), one where no connection ever completes; and the service over TLS
// with an expired certificate, a self-signed one, one that names the address 127.0.0.1 (as an
// address) and one whose issuer it does not send but says is to be fetched from the silent port.
struct TSecurePorts {
    int Secure = 0;
    int Untrusted = 0;
    int Silent = 0;
    int Unaccepting = 0;
    int Expired = 0;
    int SelfSigned = 0;
    int Address = 0;
    int Fetching = 0;
};
// Also trusts the service's test root from then on, until the program ends: the system reads
// its trusted roots once, at the first certificate it checks, so this comes before any secure
// connection a test makes.
TSecurePorts SecurePorts();

}  // namespace service

// Points the directory-service client at another service for the scope.
class TServiceAddress {
public:
    explicit TServiceAddress(const std::string& url) : saved_(cl::GetEnvVar("TREBANIX_SERVICE_URL"))
    {
        SetEnvironmentVariableA("TREBANIX_SERVICE_URL", url.c_str());
    }
    ~TServiceAddress() { SetEnvironmentVariableA("TREBANIX_SERVICE_URL", saved_.c_str()); }

private:
    std::string saved_;
};

// Skips the test when there is no service to talk to.
#define REQUIRE_DIRECTORY_SERVICE()                                                       \
    do {                                                                                  \
        if (!service::Available())                                                        \
            GTEST_SKIP() << "no directory service (TREBANIX_SERVICE_URL is not set)";     \
    } while (0)
