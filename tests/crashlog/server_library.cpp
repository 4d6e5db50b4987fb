// A web-server extension with the logger inside and logger data of its own, loaded by the test
// host (server_host.cpp), which hands it requests. What a request asks for is its query. Built
// with CRASHLOG_PLUGIN it is a plug-in of a windowed host instead: no request entry, and the
// host runs its commands, which are the same queries.
#include <cstdio>
#include <stdexcept>
#include <string>

#include <windows.h>
#include <httpext.h>

#include "classlib/system/ExceptionHooks.h"
#include "crashlog/ECore.h"
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
    if (query == "watch") {
        // Hang detection runs in the library until it is unloaded.
        MainModuleOptions()->FreezeActivate = true;
        CurrentOptions().Assign(MainModuleOptions());
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
    version->dwExtensionVersion = HSE_VERSION;
    lstrcpynA(version->lpszExtensionDesc, "crash test extension", HSE_MAX_EXT_DLL_NAME_LEN);
    return TRUE;
}

extern "C" __declspec(dllexport) DWORD WINAPI HttpExtensionProc(EXTENSION_CONTROL_BLOCK* ecb)
{
    Run(ecb->lpszQueryString);
    char reply[] = "fine";
    DWORD size = 4;
    ecb->WriteClient(ecb->ConnID, reply, &size, 0);
    return HSE_STATUS_SUCCESS;
}

#endif
