// Dates and times: encoding, decoding, formatting and the clock.
#include "classlib/system/SysUtils.h"

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

namespace {

// Writes a date-time format, token by token. A letter token ends the "last token" that tells
// minutes from months ("m" after "h" is minutes); separators, blanks and literals keep it, so
// "hh:mm" reads minutes.
class TDateTimeWriter {
public:
    TDateTimeWriter(std::string_view format, TDateTime value)
        : format_(format), value_(value), st_(DateTimeToSystemTime(value)), dow_(DayOfWeek(value) - 1)
    {
        // Does "am/pm" style appear anywhere? Then hours are 12-hour.
        const std::string lower = LowerCase(format);
        twelve_ = lower.find("am/pm") != std::string::npos || lower.find("a/p") != std::string::npos ||
                  lower.find("ampm") != std::string::npos;
    }
    std::string Write();

private:
    static std::string Two(int v) { return Format("%.2d", v); }
    std::size_t CountRun(char c) const
    {
        std::size_t j = i_;
        while (j < format_.size() && (format_[j] == c || format_[j] == char(c - 32)))
            ++j;
        return j - i_;
    }
    // A time field ("h", "n", "s"): its number unpadded, two digits for a run of two or more;
    // a longer run counts as two.
    void TimeField(char letter, int number)
    {
        const std::size_t run = CountRun(letter);
        out_ += run >= 2 ? Two(number) : std::to_string(number);
        i_ += std::min<std::size_t>(run, 2);
    }
    void Quoted(char quote);
    void AmPm();
    void Token(char c, char lc);
    void Day();
    void Month();
    void Hour();

    std::string_view format_;
    TDateTime value_;
    TSystemTime st_;
    int dow_;
    bool twelve_ = false;
    std::size_t i_ = 0;
    bool lastWasHour_ = false;
    std::string out_;
};

std::string TDateTimeWriter::Write()
{
    while (i_ < format_.size()) {
        const char c = format_[i_];
        const char lc = (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
        if (c == '"' || c == '\'')
            Quoted(c);
        else if (lc == 'a')
            AmPm();
        else
            Token(c, lc);
    }
    return out_;
}

void TDateTimeWriter::Quoted(char quote)
{
    const std::size_t n = format_.size();
    std::size_t end = format_.find(quote, i_ + 1);
    if (end == std::string_view::npos)
        end = n;
    out_.append(format_.substr(i_ + 1, end - i_ - 1));
    i_ = end < n ? end + 1 : n;
}

// "am/pm" and "a/p" in the case written, "ampm" always upper case; any other "a" is a letter.
void TDateTimeWriter::AmPm()
{
    const std::string_view rest = format_.substr(i_);
    const bool am = st_.Hour < 12;
    const bool upper = rest[0] == 'A';
    if (rest.size() >= 5 && SameText(rest.substr(0, 5), "am/pm")) {
        out_ += am ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
        i_ += 5;
    } else if (rest.size() >= 3 && SameText(rest.substr(0, 3), "a/p")) {
        out_ += am ? (upper ? "A" : "a") : (upper ? "P" : "p");
        i_ += 3;
    } else if (rest.size() >= 4 && SameText(rest.substr(0, 4), "ampm")) {
        out_ += am ? "AM" : "PM";
        i_ += 4;
    } else {
        out_.push_back(rest[0]);
        ++i_;
        lastWasHour_ = false;
    }
}

void TDateTimeWriter::Token(char c, char lc)
{
    if (lc == 'h') {
        Hour();
        return;
    }
    const bool letter = lc >= 'a' && lc <= 'z';
    switch (lc) {
    case 'c':
        out_ += FormatDateTime("m/d/yyyy", value_);
        if (st_.Hour || st_.Minute || st_.Second || st_.MilliSecond)
            out_ += " " + FormatDateTime("h:nn:ss", value_);
        ++i_;
        break;
    case 'd': Day(); break;
    case 'm': Month(); break;
    case 'y': {
        const std::size_t run = CountRun('y');
        out_ += run <= 2 ? Two(st_.Year % 100) : Format("%.4d", st_.Year);
        i_ += run;
        break;
    }
    case 'n': TimeField('n', st_.Minute); break;
    case 's': TimeField('s', st_.Second); break;
    case 'z': {
        const std::size_t run = CountRun('z');
        out_ += run >= 3 ? Format("%.3d", st_.MilliSecond) : std::to_string(st_.MilliSecond);
        i_ += std::min<std::size_t>(run, 3);
        break;
    }
    case 't': {
        const std::size_t run = CountRun('t');
        out_ += FormatDateTime(run >= 2 ? "h:nn:ss" : "h:nn", value_);
        i_ += std::min<std::size_t>(run, 2);
        break;
    }
    default:
        out_.push_back(c);
        ++i_;
        break;
    }
    if (letter)
        lastWasHour_ = false;
}

void TDateTimeWriter::Day()
{
    std::size_t run = CountRun('d');
    if (run >= 6) {
        out_ += FormatDateTime("dddd, mmmm d, yyyy", value_);
        run = 6;
    } else if (run == 5) {
        out_ += FormatDateTime("m/d/yyyy", value_);
    } else if (run == 4) {
        out_ += kLongDay[dow_];
    } else if (run == 3) {
        out_ += kShortDay[dow_];
    } else if (run == 2) {
        out_ += Two(st_.Day);
    } else {
        out_ += std::to_string(st_.Day);
    }
    i_ += run;
}

// Minutes right after an hour, else the month.
void TDateTimeWriter::Month()
{
    std::size_t run = CountRun('m');
    if (lastWasHour_ && run <= 2) {
        out_ += run == 2 ? Two(st_.Minute) : std::to_string(st_.Minute);
    } else if (run >= 4) {
        out_ += kLongMonth[st_.Month - 1];
        run = 4;
    } else if (run == 3) {
        out_ += kShortMonth[st_.Month - 1];
    } else if (run == 2) {
        out_ += Two(st_.Month);
    } else {
        out_ += std::to_string(st_.Month);
    }
    i_ += run;
}

void TDateTimeWriter::Hour()
{
    int h = st_.Hour;
    if (twelve_) {
        h %= 12;
        if (h == 0)
            h = 12;
    }
    TimeField('h', h);
    lastWasHour_ = true;
}

}  // namespace

std::string FormatDateTime(std::string_view format, TDateTime value)
{
    return TDateTimeWriter(format, value).Write();
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
