// Format: the class library's format strings.
#include "classlib/system/SysUtils.h"
#include "classlib/system/TextUtilsShared.h"

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

[[noreturn]] void FormatError(std::string_view format)
{
    throw EConvertError(Format(consts::SInvalidFormat, format));
}

}  // namespace

namespace detail {

std::string Digits(std::uint64_t value, unsigned base, bool upper)
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

}  // namespace detail

using namespace detail;

namespace {

// One "%" item: ["index:"] ["-"] [width] ["." precision] type.
struct TFormatDirective {
    bool Left = false;
    int Width = -1;
    int Precision = -1;
    char Type = 0;  // lower case
};

// Walks a format string and hands out its arguments in turn (or from an "index:").
class TFormatReader {
public:
    TFormatReader(std::string_view format, const std::vector<TVarRec>& args) : format_(format), args_(args) {}
    bool AtEnd() const { return i_ >= format_.size(); }
    // The literal text up to the next "%" item ("%%" is a literal "%"), appended to Out.
    void CopyLiteral(std::string& Out);
    TFormatDirective ReadDirective();
    const TVarRec& NextArg()
    {
        if (argIndex_ >= args_.size())
            FormatError(format_);
        return args_[argIndex_++];
    }
    [[noreturn]] void Fail() const { FormatError(format_); }

private:
    bool ReadNumber(int& value);
    char Peek() const { return i_ < format_.size() ? format_[i_] : '\0'; }

