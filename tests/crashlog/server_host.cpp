// A host of the test libraries, as a web server or a windowed program with plug-ins is one:
// crashlog_server_host <query> <log file> <notes file> [<step>...]. The server functions of
// each request block write what they receive to the notes file, and so does each step.
// Without steps it loads the test extension, hands it the query as one request on a thread of
// its own and unloads it. The queries "fault-first" and "fault-second" hand it two requests at
// once, on connections 1 and 2: the one on 2 faults while the other is still inside the
// extension, having entered first or second; "again" hands it a request that installs its
// logger again, then a failing one. The steps:
//   load:<library>   loads it (the libraries are counted from 0 in the order they are loaded)
//   copy:<library>   loads a copy of it from the notes file's folder: a second library
//   free:<n>         unloads library n
//   fault-on-load, fault-on-unload, fault-on-version   the extension then faults while it is
//                    loaded or unloaded, or tells its version
//   version          asks library 0 for its version (as a server does once it is loaded)
//   guard            the host's later calls run under a fault handler of its own, as servers
//                    guard their extensions
//   pool:<query>     a request to library 0 on a thread of its own; here:<query> on this thread
//   command:<query>  runs the command of plug-in library 0 on this thread
//   filter           sets the host's own unhandled-exception filter, which ends the host with 7
//   host-fault       a fault in the host's own code
//   write-fault      the server's WriteClient faults from then on
//   cycles:<n>       holds all but a few thread-local storage slots, loads and unloads
//                    crashlog_server.dll n times, then notes whether the host can still take one
//   mail:<port>      the extension mails its reports by SMTP to that port of 127.0.0.1; mail:mapi
//                    through a Simple MAPI client registered in its place, whose calls are
//                    noted at the end
//   env:<name>=<value>  sets a variable of the host's environment
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>
#include <httpext.h>

#include "classlib/system/KernelHandles.h"
#include "crashlog/EGuard.h"

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

int* volatile nowhere = nullptr;
bool faultingWrite = false;

BOOL WINAPI WriteClient(HCONN connection, LPVOID buffer, LPDWORD size, DWORD)
{
    if (faultingWrite)
        *nowhere = 6;
    AppendNote("[write" + Connection(connection) + "]\n" + std::string(static_cast<const char*>(buffer), *size) + "[end]\n");
    return TRUE;
}

using TEntry = DWORD(WINAPI*)(EXTENSION_CONTROL_BLOCK*);
using TCommand = void(WINAPI*)(const char*);

bool guarded = false;

bool HostGuard(EXCEPTION_POINTERS*, void*)
{
    AppendNote("[host guard]\n");
    return true;
}

// Calls the procedure, under the host's own guard when the steps asked for it.
void Call(void (*procedure)(void*), void* data)
{
    if (guarded)
        crashlog::GuardedCall(procedure, data, HostGuard, nullptr);
    else
        procedure(data);
}

struct TRequest {
    TEntry Entry;
    std::string Query;
    EXTENSION_CONTROL_BLOCK Block;
    DWORD Result = 0;
};

void Serve(void* parameter)
{
    auto* request = static_cast<TRequest*>(parameter);
    request->Result = request->Entry(&request->Block);
}

DWORD WINAPI HandleRequest(void* parameter)
{
    Call(Serve, parameter);
    return static_cast<TRequest*>(parameter)->Result;
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

void Note(const TRequest& request, DWORD result)
{
    AppendNote("[status" + Connection(request.Block.ConnID) + " " + std::to_string(request.Block.dwHttpStatusCode) +
               "] [thread " + std::to_string(result) + "]\n");
}

void Finish(HANDLE thread, const TRequest& request)
{
    WaitForSingleObject(thread, 60000);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    Note(request, code);
}

void ServeTwoAtOnce(TEntry entry, bool faultFirst)
{
    // One request enters, then the other; the faulting one faults once both are inside, and
    // the other goes on once the faulting one has ended.
    HANDLE entered = CreateEventA(nullptr, TRUE, FALSE, "crashlog_server_entered");
    HANDLE inside = CreateEventA(nullptr, TRUE, FALSE, "crashlog_server_inside");
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, "crashlog_server_release");
    TRequest first{};
    TRequest second{};
    Prepare(first, entry, "hold", 1);
    Prepare(second, entry, "fault-beside", 2);
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
}

std::string Folder(const std::string& file)
{
    return file.substr(0, file.find_last_of("\\/") + 1);
}

LONG WINAPI HostFilter(EXCEPTION_POINTERS* pointers)
{
    char code[32];
    std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(pointers->ExceptionRecord->ExceptionCode));
    AppendNote(std::string("[host filter ") + code + "]\n");
    TerminateProcess(GetCurrentProcess(), 7);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Registers the test's Simple MAPI client, copied beside the notes, where it notes its calls.
void RegisterMapiClient()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string client = Folder(notesFile) + "crashlog_fakemapi.dll";
    CopyFileA((Folder(self) + "crashlog_fakemapi.dll").c_str(), client.c_str(), FALSE);
    // The client's key holds its library; the clients' key names the default client.
    const auto set = [](const char* path, const char* name, const std::string& value) {
        HKEY opened = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr);
        const cl::TOwnedRegKey key(opened);
        RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    };
    set("Software\\TrebanixTests\\ServerMail\\Fake", "DLLPath", client);
    set("Software\\TrebanixTests\\ServerMail", nullptr, "Fake");
}

