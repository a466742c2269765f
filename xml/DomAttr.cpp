// Attributes.
#include "xml/DomAttr.h"

#include "xml/RwXmlConvert.h"

TRwDOMAttr::TRwDOMAttr(TRwDOMDocument* ownerDocument, std::u16string_view name,
                       std::u16string_view namespaceURI)
    : TRwDOMNode(ownerDocument, RwNodeType::Attribute, name, namespaceURI) {}

ComPtr<IRwDOMElement> TRwDOMAttr::GetOwnerElement() {
    RwRaiseNotImplemented("GetOwnerElement");
}

std::u16string TRwDOMAttr::GetValue() {
    return RwXMLToStr(value_);
}

void TRwDOMAttr::SetValue(std::u16string_view value) {
    value_ = RwStrToXML(value);
}
