// Variants as XML text.
#include "xml/RwXmlVariant.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/text/Text.h"
#include "xml/RwXmlConvert.h"

namespace {

bool IsIntegerType(VARTYPE type) {
    switch (type) {
    case VT_I2:
    case VT_I4:
    case VT_DECIMAL:
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
        return true;
    default:
        return false;
    }
}

bool IsFloatType(VARTYPE type) {
    return type == VT_R4 || type == VT_R8 || type == VT_CY;
}

} // namespace

std::u16string RwVariantToXml(const Variant& value) {
    const Variant plain = value.Deref();
    const VARTYPE type = plain.Type();
    if (type == VT_EMPTY || type == VT_NULL)
        return {};
    if (IsIntegerType(type))
        return RwIntToXML(plain.AsInteger());
    if (IsFloatType(type))
        return RwDoubleToXML(plain.AsDouble());
    if (type == VT_DATE)
        return RwDateTimeToXML(plain.AsDate());
    if (type == VT_BSTR)
        return RwStrToXML(plain.AsWide());
    if (type == VT_BOOL)
        return RwBoolToXML(plain.AsBool());
    throw Exception("RwVariantToXml; invalid variant type");
}

Variant RwXmlToVariant(std::u16string_view xml, VARTYPE type) {
    if (type == VT_EMPTY)
        return Variant();
    if (type == VT_NULL)
        return Variant::Null();
    if (IsIntegerType(type))
        return Variant(RwXMLToInt(xml));
    if (IsFloatType(type))
        return Variant(RwXMLToDouble(xml));
    if (type == VT_DATE)
        return Variant::Date(RwXMLToDateTime(xml));
    if (type == VT_BSTR || type == RwVarString)
        return Variant(RwXMLToStr(xml));
    if (type == VT_BOOL)
        return Variant(RwXMLToBool(xml));
    throw Exception("RwXmlToVariant; invalid type");
}

VARTYPE RwSchemaTypeToVariantType(std::u16string_view name) {
    if (name.empty())
        return VT_EMPTY;
    std::u16string_view local = name;
    if (size_t colon = name.find(u':'); colon != std::u16string_view::npos)
        local = name.substr(colon + 1);
    static constexpr struct {
        std::u16string_view name;
        VARTYPE type;
    } kTypes[] = {{u"short", VT_I2},        {u"int", VT_I4},       {u"float", VT_R8},
                  {u"double", VT_R8},       {u"date", VT_DATE},    {u"time", VT_DATE},
                  {u"string", RwVarString}, {u"boolean", VT_BOOL}, {u"byte", VT_UI1}};
    for (const auto& known : kTypes)
        if (text::SameText(local, known.name))
            return known.type;
    throw Exception(Format("The given schematype %s could not be converted to a valid VariantType!",
                           {std::u16string(name)}));
}
