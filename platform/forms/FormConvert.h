// Conversions of form values to the types of properties. Each checks the
// kind and the range of the value and raises the reader's positioned error
// ("Error reading Timer1.Interval: Invalid property value: integer expected
// but string found (form ..., line ...)") when they do not fit. The class
// builder (FormClassBuilder.h) picks the conversion from the setter's
// parameter type; a class's own defined properties call them directly.
#pragma once

#include "platform/forms/FormReader.h"
#include "platform/forms/FormValue.h"

#include <concepts>
#include <cstdint>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

namespace forms {

// True or False (letter case ignored).
bool ReadBool(const FormValue& value, FormReader& reader);
// An integer between min and max.
int64_t ReadInteger(const FormValue& value, FormReader& reader, int64_t min, int64_t max);
// A number (an integer is taken as well).
double ReadFloat(const FormValue& value, FormReader& reader);
// A string, as UTF-8.
std::string ReadString(const FormValue& value, FormReader& reader);
// A string, as UTF-16.
std::u16string ReadWideString(const FormValue& value, FormReader& reader);
// Binary data ({ ... }).
std::vector<uint8_t> ReadBinary(const FormValue& value, FormReader& reader);
// A list of strings (( 'a' 'b' )).
std::vector<std::string> ReadStrings(const FormValue& value, FormReader& reader);
// An enumeration value written by name: the index of the name in `names`
// (letter case ignored).
int ReadEnum(const FormValue& value, FormReader& reader, const std::vector<std::string>& names);
// A set ([a, b]) of the enumeration `names`: bit n for names[n]; elements may
// also be written as ordinals.
uint64_t ReadSet(const FormValue& value, FormReader& reader, const std::vector<std::string>& names);

// Raises the reader's error for a value of the wrong kind.
[[noreturn]] void WrongKind(const FormValue& value, FormReader& reader, const char* expected);

// The conversion for a property of type V.
template <class V> V ReadValue(const FormValue& value, FormReader& reader) {
    if constexpr (std::is_same_v<V, bool>) {
        return ReadBool(value, reader);
    } else if constexpr (std::is_integral_v<V>) {
        // Signed properties also take the bit pattern of their width ($FFFFFFFF for -1).
        using Limits = std::numeric_limits<V>;
        int64_t max =
            std::is_signed_v<V> && sizeof(V) < 8
                ? static_cast<int64_t>(std::numeric_limits<std::make_unsigned_t<V>>::max())
                : static_cast<int64_t>(std::min<uint64_t>(Limits::max(), INT64_MAX));
        return static_cast<V>(ReadInteger(value, reader, static_cast<int64_t>(Limits::min()), max));
    } else if constexpr (std::is_floating_point_v<V>) {
        return static_cast<V>(ReadFloat(value, reader));
    } else if constexpr (std::is_same_v<V, std::string>) {
        return ReadString(value, reader);
    } else if constexpr (std::is_same_v<V, std::u16string>) {
        return ReadWideString(value, reader);
    } else if constexpr (std::is_same_v<V, std::vector<uint8_t>>) {
        return ReadBinary(value, reader);
    } else if constexpr (std::is_same_v<V, std::vector<std::string>>) {
        return ReadStrings(value, reader);
    } else {
        static_assert(
            sizeof(V) == 0,
            "no form conversion for this type: use Enum, SetOf, Reference, Event or Define");
    }
}

} // namespace forms
