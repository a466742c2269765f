// The child and attribute lists of a node.
#include "xml/DomNodeList.h"

#include "xml/DomDocument.h"
#include "xml/DomException.h"

#include <algorithm>

namespace {
// Whether node's name is prefix ":" localName (or localName without a prefix),
// compared without building the joined name.
bool HasNodeName(const TRwDOMNode& node, std::u16string_view prefix,
                 std::u16string_view localName) {
    return node.Prefix() == prefix && node.LocalName() == localName;
}
} // namespace

TRwDOMNodeList* TRwDOMNodeList::Create(TRwDOMNode* owner, TRwDOMHolder kind) {
    std::pmr::memory_resource* resource = owner->Resource();
    void* memory = resource->allocate(sizeof(TRwDOMNodeList), alignof(TRwDOMNodeList));
    return new (memory) TRwDOMNodeList(owner, kind);
}

TRwDOMNodeList::TRwDOMNodeList(TRwDOMNode* owner, TRwDOMHolder kind)
    : owner_(owner), kind_(kind), nodes_(owner->Resource()) {}

HRESULT TRwDOMNodeList::QueryInterface(const GUID& iid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IRwDOMNodeList::Iid)
        *ppv = static_cast<IRwDOMNodeList*>(this);
    else if (iid == IRwDOMNamedNodeMap::Iid)
        *ppv = static_cast<IRwDOMNamedNodeMap*>(this);
    else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ComPtr<IRwDOMNode> TRwDOMNodeList::Item(int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= nodes_.size())
        throw ERwDOMException(RwDOMError::IndexSize, {index});
    return ComPtr<IRwDOMNode>::Share(nodes_[static_cast<size_t>(index)]->Intf());
}

int32_t TRwDOMNodeList::GetLength() {
    return static_cast<int32_t>(nodes_.size());
}

ComPtr<IRwDOMNode> TRwDOMNodeList::GetNamedItem(std::u16string_view name) {
    TRwDOMNode* found = FindByLocalName(name);
    return found ? ComPtr<IRwDOMNode>::Share(found->Intf()) : nullptr;
}

ComPtr<IRwDOMNode> TRwDOMNodeList::SetNamedItem(IRwDOMNode* node) {
    TRwDOMNode* added = TRwDOMNode::FromIntf(node);
    if (!added)
        throw ERwDOMException(RwDOMError::NotFound);
    for (TRwDOMNode* present : nodes_)
        if (HasNodeName(*present, added->Prefix(), added->LocalName()))
            return ComPtr<IRwDOMNode>::Share(present->Intf());
    // An attribute list holds attributes only; a child list takes what
    // AppendChild takes.
    if (kind_ == TRwDOMHolder::Attributes) {
        if (added->NodeType() != RwNodeType::Attribute)
            throw ERwDOMException(RwDOMError::HierarchyRequest);
    } else {
        owner_->CheckNewChild(added);
    }
    auto kept = ComPtr<IRwDOMNode>::Share(node);
    nodes_.reserve(nodes_.size() + 1);
    added->DetachFromHolder();
    added->MoveToDocument(owner_->OwnerDocument());
    Add(added);
    return kept;
}

ComPtr<IRwDOMNode> TRwDOMNodeList::RemoveNamedItem(std::u16string_view) {
    RwRaiseNotImplemented("RemoveNamedItem");
}

ComPtr<IRwDOMNode> TRwDOMNodeList::GetNamedItemNS(std::u16string_view, std::u16string_view) {
    RwRaiseNotImplemented("GetNamedItemNS");
}

ComPtr<IRwDOMNode> TRwDOMNodeList::SetNamedItemNS(IRwDOMNode*) {
    RwRaiseNotImplemented("SetNamedItemNS");
}

ComPtr<IRwDOMNode> TRwDOMNodeList::RemoveNamedItemNS(std::u16string_view, std::u16string_view) {
    RwRaiseNotImplemented("RemoveNamedItemNS");
}

TRwDOMNode* TRwDOMNodeList::FindByLocalName(std::u16string_view name) const noexcept {
    for (TRwDOMNode* node : nodes_)
        if (node->LocalName() == name)
            return node;
    return nullptr;
}

void TRwDOMNodeList::Add(TRwDOMNode* node) {
    nodes_.push_back(node);
    node->parent_ = owner_;
    node->holder_ = kind_;
}

void TRwDOMNodeList::Insert(size_t position, TRwDOMNode* node) {
    nodes_.insert(nodes_.begin() + static_cast<ptrdiff_t>(position), node);
    node->parent_ = owner_;
    node->holder_ = kind_;
}

bool TRwDOMNodeList::Remove(TRwDOMNode* node) noexcept {
    // Searched from the end: callers that empty a list mostly take its last node.
    auto found = std::find(nodes_.rbegin(), nodes_.rend(), node);
    if (found == nodes_.rend())
        return false;
    nodes_.erase(std::next(found).base());
    node->parent_ = nullptr;
    node->holder_ = TRwDOMHolder::None;
    return true;
}

ptrdiff_t TRwDOMNodeList::IndexOf(const TRwDOMNode* node) const noexcept {
    auto found = std::find(nodes_.begin(), nodes_.end(), node);
    return found == nodes_.end() ? -1 : found - nodes_.begin();
}
