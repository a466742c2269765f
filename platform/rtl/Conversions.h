// Numbers and Booleans to text and back, as the class library converts them:
// integers are read with an optional sign and "$" or "0x" for hexadecimal,
// leading blanks allowed and nothing after the digits; a text that is no valid
// value raises EConvertError with the class library's message.
#pragma once

#include "platform/rtl/FloatText.h"

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace rtl_detail {
std::string UnsignedToHex(uint64_t value, int digits);
template <class T>
concept Integer = std::integral<T> && !std::same_as<T, bool>;
} // namespace rtl_detail

// The integer in decimal.
template <rtl_detail::Integer T> std::string IntToStr(T value) {
    return std::to_string(value);
}

// The integer in upper-case hexadecimal with at least `digits` digits; a
// negative value shows the bits of its own width (IntToHex(-1, 1) of an int is
// "FFFFFFFF").
template <rtl_detail::Integer T> std::string IntToHex(T value, int digits) {
    using U = std::make_unsigned_t<T>;
    return rtl_detail::UnsignedToHex(static_cast<U>(value), digits);
}

// Reads a 32-bit integer; raises EConvertError "'%s' is not a valid integer value".
int StrToInt(std::string_view s);
// Reads a 64-bit integer; raises EConvertError as StrToInt.
int64_t StrToInt64(std::string_view s);
// Reads a 32-bit integer, or gives `defaultValue` when the text is no integer.
int StrToIntDef(std::string_view s, int defaultValue);
// Reads a 64-bit integer, or gives `defaultValue` when the text is no integer.
int64_t StrToInt64Def(std::string_view s, int64_t defaultValue);
// True and the value when the text is a 32-bit integer; value is left alone otherwise.
bool TryStrToInt(std::string_view s, int& value);
// True and the value when the text is a 64-bit integer; value is left alone otherwise.
bool TryStrToInt64(std::string_view s, int64_t& value);

// Reads a decimal number ("-1.5", "2E3", blanks around allowed); raises
// EConvertError "'%s' is not a valid floating point value".
double StrToFloat(std::string_view s);
// True and the value when the text is a decimal number.
bool TryStrToFloat(std::string_view s, double& value);
// The number, or `defaultValue` when the text is none.
double StrToFloatDef(std::string_view s, double defaultValue);

// A number (non-zero is true) or "True"/"False" in any letter case; raises
// EConvertError "'%s' is not a valid boolean value".
bool StrToBool(std::string_view s);
// True and the value when the text is a Boolean as StrToBool reads it.
bool TryStrToBool(std::string_view s, bool& value);
// "-1" and "0", or "True" and "False" when useBoolStrs is set.
std::string BoolToStr(bool value, bool useBoolStrs = false);
