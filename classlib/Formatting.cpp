// Format: the class library's format strings.
#include "classlib/SysUtils.h"
#include "classlib/TextUtilsShared.h"

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

}  // namespace cl