    std::string_view format_;
    const std::vector<TVarRec>& args_;
    std::size_t argIndex_ = 0;
    std::size_t i_ = 0;
};

void TFormatReader::CopyLiteral(std::string& Out)
{
    const std::size_t n = format_.size();
    while (i_ < n) {
        if (format_[i_] != '%') {
            Out.push_back(format_[i_++]);
            continue;
        }
        if (i_ + 1 >= n)
            Fail();
        if (format_[i_ + 1] != '%')
            return;
        Out.push_back('%');
        i_ += 2;
    }
}

TFormatDirective TFormatReader::ReadDirective()
{
    const std::size_t n = format_.size();
    ++i_;  // the "%"
    TFormatDirective directive;
    int number = 0;
    // An index "n:" (digits only, so a "*" width never consumes an argument here).
    std::size_t j = i_;
    while (j < n && format_[j] >= '0' && format_[j] <= '9')
        ++j;
    if (j > i_ && j < n && format_[j] == ':') {
        ReadNumber(number);
        argIndex_ = std::size_t(number);
        ++i_;
    }
    if (Peek() == '-') {
        directive.Left = true;
        ++i_;
    }
    if (ReadNumber(number))
        directive.Width = number;
    if (Peek() == '.') {
        ++i_;
        if (!ReadNumber(number))
            number = 0;
        directive.Precision = number;
    }
    if (i_ >= n)
        Fail();
    directive.Type = format_[i_++];
    if (directive.Type >= 'A' && directive.Type <= 'Z')
        directive.Type = char(directive.Type + 32);
    return directive;
}

// Digits, or "*" for the next argument.
bool TFormatReader::ReadNumber(int& value)
{
    const std::size_t n = format_.size();
    if (Peek() == '*') {
        ++i_;
        const TVarRec& a = NextArg();
        if (a.kind == TVarRec::Kind::Int)
            value = int(a.i);
        else if (a.kind == TVarRec::Kind::UInt)
            value = int(a.u);
        else
            Fail();
        return true;
    }
    if (i_ >= n || format_[i_] < '0' || format_[i_] > '9')
        return false;
    value = 0;
    while (i_ < n && format_[i_] >= '0' && format_[i_] <= '9') {
        if (value < 100000)
            value = value * 10 + (format_[i_] - '0');
        ++i_;
    }
    return true;
}

void PadWithZeros(std::string& text, int precision)
{
    if (precision >= 0 && int(text.size()) < precision)
        text.insert(0, std::size_t(precision) - text.size(), '0');
}

// "%d" and "%u"; "%u" of a negative number shows its bits, as wide as the argument.
std::string FormatDecimal(const TFormatReader& r, const TVarRec& a, const TFormatDirective& directive)
{
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (a.kind == TVarRec::Kind::Int) {
        if (directive.Type == 'u' && a.i < 0) {
            magnitude = a.bits >= 64 ? std::uint64_t(a.i) : std::uint64_t(std::uint32_t(a.i));
        } else {
            negative = a.i < 0;
            magnitude = negative ? std::uint64_t(0) - std::uint64_t(a.i) : std::uint64_t(a.i);
        }
    } else if (a.kind == TVarRec::Kind::UInt) {
        magnitude = a.u;
    } else {
        r.Fail();
    }
    std::string digits = Digits(magnitude, 10);
    PadWithZeros(digits, directive.Precision);
    return negative ? "-" + digits : digits;
}

std::string FormatHex(const TFormatReader& r, const TVarRec& a, const TFormatDirective& directive)
{
    std::uint64_t value = 0;
    if (a.kind == TVarRec::Kind::Int)
        value = a.bits >= 64 ? std::uint64_t(a.i) : std::uint64_t(std::uint32_t(a.i));
    else if (a.kind == TVarRec::Kind::UInt)
        value = a.u;
    else
        r.Fail();
    std::string text = Digits(value, 16);
    PadWithZeros(text, directive.Precision);
    return text;
}

std::string FormatPointer(const TFormatReader& r, const TVarRec& a)
{
    if (a.kind != TVarRec::Kind::Pointer)
        r.Fail();
    std::string text = Digits(std::uint64_t(reinterpret_cast<std::uintptr_t>(a.p)), 16);
    const std::size_t want = sizeof(void*) * 2;
    if (text.size() < want)
        text.insert(0, want - text.size(), '0');
    return text;
}

std::string FormatString(const TFormatReader& r, const TVarRec& a, const TFormatDirective& directive)
{
    std::string text;
    if (a.kind == TVarRec::Kind::String)
        text = std::string(a.s);
    else if (a.kind == TVarRec::Kind::Char)
        text = std::string(1, a.c);
    else
        r.Fail();
    if (directive.Precision >= 0 && int(text.size()) > directive.Precision)
        text.resize(std::size_t(directive.Precision));
    return text;
}

// "%e", "%f", "%g", and "%n" and "%m" with thousands separators.
std::string FormatFloat(const TFormatReader& r, const TVarRec& a, const TFormatDirective& directive)
{
    if (a.kind != TVarRec::Kind::Float)
        r.Fail();
    const double v = a.f;
    if (directive.Type == 'e')
        return ExpDigits(v, directive.Precision < 0 ? 15 : directive.Precision);
    if (directive.Type == 'g')
        return GeneralDigits(v, directive.Precision < 0 ? 15 : directive.Precision);
    std::string text = FixedDigits(v, directive.Precision < 0 ? 2 : std::min(directive.Precision, 18));
    if (directive.Type != 'n' && directive.Type != 'm')
        return text;
    const bool negative = !text.empty() && text[0] == '-';
    const std::string body = negative ? text.substr(1) : text;
    const auto dot = body.find('.');
    const std::string intPart = body.substr(0, dot);
    const std::string rest = dot == std::string::npos ? std::string() : body.substr(dot);
    return (negative ? "-" : "") + WithThousands(intPart) + rest;
}

std::string FormatItem(const TFormatReader& r, const TVarRec& a, const TFormatDirective& directive)
{
    switch (directive.Type) {
    case 'd':
    case 'u': return FormatDecimal(r, a, directive);
    case 'x': return FormatHex(r, a, directive);
    case 'p': return FormatPointer(r, a);
    case 's': return FormatString(r, a, directive);
    case 'e':
    case 'f':
    case 'g':
    case 'n':
    case 'm': return FormatFloat(r, a, directive);
    default: r.Fail();
    }
}

}  // namespace

std::string FormatV(std::string_view format, const std::vector<TVarRec>& args)
{
    std::string out;
    TFormatReader reader(format, args);
    for (;;) {
        reader.CopyLiteral(out);
        if (reader.AtEnd())
            return out;
        const TFormatDirective directive = reader.ReadDirective();
        std::string text = FormatItem(reader, reader.NextArg(), directive);
        if (directive.Width > int(text.size())) {
            std::string pad(std::size_t(directive.Width) - text.size(), ' ');
            text = directive.Left ? text + pad : pad + text;
        }
        out += text;
    }
}

}  // namespace cl
