// The node object shared by every node class of the document tree: identity,
// reference counting tied to the document, names, value, children and
// attributes. The IRwDOMNode operations are implemented here; each node class
// puts them on its own interface table through TRwDOMNodeFacet.
//
// Lifetime: a reference to a node also counts on its owner document, so a
// document lives while any of its nodes is referenced. A node held in a child
// or attribute list belongs to that list; a node in no list (created and not
// yet inserted, or removed) lives by its own references. Freeing a node frees
// the nodes below it that nobody references; a referenced one is cut loose and
// lives on by its references. Trees are freed without recursion. The memory
// of nodes comes from their document's arena (DomArena.h).
#pragma once

#include "xml/DomInterfaces.h"
#include "xml/DomNames.h"

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <string>
#include <string_view>

class TRwDOMNodeList;

// Where a node is held.
enum class TRwDOMHolder : uint8_t {
    None,       // in no list: it lives by its own references
    Children,   // in its parent's child list
    Attributes, // in an element's attribute list
};

// Identity and reference count of a node.
class TRwDOMBase {
public:
    TRwDOMBase(const TRwDOMBase&) = delete;
    TRwDOMBase& operator=(const TRwDOMBase&) = delete;

    // The node's id: unique within its document, 1 for the document.
    int32_t Id() const noexcept { return id_; }
    // The owner document (the document itself for a document).
    TRwDOMDocument* OwnerDocument() const noexcept { return ownerDocument_; }
    // The local name.
    const std::u16string& LocalName() const noexcept { return *localName_; }
    // References held on this node now (its lists' references included).
    uint32_t RefCount() const noexcept { return refCount_; }
    // Node objects made and not yet freed on this thread, for tests that check
    // that nothing is left (a document is used by one thread at a time).
    static long InstanceCount() noexcept { return instances_; }
    // Counts count nodes as gone that were freed with their arena.
    static void ForgetInstances(long count) noexcept { instances_ -= count; }

protected:
    // A node of ownerDocument.
    TRwDOMBase(TRwDOMDocument* ownerDocument, std::u16string_view localName);
    // The document's own base: it is its own owner; the document sets up the rest.
    explicit TRwDOMBase(TRwDOMDocument* self) noexcept;
    virtual ~TRwDOMBase();

    TRwDOMDocument* ownerDocument_;
    TRwDOMName localName_;
    int32_t id_ = 0;
    uint32_t refCount_ = 0;

private:
    static inline thread_local long instances_ = 0;
};

// Data and operations of every node. The operations that the interfaces name
// are reached through them (TRwDOMNodeFacet); what is public here is the
// library's own access, used by the lists, the builder and the writer.
class TRwDOMNode : public TRwDOMBase {
public:
    // This node's interface.
    virtual IRwDOMNode* Intf() noexcept = 0;
    // The node object behind an interface of this tree; nil for nil.
    static TRwDOMNode* FromIntf(IRwDOMNode* node) { return node ? node->GetSelf() : nullptr; }

    // Adds a reference to the node and to its document.
    uint32_t AddRefNode() noexcept;
    // Drops a reference to the node and to its document; frees the node when
    // it is in no list and unreferenced, and the document when it is unreferenced.
    uint32_t ReleaseNode() noexcept;

    // One of the RwNodeType codes.
    uint16_t NodeType() const noexcept { return nodeType_; }
    // prefix ":" local name when a prefix is set, else the local name.
    std::u16string NodeName() const;
    // The prefix and namespace URI as held.
    const std::u16string& Prefix() const noexcept { return *prefix_; }
    const std::u16string& NamespaceURI() const noexcept { return *namespaceURI_; }
    // The value as held (escaped).
    std::u16string_view Value() const noexcept { return value_; }
    // Replaces the value as held (no escaping).
    void AssignValue(std::u16string_view value) { value_.assign(value); }
    // The parent while the node is a child; nil otherwise.
    TRwDOMNode* Parent() const noexcept {
        return holder_ == TRwDOMHolder::Children ? parent_ : nullptr;
    }
    // The child and attribute lists; nil until first used.
    TRwDOMNodeList* ChildList() const noexcept { return children_; }
    TRwDOMNodeList* AttributeList() const noexcept { return attributes_; }
    // The number of children and of attributes.
    size_t ChildCount() const noexcept;
    size_t AttributeCount() const noexcept;
    // The child and attribute lists, created on first use.
    TRwDOMNodeList& Children();
    TRwDOMNodeList& Attributes();

    // Renames the node; names are pooled in its document.
    void SetLocalName(std::u16string_view name);
    void SetPrefix(std::u16string_view prefix);
    void SetNamespaceURI(std::u16string_view namespaceURI);

    // Appends a node that is in no list and belongs to this node's document,
    // without the checks of AppendChild (the builder's path).
    void AppendNew(TRwDOMNode* child);
    // Frees node and the unreferenced nodes below it, without recursion.
    static void FreeTree(TRwDOMNode* node) noexcept;
    // The memory resource the node and what it holds were taken from.
    std::pmr::memory_resource* Resource() const noexcept {
        return value_.get_allocator().resource();
    }

protected:
    // A node made by ownerDocument in its arena.
    TRwDOMNode(TRwDOMDocument* ownerDocument, uint16_t nodeType, std::u16string_view localName,
               std::u16string_view namespaceURI);
    // The document's own node, its memory taken from arena.
    TRwDOMNode(TRwDOMDocument* self, std::pmr::memory_resource* arena) noexcept;
    ~TRwDOMNode() override = default;

    // Destroys the node and its lists and gives their memory back.
    void Destroy() noexcept;

    // The IRwDOMNode operations that need more than a field (see DomInterfaces.h).
    ComPtr<IRwDOMNode> DoInsertBefore(IRwDOMNode* newChild, IRwDOMNode* refChild);
    ComPtr<IRwDOMNode> DoRemoveChild(IRwDOMNode* oldChild);
    ComPtr<IRwDOMNode> DoAppendChild(IRwDOMNode* newChild);
    ComPtr<IRwDOMNode> DoGetFirstChild();
    ComPtr<IRwDOMNode> DoGetLastChild();
    ComPtr<IRwDOMNode> DoGetParentNode() const;
    ComPtr<IRwDOMDocument> DoGetOwnerDocument() const;
    std::u16string DoGetNodeValue() const;
    void DoSetNodeValue(std::u16string_view value);
    Variant DoGetNodeVarValue();
    void DoSetNodeVarValue(const Variant& value);

    // Takes the node out of the list that holds it.
    void DetachFromHolder() noexcept;
    // Raises ERwDOMException (hierarchy request) when child may not go below this node.
    void CheckNewChild(const TRwDOMNode* child) const;
    // Moves the node and its subtree to document, with their references.
    void MoveToDocument(TRwDOMDocument* document);

    TRwDOMNodeList* children_ = nullptr;
    TRwDOMNodeList* attributes_ = nullptr;
    TRwDOMNode* parent_ = nullptr;
    TRwDOMName namespaceURI_;
    TRwDOMName prefix_;
    std::pmr::u16string value_;
    uint16_t nodeType_;
    TRwDOMHolder holder_ = TRwDOMHolder::None;
    uint16_t objectSize_ = 0; // the size of the node's class, for Destroy

    friend class TRwDOMNodeList;
    friend class TRwDOMDocument;
    template <class Itf, class Self> friend class TRwDOMNodeFacet;
};
