// The handlers the SAX reader supplies itself when a slot is empty during a
// parse: they turn the reader's buffered events into calls of its event
// properties (OnStartElement, OnCharacters, ...), with every text as a
// TRwString made for the call. Also the reader's property objects.
#pragma once

#include "platform/com/ComObject.h"
#include "platform/rtl/Object.h"
#include "xml/RwString.h"
#include "xml/SaxInterfaces.h"

#include <functional>

class TRwSAXXMLReader;

// Event types of the reader's properties; texts live for the call only.
using TRwSAXOnStartDocument = std::function<void(TObject* Sender)>;
using TRwSAXOnEndDocument = std::function<void(TObject* Sender)>;
using TRwSAXOnEndProlog = std::function<void(TObject* Sender)>;
using TRwSAXOnProcessingInstruction =
    std::function<void(TObject* Sender, TRwString* ATarget, TRwString* AData)>;
using TRwSAXOnStartPrefixMapping =
    std::function<void(TObject* Sender, TRwString* APrefix, TRwString* AURI)>;
using TRwSAXOnEndPrefixMapping = std::function<void(TObject* Sender, TRwString* APrefix)>;
using TRwSAXOnStartElement =
    std::function<void(TObject* Sender, TRwString* ANamespaceURI, TRwString* ALocalName,
                       TRwString* AQName, IAttributes* Attributes)>;
using TRwSAXOnCharacters = std::function<void(TObject* Sender, TRwString* AText)>;
using TRwSAXOnEndElement = std::function<void(TObject* Sender, TRwString* ANamespaceURI,
                                              TRwString* ALocalName, TRwString* AQName)>;
using TRwSAXOnComment = std::function<void(TObject* Sender, TRwString* AComment)>;
using TRwSAXOnStartDTD = std::function<void(TObject* Sender, TRwString* AName, TRwString* APublicId,
                                            TRwString* ASystemId)>;
using TRwSAXOnEndDTD = std::function<void(TObject* Sender)>;
using TRwSAXOnStartCDATA = std::function<void(TObject* Sender)>;
using TRwSAXOnEndCDATA = std::function<void(TObject* Sender)>;
using TRwSAXOnError = std::function<void(TObject* Sender, ISAXParseError* Error)>;

// Default content handler: each event calls the reader's property when it is
// assigned. An exception of the property becomes ESAXException "Error
// evaluating the <event> event!" CR LF + its message.
class TRwSAXContentHandler : public ComObject<IRwBufferedContentHandlerEx> {
    friend struct ComMaker;

public:
    void setDocumentLocator(ILocator* locator) override;
    void startDocument() override;
    void endDocument() override;
    void startPrefixMapping(PSAXChar prefix, int32_t prefixLength, PSAXChar uri,
                            int32_t uriLength) override;
    void endPrefixMapping(PSAXChar prefix, int32_t prefixLength) override;
    void startElement(PSAXChar uri, int32_t uriLength, PSAXChar localName, int32_t localNameLength,
                      PSAXChar qName, int32_t qNameLength, IBufferedAttributes* atts) override;
    void endElement(PSAXChar uri, int32_t uriLength, PSAXChar localName, int32_t localNameLength,
                    PSAXChar qName, int32_t qNameLength) override;
    void characters(PSAXChar ch, int32_t chLength) override;
    void ignorableWhitespace(PSAXChar ch, int32_t chLength) override;
    void processingInstruction(PSAXChar target, int32_t targetLength, PSAXChar data,
                               int32_t dataLength) override;
    void skippedEntity(PSAXChar name, int32_t nameLength) override;
    void EndProlog() override;

protected:
    explicit TRwSAXContentHandler(TRwSAXXMLReader* reader) : reader_(reader) {}
    ~TRwSAXContentHandler() override = default;

private:
    TRwSAXXMLReader* reader_;
};

// Default lexical handler, the same way.
class TRwSAXLexicalHandler : public ComObject<IBufferedLexicalHandler> {
    friend struct ComMaker;

public:
    void startDTD(PSAXChar name, int32_t nameLength, PSAXChar publicId, int32_t publicIdLength,
                  PSAXChar systemId, int32_t systemIdLength) override;
    void EndDTD() override;
    void StartEntity(PSAXChar name, int32_t nameLength) override;
    void EndEntity(PSAXChar name, int32_t nameLength) override;
    void StartCDATA() override;
    void EndCDATA() override;
    void Comment(PSAXChar ch, int32_t chLength) override;

protected:
    explicit TRwSAXLexicalHandler(TRwSAXXMLReader* reader) : reader_(reader) {}
    ~TRwSAXLexicalHandler() override = default;

private:
    TRwSAXXMLReader* reader_;
};

// Default error handler: warnings and errors go to OnWarning / OnError when
// assigned. A fatal error calls OnFatalError and raises ERwSaxHandledAbort
// with its message (the parse ends quietly); without OnFatalError it raises
// ESAXException with the message.
class TRwSaxErrorHandler : public ComObject<IErrorHandler> {
    friend struct ComMaker;

public:
    void warning(ISAXParseError* error) override;
    void Error(ISAXParseError* error) override;
    void fatalError(ISAXParseError* error) override;

protected:
    explicit TRwSaxErrorHandler(TRwSAXXMLReader* reader) : reader_(reader) {}
    ~TRwSaxErrorHandler() override = default;

private:
    TRwSAXXMLReader* reader_;
};

// A named property whose value is an interface. Setting the value calls the
// setter it was made with, so that a reader's property installs what it names.
class TRwSaxIntfProperty : public ComObject<IInterfaceProperty> {
    friend struct ComMaker;

public:
    // A property of that name and value; setter (may be empty) receives new values.
    static ComPtr<TRwSaxIntfProperty> Create(const SAXString& name, IUnknown* value,
                                             std::function<void(IUnknown*)> setter);
    SAXString getName() override { return name_; }
    ComPtr<IUnknown> getValue() override { return value_; }
    void setValue(IUnknown* value) override;

protected:
    TRwSaxIntfProperty(const SAXString& name, IUnknown* value,
                       std::function<void(IUnknown*)> setter);
    ~TRwSaxIntfProperty() override = default;

private:
    SAXString name_;
    ComPtr<IUnknown> value_;
    std::function<void(IUnknown*)> setter_;
};
