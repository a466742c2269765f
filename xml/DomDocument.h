// The document: root of a tree, creator of its nodes, keeper of their ids and
// names. References to any node of the tree keep the document alive.
#pragma once

#include "xml/DomNodeFacet.h"

class TRwDOMElement;
class TRwDOMAttr;
class TRwDOMComment;
class TRwDOMCDataSection;

// A document (node type 9).
class TRwDOMDocument final : public TRwDOMNode,
                             public TRwDOMNodeFacet<IRwDOMDocument, TRwDOMDocument> {
public:
    // A new, empty document.
    static ComPtr<IRwDOMDocument> Create();

    IRwDOMNode* Intf() noexcept override { return this; }

    // IRwDOMDocument (see DomInterfaces.h).
    ComPtr<IRwDOMElement> CreateElement(std::u16string_view tagName) override;
    ComPtr<IRwDOMNode> CreateDocumentFragment() override;
    ComPtr<IRwDOMNode> CreateTextNode(std::u16string_view data) override;
    ComPtr<IRwDOMComment> CreateComment(std::u16string_view data) override;
    ComPtr<IRwDOMCDataSection> CreateCDataSection(std::u16string_view data) override;
    ComPtr<IRwProcessingInstruction> CreateProcessingInstruction(
        std::u16string_view target, std::u16string_view data) override;
    ComPtr<IRwDOMAttr> CreateAttribute(std::u16string_view name) override;
    ComPtr<IRwDOMNode> CreateEntityReference(std::u16string_view name) override;
    ComPtr<IRwDOMNodeList> GetElementsByTagName(std::u16string_view tagName) override;
    ComPtr<IRwDOMNode> ImportNode(IRwDOMNode* node, bool deep) override;
    ComPtr<IRwDOMElement> CreateElementNS(std::u16string_view namespaceURI,
                                          std::u16string_view qualifiedName) override;
    ComPtr<IRwDOMAttr> CreateAttributeNS(std::u16string_view namespaceURI,
                                         std::u16string_view qualifiedName) override;
    ComPtr<IRwDOMNodeList> GetElementsByTagNameNS(std::u16string_view namespaceURI,
                                                  std::u16string_view localName) override;
    ComPtr<IRwDOMElement> GetElementById(std::u16string_view elementId) override;
    ComPtr<IUnknown> GetDocType() override;
    ComPtr<IRwDOMElement> GetDocumentElement() override;
    ComPtr<IUnknown> GetDOMImplementation() override;

    // The pool of this document's names.
    TRwDOMNamePool& Names() noexcept { return names_; }
    // The id for the next node of this document.
    int32_t NextId() noexcept { return static_cast<int32_t>(++lastId_); }

    // New nodes of this document, in no list and unreferenced: the caller
    // appends them at once (AppendNew) or frees them (FreeTree).
    TRwDOMElement* NewElement(std::u16string_view name, std::u16string_view namespaceURI = {});
    TRwDOMAttr* NewAttr(std::u16string_view name, std::u16string_view namespaceURI = {});
    TRwDOMComment* NewComment(std::u16string_view data);
    TRwDOMCDataSection* NewCDataSection(std::u16string_view data);

private:
    TRwDOMDocument();
    ~TRwDOMDocument() override = default;

    TRwDOMNamePool names_;
    uint32_t lastId_ = 0;
};
