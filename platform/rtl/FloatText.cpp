// Floating-point numbers as text: decimal digits, rounding and the five formats.
#include "platform/rtl/FloatText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// A finite value as 0.d1d2d3... x 10^Exponent; no trailing zeros in Digits,
// and an empty Digits for zero.
struct DecimalFloat {
    bool Negative = false;
    int Exponent = 0;
    std::string Digits;
};

DecimalFloat ToDecimal(double value) {
    DecimalFloat d;
    d.Negative = std::signbit(value);
    if (value == 0)
        return d;
    char buffer[40];
    // 17 significant digits: "d.dddddddddddddddde+XX".
    std::snprintf(buffer, sizeof buffer, "%.16e", std::fabs(value));
    std::string_view text(buffer);
    size_t e = text.find('e');
    d.Digits.push_back(text[0]);
    d.Digits.append(text.substr(2, e - 2));
    d.Exponent = std::atoi(buffer + e + 1) + 1;
    while (!d.Digits.empty() && d.Digits.back() == '0')
        d.Digits.pop_back();
    return d;
}

// Keeps `keep` significant digits, rounding half away from zero.
void RoundTo(DecimalFloat& d, int keep) {
    if (keep < 0) {
        d.Digits.clear();
    } else if (keep < static_cast<int>(d.Digits.size())) {
        bool up = d.Digits[keep] >= '5';
        d.Digits.resize(keep);
        int i = keep - 1;
        for (; up && i >= 0; --i) {
            if (d.Digits[i] == '9') {
                d.Digits[i] = '0';
            } else {
                ++d.Digits[i];
                up = false;
            }
        }
        if (up) { // carried out of the first digit: 99.6 -> 100
            d.Digits.insert(d.Digits.begin(), '1');
            ++d.Exponent;
        }
        while (!d.Digits.empty() && d.Digits.back() == '0')
            d.Digits.pop_back();
    }
    if (d.Digits.empty())
        d.Exponent = 0;
}

// The digit at position i (0-based), '0' beyond the significant ones.
char DigitAt(const DecimalFloat& d, int i) {
    return i >= 0 && i < static_cast<int>(d.Digits.size()) ? d.Digits[i] : '0';
}

// "E", the sign ('+' only when asked for) and at least minDigits digits.
std::string ExponentText(int exponent, int minDigits, bool plusSign) {
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, minDigits - digits.size(), '0');
    return std::string("E") + (exponent < 0 ? "-" : plusSign ? "+" : "") + digits;
}

std::string Scientific(const DecimalFloat& d, int mantissaDigits, int minExpDigits, bool plus,
                       char decimalSeparator) {
    std::string out(1, DigitAt(d, 0));
    if (mantissaDigits > 1) {
        out.push_back(decimalSeparator);
        for (int i = 1; i < mantissaDigits; ++i)
            out.push_back(DigitAt(d, i));
    }
    int exponent = d.Digits.empty() ? 0 : d.Exponent - 1;
    return out + ExponentText(exponent, minExpDigits, plus);
}

std::string General(DecimalFloat d, int precision, int expDigits, char decimalSeparator) {
    RoundTo(d, precision);
    if (d.Digits.empty())
        return "0";
    int count = static_cast<int>(d.Digits.size());
    if (d.Exponent > precision || d.Exponent < -3)
        return Scientific(d, count, expDigits, false, decimalSeparator);
    std::string out;
    if (d.Exponent <= 0) {
        out = "0";
        out.push_back(decimalSeparator);
        out.append(-d.Exponent, '0');
        out += d.Digits;
    } else {
        for (int i = 0; i < d.Exponent; ++i)
            out.push_back(DigitAt(d, i));
        if (count > d.Exponent) {
            out.push_back(decimalSeparator);
            out.append(d.Digits, d.Exponent);
        }
    }
    return out;
}

// Fixed decimals, with the integer part grouped by thousands when a
// separator is given.
std::string Fixed(const DecimalFloat& d, int decimals, char thousands, char decimalSeparator) {
    std::string integer;
    for (int i = 0; i < d.Exponent; ++i)
        integer.push_back(DigitAt(d, i));
    if (integer.empty())
        integer = "0";
    if (thousands) {
        for (int pos = static_cast<int>(integer.size()) - 3; pos > 0; pos -= 3)
            integer.insert(integer.begin() + pos, thousands);
    }
    if (decimals > 0) {
        integer.push_back(decimalSeparator);
        for (int i = 0; i < decimals; ++i)
            integer.push_back(DigitAt(d, d.Exponent + i));
    }
    return integer;
}

std::string Currency(const std::string& amount, bool negative, const TFormatSettings& s) {
    const std::string& c = s.CurrencyString;
    if (!negative) {
        switch (s.CurrencyFormat) {
        case 1:
            return amount + c;
        case 2:
            return c + " " + amount;
        case 3:
            return amount + " " + c;
        default:
            return c + amount;
        }
    }
    // The sixteen negative forms of the class library.
    switch (s.NegCurrFormat) {
    case 1:
        return "-" + c + amount;
    case 2:
        return c + "-" + amount;
    case 3:
        return c + amount + "-";
    case 4:
        return "(" + amount + c + ")";
    case 5:
        return "-" + amount + c;
    case 6:
        return amount + "-" + c;
    case 7:
        return amount + c + "-";
    case 8:
        return "-" + amount + " " + c;
    case 9:
        return "-" + c + " " + amount;
    case 10:
        return amount + " " + c + "-";
    case 11:
        return c + " " + amount + "-";
    case 12:
        return c + " -" + amount;
    case 13:
        return amount + "- " + c;
    case 14:
        return "(" + c + " " + amount + ")";
    case 15:
        return "(" + amount + " " + c + ")";
    default:
        return "(" + c + amount + ")";
    }
}

} // namespace

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& settings) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    precision = std::clamp(precision, 1, 18);
    DecimalFloat d = ToDecimal(value);
    char point = settings.DecimalSeparator;
    std::string body;
    bool fixedFormat = format == ffFixed || format == ffNumber || format == ffCurrency;
    if (fixedFormat && d.Exponent > precision)
        format = ffGeneral, digits = 0; // too large for fixed digits: scientific
    switch (format) {
    case ffGeneral:
        body = General(d, precision, std::clamp(digits, 0, 4), point);
        break;
    case ffExponent:
        RoundTo(d, precision);
        body = Scientific(d, precision, std::clamp(digits, 0, 4), true, point);
        break;
    default: {
        int decimals = std::clamp(digits, 0, 18);
        RoundTo(d, std::min(precision, d.Exponent + decimals));
        char thousands = format == ffFixed ? '\0' : settings.ThousandSeparator;
        body = Fixed(d, decimals, thousands, point);
        break;
    }
    }
    bool negative = d.Negative && !d.Digits.empty(); // a value rounded to zero has no sign
    if (format == ffCurrency)
        return Currency(body, negative, settings);
    return negative ? "-" + body : body;
}

std::string FloatToStr(double value, const TFormatSettings& settings) {
    return FloatToStrF(value, ffGeneral, 15, 0, settings);
}
