// Dates and times: encoding and decoding round trips across the calendar,
// dates before 1899-12-30, and the class library's date-time texts.
#include "tests/support/ExpectRaises.h"

#include "platform/rtl/DateFormat.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Ymd {
    int y, m, d;
};

Ymd Decode(TDateTime dt) {
    Ymd out{};
    DecodeDate(dt, out.y, out.m, out.d);
    return out;
}

TEST(DateTime, TheOleDateCountsDaysFrom18991230) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1899, 12, 31), 1);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
    EXPECT_EQ(EncodeDate(1900, 3, 1), 61); // 1900 was no leap year
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
}

TEST(DateTime, EveryDayRoundTripsThroughDecodeDate) {
    // Every day of 1600-2400 (leap centuries and plain ones), then samples to the ends.
    TDateTime first = EncodeDate(1600, 1, 1);
    Ymd expected{1600, 1, 1};
    for (TDateTime day = first; day <= EncodeDate(2400, 12, 31); day += 1) {
        Ymd got = Decode(day);
        ASSERT_EQ(got.y, expected.y) << day;
        ASSERT_EQ(got.m, expected.m) << day;
        ASSERT_EQ(got.d, expected.d) << day;
        if (++expected.d > DaysInAMonth(expected.y, expected.m)) {
            expected.d = 1;
            if (++expected.m > 12) {
                expected.m = 1;
                ++expected.y;
            }
        }
    }
    for (Ymd d : {Ymd{1, 1, 1}, Ymd{4, 2, 29}, Ymd{1752, 9, 14}, Ymd{9999, 12, 31}}) {
        Ymd got = Decode(EncodeDate(d.y, d.m, d.d));
        EXPECT_EQ(got.y * 10000 + got.m * 100 + got.d, d.y * 10000 + d.m * 100 + d.d);
    }
}

TEST(DateTime, LeapYears) {
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
    EXPECT_EQ(DaysInAMonth(2023, 2), 28);
    EXPECT_EQ(EncodeDate(2024, 3, 1) - EncodeDate(2024, 2, 28), 2);
    EXPECT_EQ(EncodeDate(2100, 3, 1) - EncodeDate(2100, 2, 28), 1);
}

TEST(DateTime, InvalidDatesAndTimesRaiseConvertError) {
    const int badDates[][3] = {{2023, 2, 29}, {1900, 2, 29}, {2024, 13, 1}, {2024, 0, 1},
                               {2024, 4, 31}, {0, 1, 1},     {10000, 1, 1}, {2024, 1, 0}};
    for (const auto& d : badDates) {
        ExpectRaises<EConvertError>([&] { EncodeDate(d[0], d[1], d[2]); },
                                    "Invalid argument to date encode");
        TDateTime untouched = 5;
        EXPECT_FALSE(TryEncodeDate(d[0], d[1], d[2], untouched));
        EXPECT_EQ(untouched, 5);
    }
    const int badTimes[][4] = {
        {24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
    for (const auto& t : badTimes) {
        ExpectRaises<EConvertError>([&] { EncodeTime(t[0], t[1], t[2], t[3]); },
                                    "Invalid argument to time encode");
    }
}

TEST(DateTime, TimesRoundTripToTheMillisecond) {
    for (int ms = 0; ms < 86400000; ms += 997) { // steps that visit every millisecond digit
        int h = ms / 3600000, n = ms / 60000 % 60, s = ms / 1000 % 60, z = ms % 1000;
        TDateTime t = EncodeDateTime(2026, 12, 6, h, n, s, z);
        int h2, n2, s2, z2;
        DecodeTime(t, h2, n2, s2, z2);
        ASSERT_EQ(h2 * 3600000 + n2 * 60000 + s2 * 1000 + z2, ms);
    }
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
}

TEST(DateTime, BeforeTheBaseTheFractionStillCountsForwardFromMidnight) {
    TDateTime dt = EncodeDateTime(1899, 12, 29, 6, 0, 0, 0);
    EXPECT_EQ(dt, -1.25);
    int y, m, d, h, n, s, z;
    DecodeDateTime(-1.25, y, m, d, h, n, s, z);
    EXPECT_EQ(y * 10000 + m * 100 + d, 18991229);
    EXPECT_EQ(h, 6);
    DecodeDateTime(-0.5, y, m, d, h, n, s, z); // same moment as 0.5
    EXPECT_EQ(y * 10000 + m * 100 + d, 18991230);
    EXPECT_EQ(h, 12);
    TDateTime early = EncodeDateTime(1066, 10, 14, 9, 30, 15, 250);
    DecodeDateTime(early, y, m, d, h, n, s, z);
    EXPECT_EQ(y * 10000 + m * 100 + d, 10661014);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + z, 93015250);
}

TEST(DateTime, TimeThatRoundsToMidnightBelongsToTheNextDay) {
    int y, m, d, h, n, s, z;
    DecodeDateTime(EncodeDate(2024, 2, 28) + 0.9999999999, y, m, d, h, n, s, z);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20240229);
    EXPECT_EQ(h + n + s + z, 0);
    DecodeDateTime(-1.9999999999, y, m, d, h, n, s, z); // 1899-12-29 23:59:59.99999...
    EXPECT_EQ(y * 10000 + m * 100 + d, 18991230);
    EXPECT_EQ(h + n + s + z, 0);
}

