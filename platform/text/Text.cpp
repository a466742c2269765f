// Conversions between 8-bit text, UTF-16 and single-byte code pages.
#include "platform/text/Text.h"

#include <type_traits>

namespace text {
namespace {

// Windows-1252 0x80..0x9F; 0 marks the five bytes the code page leaves undefined,
// which Windows maps to the C1 control of the same value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char32_t kReplacement = 0xFFFD;

// Length of the valid UTF-8 sequence at s[pos], or 0 when it is not one.
size_t ValidSequenceLength(std::string_view s, size_t pos, char32_t& out) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        out = b0;
        return 1;
    }
    size_t len;
    char32_t c;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, c = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, c = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, c = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + len > s.size())
        return 0;
    for (size_t i = 1; i < len; ++i) {
        unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    out = c;
    return len;
}

} // namespace

char32_t Cp1252ToUnicode(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) {
        char16_t c = kCp1252High[b - 0x80];
        return c ? c : b;
    }
    return b;
}

unsigned char UnicodeToCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i) {
        char32_t mapped = kCp1252High[i] ? kCp1252High[i] : char32_t(0x80 + i);
        if (mapped == c)
            return static_cast<unsigned char>(0x80 + i);
    }
    return '?';
}

bool IsValidUtf8(std::string_view s) {
    char32_t c;
    for (size_t pos = 0; pos < s.size();) {
        size_t len = ValidSequenceLength(s, pos, c);
        if (len == 0)
            return false;
        pos += len;
    }
    return true;
}

char32_t DecodeAnsiChar(std::string_view s, size_t& pos) {
    unsigned char first = static_cast<unsigned char>(s[pos]);
    if (first < 0x80) { // ASCII, most of the text there is
        ++pos;
        return first;
    }
    char32_t c;
    size_t len = ValidSequenceLength(s, pos, c);
    if (len == 0) {
        c = Cp1252ToUnicode(static_cast<unsigned char>(s[pos]));
        len = 1;
    }
    pos += len;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = kReplacement;
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

char32_t DecodeUtf16Char(std::u16string_view s, size_t& pos) {
    char32_t c = s[pos++];
    if (c >= 0xD800 && c <= 0xDBFF) {
        if (pos < s.size() && s[pos] >= 0xDC00 && s[pos] <= 0xDFFF)
            return 0x10000 + ((c - 0xD800) << 10) + (s[pos++] - 0xDC00);
        return kReplacement;
    }
    if (c >= 0xDC00 && c <= 0xDFFF)
        return kReplacement;
    return c;
}

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t pos = 0; pos < s.size();) {
        unsigned char b = static_cast<unsigned char>(s[pos]);
        if (b < 0x80) { // fast path for ASCII
            out += static_cast<char16_t>(b);
            ++pos;
        } else {
            AppendUtf16(out, DecodeAnsiChar(s, pos));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t pos = 0; pos < s.size();) {
        if (s[pos] < 0x80)
            out += static_cast<char>(s[pos++]);
        else
            AppendUtf8(out, DecodeUtf16Char(s, pos));
    }
    return out;
}

std::u32string Utf8ToUtf32(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (size_t pos = 0; pos < s.size();) {
        unsigned char b = static_cast<unsigned char>(s[pos]);
        if (b < 0x80) // fast path for ASCII
            out += static_cast<char32_t>(s[pos++]);
        else
            out += DecodeAnsiChar(s, pos);
    }
    return out;
}

std::string Utf32ToUtf8(std::u32string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char32_t c : s)
        AppendUtf8(out, c);
    return out;
}

std::u16string Cp1252ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (char ch : s)
        out += static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(ch)));
    return out;
}

std::string Utf16ToCp1252(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t pos = 0; pos < s.size();)
        out += static_cast<char>(UnicodeToCp1252(DecodeUtf16Char(s, pos)));
    return out;
}

std::u16string Latin1ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (char ch : s)
        out += static_cast<char16_t>(static_cast<unsigned char>(ch));
    return out;
}

