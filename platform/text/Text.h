// Text conversions of the simulated machine.
//
// The 8-bit system code page is UTF-8 here. Files written on Windows arrive in
// Windows-1252, so decoding 8-bit text takes every byte that is not part of a
// valid UTF-8 sequence as a Windows-1252 character instead of failing.
// std::string holds 8-bit text, std::u16string holds UTF-16 for COM and XML.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// The value of a hexadecimal digit in either case; -1 for any other character.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
// The upper-case hexadecimal digit of the value's low four bits.
constexpr char HexDigit(unsigned value) {
    return "0123456789ABCDEF"[value & 0x0F];
}

// The upper case of an ASCII letter; every other byte, including each byte of
// a multi-byte character, stays as it is (names the code compares in ASCII).
constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
// The lower case of an ASCII letter; every other byte stays as it is.
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
// Copies of s with its ASCII letters upper- or lower-cased, other bytes kept.
std::string AsciiUpperCase(std::string_view s);
std::string AsciiLowerCase(std::string_view s);

// UTF-16 text as little-endian bytes, two per code unit, without a terminator.
std::vector<uint8_t> Utf16LeBytes(std::u16string_view s);

// The Unicode character that Windows-1252 gives byte b.
char32_t Cp1252ToUnicode(unsigned char b);
// The Windows-1252 byte for c, or '?' when the code page has none.
unsigned char UnicodeToCp1252(char32_t c);

// True when s is well-formed UTF-8 (no overlongs, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view s);

// Decodes one character of 8-bit text at s[pos], advancing pos: a valid UTF-8
// sequence gives its character, any other byte its Windows-1252 character.
char32_t DecodeAnsiChar(std::string_view s, size_t& pos);

// 8-bit text (UTF-8, invalid bytes as Windows-1252) to UTF-16.
std::u16string Utf8ToUtf16(std::string_view s);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view s);
// 8-bit text to UTF-32 and back, with the same rules.
std::u32string Utf8ToUtf32(std::string_view s);
std::string Utf32ToUtf8(std::u32string_view s);

// Windows-1252 bytes to UTF-16, and back ('?' for characters it lacks).
std::u16string Cp1252ToUtf16(std::string_view s);
std::string Utf16ToCp1252(std::u16string_view s);
// ISO-8859-1 bytes to UTF-16 (each byte is its own code point).
std::u16string Latin1ToUtf16(std::string_view s);

// Appends c as UTF-8 / UTF-16 (c above U+10FFFF or a surrogate becomes U+FFFD).
void AppendUtf8(std::string& out, char32_t c);
void AppendUtf16(std::u16string& out, char32_t c);

// Reads one code point of UTF-16 at s[pos], advancing pos; unpaired surrogates give U+FFFD.
char32_t DecodeUtf16Char(std::u16string_view s, size_t& pos);

// Simple case mapping for Latin, Greek and Cyrillic letters (what names,
// registry keys and ids need); other characters are left as they are.
char32_t ToUpper(char32_t c);
char32_t ToLower(char32_t c);

// Upper- and lower-case copies of 8-bit and UTF-16 text.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
std::u16string UpperCase(std::u16string_view s);
std::u16string LowerCase(std::u16string_view s);

// Case-insensitive comparison: <0, 0 or >0, as strcmp.
int CompareText(std::string_view a, std::string_view b);
int CompareText(std::u16string_view a, std::u16string_view b);
// Case-insensitive equality.
bool SameText(std::string_view a, std::string_view b);
bool SameText(std::u16string_view a, std::u16string_view b);

// Short names used throughout: 8-bit text in the system code page, and UTF-16 text.
inline std::u16string Wide(std::string_view s) {
    return Utf8ToUtf16(s);
}
inline std::string Narrow(std::u16string_view s) {
    return Utf16ToUtf8(s);
}

} // namespace text
