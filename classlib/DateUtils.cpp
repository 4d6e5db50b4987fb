// Dates and times: encoding, decoding, formatting and the clock.
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

}  // namespace cl
