// Elements: a name, attributes found by local name, a text value and children.
// An element's text is its value; the tree has no text nodes.
#pragma once

#include "xml/DomNodeFacet.h"

class TRwDOMAttr;

// An element (node type 1).
class TRwDOMElement final : public TRwDOMNode,
                            public TRwDOMNodeFacet<IRwDOMElement, TRwDOMElement> {
public:
    IRwDOMNode* Intf() noexcept override { return this; }

    // IRwDOMElement (see DomInterfaces.h).
    std::u16string GetAttribute(std::u16string_view name) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    void RemoveAttribute(std::u16string_view name) override;
    ComPtr<IRwDOMAttr> GetAttributeNode(std::u16string_view name) override;
    ComPtr<IRwDOMAttr> SetAttributeNode(IRwDOMAttr* attr) override;
    ComPtr<IRwDOMAttr> RemoveAttributeNode(IRwDOMAttr* attr) override;
    ComPtr<IRwDOMNodeList> GetElementsByTagName(std::u16string_view name) override;
    std::u16string GetAttributeNS(std::u16string_view namespaceURI,
                                  std::u16string_view localName) override;
    void SetAttributeNS(std::u16string_view namespaceURI, std::u16string_view qualifiedName,
                        std::u16string_view value) override;
    void RemoveAttributeNS(std::u16string_view namespaceURI,
                           std::u16string_view localName) override;
    ComPtr<IRwDOMAttr> GetAttributeNodeNS(std::u16string_view namespaceURI,
                                          std::u16string_view localName) override;
    ComPtr<IRwDOMAttr> SetAttributeNodeNS(IRwDOMAttr* attr) override;
    ComPtr<IRwDOMNodeList> GetElementsByTagNameNS(std::u16string_view namespaceURI,
                                                  std::u16string_view localName) override;
    bool HasAttribute(std::u16string_view name) override;
    bool HasAttributeNS(std::u16string_view namespaceURI, std::u16string_view localName) override;
    std::u16string GetTagName() override;

    // The attribute of that local name; nil when none.
    TRwDOMAttr* FindAttribute(std::u16string_view name) const noexcept;

private:
    // An element of ownerDocument, not yet in the tree (TRwDOMDocument::NewElement).
    TRwDOMElement(TRwDOMDocument* ownerDocument, std::u16string_view name,
                  std::u16string_view namespaceURI);
    ~TRwDOMElement() override = default;

    friend class TRwDOMDocument;
};
