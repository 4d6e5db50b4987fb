#include "classlib/SysUtils.h"

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

// ---------------------------------------------------------------------------------------------
// Exceptions

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

// ---------------------------------------------------------------------------------------------
// Format

namespace {

[[noreturn]] void FormatError(std::string_view format)
{
    throw EConvertError(Format(consts::SInvalidFormat, format));
}

std::string Digits(std::uint64_t value, unsigned base, bool upper = true)
{
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char buffer[72];
    int n = 0;
    do {
        buffer[n++] = set[value % base];
        value /= base;
    } while (value);
    std::string out;
    while (n)
        out.push_back(buffer[--n]);
    return out;
}

std::string WithThousands(const std::string& integerDigits)
{
    std::string out;
    int count = 0;
    for (auto it = integerDigits.rbegin(); it != integerDigits.rend(); ++it) {
        if (count && count % 3 == 0)
            out.insert(out.begin(), ',');
        out.insert(out.begin(), *it);
        ++count;
    }
    return out;
}

// Fixed-point text with `decimals` decimals, rounded the way Delphi's FloatToText does: from the
// value's 15 significant digits, halves away from zero (so 2.345 -> "2.35", where printf's
// binary rounding gives "2.34").
std::string FixedDigits(double value, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 18)
        decimals = 18;
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    bool negative = std::signbit(value);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    digits.push_back(buffer[0]);
    const char* p = buffer + 2;
    while (*p >= '0' && *p <= '9')
        digits.push_back(*p++);
    int exponent = std::atoi(p + 1);  // after 'e'
    int pointPos = exponent + 1;      // digits before the decimal point
    if (value == 0)
        pointPos = 1;
    int keep = pointPos + decimals;   // significant digits to keep
    if (keep < 0) {
        digits = "0";
        pointPos = 1;
    } else {
        if (keep < int(digits.size())) {
            bool up = digits[std::size_t(keep)] >= '5';
            digits.resize(std::size_t(keep));
            if (up) {
                int i = keep - 1;
                while (i >= 0 && digits[std::size_t(i)] == '9') {
                    digits[std::size_t(i)] = '0';
                    --i;
                }
                if (i >= 0) {
                    ++digits[std::size_t(i)];
                } else {
                    digits.insert(digits.begin(), '1');
                    ++pointPos;
                }
            }
        }
        while (int(digits.size()) < pointPos + decimals)
            digits.push_back('0');
    }
    std::string intPart, fracPart;
    if (pointPos <= 0) {
        intPart = "0";
        fracPart = std::string(std::size_t(std::min(-pointPos, decimals)), '0') + digits;
    } else {
        intPart = digits.substr(0, std::size_t(pointPos));
        fracPart = digits.substr(std::size_t(pointPos));
    }
    fracPart.resize(std::size_t(decimals), '0');
    while (intPart.size() > 1 && intPart[0] == '0')
        intPart.erase(0, 1);
    std::string out = intPart;
    if (decimals > 0)
        out += "." + fracPart;
    bool nonZero = out.find_first_of("123456789") != std::string::npos;
    return negative && nonZero ? "-" + out : out;
}

// Delphi's %e: d.ddddE+ddd, precision = significant digits (default 15).
std::string ExpDigits(double value, int precision)
{
    if (precision < 1)
        precision = 1;
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*E", precision - 1, value);
    std::string s = buffer;
    auto e = s.find('E');
    if (e != std::string::npos) {
        std::string mantissa = s.substr(0, e);
        char sign = s[e + 1];
        std::string exp = s.substr(e + 2);
        while (exp.size() < 3)
            exp.insert(exp.begin(), '0');
        s = mantissa + "E" + sign + exp;
    }
    return s;
}

// Delphi's %g: shortest of fixed/exponential with `precision` significant digits, no trailing
// zeros.
std::string GeneralDigits(double value, int precision)
{
    if (precision < 1 || precision > 18)
        precision = 15;
    if (value == 0)
        return "0";
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    int exponent = int(std::floor(std::log10(std::fabs(value))));
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*E", precision - 1, value);
    // Re-read the exponent after rounding.
    const char* e = std::strchr(buffer, 'E');
    if (e)
        exponent = std::atoi(e + 1);
    if (exponent < -5 || exponent >= precision) {
        std::string s = buffer;
        auto pos = s.find('E');
        std::string mantissa = s.substr(0, pos);
        if (mantissa.find('.') != std::string::npos) {
            while (mantissa.back() == '0')
                mantissa.pop_back();
            if (mantissa.back() == '.')
                mantissa.pop_back();
        }
        char sign = s[pos + 1];
        std::string exp = s.substr(pos + 2);
        while (exp.size() > 2 && exp[0] == '0')
            exp.erase(0, 1);
        while (exp.size() < 2)
            exp.insert(exp.begin(), '0');
        return mantissa + "E" + sign + exp;
    }
    int decimals = std::max(0, precision - 1 - exponent);
    std::string s = FixedDigits(value, decimals);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    return s;
}

}  // namespace

