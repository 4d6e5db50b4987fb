// Integers, booleans and floating-point numbers to and from text.
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

using namespace detail;

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

// What the placeholders of a section ask for.
struct TFloatPlaces {
    int IntZeros = 0, IntPlaces = 0, FracZeros = 0, FracPlaces = 0;
    bool Thousands = false, Scientific = false;
    bool ExpPlus = false;
    int ExpZeros = 0;
};

// "E+" or "e-" and the like at i: an exponent placeholder.
bool IsExponentAt(const std::string& section, std::size_t i)
{
    const char c = section[i];
    return (c == 'E' || c == 'e') && i + 1 < section.size() && (section[i + 1] == '+' || section[i + 1] == '-');
}

TFloatPlaces ScanPlaceholders(const std::string& section)
{
    TFloatPlaces p;
    bool seenPoint = false;
    char quote = 0;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '0' || c == '#') {
            if (seenPoint) {
                ++p.FracPlaces;
                if (c == '0')
                    p.FracZeros = p.FracPlaces;
            } else {
                ++p.IntPlaces;
                if (c == '0' || p.IntZeros)
                    ++p.IntZeros;
            }
        } else if (c == '.') {
            seenPoint = true;
        } else if (c == ',') {
            p.Thousands = true;
        } else if (IsExponentAt(section, i)) {
            p.Scientific = true;
            p.ExpPlus = section[i + 1] == '+';
            for (std::size_t j = i + 2; j < section.size() && section[j] == '0'; ++j)
                ++p.ExpZeros;
            break;
        }
    }
    return p;
}

// The number's digits before and after the point, and its exponent's text.
struct TFloatDigits {
    std::string Int, Frac, Exp;
};

void SplitFixed(const std::string& fixed, TFloatDigits& d)
{
    const auto dot = fixed.find('.');
    d.Int = fixed.substr(0, dot);
    d.Frac = dot == std::string::npos ? std::string() : fixed.substr(dot + 1);
}

TFloatDigits ScientificDigits(double value, const TFloatPlaces& p)
{
    const int intPlaces = std::max(p.IntPlaces, 1);
    int exponent = 0;
    double mantissa = value;
    if (value != 0) {
        exponent = int(std::floor(std::log10(value))) - (intPlaces - 1);
        mantissa = value / std::pow(10.0, exponent);
    }
    std::string fixed = FixedDigits(mantissa, p.FracPlaces);
    // Rounding may carry into another digit.
    if (int(fixed.substr(0, fixed.find('.')).size()) > intPlaces && value != 0) {
        ++exponent;
        mantissa = value / std::pow(10.0, exponent);
        fixed = FixedDigits(mantissa, p.FracPlaces);
    }
    TFloatDigits d;
    SplitFixed(fixed, d);
    std::string e = Digits(std::uint64_t(std::abs(exponent)), 10);
    while (int(e.size()) < p.ExpZeros)
        e.insert(e.begin(), '0');
    d.Exp = (exponent < 0 ? "-" : (p.ExpPlus ? "+" : "")) + e;
    return d;
}

TFloatDigits SectionDigits(double value, const TFloatPlaces& p)
{
    TFloatDigits d;
    if (p.Scientific)
        d = ScientificDigits(value, p);
    else
        SplitFixed(FixedDigits(value, p.FracPlaces), d);
    // Drop optional ("#") trailing fraction digits that are zero.
    while (int(d.Frac.size()) > p.FracZeros && !d.Frac.empty() && d.Frac.back() == '0')
        d.Frac.pop_back();
    // Leading integer zeros only as many as "0" places ask for.
    while (d.Int.size() > 1 && d.Int[0] == '0')
        d.Int.erase(0, 1);
    if (d.Int == "0" && p.IntZeros == 0)
        d.Int.clear();
    while (int(d.Int.size()) < p.IntZeros)
        d.Int.insert(d.Int.begin(), '0');
    if (p.Thousands)
        d.Int = WithThousands(d.Int);
    return d;
}

// Literals keep their places; the digits go where the first placeholder is.
std::string AssembleSection(const std::string& section, const TFloatPlaces& p, const TFloatDigits& d)
{
    std::string out;
    bool digitsDone = false, pointDone = false;
    auto putDigits = [&] {
        if (!digitsDone) {
            out += d.Int;
            digitsDone = true;
        }
    };
    char quote = 0;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
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
            if (!pointDone)
                putDigits();
        } else if (c == '.') {
            putDigits();
            if (!pointDone) {
                if (!d.Frac.empty())
                    out += "." + d.Frac;
                pointDone = true;
            }
        } else if (p.Scientific && IsExponentAt(section, i)) {
            putDigits();
            out.push_back(c);
            out += d.Exp;
            i += 1;
            while (i + 1 < section.size() && section[i + 1] == '0')
                ++i;
        } else {
            out.push_back(c);
        }
    }
    if (!digitsDone && (p.IntPlaces || p.FracPlaces))
        out += d.Int;
    return out;
}

std::string ApplyFloatSection(const std::string& section, double value)  // value >= 0
{
    const TFloatPlaces places = ScanPlaceholders(section);
    return AssembleSection(section, places, SectionDigits(value, places));
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

}  // namespace cl
