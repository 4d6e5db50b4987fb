#pragma once
// Strings, conversions, Format, paths, dates, rounding, random numbers and the exception classes
// of the layer (Delphi's SysUtils). Strings are std::string in the system code page.
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "classlib/system/CoreConsts.h"
#include "classlib/system/System.h"

namespace cl {

// ---------------------------------------------------------------------------------------------
// Exceptions. Every exception of the layer derives from Exception (and TObject, so ClassName()
// and InheritsFrom("EStreamError") work on it); what() gives the message.

class Exception : public TObject, public std::exception {
public:
    explicit Exception(std::string message = {}) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
    int helpContext_ = 0;
};

// Declares an exception class with the constructors of its parent.
#define CL_DECLARE_EXCEPTION(Name, Parent) \
    class Name : public Parent {           \
    public:                                \
        using Parent::Parent;              \
    }

// Silent: the application's handler shows nothing for it. Abort() throws one.
CL_DECLARE_EXCEPTION(EAbort, Exception);
CL_DECLARE_EXCEPTION(EConvertError, Exception);
CL_DECLARE_EXCEPTION(EInvalidCast, Exception);
CL_DECLARE_EXCEPTION(EInvalidPointer, Exception);
CL_DECLARE_EXCEPTION(EOutOfMemory, Exception);
CL_DECLARE_EXCEPTION(EAssertionFailed, Exception);
CL_DECLARE_EXCEPTION(EInOutError, Exception);
CL_DECLARE_EXCEPTION(EIntError, Exception);
CL_DECLARE_EXCEPTION(EDivByZero, EIntError);
CL_DECLARE_EXCEPTION(ERangeError, EIntError);
CL_DECLARE_EXCEPTION(EIntOverflow, EIntError);
CL_DECLARE_EXCEPTION(EMathError, Exception);
CL_DECLARE_EXCEPTION(EZeroDivide, EMathError);
CL_DECLARE_EXCEPTION(EOverflow, EMathError);
CL_DECLARE_EXCEPTION(EInvalidOp, EMathError);
CL_DECLARE_EXCEPTION(ENotImplemented, Exception);
// OS faults: only as objects the exception logger builds to describe a fault.
CL_DECLARE_EXCEPTION(EExternal, Exception);
CL_DECLARE_EXCEPTION(EAccessViolation, EExternal);
CL_DECLARE_EXCEPTION(EStackOverflow, EExternal);
CL_DECLARE_EXCEPTION(EPrivilege, EExternal);
CL_DECLARE_EXCEPTION(EExternalException, EExternal);
// Variants (the XML layer's Null attribute): "Could not convert variant of type (Null) into
// type (String)".
CL_DECLARE_EXCEPTION(EVariantError, Exception);
CL_DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError);
// The registry unit raises it ("Invalid data type for '%s'"); declared here so the exception
// hierarchy is in one place.
CL_DECLARE_EXCEPTION(ERegistryException, Exception);
// Stream and file errors (Classes raises them).
CL_DECLARE_EXCEPTION(EStreamError, Exception);
CL_DECLARE_EXCEPTION(EFilerError, EStreamError);
CL_DECLARE_EXCEPTION(EReadError, EFilerError);
CL_DECLARE_EXCEPTION(EWriteError, EFilerError);
CL_DECLARE_EXCEPTION(EFCreateError, EStreamError);
CL_DECLARE_EXCEPTION(EFOpenError, EStreamError);
CL_DECLARE_EXCEPTION(EThread, Exception);