std::string FormatV(std::string_view format, const std::vector<TVarRec>& args)
{
    std::string out;
    std::size_t argIndex = 0;
    std::size_t i = 0;
    const std::size_t n = format.size();
    auto nextArg = [&]() -> const TVarRec& {
        if (argIndex >= args.size())
            FormatError(format);
        return args[argIndex++];
    };
    auto readNumber = [&](int& value) -> bool {
        if (i < n && format[i] == '*') {
            ++i;
            const TVarRec& a = nextArg();
            if (a.kind == TVarRec::Kind::Int)
                value = int(a.i);
            else if (a.kind == TVarRec::Kind::UInt)
                value = int(a.u);
            else
                FormatError(format);
            return true;
        }
        if (i >= n || format[i] < '0' || format[i] > '9')
            return false;
        value = 0;
        while (i < n && format[i] >= '0' && format[i] <= '9') {
            if (value < 100000)
                value = value * 10 + (format[i] - '0');
            ++i;
        }
        return true;
    };
    while (i < n) {
        char ch = format[i];
        if (ch != '%') {
            out.push_back(ch);
            ++i;
            continue;
        }
        ++i;
        if (i >= n)
            FormatError(format);
        if (format[i] == '%') {
            out.push_back('%');
            ++i;
            continue;
        }
        // ["index:"] ["-"] [width] ["." precision] type
        bool left = false;
        int width = -1, precision = -1;
        int number = 0;
        // An index "n:" (digits only, so a "*" width never consumes an argument here).
        {
            std::size_t j = i;
            while (j < n && format[j] >= '0' && format[j] <= '9')
                ++j;
            if (j > i && j < n && format[j] == ':') {
                readNumber(number);
                argIndex = std::size_t(number);
                ++i;
            }
        }
        if (i < n && format[i] == '-') {
            left = true;
            ++i;
        }
        if (readNumber(number))
            width = number;
        if (i < n && format[i] == '.') {
            ++i;
            if (!readNumber(number))
                number = 0;
            precision = number;
        }
        if (i >= n)
            FormatError(format);
        char type = format[i++];
        if (type >= 'A' && type <= 'Z')
            type = char(type + 32);
        const TVarRec& a = nextArg();
        std::string text;
        switch (type) {
        case 'd':
        case 'u': {
            bool negative = false;
            std::uint64_t magnitude = 0;
            if (a.kind == TVarRec::Kind::Int) {
                if (type == 'u' && a.i < 0) {
                    magnitude = a.bits >= 64 ? std::uint64_t(a.i) : std::uint64_t(std::uint32_t(a.i));
                } else {
                    negative = a.i < 0;
                    magnitude = negative ? std::uint64_t(0) - std::uint64_t(a.i) : std::uint64_t(a.i);
                }
            } else if (a.kind == TVarRec::Kind::UInt) {
                magnitude = a.u;
            } else {
                FormatError(format);
            }
            std::string digits = Digits(magnitude, 10);
            if (precision >= 0 && int(digits.size()) < precision)
                digits.insert(0, std::size_t(precision) - digits.size(), '0');
            text = negative ? "-" + digits : digits;
            break;
        }
        case 'x': {
            std::uint64_t value = 0;
            if (a.kind == TVarRec::Kind::Int)
                value = a.bits >= 64 ? std::uint64_t(a.i) : std::uint64_t(std::uint32_t(a.i));
            else if (a.kind == TVarRec::Kind::UInt)
                value = a.u;
            else
                FormatError(format);
            text = Digits(value, 16);
            if (precision >= 0 && int(text.size()) < precision)
                text.insert(0, std::size_t(precision) - text.size(), '0');
            break;
        }
        case 'p': {
            if (a.kind != TVarRec::Kind::Pointer)
                FormatError(format);
            text = Digits(std::uint64_t(reinterpret_cast<std::uintptr_t>(a.p)), 16);
            std::size_t want = sizeof(void*) * 2;
            if (text.size() < want)
                text.insert(0, want - text.size(), '0');
            break;
        }
        case 's': {
            if (a.kind == TVarRec::Kind::String)
                text = std::string(a.s);
            else if (a.kind == TVarRec::Kind::Char)
                text = std::string(1, a.c);
            else
                FormatError(format);
            if (precision >= 0 && int(text.size()) > precision)
                text.resize(std::size_t(precision));
            break;
        }
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm': {
            double v = 0;
            if (a.kind == TVarRec::Kind::Float)
                v = a.f;
            else
                FormatError(format);
            if (type == 'e') {
                text = ExpDigits(v, precision < 0 ? 15 : precision);
            } else if (type == 'g') {
                text = GeneralDigits(v, precision < 0 ? 15 : precision);
            } else {
                text = FixedDigits(v, precision < 0 ? 2 : std::min(precision, 18));
                if (type == 'n' || type == 'm') {
                    bool negative = !text.empty() && text[0] == '-';
                    std::string body = negative ? text.substr(1) : text;
                    auto dot = body.find('.');
                    std::string intPart = body.substr(0, dot);
                    std::string rest = dot == std::string::npos ? std::string() : body.substr(dot);
                    text = (negative ? "-" : "") + WithThousands(intPart) + rest;
                }
            }
            break;
        }
        default:
            FormatError(format);
        }
        if (width > int(text.size())) {
            std::string pad(std::size_t(width) - text.size(), ' ');
            text = left ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Integers

std::string IntToStr(std::int64_t value)
{
    return Format("%d", value);
}

std::string IntToHex(std::int64_t value, int digits)
{
    std::uint64_t bits = (value >= INT32_MIN && value <= INT32_MAX) ? std::uint64_t(std::uint32_t(value))
                                                                    : std::uint64_t(value);
    std::string text = Digits(bits, 16);
    if (digits > 0 && int(text.size()) < digits)
        text.insert(0, std::size_t(digits) - text.size(), '0');
    return text;
}

namespace {

// Delphi's Val for integers: blanks, sign, decimal or "$"/"0x" hex; the whole rest must be digits.
bool ParseInteger(std::string_view text, std::int64_t low, std::int64_t high, std::int64_t& value)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return false;
    std::uint64_t magnitude = 0;
    // Hexadecimal may name the full unsigned range of the type (Delphi: "$FFFFFFFF" = -1).
    const std::uint64_t limit = base == 16 ? (high == INT64_MAX ? UINT64_MAX : std::uint64_t(UINT32_MAX))
                                           : (negative ? std::uint64_t(0) - std::uint64_t(low) : std::uint64_t(high));
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = unsigned(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = unsigned(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = unsigned(c - 'A' + 10);
        else
            return false;
        if (magnitude > (limit - digit) / base)
            return false;
        magnitude = magnitude * base + digit;
    }
    std::int64_t result;
    if (base == 16) {
        // Wrap into the signed type as Delphi does.
        result = high == INT64_MAX ? std::int64_t(magnitude) : std::int64_t(std::int32_t(std::uint32_t(magnitude)));
        if (negative)
            result = std::int64_t(std::uint64_t(0) - std::uint64_t(result));
    } else {
        result = negative ? std::int64_t(std::uint64_t(0) - magnitude) : std::int64_t(magnitude);
    }
    value = result;
    return true;
}

[[noreturn]] void IntegerError(std::string_view text)
{
    throw EConvertError(Format(consts::SInvalidInteger, text));
}

}  // namespace

bool TryStrToInt(std::string_view text, int& value)
{
    std::int64_t v;
    if (!ParseInteger(text, INT32_MIN, INT32_MAX, v))
        return false;
    value = int(v);
    return true;
}

bool TryStrToInt64(std::string_view text, std::int64_t& value)
{
    return ParseInteger(text, INT64_MIN, INT64_MAX, value);
}

int StrToInt(std::string_view text)
{
    int v;
    if (!TryStrToInt(text, v))
        IntegerError(text);
    return v;
}

std::int64_t StrToInt64(std::string_view text)
{
    std::int64_t v;
    if (!TryStrToInt64(text, v))
        IntegerError(text);
    return v;
}

int StrToIntDef(std::string_view text, int defaultValue)
{
    int v;
    return TryStrToInt(text, v) ? v : defaultValue;
}

std::int64_t StrToInt64Def(std::string_view text, std::int64_t defaultValue)
{
    std::int64_t v;
    return TryStrToInt64(text, v) ? v : defaultValue;
}

bool StrToBoolDef(std::string_view text, bool defaultValue)
{
    std::string t = Trim(text);
    if (SameText(t, "True"))
        return true;
    if (SameText(t, "False"))
        return false;
    double d;
    if (TryStrToFloat(t, d))
        return d != 0;
    return defaultValue;
}

bool StrToBool(std::string_view text)
{
    std::string t = Trim(text);
    double d;
    if (SameText(t, "True") || SameText(t, "False") || TryStrToFloat(t, d))
        return StrToBoolDef(t, false);
    throw EConvertError(Format(consts::SInvalidBoolean, text));
}

std::string BoolToStr(bool value, bool useBoolStrs)
{
    if (useBoolStrs)
        return value ? "True" : "False";
    return value ? "-1" : "0";
}

bool TryStrToFloat(std::string_view text, double& value)
{
    std::string t = Trim(text);
    if (t.empty())
        return false;
    // Only digits, one sign, one '.', an exponent: no hex, no "inf"/"nan" (strtod would take them).
    for (char c : t)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return false;
    const char* begin = t.c_str();
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(begin, &end);
    if (end != begin + t.size() || errno == ERANGE)
        return false;
    value = v;
    return true;
}

double StrToFloat(std::string_view text)
{
    double v;
    if (!TryStrToFloat(text, v))
        throw EConvertError(Format(consts::SInvalidFloat, text));
    return v;
}

double StrToFloatDef(std::string_view text, double defaultValue)
{
    double v;
    return TryStrToFloat(text, v) ? v : defaultValue;
}

std::string FloatToStr(double value)
{
    return GeneralDigits(value, 15);
}

namespace {

struct FloatSection {
    std::string text;
};

// Splits at ";" outside quotes.
std::vector<std::string> SplitSections(std::string_view format)
{
    std::vector<std::string> sections(1);
    char quote = 0;
    for (char c : format) {
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            sections.emplace_back();
            continue;
        }
        sections.back().push_back(c);
    }
    return sections;
}

std::string ApplyFloatSection(const std::string& section, double value)  // value >= 0
{
    // Scan the placeholders.
    int intZeros = 0, intPlaces = 0, fracZeros = 0, fracPlaces = 0;
    bool seenPoint = false, thousands = false, scientific = false;
    bool expPlus = false;
    int expZeros = 0;
    char quote = 0;
    for (std::size_t i = 0; i < section.size(); ++i) {
        char c = section[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '0' || c == '#') {
            if (seenPoint) {
                ++fracPlaces;
                if (c == '0')
                    fracZeros = fracPlaces;
            } else {
                ++intPlaces;
                if (c == '0' || intZeros)
                    ++intZeros;
            }
        } else if (c == '.') {
            seenPoint = true;
        } else if (c == ',') {
            thousands = true;
        } else if ((c == 'E' || c == 'e') && i + 1 < section.size() && (section[i + 1] == '+' || section[i + 1] == '-')) {
            scientific = true;
            expPlus = section[i + 1] == '+';
            std::size_t j = i + 2;
            while (j < section.size() && section[j] == '0') {
                ++expZeros;
                ++j;
            }
            break;
        }
    }
    std::string intDigits, fracDigits, expText;
    if (scientific) {
        int exponent = 0;
        double mantissa = value;
        if (value != 0) {
            exponent = int(std::floor(std::log10(value))) - (std::max(intPlaces, 1) - 1);
            mantissa = value / std::pow(10.0, exponent);
        }
        std::string fixed = FixedDigits(mantissa, fracPlaces);
        // Rounding may carry into another digit.
        auto dot = fixed.find('.');
        std::string ip = fixed.substr(0, dot);
        if (int(ip.size()) > std::max(intPlaces, 1) && value != 0) {
            ++exponent;
            mantissa = value / std::pow(10.0, exponent);
            fixed = FixedDigits(mantissa, fracPlaces);
            dot = fixed.find('.');
        }
        intDigits = fixed.substr(0, dot);
        fracDigits = dot == std::string::npos ? std::string() : fixed.substr(dot + 1);
        std::string e = Digits(std::uint64_t(std::abs(exponent)), 10);
        while (int(e.size()) < expZeros)
            e.insert(e.begin(), '0');
        expText = (exponent < 0 ? "-" : (expPlus ? "+" : "")) + e;
    } else {
        std::string fixed = FixedDigits(value, fracPlaces);
        auto dot = fixed.find('.');
        intDigits = fixed.substr(0, dot);
        fracDigits = dot == std::string::npos ? std::string() : fixed.substr(dot + 1);
    }
    // Drop optional ("#") trailing fraction digits that are zero.
    while (int(fracDigits.size()) > fracZeros && !fracDigits.empty() && fracDigits.back() == '0')
        fracDigits.pop_back();
    // Leading integer zeros only as many as "0" places ask for.
    while (intDigits.size() > 1 && intDigits[0] == '0')
        intDigits.erase(0, 1);
    if (intDigits == "0" && intZeros == 0)
        intDigits.clear();
    while (int(intDigits.size()) < intZeros)
        intDigits.insert(intDigits.begin(), '0');
    if (thousands)
        intDigits = WithThousands(intDigits);
    // Assemble: literals keep their places; the digits go where the first placeholder is.
    std::string out;
    bool digitsDone = false, pointDone = false;
    quote = 0;
    for (std::size_t i = 0; i < section.size(); ++i) {
        char c = section[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                out.push_back(c);
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '0' || c == '#' || c == ',') {
            if (!pointDone && !digitsDone) {
                out += intDigits;
                digitsDone = true;
            }
        } else if (c == '.') {
            if (!digitsDone) {
                out += intDigits;
                digitsDone = true;
            }
            if (!pointDone) {
                if (!fracDigits.empty())
                    out += "." + fracDigits;
                pointDone = true;
            }
        } else if (scientific && (c == 'E' || c == 'e') && i + 1 < section.size() &&
                   (section[i + 1] == '+' || section[i + 1] == '-')) {
            if (!digitsDone) {
                out += intDigits;
                digitsDone = true;
            }
            out.push_back(c);
            out += expText;
            i += 1;
            while (i + 1 < section.size() && section[i + 1] == '0')
                ++i;
        } else {
            out.push_back(c);
        }
    }
    if (!digitsDone && (intPlaces || fracPlaces))
        out += intDigits;
    return out;
}

}  // namespace

std::string FormatFloat(std::string_view format, double value)
{
    if (format.empty())
        return FloatToStr(value);
    std::vector<std::string> sections = SplitSections(format);
    if (value == 0 && sections.size() >= 3 && !sections[2].empty())
        return ApplyFloatSection(sections[2], 0);
    if (value < 0 && sections.size() >= 2 && !sections[1].empty())
        return ApplyFloatSection(sections[1], -value);
    std::string text = ApplyFloatSection(sections[0], std::fabs(value));
    if (value < 0) {
        // A negative value rounding to zero shows no sign.
        bool allZero = true;
        for (char c : text)
            if (c >= '1' && c <= '9')
                allZero = false;
        if (!allZero)
            text.insert(text.begin(), '-');
    }
    return text;
}

// ---------------------------------------------------------------------------------------------
// Strings

std::string Trim(std::string_view s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return std::string(s.substr(b, e - b));
}

std::string TrimLeft(std::string_view s)
{
    std::size_t b = 0;
    while (b < s.size() && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s)
{
    std::size_t e = s.size();
    while (e > 0 && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return std::string(s.substr(0, e));
}

std::string UpperCase(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    return r;
}

std::string LowerCase(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    return r;
}

namespace {

#ifndef _WIN32
// Windows-1252 code points 0x80..0x9F (0 = undefined there).
const char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

unsigned char Cp1252Upper(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 32);
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
    }
}

unsigned char Cp1252Lower(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
    }
}
#endif

}  // namespace

