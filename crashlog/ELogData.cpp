// What the log tells of the program, the machine and the windows at the moment of a fault.
#include "crashlog/ExceptionLog.h"

#include "crashlog/ELoggerState.h"
#include "crashlog/EModules.h"
#include "crashlog/ESysInfo.h"

namespace crashlog {

namespace {

std::string DateOf(const SYSTEMTIME& t)
{
    return LogDateText(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

}  // namespace

std::string WindowClass(HWND window)
{
    char text[256] = "";
    if (window)
        GetClassNameA(window, text, sizeof text);
    return text;
}

std::string WindowText(HWND window)
{
    char text[256] = "";
    if (!window)
        return {};
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        GetWindowTextA(window, text, sizeof text);
    } else {
        // The window's thread may be blocked, or waiting for the processing flag itself: its
        // text is read from the window, without a message to that thread.
        wchar_t wide[256] = L"";
        InternalGetWindowText(window, wide, 256);
        if (!WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr))
            text[0] = '\0';
        text[sizeof text - 1] = '\0';
    }
    return ReplaceControlChars(text);
}

TLogData GatherLogData(const TExceptionContext& context, const SYSTEMTIME& now, const std::string& moduleFile)
{
    TLoggerState& s = State();
    TLogData data;
    data.Values[0] = DateOf(s.StartTime);
    std::string description = GetFileDescription(moduleFile);
    data.Values[1] = description.empty() ? ExtractFileName(moduleFile) : description;
    data.Values[2] = GetFileVersionText(moduleFile);
    data.Values[3] = DateOf(now);
    data.Values[4] = AddressText(context.Address);
    // Under Wine address 0 lies in the main program's module; no module holds it.
    if (HMODULE module = context.Address ? ModuleOfAddress(reinterpret_cast<const void*>(context.Address)) : nullptr)
        data.Values[5] = ExtractFileName(ModuleFileName(module));
    data.Values[6] = context.Description.ClassName;
    if (context.Description.IsException)
        data.Values[7] = WithFinalPoint(ReplaceControlChars(context.Description.Message));
    HWND foreground = GetForegroundWindow();
    data.Values[8] = WindowClass(foreground);
    data.Values[9] = WindowText(foreground);
    data.Values[10] = s.FocusClass;
    data.Values[11] = s.FocusText;
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, sizeof program);
    TSystemInfo system = GetSystemInfoFields(program);
    data.Values[12] = system.ComputerName;
    data.Values[13] = system.TotalMemory;
    data.Values[14] = system.FreeMemory;
    data.Values[15] = system.TotalDisk;
    data.Values[16] = system.FreeDisk;
    data.Values[17] = system.OSType;
    data.Values[18] = system.OSBuild;
    data.Values[19] = system.OSLanguage;
    data.ActiveControls = !IsConsoleProgram() && WebKind() == TWebKind::None;
    return data;
}

}  // namespace crashlog
