// The document and the nodes it creates.
#include "xml/DomDocument.h"

#include "xml/DomAttr.h"
#include "xml/DomCharacterData.h"
#include "xml/DomElement.h"
#include "xml/DomNodeList.h"
#include "xml/DomProcessingInstruction.h"

TRwDOMDocument::TRwDOMDocument() : TRwDOMNode(this, arena_.get()) {
    localName_ = names_.Intern(u"#document");
    id_ = NextId();
}

ComPtr<IRwDOMDocument> TRwDOMDocument::Create() {
    // The document object and its arena count as one allocation.
    TRwDOMAllocationFault::Check();
    return ComPtr<IRwDOMDocument>::Share(new TRwDOMDocument());
}

void TRwDOMDocument::Borrow(TRwDOMArena& arena) {
    if (&arena == arena_.get())
        return;
    for (const auto& borrowed : borrowed_)
        if (borrowed.get() == &arena)
            return;
    TRwDOMAllocationFault::Check();
    borrowed_.push_back(arena.shared_from_this());
}

template <class T, class... Args> T* TRwDOMDocument::Make(Args&&... args) {
    static_assert(alignof(T) == alignof(TRwDOMNode), "nodes share one alignment");
    void* memory = arena_->allocate(sizeof(T), alignof(T));
    T* node;
    try {
        node = new (memory) T(this, std::forward<Args>(args)...);
    } catch (...) {
        arena_->deallocate(memory, sizeof(T), alignof(T));
        throw;
    }
    node->objectSize_ = sizeof(T);
    arena_->NodeMade();
    return node;
}

TRwDOMElement* TRwDOMDocument::NewElement(std::u16string_view name,
                                          std::u16string_view namespaceURI) {
    return Make<TRwDOMElement>(name, namespaceURI);
}

TRwDOMAttr* TRwDOMDocument::NewAttr(std::u16string_view name, std::u16string_view namespaceURI) {
    return Make<TRwDOMAttr>(name, namespaceURI);
}

TRwDOMComment* TRwDOMDocument::NewComment(std::u16string_view data) {
    return Make<TRwDOMComment>(data);
}

TRwDOMCDataSection* TRwDOMDocument::NewCDataSection(std::u16string_view data) {
    return Make<TRwDOMCDataSection>(data);
}

ComPtr<IRwDOMElement> TRwDOMDocument::CreateElement(std::u16string_view tagName) {
    return ComPtr<IRwDOMElement>::Share(NewElement(tagName));
}

ComPtr<IRwDOMElement> TRwDOMDocument::CreateElementNS(std::u16string_view namespaceURI,
                                                      std::u16string_view qualifiedName) {
    return ComPtr<IRwDOMElement>::Share(NewElement(qualifiedName, namespaceURI));
}

ComPtr<IRwDOMComment> TRwDOMDocument::CreateComment(std::u16string_view data) {
    return ComPtr<IRwDOMComment>::Share(NewComment(data));
}

ComPtr<IRwDOMCDataSection> TRwDOMDocument::CreateCDataSection(std::u16string_view data) {
    return ComPtr<IRwDOMCDataSection>::Share(NewCDataSection(data));
}

ComPtr<IRwProcessingInstruction>
TRwDOMDocument::CreateProcessingInstruction(std::u16string_view target, std::u16string_view data) {
    auto created =
        ComPtr<IRwProcessingInstruction>::Share(Make<TRwProcessingInstruction>(target, data));
    // Added by name: an instruction of that target already there is kept and
    // returned, and the new one goes with the last reference to it.
    ComPtr<IRwDOMNode> kept = Children().SetNamedItem(created.Get());
    return kept.Query<IRwProcessingInstruction>();
}

ComPtr<IRwDOMNode> TRwDOMDocument::CreateDocumentFragment() {
    RwRaiseNotImplemented("CreateDocumentFragment");
}

ComPtr<IRwDOMNode> TRwDOMDocument::CreateTextNode(std::u16string_view) {
    RwRaiseNotImplemented("CreateTextNode");
}

ComPtr<IRwDOMAttr> TRwDOMDocument::CreateAttribute(std::u16string_view) {
    RwRaiseNotImplemented("CreateAttribute");
}

ComPtr<IRwDOMNode> TRwDOMDocument::CreateEntityReference(std::u16string_view) {
    RwRaiseNotImplemented("CreateEntityReference");
}

ComPtr<IRwDOMNodeList> TRwDOMDocument::GetElementsByTagName(std::u16string_view) {
    RwRaiseNotImplemented("GetElementsByTagName");
}

ComPtr<IRwDOMNode> TRwDOMDocument::ImportNode(IRwDOMNode*, bool) {
    RwRaiseNotImplemented("ImportNode");
}

ComPtr<IRwDOMAttr> TRwDOMDocument::CreateAttributeNS(std::u16string_view, std::u16string_view) {
    RwRaiseNotImplemented("CreateAttributeNS");
}

ComPtr<IRwDOMNodeList> TRwDOMDocument::GetElementsByTagNameNS(std::u16string_view,
                                                              std::u16string_view) {
    RwRaiseNotImplemented("GetElementsByTagNameNS");
}

ComPtr<IRwDOMElement> TRwDOMDocument::GetElementById(std::u16string_view) {
    RwRaiseNotImplemented("GetElementById");
}

ComPtr<IUnknown> TRwDOMDocument::GetDocType() {
    RwRaiseNotImplemented("GetDocType");
}

ComPtr<IRwDOMElement> TRwDOMDocument::GetDocumentElement() {
    RwRaiseNotImplemented("GetDocumentElement");
}

ComPtr<IUnknown> TRwDOMDocument::GetDOMImplementation() {
    RwRaiseNotImplemented("GetDOMImplementation");
}