std::string AnsiUpperCase(std::string_view s)
{
    std::string r(s);
#ifdef _WIN32
    if (!r.empty())
        CharUpperBuffA(r.data(), DWORD(r.size()));
#else
    for (char& c : r)
        c = char(Cp1252Upper(static_cast<unsigned char>(c)));
#endif
    return r;
}

std::string AnsiLowerCase(std::string_view s)
{
    std::string r(s);
#ifdef _WIN32
    if (!r.empty())
        CharLowerBuffA(r.data(), DWORD(r.size()));
#else
    for (char& c : r)
        c = char(Cp1252Lower(static_cast<unsigned char>(c)));
#endif
    return r;
}

int CompareStr(std::string_view a, std::string_view b)
{
    int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CompareText(std::string_view a, std::string_view b)
{
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z')
            x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z')
            y = static_cast<unsigned char>(y - 32);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int AnsiCompareStr(std::string_view a, std::string_view b)
{
    return CompareStr(a, b);
}

int AnsiCompareText(std::string_view a, std::string_view b)
{
    return CompareStr(AnsiUpperCase(a), AnsiUpperCase(b));
}

bool AnsiSameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && AnsiCompareText(a, b) == 0;
}

int Pos(std::string_view sub, std::string_view s)
{
    if (sub.empty())
        return 0;
    auto p = s.find(sub);
    return p == std::string_view::npos ? 0 : int(p) + 1;
}

std::string Copy(std::string_view s, int index, int count)
{
    if (index < 1)
        index = 1;
    if (count <= 0 || std::size_t(index) > s.size())
        return {};
    return std::string(s.substr(std::size_t(index - 1), std::size_t(count)));
}

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags)
{
    if (oldPattern.empty())
        return std::string(s);
    std::string hay = flags.Contains(rfIgnoreCase) ? AnsiUpperCase(s) : std::string(s);
    std::string needle = flags.Contains(rfIgnoreCase) ? AnsiUpperCase(oldPattern) : std::string(oldPattern);
    std::string out;
    std::size_t pos = 0;
    while (true) {
        std::size_t hit = hay.find(needle, pos);
        if (hit == std::string::npos)
            break;
        out.append(s.substr(pos, hit - pos));
        out.append(newPattern);
        pos = hit + needle.size();
        if (!flags.Contains(rfReplaceAll))
            break;
    }
    out.append(s.substr(pos));
    return out;
}

