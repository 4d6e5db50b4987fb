#pragma once
// The local directory service of a benchmark run (tools/dirservice, started through Wine as
// the Unix program it is) with the demo account demo/demo, and its control requests.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "classlib/ole/ComObj.h"
#include "classlib/system/SysUtils.h"
#include "classlib/platform/XmlDoc.h"
#include "radio/directory/RadioUtils.h"

#ifndef DIRSERVICE_SCRIPT
#define DIRSERVICE_SCRIPT ""
#endif

// The service of this run: the one named in the environment, else one we start ourselves
// (a Unix program, started through Wine). We stop it at the end; should we die first, it stops
// by itself a minute after our last request.
class TServiceForBench {
public:
    TServiceForBench()
    {
        if (!cl::GetEnvVar("TREBANIX_SERVICE_URL").empty())
            return;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        std::string unixPortFile = cl::Format("/tmp/trebanix-bench-%u.port", unsigned(GetCurrentProcessId()));
        portFile_ = "Z:" + unixPortFile;
        std::replace(portFile_.begin(), portFile_.end(), '/', '\\');
        DeleteFileA(portFile_.c_str());
        std::string command = cl::Format("/usr/bin/python3 %s --port-file %s --idle-exit 60 --demo",
                                         DIRSERVICE_SCRIPT, unixPortFile);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process))
            throw cl::Exception("Cannot start the directory service: " + command);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        for (int i = 0; i < 200 && !cl::FileExists(portFile_); ++i)
            Sleep(50);
        Sleep(50);
        std::string port = cl::Trim(ReadAll(portFile_));
        if (port.empty())
            throw cl::Exception("The directory service did not start");
        SetEnvironmentVariableA("TREBANIX_SERVICE_URL", ("http://127.0.0.1:" + port).c_str());
        started_ = true;
    }
    ~TServiceForBench()
    {
        if (!started_)
            return;
        try {
            Control("/_control/quit");
        } catch (...) {
        }
        DeleteFileA(portFile_.c_str());
    }
    static void Control(const std::string& pathAndQuery)
    {
        cl::TComPtr<IXMLHTTPRequest> http = cl::CreateXmlHttpRequest();
        cl::TVariant sync(false), none(std::wstring_view(L""));
        std::wstring url = cl::StringToWide(TRadioUtils::ServiceURL() + pathAndQuery);
        cl::OleCheck(http->open(cl::TBStr(L"POST").Get(), cl::TBStr(url).Get(), sync.In(), none.In(), none.In()));
        cl::OleCheck(http->send(none.In()));
    }

private:
    static std::string ReadAll(const std::string& file)
    {
        std::string text;
        if (FILE* f = std::fopen(file.c_str(), "rb")) {
            char buffer[64];
            size_t got = std::fread(buffer, 1, sizeof buffer, f);
            text.assign(buffer, got);
            std::fclose(f);
        }
        return text;
    }
    std::string portFile_;
    bool started_ = false;
};
