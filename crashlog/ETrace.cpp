#include "crashlog/ETrace.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include <windows.h>

namespace crashlog {

namespace {

struct TTraceState {
    std::mutex Lock;
    bool Enabled = false;
    bool EnabledAtStart = false;
    bool SaveEachLine = false;
    std::string Indent;
    std::vector<std::string> Lines;
};

TTraceState& Trace()
{
    static auto* state = new TTraceState;  // written to by faults up to the process's last moment
    return *state;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string TimeText()
{
    SYSTEMTIME t{};
    GetLocalTime(&t);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d %02d:%02d:%02d", t.wDay, t.wMonth, t.wYear % 100, t.wHour,
                  t.wMinute, t.wSecond);
    return buffer;
}

// The caller holds the lock.
void WriteTraceFile(const TTraceState& trace)
{
    const std::string name = DebugTraceFileName();
    if (FILE* f = std::fopen(name.c_str(), "wb")) {
        for (const std::string& line : trace.Lines) {
            std::fwrite(line.data(), 1, line.size(), f);
            std::fwrite("\r\n", 1, 2, f);
        }
        std::fclose(f);
    }
}

void AddLine(std::string_view text, int indentBefore, int indentAfter)
{
    TTraceState& trace = Trace();
    std::lock_guard<std::mutex> guard(trace.Lock);
    if (!trace.Enabled)
        return;
    if (indentBefore < 0)
        trace.Indent.resize(trace.Indent.size() > static_cast<std::size_t>(-indentBefore)
                                ? trace.Indent.size() + indentBefore
                                : 0);
    trace.Lines.push_back(TimeText() + "  " + trace.Indent + std::string(text));
    if (indentAfter > 0)
        trace.Indent.append(static_cast<std::size_t>(indentAfter), ' ');
    if (trace.SaveEachLine)
        WriteTraceFile(trace);
}

}  // namespace

TTraceArg::TTraceArg(int value) : text_(std::to_string(value)) {}
TTraceArg::TTraceArg(unsigned value) : text_(std::to_string(value)) {}
TTraceArg::TTraceArg(bool value) : text_(value ? "True" : "False") {}
TTraceArg::TTraceArg(const char* text) : text_("'" + std::string(text ? text : "") + "'") {}
TTraceArg::TTraceArg(const std::string& text) : text_("'" + text + "'") {}

TTraceArg::TTraceArg(const void* pointer)
{
    if (!pointer) {
        text_ = "nil";
        return;
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(pointer)));
    text_ = buffer;
}

TTraceArg TTraceArg::Class(const char* name)
{
    TTraceArg arg;
    arg.text_ = name ? name : "nil";
    return arg;
}

TTraceArg TTraceArg::Unknown()
{
    TTraceArg arg;
    arg.text_ = "Unknown";
    return arg;
}

std::string FormatTraceArguments(std::initializer_list<TTraceArg> args)
{
    std::string text = "(";
    bool first = true;
    for (const TTraceArg& a : args) {
        if (!first)
            text += ", ";
        text += a.Text();
        first = false;
    }
    return text + ")";
}

TTraceSwitch TraceSwitchOf(const std::vector<std::string>& arguments)
{
    TTraceSwitch result;
    if (arguments.empty())
        return result;
    const std::string last = Upper(arguments.back());
    result.Enabled = last.find("DEBUG") != std::string::npos;
    result.SaveEachLine = last.find("SAVE") != std::string::npos;
    return result;
}

void InitDebugTrace()
{
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i)
        arguments.emplace_back(__argv[i] ? __argv[i] : "");
    const TTraceSwitch on = TraceSwitchOf(arguments);
    TTraceState& trace = Trace();
    std::lock_guard<std::mutex> guard(trace.Lock);
    trace.Enabled = on.Enabled;
    trace.EnabledAtStart = on.Enabled;
    trace.SaveEachLine = on.SaveEachLine;
}

void EnableDebugTrace()
{
    TTraceState& trace = Trace();
    std::lock_guard<std::mutex> guard(trace.Lock);
    trace.Enabled = true;
}

bool DebugTraceEnabled()
{
    TTraceState& trace = Trace();
    std::lock_guard<std::mutex> guard(trace.Lock);
    return trace.Enabled;
}

void DebugTrace(std::string_view name, std::initializer_list<TTraceArg> args, int indentBefore, int indentAfter)
{
    if (!DebugTraceEnabled())
        return;
    try {
        AddLine(std::string(name) + FormatTraceArguments(args), indentBefore, indentAfter);
    } catch (...) {
        // The trace never stops what it traces.
    }
}

void DebugTraceLine(std::string_view text)
{
    try {
        AddLine(text, 0, 0);
    } catch (...) {
    }
}

std::string DebugTraceFileName()
{
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::string name = program;
    const std::size_t slash = name.find_last_of("\\/");
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        name.erase(dot);
    return name + ".log";
}

void SaveDebugTrace()
{
    TTraceState& trace = Trace();
    std::lock_guard<std::mutex> guard(trace.Lock);
    if (trace.Enabled)
        WriteTraceFile(trace);
}

void SaveDebugTraceIfStarted()
{
    TTraceState& trace = Trace();
    std::lock_guard<std::mutex> guard(trace.Lock);
    if (trace.EnabledAtStart)
        WriteTraceFile(trace);
}

TTraceScope::TTraceScope(std::string_view name, std::initializer_list<TTraceArg> args) : name_(name)
{
    DebugTrace(name_, args, 0, 2);
}

TTraceScope::~TTraceScope()
{
    if (!DebugTraceEnabled())
        return;
    try {
        AddLine(name_ + "=" + result_, -2, 0);
    } catch (...) {
    }
}

}  // namespace crashlog