std::string QuotedStr(std::string_view s)
{
    std::string out = "'";
    for (char c : s) {
        out.push_back(c);
        if (c == '\'')
            out.push_back('\'');
    }
    out.push_back('\'');
    return out;
}

std::string StringOfChar(char c, int count)
{
    return count > 0 ? std::string(std::size_t(count), c) : std::string();
}

// ---------------------------------------------------------------------------------------------
// Conversions

WideString StringToWide(std::string_view s)
{
    if (s.empty())
        return {};
#ifdef _WIN32
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), nullptr, 0);
    WideString w(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), int(s.size()), w.data(), n);
    return w;
#else
    WideString w;
    w.reserve(s.size());
    for (char c : s) {
        unsigned char b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F && kCp1252High[b - 0x80])
            w.push_back(wchar_t(kCp1252High[b - 0x80]));
        else
            w.push_back(wchar_t(b));
    }
    return w;
#endif
}

std::string WideToString(std::wstring_view s)
{
    if (s.empty())
        return {};
#ifdef _WIN32
    int n = WideCharToMultiByte(CP_ACP, 0, s.data(), int(s.size()), nullptr, 0, nullptr, nullptr);
    std::string r(std::size_t(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, s.data(), int(s.size()), r.data(), n, nullptr, nullptr);
    return r;
#else
    std::string r;
    r.reserve(s.size());
    for (wchar_t wc : s) {
        unsigned long c = static_cast<unsigned long>(wc);
        char out = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out = char(c);
        } else {
            for (int i = 0; i < 32; ++i)
                if (kCp1252High[i] && kCp1252High[i] == c)
                    out = char(0x80 + i);
        }
        r.push_back(out);
    }
    return r;
#endif
}

