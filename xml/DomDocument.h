// The document: root of a tree, creator of its nodes, keeper of their ids and
// names. References to any node of the tree keep the document alive.
#pragma once

#include "xml/DomArena.h"
#include "xml/DomNodeFacet.h"

#include <memory>
#include <vector>

class TRwDOMElement;
class TRwDOMAttr;
class TRwDOMComment;
class TRwDOMCDataSection;

// Holds a document's arena. A base of the document ahead of its node, so that
// the arena outlives everything of the document that lives in it.
struct TRwDOMArenaOwner {
    std::shared_ptr<TRwDOMArena> arena_ = std::make_shared<TRwDOMArena>();
};

// A document (node type 9).
class TRwDOMDocument final : private TRwDOMArenaOwner,
                             public TRwDOMNode,
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
    ComPtr<IRwProcessingInstruction> CreateProcessingInstruction(std::u16string_view target,
                                                                 std::u16string_view data) override;
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
    // The arena of the nodes this document makes.
    TRwDOMArena& Arena() noexcept { return *arena_; }
    // Keeps arena, which holds nodes now in this document's tree, as long as the document.
    void Borrow(TRwDOMArena& arena);
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
    // The tree is not taken apart: it goes with the arenas.
    ~TRwDOMDocument() override = default;

    // Makes a node of class T in the arena.
    template <class T, class... Args> T* Make(Args&&... args);

    TRwDOMNamePool names_;
    std::vector<std::shared_ptr<TRwDOMArena>> borrowed_;
    uint32_t lastId_ = 0;

    friend class TRwDOMNode;
};
