// The small routines around the HTML renderer: colour names and #RRGGBB
// values, number and position reading that never overflows or reads past the
// end, and the text clean-ups the label and its callers use (field tags, line
// breaks, stripping tags, escaping plain text for HTML). Text is UTF-8; only
// ASCII letters change case, so a value never changes its byte length.
#pragma once

#include "platform/gfx/Colors.h"

#include <string>
#include <string_view>

// The colour of a lower-case class library colour name ("clred",
// "clbtnface"); names it does not know give black.
TColor Text2Color(std::string_view name);
// The value of two hexadecimal digits (either case); a character that is no
// hexadecimal digit counts 0, and fewer than two characters give 0.
int HexVal(std::string_view digits);
// A "#RRGGBB" value as a colour (0x00BBGGRR); missing digits count 0.
TColor Hex2Color(std::string_view value);
// The 1-based position of sub in s, ASCII letter case ignored; 0 when missing.
int IPos(std::string_view sub, std::string_view s);
// The 1-based position of sub in s (case kept), stored in pos and returned.
int VarPos(std::string_view sub, std::string_view s, int& pos);
// The number at the start of s: blanks skipped, an optional sign, decimal
// digits (hexadecimal after "$" or "0x"), up to the first other character;
// 0 when no digit comes first. Saturates at the int range.
int IStrToInt(std::string_view s);
// Replaces the first occurrence of tag in s (ASCII letter case ignored) by
// replacement; true when one was replaced.
bool TagReplaceString(std::string_view tag, std::string_view replacement, std::string& s);
// Takes the angle brackets off the first field tag "<#name>", keeping "#name".
std::string DBTagStrip(std::string_view s);
// Removes every CR and LF; with breakOnCR each CR becomes "<BR>".
std::string CRLFStrip(std::string_view s, bool breakOnCR);
// The text without tags: "<BR>" and "<HR>" become CR LF, other tags go, and
// an unclosed "<" keeps the rest unchanged.
std::string HTMLStrip(std::string_view s);
// Plain text made safe to put into HTML: &, <, > and " as entities.
std::string HtmlEscape(std::string_view s);
// True when the name exists and is a directory.
bool DirExists(std::string_view name);

namespace htmldraw {
// The 0-based position of sub in s from `from` on, ASCII case ignored;
// npos when missing.
size_t FindNoCase(std::string_view s, std::string_view sub, size_t from = 0);
} // namespace htmldraw
