// Identity, lifetime and the tree operations of every node.
#include "xml/DomNode.h"

#include "xml/DomArena.h"
#include "xml/DomDocument.h"
#include "xml/DomElement.h"
#include "xml/DomException.h"
#include "xml/DomNodeList.h"
#include "xml/RwXmlConvert.h"

#include <vector>

TRwDOMBase::TRwDOMBase(TRwDOMDocument* ownerDocument, std::u16string_view localName)
    : ownerDocument_(ownerDocument), localName_(ownerDocument->Names().Intern(localName)),
      id_(ownerDocument->NextId()) {
    ++instances_;
}

TRwDOMBase::TRwDOMBase(TRwDOMDocument* self) noexcept
    : ownerDocument_(self), localName_(TRwDOMNamePool::Empty()) {
    ++instances_;
}

TRwDOMBase::~TRwDOMBase() {
    --instances_;
}

TRwDOMNode::TRwDOMNode(TRwDOMDocument* ownerDocument, uint16_t nodeType,
                       std::u16string_view localName, std::u16string_view namespaceURI)
    : TRwDOMBase(ownerDocument, localName),
      namespaceURI_(ownerDocument->Names().Intern(namespaceURI)), prefix_(TRwDOMNamePool::Empty()),
      value_(&ownerDocument->Arena()), nodeType_(nodeType) {}

TRwDOMNode::TRwDOMNode(TRwDOMDocument* self, std::pmr::memory_resource* arena) noexcept
    : TRwDOMBase(self), namespaceURI_(TRwDOMNamePool::Empty()), prefix_(TRwDOMNamePool::Empty()),
      value_(arena), nodeType_(RwNodeType::Document) {}

void TRwDOMNode::Destroy() noexcept {
    std::pmr::memory_resource* resource = Resource();
    for (TRwDOMNodeList* list : {children_, attributes_}) {
        if (list) {
            list->~TRwDOMNodeList();
            resource->deallocate(list, sizeof(TRwDOMNodeList), alignof(TRwDOMNodeList));
        }
    }
    const size_t size = objectSize_;
    this->~TRwDOMNode();
    resource->deallocate(this, size, alignof(TRwDOMNode));
    TRwDOMArena::Of(resource).NodeFreed();
}

uint32_t TRwDOMNode::AddRefNode() noexcept {
    if (nodeType_ != RwNodeType::Document)
        ++ownerDocument_->refCount_;
    return ++refCount_;
}

uint32_t TRwDOMNode::ReleaseNode() noexcept {
    uint32_t left = --refCount_;
    if (nodeType_ == RwNodeType::Document) {
        // Its tree goes with its arena.
        if (left == 0)
            delete static_cast<TRwDOMDocument*>(this);
        return left;
    }
    TRwDOMDocument* document = ownerDocument_;
    if (left == 0 && holder_ == TRwDOMHolder::None)
        FreeTree(this);
    document->ReleaseNode();
    return left;
}

void TRwDOMNode::FreeTree(TRwDOMNode* root) noexcept {
    // The nodes waiting to be freed form a stack linked through their parent
    // field, which they no longer need: freeing takes no memory of its own.
    TRwDOMNode* waiting = nullptr;
    TRwDOMNode* node = root;
    for (;;) {
        for (TRwDOMNodeList* list : {node->children_, node->attributes_}) {
            if (!list)
                continue;
            for (TRwDOMNode* item : list->nodes_) {
                item->holder_ = TRwDOMHolder::None;
                item->parent_ = nullptr;
                // A referenced node is cut loose and lives on by its references.
                if (item->refCount_ == 0) {
                    item->parent_ = waiting;
                    waiting = item;
                }
            }
            list->nodes_.clear();
        }
        if (node != root)
            node->Destroy();
        if (!waiting)
            break;
        node = waiting;
        waiting = node->parent_;
    }
    root->Destroy();
}

std::u16string TRwDOMNode::NodeName() const {
    if (prefix_->empty())
        return *localName_;
    std::u16string name;
    name.reserve(prefix_->size() + 1 + localName_->size());
    name += *prefix_;
    name += u':';
    name += *localName_;
    return name;
}

size_t TRwDOMNode::ChildCount() const noexcept {
    return children_ ? children_->nodes_.size() : 0;
}

size_t TRwDOMNode::AttributeCount() const noexcept {
    return attributes_ ? attributes_->nodes_.size() : 0;
}

TRwDOMNodeList& TRwDOMNode::Children() {
    if (!children_)
        children_ = TRwDOMNodeList::Create(this, TRwDOMHolder::Children);
    return *children_;
}

TRwDOMNodeList& TRwDOMNode::Attributes() {
    if (!attributes_)
        attributes_ = TRwDOMNodeList::Create(this, TRwDOMHolder::Attributes);
    return *attributes_;
}

void TRwDOMNode::SetLocalName(std::u16string_view name) {
    localName_ = ownerDocument_->Names().Intern(name);
}

void TRwDOMNode::SetPrefix(std::u16string_view prefix) {
    prefix_ = ownerDocument_->Names().Intern(prefix);
}

void TRwDOMNode::SetNamespaceURI(std::u16string_view namespaceURI) {
    namespaceURI_ = ownerDocument_->Names().Intern(namespaceURI);
}

void TRwDOMNode::AppendNew(TRwDOMNode* child) {
    try {
        Children().Add(child);
    } catch (...) {
        FreeTree(child);
        throw;
    }
}

void TRwDOMNode::DetachFromHolder() noexcept {
    if (holder_ == TRwDOMHolder::Children)
        parent_->children_->Remove(this);
    else if (holder_ == TRwDOMHolder::Attributes)
        parent_->attributes_->Remove(this);
}

