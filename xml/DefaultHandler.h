// TDefaultHandler: a SAX2 handler for every plain interface that does nothing,
// the base for handlers that care about a few events only.
#pragma once

#include "platform/com/ComObject.h"
#include "xml/SaxInterfaces.h"

class TDefaultHandler
    : public ComObject<IEntityResolver, IDTDHandler, IContentHandler, IErrorHandler> {
    friend struct ComMaker;

public:
    // Nil: the reader resolves entities itself.
    ComPtr<IInputSource> resolveEntity(const SAXString& publicId,
                                       const SAXString& systemId) override;
    void notationDecl(const SAXString& name, const SAXString& publicId,
                      const SAXString& systemId) override;
    void unparsedEntityDecl(const SAXString& name, const SAXString& publicId,
                            const SAXString& systemId, const SAXString& notationName) override;
    void setDocumentLocator(ILocator* locator) override;
    void startDocument() override;
    void endDocument() override;
    void startPrefixMapping(const SAXString& prefix, const SAXString& uri) override;
    void endPrefixMapping(const SAXString& prefix) override;
    void startElement(const SAXString& uri, const SAXString& localName, const SAXString& qName,
                      IAttributes* atts) override;
    void endElement(const SAXString& uri, const SAXString& localName,
                    const SAXString& qName) override;
    void characters(const SAXString& ch) override;
    void ignorableWhitespace(const SAXString& ch) override;
    void processingInstruction(const SAXString& target, const SAXString& data) override;
    void skippedEntity(const SAXString& name) override;
    void warning(ISAXParseError* error) override;
    void Error(ISAXParseError* error) override;
    void fatalError(ISAXParseError* error) override;

protected:
    TDefaultHandler() = default;
    ~TDefaultHandler() override = default;
};

// The library's shared do-nothing handler, alive as long as the library.
TDefaultHandler* DefaultHandler();
