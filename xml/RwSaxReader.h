// TRwSAXXMLReader: a small, forgiving XML reader that reports a document event
// by event to buffered SAX2 handlers. It checks only a few well-formedness
// rules, reports most faults as warnings and goes on, and stops only at the
// end of input or when the input cannot be XML. Its readings differ from XML
// 1.0 where stored files rely on them: end tags are not matched with start
// tags, values stand in double quotes only and are not unescaped, only the
// text right after a start tag is reported, and control characters outside
// CDATA sections are dropped.
//
// Handlers left empty are supplied for the parse and call the event
// properties. Nesting depth, attribute count and document size are bounded so
// that no input exhausts the stack or memory.
#pragma once

#include "platform/com/ComObject.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Streams.h"
#include "xml/RwCharReader.h"
#include "xml/RwSaxAttributes.h"
#include "xml/RwSaxHandlers.h"
#include "xml/SaxErrors.h"

#include <string>
#include <utility>
#include <vector>

// The reader's feature and property names (SAX2's standard identifiers).
inline constexpr const char16_t* SAXFeatureNamespaces = u"http://xml.org/sax/features/namespaces";
inline constexpr const char16_t* SAXFeatureNamespacePrefixes =
    u"http://xml.org/sax/features/namespace-prefixes";
inline constexpr const char16_t* SAXFeatureParameterEntities =
    u"http://xml.org/sax/features/lexical-handler/parameter-entities";
inline constexpr const char16_t* SAXPropertyLexicalHandler =
    u"http://xml.org/sax/properties/lexical-handler";

// The deepest element nesting a document may have.
inline constexpr int32_t RwMaxElementDepth = 1024;
// The most attributes one start tag may have.
inline constexpr size_t RwMaxAttributes = 10000;

class TRwSAXXMLReader : public ComObject<IBufferedXMLReader>, public TObject {
    friend struct ComMaker;

public:
    // A new reader with the feature defaults and no handlers.
    static ComPtr<TRwSAXXMLReader> Create();

    // Parses stream; with ownsStream the stream is freed when the parse ends.
    void Parse(TStream* stream, bool ownsStream);
    // Opens the file read-only (others may read and write it) and parses it.
    void Parse(const std::string& fileName);

    // The installed lexical handler, or nil.
    IBufferedLexicalHandler* getLexicalHandler() { return lexicalHandler_.Get(); }
    // Installs the lexical handler (nil removes it).
    void setLexicalHandler(IBufferedLexicalHandler* handler);

    bool getFeature(const SAXString& name) override;
    void setFeature(const SAXString& name, bool value) override;
    ComPtr<IProperty> getProperty(const SAXString& name) override;
    IBufferedContentHandler* getContentHandler() override { return contentHandler_.Get(); }
    void setContentHandler(IBufferedContentHandler* handler) override;
    IBufferedDTDHandler* getDTDHandler() override { return nullptr; }
    void setDTDHandler(IBufferedDTDHandler* handler) override;
    IEntityResolver* getEntityResolver() override { return nullptr; }
    void setEntityResolver(IEntityResolver* resolver) override;
    IErrorHandler* getErrorHandler() override { return errorHandler_.Get(); }
    void setErrorHandler(IErrorHandler* handler) override;
    // Not supported: raises ESAXNotSupportedException.
    void parse(IInputSource* input) override;
    // Parses the file systemId names.
    void parseURL(const SAXString& systemId) override;

    // Event properties, called by the handlers supplied for empty slots.
    TRwSAXOnStartDocument OnStartDocument;
    TRwSAXOnEndDocument OnEndDocument;
    TRwSAXOnProcessingInstruction OnProcessingInstruction;
    TRwSAXOnStartPrefixMapping OnStartPrefixMapping;
    TRwSAXOnEndPrefixMapping OnEndPrefixMapping;
    TRwSAXOnStartElement OnStartElement;
    TRwSAXOnCharacters OnCharacters;
    TRwSAXOnEndElement OnEndElement;
    TRwSAXOnEndProlog OnEndProlog;
    TRwSAXOnComment OnComment;
    TRwSAXOnStartDTD OnStartDTD;
    TRwSAXOnEndDTD OnEndDTD;
    TRwSAXOnStartCDATA OnStartCDATA;
    TRwSAXOnEndCDATA OnEndCDATA;
    TRwSAXOnError OnWarning;
    TRwSAXOnError OnError;
    TRwSAXOnError OnFatalError;

protected:
    TRwSAXXMLReader();
    ~TRwSAXXMLReader() override;

private:
    // One open element of the content being read.
    struct Frame {
        int32_t depth;
        size_t namespaceMark; // namespaces_ size before the element's declarations
    };

    void ParseDocument();
    void ParseProlog();
    void ParseProcessingInstruction();
    void ParseComment();
    void ParseDocType();
    void ParseCData();
    void ParseContent();
    bool StartElement(int32_t depth);
    void ParseEndTag(const Frame& frame);
    void ParseAttributes(int32_t depth);
    void ReadName(TRwSaxNameBuffer& name, bool attribute, const char16_t* endMessage);
    void EndPrefixMappings(size_t mark);
    std::u16string_view NamespaceOf(std::u16string_view prefix) const;

    char16_t Read() { return chars_->ReadChar(true); }
    bool AtEnd() const { return chars_->Eof(); }
    void SkipTo(char16_t stop) {
        if (chars_->CurrChar() != stop && !chars_->Eof())
            chars_->ReadUntil(stop, nullptr);
    }
    void Warning(const std::u16string& message);
    void Error(const std::u16string& message);
    [[noreturn]] void Fatal(const std::u16string& message) { chars_->RaiseFatalError(message); }

    std::vector<std::pair<SAXString, SAXString>> features_;
    ComPtr<IBufferedContentHandler> contentHandler_;
    ComPtr<IBufferedLexicalHandler> lexicalHandler_;
    ComPtr<IErrorHandler> errorHandler_;
    bool defaultContentHandler_ = false;
    bool defaultLexicalHandler_ = false;
    bool defaultErrorHandler_ = false;

    // State of one parse.
    ComPtr<TRwXmlBaseParser> chars_;
    ComPtr<IRwBufferedContentHandlerEx> contentHandlerEx_;
    ComPtr<TRwSAXAttributes> attributes_;
    std::vector<std::pair<SAXString, SAXString>> namespaces_; // prefix, URI; innermost last
    std::vector<Frame> frames_;
    TRwSaxNameBuffer name_;
    TRwXmlStringBuffer text_;
    TRwXmlStringBuffer extra_;
};
