// Value conversions to and from XML text.
#include "xml/RwXmlConvert.h"

#include "platform/rtl/Conversions.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/RtlConsts.h"
#include "platform/text/Text.h"

namespace {

// The five named entities an "&" may already start. They are matched as
// spelled: unescaping knows only these spellings, so an "&" before "AMP;"
// must be escaped to read back as written.
constexpr std::u16string_view kNamedEntities[] = {u"&amp;", u"&quot;", u"&apos;", u"&lt;", u"&gt;"};

bool StartsNamedEntity(std::u16string_view s, size_t at) {
    for (std::u16string_view entity : kNamedEntities)
        if (s.substr(at).starts_with(entity))
            return true;
    return false;
}

[[noreturn]] void InvalidReference(std::u16string_view name) {
    throw Exception("Invalid XML entity reference : " + text::Narrow(name));
}

// The character of a reference "#..." (name without "&" and ";").
void AppendCharacterReference(std::u16string& out, std::u16string_view name) {
    if (name.size() < 2)
        InvalidReference(name);
    std::string digits = text::Narrow(name.substr(1));
    // XML writes hexadecimal references as "#x41"; the class library's
    // integer syntax has "$41" and "0x41" for them.
    if (digits[0] == 'x' || digits[0] == 'X')
        digits = "$" + digits.substr(1);
    int value;
    if (!TryStrToInt(digits, value))
        InvalidReference(name);
    // Characters above U+FFFF become a surrogate pair; anything else keeps
    // the low 16 bits, as references always have.
    if (value >= 0x10000 && value <= 0x10FFFF)
        text::AppendUtf16(out, static_cast<char32_t>(value));
    else
        out += static_cast<char16_t>(value & 0xFFFF);
}

// Unescapes one entity name (without "&" and ";").
void AppendEntity(std::u16string& out, std::u16string_view name) {
    if (name.empty())
        return;
    switch (name[0]) {
    case u'l':
        if (name != u"lt")
            InvalidReference(name);
        out += u'<';
        break;
    case u'g':
        if (name != u"gt")
            InvalidReference(name);
        out += u'>';
        break;
    case u'q':
        if (name != u"quot")
            InvalidReference(name);
        out += u'"';
        break;
    case u'a':
        if (name == u"amp")
            out += u'&';
        else if (name == u"apos")
            out += u'\'';
        else
            InvalidReference(name);
        break;
    case u'#':
        AppendCharacterReference(out, name);
        break;
    default:
        break;
    }
}

std::string Ascii(std::u16string_view s) {
    return text::Narrow(s);
}

// Characters from..to (one-based, inclusive) of s, cut at its end.
std::string Chars(std::u16string_view s, size_t from, size_t to) {
    if (from > s.size())
        return {};
    return Ascii(s.substr(from - 1, std::min(to, s.size()) - from + 1));
}

} // namespace

std::u16string RwStrToXML(std::u16string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char16_t c = s[i];
        switch (c) {
        case 0:
            break;
        case u'"':
            out += u"&quot;";
            break;
        case u'\'':
            out += u"&apos;";
            break;
        case u'<':
            out += u"&lt;";
            break;
        case u'>':
            out += u"&gt;";
            break;
        case u'&':
            out += StartsNamedEntity(s, i) ? u"&" : u"&amp;";
            break;
        default:
            if (c < 0x20)
                out += u"&#" + text::Wide(std::to_string(c)) + u";";
            else
                out += c;
        }
    }
    return out;
}

std::u16string RwXMLToStr(std::u16string_view s) {
    std::u16string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        char16_t c = s[i];
        if (c != u'&') {
            out += c;
            ++i;
            continue;
        }
        // The name runs to a ";" but never takes the text's last character.
        size_t start = i + 1;
        size_t end = start;
        while (end + 1 < s.size() && s[end] != u';')
            ++end;
        std::u16string_view name = s.substr(std::min(start, s.size()), end - std::min(start, end));
        i = end;
        if (i < s.size() && s[i] == u';')
            ++i;
        AppendEntity(out, name);
    }
    return out;
}

std::u16string RwIntToXML(int32_t value) {
    return text::Wide(std::to_string(value));
}

int32_t RwXMLToInt(std::u16string_view s) {
    return StrToInt(Ascii(s));
}

std::u16string PadLeft(int64_t value, int width, char16_t pad) {
    std::u16string digits = text::Wide(std::to_string(value));
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<size_t>(width) - digits.size(), pad ? pad : u' ');
    return digits;
}

std::u16string RwDateToXML(TDateTime value) {
    int year, month, day;
    DecodeDate(value, year, month, day);
    return PadLeft(year, 4, u'0') + u"-" + PadLeft(month, 2, u'0') + u"-" + PadLeft(day, 2, u'0');
}

std::u16string RwTimeToXML(TDateTime value) {
    int hour, minute, second, millisecond;
    DecodeTime(value, hour, minute, second, millisecond);
    return PadLeft(hour, 2, u'0') + u":" + PadLeft(minute, 2, u'0') + u":" +
           PadLeft(second, 2, u'0') + u"." + PadLeft(millisecond, 3, u'0');
}

std::u16string RwDateTimeToXML(TDateTime value) {
    return RwDateToXML(value) + u"T" + RwTimeToXML(value);
}

TDateTime RwXMLToDate(std::u16string_view s) {
    return EncodeDate(StrToInt(Chars(s, 1, 4)), StrToInt(Chars(s, 6, 7)),
                      StrToInt(Chars(s, 9, 10)));
}

TDateTime RwXMLToTime(std::u16string_view s) {
    int millisecond = 0;
    if (s.size() >= 9 && s[8] == u'.') {
        size_t end = 9;
        while (end < s.size() && s[end] != u'-' && s[end] != u'+')
            ++end;
        millisecond = StrToInt(Ascii(s.substr(9, end - 9)));
    }
    return EncodeTime(StrToInt(Chars(s, 1, 2)), StrToInt(Chars(s, 4, 5)), StrToInt(Chars(s, 7, 8)),
                      millisecond);
}

TDateTime RwXMLToDateTime(std::u16string_view s) {
    TDateTime result = RwXMLToDate(s.substr(0, std::min<size_t>(10, s.size())));
    if (s.find(u'T') != std::u16string_view::npos)
        result += RwXMLToTime(s.size() > 11 ? s.substr(11) : std::u16string_view());
    return result;
}

std::u16string RwDoubleToXML(double value) {
    std::string textValue = FloatToStrF(value, ffGeneral, 15, 0);
    for (char& c : textValue)
        if (c == FormatSettings.DecimalSeparator)
            c = '.';
    return text::Wide(textValue);
}

double RwXMLToDouble(std::u16string_view s) {
    std::string textValue = Ascii(s);
    for (char& c : textValue)
        if (c == '.')
            c = FormatSettings.DecimalSeparator;
    return StrToFloat(textValue);
}

std::u16string RwBoolToXML(bool value) {
    return value ? u"true" : u"false";
}

bool RwXMLToBool(std::u16string_view s) {
    return s == u"1" || text::SameText(s, u"true");
}
