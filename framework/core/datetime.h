// Dates and times: the TDateTime value (days since 1899-12-30, the fraction being the time of
// day), conversion to and from calendar fields, the local "now" of the platform, and
// FormatDateTime, the classic date-time format language driven by a TFormatSettings that is
// built from the locale's settings.
//
// This lives in the framework, next to Format in sysutils, rather than in the control set:
// it is a general service built only on the platform's clock and locale, and any layer above
// (a clock pane, a status line, a file header) may format a moment with it. Everything but
// Now() and LocaleFormatSettings() is pure and takes its settings as an argument.
//
// Sections: the value · calendar fields · format settings · formatting
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/platform/platform.h"

// ---------------------------------------------------------------- the value

// Whole days since 1899-12-30 plus the elapsed fraction of the day. Before that day the
// value is negative and its fraction still counts forward from midnight (-1.25 is
// 1899-12-29 06:00).
struct TDateTime {
    double Value = 0;

    TDateTime& operator+=(double days) {
        Value += days;
        return *this;
    }
    TDateTime& operator-=(double days) {
        Value -= days;
        return *this;
    }
    friend TDateTime operator+(TDateTime t, double days) { return t += days; }
    friend TDateTime operator-(TDateTime t, double days) { return t -= days; }
    friend bool operator==(TDateTime a, TDateTime b) = default;
};

// Spans in days, to add to a TDateTime.
inline constexpr double OneHour = 1.0 / 24;
inline constexpr double OneMinute = 1.0 / (24 * 60);
inline constexpr double OneSecond = 1.0 / (24 * 60 * 60);
inline constexpr double OneMillisecond = 1.0 / (24 * 60 * 60 * 1000);

// ---------------------------------------------------------------- calendar fields
// TLocalDateTime (platform.h) is the broken-down form: year, month 1..12, day 1..31, hour,
// minute, second, millisecond.

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// EConvertError "Invalid argument to date encode" / "... time encode" for fields out of range.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
TDateTime EncodeDateTime(const TLocalDateTime& fields);
// Rounded to the nearest millisecond.
TLocalDateTime DecodeDateTime(TDateTime t);
// 1 = Sunday … 7 = Saturday.
int DayOfWeek(TDateTime t);

// The platform's local date and time, to the millisecond. Before a desktop is installed (a
// window read ahead while it connects) it is the C library's local time, which is what the
// desktop will say too.
TDateTime Now();

// ---------------------------------------------------------------- format settings

// What FormatDateTime takes from the locale. The platform gives no month or day names, so
// those are the English ones.
struct TFormatSettings {
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "m/d/yy";
    std::string ShortTimeFormat = "hh:mm";
    std::string LongTimeFormat = "hh:mm:ss";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                               "July",    "August",   "September", "October", "November", "December"};
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
};

// The short date format is the locale's pattern ("m/d/yy" when it gives none); the time
// formats are built from its clock settings: "AMPM " in front or " AMPM" behind on a 12-hour
// clock, "hh" or "h" as it wants hours, then ":mm" (short) or ":mm:ss" (long). A separator
// of '\0' stands for the default ('/' and ':').
TFormatSettings FormatSettingsFromLocale(const TLocaleFormats& locale);
// The same from the platform's current locale; before a desktop is installed, the defaults
// (a control showing a moment formats it again when CM_WININICHANGE says the desktop came).
TFormatSettings LocaleFormatSettings();

// ---------------------------------------------------------------- formatting

// The classic format language, letters in either case:
//   c        short date, then " " and the long time unless hour, minute and second are all 0
//   d dd     day 1..31, two digits with dd; ddd / dddd short / long day name; ddddd short date
//   m mm     month 1..12 (minutes right after an h or hh); mmm / mmmm short / long month name
//   yy yyyy  two- / four-digit year
//   h hh     hour (0..23, or 1..12 when the format holds am/pm, a/p or ampm anywhere)
//   n nn     minute; s ss second; z zzz millisecond (zzz: three digits)
//   t tt     short / long time format
//   am/pm a/p  "am"/"pm" or "a"/"p" in the case written; ampm the locale's marker
//   /  :     the date and time separators
//   '…' "…"  literal text; any other character stands for itself
std::string FormatDateTime(std::string_view format, TDateTime t, const TFormatSettings& settings);
