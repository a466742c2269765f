// Elements and their attributes, found by local name.
#include "xml/DomElement.h"

#include "xml/DomAttr.h"
#include "xml/DomDocument.h"
#include "xml/DomNodeList.h"

TRwDOMElement::TRwDOMElement(TRwDOMDocument* ownerDocument, std::u16string_view name,
                             std::u16string_view namespaceURI)
    : TRwDOMNode(ownerDocument, RwNodeType::Element, name, namespaceURI) {}

TRwDOMAttr* TRwDOMElement::FindAttribute(std::u16string_view name) const noexcept {
    TRwDOMNodeList* attributes = AttributeList();
    return attributes ? static_cast<TRwDOMAttr*>(attributes->FindByLocalName(name)) : nullptr;
}

std::u16string TRwDOMElement::GetAttribute(std::u16string_view name) {
    TRwDOMAttr* attribute = FindAttribute(name);
    return attribute ? attribute->GetValue() : std::u16string();
}

void TRwDOMElement::SetAttribute(std::u16string_view name, std::u16string_view value) {
    SetAttributeNS({}, name, value);
}

void TRwDOMElement::SetAttributeNS(std::u16string_view namespaceURI,
                                   std::u16string_view qualifiedName, std::u16string_view value) {
    std::u16string_view prefix, localName = qualifiedName;
    if (size_t colon = qualifiedName.find(u':'); colon != std::u16string_view::npos) {
        prefix = qualifiedName.substr(0, colon);
        localName = qualifiedName.substr(colon + 1);
    }
    // Found by local name alone: "a:x" and "b:x" are one attribute, which
    // keeps the prefix it was first given.
    TRwDOMAttr* attribute = FindAttribute(localName);
    if (!attribute) {
        attribute = OwnerDocument()->NewAttr(localName, namespaceURI);
        try {
            attribute->SetPrefix(prefix);
            Attributes().Add(attribute);
        } catch (...) {
            FreeTree(attribute);
            throw;
        }
    }
    attribute->SetValue(value);
}

ComPtr<IRwDOMAttr> TRwDOMElement::GetAttributeNode(std::u16string_view name) {
    return ComPtr<IRwDOMAttr>::Share(FindAttribute(name));
}

bool TRwDOMElement::HasAttribute(std::u16string_view name) {
    return FindAttribute(name) != nullptr;
}

bool TRwDOMElement::HasAttributeNS(std::u16string_view namespaceURI,
                                   std::u16string_view localName) {
    if (AttributeCount() == 0)
        return false;
    return Attributes().GetNamedItemNS(namespaceURI, localName) != nullptr;
}

void TRwDOMElement::RemoveAttribute(std::u16string_view) {
    RwRaiseNotImplemented("RemoveAttribute");
}

ComPtr<IRwDOMAttr> TRwDOMElement::SetAttributeNode(IRwDOMAttr*) {
    RwRaiseNotImplemented("SetAttributeNode");
}

ComPtr<IRwDOMAttr> TRwDOMElement::RemoveAttributeNode(IRwDOMAttr*) {
    RwRaiseNotImplemented("RemoveAttributeNode");
}

ComPtr<IRwDOMNodeList> TRwDOMElement::GetElementsByTagName(std::u16string_view) {
    RwRaiseNotImplemented("GetElementsByTagName");
}

std::u16string TRwDOMElement::GetAttributeNS(std::u16string_view, std::u16string_view) {
    RwRaiseNotImplemented("GetAttributeNS");
}

void TRwDOMElement::RemoveAttributeNS(std::u16string_view, std::u16string_view) {
    RwRaiseNotImplemented("RemoveAttributeNS");
}

ComPtr<IRwDOMAttr> TRwDOMElement::GetAttributeNodeNS(std::u16string_view, std::u16string_view) {
    RwRaiseNotImplemented("GetAttributeNodeNS");
}

ComPtr<IRwDOMAttr> TRwDOMElement::SetAttributeNodeNS(IRwDOMAttr*) {
    RwRaiseNotImplemented("SetAttributeNodeNS");
}

ComPtr<IRwDOMNodeList> TRwDOMElement::GetElementsByTagNameNS(std::u16string_view,
                                                             std::u16string_view) {
    RwRaiseNotImplemented("GetElementsByTagNameNS");
}

std::u16string TRwDOMElement::GetTagName() {
    RwRaiseNotImplemented("GetTagName");
}