// A failed Win32 call: "System Error.  Code: %d.\r\n%s" (RaiseLastOSError).
class EOSError : public Exception {
public:
    using Exception::Exception;
    EOSError(std::string message, std::uint32_t errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
    std::uint32_t ErrorCode() const { return errorCode_; }
    void SetErrorCode(std::uint32_t value) { errorCode_ = value; }

private:
    std::uint32_t errorCode_ = 0;
};

// COM/OLE failures: a failed HRESULT, and the rich error information of IErrorInfo.
class EOleError : public Exception {
public:
    using Exception::Exception;
};
class EOleSysError : public EOleError {
public:
    using EOleError::EOleError;
    EOleSysError(std::string message, std::int32_t errorCode) : EOleError(std::move(message)), errorCode_(errorCode) {}
    std::int32_t ErrorCode() const { return errorCode_; }
    void SetErrorCode(std::int32_t value) { errorCode_ = value; }

private:
    std::int32_t errorCode_ = 0;
};
class EOleException : public EOleSysError {
public:
    using EOleSysError::EOleSysError;
    EOleException(std::string message, std::int32_t errorCode, std::string source, std::string helpFile = {},
                  int helpContext = 0)
        : EOleSysError(std::move(message), errorCode), source_(std::move(source)), helpFile_(std::move(helpFile))
    {
        SetHelpContext(helpContext);
    }
    const std::string& Source() const { return source_; }
    const std::string& HelpFile() const { return helpFile_; }

private:
    std::string source_;
    std::string helpFile_;
};

// Throws EAbort ("Operation aborted").
[[noreturn]] void Abort();
// Throws EOSError for GetLastError() (Windows) or errno (native).
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(std::uint32_t errorCode);
// The system's message for an error code (FormatMessage / strerror), without trailing line break.
std::string SysErrorMessage(std::uint32_t errorCode);

// Delphi's Assert: throws EAssertionFailed "<message> (<file>, line <n>)"; an empty message reads
// "Assertion failed".
void Assert(bool condition, std::string_view message = {}, std::string_view file = {}, int line = 0);
#define CL_ASSERT(condition, message) ::cl::Assert((condition), (message), __FILE__, __LINE__)

// Downcast that raises EInvalidCast ("Invalid class typecast") instead of answering nullptr
// (Delphi's "as"). nullptr stays nullptr.
template <class T, class U>
T* As(U* object)
{
    if (!object)
        return nullptr;
    T* result = dynamic_cast<T*>(object);
    if (!result)
        throw EInvalidCast(consts::SInvalidCast);
    return result;
}

// ---------------------------------------------------------------------------------------------
// Format: a type-safe version of Delphi's Format.
// Specifiers: "%" ["index:"] ["-"] [width] ["." precision] type, width/precision may be "*".
// Types: d u (integers), x (upper-case hex; negative 32-bit values as unsigned), e f g n m
// (floating point), p (pointer, 8 hex digits), s (strings, char), "%%" = "%".
// A wrong type or a missing argument throws EConvertError
// "Format '%s' invalid or incompatible with argument".

struct TVarRec {
    enum class Kind : std::uint8_t { Int, UInt, Float, String, Pointer, Char };
    Kind kind;
    int bits = 32;  // width of an integer argument (hex of negatives)
    std::int64_t i = 0;
    std::uint64_t u = 0;
    double f = 0;
    std::string_view s;
    const void* p = nullptr;
    char c = 0;