char32_t ToUpper(char32_t c) {
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') ? c - 32 : c;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 32;
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x100 && c <= 0x17F) { // Latin Extended-A pairs upper/lower by parity
        bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        if (oddUpper ? (c % 2 == 0) : (c % 2 == 1))
            return c - 1;
        return c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)
        return c - 32;
    if (c >= 0x430 && c <= 0x44F)
        return c - 32;
    if (c >= 0x450 && c <= 0x45F)
        return c - 80;
    return c;
}

char32_t ToLower(char32_t c) {
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    if (c == 0x178)
        return 0xFF;
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddUpper ? (c % 2 == 1) : (c % 2 == 0))
            return c + 1;
        return c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)
        return c + 32;
    if (c >= 0x410 && c <= 0x42F)
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    return c;
}

namespace {

// s with every character put through change (asciiChange for ASCII, which
// stays ASCII); a character it leaves alone keeps its bytes, so a byte read as
// Windows-1252 is not rewritten as UTF-8.
template <char (*asciiChange)(char)>
std::string ChangeCase(std::string_view s, char32_t (*change)(char32_t)) {
    std::string out;
    out.reserve(s.size());
    for (size_t pos = 0; pos < s.size();) {
        // A run of ASCII is copied at once and changed in place.
        size_t run = pos;
        while (run < s.size() && static_cast<unsigned char>(s[run]) < 0x80)
            ++run;
        size_t from = out.size();
        out.append(s.substr(pos, run - pos));
        for (size_t i = from; i < out.size(); ++i)
            out[i] = asciiChange(out[i]);
        pos = run;
        if (pos == s.size())
            break;
        size_t start = pos;
        char32_t c = DecodeAnsiChar(s, pos);
        char32_t changed = change(c);
        if (changed == c)
            out.append(s.substr(start, pos - start));
        else
            AppendUtf8(out, changed);
    }
    return out;
}

// s with every code unit put through change; surrogates are left alone,
// since no character outside the basic plane changes case here.
std::u16string ChangeCase(std::u16string_view s, char32_t (*change)(char32_t)) {
    std::u16string out(s);
    for (auto& ch : out)
        if (ch < 0xD800 || ch > 0xDFFF)
            ch = static_cast<char16_t>(change(ch));
    return out;
}

// Compares a and b character by character in upper case; decode reads the
// character at a position and moves past it.
template <class View> int CompareUpper(View a, View b, char32_t (*decode)(View, size_t&)) {
    using Unit = std::make_unsigned_t<typename View::value_type>;
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t ua = static_cast<Unit>(a[i]), ub = static_cast<Unit>(b[j]);
        if (ua < 0x80 && ub < 0x80) { // both ASCII: no decoding
            ++i, ++j;
            char ca = AsciiUpper(static_cast<char>(ua)), cb = AsciiUpper(static_cast<char>(ub));
            if (ca != cb)
                return ca < cb ? -1 : 1;
            continue;
        }
        char32_t ca = ToUpper(decode(a, i));
        char32_t cb = ToUpper(decode(b, j));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

} // namespace

std::string AsciiUpperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = AsciiUpper(c);
    return out;
}

std::string AsciiLowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = AsciiLower(c);
    return out;
}

std::vector<uint8_t> Utf16LeBytes(std::u16string_view s) {
    std::vector<uint8_t> bytes;
    bytes.reserve(2 * s.size());
    for (char16_t c : s) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

std::string UpperCase(std::string_view s) {
    return ChangeCase<AsciiUpper>(s, ToUpper);
}
std::string LowerCase(std::string_view s) {
    return ChangeCase<AsciiLower>(s, ToLower);
}
std::u16string UpperCase(std::u16string_view s) {
    return ChangeCase(s, ToUpper);
}
std::u16string LowerCase(std::u16string_view s) {
    return ChangeCase(s, ToLower);
}

int CompareText(std::string_view a, std::string_view b) {
    return CompareUpper(a, b, DecodeAnsiChar);
}
int CompareText(std::u16string_view a, std::u16string_view b) {
    return CompareUpper(a, b, DecodeUtf16Char);
}

bool SameText(std::string_view a, std::string_view b) {
    return CompareText(a, b) == 0;
}
bool SameText(std::u16string_view a, std::u16string_view b) {
    return CompareText(a, b) == 0;
}

} // namespace text
