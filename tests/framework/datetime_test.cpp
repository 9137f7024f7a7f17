// Dates and times: the day count and its calendar fields, the time formats built from the
// locale's clock settings, and the format language letter by letter ("c" with and without a
// time part, names, 12-hour clocks, markers, separators, quoted text).
#include <gtest/gtest.h>
#include <time.h>

#include <string>

#include "framework/core/datetime.h"
#include "framework/core/sysutils.h"

namespace {

TDateTime At(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    return EncodeDateTime(TLocalDateTime{y, mo, d, h, mi, s, ms});
}

std::string Fmt(std::string_view f, TDateTime t, const TFormatSettings& s = {}) { return FormatDateTime(f, t, s); }

// ---------------------------------------------------------------- value and fields

// A window read before its desktop is installed still formats a moment: the C library's
// local time (what the desktop says too), in the default formats.
TEST(DateTime, WithoutADesktopNowIsTheLocalTimeInTheDefaultFormats) {
    ASSERT_FALSE(PlatformInstalled());
    auto local = [](time_t t) {
        tm f{};
        localtime_r(&t, &f);
        return EncodeDateTime({f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_hour, f.tm_min, f.tm_sec, 0});
    };
    // Read from the clock Now() reads: time() may lag it by a scheduler tick, a second behind
    // just after a second begins.
    auto seconds = [] {
        timespec t{};
        clock_gettime(CLOCK_REALTIME, &t);
        return t.tv_sec;
    };
    const time_t before = seconds();
    const TDateTime now = Now();
    const time_t after = seconds();
    EXPECT_GE(now.Value, local(before).Value);
    EXPECT_LT(now.Value, local(after + 1).Value);
    EXPECT_EQ(FormatDateTime("c", At(2026, 12, 8, 14, 30, 15), LocaleFormatSettings()), "12/8/26 14:30:15");
}

TEST(DateTime, DaysCountFromTheLastDaysOf1899) {
    EXPECT_EQ(EncodeDate(1899, 12, 30).Value, 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1).Value, 2);
    EXPECT_EQ(EncodeDate(2000, 3, 1).Value, 36586);
    EXPECT_DOUBLE_EQ(EncodeTime(18, 0, 0, 0).Value, 0.75);
    // Before day 0 the fraction still counts forward from midnight.
    EXPECT_DOUBLE_EQ(At(1899, 12, 29, 6, 0, 0).Value, -1.25);
    const TLocalDateTime back = DecodeDateTime(TDateTime{-1.25});
    EXPECT_EQ(back.Day, 29);
    EXPECT_EQ(back.Hour, 6);

    const TLocalDateTime f = DecodeDateTime(At(2026, 12, 8, 14, 30, 15, 7));
    EXPECT_EQ(f.Year, 2026);
    EXPECT_EQ(f.Month, 12);
    EXPECT_EQ(f.Day, 8);
    EXPECT_EQ(f.Hour, 14);
    EXPECT_EQ(f.Minute, 30);
    EXPECT_EQ(f.Second, 15);
    EXPECT_EQ(f.Millisecond, 7);
    // 2026-12-08 is a Tuesday; 1899-12-30 a Saturday.
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 8)), 3);
    EXPECT_EQ(DayOfWeek(TDateTime{0}), 7);
    EXPECT_EQ(DayOfWeek(TDateTime{-1.25}), 6);
}

