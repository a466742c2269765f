// The document and the nodes it creates.
#include "xml/DomDocument.h"

#include "xml/DomAttr.h"
#include "xml/DomCharacterData.h"
#include "xml/DomElement.h"
#include "xml/DomNodeList.h"
#include "xml/DomProcessingInstruction.h"

TRwDOMDocument::TRwDOMDocument() : TRwDOMNode(this, RwNodeType::Document) {
    localName_ = names_.Intern(u"#document");
    id_ = NextId();
}

ComPtr<IRwDOMDocument> TRwDOMDocument::Create() {
    return ComPtr<IRwDOMDocument>::Share(new TRwDOMDocument());
}

TRwDOMElement* TRwDOMDocument::NewElement(std::u16string_view name,
                                          std::u16string_view namespaceURI) {
    return new TRwDOMElement(this, name, namespaceURI);
}

TRwDOMAttr* TRwDOMDocument::NewAttr(std::u16string_view name, std::u16string_view namespaceURI) {
    return new TRwDOMAttr(this, name, namespaceURI);
}

TRwDOMComment* TRwDOMDocument::NewComment(std::u16string_view data) {
    return new TRwDOMComment(this, data);
}

TRwDOMCDataSection* TRwDOMDocument::NewCDataSection(std::u16string_view data) {
    return new TRwDOMCDataSection(this, data);
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

ComPtr<IRwProcessingInstruction> TRwDOMDocument::CreateProcessingInstruction(
    std::u16string_view target, std::u16string_view data) {
    auto created = ComPtr<IRwProcessingInstruction>::Share(
        new TRwProcessingInstruction(this, target, data));
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
