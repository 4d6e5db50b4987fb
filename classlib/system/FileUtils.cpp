// Files and paths: names, folders, existence, whole-file reading and writing.
#include "classlib/system/SysUtils.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace cl {

namespace {

bool IsDelimiter(char c)
{
#ifdef _WIN32
    return c == '\\' || c == ':';
#else
    return c == '\\' || c == ':' || c == '/';
#endif
}

std::size_t LastDelimiter(std::string_view path)  // index after it, 0 when none
{
    for (std::size_t i = path.size(); i > 0; --i)
        if (IsDelimiter(path[i - 1]))
            return i;
    return 0;
}

#ifndef _WIN32
std::string NativePath(std::string_view path)
{
    return std::string(path);
}
#endif

std::vector<std::string>& Arguments()
{
    static std::vector<std::string> args;
    return args;
}

}  // namespace

std::string ExtractFileName(std::string_view path)
{
    return std::string(path.substr(LastDelimiter(path)));
}

std::string ExtractFilePath(std::string_view path)
{
    return std::string(path.substr(0, LastDelimiter(path)));
}

std::string ExtractFileDir(std::string_view path)
{
    std::size_t i = LastDelimiter(path);
    // Keep "C:\" and "\" whole; otherwise drop the delimiter.
    if (i > 0 && path[i - 1] != ':' && i > 1 && path[i - 2] != ':')
        --i;
    return std::string(path.substr(0, i));
}

std::string ExtractFileExt(std::string_view path)
{
    std::size_t start = LastDelimiter(path);
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < start)
        return {};
    return std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view extension)
{
    std::size_t start = LastDelimiter(path);
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < start)
        dot = path.size();
    return std::string(path.substr(0, dot)) + std::string(extension);
}

std::string IncludeTrailingPathDelimiter(std::string_view path)
{
    std::string r(path);
    if (r.empty() || !IsDelimiter(r.back()) || r.back() == ':')
        r.push_back(PathDelim);
    return r;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path)
{
    std::string r(path);
    if (!r.empty() && IsDelimiter(r.back()) && r.back() != ':')
        r.pop_back();
    return r;
}

bool FileExists(std::string_view fileName)
{
    if (fileName.empty())
        return false;
#ifdef _WIN32
    DWORD attributes = GetFileAttributesA(std::string(fileName).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat st;
    return ::stat(NativePath(fileName).c_str(), &st) == 0 && S_ISREG(st.st_mode);
#endif
}

bool DirectoryExists(std::string_view dirName)
{
    if (dirName.empty())
        return false;
#ifdef _WIN32
    DWORD attributes = GetFileAttributesA(std::string(dirName).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat st;
    return ::stat(NativePath(dirName).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
#endif
}

bool ForceDirectories(std::string_view dirName)
{
    std::string dir = ExcludeTrailingPathDelimiter(dirName);
    if (dir.empty())
        return false;
    if (DirectoryExists(dir) || (dir.size() == 2 && dir[1] == ':'))
        return true;
    std::string parent = ExtractFileDir(dir);
    if (!parent.empty() && parent != dir && !ForceDirectories(parent))
        return false;
#ifdef _WIN32
    return CreateDirectoryA(dir.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
#else
    return ::mkdir(dir.c_str(), 0777) == 0 || errno == EEXIST;
#endif
}

bool RemoveFile(std::string_view fileName)
{
#ifdef _WIN32
    return DeleteFileA(std::string(fileName).c_str()) != 0;
#else
    return ::unlink(NativePath(fileName).c_str()) == 0;
#endif
}

bool RenameFileTo(std::string_view oldName, std::string_view newName)
{
#ifdef _WIN32
    return MoveFileA(std::string(oldName).c_str(), std::string(newName).c_str()) != 0;
#else
    if (FileExists(newName) || DirectoryExists(newName))
        return false;  // like MoveFile: never replaces
    return std::rename(NativePath(oldName).c_str(), NativePath(newName).c_str()) == 0;
#endif
}

std::string GetCurrentDir()
{
#ifdef _WIN32
    char buffer[MAX_PATH + 1];
    DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    return n && n < sizeof buffer ? std::string(buffer, n) : std::string();
#else
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
#endif
}

std::string ExeName()
{
#ifdef _WIN32
    char buffer[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    return std::string(buffer, n < sizeof buffer ? n : 0);
#else
    char buffer[4096];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0)
        return std::string(buffer, std::size_t(n));
    return Arguments().empty() ? std::string() : Arguments()[0];
#endif
}

std::string ExeFolder()
{
    return ExtractFilePath(ExeName());
}

void SetCommandLine(int argc, const char* const* argv)
{
    Arguments().clear();
    for (int i = 0; i < argc; ++i)
        Arguments().emplace_back(argv[i] ? argv[i] : "");
}

#ifdef _WIN32
namespace {
// Splits GetCommandLine the way the C run-time does (quotes group, backslashes before quotes).
std::vector<std::string> WindowsArguments()
{
    std::vector<std::string> out;
    const char* p = GetCommandLineA();
    while (*p) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        std::string arg;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '"') {
                quoted = !quoted;
                ++p;
            } else {
                arg.push_back(*p++);
            }
        }
        out.push_back(arg);
    }
    return out;
}
}  // namespace
#endif

int ParamCount()
{
#ifdef _WIN32
    if (Arguments().empty())
        return std::max(0, int(WindowsArguments().size()) - 1);
#endif
    return std::max(0, int(Arguments().size()) - 1);
}

std::string ParamStr(int index)
{
    if (index == 0)
        return ExeName();
#ifdef _WIN32
    if (Arguments().empty()) {
        std::vector<std::string> args = WindowsArguments();
        return index > 0 && std::size_t(index) < args.size() ? args[std::size_t(index)] : std::string();
    }
#endif
    return index > 0 && std::size_t(index) < Arguments().size() ? Arguments()[std::size_t(index)] : std::string();
}

std::string GetEnvVar(std::string_view name)
{
#ifdef _WIN32
    std::string key(name);
    DWORD n = GetEnvironmentVariableA(key.c_str(), nullptr, 0);
    if (!n)
        return {};
    std::string value(n, '\0');
    n = GetEnvironmentVariableA(key.c_str(), value.data(), n);
    value.resize(n);
    return value;
#else
    const char* v = std::getenv(std::string(name).c_str());
    return v ? std::string(v) : std::string();
#endif
}

}  // namespace cl
