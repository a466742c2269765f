// Reading XML text into a document tree.
#include "xml/DomLoad.h"

#include "xml/DomBuilder.h"
#include "xml/DomDocument.h"
#include "xml/RwSaxReader.h"

#include "platform/text/Text.h"

#include <memory>
#include <vector>

void RwGetDOMDocumentFromString(std::u16string_view text, ComPtr<IRwDOMDocument>& document) {
    if (text.empty()) {
        document = nullptr;
        return;
    }
    // The reader tells UTF-16 from 8-bit text by the byte after the first
    // "<" byte, and skips whatever stands before the first "<" anyway. A
    // character before it may hold a "<" byte or look like a byte-order mark,
    // so the stream starts at the text's first "<". Text without one goes
    // whole, for the reader to report.
    size_t start = text.find(u'<');
    if (start != std::u16string_view::npos)
        text.remove_prefix(start);
    std::vector<uint8_t> bytes = text::Utf16LeBytes(text);
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), bytes.size());
    stream.Seek(0, TSeekOrigin::soBeginning);
    RwGetDOMDocument(&stream, false, document);
}

void RwGetDOMDocument(TStream* stream, bool ownsStream, ComPtr<IRwDOMDocument>& document) {
    RwGetDOMDocumentEx(stream, ownsStream, document);
}

void RwGetDOMDocumentEx(TStream* stream, bool ownsStream, ComPtr<IRwDOMDocument>& document) {
    RwAddXMLToDOMDocument(stream, document, nullptr, ownsStream);
}

void RwAddXMLToDOMDocument(TStream* stream, ComPtr<IRwDOMDocument>& document, IRwDOMNode* parent,
                           bool ownsStream) {
    // An owned stream is freed even when nothing gets as far as parsing it.
    std::unique_ptr<TStream> owned(ownsStream ? stream : nullptr);
    if (!document)
        document = TRwDOMDocument::Create();
    auto builder = TRwSaxToDomHandler::Create(document.Get(), parent);
    auto reader = TRwSAXXMLReader::Create();
    reader->setContentHandler(builder.Get());
    reader->setLexicalHandler(builder.Get());
    // No error handler: the reader's default raises ESAXException on a fatal error.
    struct HandlersCleared {
        TRwSAXXMLReader* reader;
        ~HandlersCleared() {
            reader->setContentHandler(nullptr);
            reader->setLexicalHandler(nullptr);
        }
    } cleared{reader.Get()};
    reader->Parse(owned ? owned.release() : stream, ownsStream);
}
