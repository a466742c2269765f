// The class library's string routines over 8-bit text: trimming, searching
// (positions are 1-based, 0 meaning "not found", as the class library counts them),
// replacing, quoting, and the letter-case routines of platform/text under the
// class library's names. Case-insensitive searches compare whole characters, so
// they also hold for accented letters and Windows-1252 bytes.
#pragma once

#include "platform/rtl/Set.h"
#include "platform/text/Text.h"

#include <string>
#include <string_view>

// The letter-case routines of 8-bit text, by their class library names.
using text::CompareText;
using text::LowerCase;
using text::SameText;
using text::UpperCase;

// Upper- and lower-case copies of 8-bit text (the same as UpperCase/LowerCase).
inline std::string AnsiUpperCase(std::string_view s) {
    return text::UpperCase(s);
}
inline std::string AnsiLowerCase(std::string_view s) {
    return text::LowerCase(s);
}
// Case-insensitive comparison and equality (the same as CompareText/SameText).
inline int AnsiCompareText(std::string_view a, std::string_view b) {
    return text::CompareText(a, b);
}
inline bool AnsiSameText(std::string_view a, std::string_view b) {
    return text::SameText(a, b);
}
// Case-sensitive comparison: <0, 0 or >0, by bytes.
inline int CompareStr(std::string_view a, std::string_view b) {
    return a.compare(b);
}

// The text without leading and trailing blanks and control characters (<= ' ').
std::string Trim(std::string_view s);
// The text without leading blanks and control characters.
std::string TrimLeft(std::string_view s);
// The text without trailing blanks and control characters.
std::string TrimRight(std::string_view s);

// The 1-based position of the first `sub` in `s` at or after `offset`, or 0
// (an empty `sub` is never found).
int Pos(std::string_view sub, std::string_view s, int offset = 1);
// Pos under its other class library name.
inline int PosEx(std::string_view sub, std::string_view s, int offset = 1) {
    return Pos(sub, s, offset);
}
// Pos ignoring letter case.
int PosText(std::string_view sub, std::string_view s, int offset = 1);
// The 1-based position of the last character of `s` that is one of `delimiters`, or 0.
int LastDelimiter(std::string_view delimiters, std::string_view s);

// True when `s` contains `sub` (case-sensitive).
inline bool ContainsStr(std::string_view s, std::string_view sub) {
    return s.find(sub) != std::string_view::npos;
}
// True when `s` contains `sub` ignoring letter case; an empty `sub` is contained.
bool ContainsText(std::string_view s, std::string_view sub);
// True when `s` begins with `sub`, ignoring letter case.
bool StartsText(std::string_view sub, std::string_view s);
// True when `s` ends with `sub`, ignoring letter case.
bool EndsText(std::string_view sub, std::string_view s);

// Options of StringReplace.
enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;
// `s` with the first (or every, with rfReplaceAll) `oldPattern` replaced by
// `newPattern`; rfIgnoreCase finds the pattern in any letter case.
std::string StringReplace(std::string_view s, std::string_view oldPattern,
                          std::string_view newPattern, TReplaceFlags flags = {});

// The text in single quotes, inner quotes doubled: O'Brien -> 'O''Brien'.
std::string QuotedStr(std::string_view s);
// The text between `quote` characters, inner ones doubled.
std::string AnsiQuotedStr(std::string_view s, char quote);
// Reads a quoted text at the front of `s`, undoubling inner quotes, and moves
// `s` past its closing quote; gives "" and leaves `s` alone when `s` does not
// begin with `quote`. An unclosed text runs to the end.
std::string AnsiExtractQuotedStr(std::string_view& s, char quote);
// The text without its quotes when it is quoted with `quote`, else unchanged.
std::string AnsiDequotedStr(std::string_view s, char quote);
