// The SAX2 interfaces through which the XML reader talks to its handlers, in
// their buffered form (every text is a pointer to 16-bit characters plus a
// length; -1 means up to the terminating zero) and, for handlers written
// against plain SAX2, in their 16-bit string form.
//
// Methods raise exceptions: the reader relies on a handler's exception to end
// a parse (see the failure flow of TRwSAXXMLReader).
#pragma once

#include "platform/com/ComPtr.h"

#include <cstdint>
#include <string>

// A 16-bit character of a buffered SAX text.
using SAXChar = char16_t;
// A buffered SAX text: pointer plus a separate length.
using PSAXChar = const SAXChar*;
// A SAX text in 16-bit string form.
using SAXString = std::u16string;

// Where in the document the reader is.
struct ILocator : IUnknown {
    static constexpr GUID Iid = MakeGuid("{9D0C1A95-C9EA-40E4-B4A2-5E83FCC62CCF}");
    // The document's public identifier (empty when unknown).
    virtual SAXString getPublicId() = 0;
    // The document's system identifier (empty when unknown).
    virtual SAXString getSystemId() = 0;
    // The line of the character last read, from 1.
    virtual int32_t getLineNumber() = 0;
    // The column of the character last read within its line.
    virtual int32_t getColumnNumber() = 0;
};

// A problem found by the reader.
struct ISAXError : IUnknown {
    static constexpr GUID Iid = MakeGuid("{10A17D9B-A212-407E-B815-56A61FD3C056}");
    // The description of the problem.
    virtual SAXString getMessage() = 0;
    // The object that caused it, when there is one (nil for the reader's own).
    virtual IUnknown* getNativeError() = 0;
};

// A problem found by the reader, with where it was found.
struct ISAXParseError : ISAXError {
    static constexpr GUID Iid = MakeGuid("{AA08FEE9-4EB2-4030-834C-569E92B0AC28}");
    using BaseInterface = ISAXError;
    // The line, from 1; -1 when unknown.
    virtual int32_t getLineNumber() = 0;
    // The column; -1 when unknown.
    virtual int32_t getColumnNumber() = 0;
    // The document's public identifier.
    virtual SAXString getPublicId() = 0;
    // The document's system identifier.
    virtual SAXString getSystemId() = 0;
};

// Receives warnings, recoverable errors and fatal errors.
struct IErrorHandler : IUnknown {
    static constexpr GUID Iid = MakeGuid("{F5157F20-8B53-489F-B41B-A67A41E3AF3F}");
    // A problem that does not stop the parse.
    virtual void warning(ISAXParseError* error) = 0;
    // A recoverable error; the parse goes on.
    virtual void Error(ISAXParseError* error) = 0;
    // An error that ends the parse.
    virtual void fatalError(ISAXParseError* error) = 0;
};

// The attributes of one start tag, in buffered form. Lookups by name compare
// exactly; a lookup that finds nothing gives index -1 or an empty text.
struct IBufferedAttributes : IUnknown {
    static constexpr GUID Iid = MakeGuid("{1B082F72-86BE-4021-A39A-BA342C826F68}");
    // The number of attributes.
    virtual int32_t getLength() = 0;
    // Texts of the attribute at index.
    virtual void getURI(int32_t index, PSAXChar& uri, int32_t& uriLength) = 0;
    virtual void getLocalName(int32_t index, PSAXChar& localName, int32_t& localNameLength) = 0;
    virtual void getQName(int32_t index, PSAXChar& qName, int32_t& qNameLength) = 0;
    virtual void getType(int32_t index, PSAXChar& type, int32_t& typeLength) = 0;
    virtual void getValue(int32_t index, PSAXChar& value, int32_t& valueLength) = 0;
    // The index of the attribute named by URI and local name, or by qualified name.
    virtual int32_t getIndex(PSAXChar uri, int32_t uriLength, PSAXChar localName,
                             int32_t localNameLength) = 0;
    virtual int32_t getIndex(PSAXChar qName, int32_t qNameLength) = 0;
    // The type of the attribute named by URI and local name, or by qualified name.
    virtual void getType(PSAXChar uri, int32_t uriLength, PSAXChar localName,
                         int32_t localNameLength, PSAXChar& type, int32_t& typeLength) = 0;
    virtual void getType(PSAXChar qName, int32_t qNameLength, PSAXChar& type,
                         int32_t& typeLength) = 0;
    // The value of the attribute named by URI and local name, or by qualified name.
    virtual void getValue(PSAXChar uri, int32_t uriLength, PSAXChar localName,
                          int32_t localNameLength, PSAXChar& value, int32_t& valueLength) = 0;
    virtual void getValue(PSAXChar qName, int32_t qNameLength, PSAXChar& value,
                          int32_t& valueLength) = 0;
};

