// The locale of the class library's number and date texts. Everything here runs
// with the US English settings (the add-in's log lines read "12/6/2026 1:40:00
// PM"), so one fixed set serves every caller; routines take it as a parameter
// so that a test or a caller can ask for another.
#pragma once

#include <array>
#include <string>

// Separators, names and formats used by Format, FloatToStrF and FormatDateTime.
struct TFormatSettings {
    // Numbers.
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    // Money: CurrencyFormat 0 puts the symbol before the amount ("$1"),
    // NegCurrFormat 0 writes a negative amount in parentheses ("($1)").
    std::string CurrencyString = "$";
    int CurrencyFormat = 0;
    int NegCurrFormat = 0;
    int CurrencyDecimals = 2;
    // Dates and times.
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "M/d/yyyy";
    std::string LongDateFormat = "dddd, MMMM d, yyyy";
    std::string ShortTimeFormat = "h:mm AMPM";
    std::string LongTimeFormat = "h:mm:ss AMPM";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> LongMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    // Day names start with Sunday, as DayOfWeek counts.
    std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
};

// The settings everything here runs with (US English).
inline const TFormatSettings FormatSettings{};
