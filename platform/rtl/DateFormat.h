// Dates and times as text, with the class library's format letters (letter
// case does not matter):
//   c       ShortDateFormat, then " " and LongTimeFormat unless the time is midnight
//   d dd    day (dd with a leading zero); ddd dddd short and long day name;
//           ddddd ShortDateFormat; dddddd LongDateFormat
//   m mm    month; mmm mmmm short and long month name; right after an hour
//           (h or hh, blanks and separators between allowed) m and mm are minutes
//   yy yyyy year in two or four digits
//   h hh    hour (12-hour when the format holds am/pm, a/p or ampm after it)
//   n nn    minute;  s ss  second;  z zzz  millisecond
//   t tt    ShortTimeFormat, LongTimeFormat
//   am/pm a/p  "am"/"pm" or "a"/"p" in the letter case written;
//   ampm    TimeAMString or TimePMString
//   / :     DateSeparator, TimeSeparator
//   "..." '...'  literal text; any other character stands for itself.
#pragma once

#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"

#include <string>
#include <string_view>

// The date and time in the given format; an empty format means "c".
std::string FormatDateTime(std::string_view format, TDateTime dateTime,
                           const TFormatSettings& settings = FormatSettings);
// The standard date and time text, "c": "12/6/2026 1:40:00 PM", the date alone at midnight.
std::string DateTimeToStr(TDateTime dateTime, const TFormatSettings& settings = FormatSettings);
// The date in ShortDateFormat: "12/6/2026".
std::string DateToStr(TDateTime dateTime, const TFormatSettings& settings = FormatSettings);
// The time in LongTimeFormat: "1:40:00 PM".
std::string TimeToStr(TDateTime dateTime, const TFormatSettings& settings = FormatSettings);
