// Variants as XML text, the last of the value conversions (RwXmlConvert.h
// holds the others): an element's typed value is written as the text of its
// variant, with the variant's type code or a schema type name beside it.
#pragma once

#include "platform/com/Variant.h"

#include <string>
#include <string_view>

// The 8-bit string type code of the class library's variants; schema type
// "string" names it, and it reads back as a 16-bit string.
inline constexpr VARTYPE RwVarString = 256;

// The XML text of value by its type: empty for empty and null, integers in
// decimal, floating point and currency as RwDoubleToXML, dates as
// RwDateTimeToXML, Booleans "true" / "false", text escaped. A by-reference
// value counts as the value it points at. Raises Exception "RwVariantToXml;
// invalid variant type" for other types, EOleSysError for an integer beyond
// 32 bits.
std::u16string RwVariantToXml(const Variant& value);

// The variant of type type read from XML text: integers as VT_I4, floating
// point and currency as VT_R8, VT_DATE, VT_BOOL, text unescaped as VT_BSTR.
// Raises Exception "RwXmlToVariant; invalid type" for other types, and the
// reading conversion's error for text that is not of the type.
Variant RwXmlToVariant(std::u16string_view xml, VARTYPE type);

// The variant type of an XML schema type name, its prefix ignored and letter
// case too: short, int, float, double, date, time, string, boolean, byte; 0
// for an empty name. Raises Exception "The given schematype %s could not be
// converted to a valid VariantType!" for any other name.
VARTYPE RwSchemaTypeToVariantType(std::u16string_view name);