TEST(DateTime, ValuesOutsideTheCalendarDecodeToZeros) {
    for (double bad : {-1e9, 1e9, std::nan(""), double(INFINITY)}) {
        Ymd got = Decode(bad);
        EXPECT_EQ(got.y + got.m + got.d, 0) << bad;
    }
}

TEST(DateTime, DayOfWeekStartsWithSunday) {
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7); // a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 31)), 1);
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 29)), 6);
    EXPECT_EQ(DayOfWeek(EncodeDateTime(2026, 12, 6, 13, 40, 0, 0)), 1);
    EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2); // proleptic Gregorian: a Monday
}

TEST(DateFormat, StandardTextsAreUsEnglish) {
    TDateTime dt = EncodeDateTime(2026, 12, 6, 13, 40, 0, 0);
    EXPECT_EQ(DateTimeToStr(dt), "12/6/2026 1:40:00 PM");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2026, 1, 2)), "1/2/2026"); // midnight: the date alone
    EXPECT_EQ(DateTimeToStr(EncodeDateTime(2026, 1, 2, 0, 0, 5, 0)), "1/2/2026 12:00:05 AM");
    EXPECT_EQ(DateToStr(dt), "12/6/2026");
    EXPECT_EQ(TimeToStr(dt), "1:40:00 PM");
    EXPECT_EQ(TimeToStr(EncodeTime(12, 5, 0, 0)), "12:05:00 PM");
    EXPECT_EQ(FormatDateTime("", dt), "12/6/2026 1:40:00 PM");
}

TEST(DateFormat, FormatLetters) {
    TDateTime dt = EncodeDateTime(2026, 3, 7, 9, 5, 3, 45);
    const std::pair<const char*, const char*> cases[] = {
        {"yyyy-mm-dd hh:nn:ss", "2026-03-07 09:05:03"},
        {"yyyy-mm-dd hh:mm:ss", "2026-03-07 09:05:03"}, // mm after hh is minutes
        {"y yy yyy", "26 26 2026"},
        {"d dd ddd dddd", "7 07 Sat Saturday"},
        {"m mm mmm mmmm", "3 03 Mar March"},
        {"MMMM d, YYYY", "March 7, 2026"},
        {"h:m:s.z", "9:5:3.45"},
        {"hh:nn:ss.zzz", "09:05:03.045"},
        {"ddddd", "3/7/2026"},
        {"dddddd", "Saturday, March 7, 2026"},
        {"t", "9:05 AM"},
        {"tt", "9:05:03 AM"},
        {"c", "3/7/2026 9:05:03 AM"},
        {"h am/pm", "9 am"},
        {"h AM/PM", "9 AM"},
        {"h a/p", "9 a"},
        {"h ampm", "9 AM"},
        {"\"Modified\" dd 'at' hh", "Modified 07 at 09"},
        {"dd/mm", "07/03"},
        {"hh 'h' mm", "09 h 05"}, // a literal between hour and minutes
        {"hh:ss mm", "09:03 03"}, // after seconds mm is the month again
        {"x-#", "x-#"},
    };
    for (auto [format, expected] : cases)
        EXPECT_EQ(FormatDateTime(format, dt), expected) << format;
}

TEST(DateFormat, TwelveHourClockAtMidnightAndNoon) {
    EXPECT_EQ(FormatDateTime("h:nn ampm", EncodeTime(0, 30, 0, 0)), "12:30 AM");
    EXPECT_EQ(FormatDateTime("h:nn ampm", EncodeTime(12, 30, 0, 0)), "12:30 PM");
    EXPECT_EQ(FormatDateTime("hh:nn am/pm", EncodeTime(23, 59, 0, 0)), "11:59 pm");
    EXPECT_EQ(FormatDateTime("hh:nn", EncodeTime(23, 59, 0, 0)), "23:59");
}

TEST(DateFormat, LogAndConfigurationStampsRoundTripThroughEncode) {
    // Every month's last day of a leap and a plain year, and the base day.
    for (int year : {2024, 2023, 1900, 2000}) {
        for (int month = 1; month <= 12; ++month) {
            int day = DaysInAMonth(year, month);
            TDateTime dt = EncodeDateTime(year, month, day, 23, 59, 59, 0);
            char expected[32];
            std::snprintf(expected, sizeof expected, "%04d-%02d-%02d 23:59:59", year, month, day);
            EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:mm:ss", dt), expected);
        }
    }
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:mm:ss", 0), "1899-12-30 00:00:00");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:mm:ss", -1.75), "1899-12-29 18:00:00");
}

} // namespace
