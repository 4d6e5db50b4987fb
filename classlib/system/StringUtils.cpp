// String utilities: case, trimming, searching, quoting.
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

}  // namespace cl
