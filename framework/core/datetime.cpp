// Dates and times. Sections:
//   1. calendar arithmetic (days from and to civil dates)
//   2. encoding and decoding
//   3. format settings from the locale
//   4. FormatDateTime
#include "framework/core/datetime.h"

#include <time.h>

#include <algorithm>
#include <cmath>

#include "framework/core/sysutils.h"

// ---------------------------------------------------------------- 1. calendar arithmetic

namespace {

constexpr int64_t kMsPerDay = 86400000;

// Days since 1970-01-01 of a proleptic Gregorian date, and back (the era-based algorithm:
// 400-year eras of 146097 days, years counted from March so that leap days come last).
int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

// TDateTime day 0 is 1899-12-30.
const int64_t kEpochOffset = DaysFromCivil(1899, 12, 30);

// Whole days and the milliseconds into the day, rounded to the millisecond. The fraction
// counts forward from midnight also for negative values.
void SplitValue(TDateTime t, int64_t& days, int64_t& ms) {
    const double whole = std::trunc(t.Value);
    days = static_cast<int64_t>(whole);
    ms = std::llround(std::fabs(t.Value - whole) * kMsPerDay);
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        days += t.Value < 0 ? -1 : 1;
    }
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// ---------------------------------------------------------------- 2. encoding and decoding

TDateTime EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        throw EConvertError("Invalid argument to date encode");
    return TDateTime{static_cast<double>(DaysFromCivil(year, month, day) - kEpochOffset)};
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        throw EConvertError("Invalid argument to time encode");
    const int64_t ms = ((hour * 60 + minute) * 60 + second) * int64_t{1000} + millisecond;
    return TDateTime{static_cast<double>(ms) / kMsPerDay};
}

TDateTime EncodeDateTime(const TLocalDateTime& f) {
    const TDateTime date = EncodeDate(f.Year, f.Month, f.Day);
    const TDateTime time = EncodeTime(f.Hour, f.Minute, f.Second, f.Millisecond);
    // Before day 0 the time of day still counts forward: -1.25 is 06:00 on day -1.
    return TDateTime{date.Value < 0 ? date.Value - time.Value : date.Value + time.Value};
}

TLocalDateTime DecodeDateTime(TDateTime t) {
    int64_t days = 0, ms = 0;
    SplitValue(t, days, ms);
    TLocalDateTime f;
    CivilFromDays(days + kEpochOffset, f.Year, f.Month, f.Day);
    f.Hour = static_cast<int>(ms / 3600000);
    f.Minute = static_cast<int>(ms / 60000 % 60);
    f.Second = static_cast<int>(ms / 1000 % 60);
    f.Millisecond = static_cast<int>(ms % 1000);
    return f;
}

int DayOfWeek(TDateTime t) {
    int64_t days = 0, ms = 0;
    SplitValue(t, days, ms);
    // Day 0 was a Saturday.
    return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

TDateTime Now() {
    if (PlatformInstalled()) return EncodeDateTime(Platform().LocalNow());
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return EncodeDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                           local.tm_sec, static_cast<int>(now.tv_nsec / 1000000)});
}

// ---------------------------------------------------------------- 3. format settings

TFormatSettings FormatSettingsFromLocale(const TLocaleFormats& locale) {
    TFormatSettings s;
    s.DateSeparator = locale.DateSeparator ? locale.DateSeparator : '/';
    s.TimeSeparator = locale.TimeSeparator ? locale.TimeSeparator : ':';
    s.ShortDateFormat = locale.ShortDatePattern.empty() ? "m/d/yy" : locale.ShortDatePattern;
    const std::string hours = locale.LeadingZeroHours ? "hh" : "h";
    const std::string front = locale.TwelveHour && locale.AmPmInFront ? "AMPM " : "";
    const std::string behind = locale.TwelveHour && !locale.AmPmInFront ? " AMPM" : "";
    s.ShortTimeFormat = front + hours + ":mm" + behind;
    s.LongTimeFormat = front + hours + ":mm:ss" + behind;
    s.TimeAMString = locale.AmString;
    s.TimePMString = locale.PmString;
    return s;
}

TFormatSettings LocaleFormatSettings() {
    return FormatSettingsFromLocale(PlatformInstalled() ? Platform().LocaleFormats() : TLocaleFormats{});
}

