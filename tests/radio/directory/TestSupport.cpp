#include "radio/directory/TestSupport.h"

#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "classlib/platform/XmlDoc.h"
#include "radio/directory/RadioUtils.h"

namespace {

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + "\\");
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

// A control request; a service that does not answer within ten seconds fails the test rather
// than hanging the run.
std::string Post(const std::string& pathAndQuery, const std::wstring& body = L"")
{
    // A test may ask before it has an apartment of its own.
    cl::TComApartment apartment;
    cl::TComPtr<IXMLHTTPRequest> http = cl::CreateXmlHttpRequest();
    cl::TVariant async(true), none(std::wstring_view(L""));
    std::wstring url = cl::StringToWide(service::BaseURL() + pathAndQuery);
    cl::OleCheck(http->open(cl::TBStr(L"POST").Get(), cl::TBStr(url).Get(), async.In(), none.In(), none.In()));
    cl::TVariant content{std::wstring_view(body)};
    cl::OleCheck(http->send(content.In()));
    DWORD start = GetTickCount();
    for (long state = 0; http->get_readyState(&state), state != 4;) {
        if (GetTickCount() - start > 10000) {
            http->abort();
            throw std::runtime_error("the directory service did not answer: " + pathAndQuery);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    long status = 0;
    cl::OleCheck(http->get_status(&status));
    cl::TBStr text;
    cl::OleCheck(http->get_responseText(text.Put()));
    if (status != 200)
        throw std::runtime_error("control request failed: " + pathAndQuery);
    return cl::WideToUtf8(text.ToWide());
}

}  // namespace

TTempFolder::TTempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    path_ = cl::Format("%strebanix-dir-%u-%d\\", temp, unsigned(GetCurrentProcessId()), ++counter);
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TTempFolder::~TTempFolder()
{
    RemoveTree(path_);
}

std::string TTempFolder::ReadFile(const std::string& name) const
{
    std::ifstream in(path_ + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void TTempFolder::WriteFile(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(path_ + name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

namespace service {

bool Available()
{
    return !cl::GetEnvVar("TREBANIX_SERVICE_URL").empty();
}

std::string BaseURL()
{
    return TRadioUtils::ServiceURL();
}

void Reset()
{
    Post("/_control/reset");
}

void AddAccount(const std::string& user, const std::string& password)
{
    Post("/_control/account?user=" + TRadioUtils::EncodeQueryValue(user) +
         "&password=" + TRadioUtils::EncodeQueryValue(password));
}

void Scenario(const std::string& name, const std::string& extraQuery)
{
    Post("/_control/scenario?name=" + name + (extraQuery.empty() ? "" : "&" + extraQuery));
}

void Reply(const std::string& path, const std::wstring& body, int status, int delayMs, int dripMs, bool bom)
{
    Post(cl::Format("/_control/reply?path=%s&status=%d&delay_ms=%d&drip_ms=%d&bom=%d",
                    TRadioUtils::EncodeQueryValue(path), status, delayMs, dripMs, bom ? 1 : 0),
         body);
}

void ReplyWith(const std::string& path, const std::wstring& body, const std::string& settings)
{
    Post("/_control/reply?path=" + TRadioUtils::EncodeQueryValue(path) + "&" + settings, body);
}

int OpenConnections()
{
    return std::stoi(Post("/_control/connections"));
}

bool AllConnectionsClosed()
{
    // The service notices a closed connection within a twentieth of a second.
    for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(20))
        if (OpenConnections() == 0)
            return true;
    return false;
}

namespace {

// The service's test root among the machine's trusted roots (of the test prefix) while the
// program runs.
class TTrustedTestRoot {
public:
    TTrustedTestRoot()
    {
        const std::string pem = Post("/_control/root");
        DWORD size = 0;
        if (!CryptStringToBinaryA(pem.c_str(), 0, CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr))
            throw std::runtime_error("the test root is no certificate");
        encoded_.resize(size);
        CryptStringToBinaryA(pem.c_str(), 0, CRYPT_STRING_BASE64HEADER, encoded_.data(), &size, nullptr, nullptr);
        HCERTSTORE store = OpenRoots();
        const BOOL added = CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, encoded_.data(), size,
                                                            CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
        CertCloseStore(store, 0);
        if (!added)
            throw std::runtime_error("cannot trust the test root");
    }
    ~TTrustedTestRoot()
    {
        HCERTSTORE store = OpenRoots();
        PCCERT_CONTEXT wanted = CertCreateCertificateContext(X509_ASN_ENCODING, encoded_.data(),
                                                             static_cast<DWORD>(encoded_.size()));
        if (wanted) {
            if (PCCERT_CONTEXT found =
                    CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_EXISTING, wanted, nullptr))
                CertDeleteCertificateFromStore(found);  // frees found
            CertFreeCertificateContext(wanted);
        }
        CertCloseStore(store, 0);
    }
    TTrustedTestRoot(const TTrustedTestRoot&) = delete;
    TTrustedTestRoot& operator=(const TTrustedTestRoot&) = delete;

private:
    static HCERTSTORE OpenRoots()
    {
        HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_A, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, "Root");
        if (!store)
            throw std::runtime_error("cannot open the trusted roots");
        return store;
    }

    std::vector<unsigned char> encoded_;
};

}  // namespace

TSecurePorts SecurePorts()
{
    static TTrustedTestRoot trusted;
    TSecurePorts ports;
    const std::string text = Post("/_control/secure");
    if (std::sscanf(text.c_str(), "secure=%d untrusted=%d silent=%d unaccepting=%d expired=%d selfsigned=%d "
                                  "address=%d fetching=%d",
                    &ports.Secure, &ports.Untrusted, &ports.Silent, &ports.Unaccepting, &ports.Expired,
                    &ports.SelfSigned, &ports.Address, &ports.Fetching) != 8)
        throw std::runtime_error("no secure ports: " + text);
    return ports;
}

std::vector<std::string> Requests()
{
    std::string text = Post("/_control/requests");
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

}  // namespace service
