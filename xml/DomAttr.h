// Attributes: held in their element's attribute list, value held escaped.
#pragma once

#include "xml/DomNodeFacet.h"

// An attribute (node type 2).
class TRwDOMAttr final : public TRwDOMNode, public TRwDOMNodeFacet<IRwDOMAttr, TRwDOMAttr> {
public:
    IRwDOMNode* Intf() noexcept override { return this; }

    // IRwDOMAttr (see DomInterfaces.h).
    std::u16string GetBaseName() override { return LocalName(); }
    ComPtr<IRwDOMElement> GetOwnerElement() override;
    bool GetSpecified() override { return false; }
    std::u16string GetValue() override;
    void SetValue(std::u16string_view value) override;

private:
    // An attribute of ownerDocument, in no list (TRwDOMDocument::NewAttr).
    TRwDOMAttr(TRwDOMDocument* ownerDocument, std::u16string_view name,
               std::u16string_view namespaceURI);
    ~TRwDOMAttr() override = default;

    friend class TRwDOMDocument;
};
