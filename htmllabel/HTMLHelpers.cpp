// The renderer's helpers: colour names and values, bounded number reading,
// and the text clean-ups. Every routine walks its text once.
#include "htmllabel/HTMLHelpers.h"

#include "platform/text/Text.h"

#include "platform/rtl/FileUtils.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>

namespace {

struct NamedColor {
    std::string_view Name;
    TColor Value;
};

// The colour names the renderer knows, in lower case.
constexpr std::array<NamedColor, 40> kColorNames = {{
    {"clred", clRed},
    {"clblack", clBlack},
    {"clblue", clBlue},
    {"clgreen", clGreen},
    {"claqua", clAqua},
    {"clyellow", clYellow},
    {"clfuchsia", clFuchsia},
    {"clwhite", clWhite},
    {"cllime", clLime},
    {"clsilver", clSilver},
    {"clgray", clGray},
    {"clolive", clOlive},
    {"clnavy", clNavy},
    {"clpurple", clPurple},
    {"clteal", clTeal},
    {"clmaroon", clMaroon},
    {"clbackground", clBackground},
    {"clactivecaption", clActiveCaption},
    {"clinactivecaption", clInactiveCaption},
    {"clmenu", clMenu},
    {"clwindow", clWindow},
    {"clwindowframe", clWindowFrame},
    {"clmenutext", clMenuText},
    {"clwindowtext", clWindowText},
    {"clcaptiontext", clCaptionText},
    {"clactiveborder", clActiveBorder},
    {"clinactiveborder", clInactiveBorder},
    {"clappworkspace", clAppWorkSpace},
    {"clhighlight", clHighlight},
    {"clhighlighttext", clHighlightText},
    {"clbtnface", clBtnFace},
    {"clbtnshadow", clBtnShadow},
    {"clgraytext", clGrayText},
    {"clbtntext", clBtnText},
    {"clinactivecaptiontext", clInactiveCaptionText},
    {"clbtnhighlight", clBtnHighlight},
    {"cl3ddkshadow", cl3DDkShadow},
    {"cl3dlight", cl3DLight},
    {"clinfotext", clInfoText},
    {"clinfobk", clInfoBk},
}};

// A digit that is no hex digit counts 0.
int HexDigit(char c) {
    return std::max(0, text::HexDigitValue(c));
}

bool IsHexDigit(char c) {
    return text::HexDigitValue(c) >= 0;
}

} // namespace

namespace htmldraw {

size_t FindNoCase(std::string_view s, std::string_view sub, size_t from) {
    if (sub.empty())
        return from <= s.size() ? from : std::string_view::npos;
    for (size_t i = from; i + sub.size() <= s.size(); ++i) {
        size_t k = 0;
        while (k < sub.size() && text::AsciiUpper(s[i + k]) == text::AsciiUpper(sub[k]))
            ++k;
        if (k == sub.size())
            return i;
    }
    return std::string_view::npos;
}

} // namespace htmldraw

TColor Text2Color(std::string_view name) {
    for (const NamedColor& entry : kColorNames)
        if (entry.Name == name)
            return entry.Value;
    return clBlack;
}

int HexVal(std::string_view digits) {
    if (digits.size() < 2)
        return 0;
    return HexDigit(digits[0]) * 16 + HexDigit(digits[1]);
}

TColor Hex2Color(std::string_view value) {
    auto channel = [&](size_t at) { return at < value.size() ? HexVal(value.substr(at, 2)) : 0; };
    return TColor(channel(1) | (channel(3) << 8) | (channel(5) << 16));
}

int IPos(std::string_view sub, std::string_view s) {
    size_t at = htmldraw::FindNoCase(s, sub);
    return at == std::string_view::npos ? 0 : int(at) + 1;
}

int VarPos(std::string_view sub, std::string_view s, int& pos) {
    size_t at = sub.empty() ? std::string_view::npos : s.find(sub);
    pos = at == std::string_view::npos ? 0 : int(at) + 1;
    return pos;
}

int IStrToInt(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') &&
               i + 2 < s.size() && IsHexDigit(s[i + 2])) {
        base = 16;
        i += 2;
    }
    int64_t value = 0;
    const int64_t limit = int64_t(INT_MAX) + 1;
    for (; i < s.size(); ++i) {
        char c = s[i];
        bool digit = base == 10 ? (c >= '0' && c <= '9') : IsHexDigit(c);
        if (!digit)
            break;
        // Saturate rather than wrap: the value only grows from here.
        value = std::min<int64_t>(limit, value * base + HexDigit(c));
    }
    if (negative)
        return int(-std::min<int64_t>(value, limit));
    return int(std::min<int64_t>(value, INT_MAX));
}

bool TagReplaceString(std::string_view tag, std::string_view replacement, std::string& s) {
    size_t at = htmldraw::FindNoCase(s, tag);
    if (at == std::string::npos || tag.empty())
        return false;
    s.replace(at, tag.size(), replacement);
    return true;
}

std::string DBTagStrip(std::string_view s) {
    std::string out(s);
    size_t open = out.find("<#");
    if (open == std::string::npos)
        return out;
    size_t close = out.find('>', open);
    if (close != std::string::npos)
        out.erase(close, 1);
    out.erase(open, 1);
    return out;
}

std::string CRLFStrip(std::string_view s, bool breakOnCR) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == '\r') {
            if (breakOnCR)
                out += "<BR>";
        } else if (c != '\n') {
            out += c;
        }
    }
    return out;
}

std::string HTMLStrip(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        size_t open = s.find('<', i);
        if (open == std::string_view::npos) {
            out.append(s.substr(i));
            break;
        }
        out.append(s.substr(i, open - i));
        size_t close = s.find('>', open);
        if (close == std::string_view::npos) {
            out.append(s.substr(open));
            break;
        }
        std::string name = text::AsciiUpperCase(s.substr(open, close - open + 1));
        if (name == "<BR>" || name == "<HR>")
            out += "\r\n";
        i = close + 1;
    }
    return out;
}

std::string HtmlEscape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool DirExists(std::string_view name) {
    return !name.empty() && DirectoryExists(name);
}
