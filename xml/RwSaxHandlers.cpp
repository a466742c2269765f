// The SAX reader's own handlers and property object.
#include "xml/RwSaxHandlers.h"

#include "platform/rtl/Format.h"
#include "platform/text/Text.h"
#include "xml/RwSaxReader.h"

#include <memory>

namespace {

// A TRwString over the event's text, made for one call.
std::unique_ptr<TRwString> Text(PSAXChar p, int32_t length) {
    if (!p)
        return std::unique_ptr<TRwString>(TRwString::Wrap(2, 0, u""));
    return std::unique_ptr<TRwString>(TRwString::Wrap(2, length < 0 ? -1 : length, p));
}

// Runs an event property; what it raises becomes ESAXException with format.
template <class Call> void Guarded(const char* format, Call&& call) {
    try {
        call();
    } catch (const Exception& e) {
        throw ESAXException(Format(format, {e.Message}));
    } catch (const std::exception& e) {
        throw ESAXException(Format(format, {e.what()}));
    }
}

} // namespace

void TRwSAXContentHandler::setDocumentLocator(ILocator*) {}

void TRwSAXContentHandler::startDocument() {
    if (reader_->OnStartDocument)
        reader_->OnStartDocument(reader_);
}

void TRwSAXContentHandler::endDocument() {
    if (reader_->OnEndDocument)
        reader_->OnEndDocument(reader_);
}

void TRwSAXContentHandler::startPrefixMapping(PSAXChar prefix, int32_t prefixLength, PSAXChar uri,
                                              int32_t uriLength) {
    if (!reader_->OnStartPrefixMapping)
        return;
    Guarded("Error evaluating the OnStartPrefixMapping event!\r\n%s", [&] {
        reader_->OnStartPrefixMapping(reader_, Text(prefix, prefixLength).get(),
                                      Text(uri, uriLength).get());
    });
}

void TRwSAXContentHandler::endPrefixMapping(PSAXChar prefix, int32_t prefixLength) {
    if (!reader_->OnEndPrefixMapping)
        return;
    Guarded("Error evaluating the OnEndPrefixMapping event!\r\n%s",
            [&] { reader_->OnEndPrefixMapping(reader_, Text(prefix, prefixLength).get()); });
}

void TRwSAXContentHandler::startElement(PSAXChar uri, int32_t uriLength, PSAXChar localName,
                                        int32_t localNameLength, PSAXChar qName,
                                        int32_t qNameLength, IBufferedAttributes* atts) {
    if (!reader_->OnStartElement)
        return;
    ComPtr<IAttributes> attributes;
    if (atts)
        atts->QueryInterface(IAttributes::Iid, attributes.ReceiveVoid());
    if (!attributes)
        throw ESAXException("The Attributes object does not support IAttributes");
    Guarded("Error evaluating the StartElement event!\r\n%s", [&] {
        reader_->OnStartElement(reader_, Text(uri, uriLength).get(),
                                Text(localName, localNameLength).get(),
                                Text(qName, qNameLength).get(), attributes.Get());
    });
}

void TRwSAXContentHandler::endElement(PSAXChar uri, int32_t uriLength, PSAXChar localName,
                                      int32_t localNameLength, PSAXChar qName,
                                      int32_t qNameLength) {
    if (!reader_->OnEndElement)
        return;
    Guarded("Error evaluating the EndElement event!\r\n%s", [&] {
        reader_->OnEndElement(reader_, Text(uri, uriLength).get(),
                              Text(localName, localNameLength).get(),
                              Text(qName, qNameLength).get());
    });
}

void TRwSAXContentHandler::characters(PSAXChar ch, int32_t chLength) {
    if (!reader_->OnCharacters)
        return;
    Guarded("Error evaluating the Characters event!\r\n%s",
            [&] { reader_->OnCharacters(reader_, Text(ch, chLength).get()); });
}

void TRwSAXContentHandler::ignorableWhitespace(PSAXChar, int32_t) {}

void TRwSAXContentHandler::processingInstruction(PSAXChar target, int32_t targetLength,
                                                 PSAXChar data, int32_t dataLength) {
    if (!reader_->OnProcessingInstruction)
        return;
    Guarded("Error evaluating the OnProcessingInstruction event!\r\n%s", [&] {
        reader_->OnProcessingInstruction(reader_, Text(target, targetLength).get(),
                                         Text(data, dataLength).get());
    });
}

void TRwSAXContentHandler::skippedEntity(PSAXChar, int32_t) {}

void TRwSAXContentHandler::EndProlog() {
    if (reader_->OnEndProlog)
        reader_->OnEndProlog(reader_);
}

void TRwSAXLexicalHandler::startDTD(PSAXChar name, int32_t nameLength, PSAXChar publicId,
                                    int32_t publicIdLength, PSAXChar systemId,
                                    int32_t systemIdLength) {
    if (!reader_->OnStartDTD)
        return;
    Guarded("Error evaluating the StartDTD event!\r\n%s", [&] {
        reader_->OnStartDTD(reader_, Text(name, nameLength).get(),
                            Text(publicId, publicIdLength).get(),
                            Text(systemId, systemIdLength).get());
    });
}

void TRwSAXLexicalHandler::EndDTD() {
    if (reader_->OnEndDTD)
        reader_->OnEndDTD(reader_);
}

void TRwSAXLexicalHandler::StartEntity(PSAXChar, int32_t) {}
void TRwSAXLexicalHandler::EndEntity(PSAXChar, int32_t) {}

void TRwSAXLexicalHandler::StartCDATA() {
    if (reader_->OnStartCDATA)
        reader_->OnStartCDATA(reader_);
}

void TRwSAXLexicalHandler::EndCDATA() {
    if (reader_->OnEndCDATA)
        reader_->OnEndCDATA(reader_);
}

void TRwSAXLexicalHandler::Comment(PSAXChar ch, int32_t chLength) {
    if (!reader_->OnComment)
        return;
    Guarded("Error evaluating the Comment event!\r\n%s",
            [&] { reader_->OnComment(reader_, Text(ch, chLength).get()); });
}

void TRwSaxErrorHandler::warning(ISAXParseError* error) {
    if (reader_->OnWarning)
        reader_->OnWarning(reader_, error);
}

void TRwSaxErrorHandler::Error(ISAXParseError* error) {
    if (reader_->OnError)
        reader_->OnError(reader_, error);
}

void TRwSaxErrorHandler::fatalError(ISAXParseError* error) {
    std::string message = text::Narrow(error->getMessage());
    if (reader_->OnFatalError) {
        reader_->OnFatalError(reader_, error);
        throw ERwSaxHandledAbort(message);
    }
    throw ESAXException(message);
}

ComPtr<TRwSaxIntfProperty> TRwSaxIntfProperty::Create(const SAXString& name, IUnknown* value,
                                                      std::function<void(IUnknown*)> setter) {
    return ComPtr<TRwSaxIntfProperty>::Adopt(
        ComMaker::New<TRwSaxIntfProperty>(name, value, std::move(setter)));
}

TRwSaxIntfProperty::TRwSaxIntfProperty(const SAXString& name, IUnknown* value,
                                       std::function<void(IUnknown*)> setter)
    : name_(name), value_(ComPtr<IUnknown>::Share(value)), setter_(std::move(setter)) {}

void TRwSaxIntfProperty::setValue(IUnknown* value) {
    value_ = ComPtr<IUnknown>::Share(value);
    if (setter_)
        setter_(value);
}
