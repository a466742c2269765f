// String routines of the class library.
#include "platform/rtl/StrUtils.h"

#include "platform/text/Text.h"

namespace {

bool IsTrimmed(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool IsAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

// Matches `sub` against `s` at byte `start`, ignoring letter case; gives the
// number of bytes of `s` matched (which may differ from sub's length when a
// letter's two cases differ in length), or npos.
size_t MatchText(std::string_view s, size_t start, std::string_view sub) {
    size_t i = start, j = 0;
    while (j < sub.size()) {
        if (i >= s.size())
            return std::string_view::npos;
        // Two ASCII characters, by far the most common, need no decoding.
        if (IsAscii(s[i]) && IsAscii(sub[j])) {
            if (text::AsciiUpper(s[i++]) != text::AsciiUpper(sub[j++]))
                return std::string_view::npos;
            continue;
        }
        if (text::ToUpper(text::DecodeAnsiChar(s, i)) !=
            text::ToUpper(text::DecodeAnsiChar(sub, j)))
            return std::string_view::npos;
    }
    return i - start;
}

// The first case-insensitive match of `sub` at or after byte `from`: its byte
// position and length in `s`, or npos.
std::pair<size_t, size_t> FindText(std::string_view s, std::string_view sub, size_t from) {
    // Where both are ASCII, a position whose first character differs is
    // passed over at once.
    const bool asciiFirst = !sub.empty() && IsAscii(sub[0]);
    const char first = asciiFirst ? text::AsciiUpper(sub[0]) : '\0';
    for (size_t start = from; start < s.size();) {
        if (asciiFirst && IsAscii(s[start]) && text::AsciiUpper(s[start]) != first) {
            ++start;
            continue;
        }
        size_t length = MatchText(s, start, sub);
        if (length != std::string_view::npos)
            return {start, length};
        if (IsAscii(s[start]))
            ++start;
        else
            text::DecodeAnsiChar(s, start); // next character boundary
    }
    return {std::string_view::npos, 0};
}

} // namespace

std::string Trim(std::string_view s) {
    return TrimLeft(TrimRight(s));
}

std::string TrimLeft(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && IsTrimmed(s[i]))
        ++i;
    return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && IsTrimmed(s[n - 1]))
        --n;
    return std::string(s.substr(0, n));
}

int Pos(std::string_view sub, std::string_view s, int offset) {
    if (sub.empty() || offset < 1 || static_cast<size_t>(offset) > s.size())
        return 0;
    size_t found = s.find(sub, offset - 1);
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

int PosText(std::string_view sub, std::string_view s, int offset) {
    if (sub.empty() || offset < 1 || static_cast<size_t>(offset) > s.size())
        return 0;
    size_t found = FindText(s, sub, offset - 1).first;
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

int LastDelimiter(std::string_view delimiters, std::string_view s) {
    size_t found = s.find_last_of(delimiters);
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

bool ContainsText(std::string_view s, std::string_view sub) {
    return sub.empty() || FindText(s, sub, 0).first != std::string_view::npos;
}

bool StartsText(std::string_view sub, std::string_view s) {
    return MatchText(s, 0, sub) != std::string_view::npos;
}

bool EndsText(std::string_view sub, std::string_view s) {
    // Try each character boundary whose remainder could match, shortest last.
    for (size_t start = 0; start <= s.size();) {
        size_t length = MatchText(s, start, sub);
        if (length != std::string_view::npos && start + length == s.size())
            return true;
        if (start == s.size())
            break;
        text::DecodeAnsiChar(s, start);
    }
    return false;
}

std::string StringReplace(std::string_view s, std::string_view oldPattern,
                          std::string_view newPattern, TReplaceFlags flags) {
    if (oldPattern.empty())
        return std::string(s);
    bool ignoreCase = flags.Contains(rfIgnoreCase);
    std::string out;
    size_t pos = 0;
    while (pos <= s.size()) {
        auto [found, length] = ignoreCase ? FindText(s, oldPattern, pos)
                                          : std::pair{s.find(oldPattern, pos), oldPattern.size()};
        if (found == std::string_view::npos)
            break;
        out.append(s.substr(pos, found - pos));
        out.append(newPattern);
        pos = found + length;
        if (!flags.Contains(rfReplaceAll))
            break;
    }
    out.append(s.substr(std::min(pos, s.size())));
    return out;
}

std::string QuotedStr(std::string_view s) {
    return AnsiQuotedStr(s, '\'');
}

std::string AnsiQuotedStr(std::string_view s, char quote) {
    std::string out(1, quote);
    for (char c : s) {
        out.push_back(c);
        if (c == quote)
            out.push_back(quote);
    }
    out.push_back(quote);
    return out;
}

std::string AnsiExtractQuotedStr(std::string_view& s, char quote) {
    if (s.empty() || s.front() != quote)
        return "";
    std::string out;
    size_t i = 1;
    while (i < s.size()) {
        if (s[i] == quote) {
            if (i + 1 < s.size() && s[i + 1] == quote) { // a doubled quote stands for one
                out.push_back(quote);
                i += 2;
                continue;
            }
            ++i; // the closing quote
            break;
        }
        out.push_back(s[i++]);
    }
    s.remove_prefix(i);
    return out;
}

std::string AnsiDequotedStr(std::string_view s, char quote) {
    std::string_view rest = s;
    std::string result = AnsiExtractQuotedStr(rest, quote);
    // Not a quoted text: no opening quote, or an unclosed one.
    if ((result.empty() || rest.empty()) && !s.empty() &&
        (s.front() != quote || s.back() != quote || s.size() < 2))
        return std::string(s);
    return result;
}