// The attributes of one start tag, with 16-bit strings.
struct IAttributes : IUnknown {
    static constexpr GUID Iid = MakeGuid("{B88C9D0F-1AFD-412A-B9EF-2313AB251CF1}");
    // The number of attributes.
    virtual int32_t getLength() = 0;
    // Texts of the attribute at index.
    virtual SAXString getURI(int32_t index) = 0;
    virtual SAXString getLocalName(int32_t index) = 0;
    virtual SAXString getQName(int32_t index) = 0;
    virtual SAXString getType(int32_t index) = 0;
    virtual SAXString getValue(int32_t index) = 0;
    // The index by URI and local name, or by qualified name; -1 when not found.
    virtual int32_t getIndex(const SAXString& uri, const SAXString& localName) = 0;
    virtual int32_t getIndex(const SAXString& qName) = 0;
    // The type by URI and local name, or by qualified name.
    virtual SAXString getType(const SAXString& uri, const SAXString& localName) = 0;
    virtual SAXString getType(const SAXString& qName) = 0;
    // The value by URI and local name, or by qualified name.
    virtual SAXString getValue(const SAXString& uri, const SAXString& localName) = 0;
    virtual SAXString getValue(const SAXString& qName) = 0;
};

// Document, element, text and processing-instruction events, buffered.
struct IBufferedContentHandler : IUnknown {
    static constexpr GUID Iid = MakeGuid("{F5B17559-C64E-42AE-83F5-A9E0DB9300F7}");
    // The reader's locator, valid for the parse.
    virtual void setDocumentLocator(ILocator* locator) = 0;
    // Before anything else of the document.
    virtual void startDocument() = 0;
    // After everything else of the document.
    virtual void endDocument() = 0;
    // A namespace declaration comes into scope, before its element's start.
    virtual void startPrefixMapping(PSAXChar prefix, int32_t prefixLength, PSAXChar uri,
                                    int32_t uriLength) = 0;
    // A namespace declaration goes out of scope, after its element's end.
    virtual void endPrefixMapping(PSAXChar prefix, int32_t prefixLength) = 0;
    // A start tag with its attributes (valid during the call only).
    virtual void startElement(PSAXChar uri, int32_t uriLength, PSAXChar localName,
                              int32_t localNameLength, PSAXChar qName, int32_t qNameLength,
                              IBufferedAttributes* atts) = 0;
    // An end tag.
    virtual void endElement(PSAXChar uri, int32_t uriLength, PSAXChar localName,
                            int32_t localNameLength, PSAXChar qName, int32_t qNameLength) = 0;
    // A run of text.
    virtual void characters(PSAXChar ch, int32_t chLength) = 0;
    // White space that the document's grammar makes ignorable.
    virtual void ignorableWhitespace(PSAXChar ch, int32_t chLength) = 0;
    // A processing instruction (the XML declaration arrives as one, target "xml").
    virtual void processingInstruction(PSAXChar target, int32_t targetLength, PSAXChar data,
                                       int32_t dataLength) = 0;
    // An entity the reader did not expand.
    virtual void skippedEntity(PSAXChar name, int32_t nameLength) = 0;
};

