// The SAX-to-tree builder.
#include "xml/DomBuilder.h"

#include "platform/text/Text.h"
#include "xml/DomAttr.h"
#include "xml/DomCharacterData.h"
#include "xml/DomElement.h"
#include "xml/DomNodeList.h"

#include <string_view>

namespace {
// A buffered SAX text as a view; a length of -1 reads up to the terminating zero.
std::u16string_view View(PSAXChar text, int32_t length) {
    if (!text)
        return {};
    if (length < 0)
        return std::u16string_view(text);
    return std::u16string_view(text, static_cast<size_t>(length));
}

// A qualified name split at its first ":" into prefix and name (no ":": no prefix).
std::pair<std::u16string_view, std::u16string_view> SplitQName(std::u16string_view qName) {
    size_t colon = qName.find(u':');
    if (colon == std::u16string_view::npos)
        return {{}, qName};
    return {qName.substr(0, colon), qName.substr(colon + 1)};
}
} // namespace

ComPtr<TRwSaxToDomHandler> TRwSaxToDomHandler::Create(IRwDOMDocument* document,
                                                      IRwDOMNode* parent) {
    return MakeComObject<TRwSaxToDomHandler>(document, parent);
}

TRwSaxToDomHandler::TRwSaxToDomHandler(IRwDOMDocument* document, IRwDOMNode* parent)
    : document_(ComPtr<IRwDOMDocument>::Share(document)), doc_(document->GetOwnerObject()),
      parent_(ComPtr<IRwDOMNode>::Share(parent)), current_(parent ? parent->GetSelf() : doc_) {}

TRwDOMDocument* TRwSaxToDomHandler::Owner() const noexcept {
    // Normally the document itself; when the parent given belongs to another
    // document, the nodes below it are made by that one, so that every node
    // of a tree belongs to the tree's document.
    return current_->OwnerDocument();
}

void TRwSaxToDomHandler::AddVersion() {
    doc_->CreateProcessingInstruction(u"version", u"1.0");
}

void TRwSaxToDomHandler::processingInstruction(PSAXChar target, int32_t targetLength, PSAXChar,
                                               int32_t) {
    // Only the XML declaration is kept, and of it only the version; every
    // other processing instruction is dropped.
    if (!text::SameText(View(target, targetLength), u"xml"))
        return;
    declarationSeen_ = true;
    AddVersion();
}

void TRwSaxToDomHandler::EndProlog() {
    if (!declarationSeen_)
        AddVersion();
}

void TRwSaxToDomHandler::Comment(PSAXChar ch, int32_t chLength) {
    current_->AppendNew(Owner()->NewComment(View(ch, chLength)));
}

void TRwSaxToDomHandler::characters(PSAXChar ch, int32_t chLength) {
    std::u16string_view text = View(ch, chLength);
    if (text.empty())
        return;
    if (inCData_)
        current_->AppendNew(Owner()->NewCDataSection(text));
    else
        current_->AssignValue(text);
}

void TRwSaxToDomHandler::startElement(PSAXChar uri, int32_t uriLength, PSAXChar localName,
                                      int32_t localNameLength, PSAXChar qName, int32_t qNameLength,
                                      IBufferedAttributes* atts) {
    std::u16string_view namespaceURI = View(uri, uriLength);
    TRwDOMDocument* owner = Owner();
    TRwDOMElement* element = owner->NewElement(View(localName, localNameLength), namespaceURI);
    // The element goes into the tree only when it is complete, so that a
    // failure (out of memory) leaves no element without its attributes,
    // such as a prefix without the declaration that gives it its URI.
    try {
        // An element whose prefix was never declared has no URI and is kept
        // under its local name alone.
        if (!namespaceURI.empty())
            element->SetPrefix(SplitQName(View(qName, qNameLength)).first);
        AddAttributes(*owner, *element, atts);
    } catch (...) {
        TRwDOMNode::FreeTree(element);
        throw;
    }
    current_->AppendNew(element);
    current_ = element;
}

void TRwSaxToDomHandler::AddAttributes(TRwDOMDocument& owner, TRwDOMElement& element,
                                       IBufferedAttributes* atts) {
    const int32_t count = atts ? atts->getLength() : 0;
    if (count > 0)
        element.Attributes().Reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        PSAXChar text = nullptr;
        int32_t length = 0;
        atts->getURI(i, text, length);
        std::u16string_view attributeURI = View(text, length);
        atts->getQName(i, text, length);
        auto [prefix, name] = SplitQName(View(text, length));
        TRwDOMAttr* attribute = owner.NewAttr(name, attributeURI);
        try {
            attribute->SetPrefix(prefix);
            atts->getValue(i, text, length);
            attribute->AssignValue(View(text, length));
            // Duplicates are kept as the input has them.
            element.Attributes().Add(attribute);
        } catch (...) {
            TRwDOMNode::FreeTree(attribute);
            throw;
        }
    }
}

void TRwSaxToDomHandler::endElement(PSAXChar, int32_t, PSAXChar, int32_t, PSAXChar, int32_t) {
    TRwDOMNode* parent = current_->Parent();
    current_ = parent ? parent : doc_;
}