// ---------------------------------------------------------------- 4. FormatDateTime

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithNoCase(std::string_view s, size_t at, std::string_view prefix) {
    if (s.size() - at < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (Upper(s[at + i]) != Upper(prefix[i])) return false;
    return true;
}

// Does the format ask for a 12-hour clock (am/pm, a/p or ampm outside quoted text)?
bool UsesTwelveHourClock(std::string_view f) {
    for (size_t i = 0; i < f.size(); ++i) {
        const char c = f[i];
        if (c == '\'' || c == '"') {
            const size_t end = f.find(c, i + 1);
            if (end == std::string_view::npos) return false;
            i = end;
        } else if (Upper(c) == 'A' && (StartsWithNoCase(f, i, "AM/PM") || StartsWithNoCase(f, i, "A/P") ||
                                       StartsWithNoCase(f, i, "AMPM"))) {
            return true;
        }
    }
    return false;
}

class TDateTimeWriter {
public:
    TDateTimeWriter(TDateTime t, const TFormatSettings& s)
        : FFields(DecodeDateTime(t)), FDayOfWeek(DayOfWeek(t)), FSettings(s) {}

    std::string Result;

    // Formats nested through c, ddddd, t and tt go one level deep; deeper ones print nothing,
    // so a locale format that names itself cannot recurse.
    void Append(std::string_view f, int depth) {
        if (depth > 2) return;
        const bool twelveHour = UsesTwelveHourClock(f);
        char lastToken = ' ';
        size_t i = 0;
        while (i < f.size()) {
            const char starter = f[i];
            char token = Upper(starter);
            if (token >= 'A' && token <= 'Z') {
                // m right after h or hh means minutes.
                if (token == 'M' && lastToken == 'H') token = 'N';
                lastToken = token;
            }
            const size_t count = RunLength(f, i, starter);
            switch (token) {
                case 'C':
                    i += 1;
                    Append(FSettings.ShortDateFormat, depth + 1);
                    if (FFields.Hour != 0 || FFields.Minute != 0 || FFields.Second != 0) {
                        Result += ' ';
                        Append(FSettings.LongTimeFormat, depth + 1);
                    }
                    break;
                case 'D':
                    i += count;
                    if (count <= 2) Number(FFields.Day, count);
                    else if (count == 3) Result += FSettings.ShortDayNames[FDayOfWeek - 1];
                    else if (count == 4) Result += FSettings.LongDayNames[FDayOfWeek - 1];
                    else Append(FSettings.ShortDateFormat, depth + 1);
                    break;
                case 'M':
                    i += count;
                    if (count <= 2) Number(FFields.Month, count);
                    else if (count == 3) Result += FSettings.ShortMonthNames[FFields.Month - 1];
                    else Result += FSettings.LongMonthNames[FFields.Month - 1];
                    break;
                case 'Y':
                    i += count;
                    if (count <= 2) Number(FFields.Year % 100, 2);
                    else Number(FFields.Year, 4);
                    break;
                case 'H': {
                    i += count;
                    int hour = FFields.Hour;
                    if (twelveHour) {
                        hour %= 12;
                        if (hour == 0) hour = 12;
                    }
                    Number(hour, std::min<size_t>(count, 2));
                    break;
                }
                case 'N':
                    i += count;
                    Number(FFields.Minute, std::min<size_t>(count, 2));
                    break;
                case 'S':
                    i += count;
                    Number(FFields.Second, std::min<size_t>(count, 2));
                    break;
                case 'Z':
                    i += count;
                    Number(FFields.Millisecond, count >= 3 ? 3 : 1);
                    break;
                case 'T':
                    i += count;
                    Append(count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, depth + 1);
                    break;
                case 'A': i = Marker(f, i); break;
                case '/':
                    i += 1;
                    Result += FSettings.DateSeparator;
                    break;
                case ':':
                    i += 1;
                    Result += FSettings.TimeSeparator;
                    break;
                case '\'':
                case '"': {
                    const size_t end = f.find(starter, i + 1);
                    const size_t stop = end == std::string_view::npos ? f.size() : end;
                    Result.append(f.substr(i + 1, stop - i - 1));
                    i = end == std::string_view::npos ? f.size() : end + 1;
                    break;
                }
                default:
                    Result += starter;
                    i += 1;
                    break;
            }
        }
    }

private:
    // The letters at i that repeat f[i], case-insensitively; a run counts as one specifier.
    static size_t RunLength(std::string_view f, size_t i, char starter) {
        const char u = Upper(starter);
        if (u < 'A' || u > 'Z') return 1;
        size_t n = 1;
        while (i + n < f.size() && Upper(f[i + n]) == u) ++n;
        return n;
    }

    void Number(int value, size_t digits) {
        std::string s = std::to_string(value);
        if (s.size() < digits) s.insert(0, digits - s.size(), '0');
        Result += s;
    }

    // am/pm, a/p, ampm or a literal "a"; returns the position after what it consumed.
    size_t Marker(std::string_view f, size_t i) {
        const bool pm = FFields.Hour >= 12;
        if (StartsWithNoCase(f, i, "AM/PM")) {
            Result.append(f.substr(pm ? i + 3 : i, 2));
            return i + 5;
        }
        if (StartsWithNoCase(f, i, "A/P")) {
            Result += f[pm ? i + 2 : i];
            return i + 3;
        }
        if (StartsWithNoCase(f, i, "AMPM")) {
            Result += pm ? FSettings.TimePMString : FSettings.TimeAMString;
            return i + 4;
        }
        Result += f[i];
        return i + 1;
    }

    TLocalDateTime FFields;
    int FDayOfWeek;
    const TFormatSettings& FSettings;
};

}  // namespace

std::string FormatDateTime(std::string_view format, TDateTime t, const TFormatSettings& settings) {
    TDateTimeWriter writer(t, settings);
    writer.Append(format.empty() ? std::string_view("c") : format, 0);
    return std::move(writer.Result);
}
