// Floating-point numbers as text, the class library's way: a value is first
// taken to 17 significant decimal digits (enough to tell every double apart),
// then rounded half away from zero to the digits a format asks for, so that
// 0.125 with two decimals reads "0.13" as the class library writes it.
#pragma once

#include "platform/rtl/FormatSettings.h"

#include <string>

// The class library's float formats.
enum TFloatFormat {
    ffGeneral,  // shortest of fixed and scientific, trailing zeros removed
    ffExponent, // scientific: d.ddd...E+ddd
    ffFixed,    // fixed decimals: -ddd.ddd
    ffNumber,   // fixed decimals with thousand separators: -d,ddd.ddd
    ffCurrency  // money: the currency symbol and thousand separators
};

// The value in the given format. Precision is the number of significant digits
// (1 to 18); Digits is the minimum exponent width for ffGeneral and ffExponent
// (0 to 4) and the number of decimals for the fixed formats (0 to 18).
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& settings = FormatSettings);

// The value with up to 15 significant digits, as short as possible ("0.1",
// "1E20", "1E-5").
std::string FloatToStr(double value, const TFormatSettings& settings = FormatSettings);