// The reader's own addition to the content handler: told when the prolog ends.
struct IRwBufferedContentHandlerEx : IBufferedContentHandler {
    static constexpr GUID Iid = MakeGuid("{0D9AEB37-0301-48FC-8B04-4C0762122594}");
    using BaseInterface = IBufferedContentHandler;
    // After the prolog (declaration, comments, DOCTYPE), before the root element.
    virtual void EndProlog() = 0;
};

// Comment, DTD, entity and CDATA events, buffered.
struct IBufferedLexicalHandler : IUnknown {
    static constexpr GUID Iid = MakeGuid("{BEAC09EF-F04C-4419-99D6-3C5229E2FE7E}");
    // A document type declaration begins.
    virtual void startDTD(PSAXChar name, int32_t nameLength, PSAXChar publicId,
                          int32_t publicIdLength, PSAXChar systemId, int32_t systemIdLength) = 0;
    // The document type declaration ends.
    virtual void EndDTD() = 0;
    // An entity's expansion begins and ends.
    virtual void StartEntity(PSAXChar name, int32_t nameLength) = 0;
    virtual void EndEntity(PSAXChar name, int32_t nameLength) = 0;
    // A CDATA section begins and ends; its text arrives as characters between.
    virtual void StartCDATA() = 0;
    virtual void EndCDATA() = 0;
    // A comment's text.
    virtual void Comment(PSAXChar ch, int32_t chLength) = 0;
};

// Notations and unparsed entities of the DTD, buffered.
struct IBufferedDTDHandler : IUnknown {
    static constexpr GUID Iid = MakeGuid("{674DB6CF-F4C8-4CB4-8EC7-75756D67A54B}");
    // A notation declaration.
    virtual void notationDecl(PSAXChar name, int32_t nameLength, PSAXChar publicId,
                              int32_t publicIdLength, PSAXChar systemId,
                              int32_t systemIdLength) = 0;
    // An unparsed entity declaration.
    virtual void unparsedEntityDecl(PSAXChar name, int32_t nameLength, PSAXChar publicId,
                                    int32_t publicIdLength, PSAXChar systemId,
                                    int32_t systemIdLength, PSAXChar notationName,
                                    int32_t notationNameLength) = 0;
};

// Where a document comes from, as SAX2 names it.
struct IInputSource : IUnknown {
    static constexpr GUID Iid = MakeGuid("{60046DE2-C519-43C3-83E3-1022E6603F42}");
    // The document's public identifier.
    virtual SAXString getPublicId() = 0;
    // The document's system identifier (its file name or URL).
    virtual SAXString getSystemId() = 0;
};

// Resolves external entities to input sources.
struct IEntityResolver : IUnknown {
    static constexpr GUID Iid = MakeGuid("{DEDE8091-E92F-4940-83C7-FF139594A7AE}");
    // The source to read for the entity, or nil to let the reader decide.
    virtual ComPtr<IInputSource> resolveEntity(const SAXString& publicId,
                                               const SAXString& systemId) = 0;
};

// Notations and unparsed entities of the DTD, with 16-bit strings.
struct IDTDHandler : IUnknown {
    static constexpr GUID Iid = MakeGuid("{ADEF16FF-818C-4644-B451-2E5473666D44}");
    // A notation declaration.
    virtual void notationDecl(const SAXString& name, const SAXString& publicId,
                              const SAXString& systemId) = 0;
    // An unparsed entity declaration.
    virtual void unparsedEntityDecl(const SAXString& name, const SAXString& publicId,
                                    const SAXString& systemId, const SAXString& notationName) = 0;
};

