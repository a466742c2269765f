// Globally unique identifiers: the names of interfaces (IIDs) and classes
// (CLSIDs). Text form is the registry's: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}",
// written in upper case, read in either case.
#pragma once

#include "platform/text/Text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// A GUID with the standard field layout.
struct GUID {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    std::array<uint8_t, 8> Data4{};

    friend constexpr bool operator==(const GUID&, const GUID&) = default;
    // Field-wise order, so that GUIDs can key ordered containers.
    friend constexpr bool operator<(const GUID& a, const GUID& b) {
        if (a.Data1 != b.Data1)
            return a.Data1 < b.Data1;
        if (a.Data2 != b.Data2)
            return a.Data2 < b.Data2;
        if (a.Data3 != b.Data3)
            return a.Data3 < b.Data3;
        return a.Data4 < b.Data4;
    }

    // Reads "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (braces required, hex
    // digits in either case); nullopt for anything else.
    static std::optional<GUID> Parse(std::string_view text);
    static std::optional<GUID> Parse(std::u16string_view text);
    // A fresh random (version 4) GUID.
    static GUID Create();
    // The registry form, upper case with braces.
    std::string ToString() const;
    std::u16string ToWide() const;
    // True for the all-zero GUID.
    constexpr bool IsNull() const { return *this == GUID{}; }
};

using IID = GUID;
using CLSID = GUID;

namespace guid_detail {
// Reads `digits` hex digits at s[pos]; -1 on a bad digit.
constexpr int64_t HexField(std::string_view s, size_t pos, size_t digits) {
    int64_t value = 0;
    for (size_t i = 0; i < digits; ++i) {
        int d = text::HexDigitValue(s[pos + i]);
        if (d < 0)
            return -1;
        value = value * 16 + d;
    }
    return value;
}
// Parses the registry form; false when text is not one.
constexpr bool ParseGuid(std::string_view text, GUID& out) {
    if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' ||
        text[14] != '-' || text[19] != '-' || text[24] != '-')
        return false;
    int64_t d1 = HexField(text, 1, 8), d2 = HexField(text, 10, 4), d3 = HexField(text, 15, 4);
    if (d1 < 0 || d2 < 0 || d3 < 0)
        return false;
    GUID g;
    g.Data1 = static_cast<uint32_t>(d1);
    g.Data2 = static_cast<uint16_t>(d2);
    g.Data3 = static_cast<uint16_t>(d3);
    constexpr size_t offsets[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (size_t i = 0; i < 8; ++i) {
        int64_t b = HexField(text, offsets[i], 2);
        if (b < 0)
            return false;
        g.Data4[i] = static_cast<uint8_t>(b);
    }
    out = g;
    return true;
}
} // namespace guid_detail

// A GUID from its registry form at compile time (a malformed literal does not
// compile): constexpr GUID IID_IFoo = MakeGuid("{...}").
constexpr GUID MakeGuid(std::string_view text) {
    GUID g;
    if (!guid_detail::ParseGuid(text, g))
        throw std::invalid_argument("malformed GUID literal");
    return g;
}

// The all-zero GUID.
constexpr GUID GUID_NULL{};

// The class library's names for the text conversions; StringToGUID raises
// EOleSysError (CO_E_CLASSSTRING) for text that is not a GUID.
std::string GUIDToString(const GUID& g);
GUID StringToGUID(std::string_view text);
// Whether two GUIDs are equal (the COM helper's name).
constexpr bool IsEqualGUID(const GUID& a, const GUID& b) {
    return a == b;
}

template <> struct std::hash<GUID> {
    size_t operator()(const GUID& g) const noexcept {
        uint64_t a = (uint64_t(g.Data1) << 32) | (uint64_t(g.Data2) << 16) | g.Data3;
        uint64_t b = 0;
        for (uint8_t byte : g.Data4)
            b = (b << 8) | byte;
        return std::hash<uint64_t>{}(a ^ (b * 0x9E3779B97F4A7C15ull));
    }
};
