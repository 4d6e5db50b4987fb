#include "crashlog/EWebPage.h"

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "classlib/system/KernelHandles.h"
#include "crashlog/ECore.h"
#include "crashlog/EConsts.h"
#include "crashlog/EEntries.h"
#include "crashlog/EOptions.h"
#include "crashlog/ESysInfo.h"
#include "crashlog/ExceptionLog.h"

namespace crashlog {

namespace {

constexpr std::string_view SISAPINoECB = "ISAPI: ServerECB = nil";
constexpr std::string_view SCGIWriteError = "CGI: Cannot write in the ouput file.";
constexpr DWORD MaxWinCGIProfileSize = 102400;

std::string EscapeMarkup(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string ProfileText(const std::string& file, const char* section, const char* key)
{
    char text[MAX_PATH] = "";
    GetPrivateProfileStringA(section, key, "", text, sizeof text, file.c_str());
    return text;
}

TServerEntry serverEntry = nullptr;  // the entry's own code

// Each request thread keeps its own request block.
class TServerECBSlot {
public:
    TServerECBSlot() : index_(TlsAlloc()) {}
    // A report made later in the module's finalization finds no request.
    ~TServerECBSlot()
    {
        const DWORD index = index_;
        index_ = TLS_OUT_OF_INDEXES;
        if (index != TLS_OUT_OF_INDEXES)
            TlsFree(index);
    }
    TServerECBSlot(const TServerECBSlot&) = delete;
    TServerECBSlot& operator=(const TServerECBSlot&) = delete;
    EXTENSION_CONTROL_BLOCK* Get() const
    {
        return index_ == TLS_OUT_OF_INDEXES ? nullptr : static_cast<EXTENSION_CONTROL_BLOCK*>(TlsGetValue(index_));
    }
    void Set(EXTENSION_CONTROL_BLOCK* ecb) const
    {
        if (index_ != TLS_OUT_OF_INDEXES)
            TlsSetValue(index_, ecb);
    }

private:
    DWORD index_;
};

TServerECBSlot& ServerECBSlot()
{
    static TServerECBSlot slot;
    return slot;
}

// Also when an exception leaves the entry, so that the thread's next request starts clean.
class TServerRequestScope {
public:
    explicit TServerRequestScope(EXTENSION_CONTROL_BLOCK* ecb) : previous_(ServerECBSlot().Get())
    {
        ServerECBSlot().Set(ecb);
    }
    ~TServerRequestScope() { ServerECBSlot().Set(previous_); }
    TServerRequestScope(const TServerRequestScope&) = delete;
    TServerRequestScope& operator=(const TServerRequestScope&) = delete;

private:
    EXTENSION_CONTROL_BLOCK* previous_;
};

DWORD WINAPI HookedHttpExtensionProc(EXTENSION_CONTROL_BLOCK* ecb)
{
    TServerRequestScope request(ecb);
    return GuardedServerCall(serverEntry, ecb);
}

// The export table's slot of the named procedure, or nullptr.
DWORD* ExportSlot(HMODULE module, const char* name)
{
    auto* base = reinterpret_cast<std::uint8_t*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (dir.VirtualAddress == 0)
        return nullptr;
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    auto* functions = reinterpret_cast<DWORD*>(base + exports->AddressOfFunctions);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        if (std::strcmp(reinterpret_cast<const char*>(base + names[i]), name) == 0)
            return functions + ordinals[i];
    return nullptr;
}

std::vector<std::string> ProgramArguments()
{
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i)
        arguments.emplace_back(__argv[i] ? __argv[i] : "");
    return arguments;
}

TWebKind FindWebKind()
{
    // A library that serves requests is a web-server library whether a request runs or not.
    if (ExportSlot(LoggerModule(), "HttpExtensionProc"))
        return TWebKind::ISAPI;
    if (IsCGI())
        return TWebKind::CGI;
    std::string output;
    if (!IsConsoleProgram() && IsWinCGI(ProgramArguments(), output))
        return TWebKind::WinCGI;
    return TWebKind::None;
}

bool FileExists(const std::string& name)
{
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string TextToHTML(std::string_view text)
{
    // Escaped first: a report's text (an exception's message, a window's title) is not markup.
    const std::string escaped = EscapeMarkup(text);
    std::string out;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '\r' && i + 1 < escaped.size() && escaped[i + 1] == '\n') {
            out += "<br>";
            ++i;
        } else if (escaped[i] == ' ') {
            out += "&nbsp;";
        } else {
            out += escaped[i];
        }
    }
    return out;
}

std::string BuildWebPage(const TVozozoModuleOptions& options, const std::string& logText)
{
    return "<html><head><title>" + EscapeMarkup(options.GetCustomizedText(ctError)) + "</title></head>" + "<body>" +
           "<p><small><font face=\"Lucida Console,Courier\">" +
           TextToHTML(options.GetCustomizedText(ctDialogHeader) + "\r\n\r\n" + logText) + "</font></small></p>" +
           "</body>" + "</html>";
}

std::string WebPageHeaders(TWebKind kind, std::size_t pageLength)
{
    std::string headers;
    if (kind == TWebKind::CGI || kind == TWebKind::WinCGI)
        headers += "Status: 500 Error\r\n";
    headers += "Content-Type: text/html\r\n";
    headers += "Content-Length: " + std::to_string(pageLength) + "\r\n";
    headers += "Content:\r\n\r\n";
    return headers;
}

bool IsWinCGI(const std::vector<std::string>& arguments, std::string& outputFile)
{
    outputFile.clear();
    if (arguments.empty())
        return false;
    const std::string& profile = arguments[0];
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(profile.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || data.nFileSizeHigh != 0 ||
        data.nFileSizeLow > MaxWinCGIProfileSize)
        return false;
    if (ProfileText(profile, "CGI", "Request Method").empty())
        return false;
    outputFile = arguments.size() > 2 && !arguments[2].empty() ? arguments[2]
                                                              : ProfileText(profile, "System", "Output File");
    return !outputFile.empty() && FileExists(outputFile);
}

bool IsCGI()
{
    return IsConsoleProgram() && GetEnvironmentVariableA("REQUEST_METHOD", nullptr, 0) > 0;
}

TWebKind WebKind()
{
    static const TWebKind kind = FindWebKind();
    return kind;
}

bool MayShowWindows()
{
    return WebKind() == TWebKind::None;
}

EXTENSION_CONTROL_BLOCK* ThreadServerECB()
{
    return ServerECBSlot().Get();
}

void SetThreadServerECB(EXTENSION_CONTROL_BLOCK* ecb)
{
    ServerECBSlot().Set(ecb);
}

void HookServerEntry(HMODULE module)
{
    DWORD* slot = ExportSlot(module, "HttpExtensionProc");
    const auto hook = reinterpret_cast<std::uintptr_t>(&HookedHttpExtensionProc);
    const auto base = reinterpret_cast<std::uintptr_t>(module);
    // An export holds an offset from the module: the hook must lie above it.
    // Hooked already (the logger installed again): the entry is not made to call itself.
    if (!slot || hook < base || base + *slot == hook)
        return;
    serverEntry = reinterpret_cast<TServerEntry>(base + *slot);
    DWORD old = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old))
        return;
    InterlockedExchange(reinterpret_cast<volatile LONG*>(slot), static_cast<LONG>(hook - base));
    VirtualProtect(slot, sizeof *slot, old, &old);
}