void TRwDOMNode::CheckNewChild(const TRwDOMNode* child) const {
    // A document is no child, and a node never goes below itself: either
    // would make a loop that nothing frees or a node freed twice.
    if (child->nodeType_ == RwNodeType::Document || child == this)
        throw ERwDOMException(RwDOMError::HierarchyRequest);
    // A node with nothing below it is nobody's ancestor; the builder's and
    // most callers' new nodes are such, and need no walk up the tree.
    if (child->ChildCount() == 0 && child->AttributeCount() == 0)
        return;
    for (const TRwDOMNode* above = this; above;
         above = above->holder_ == TRwDOMHolder::None ? nullptr : above->parent_)
        if (above == child)
            throw ERwDOMException(RwDOMError::HierarchyRequest);
}

void TRwDOMNode::MoveToDocument(TRwDOMDocument* document) {
    TRwDOMDocument* from = ownerDocument_;
    if (from == document)
        return;
    // Names are pooled and memory is borrowed first, the steps that can fail;
    // the move itself cannot.
    struct Moved {
        TRwDOMNode* node;
        TRwDOMName localName, prefix, namespaceURI;
    };
    std::vector<Moved> moved;
    std::vector<TRwDOMNode*> pending{this};
    TRwDOMNamePool& names = document->Names();
    while (!pending.empty()) {
        TRwDOMNode* node = pending.back();
        pending.pop_back();
        moved.push_back({node, names.Intern(*node->localName_), names.Intern(*node->prefix_),
                         names.Intern(*node->namespaceURI_)});
        for (TRwDOMNodeList* list : {node->children_, node->attributes_})
            if (list)
                pending.insert(pending.end(), list->nodes_.begin(), list->nodes_.end());
        // The moved nodes keep their memory, so their new document holds it too.
        document->Borrow(TRwDOMArena::Of(node->Resource()));
    }
    // The references held on the moved nodes now count on their new document.
    ComPtr<IRwDOMDocument> keepFrom = ComPtr<IRwDOMDocument>::Share(from);
    for (const Moved& m : moved) {
        TRwDOMNode* node = m.node;
        from->refCount_ -= node->refCount_;
        document->refCount_ += node->refCount_;
        node->ownerDocument_ = document;
        node->id_ = document->NextId();
        node->localName_ = m.localName;
        node->prefix_ = m.prefix;
        node->namespaceURI_ = m.namespaceURI;
    }
}

ComPtr<IRwDOMNode> TRwDOMNode::DoAppendChild(IRwDOMNode* newChild) {
    TRwDOMNode* child = FromIntf(newChild);
    if (!child)
        throw ERwDOMException(RwDOMError::NotFound);
    CheckNewChild(child);
    auto kept = ComPtr<IRwDOMNode>::Share(newChild);
    TRwDOMNodeList& list = Children();
    list.nodes_.reserve(list.nodes_.size() + 1);
    // A node has one place in a tree: it leaves its earlier parent first.
    child->DetachFromHolder();
    child->MoveToDocument(ownerDocument_);
    list.Add(child);
    return kept;
}

ComPtr<IRwDOMNode> TRwDOMNode::DoInsertBefore(IRwDOMNode* newChild, IRwDOMNode* refChild) {
    if (!refChild)
        return DoAppendChild(newChild);
    TRwDOMNode* child = FromIntf(newChild);
    if (!child)
        throw ERwDOMException(RwDOMError::NotFound);
    TRwDOMNode* reference = FromIntf(refChild);
    // The new child goes to the reference child's parent; a reference child
    // outside any tree leaves this node as the parent, and the child goes last.
    TRwDOMNode* parent = reference->Parent() ? reference->Parent() : this;
    parent->CheckNewChild(child);
    auto kept = ComPtr<IRwDOMNode>::Share(newChild);
    if (child == reference)
        return kept;
    TRwDOMNodeList& list = parent->Children();
    list.nodes_.reserve(list.nodes_.size() + 1);
    child->DetachFromHolder();
    child->MoveToDocument(parent->ownerDocument_);
    ptrdiff_t at = list.IndexOf(reference);
    if (at < 0)
        list.Add(child);
    else
        list.Insert(static_cast<size_t>(at), child);
    return kept;
}

ComPtr<IRwDOMNode> TRwDOMNode::DoRemoveChild(IRwDOMNode* oldChild) {
    TRwDOMNode* child = FromIntf(oldChild);
    if (!child || child->Parent() != this)
        return nullptr;
    // The removed node keeps its subtree and its document; it is freed with
    // its subtree when the last reference to it goes.
    auto kept = ComPtr<IRwDOMNode>::Share(oldChild);
    children_->Remove(child);
    return kept;
}

ComPtr<IRwDOMNode> TRwDOMNode::DoGetFirstChild() {
    return Children().Item(0);
}

ComPtr<IRwDOMNode> TRwDOMNode::DoGetLastChild() {
    TRwDOMNodeList& list = Children();
    return list.Item(list.GetLength() - 1);
}

ComPtr<IRwDOMNode> TRwDOMNode::DoGetParentNode() const {
    TRwDOMNode* parent = Parent();
    return parent ? ComPtr<IRwDOMNode>::Share(parent->Intf()) : nullptr;
}

ComPtr<IRwDOMDocument> TRwDOMNode::DoGetOwnerDocument() const {
    return ComPtr<IRwDOMDocument>::Share(ownerDocument_);
}

std::u16string TRwDOMNode::DoGetNodeValue() const {
    return RwXMLToStr(value_);
}

void TRwDOMNode::DoSetNodeValue(std::u16string_view value) {
    value_ = RwStrToXML(value);
}
