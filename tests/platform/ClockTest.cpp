// The machine's clock: manual mode, tick continuity, and date conversions.
#include "platform/win/Clock.h"
#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

namespace {

// 2024-02-29 13:45:30.250, a leap day and a Thursday.
SYSTEMTIME LeapDayAfternoon() {
    SYSTEMTIME st;
    st.wYear = 2024;
    st.wMonth = 2;
    st.wDay = 29;
    st.wHour = 13;
    st.wMinute = 45;
    st.wSecond = 30;
    st.wMilliseconds = 250;
    return st;
}

} // namespace

TEST(Clock, SystemTimeConvertsToTheOleDateAndBack) {
    TDateTime dt = SystemTimeToDateTime(LeapDayAfternoon());
    EXPECT_DOUBLE_EQ(dt, 45351.0 + (13 * 3600 + 45 * 60 + 30.25) / 86400.0);
    SYSTEMTIME back;
    DateTimeToSystemTime(dt, back);
    EXPECT_EQ(back.wYear, 2024);
    EXPECT_EQ(back.wMonth, 2);
    EXPECT_EQ(back.wDay, 29);
    EXPECT_EQ(back.wDayOfWeek, 4);
    EXPECT_EQ(back.wHour, 13);
    EXPECT_EQ(back.wMinute, 45);
    EXPECT_EQ(back.wSecond, 30);
    EXPECT_EQ(back.wMilliseconds, 250);
}

TEST(Clock, DayZeroIsTheLastSaturdayOf1899) {
    SYSTEMTIME st;
    DateTimeToSystemTime(0.0, st);
    EXPECT_EQ(st.wYear, 1899);
    EXPECT_EQ(st.wMonth, 12);
    EXPECT_EQ(st.wDay, 30);
    EXPECT_EQ(st.wDayOfWeek, 6);
    // Before day 0 the fraction still counts from midnight.
    DateTimeToSystemTime(-1.25, st);
    EXPECT_EQ(st.wDay, 29);
    EXPECT_EQ(st.wHour, 6);
}

TEST(Clock, MillisecondsRoundToTheNearestAndCarryIntoTheNextDay) {
    SYSTEMTIME st;
    DateTimeToSystemTime(45351.0 - 0.1 / 86400000.0, st); // a hair before midnight
    EXPECT_EQ(st.wDay, 29);
    EXPECT_EQ(st.wHour, 0);
    EXPECT_EQ(st.wMilliseconds, 0);
}

TEST(Clock, ManualClockMovesOnlyWhenAdvanced) {
    TDateTime start = SystemTimeToDateTime(LeapDayAfternoon());
    platform::ManualClockScope clock(start);
    EXPECT_TRUE(platform::IsManualClock());
    ULONGLONG tick = GetTickCount64();
    EXPECT_DOUBLE_EQ(Now(), start);
    EXPECT_EQ(GetTickCount64(), tick);

    platform::AdvanceClock(1500);
    EXPECT_EQ(GetTickCount64(), tick + 1500);
    EXPECT_EQ(GetTickCount(), static_cast<DWORD>(tick + 1500));
    SYSTEMTIME st;
    GetLocalTime(&st);
    EXPECT_EQ(st.wSecond, 31);
    EXPECT_EQ(st.wMilliseconds, 750);
}

TEST(Clock, SleepUnderTheManualClockMovesItInsteadOfWaiting) {
    platform::ManualClockScope clock(45351.5);
    ULONGLONG tick = GetTickCount64();
    Sleep(60000);
    EXPECT_EQ(GetTickCount64(), tick + 60000);
    EXPECT_DOUBLE_EQ(Now(), 45351.5 + 60000.0 / 86400000.0);
}

TEST(Clock, ManualLocalTimeCanJumpWithoutMovingTheTickCount) {
    platform::ManualClockScope clock(45351.5);
    ULONGLONG tick = GetTickCount64();
    platform::SetManualLocalTime(40000.25);
    EXPECT_DOUBLE_EQ(Now(), 40000.25);
    EXPECT_EQ(GetTickCount64(), tick);
}

TEST(Clock, TickCountNeverRunsBackwardsAcrossClockSwitches) {
    ULONGLONG before = GetTickCount64();
    platform::UseManualClock(45351.0);
    EXPECT_GE(GetTickCount64(), before);
    platform::AdvanceClock(10u * 24 * 3600 * 1000); // far ahead of the real clock
    ULONGLONG manualEnd = GetTickCount64();
    platform::UseRealClock();
    EXPECT_FALSE(platform::IsManualClock());
    EXPECT_GE(GetTickCount64(), manualEnd);
}

TEST(Clock, MovingTheRealClockIsRefused) {
    platform::UseRealClock();
    EXPECT_THROW(platform::AdvanceClock(1), Exception);
    EXPECT_THROW(platform::SetManualLocalTime(1.0), Exception);
}

TEST(Clock, RealNowIsTodaysLocalDate) {
    time_t t = time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    SYSTEMTIME st;
    GetLocalTime(&st);
    // Around midnight the two readings may straddle the date change.
    bool sameDay = st.wYear == local.tm_year + 1900 && st.wMonth == local.tm_mon + 1 &&
                   st.wDay == local.tm_mday;
    bool nextDay = st.wHour == 0 && st.wMinute == 0;
    EXPECT_TRUE(sameDay || nextDay);
}
