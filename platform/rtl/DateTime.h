// The class library's date and time value, the OLE date: days since
// 1899-12-30 with the time of day as the fraction. Before that day the whole
// part counts back while the fraction still counts forward from midnight, so
// -1.25 is 1899-12-29 06:00. Dates are proleptic Gregorian; EncodeDate takes
// the years 1 to 9999 as the class library does. Decoding rounds to the
// millisecond, and a time that rounds up to midnight belongs to the next day.
#pragma once

#include <cstdint>

// A date and time: days since 1899-12-30, the time of day as the fraction.
using TDateTime = double;

// Units of a day.
inline constexpr int HoursPerDay = 24;
inline constexpr int MinsPerHour = 60;
inline constexpr int SecsPerMin = 60;
inline constexpr int MSecsPerSec = 1000;
inline constexpr int64_t MSecsPerDay = 86400000;

// True for the leap years of the Gregorian calendar.
bool IsLeapYear(int year);
// Number of days of the month (1 to 12) in the year.
int DaysInAMonth(int year, int month);

// The date at midnight; raises EConvertError "Invalid argument to date encode"
// unless 1 <= year <= 9999 and the month and day exist.
TDateTime EncodeDate(int year, int month, int day);
// True and the date when the arguments make a date EncodeDate takes.
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
// The time of day as a fraction; raises EConvertError "Invalid argument to
// time encode" unless hour < 24, min < 60, sec < 60 and msec < 1000.
TDateTime EncodeTime(int hour, int min, int sec, int msec);
// True and the time when the arguments make a time EncodeTime takes.
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
// A date and a time of day together (also right before 1899-12-30, where the
// fraction is subtracted); raises as EncodeDate and EncodeTime.
TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec);

// The year, month and day; all 0 for a value outside the years 1 to 9999.
void DecodeDate(TDateTime dateTime, int& year, int& month, int& day);
// The hour, minute, second and millisecond of the time of day.
void DecodeTime(TDateTime dateTime, int& hour, int& min, int& sec, int& msec);
// DecodeDate and DecodeTime together, consistent when the time rounds to midnight.
void DecodeDateTime(TDateTime dateTime, int& year, int& month, int& day, int& hour, int& min,
                    int& sec, int& msec);
// The day of the week: 1 for Sunday to 7 for Saturday.
int DayOfWeek(TDateTime dateTime);

// The day number (0 for 1899-12-30) and the milliseconds into that day, rounded
// to the millisecond.
void SplitDateTime(TDateTime dateTime, int64_t& day, int64_t& msOfDay);
// The date and time of a day number and the milliseconds (0 to a day) into it.
TDateTime JoinDateTime(int64_t day, int64_t msOfDay);
// The day number (0 for 1899-12-30) of a Gregorian date, for any year.
int64_t DateToDayNumber(int64_t year, int month, int day);
// The Gregorian date of a day number, for any day.
void DayNumberToDate(int64_t dayNumber, int64_t& year, int& month, int& day);