namespace {

// Decodes UTF-8 into code points; invalid bytes become U+FFFD.
std::vector<char32_t> DecodeUtf8(std::string_view s)
{
    std::vector<char32_t> out;
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + std::size_t(extra) >= s.size() + (extra == 0 ? 1 : 0)) {
            if (extra != 0) {
                out.push_back(0xFFFD);
                ++i;
                continue;
            }
        }
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char t = static_cast<unsigned char>(s[i + std::size_t(k)]);
            if ((t & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (t & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(c);
        i += std::size_t(extra) + 1;
    }
    return out;
}

std::vector<char32_t> DecodeWide(std::wstring_view s)
{
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t c = char32_t(s[i]);
        if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size()) {
            char32_t lo = char32_t(s[i + 1]);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                ++i;
            }
        }
        out.push_back(c);
    }
    return out;
}

}  // namespace

WideString Utf8ToWide(std::string_view s)
{
    WideString w;
    for (char32_t c : DecodeUtf8(s)) {
        if (sizeof(wchar_t) == 2 && c >= 0x10000) {
            c -= 0x10000;
            w.push_back(wchar_t(0xD800 + (c >> 10)));
            w.push_back(wchar_t(0xDC00 + (c & 0x3FF)));
        } else {
            w.push_back(wchar_t(c));
        }
    }
    return w;
}

