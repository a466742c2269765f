// TRwSaxToDomHandler: the SAX handler that builds a document tree from the
// reader's events. Texts are stored as they stood in the input (entity
// references kept), since the tree holds its values escaped.
#pragma once

#include "platform/com/ComObject.h"
#include "xml/DomDocument.h"
#include "xml/SaxInterfaces.h"

// Builds nodes of one document below a current node.
//
// It implements the content and lexical handler interfaces itself instead of
// deriving from the reader's default content handler: every event is its own,
// and none of them is to reach the reader's event properties.
class TRwSaxToDomHandler : public ComObject<IRwBufferedContentHandlerEx, IBufferedLexicalHandler> {
    friend struct ComMaker;

public:
    // A builder that adds to document, below parent (the document when nil).
    static ComPtr<TRwSaxToDomHandler> Create(IRwDOMDocument* document,
                                             IRwDOMNode* parent = nullptr);

    // Content events.
    void setDocumentLocator(ILocator*) override {}
    void startDocument() override {}
    void endDocument() override {}
    void startPrefixMapping(PSAXChar, int32_t, PSAXChar, int32_t) override {}
    void endPrefixMapping(PSAXChar, int32_t) override {}
    void startElement(PSAXChar uri, int32_t uriLength, PSAXChar localName, int32_t localNameLength,
                      PSAXChar qName, int32_t qNameLength, IBufferedAttributes* atts) override;
    void endElement(PSAXChar uri, int32_t uriLength, PSAXChar localName, int32_t localNameLength,
                    PSAXChar qName, int32_t qNameLength) override;
    void characters(PSAXChar ch, int32_t chLength) override;
    void ignorableWhitespace(PSAXChar, int32_t) override {}
    void processingInstruction(PSAXChar target, int32_t targetLength, PSAXChar data,
                               int32_t dataLength) override;
    void skippedEntity(PSAXChar, int32_t) override {}
    void EndProlog() override;

    // Lexical events.
    void startDTD(PSAXChar, int32_t, PSAXChar, int32_t, PSAXChar, int32_t) override {}
    void EndDTD() override {}
    void StartEntity(PSAXChar, int32_t) override {}
    void EndEntity(PSAXChar, int32_t) override {}
    void StartCDATA() override { inCData_ = true; }
    void EndCDATA() override { inCData_ = false; }
    void Comment(PSAXChar ch, int32_t chLength) override;

protected:
    TRwSaxToDomHandler(IRwDOMDocument* document, IRwDOMNode* parent);
    ~TRwSaxToDomHandler() override = default;

private:
    // The document that makes the nodes below the current node.
    TRwDOMDocument* Owner() const noexcept;
    // Adds the document's "version" processing instruction, unless it has one.
    void AddVersion();
    // Adds atts to element, a new element of owner not yet in the tree.
    static void AddAttributes(TRwDOMDocument& owner, TRwDOMElement& element,
                              IBufferedAttributes* atts);

    ComPtr<IRwDOMDocument> document_;
    TRwDOMDocument* doc_;
    ComPtr<IRwDOMNode> parent_; // keeps the subtree being added to alive
    TRwDOMNode* current_;       // a node of that subtree or of the document
    bool inCData_ = false;
    bool declarationSeen_ = false;
};
