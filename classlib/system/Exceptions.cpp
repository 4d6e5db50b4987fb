// The class library's exception classes and the raising helpers.
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

void Abort()
{
    throw EAbort(consts::SOperationAborted);
}

std::string SysErrorMessage(std::uint32_t errorCode)
{
#ifdef _WIN32
    char* buffer = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                  nullptr, errorCode, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    if (buffer)
        LocalFree(buffer);
#else
    std::string text = std::strerror(int(errorCode));
#endif
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

void RaiseLastOSError(std::uint32_t errorCode)
{
    if (errorCode == 0)
        throw EOSError(consts::SUnkOSError, 0);
    throw EOSError(Format(consts::SOSError, errorCode, SysErrorMessage(errorCode)), errorCode);
}

void RaiseLastOSError()
{
#ifdef _WIN32
    RaiseLastOSError(::GetLastError());
#else
    RaiseLastOSError(std::uint32_t(errno));
#endif
}

void Assert(bool condition, std::string_view message, std::string_view file, int line)
{
    if (condition)
        return;
    std::string text = message.empty() ? std::string(consts::SAssertionFailed) : std::string(message);
    throw EAssertionFailed(Format(consts::SAssertError, text, file, line));
}

}  // namespace cl
