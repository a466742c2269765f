// Dates and times: the Gregorian calendar over day numbers, and the split of
// an OLE date into its day and its milliseconds.
#include "platform/rtl/DateTime.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/RtlConsts.h"

#include <cmath>

namespace {

// Day numbers of the first and the day after the last date EncodeDate takes.
const int64_t firstDay = DateToDayNumber(1, 1, 1);
const int64_t endDay = DateToDayNumber(10000, 1, 1);

} // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days counted in 400-year eras that start on March 1st, so that the leap day
// is the last day of its year (the civil-from-days method).
int64_t DateToDayNumber(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    // 693899: days from 0000-03-01 to 1899-12-30.
    return era * 146097 + dayOfEra - 693899;
}

void DayNumberToDate(int64_t dayNumber, int64_t& year, int& month, int& day) {
    const int64_t z = dayNumber + 693899;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = yearOfEra + era * 400 + (month <= 2);
}

void SplitDateTime(TDateTime dateTime, int64_t& day, int64_t& msOfDay) {
    if (!std::isfinite(dateTime) || std::fabs(dateTime) > 1e15) { // no day at all: day 0
        day = msOfDay = 0;
        return;
    }
    double whole = std::trunc(dateTime);
    day = static_cast<int64_t>(whole);
    msOfDay = std::llround(std::fabs(dateTime - whole) * static_cast<double>(MSecsPerDay));
    if (msOfDay >= MSecsPerDay) {
        // Rounded up to midnight: the next day in time, whichever side of day 0.
        msOfDay -= MSecsPerDay;
        ++day;
    }
}

TDateTime JoinDateTime(int64_t day, int64_t msOfDay) {
    double fraction = static_cast<double>(msOfDay) / static_cast<double>(MSecsPerDay);
    return day < 0 ? static_cast<double>(day) - fraction : static_cast<double>(day) + fraction;
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
    if (year < 1 || year > 9999 || day < 1 || day > DaysInAMonth(year, month))
        return false;
    date = static_cast<double>(DateToDayNumber(year, month, day));
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date))
        throw EConvertError(RtlConsts::SDateEncodeError);
    return date;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time) {
    if (hour < 0 || hour >= HoursPerDay || min < 0 || min >= MinsPerHour || sec < 0 ||
        sec >= SecsPerMin || msec < 0 || msec >= MSecsPerSec)
        return false;
    int64_t ms = ((hour * 60LL + min) * 60 + sec) * 1000 + msec;
    time = static_cast<double>(ms) / static_cast<double>(MSecsPerDay);
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime time = 0;
    if (!TryEncodeTime(hour, min, sec, msec, time))
        throw EConvertError(RtlConsts::STimeEncodeError);
    return time;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec) {
    TDateTime date = EncodeDate(year, month, day);
    EncodeTime(hour, min, sec, msec); // validates
    return JoinDateTime(static_cast<int64_t>(date), ((hour * 60LL + min) * 60 + sec) * 1000 + msec);
}

void DecodeDateTime(TDateTime dateTime, int& year, int& month, int& day, int& hour, int& min,
                    int& sec, int& msec) {
    year = month = day = hour = min = sec = msec = 0;
    if (!std::isfinite(dateTime) || dateTime < static_cast<double>(firstDay) - 1 ||
        dateTime > static_cast<double>(endDay) + 1)
        return;
    int64_t dayNumber = 0, ms = 0;
    SplitDateTime(dateTime, dayNumber, ms);
    hour = static_cast<int>(ms / 3600000);
    min = static_cast<int>(ms / 60000 % 60);
    sec = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
    if (dayNumber < firstDay || dayNumber >= endDay)
        return;
    int64_t y = 0;
    DayNumberToDate(dayNumber, y, month, day);
    year = static_cast<int>(y);
}

void DecodeDate(TDateTime dateTime, int& year, int& month, int& day) {
    int hour, min, sec, msec;
    DecodeDateTime(dateTime, year, month, day, hour, min, sec, msec);
}

void DecodeTime(TDateTime dateTime, int& hour, int& min, int& sec, int& msec) {
    int year, month, day;
    DecodeDateTime(dateTime, year, month, day, hour, min, sec, msec);
}

int DayOfWeek(TDateTime dateTime) {
    int64_t day = 0, ms = 0;
    SplitDateTime(dateTime, day, ms);
    // Day 0, 1899-12-30, was a Saturday (7).
    return static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
}