void NoteMapiCalls()
{
    if (FILE* f = std::fopen((Folder(notesFile) + "crashlog_fakemapi.txt").c_str(), "rb")) {
        char calls[4096];
        const std::size_t size = std::fread(calls, 1, sizeof calls, f);
        std::fclose(f);
        AppendNote("[mapi]\n" + std::string(calls, size));
    }
}

struct THost {
    std::vector<HMODULE> Libraries;

    void Load(const std::string& file)
    {
        HMODULE library = LoadLibraryA(file.c_str());
        if (!library) {
            AppendNote("[load failed]\n");
            return;
        }
        Libraries.push_back(library);
    }

    template <class T>
    T Export(const char* name) const
    {
        return Libraries.empty() ? nullptr
                                 : reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(Libraries[0], name)));
    }

    void Request(const std::string& query, bool here)
    {
        TRequest request{};
        Prepare(request, Export<TEntry>("HttpExtensionProc"), query, 1);
        if (!request.Entry)
            return AppendNote("[no entry]\n");
        if (here)
            Note(request, HandleRequest(&request));
        else
            Finish(Start(request), request);
    }

    void Command(const std::string& query)
    {
        struct TCall {
            TCommand Command;
            std::string Query;
        } call{Export<TCommand>("RunCommand"), query};
        if (!call.Command)
            return AppendNote("[no command]\n");
        Call([](void* data) {
            auto* c = static_cast<TCall*>(data);
            c->Command(c->Query.c_str());
        }, &call);
        AppendNote("[command done]\n");
    }

    void Version()
    {
        using TVersion = BOOL(WINAPI*)(HSE_VERSION_INFO*);
        struct TCall {
            TVersion Version;
            HSE_VERSION_INFO Info;
        } call{Export<TVersion>("GetExtensionVersion"), {}};
        Call([](void* data) {
            auto* c = static_cast<TCall*>(data);
            c->Version(&c->Info);
        }, &call);
    }

    // A library that keeps one slot per load would need a thousand loads to use up the
    // process's slots; with all but a few held here, it runs out within a few dozen.
    void CycleLibrary(unsigned long loads)
    {
        const std::size_t spare = 40;
        std::vector<DWORD> held;
        for (DWORD slot; (slot = TlsAlloc()) != TLS_OUT_OF_INDEXES;)
            held.push_back(slot);
        for (std::size_t i = 0; i < spare && !held.empty(); ++i) {
            TlsFree(held.back());
            held.pop_back();
        }
        for (unsigned long i = 0; i < loads; ++i) {
            HMODULE library = LoadLibraryA("crashlog_server.dll");
            if (!library) {
                AppendNote("[load failed]\n");
                break;
            }
            FreeLibrary(library);
        }
        const DWORD slot = TlsAlloc();
        AppendNote(slot == TLS_OUT_OF_INDEXES ? "[no tls slot]\n" : "[tls slot]\n");
        for (DWORD s : held)
            TlsFree(s);
    }

    void Step(const std::string& step)
    {
        const std::size_t colon = step.find(':');
        const std::string name = step.substr(0, colon), value = colon == std::string::npos ? "" : step.substr(colon + 1);
        if (name == "load")
            Load(value);
        else if (name == "copy") {
            char self[MAX_PATH];
            GetModuleFileNameA(nullptr, self, MAX_PATH);
            const std::string copy = Folder(notesFile) + "copy-" + value;
            CopyFileA((Folder(self) + value).c_str(), copy.c_str(), FALSE);
            Load(copy);
        } else if (name == "free") {
            FreeLibrary(Libraries.at(std::stoul(value)));
            AppendNote("[unloaded]\n");
        } else if (name == "fault-on-load" || name == "fault-on-unload" || name == "fault-on-version")
            SetEnvironmentVariableA("CRASHLOG_SERVER_FAULT", name.substr(9).c_str());
        else if (name == "guard")
            guarded = true;
        else if (name == "pool" || name == "here")
            Request(value, name == "here");
        else if (name == "command")
            Command(value);
        else if (name == "version")
            Version();
        else if (name == "filter")
            SetUnhandledExceptionFilter(HostFilter);
        else if (name == "host-fault")
            *nowhere = 4;
        else if (name == "write-fault")
            faultingWrite = true;
        else if (name == "cycles")
            CycleLibrary(std::stoul(value)); else if (name == "mail") {
            SetEnvironmentVariableA("CRASHLOG_SERVER_MAIL", value.c_str());
            if (value == "mapi")
                RegisterMapiClient();
        } else if (name == "env")
            SetEnvironmentVariableA(value.substr(0, value.find('=')).c_str(), value.substr(value.find('=') + 1).c_str());
        else if (name == "fault-first" || name == "fault-second")
            ServeTwoAtOnce(Export<TEntry>("HttpExtensionProc"), name == "fault-first");
        else if (name == "again") {
            Request("reinstall", false);
            Request("throw", false);
        }
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return 98;
    const std::string query = argv[1];
    notesFile = argv[3];
    SetEnvironmentVariableA("CRASHLOG_SERVER_LOG", argv[2]);
    SetEnvironmentVariableA("CRASHLOG_SERVER_NOTES", argv[3]);
    std::vector<std::string> steps(argv + 4, argv + argc);
    if (steps.empty()) {
        const bool special = query == "fault-first" || query == "fault-second" || query == "again";
        steps = {"load:crashlog_server.dll", special ? query : "pool:" + query, "free:0"};
    }
    THost host;
    for (const std::string& step : steps)
        host.Step(step);
    NoteMapiCalls();
    return 0;
}
