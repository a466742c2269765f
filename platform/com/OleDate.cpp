// OLE dates as text, for variant conversions. An OLE date counts days from
// 1899-12-30; the fraction is the time of day, taken as a positive amount even
// for dates before 1899-12-30 (-1.25 is 1899-12-29 06:00).
//
// The text form is ISO-like ("2024-03-01 14:05:00") rather than a locale's,
// because this machine has no user locale and the form must read back.
#include "platform/com/Variant.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr int64_t UnixDaysOfOleZero = -25569; // 1899-12-30 relative to 1970-01-01

// Days since 1970-01-01 of a civil date (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

bool IsLeap(int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

unsigned DaysInMonth(int64_t y, unsigned m) {
    static const unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// A small cursor over the text being read.
struct Reader {
    std::string_view s;
    size_t pos = 0;
    bool AtEnd() const { return pos >= s.size(); }
    bool Take(char c) {
        if (pos < s.size() && s[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
    // Reads 1 to maxDigits decimal digits.
    bool Number(int maxDigits, int64_t& out) {
        size_t start = pos;
        out = 0;
        while (pos < s.size() && pos - start < size_t(maxDigits) && s[pos] >= '0' && s[pos] <= '9')
            out = out * 10 + (s[pos++] - '0');
        return pos > start;
    }
    void SkipBlanks() {
        while (pos < s.size() && s[pos] == ' ')
            ++pos;
    }
};

// Reads "hh:nn[:ss][ AM|PM]" into seconds of the day.
bool ReadTime(Reader& r, int64_t& seconds) {
    int64_t h = 0, n = 0, sec = 0;
    if (!r.Number(2, h) || !r.Take(':') || !r.Number(2, n))
        return false;
    if (r.Take(':') && !r.Number(2, sec))
        return false;
    r.SkipBlanks();
    std::string_view rest = r.s.substr(r.pos);
    if (rest.size() >= 2 && (rest[1] == 'M' || rest[1] == 'm') &&
        (rest[0] == 'A' || rest[0] == 'a' || rest[0] == 'P' || rest[0] == 'p')) {
        if (h < 1 || h > 12)
            return false;
        bool pm = rest[0] == 'P' || rest[0] == 'p';
        h = h % 12 + (pm ? 12 : 0);
        r.pos += 2;
    }
    if (h > 23 || n > 59 || sec > 59)
        return false;
    seconds = h * 3600 + n * 60 + sec;
    return true;
}

// Reads "yyyy-mm-dd" or "m/d/yyyy".
bool ReadDate(Reader& r, int64_t& y, int64_t& m, int64_t& d) {
    size_t start = r.pos;
    int64_t first = 0;
    if (!r.Number(4, first))
        return false;
    if (r.Take('-')) {
        y = first;
        return r.pos - start == 5 && r.Number(2, m) && r.Take('-') && r.Number(2, d);
    }
    if (r.Take('/')) {
        m = first;
        return r.pos - start <= 3 && r.Number(2, d) && r.Take('/') && r.Number(4, y);
    }
    return false;
}

} // namespace

std::string FormatOleDate(double oleDate) {
    if (!std::isfinite(oleDate))
        return "";
    double whole = std::trunc(oleDate);
    int64_t days = static_cast<int64_t>(whole);
    int64_t seconds = std::llround(std::fabs(oleDate - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++days;
    }
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", int(seconds / 3600), int(seconds / 60 % 60),
                  int(seconds % 60));
    if (days == 0)
        return time;
    int64_t y;
    unsigned m, d;
    CivilFromDays(days + UnixDaysOfOleZero, y, m, d);
    char date[32];
    std::snprintf(date, sizeof date, "%04lld-%02u-%02u", static_cast<long long>(y), m, d);
    return seconds == 0 ? std::string(date) : std::string(date) + " " + time;
}

bool ParseOleDate(std::string_view text, double& oleDate) {
    Reader r{text};
    r.SkipBlanks();
    int64_t y = 1899, m = 12, d = 30, seconds = 0;
    size_t mark = r.pos;
    bool haveDate = ReadDate(r, y, m, d);
    if (haveDate) {
        if (r.Take('T') || r.Take(' ')) {
            r.SkipBlanks();
            if (!r.AtEnd() && !ReadTime(r, seconds))
                return false;
        }
    } else {
        r.pos = mark;
        if (!ReadTime(r, seconds))
            return false;
    }
    r.SkipBlanks();
    if (!r.AtEnd())
        return false;
    if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, unsigned(m)))
        return false;
    int64_t days = DaysFromCivil(y, unsigned(m), unsigned(d)) - UnixDaysOfOleZero;
    double fraction = static_cast<double>(seconds) / 86400.0;
    oleDate =
        days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
    return true;
}