TEST(DateTime, SpansAddWithoutDriftAndFieldsOutOfRangeDoNotEncode) {
    const TLocalDateTime f = DecodeDateTime(At(2026, 12, 31, 23, 59, 59, 999) + OneMillisecond);
    EXPECT_EQ(f.Year, 2027);
    EXPECT_EQ(f.Day, 1);
    EXPECT_EQ(f.Hour, 0);
    EXPECT_EQ(f.Millisecond, 0);
    const TLocalDateTime g = DecodeDateTime(At(2024, 2, 28, 14, 30, 15) + 25 * OneHour);
    EXPECT_EQ(g.Day, 29);
    EXPECT_EQ(g.Hour, 15);
    EXPECT_EQ(g.Second, 15);
    EXPECT_EQ(g.Millisecond, 0);
    EXPECT_THROW(EncodeDate(2025, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

// ---------------------------------------------------------------- locale settings

TEST(DateTime, TimeFormatsFollowTheLocalesClock) {
    TLocaleFormats l;
    l.ShortDatePattern = "";
    TFormatSettings s = FormatSettingsFromLocale(l);
    EXPECT_EQ(s.ShortDateFormat, "m/d/yy");
    EXPECT_EQ(s.LongTimeFormat, "hh:mm:ss");
    EXPECT_EQ(s.ShortTimeFormat, "hh:mm");

    l.ShortDatePattern = "yyyy/m/d";
    l.TwelveHour = true;
    l.AmPmInFront = true;
    l.LeadingZeroHours = false;
    s = FormatSettingsFromLocale(l);
    EXPECT_EQ(s.ShortDateFormat, "yyyy/m/d");
    EXPECT_EQ(s.LongTimeFormat, "AMPM h:mm:ss");
    EXPECT_EQ(s.ShortTimeFormat, "AMPM h:mm");

    l.AmPmInFront = false;
    EXPECT_EQ(FormatSettingsFromLocale(l).LongTimeFormat, "h:mm:ss AMPM");
    // A 24-hour clock never shows a marker, wherever the locale would put it.
    l.TwelveHour = false;
    l.AmPmInFront = true;
    EXPECT_EQ(FormatSettingsFromLocale(l).LongTimeFormat, "h:mm:ss");

    l.DateSeparator = '\0';
    l.TimeSeparator = '\0';
    s = FormatSettingsFromLocale(l);
    EXPECT_EQ(s.DateSeparator, '/');
    EXPECT_EQ(s.TimeSeparator, ':');
}

// ---------------------------------------------------------------- the format language

TEST(DateTime, TheCFormatIsShortDateAndLongTimeUnlessItIsMidnight) {
    TLocaleFormats l;
    l.ShortDatePattern = "dd/mm/yyyy";
    l.DateSeparator = '.';
    const TFormatSettings s24 = FormatSettingsFromLocale(l);
    const TDateTime t = At(2026, 12, 8, 14, 30, 15, 640);
    EXPECT_EQ(Fmt("c", t, s24), "08.12.2026 14:30:15");
    EXPECT_EQ(Fmt("", t, s24), "08.12.2026 14:30:15");
    // Milliseconds do not count: any moment of the first second after midnight is the date.
    EXPECT_EQ(Fmt("c", At(2026, 12, 8, 0, 0, 0, 999), s24), "08.12.2026");
    EXPECT_EQ(Fmt("c", At(2026, 12, 8, 0, 0, 1), s24), "08.12.2026 00:00:01");

    l.ShortDatePattern = "m/d/yyyy";
    l.DateSeparator = '/';
    l.TwelveHour = true;
    l.LeadingZeroHours = false;
    EXPECT_EQ(Fmt("c", t, FormatSettingsFromLocale(l)), "12/8/2026 2:30:15 PM");
    l.AmPmInFront = true;
    l.AmString = "AM";
    l.PmString = "PM";
    l.ShortDatePattern = "yyyy/m/d";
    l.DateSeparator = '-';
    EXPECT_EQ(Fmt("c", t, FormatSettingsFromLocale(l)), "2026-12-8 PM 2:30:15");
    EXPECT_EQ(Fmt("c", At(2026, 12, 8, 0, 5, 0), FormatSettingsFromLocale(l)), "2026-12-8 AM 12:05:00");
}

TEST(DateTime, LettersNumbersAndNames) {
    const TDateTime t = At(2026, 3, 1, 9, 5, 3, 7);  // a Sunday
    EXPECT_EQ(Fmt("d dd ddd dddd", t), "1 01 Sun Sunday");
    EXPECT_EQ(Fmt("m mm mmm mmmm", t), "3 03 Mar March");
    EXPECT_EQ(Fmt("yy yyyy", t), "26 2026");
    EXPECT_EQ(Fmt("h:n:s hh:nn:ss", t), "9:5:3 09:05:03");
    EXPECT_EQ(Fmt("z zzz", t), "7 007");
    EXPECT_EQ(Fmt("ddddd", t), "3/1/26");
    // Letters in either case; m right after h or hh is the minute, elsewhere the month.
    EXPECT_EQ(Fmt("HH:MM DD/MM", t), "09:05 01/03");
    EXPECT_EQ(Fmt("h 'h' m", t), "9 h 5");
    EXPECT_EQ(Fmt("t|tt", t), "09:05|09:05:03");
}

TEST(DateTime, TwelveHourClocksAndMarkers) {
    TFormatSettings s;
    s.TimeAMString = "vorm.";
    s.TimePMString = "nachm.";
    const TDateTime afternoon = At(2026, 12, 8, 14, 30, 15);
    const TDateTime noon = At(2026, 12, 8, 12, 0, 0);
    const TDateTime midnight = At(2026, 12, 8, 0, 30, 0);
    EXPECT_EQ(Fmt("h am/pm", afternoon), "2 pm");
    EXPECT_EQ(Fmt("h AM/PM", midnight), "12 AM");
    EXPECT_EQ(Fmt("h:nn A/P", noon), "12:00 P");
    EXPECT_EQ(Fmt("h:nn a/p", midnight), "12:30 a");
    EXPECT_EQ(Fmt("ampm hh", afternoon, s), "nachm. 02");
    EXPECT_EQ(Fmt("hh AMPM", midnight, s), "12 vorm.");
    // Without a marker the clock runs to 23; a marker in quotes is only text.
    EXPECT_EQ(Fmt("hh 'am/pm'", afternoon), "14 am/pm");
    EXPECT_EQ(Fmt("Alarm", afternoon), "Alar12");  // "A" alone is text; m after nothing is the month
}

TEST(DateTime, SeparatorsQuotedTextAndNesting) {
    TFormatSettings s;
    s.DateSeparator = '-';
    s.TimeSeparator = '.';
    const TDateTime t = At(2026, 12, 8, 14, 30, 15);
    EXPECT_EQ(Fmt("dd/mm hh:nn", t, s), "08-12 14.30");
    EXPECT_EQ(Fmt("'Today is' dddd \"the\" d", t, s), "Today is Tuesday the 8");
    EXPECT_EQ(Fmt("\"/:\"", t, s), "/:");
    EXPECT_EQ(Fmt("yyyy 'open", t, s), "2026 open");
    EXPECT_EQ(Fmt("[#] yyyy", t, s), "[#] 2026");
    // A locale format that names itself stops nesting instead of recursing for ever.
    s.ShortDateFormat = "c";
    s.LongTimeFormat = "tt";
    const std::string nested = Fmt("c", t, s);
    EXPECT_EQ(nested.find_first_not_of(' '), std::string::npos) << nested;
}

}  // namespace
