// Text conversions between the ANSI code page, UTF-8 and UTF-16.
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

#ifndef _WIN32
namespace detail {

// Windows-1252 code points 0x80..0x9F (0 = undefined there).
const char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace detail
#endif

using namespace detail;

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

}  // namespace cl