bool SendWebPageToFile(const std::string& fileName, const std::string& page)
{
    const std::string text = WebPageHeaders(TWebKind::WinCGI, page.size()) + page;
    const cl::TOwnedHandle file(
        CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        InternalWarning(eeShowError, FormatS(SStepError, {"WinCGI", "Cannot open " + fileName}));
        return false;
    }
    DWORD written = 0;
    const bool ok = WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size() && SetEndOfFile(file.get());
    if (!ok)
        InternalWarning(eeShowError, FormatS(SStepError, {"WinCGI", "Cannot write " + fileName}));
    return ok;
}

bool SendWebPageToServer(EXTENSION_CONTROL_BLOCK* ecb, const std::string& page)
{
    if (!ecb) {
        InternalWarning(eeShowError, std::string(SISAPINoECB));
        return false;
    }
    ecb->dwHttpStatusCode = 500;
    std::string headers = WebPageHeaders(TWebKind::ISAPI, page.size());
    char status[] = "500 Error";
    DWORD headerSize = static_cast<DWORD>(headers.size());
    if (!ecb->ServerSupportFunction(ecb->ConnID, HSE_REQ_SEND_RESPONSE_HEADER, status, &headerSize,
                                    reinterpret_cast<LPDWORD>(headers.data())))
        return false;
    std::string body = page;
    DWORD size = static_cast<DWORD>(body.size());
    return ecb->WriteClient(ecb->ConnID, body.data(), &size, 0) != FALSE;
}

bool SendWebPage(TWebKind kind, const std::string& page, EXTENSION_CONTROL_BLOCK* ecb)
{
    switch (kind) {
    case TWebKind::ISAPI:
        return SendWebPageToServer(ecb, page);
    case TWebKind::CGI: {
        const std::string headers = WebPageHeaders(kind, page.size());
        HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        DWORD written = 0;
        if (!WriteFile(out, headers.data(), static_cast<DWORD>(headers.size()), &written, nullptr) ||
            written != headers.size()) {
            InternalWarning(eeShowError, std::string(SCGIWriteError));
            return false;
        }
        return WriteFile(out, page.data(), static_cast<DWORD>(page.size()), &written, nullptr) && written == page.size();
    }
    case TWebKind::WinCGI: {
        std::string output;
        return IsWinCGI(ProgramArguments(), output) && SendWebPageToFile(output, page);
    }
    case TWebKind::None:
        break;
    }
    return false;
}

}  // namespace crashlog
