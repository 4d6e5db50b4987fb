// A web server's stand-in: loads the test extension and hands it one request on a thread of its
// own, with a request block whose server functions write what they receive to the notes file:
// crashlog_server_host <query> <log file> <notes file>. The queries "load" and "unload" make
// the extension fault while it is loaded or unloaded.
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

BOOL WINAPI ServerSupport(HCONN, DWORD request, LPVOID buffer, LPDWORD size, LPDWORD data)
{
    AppendNote("[support " + std::to_string(request) + "] " + (buffer ? static_cast<const char*>(buffer) : "") +
               "\n" + std::string(reinterpret_cast<const char*>(data), size ? *size : 0) + "[end]\n");
    return TRUE;
}

BOOL WINAPI WriteClient(HCONN, LPVOID buffer, LPDWORD size, DWORD)
{
    AppendNote("[write]\n" + std::string(static_cast<const char*>(buffer), *size) + "[end]\n");
    return TRUE;
}

using TEntry = DWORD(WINAPI*)(EXTENSION_CONTROL_BLOCK*);

struct TRequest {
    TEntry Entry;
    EXTENSION_CONTROL_BLOCK Block;
};

DWORD WINAPI HandleRequest(void* parameter)
{
    auto* request = static_cast<TRequest*>(parameter);
    return request->Entry(&request->Block);
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
    TRequest request{};
    request.Entry = reinterpret_cast<TEntry>(reinterpret_cast<void*>(GetProcAddress(library, "HttpExtensionProc")));
    if (!request.Entry)
        return 96;
    std::string queryText = query;
    EXTENSION_CONTROL_BLOCK& block = request.Block;
    block.cbSize = sizeof block;
    block.dwVersion = HSE_VERSION;
    block.ConnID = reinterpret_cast<HCONN>(1);
    block.lpszMethod = const_cast<char*>("GET");
    block.lpszQueryString = queryText.data();
    block.lpszPathInfo = const_cast<char*>("");
    block.lpszPathTranslated = const_cast<char*>("");
    block.lpszContentType = const_cast<char*>("");
    block.ServerSupportFunction = ServerSupport;
    block.WriteClient = WriteClient;
    HANDLE thread = CreateThread(nullptr, 0, HandleRequest, &request, 0, nullptr);
    WaitForSingleObject(thread, 60000);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    AppendNote("[status " + std::to_string(block.dwHttpStatusCode) + "] [thread " + std::to_string(code) + "]\n");
    FreeLibrary(library);
    AppendNote("[unloaded]\n");
    return 0;
}
