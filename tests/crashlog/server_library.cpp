// A web-server extension with the logger inside and logger data of its own, loaded by the test
// host (server_host.cpp), which hands it requests. What a request asks for is its query. Built
// with CRASHLOG_PLUGIN it is a plug-in of a windowed host instead: no request entry, and the
// host runs its commands, which are the same queries.
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

#include <windows.h>
#include <httpext.h>

#include "classlib/system/ExceptionHooks.h"
#include "classlib/system/KernelHandles.h"
#include "crashlog/ECore.h"
#include "crashlog/EMail.h"
#include "crashlog/ExceptionLog.h"

using namespace crashlog;

namespace {

std::string Environment(const char* name)
{
    char value[MAX_PATH] = "";
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}

void AppendNote(const char* line)
{
    if (FILE* f = std::fopen(Environment("CRASHLOG_SERVER_NOTES").c_str(), "ab")) {
        std::fprintf(f, "%s\n", line);
        std::fclose(f);
    }
}

int* volatile nowhere = nullptr;

__attribute__((noinline)) void FaultWhileLoading()
{
    *nowhere = 1;
}

__attribute__((noinline)) void FaultWhileUnloading()
{
    *nowhere = 2;
}

__attribute__((noinline)) void FailTheRequest()
{
    throw std::runtime_error("the request failed");
}

__attribute__((noinline)) void FaultInTheRequest()
{
    *nowhere = 3;
}

__attribute__((noinline)) DWORD WINAPI FaultOnItsThread(void*)
{
    *nowhere = 5;
    return 0;
}

volatile bool deeper = true;

__attribute__((noinline)) int Overflow(int depth)
{
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    return deeper ? Overflow(depth + 1) + frame[0] : frame[0];
}

__attribute__((noinline)) void FailWhereNothingMayThrow() noexcept
{
    FailTheRequest();
}

// Mail after each report: by SMTP to the port in CRASHLOG_SERVER_MAIL, or, with "mapi", through
// the mail client the host registered.
void SetUpMail(TVozozoModuleOptionsEx& options, const std::string& mail)
{
    options.EmailSendMode = 2;
    options.EmailConfirmation = 2;
    options.EmailAddresses = "a@example.org";
    MailSettings().MailClientsRoot = HKEY_CURRENT_USER;
    MailSettings().MailClientsKey = "Software\\TrebanixTests\\ServerMail";
    MailSettings().MailtoRoot = HKEY_CURRENT_USER;
    MailSettings().MailtoKey = "Software\\TrebanixTests\\ServerMailto";
    if (mail != "mapi") {
        options.SMTPHost = "127.0.0.1";
        MailSettings().SmtpPort = static_cast<unsigned short>(std::stoi(mail));
    }
}

// Built after the logger's installation and destroyed before its removal.
struct TServerSetup {
    TServerSetup()
    {
        DebugOutput = AppendNote;
        TVozozoModuleOptionsEx* options = MainModuleOptions();
        if (!options)
            return;
        options->OutputPath = Environment("CRASHLOG_SERVER_LOG");
        options->NoOutput = false;
        if (const std::string mail = Environment("CRASHLOG_SERVER_MAIL"); !mail.empty())
            SetUpMail(*options, mail);
        if (Environment("CRASHLOG_SERVER_FAULT") == "load")
            FaultWhileLoading();
    }
    ~TServerSetup()
    {
        if (Environment("CRASHLOG_SERVER_FAULT") == "unload")
            FaultWhileUnloading();
    }
} setup;

void Run(const std::string& query)
{
    if (query == "throw")
        FailTheRequest();
    if (query == "fault")
        FaultInTheRequest();
    if (query == "overflow")
        Overflow(0);
    if (query == "noexcept")
        FailWhereNothingMayThrow();
    if (query == "thread-fault") {
        const cl::TOwnedHandle thread(CreateThread(nullptr, 0, FaultOnItsThread, nullptr, 0, nullptr));
        WaitForSingleObject(thread.get(), 60000);
        DWORD code = 0;
        GetExitCodeThread(thread.get(), &code);
        AppendNote(("[library thread " + std::to_string(code) + "]").c_str());
    }
    if (query == "filtered") {
        // A class with a message of its own: a message box where windows may open.
        MainModuleOptions()->FilterActive = true;
        MainModuleOptions()->FilterClasses = {"std::runtime_error"};
        MainModuleOptions()->FilterMessages = {"Filtered."};
        FailTheRequest();
    }
    if (query == "hold" || query == "fault-beside") {
        // Two requests at once (the host's "fault-first" and "fault-second"): each event is the host's.
        HANDLE entered = OpenEventA(EVENT_ALL_ACCESS, FALSE, "crashlog_server_entered");
        HANDLE inside = OpenEventA(EVENT_ALL_ACCESS, FALSE, "crashlog_server_inside");
        HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, "crashlog_server_release");
        const bool holding = query == "hold";
        if (holding) {
            SetEvent(inside);
            WaitForSingleObject(release, 20000);
        } else {
            SetEvent(entered);
            WaitForSingleObject(inside, 20000);
        }
        CloseHandle(entered);
        CloseHandle(inside);
        CloseHandle(release);
        if (!holding)
            FaultInTheRequest();
    }
    if (query == "reinstall") {
        // As a library does that takes its logger away and back while it stays loaded.
        DoneExceptionLog();
        InitExceptionLog();
    }
    if (query == "caught") {
        // What the library handles itself, at the class library's catch point, stays its own.
        try {
            FailTheRequest();
        } catch (...) {
            if (cl::ExceptionHooks().OnException)
                cl::ExceptionHooks().OnException(std::current_exception(), nullptr, cl::TCatchPoint::Application);
        }
    }
}

}  // namespace

#ifdef CRASHLOG_PLUGIN

extern "C" __declspec(dllexport) void WINAPI RunCommand(const char* query)
{
    Run(query);
}

#else

extern "C" __declspec(dllexport) BOOL WINAPI GetExtensionVersion(HSE_VERSION_INFO* version)
{
    if (Environment("CRASHLOG_SERVER_FAULT") == "version")
        FaultInTheRequest();
    version->dwExtensionVersion = HSE_VERSION;
    lstrcpynA(version->lpszExtensionDesc, "crash test extension", HSE_MAX_EXT_DLL_NAME_LEN);
    return TRUE;
}

extern "C" __declspec(dllexport) DWORD WINAPI HttpExtensionProc(EXTENSION_CONTROL_BLOCK* ecb)
{
    // What an earlier request on this thread failed with is over.
    if (std::current_exception())
        AppendNote("[exception still current]");
    Run(ecb->lpszQueryString);
    char reply[] = "fine";
    DWORD size = 4;
    ecb->WriteClient(ecb->ConnID, reply, &size, 0);
    return HSE_STATUS_SUCCESS;
}

#endif
