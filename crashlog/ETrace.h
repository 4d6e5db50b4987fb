#pragma once
// The logger's internal trace: one line per entry and exit of its entry points and per internal
// error, kept in memory and written to the program's file name with ".log". It is switched on
// by a last command-line argument that contains "DEBUG" ("SAVE" also writes after every line),
// or by an attached debugger.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace crashlog {

// One argument of a trace line, formatted by its kind.
class TTraceArg {
public:
    TTraceArg(int value);
    TTraceArg(unsigned value);
    TTraceArg(long value) : TTraceArg(static_cast<int>(value)) {}
    TTraceArg(unsigned long value) : TTraceArg(static_cast<unsigned>(value)) {}
    TTraceArg(bool value);
    TTraceArg(const char* text);
    TTraceArg(const std::string& text);
    TTraceArg(const void* pointer);
    // A class name (nullptr for nil).
    static TTraceArg Class(const char* name);
    static TTraceArg Unknown();
    const std::string& Text() const { return text_; }

private:
    TTraceArg() = default;
    std::string text_;
};

// "(a, b, c)".
std::string FormatTraceArguments(std::initializer_list<TTraceArg> args);

// The switches a command line's last argument sets (none for an empty list).
struct TTraceSwitch {
    bool Enabled = false;
    bool SaveEachLine = false;
};
TTraceSwitch TraceSwitchOf(const std::vector<std::string>& arguments);

// Reads the program's command line; run once at installation.
void InitDebugTrace();
// Enables the trace later (an attached debugger): such a trace is written only when asked.
void EnableDebugTrace();
bool DebugTraceEnabled();

// Adds a line: `indentBefore` (negative) shortens the indentation first, `indentAfter` (positive)
// lengthens it afterwards.
void DebugTrace(std::string_view name, std::initializer_list<TTraceArg> args = {}, int indentBefore = 0,
                int indentAfter = 0);
// A line of the logger's own errors and warnings.
void DebugTraceLine(std::string_view text);

// Writes the trace file now.
void SaveDebugTrace();
// Writes it when the trace was switched on at start (the program's end, an internal error).
void SaveDebugTraceIfStarted();
// The trace file: the program's file name with ".log" in place of its extension.
std::string DebugTraceFileName();

// Traces the entry of a logger entry point and, when it goes out of scope, its exit.
class TTraceScope {
public:
    TTraceScope(std::string_view name, std::initializer_list<TTraceArg> args = {});
    ~TTraceScope();
    void SetResult(TTraceArg result) { result_ = result.Text(); }

private:
    std::string name_;
    std::string result_;
};

}  // namespace crashlog