// Document events with 16-bit strings.
struct IContentHandler : IUnknown {
    static constexpr GUID Iid = MakeGuid("{3DBA03AA-83D6-4524-BB30-813662BA7DA8}");
    virtual void setDocumentLocator(ILocator* locator) = 0;
    virtual void startDocument() = 0;
    virtual void endDocument() = 0;
    virtual void startPrefixMapping(const SAXString& prefix, const SAXString& uri) = 0;
    virtual void endPrefixMapping(const SAXString& prefix) = 0;
    virtual void startElement(const SAXString& uri, const SAXString& localName,
                              const SAXString& qName, IAttributes* atts) = 0;
    virtual void endElement(const SAXString& uri, const SAXString& localName,
                            const SAXString& qName) = 0;
    virtual void characters(const SAXString& ch) = 0;
    virtual void ignorableWhitespace(const SAXString& ch) = 0;
    virtual void processingInstruction(const SAXString& target, const SAXString& data) = 0;
    virtual void skippedEntity(const SAXString& name) = 0;
};

// A named property of a reader.
struct IProperty : IUnknown {
    static constexpr GUID Iid = MakeGuid("{5DFAF9DB-68FC-47CF-A653-053D18A4A78E}");
    // The property's name.
    virtual SAXString getName() = 0;
};

// A named property whose value is an interface.
struct IInterfaceProperty : IProperty {
    static constexpr GUID Iid = MakeGuid("{C9C24F7A-595D-48B0-B796-FDC4168724CA}");
    using BaseInterface = IProperty;
    // The value.
    virtual ComPtr<IUnknown> getValue() = 0;
    // Replaces the value.
    virtual void setValue(IUnknown* value) = 0;
};

// A SAX2 reader with 16-bit string handlers.
struct IXMLReader : IUnknown {
    static constexpr GUID Iid = MakeGuid("{0FC68F17-47CA-474B-B469-65FBEA15ACA9}");
    virtual bool getFeature(const SAXString& name) = 0;
    virtual void setFeature(const SAXString& name, bool value) = 0;
    virtual IContentHandler* getContentHandler() = 0;
    virtual void setContentHandler(IContentHandler* handler) = 0;
    virtual IErrorHandler* getErrorHandler() = 0;
    virtual void setErrorHandler(IErrorHandler* handler) = 0;
    virtual void parse(IInputSource* input) = 0;
    virtual void parseURL(const SAXString& systemId) = 0;
};

// A SAX2 reader with buffered handlers; the Reedwing reader is one.
struct IBufferedXMLReader : IUnknown {
    static constexpr GUID Iid = MakeGuid("{C046E6D4-178F-4062-8934-88A537A946B5}");
    // A feature's value; raises ESAXNotSupportedException for an unknown feature.
    virtual bool getFeature(const SAXString& name) = 0;
    // Sets a feature.
    virtual void setFeature(const SAXString& name, bool value) = 0;
    // A new property object for the name, or nil.
    virtual ComPtr<IProperty> getProperty(const SAXString& name) = 0;
    // The installed handlers (no reference added); nil when none is installed.
    virtual IBufferedContentHandler* getContentHandler() = 0;
    virtual void setContentHandler(IBufferedContentHandler* handler) = 0;
    virtual IBufferedDTDHandler* getDTDHandler() = 0;
    virtual void setDTDHandler(IBufferedDTDHandler* handler) = 0;
    virtual IEntityResolver* getEntityResolver() = 0;
    virtual void setEntityResolver(IEntityResolver* resolver) = 0;
    virtual IErrorHandler* getErrorHandler() = 0;
    virtual void setErrorHandler(IErrorHandler* handler) = 0;
    // Reads the document of an input source.
    virtual void parse(IInputSource* input) = 0;
    // Reads the document in a file.
    virtual void parseURL(const SAXString& systemId) = 0;
};

// The 16-bit string of length characters at p; length -1 reads up to the zero.
SAXString PSAXCharToSAXString(PSAXChar p, int32_t length);
