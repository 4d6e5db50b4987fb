// Integers, booleans and floating-point numbers to and from text.
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

}  // namespace cl
