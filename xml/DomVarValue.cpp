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
        return RwXmlToVariant(value_, static_cast<VARTYPE>(code));
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
