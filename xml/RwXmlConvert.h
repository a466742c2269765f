// Conversions between values and their XML text, shared by the reader, the
// document tree and the add-in: escaping and unescaping of text, integers,
// floating-point numbers, dates and times, Booleans and variants. XML text is
// 16-bit.
#pragma once

#include "platform/rtl/DateTime.h"

#include <cstdint>
#include <string>
#include <string_view>

// Escapes text for XML: the five named entities for " ' < > &, character
// references for U+0001 to U+001F, NUL dropped. An "&" that already starts one
// of the five named entities (any letter case) is kept, so escaping twice
// changes nothing.
std::u16string RwStrToXML(std::u16string_view s);
// Resolves the five named entities and character references (decimal, "$"
// hexadecimal as the class library reads integers, and "x" hexadecimal as XML
// writes them); other names give nothing. Raises Exception "Invalid XML
// entity reference : " + name for a name of a known kind that does not match.
std::u16string RwXMLToStr(std::u16string_view s);

// The integer in decimal.
std::u16string RwIntToXML(int32_t value);
// Reads a decimal integer; raises EConvertError for text that is none.
int32_t RwXMLToInt(std::u16string_view s);

// "yyyy-mm-dd".
std::u16string RwDateToXML(TDateTime value);
// "hh:mm:ss.zzz".
std::u16string RwTimeToXML(TDateTime value);
// Date, "T", time.
std::u16string RwDateTimeToXML(TDateTime value);
// Year from characters 1-4, month 6-7, day 9-10; raises EConvertError.
TDateTime RwXMLToDate(std::u16string_view s);
// Hours 1-2, minutes 4-5, seconds 7-8, and after a "." at 9 the milliseconds up
// to a "-" or "+"; raises EConvertError.
TDateTime RwXMLToTime(std::u16string_view s);
// The date of the first 10 characters, plus the time from character 12 when
// the text holds a "T".
TDateTime RwXMLToDateTime(std::u16string_view s);

// 15 significant digits, shortest form, "." as decimal separator.
std::u16string RwDoubleToXML(double value);
// Reads a number with "." as decimal separator; raises EConvertError.
double RwXMLToDouble(std::u16string_view s);

// "true" or "false".
std::u16string RwBoolToXML(bool value);
// True for "1" and for "true" in any letter case.
bool RwXMLToBool(std::u16string_view s);

// The decimal text of value, with pad (a blank when pad is NUL) in front up to width.
std::u16string PadLeft(int64_t value, int width, char16_t pad);
