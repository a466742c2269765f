// Number and Boolean conversions of the class library.
#include "platform/rtl/Conversions.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/RtlConsts.h"
#include "platform/text/Text.h"

#include <charconv>
#include <cstdio>
#include <limits>

namespace rtl_detail {

std::string UnsignedToHex(uint64_t value, int digits) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(value));
    std::string out = buffer;
    if (digits > static_cast<int>(out.size()))
        out.insert(0, std::min(digits, 64) - out.size(), '0');
    return out;
}

} // namespace rtl_detail

namespace {

// Reads an integer as the class library's Val does. Decimal values must fit
// [min, max]; hexadecimal ones may use all the bits of the type (so "$FFFFFFFF"
// is -1 for 32 bits).
bool ParseInteger(std::string_view s, int64_t min, int64_t max, uint64_t hexMax, int64_t& out) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        negative = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size())
        return false;
    uint64_t magnitude = 0;
    auto [end, error] = std::from_chars(s.data() + i, s.data() + s.size(), magnitude, base);
    if (error != std::errc() || end != s.data() + s.size())
        return false;
    if (base == 16) {
        if (magnitude > hexMax)
            return false;
        // Reinterpret the bits in the type's width, then apply the sign.
        int64_t value = hexMax == std::numeric_limits<uint32_t>::max()
                            ? static_cast<int32_t>(static_cast<uint32_t>(magnitude))
                            : static_cast<int64_t>(magnitude);
        out = negative ? static_cast<int64_t>(0 - static_cast<uint64_t>(value)) : value;
        return true;
    }
    if (negative) {
        uint64_t limit = static_cast<uint64_t>(-(min + 1)) + 1; // |min| without overflow
        if (magnitude > limit)
            return false;
        out = static_cast<int64_t>(0 - magnitude);
        return true;
    }
    if (magnitude > static_cast<uint64_t>(max))
        return false;
    out = static_cast<int64_t>(magnitude);
    return true;
}

bool ParseInt32(std::string_view s, int& value) {
    int64_t v;
    if (!ParseInteger(s, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                      std::numeric_limits<uint32_t>::max(), v))
        return false;
    value = static_cast<int>(v);
    return true;
}

bool ParseInt64(std::string_view s, int64_t& value) {
    return ParseInteger(s, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max(),
                        std::numeric_limits<uint64_t>::max(), value);
}

[[noreturn]] void InvalidInteger(std::string_view s) {
    throw EConvertError(RtlConsts::SInvalidInteger, {s});
}

bool IsBlank(char c) {
    return c > 0 && c <= ' ';
}

} // namespace

int StrToInt(std::string_view s) {
    int value = 0;
    if (!ParseInt32(s, value))
        InvalidInteger(s);
    return value;
}

int64_t StrToInt64(std::string_view s) {
    int64_t value = 0;
    if (!ParseInt64(s, value))
        InvalidInteger(s);
    return value;
}

int StrToIntDef(std::string_view s, int defaultValue) {
    int value = defaultValue;
    return ParseInt32(s, value) ? value : defaultValue;
}

int64_t StrToInt64Def(std::string_view s, int64_t defaultValue) {
    int64_t value = defaultValue;
    return ParseInt64(s, value) ? value : defaultValue;
}

bool TryStrToInt(std::string_view s, int& value) {
    return ParseInt32(s, value);
}

bool TryStrToInt64(std::string_view s, int64_t& value) {
    return ParseInt64(s, value);
}

bool TryStrToFloat(std::string_view s, double& value) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    // Only plain decimal notation: from_chars alone would also take "inf",
    // "nan" and hexadecimal floats, which the class library does not.
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t mantissaDigits = 0;
    for (; i < s.size() && ((s[i] >= '0' && s[i] <= '9') || s[i] == '.'); ++i)
        mantissaDigits += s[i] != '.';
    if (mantissaDigits == 0)
        return false;
    std::string_view number = s;
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    double parsed = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed,
                                        std::chars_format::general);
    if (error != std::errc() || end != number.data() + number.size())
        return false;
    value = parsed;
    return true;
}

double StrToFloat(std::string_view s) {
    double value = 0;
    if (!TryStrToFloat(s, value))
        throw EConvertError(RtlConsts::SInvalidFloat, {s});
    return value;
}

double StrToFloatDef(std::string_view s, double defaultValue) {
    double value = defaultValue;
    return TryStrToFloat(s, value) ? value : defaultValue;
}

bool TryStrToBool(std::string_view s, bool& value) {
    double number = 0;
    if (TryStrToFloat(s, number)) {
        value = number != 0;
        return true;
    }
    if (text::SameText(s, "True")) {
        value = true;
        return true;
    }
    if (text::SameText(s, "False")) {
        value = false;
        return true;
    }
    return false;
}

bool StrToBool(std::string_view s) {
    bool value = false;
    if (!TryStrToBool(s, value))
        throw EConvertError(RtlConsts::SInvalidBoolean, {s});
    return value;
}

std::string BoolToStr(bool value, bool useBoolStrs) {
    if (useBoolStrs)
        return value ? "True" : "False";
    return value ? "-1" : "0";
}
