// FormatDateTime: a scanner over the format letters that appends each field.
#include "platform/rtl/DateFormat.h"

#include "platform/text/Text.h"

#include <cstdio>

namespace {

bool StartsWithText(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (text::AsciiUpper(s[i]) != prefix[i])
            return false;
    return true;
}

class DateFormatter {
public:
    DateFormatter(TDateTime dateTime, const TFormatSettings& settings) : settings_(settings) {
        DecodeDateTime(dateTime, year_, month_, day_, hour_, min_, sec_, msec_);
        dayOfWeek_ = DayOfWeek(dateTime);
    }

    std::string Run(std::string_view format) {
        Append(format.empty() ? std::string_view("C") : format, 0);
        return std::move(out_);
    }

private:
    void Number(int value, int digits) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%0*d", digits, value);
        out_ += buffer;
    }

    // The next letters as the same character (exact, as the class library counts them).
    static int RunLength(std::string_view f, size_t pos) {
        size_t end = pos + 1;
        while (end < f.size() && f[end] == f[pos])
            ++end;
        return static_cast<int>(end - pos);
    }

    // True when an am/pm marker follows before the next hour in the format.
    static bool TwelveHourClock(std::string_view rest) {
        bool quoted = false;
        char quote = 0;
        for (size_t i = 0; i < rest.size(); ++i) {
            char c = rest[i];
            if (quoted) {
                quoted = c != quote;
                continue;
            }
            if (c == '"' || c == '\'') {
                quoted = true;
                quote = c;
            } else if (c == 'h' || c == 'H') {
                return false;
            } else if (c == 'a' || c == 'A') {
                std::string_view s = rest.substr(i);
                return StartsWithText(s, "AM/PM") || StartsWithText(s, "A/P") ||
                       StartsWithText(s, "AMPM");
            }
        }
        return false;
    }

    // Appends the format; nested standard formats (c, ddddd, t) go at most two deep.
    void Append(std::string_view f, int level) {
        char lastToken = 0;
        size_t pos = 0;
        while (pos < f.size()) {
            char c = f[pos];
            char token = text::AsciiUpper(c);
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H')
                    token = 'N';
                lastToken = token;
            }
            int count = RunLength(f, pos);
            switch (token) {
            case 'Y':
                pos += count;
                if (count <= 2)
                    Number(year_ % 100, 2);
                else
                    Number(year_, 4);
                break;
            case 'M':
                pos += count;
                if (count <= 2)
                    Number(month_, count);
                else if (month_ >= 1)
                    out_ += count == 3 ? settings_.ShortMonthNames[month_ - 1]
                                       : settings_.LongMonthNames[month_ - 1];
                break;
            case 'D':
                pos += count;
                if (count <= 2)
                    Number(day_, count);
                else if (count == 3)
                    out_ += settings_.ShortDayNames[dayOfWeek_ - 1];
                else if (count == 4)
                    out_ += settings_.LongDayNames[dayOfWeek_ - 1];
                else if (level < 2)
                    Append(count == 5 ? settings_.ShortDateFormat : settings_.LongDateFormat,
                           level + 1);
                break;
            case 'H': {
                pos += count;
                int hour = hour_;
                if (TwelveHourClock(f.substr(pos)))
                    hour = hour == 0 ? 12 : hour > 12 ? hour - 12 : hour;
                Number(hour, count > 2 ? 2 : count);
                break;
            }
            case 'N':
                pos += count;
                Number(min_, count > 2 ? 2 : count);
                break;
            case 'S':
                pos += count;
                Number(sec_, count > 2 ? 2 : count);
                break;
            case 'Z':
                pos += count;
                Number(msec_, count > 1 ? 3 : 1);
                break;
            case 'T':
                pos += count;
                if (level < 2)
                    Append(count == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat,
                           level + 1);
                break;
            case 'C':
                pos += count;
                if (level < 2) {
                    Append(settings_.ShortDateFormat, level + 1);
                    if (hour_ || min_ || sec_ || msec_) {
                        out_ += ' ';
                        Append(settings_.LongTimeFormat, level + 1);
                    }
                }
                break;
            case 'A':
                pos += AmPm(f.substr(pos));
                break;
            case '/':
                ++pos;
                out_ += settings_.DateSeparator;
                break;
            case ':':
                ++pos;
                out_ += settings_.TimeSeparator;
                break;
            case '"':
            case '\'': {
                size_t end = f.find(c, pos + 1);
                if (end == std::string_view::npos)
                    end = f.size();
                out_.append(f.substr(pos + 1, end - pos - 1));
                pos = end + 1;
                break;
            }
            default:
                out_ += c;
                ++pos;
                break;
            }
        }
    }

    // An am/pm marker at the front of `s`; returns how many characters it took.
    size_t AmPm(std::string_view s) {
        bool pm = hour_ >= 12;
        if (StartsWithText(s, "AM/PM")) {
            out_.append(s.substr(pm ? 3 : 0, 2)); // as written: "am" or "PM"
            return 5;
        }
        if (StartsWithText(s, "A/P")) {
            out_ += s[pm ? 2 : 0];
            return 3;
        }
        if (StartsWithText(s, "AMPM")) {
            out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
            return 4;
        }
        out_ += s[0];
        return 1;
    }

    const TFormatSettings& settings_;
    int year_ = 0, month_ = 0, day_ = 0, hour_ = 0, min_ = 0, sec_ = 0, msec_ = 0;
    int dayOfWeek_ = 1;
    std::string out_;
};

} // namespace

std::string FormatDateTime(std::string_view format, TDateTime dateTime,
                           const TFormatSettings& settings) {
    return DateFormatter(dateTime, settings).Run(format);
}

std::string DateTimeToStr(TDateTime dateTime, const TFormatSettings& settings) {
    return FormatDateTime("c", dateTime, settings);
}

std::string DateToStr(TDateTime dateTime, const TFormatSettings& settings) {
    return FormatDateTime(settings.ShortDateFormat, dateTime, settings);
}

std::string TimeToStr(TDateTime dateTime, const TFormatSettings& settings) {
    return FormatDateTime(settings.LongTimeFormat, dateTime, settings);
}
