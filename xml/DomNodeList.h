// The child list or attribute list of a node, offered as IRwDOMNodeList and
// IRwDOMNamedNodeMap. The list belongs to its node and holds the nodes in it;
// a reference to the list counts as a reference to its node, so neither the
// node nor its document goes away while somebody walks the list.
#pragma once

#include "xml/DomNode.h"

#include <cstddef>
#include <memory_resource>
#include <vector>

// The nodes of one list, in order.
class TRwDOMNodeList final : public IRwDOMNodeList, public IRwDOMNamedNodeMap {
public:
    // A new list of owner's children or attributes, in owner's memory.
    static TRwDOMNodeList* Create(TRwDOMNode* owner, TRwDOMHolder kind);
    ~TRwDOMNodeList() override = default;
    TRwDOMNodeList(const TRwDOMNodeList&) = delete;
    TRwDOMNodeList& operator=(const TRwDOMNodeList&) = delete;

    // IUnknown: references count on the owner node.
    HRESULT QueryInterface(const GUID& iid, void** ppv) override;
    ULONG AddRef() override { return owner_->AddRefNode(); }
    ULONG Release() override { return owner_->ReleaseNode(); }

    // IRwDOMNodeList and IRwDOMNamedNodeMap (see DomInterfaces.h).
    ComPtr<IRwDOMNode> Item(int32_t index) override;
    int32_t GetLength() override;
    ComPtr<IRwDOMNode> GetNamedItem(std::u16string_view name) override;
    ComPtr<IRwDOMNode> SetNamedItem(IRwDOMNode* node) override;
    ComPtr<IRwDOMNode> RemoveNamedItem(std::u16string_view name) override;
    ComPtr<IRwDOMNode> GetNamedItemNS(std::u16string_view namespaceURI,
                                      std::u16string_view localName) override;
    ComPtr<IRwDOMNode> SetNamedItemNS(IRwDOMNode* node) override;
    ComPtr<IRwDOMNode> RemoveNamedItemNS(std::u16string_view namespaceURI,
                                         std::u16string_view localName) override;

    // The nodes, in order.
    const std::pmr::vector<TRwDOMNode*>& Nodes() const noexcept { return nodes_; }
    // The node whose local name is name (the first one); nil when none.
    TRwDOMNode* FindByLocalName(std::u16string_view name) const noexcept;
    // Adds a node that is in no list at the end, or before position.
    void Add(TRwDOMNode* node);
    void Insert(size_t position, TRwDOMNode* node);
    // Makes room for count nodes in all.
    void Reserve(size_t count) { nodes_.reserve(count); }
    // Takes node out of the list; false when it is not in it.
    bool Remove(TRwDOMNode* node) noexcept;
    // The position of node; -1 when it is not in the list.
    ptrdiff_t IndexOf(const TRwDOMNode* node) const noexcept;

private:
    TRwDOMNodeList(TRwDOMNode* owner, TRwDOMHolder kind);

    TRwDOMNode* owner_;
    TRwDOMHolder kind_;
    std::pmr::vector<TRwDOMNode*> nodes_;

    friend class TRwDOMNode;
};