    TVarRec(bool v) : kind(Kind::Int), i(v) {}
    TVarRec(char v) : kind(Kind::Char), c(v) {}
    TVarRec(signed char v) : kind(Kind::Int), i(v) {}
    TVarRec(unsigned char v) : kind(Kind::UInt), u(v) {}
    TVarRec(short v) : kind(Kind::Int), i(v) {}
    TVarRec(unsigned short v) : kind(Kind::UInt), u(v) {}
    TVarRec(int v) : kind(Kind::Int), i(v) {}
    TVarRec(unsigned v) : kind(Kind::UInt), u(v) {}
    TVarRec(long v) : kind(Kind::Int), bits(int(sizeof(long) * 8)), i(v) {}
    TVarRec(unsigned long v) : kind(Kind::UInt), bits(int(sizeof(long) * 8)), u(v) {}
    TVarRec(long long v) : kind(Kind::Int), bits(64), i(v) {}
    TVarRec(unsigned long long v) : kind(Kind::UInt), bits(64), u(v) {}
    TVarRec(float v) : kind(Kind::Float), f(v) {}
    TVarRec(double v) : kind(Kind::Float), f(v) {}
    TVarRec(long double v) : kind(Kind::Float), f(double(v)) {}
    TVarRec(const char* v) : kind(Kind::String), s(v ? std::string_view(v) : std::string_view()) {}
    TVarRec(char* v) : TVarRec(static_cast<const char*>(v)) {}
    TVarRec(const std::string& v) : kind(Kind::String), s(v) {}
    TVarRec(std::string_view v) : kind(Kind::String), s(v) {}
    TVarRec(const void* v) : kind(Kind::Pointer), p(v) {}
    TVarRec(std::nullptr_t) : kind(Kind::Pointer), p(nullptr) {}
    template <class T, class = std::enable_if_t<std::is_enum_v<T>>>
    TVarRec(T v) : TVarRec(static_cast<std::underlying_type_t<T>>(v))
    {
    }
};

std::string FormatV(std::string_view format, const std::vector<TVarRec>& args);

template <class... Args>
std::string Format(std::string_view format, const Args&... args)
{
    return FormatV(format, std::vector<TVarRec>{TVarRec(args)...});
}

// ---------------------------------------------------------------------------------------------
// Integers and floats as text.

std::string IntToStr(std::int64_t value);
// Upper-case, at least `digits` digits; negative values as their two's complement of 32 bits
// (64 bits for values outside the 32-bit range).
std::string IntToHex(std::int64_t value, int digits);
// Accepts optional blanks before, a sign, decimal digits or "$"/"0x"/"0X" hexadecimal; nothing
// else. Throws EConvertError "'%s' is not a valid integer value" otherwise or when out of range.
int StrToInt(std::string_view text);
std::int64_t StrToInt64(std::string_view text);
int StrToIntDef(std::string_view text, int defaultValue);
std::int64_t StrToInt64Def(std::string_view text, std::int64_t defaultValue);
bool TryStrToInt(std::string_view text, int& value);
bool TryStrToInt64(std::string_view text, std::int64_t& value);
// "True"/"False" (case-insensitive) or an integer (0 = false). EConvertError
// "'%s' is not a valid boolean value" otherwise.
bool StrToBool(std::string_view text);
bool StrToBoolDef(std::string_view text, bool defaultValue);
std::string BoolToStr(bool value, bool useBoolStrs = false);  // "-1"/"0", or "True"/"False"
// Decimal separator ".", no thousands separators; "%s' is not a valid floating point value".
double StrToFloat(std::string_view text);
double StrToFloatDef(std::string_view text, double defaultValue);
bool TryStrToFloat(std::string_view text, double& value);
std::string FloatToStr(double value);  // up to 15 significant digits, like Delphi
// Delphi's FormatFloat: sections "pos;neg;zero", "0" and "#" digit places, "." decimal point,
// "," thousands separators, "E+"/"E-" exponents, quoted literals.
std::string FormatFloat(std::string_view format, double value);

// ---------------------------------------------------------------------------------------------
// Strings.

// Remove characters <= ' ' from both ends / the start / the end.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// ASCII letters only.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// All letters of the system code page (CharUpperBuff on Windows, Windows-1252 natively).
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
// ASCII comparisons: <0, 0, >0.
int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// Code-page comparisons, case-insensitive (letters of the code page compared upper-cased).
int AnsiCompareStr(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
// 1-based position of `sub` in `s`, 0 when absent.
int Pos(std::string_view sub, std::string_view s);
// 1-based substring like Delphi's Copy, clamped to the string.
std::string Copy(std::string_view s, int index, int count);
enum TReplaceFlag : std::uint8_t { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags);
std::string QuotedStr(std::string_view s);  // 'it''s'
std::string StringOfChar(char c, int count);

// Code-page <-> UTF-16 (COM) conversions; natively the code page is Windows-1252.
WideString StringToWide(std::string_view s);
std::string WideToString(std::wstring_view s);
inline WideString AnsiToWide(std::string_view s) { return StringToWide(s); }
inline std::string WideToAnsi(std::wstring_view s) { return WideToString(s); }
// UTF-8 <-> UTF-16 and code page <-> UTF-8.
WideString Utf8ToWide(std::string_view s);
std::string WideToUtf8(std::wstring_view s);
std::string AnsiToUtf8(std::string_view s);
std::string Utf8ToAnsi(std::string_view s);

// ---------------------------------------------------------------------------------------------
// Files and paths. Paths are split after the last "\" or ":" (natively also "/").

constexpr char PathDelim = '\\';
constexpr char DriveDelim = ':';
std::string ExtractFileName(std::string_view path);
std::string ExtractFilePath(std::string_view path);  // with the trailing delimiter
std::string ExtractFileDir(std::string_view path);   // without it (except "C:\")
std::string ExtractFileExt(std::string_view path);   // with the dot, "" when none
std::string ChangeFileExt(std::string_view path, std::string_view extension);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);
bool FileExists(std::string_view fileName);
bool DirectoryExists(std::string_view dirName);
bool ForceDirectories(std::string_view dirName);
// (Not "DeleteFile"/"RenameFile": windows.h defines those names as macros.)
bool RemoveFile(std::string_view fileName);
bool RenameFileTo(std::string_view oldName, std::string_view newName);
std::string GetCurrentDir();
// The program file and its folder (with the trailing delimiter).
std::string ExeName();
std::string ExeFolder();
// Program arguments: ParamStr(0) = ExeName(); natively set by SetCommandLine (tests, main).
int ParamCount();
std::string ParamStr(int index);
void SetCommandLine(int argc, const char* const* argv);
// Environment variable, "" when not set (not "GetEnvironmentVariable": a windows.h macro).
std::string GetEnvVar(std::string_view name);

// ---------------------------------------------------------------------------------------------
// Dates: TDateTime = days since 1899-12-30, fraction = time of day.

using TDateTime = double;
struct TSystemTime {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0, MilliSecond = 0;
};
TDateTime Now();
TDateTime Date();
TDateTime Time();
bool IsLeapYear(int year);
// EConvertError "Invalid argument to date encode" / "time encode" on bad fields.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int milliSecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
bool TryEncodeTime(int hour, int minute, int second, int milliSecond, TDateTime& value);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& milliSecond);
TSystemTime DateTimeToSystemTime(TDateTime value);
TDateTime SystemTimeToDateTime(const TSystemTime& value);
int DayOfWeek(TDateTime value);  // 1 = Sunday ... 7 = Saturday
// Delphi's FormatDateTime with fixed English names, date separator "/", time separator ":"
// (the program's formats quote the separators they want). Specifiers: c d dd ddd dddd ddddd
// dddddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz t tt am/pm a/p ampm / : "x" 'x'; "m"
// right after "h"/"hh" means minutes.
std::string FormatDateTime(std::string_view format, TDateTime value);
std::string DateTimeToStr(TDateTime value);  // the "c" format: "m/d/yyyy h:nn:ss"
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);
// Milliseconds since the system started (GetTickCount; natively a monotonic clock).
std::uint32_t TickCount();

// ---------------------------------------------------------------------------------------------
// Numbers.

// Round half to even (Delphi's Round: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -0.5 -> 0, -1.5 -> -2).
// Values beyond the result type saturate; NaN gives 0.
int Round(double value);
std::int64_t Round64(double value);
int Trunc(double value);
std::int64_t Trunc64(double value);
// Delphi's generator: RandSeed = RandSeed * 0x08088405 + 1; Random(n) = high 32 bits of
// RandSeed * n. Randomize seeds from the clock.
extern std::uint32_t RandSeed;
void Randomize();
int Random(int range);  // 0 <= result < range (0 when range <= 0)
double Random();        // 0 <= result < 1

}  // namespace cl
