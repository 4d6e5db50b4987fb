// A web server's stand-in: loads the test extension and hands it one request on a thread of its
// own, with a request block whose server functions write what they receive to the notes file:
// crashlog_server_host <query> <log file> <notes file>. The queries "load" and "unload" make
// the extension fault while it is loaded or unloaded; "fault-first" and "fault-second" hand it
// two requests at once, on connections 1 and 2: the one on 2 faults while the other is still
// inside the extension, having entered first or second; "again" hands it a request that installs
// its logger again, then a failing one.
#include <cstdint>
#include <cstdio>
#include <string>

#include <windows.h>
#include <httpext.h>

namespace {

std::string notesFile;

void AppendNote(const std::string& text)
{
    if (FILE* f = std::fopen(notesFile.c_str(), "ab")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}

// Connection 1 is the only one of a single request, and goes unnamed.
std::string Connection(HCONN connection)
{
    const auto id = reinterpret_cast<std::uintptr_t>(connection);
    return id == 1 ? "" : " " + std::to_string(id);
}

BOOL WINAPI ServerSupport(HCONN connection, DWORD request, LPVOID buffer, LPDWORD size, LPDWORD data)
{
    AppendNote("[support" + Connection(connection) + " " + std::to_string(request) + "] " + (buffer ? static_cast<const char*>(buffer) : "") +
               "\n" + std::string(reinterpret_cast<const char*>(data), size ? *size : 0) + "[end]\n");
    return TRUE;
}

BOOL WINAPI WriteClient(HCONN connection, LPVOID buffer, LPDWORD size, DWORD)
{
    AppendNote("[write" + Connection(connection) + "]\n" + std::string(static_cast<const char*>(buffer), *size) + "[end]\n");
    return TRUE;
}

using TEntry = DWORD(WINAPI*)(EXTENSION_CONTROL_BLOCK*);

struct TRequest {
    TEntry Entry;
    std::string Query;
    EXTENSION_CONTROL_BLOCK Block;
};

DWORD WINAPI HandleRequest(void* parameter)
{
    auto* request = static_cast<TRequest*>(parameter);
    return request->Entry(&request->Block);
}

void Prepare(TRequest& request, TEntry entry, const std::string& query, std::uintptr_t connection)
{
    request.Entry = entry;
    request.Query = query;
    EXTENSION_CONTROL_BLOCK& block = request.Block;
    block.cbSize = sizeof block;
    block.dwVersion = HSE_VERSION;
    block.ConnID = reinterpret_cast<HCONN>(connection);
    block.lpszMethod = const_cast<char*>("GET");
    block.lpszQueryString = request.Query.data();
    block.lpszPathInfo = const_cast<char*>("");
    block.lpszPathTranslated = const_cast<char*>("");
    block.lpszContentType = const_cast<char*>("");
    block.ServerSupportFunction = ServerSupport;
    block.WriteClient = WriteClient;
}

HANDLE Start(TRequest& request)
{
    return CreateThread(nullptr, 0, HandleRequest, &request, 0, nullptr);
}

void Finish(HANDLE thread, const TRequest& request)
{
    WaitForSingleObject(thread, 60000);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    AppendNote("[status" + Connection(request.Block.ConnID) + " " + std::to_string(request.Block.dwHttpStatusCode) +
               "] [thread " + std::to_string(code) + "]\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return 98;
    const std::string query = argv[1];
    notesFile = argv[3];
    SetEnvironmentVariableA("CRASHLOG_SERVER_LOG", argv[2]);
    SetEnvironmentVariableA("CRASHLOG_SERVER_NOTES", argv[3]);
    if (query == "load" || query == "unload")
        SetEnvironmentVariableA("CRASHLOG_SERVER_FAULT", query.c_str());
    HMODULE library = LoadLibraryA("crashlog_server.dll");
    if (!library)
        return 97;
    const auto entry = reinterpret_cast<TEntry>(reinterpret_cast<void*>(GetProcAddress(library, "HttpExtensionProc")));
    if (!entry)
        return 96;
    if (query == "fault-first" || query == "fault-second") {
        // One request enters, then the other; the faulting one faults once both are inside, and
        // the other goes on once the faulting one has ended.
        HANDLE entered = CreateEventA(nullptr, TRUE, FALSE, "crashlog_server_entered");
        HANDLE inside = CreateEventA(nullptr, TRUE, FALSE, "crashlog_server_inside");
        HANDLE release = CreateEventA(nullptr, TRUE, FALSE, "crashlog_server_release");
        TRequest first{};
        TRequest second{};
        Prepare(first, entry, "hold", 1);
        Prepare(second, entry, "fault-beside", 2);
        const bool faultFirst = query == "fault-first";
        HANDLE faulting = faultFirst ? Start(second) : nullptr;
        HANDLE holding = faultFirst ? nullptr : Start(first);
        WaitForSingleObject(faultFirst ? entered : inside, 20000);
        if (faultFirst)
            holding = Start(first);
        else
            faulting = Start(second);
        Finish(faulting, second);
        SetEvent(release);
        Finish(holding, first);
        CloseHandle(entered);
        CloseHandle(inside);
        CloseHandle(release);
    } else if (query == "again") {
        TRequest reinstall{};
        Prepare(reinstall, entry, "reinstall", 1);
        Finish(Start(reinstall), reinstall);
        TRequest failing{};
        Prepare(failing, entry, "throw", 1);
        Finish(Start(failing), failing);
    } else {
        TRequest request{};
        Prepare(request, entry, query, 1);
        Finish(Start(request), request);
    }
    FreeLibrary(library);
    AppendNote("[unloaded]\n");
    return 0;
}