std::string WideToUtf8(std::wstring_view s)
{
    std::string out;
    for (char32_t c : DecodeWide(s)) {
        if (c < 0x80) {
            out.push_back(char(c));
        } else if (c < 0x800) {
            out.push_back(char(0xC0 | (c >> 6)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(char(0xE0 | (c >> 12)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (c >> 18)));
            out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string AnsiToUtf8(std::string_view s)
{
    return WideToUtf8(StringToWide(s));
}

std::string Utf8ToAnsi(std::string_view s)
{
    return WideToString(Utf8ToWide(s));
}

// ---------------------------------------------------------------------------------------------
// Files and paths

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

// ---------------------------------------------------------------------------------------------
// Dates

namespace {

const int kDaysInMonth[2][13] = {{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                 {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
const char* const kShortMonth[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonth[12] = {"January", "February", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};
const char* const kShortDay[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDay[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr int kDateDelta = 693594;  // days from 0001-01-01 to 1899-12-31
constexpr double kMsPerDay = 86400000.0;

// Day count since 0001-01-01 (day 1) of a date.
std::int64_t DaysOf(int year, int month, int day)
{
    const int* table = kDaysInMonth[IsLeapYear(year)];
    for (int m = 1; m < month; ++m)
        day += table[m];
    std::int64_t y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400 + day;
}

// Splits a TDateTime into whole days since 1899-12-30 and milliseconds of the day, rounding to
// the nearest millisecond (negative dates: the fraction still counts forward, as in Delphi).
void Split(TDateTime value, std::int64_t& days, int& ms)
{
    double whole = std::trunc(value);
    double fraction = std::fabs(value - whole);
    std::int64_t msOfDay = std::int64_t(std::llround(fraction * kMsPerDay));
    days = std::int64_t(whole);
    if (msOfDay >= 86400000) {
        msOfDay -= 86400000;
        days += value < 0 ? -1 : 1;
    }
    ms = int(msOfDay);
}

}  // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > kDaysInMonth[IsLeapYear(year)][month])
        return false;
    value = double(DaysOf(year, month, day) - kDateDelta);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int milliSecond, TDateTime& value)
{
    if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60 || milliSecond < 0 ||
        milliSecond >= 1000)
        return false;
    value = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + milliSecond) / kMsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime v;
    if (!TryEncodeDate(year, month, day, v))
        throw EConvertError(consts::SDateEncodeError);
    return v;
}

TDateTime EncodeTime(int hour, int minute, int second, int milliSecond)
{
    TDateTime v;
    if (!TryEncodeTime(hour, minute, second, milliSecond, v))
        throw EConvertError(consts::STimeEncodeError);
    return v;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    std::int64_t days;
    int ms;
    Split(value, days, ms);
    std::int64_t t = days + kDateDelta;  // day number since 0001-01-01 (1-based)
    if (t <= 0) {
        year = month = day = 0;
        return;
    }
    --t;
    std::int64_t y = 1;
    const std::int64_t d400 = 146097, d100 = 36524, d4 = 1461;
    y += (t / d400) * 400;
    t %= d400;
    std::int64_t i = t / d100;
    if (i == 4)
        i = 3;
    y += i * 100;
    t -= i * d100;
    y += (t / d4) * 4;
    t %= d4;
    i = t / 365;
    if (i == 4)
        i = 3;
    y += i;
    t -= i * 365;
    year = int(y);
    const int* table = kDaysInMonth[IsLeapYear(year)];
    int m = 1;
    while (t >= table[m]) {
        t -= table[m];
        ++m;
    }
    month = m;
    day = int(t) + 1;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& milliSecond)
{
    std::int64_t days;
    int ms;
    Split(value, days, ms);
    hour = ms / 3600000;
    minute = ms / 60000 % 60;
    second = ms / 1000 % 60;
    milliSecond = ms % 1000;
}

TSystemTime DateTimeToSystemTime(TDateTime value)
{
    TSystemTime st;
    DecodeDate(value, st.Year, st.Month, st.Day);
    DecodeTime(value, st.Hour, st.Minute, st.Second, st.MilliSecond);
    return st;
}

TDateTime SystemTimeToDateTime(const TSystemTime& st)
{
    TDateTime d = EncodeDate(st.Year, st.Month, st.Day);
    TDateTime t = EncodeTime(st.Hour, st.Minute, st.Second, st.MilliSecond);
    return d >= 0 ? d + t : d - t;
}

int DayOfWeek(TDateTime value)
{
    std::int64_t days;
    int ms;
    Split(value, days, ms);
    // 1899-12-30 was a Saturday (7).
    std::int64_t w = (days + 6) % 7;
    if (w < 0)
        w += 7;
    return int(w) + 1;
}

TDateTime Now()
{
#ifdef _WIN32
    SYSTEMTIME st;
    GetLocalTime(&st);
    return SystemTimeToDateTime({st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds});
#else
    auto now = std::chrono::system_clock::now();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    std::time_t secs = std::time_t(ms / 1000);
    std::tm local{};
    localtime_r(&secs, &local);
    return SystemTimeToDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                                 std::min(local.tm_sec, 59), int(ms % 1000)});
#endif
}

TDateTime Date()
{
    return std::trunc(Now());
}

TDateTime Time()
{
    TDateTime n = Now();
    return n - std::trunc(n);
}

std::string FormatDateTime(std::string_view format, TDateTime value)
{
    TSystemTime st = DateTimeToSystemTime(value);
    int dow = DayOfWeek(value) - 1;
    std::string out;
    auto two = [](int v) { return Format("%.2d", v); };
    std::size_t i = 0;
    const std::size_t n = format.size();
    bool lastWasHour = false;
    // Does "am/pm" style appear anywhere? Then hours are 12-hour.
    std::string lower = LowerCase(format);
    bool twelve = lower.find("am/pm") != std::string::npos || lower.find("a/p") != std::string::npos ||
                  lower.find("ampm") != std::string::npos;
    auto countRun = [&](char c) {
        std::size_t j = i;
        while (j < n && (format[j] == c || format[j] == char(c - 32)))
            ++j;
        return j - i;
    };
    // A time field ("h", "n", "s"): its number unpadded, two digits for a run of two or more;
    // a longer run counts as two.
    auto timeField = [&](char letter, int number) {
        const std::size_t run = countRun(letter);
        out += run >= 2 ? two(number) : std::to_string(number);
        i += std::min<std::size_t>(run, 2);
    };
    while (i < n) {
        char c = format[i];
        char lc = (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
        if (c == '"' || c == '\'') {
            std::size_t end = format.find(c, i + 1);
            if (end == std::string_view::npos)
                end = n;
            out.append(format.substr(i + 1, end - i - 1));
            i = end < n ? end + 1 : n;
            continue;
        }
        if (lc == 'a') {
            std::string_view rest = format.substr(i);
            if (rest.size() >= 5 && SameText(rest.substr(0, 5), "am/pm")) {
                bool upper = rest[0] == 'A';
                out += st.Hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
                i += 5;
                continue;
            }
            if (rest.size() >= 3 && SameText(rest.substr(0, 3), "a/p")) {
                bool upper = rest[0] == 'A';
                out += st.Hour < 12 ? (upper ? "A" : "a") : (upper ? "P" : "p");
                i += 3;
                continue;
            }
            if (rest.size() >= 4 && SameText(rest.substr(0, 4), "ampm")) {
                out += st.Hour < 12 ? "AM" : "PM";
                i += 4;
                continue;
            }
            out.push_back(c);
            ++i;
            lastWasHour = false;
            continue;
        }
        switch (lc) {
        case 'c':
            out += FormatDateTime("m/d/yyyy", value);
            if (st.Hour || st.Minute || st.Second || st.MilliSecond)
                out += " " + FormatDateTime("h:nn:ss", value);
            ++i;
            lastWasHour = false;
            break;
        case 'd': {
            std::size_t run = countRun('d');
            if (run >= 6) {
                out += FormatDateTime("dddd, mmmm d, yyyy", value);
                run = 6;
            } else if (run == 5) {
                out += FormatDateTime("m/d/yyyy", value);
            } else if (run == 4) {
                out += kLongDay[dow];
            } else if (run == 3) {
                out += kShortDay[dow];
            } else if (run == 2) {
                out += two(st.Day);
            } else {
                out += std::to_string(st.Day);
            }
            i += run;
            lastWasHour = false;
            break;
        }
        case 'm': {
            std::size_t run = countRun('m');
            if (lastWasHour && run <= 2) {
                out += run == 2 ? two(st.Minute) : std::to_string(st.Minute);
            } else if (run >= 4) {
                out += kLongMonth[st.Month - 1];
                run = 4;
            } else if (run == 3) {
                out += kShortMonth[st.Month - 1];
            } else if (run == 2) {
                out += two(st.Month);
            } else {
                out += std::to_string(st.Month);
            }
            i += run;
            lastWasHour = false;
            break;
        }
        case 'y': {
            std::size_t run = countRun('y');
            if (run <= 2)
                out += two(st.Year % 100);
            else
                out += Format("%.4d", st.Year);
            i += run;
            lastWasHour = false;
            break;
        }
        case 'h': {
            int h = st.Hour;
            if (twelve) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            timeField('h', h);
            lastWasHour = true;
            continue;
        }
        case 'n':
            timeField('n', st.Minute);
            lastWasHour = false;
            break;
        case 's':
            timeField('s', st.Second);
            lastWasHour = false;
            break;
        case 'z': {
            std::size_t run = countRun('z');
            out += run >= 3 ? Format("%.3d", st.MilliSecond) : std::to_string(st.MilliSecond);
            i += std::min<std::size_t>(run, 3);
            lastWasHour = false;
            break;
        }
        case 't': {
            std::size_t run = countRun('t');
            out += FormatDateTime(run >= 2 ? "h:nn:ss" : "h:nn", value);
            i += std::min<std::size_t>(run, 2);
            lastWasHour = false;
            break;
        }
        // Letters set the "last token" (Delphi: "m" after "h" = minutes); separators, blanks
        // and literals keep it, so "hh:mm" reads minutes.
        case '/':
            out.push_back('/');
            ++i;
            break;
        case ':':
            out.push_back(':');
            ++i;
            break;
        default:
            out.push_back(c);
            ++i;
            if (lc >= 'a' && lc <= 'z')
                lastWasHour = false;
            break;
        }
    }
    return out;
}

std::string DateTimeToStr(TDateTime value)
{
    return FormatDateTime("c", value);
}

std::string DateToStr(TDateTime value)
{
    return FormatDateTime("m/d/yyyy", value);
}

std::string TimeToStr(TDateTime value)
{
    return FormatDateTime("h:nn:ss", value);
}

std::uint32_t TickCount()
{
#ifdef _WIN32
    return ::GetTickCount();
#else
    auto t = std::chrono::steady_clock::now().time_since_epoch();
    return std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(t).count());
#endif
}

// ---------------------------------------------------------------------------------------------
// Numbers

namespace {

// Out-of-range values and NaN saturate instead of being undefined behaviour.
template <class T>
T Saturate(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= double(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (value >= double(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return T(value);
}

double RoundHalfEven(double value)
{
    // Not nearbyint: the rounding mode of the FPU is global state a DLL may have changed.
    double r = std::floor(value);
    double diff = value - r;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0))
        r += 1;
    return r;
}

}  // namespace

std::int64_t Round64(double value)
{
    return Saturate<std::int64_t>(RoundHalfEven(value));
}

int Round(double value)
{
    return Saturate<int>(RoundHalfEven(value));
}

std::int64_t Trunc64(double value)
{
    return Saturate<std::int64_t>(std::trunc(value));
}

int Trunc(double value)
{
    return Saturate<int>(std::trunc(value));
}

std::uint32_t RandSeed = 0;

void Randomize()
{
    auto t = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    RandSeed = std::uint32_t(t) ^ std::uint32_t(std::uint64_t(t) >> 32);
}

namespace {
std::uint32_t NextRandom()
{
    RandSeed = RandSeed * 0x08088405u + 1u;
    return RandSeed;
}
}  // namespace

int Random(int range)
{
    std::uint32_t next = NextRandom();
    if (range <= 0)
        return 0;
    return int((std::uint64_t(next) * std::uint64_t(std::uint32_t(range))) >> 32);
}

double Random()
{
    return double(NextRandom()) / 4294967296.0;
}

}  // namespace cl
