// The SAX reader: prolog, elements, attributes, comments, processing
// instructions, CDATA sections and the failure flow.
//
// Elements are read with an explicit stack of open elements rather than by
// recursion, so that the nesting depth of a document never reaches the
// machine stack.
#include "xml/RwSaxReader.h"

#include "platform/rtl/Format.h"
#include "platform/text/Text.h"
#include "xml/RwSaxVendor.h"
#include "xml/RwXmlConvert.h"

namespace {

constexpr const char16_t* kEndOfDocument = u"Unexptected End Of Document!";
constexpr const char16_t* kNotWellformed = u"The XML document is not wellformed!\r\n";
constexpr const char16_t* kAttributesEnd =
    u"Unexptected End Of Document!\r\nThe attributes are not conform the XML standard!";

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Characters a name may hold but is warned about.
bool IsInvalidNameChar(char16_t c) {
    return (c >= 0x01 && c <= 0x2C) || (c >= 0x3B && c <= 0x40);
}

// Name characters that neither end a name nor are warned about.
bool IsPlainNameChar(char16_t c) {
    return c >= 0x41 || (c >= 0x2D && c <= 0x3A && c != u'/');
}

int32_t Length(std::u16string_view s) {
    return static_cast<int32_t>(s.size());
}

// The local name of an element: the part after the first ":".
std::u16string_view LocalPart(std::u16string_view name) {
    size_t colon = name.find(u':');
    return colon == std::u16string_view::npos ? name : name.substr(colon + 1);
}

std::u16string_view PrefixPart(std::u16string_view name) {
    size_t colon = name.find(u':');
    return colon == std::u16string_view::npos ? std::u16string_view() : name.substr(0, colon);
}

bool EndsWith(const TRwXmlStringBuffer& buffer, std::u16string_view tail) {
    std::u16string_view text = buffer.WideView();
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The vendor of this reader, registered while the library is loaded.
struct NativeVendorRegistration {
    TRwSAXNativeVendor* vendor;
    NativeVendorRegistration() : vendor(new TRwSAXNativeVendor()) {
        RegisterSAXVendor(vendor);
        SetDefaultSAXVendor(vendor->Description());
    }
    ~NativeVendorRegistration() {
        // Only our own object is unregistered: a vendor registered later
        // under the same name has freed it already.
        if (GetSAXVendor(u"Reedwing") == vendor)
            UnregisterSAXVendor(vendor);
    }
} nativeVendorRegistration;

} // namespace

ComPtr<TRwSAXXMLReader> TRwSAXXMLReader::Create() {
    return ComPtr<TRwSAXXMLReader>::Adopt(ComMaker::New<TRwSAXXMLReader>());
}

TRwSAXXMLReader::TRwSAXXMLReader()
    : features_{{SAXFeatureNamespaces, u"true"},
                {SAXFeatureNamespacePrefixes, u"false"},
                {SAXFeatureParameterEntities, u"true"}} {}

TRwSAXXMLReader::~TRwSAXXMLReader() = default;

bool TRwSAXXMLReader::getFeature(const SAXString& name) {
    for (const auto& feature : features_)
        if (text::SameText(feature.first, name))
            return RwXMLToBool(feature.second);
    throw ESAXNotSupportedException(Format("The Reedwing SAX parser does not support %s", {name}));
}

void TRwSAXXMLReader::setFeature(const SAXString& name, bool value) {
    for (auto& feature : features_)
        if (text::SameText(feature.first, name)) {
            feature.second = RwBoolToXML(value);
            return;
        }
    features_.emplace_back(name, RwBoolToXML(value));
}

// The lexical-handler property installs what it is set to, as SAX2 readers do;
// it holds a reference to the reader, which it may outlive in its caller's hands.
ComPtr<IProperty> TRwSAXXMLReader::getProperty(const SAXString& name) {
    if (!text::SameText(name, SAXPropertyLexicalHandler))
        return nullptr;
    auto self = ComPtr<TRwSAXXMLReader>::Share(this);
    return TRwSaxIntfProperty::Create(name, lexicalHandler_.Get(), [self](IUnknown* value) {
        ComPtr<IBufferedLexicalHandler> handler;
        if (value)
            value->QueryInterface(IBufferedLexicalHandler::Iid, handler.ReceiveVoid());
        self->setLexicalHandler(handler.Get());
    });
}

void TRwSAXXMLReader::setContentHandler(IBufferedContentHandler* handler) {
    contentHandler_ = ComPtr<IBufferedContentHandler>::Share(handler);
    defaultContentHandler_ = false;
}

void TRwSAXXMLReader::setLexicalHandler(IBufferedLexicalHandler* handler) {
    lexicalHandler_ = ComPtr<IBufferedLexicalHandler>::Share(handler);
    defaultLexicalHandler_ = false;
}

void TRwSAXXMLReader::setErrorHandler(IErrorHandler* handler) {
    errorHandler_ = ComPtr<IErrorHandler>::Share(handler);
    defaultErrorHandler_ = false;
}

void TRwSAXXMLReader::setDTDHandler(IBufferedDTDHandler*) {
    throw ESAXNotSupportedException(
        "DTDhandlers are not supported in this version of Reedwing XML.");
}

void TRwSAXXMLReader::setEntityResolver(IEntityResolver*) {
    throw ESAXNotSupportedException(
        "EntityResolvers are not supported in this version of Reedwing XML.");
}

void TRwSAXXMLReader::parse(IInputSource*) {
    throw ESAXNotSupportedException("This call is not supported in Reedwing XML.");
}

void TRwSAXXMLReader::parseURL(const SAXString& systemId) {
    Parse(text::Narrow(systemId));
}

void TRwSAXXMLReader::Parse(const std::string& fileName) {
    Parse(new TFileStream(fileName, fmOpenRead | fmShareDenyNone), true);
}

void TRwSAXXMLReader::Parse(TStream* stream, bool ownsStream) {
    // Handlers supplied here and the state of the parse go when it ends,
    // however it ends.
    struct ParseScope {
        TRwSAXXMLReader& reader;
        ~ParseScope() {
            if (reader.defaultContentHandler_)
                reader.contentHandler_ = nullptr;
            if (reader.defaultLexicalHandler_)
                reader.lexicalHandler_ = nullptr;
            if (reader.defaultErrorHandler_)
                reader.errorHandler_ = nullptr;
            reader.defaultContentHandler_ = reader.defaultLexicalHandler_ =
                reader.defaultErrorHandler_ = false;
            if (reader.chars_)
                reader.chars_->Close();
            reader.chars_ = nullptr;
            reader.contentHandlerEx_ = nullptr;
            reader.frames_.clear();
            reader.namespaces_.clear();
        }
    } scope{*this};
    if (!contentHandler_) {
        contentHandler_ =
            ComPtr<IBufferedContentHandler>::Adopt(ComMaker::New<TRwSAXContentHandler>(this));
        defaultContentHandler_ = true;
    }
    if (!lexicalHandler_) {
        lexicalHandler_ =
            ComPtr<IBufferedLexicalHandler>::Adopt(ComMaker::New<TRwSAXLexicalHandler>(this));
        defaultLexicalHandler_ = true;
    }
    if (!errorHandler_) {
        errorHandler_ = ComPtr<IErrorHandler>::Adopt(ComMaker::New<TRwSaxErrorHandler>(this));
        defaultErrorHandler_ = true;
    }
    try {
        chars_ = TRwXmlBaseParser::Create(errorHandler_.Get(), stream, ownsStream);
        ParseDocument();
    } catch (const ERwSaxHandledAbort&) {
        return;
    } catch (const std::exception& e) {
        // Anything else that ends the parse reaches the error handler once
        // more, without a position.
        auto* own = dynamic_cast<const Exception*>(&e);
        std::string message = own ? own->Message : e.what();
        ComPtr<ISAXParseError> error = TSAXParseError::Create(text::Wide(message), -1, -1);
        errorHandler_->fatalError(error.Get());
        throw ERwSaxHandledAbort("");
    }
}

void TRwSAXXMLReader::ParseDocument() {
    contentHandlerEx_ = contentHandler_.Query<IRwBufferedContentHandlerEx>();
    contentHandler_->setDocumentLocator(chars_.Get());
    SkipTo(u'<');
    contentHandler_->startDocument();
    ParseProlog();
    if (contentHandlerEx_)
        contentHandlerEx_->EndProlog();
    // The prolog ends at anything but "!" and "?", so what follows is the
    // root element. Nothing after it is read.
    if (!AtEnd() && StartElement(1))
        ParseContent();
    contentHandler_->endDocument();
}

void TRwSAXXMLReader::ParseProlog() {
    Read();
    while ((chars_->CurrChar() == u'!' || chars_->CurrChar() == u'?') && !AtEnd()) {
        if (chars_->CurrChar() == u'?') {
            ParseProcessingInstruction();
        } else if (Read() == u'-') {
            ParseComment();
        } else {
            ParseDocType();
        }
        SkipTo(u'<');
        Read();
    }
}

void TRwSAXXMLReader::ParseProcessingInstruction() {
    name_.Clear();
    text_.Clear();
    // The target runs to the first blank, which is dropped; the data is the rest.
    for (;;) {
        char16_t c = Read();
        if (AtEnd() || c == u'?')
            break;
        if (c == u' ') {
            chars_->ReadUntil(u'?', &text_);
            break;
        }
        name_.Append(c);
    }
    const char16_t* notClosed =
        u"Unexpected End Of Document!\r\nThe processing instruction was not closed!";
    if (AtEnd())
        Fatal(notClosed);
    contentHandler_->processingInstruction(name_.WideBuffer(), Length(name_.WideView()),
                                           text_.WideBuffer(), Length(text_.WideView()));
    if (Read() != u'>')
        Warning(std::u16string(kNotWellformed) +
                u"The closing (>) of the processing instruction should be placed right after the "
                u"question mark (?)!");
    // Input that ends right after the "?" leaves the instruction unclosed too.
    if (AtEnd())
        Fatal(notClosed);
}

void TRwSAXXMLReader::ParseComment() {
    if (Read() != u'-')
        Warning(std::u16string(kNotWellformed) + u"After <!- should be followed by another - !");
    char16_t c;
    do
        c = Read();
    while ((c == u' ' || c == u'-') && !AtEnd());
    text_.Clear();
    if (!AtEnd() && c != u'>') {
        text_.Append(c);
        chars_->ReadUntil(u'>', &text_);
    }
    if (AtEnd())
        Fatal(u"Unexptected End Of Document!\r\nThe comment was not closed!");
    if (!EndsWith(text_, u"--"))
        Warning(std::u16string(kNotWellformed) + u"A comment should end with -->");
    uint32_t length = text_.Length();
    text_.SetContentSize(length >= 2 ? length - 2 : 0);
    lexicalHandler_->Comment(text_.WideBuffer(), Length(text_.WideView()));
}

void TRwSAXXMLReader::ParseDocType() {
    // "<!D" and the next six characters, whatever the character after "!" was.
    std::u16string nine = u"<!D";
    for (int i = 0; i < 6; ++i)
        nine += Read();
    if (text::UpperCase(nine) != u"<!DOCTYPE")
        Error(u"<!DOCTYPE expected, but " + nine + u" found!");
    char16_t c;
    do
        c = Read();
    while (c <= 0x20 && !AtEnd());
    name_.Clear();
    while (c != u' ' && !AtEnd()) {
        name_.Append(c);
        c = Read();
    }
    if (AtEnd())
        Fatal(kEndOfDocument);
    lexicalHandler_->startDTD(name_.WideBuffer(), Length(name_.WideView()), u"", 0, u"", 0);
    // The internal subset is skipped, not interpreted.
    do
        c = Read();
    while (c != u'[' && c != u'>' && !AtEnd());
    if (c == u'[' && !AtEnd()) {
        chars_->ReadUntil(u']', nullptr);
        if (!AtEnd())
            chars_->ReadUntil(u'>', nullptr);
    }
    if (AtEnd())
        Fatal(kEndOfDocument);
    lexicalHandler_->EndDTD();
}

void TRwSAXXMLReader::ParseCData() {
    std::u16string nine = u"<!";
    nine += chars_->CurrChar();
    for (int i = 0; i < 6; ++i)
        nine += Read();
    if (text::UpperCase(nine) != u"<![CDATA[")
        Error(u"<![CDATA[ expected, but " + nine + u" found!");
    lexicalHandler_->StartCDATA();
    text_.Clear();
    // Control characters stay inside a CDATA section; it ends at the first "]]>".
    for (;;) {
        char16_t c = chars_->ReadChar(false);
        if (AtEnd())
            Fatal(kEndOfDocument);
        text_.Append(c);
        if (c == u'>' && EndsWith(text_, u"]]>"))
            break;
    }
    text_.SetContentSize(text_.Length() - 3);
    contentHandler_->characters(text_.WideBuffer(), Length(text_.WideView()));
    lexicalHandler_->EndCDATA();
}

void TRwSAXXMLReader::ReadName(TRwSaxNameBuffer& name, bool attribute, const char16_t* endMessage) {
    name.Clear();
    name.Append(chars_->CurrChar());
    for (;;) {
        // Names are mostly plain characters: those are taken in one run.
        chars_->ReadWhile(IsPlainNameChar, name);
        char16_t c = Read();
        if (AtEnd())
            Fatal(endMessage);
        if (c == u' ' || (attribute ? c == u'=' : (c == u'/' || c == u'>')))
            return;
        if (IsInvalidNameChar(c))
            Warning(std::u16string(kNotWellformed) +
                    (attribute ? u"The attribute" : u"The element") +
                    u" name contains an invalid character (" + c + u")!");
        name.Append(c);
    }
}

void TRwSAXXMLReader::ParseAttributes(int32_t depth) {
    char16_t c = chars_->CurrChar();
    if (c == u'/' || c == u'>')
        return;
    for (;;) {
        if (attributes_->Count() >= RwMaxAttributes)
            Fatal(u"The element has more than " + text::Wide(std::to_string(RwMaxAttributes)) +
                  u" attributes!");
        TRwSAXAttribute& attribute = attributes_->Add(depth);
        ReadName(attribute.Name, true, kAttributesEnd);
        // "=" is not required: whatever stands before the quote is skipped.
        if (!chars_->ReadUntil(u'"', nullptr) || !chars_->ReadUntil(u'"', &attribute.Value))
            Fatal(kAttributesEnd);
        c = Read();
        if (AtEnd())
            Fatal(kAttributesEnd);
        if (!IsBlank(c) && c != u'/' && c != u'>' && c != u'?')
            Warning(std::u16string(kNotWellformed) +
                    u"After closing an attributevalue the following characters are valid: space, "
                    u"tab, lf, ?, / and >, however a " +
                    c + u" was found!");
        while (IsBlank(c)) {
            c = Read();
            if (AtEnd())
                Fatal(kAttributesEnd);
        }
        if (c == u'/' || c == u'>')
            return;
    }
}

std::u16string_view TRwSAXXMLReader::NamespaceOf(std::u16string_view prefix) const {
    for (auto it = namespaces_.rbegin(); it != namespaces_.rend(); ++it)
        if (it->first == prefix)
            return it->second;
    return {};
}

void TRwSAXXMLReader::EndPrefixMappings(size_t mark) {
    for (size_t i = mark; i < namespaces_.size(); ++i)
        contentHandler_->endPrefixMapping(namespaces_[i].first.data(),
                                          Length(namespaces_[i].first));
    namespaces_.resize(mark);
}

// Reads a start tag (the current character is the first of its name) and the
// text right after it. Returns true when the element has content to read,
// with its frame pushed; false for an empty-element tag, which is done.
bool TRwSAXXMLReader::StartElement(int32_t depth) {
    if (depth > RwMaxElementDepth)
        Fatal(u"The elements are nested deeper than " +
              text::Wide(std::to_string(RwMaxElementDepth)) + u" levels!");
    ReadName(name_, false, kEndOfDocument);
    char16_t c = chars_->CurrChar();
    while (IsBlank(c)) {
        c = Read();
        if (AtEnd())
            break;
    }
    // The handler may keep the attributes object of the last element.
    if (!attributes_ || attributes_->RefCount() > 1)
        attributes_ = TRwSAXAttributes::Create();
    attributes_->Clear();
    ParseAttributes(depth);

    size_t mark = namespaces_.size();
    for (size_t i = 0; i < attributes_->Count(); ++i) {
        TRwSAXAttribute& attribute = attributes_->Item(i);
        if (attribute.Name.IsNamespaceDeclaration())
            namespaces_.emplace_back(attribute.Name.Prefix(), attribute.Value.WideView());
    }
    for (size_t i = mark; i < namespaces_.size(); ++i)
        contentHandler_->startPrefixMapping(
            namespaces_[i].first.data(), Length(namespaces_[i].first), namespaces_[i].second.data(),
            Length(namespaces_[i].second));
    std::u16string_view qName = name_.QName();
    std::u16string_view localName = LocalPart(qName);
    std::u16string_view uri = NamespaceOf(PrefixPart(qName));
    contentHandler_->startElement(uri.data(), Length(uri), localName.data(), Length(localName),
                                  qName.data(), Length(qName), attributes_.Get());

    if (chars_->CurrChar() == u'/') {
        chars_->ReadUntil(u'>', nullptr);
        contentHandler_->endElement(uri.data(), Length(uri), localName.data(), Length(localName),
                                    qName.data(), Length(qName));
        EndPrefixMappings(mark);
        return false;
    }
    // The one text of the element that is reported: the run right after the start tag.
    text_.Clear();
    if (!chars_->ReadUntil(u'<', &text_))
        Fatal(kEndOfDocument);
    contentHandler_->characters(text_.WideBuffer(), Length(text_.WideView()));
    frames_.push_back(Frame{depth, mark});
    return true;
}

void TRwSAXXMLReader::ParseEndTag(const Frame& frame) {
    ReadName(name_, false, kEndOfDocument);
    SkipTo(u'>');
    if (AtEnd())
        Fatal(kEndOfDocument);
    // End tags are not compared with their start tags: stored files rely on it.
    std::u16string_view qName = name_.QName();
    std::u16string_view localName = LocalPart(qName);
    std::u16string_view uri = NamespaceOf(PrefixPart(qName));
    contentHandler_->endElement(uri.data(), Length(uri), localName.data(), Length(localName),
                                qName.data(), Length(qName));
    EndPrefixMappings(frame.namespaceMark);
}

// The content of the open elements: comments, CDATA sections, processing
// instructions, child elements and end tags. Text between them is skipped.
void TRwSAXXMLReader::ParseContent() {
    while (!frames_.empty()) {
        Frame frame = frames_.back();
        if (chars_->CurrChar() != u'<' || AtEnd()) {
            // The input ended after a complete item: the element ends
            // without its end tag and without an error.
            namespaces_.resize(frame.namespaceMark);
            frames_.pop_back();
            continue;
        }
        char16_t c = Read();
        if (c == u'!') {
            if (Read() == u'-')
                ParseComment();
            else
                ParseCData();
        } else if (c == u'?') {
            ParseProcessingInstruction();
        } else if (c == u'/') {
            Read();
            ParseEndTag(frame);
            frames_.pop_back();
            // The root's end tag ends the document: what follows it (the NUL
            // bytes or stray byte an interrupted write leaves) is not read.
            if (frames_.empty())
                return;
        } else {
            StartElement(frame.depth + 1);
        }
        SkipTo(u'<');
    }
}

void TRwSAXXMLReader::Warning(const std::u16string& message) {
    ComPtr<ISAXParseError> error =
        TSAXParseError::Create(message, chars_->getLineNumber(), chars_->getColumnNumber());
    errorHandler_->warning(error.Get());
}

void TRwSAXXMLReader::Error(const std::u16string& message) {
    ComPtr<ISAXParseError> error =
        TSAXParseError::Create(message, chars_->getLineNumber(), chars_->getColumnNumber());
    errorHandler_->Error(error.Get());
}
