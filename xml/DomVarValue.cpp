// Typed values of elements: an element's text read and written as a variant,
// its type kept beside it in the element's "vartype" attribute.
#include "xml/DomElement.h"
#include "xml/RwXmlConvert.h"
#include "xml/RwXmlVariant.h"

#include "platform/rtl/Conversions.h"
#include "platform/text/Text.h"

#include <string>

Variant TRwDOMNode::DoGetNodeVarValue() {
    if (nodeType_ != RwNodeType::Element)
        return Variant();
    auto& element = static_cast<TRwDOMElement&>(*this);
    // "vartype" holds a variant type code, "type" a schema type name.
    if (element.HasAttribute(u"vartype")) {
        const int code = StrToInt(text::Narrow(element.GetAttribute(u"vartype")));
        // A code beyond 16 bits names no type; cut to 16 bits it would pass
        // for one (65539 for an integer), so it goes on as one that is none.
        constexpr VARTYPE noType = 0xFFFF;
        const bool fits = code >= 0 && code <= 0xFFFF;
        return RwXmlToVariant(value_, fits ? static_cast<VARTYPE>(code) : noType);
    }
    if (element.HasAttribute(u"type"))
        return RwXmlToVariant(value_, RwSchemaTypeToVariantType(element.GetAttribute(u"type")));
    return Variant(RwXMLToStr(value_));
}

void TRwDOMNode::DoSetNodeVarValue(const Variant& value) {
    value_.assign(RwVariantToXml(value));
    if (nodeType_ == RwNodeType::Element)
        static_cast<TRwDOMElement&>(*this).SetAttribute(
            u"vartype", text::Wide(std::to_string(value.Deref().Type())));
}
