// The do-nothing SAX2 handler.
#include "xml/DefaultHandler.h"

ComPtr<IInputSource> TDefaultHandler::resolveEntity(const SAXString&, const SAXString&) {
    return nullptr;
}
void TDefaultHandler::notationDecl(const SAXString&, const SAXString&, const SAXString&) {}
void TDefaultHandler::unparsedEntityDecl(const SAXString&, const SAXString&, const SAXString&,
                                         const SAXString&) {}
void TDefaultHandler::setDocumentLocator(ILocator*) {}
void TDefaultHandler::startDocument() {}
void TDefaultHandler::endDocument() {}
void TDefaultHandler::startPrefixMapping(const SAXString&, const SAXString&) {}
void TDefaultHandler::endPrefixMapping(const SAXString&) {}
void TDefaultHandler::startElement(const SAXString&, const SAXString&, const SAXString&,
                                   IAttributes*) {}
void TDefaultHandler::endElement(const SAXString&, const SAXString&, const SAXString&) {}
void TDefaultHandler::characters(const SAXString&) {}
void TDefaultHandler::ignorableWhitespace(const SAXString&) {}
void TDefaultHandler::processingInstruction(const SAXString&, const SAXString&) {}
void TDefaultHandler::skippedEntity(const SAXString&) {}
void TDefaultHandler::warning(ISAXParseError*) {}
void TDefaultHandler::Error(ISAXParseError*) {}
void TDefaultHandler::fatalError(ISAXParseError*) {}

TDefaultHandler* DefaultHandler() {
    static ComPtr<TDefaultHandler> shared = MakeComObject<TDefaultHandler>();
    return shared.Get();
}
