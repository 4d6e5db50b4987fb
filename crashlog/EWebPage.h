#pragma once
// The report as an HTTP error page (status 500) for a program that runs as a web-server
// extension, where a dialog would block the server: CGI, WinCGI or ISAPI.
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>
#include <httpext.h>

namespace crashlog {

class TVozozoModuleOptions;

enum class TWebKind { None, CGI, WinCGI, ISAPI };

// Markup characters escaped, then every line break "<br>" and every blank "&nbsp;".
std::string TextToHTML(std::string_view text);
// The whole page: customized text 2 as its title, text 3, an empty line and the log text.
std::string BuildWebPage(const TVozozoModuleOptions& options, const std::string& logText);
// The headers before the page; the status line only for CGI and WinCGI.
std::string WebPageHeaders(TWebKind kind, std::size_t pageLength);

// A WinCGI program: its first argument is a profile under 102401 bytes whose "CGI" section has
// a "Request Method"; the output file is the third argument or the profile's [System] "Output
// File", and must exist.
bool IsWinCGI(const std::vector<std::string>& arguments, std::string& outputFile);
// A console program whose environment has REQUEST_METHOD.
bool IsCGI();
// The web setting of the logger's module, found once: a library that exports the server's
// request entry is a web-server library, else the program's own setting.
TWebKind WebKind();
// False in a web server's program or library: nobody sits at the server's screen, and a window
// would hold the server.
bool MayShowWindows();

// The request the calling thread's ISAPI entry is handling (kept by the entry's hook), or nullptr.
EXTENSION_CONTROL_BLOCK* ThreadServerECB();
void SetThreadServerECB(EXTENSION_CONTROL_BLOCK* ecb);
// Points the module's exported "HttpExtensionProc", when it exports one, at a hook, so that a
// report made while it handles a request answers that request with the error page. The server
// finds the entry through the export table after loading the library; the entry's code stays
// untouched, so the server may enter it on many threads at once.
void HookServerEntry(HMODULE module);

// Sends the page the way the program answers its requests (an ISAPI library: to `ecb`, the
// faulting thread's request, since the report may be made on another thread); false (with a
// warning) on failure.
bool SendWebPage(TWebKind kind, const std::string& page, EXTENSION_CONTROL_BLOCK* ecb = nullptr);
bool SendWebPageToFile(const std::string& fileName, const std::string& page);
bool SendWebPageToServer(EXTENSION_CONTROL_BLOCK* ecb, const std::string& page);

}  // namespace crashlog
